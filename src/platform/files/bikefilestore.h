#pragma once

#include "platform/files/bikefilelist.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Bike files on disk, as bytes: what they hold is the caller's. Every operation opens, works on
// and closes its file before it returns. Failures come back as a short Swedish message for a
// message box; nothing is thrown or logged.
namespace platform {

struct SaveResult
{
    bool ok = false;
    QString error; // why the save failed; empty on success
    // The name is what stops the save (refused, too long, or the name of something that is not a
    // writable regular file): another name would do.
    bool nameAtFault = false;
};

struct LoadResult
{
    std::optional<std::string> bytes; // the whole file, or nothing on failure
    QString error;                    // why the load failed; empty on success
};

// The file name for a typed name: the name unchanged plus ".hoj" (x.hoj gives x.hoj.hoj, an
// empty name gives ".hoj").
QString bikeFileName(const QString& name);

// Why a name cannot be saved under (it holds "/" or a control character), or nothing.
std::optional<QString> refuseName(const QString& name);

// Saves bytes as name.hoj in directory, replacing an existing regular file whole. Atomic: the new
// content goes to a new file in the same directory, without a name where the file system can make
// one, is flushed to disk and then takes the file's place by a rename, so a failed save leaves an
// existing file as it was and leaves nothing behind. So does a save cut short by a kill, except
// where the file system cannot make a file without a name: there the new file has a hidden name
// of its own (.drevkalk-*.tmp) while it is written, and stays if the save is cut short. The file
// replaced gives the new one its mode, and its owner and group where the process may set them.
// Nothing is ever written through a symbolic link: where the name is a link, or anything but a
// regular file, the save is refused and the entry left as it is. A refused name or a name too
// long for the file system writes nothing at all.
SaveResult WriteBikeFile(const Directory& directory, const QString& name, std::string_view bytes);

// Reads the entry name of directory (name as the directory holds it, see bikefilelist.h), whole,
// closing it before returning. Only a regular file of at most maxBytes is read.
LoadResult ReadBikeFile(const Directory& directory, std::string_view name, std::size_t maxBytes);

} // namespace platform
