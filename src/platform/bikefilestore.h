#pragma once

#include "bikefile/bikefile.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <optional>
#include <string_view>

class QSaveFile;

// Bike files on disk. Every operation opens, works on and closes its file before it returns.
// Failures come back as a short Swedish message for a message box; nothing is thrown or logged.
namespace platform {

// Nothing larger than this is read as a bike file.
inline constexpr qint64 maxBikeFileSize = qint64{1024} * 1024;

struct SaveResult
{
    bool ok = false;
    QString fileName; // the name of the file, without the directory, e.g. "x.hoj"
    QString error;    // why the save failed; empty on success or when unencodable is set
    // The value that the file cannot hold; the caller words the message.
    std::optional<bikefile::Unencodable> unencodable;
};

struct LoadResult
{
    std::optional<bikefile::BikeRecord> record; // all fifteen values, or nothing on failure
    QString error;                              // why the load failed; empty on success
};

// The file name for a typed name: the name unchanged plus ".hoj" (x.hoj gives x.hoj.hoj, an
// empty name gives ".hoj").
QString bikeFileName(const QString& name);

// Why a name cannot be saved under (it holds "/" or a control character), or nothing.
std::optional<QString> refuseName(const QString& name);

// Saves the record as directory/name.hoj, replacing an existing file whole. Atomic: the new
// content goes to a temporary file in the same directory that then takes the file's place, so a
// failed save leaves an existing file as it was and leaves nothing behind. A refused name or a
// character that Windows-1252 lacks (reported in unencodable) writes nothing at all.
SaveResult WriteBikeFile(const QString& directory, const QString& name,
                         const bikefile::BikeRecord& record);

// Reads the bike file at path, whole, closing it before returning. Only a regular file is read.
LoadResult ReadBikeFile(const QString& path);
// The same for the entry name of directory, name as the directory holds it (see bikefilelist.h).
LoadResult ReadBikeFile(const QString& directory, std::string_view name);

namespace detail {
// The last steps of WriteBikeFile: writes bytes into an unopened QSaveFile and commits it,
// checking each step and cancelling on the first failure. Declared here so that tests can hand
// in a QSaveFile whose writes fail.
SaveResult saveBytes(QSaveFile& file, const QByteArray& bytes);
} // namespace detail

} // namespace platform
