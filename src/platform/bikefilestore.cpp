#include "platform/bikefilestore.h"

#include "platform/bikefilelist.h"
#include "platform/reasons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

QString saveFailed(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Filen \"%1\" kunde inte sparas: %2").arg(fileName, reason);
}

QString loadFailed(const QString& fileName, const QString& reason)
{
    return QStringLiteral("Filen \"%1\" kunde inte läsas: %2").arg(fileName, reason);
}

} // namespace

QString bikeFileName(const QString& name)
{
    return name + QString::fromLatin1(bikefile::fileExtension.data(),
                                      static_cast<qsizetype>(bikefile::fileExtension.size()));
}

std::optional<QString> refuseName(const QString& name)
{
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || isControl(c.unicode())) {
            return QStringLiteral("Namnet får inte innehålla \"/\" eller styrtecken.");
        }
    }
    return std::nullopt;
}

SaveResult WriteBikeFile(const QString& directory, const QString& name,
                         const bikefile::BikeRecord& record)
{
    SaveResult result;
    result.fileName = bikeFileName(name);
    if (const auto refusal = refuseName(name)) {
        result.error = *refusal;
        return result;
    }
    const bikefile::FormatResult formatted = bikefile::formatRecord(record);
    if (!formatted.ok()) {
        result.unencodable = formatted.unencodable;
        return result;
    }
    QSaveFile file(QDir(directory).filePath(result.fileName));
    return detail::saveBytes(
        file, QByteArray(formatted.bytes.data(), static_cast<qsizetype>(formatted.bytes.size())));
}

namespace detail {

SaveResult saveBytes(QSaveFile& file, const QByteArray& bytes)
{
    SaveResult result;
    result.fileName = QFileInfo(file.fileName()).fileName();
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = saveFailed(result.fileName, file.errorString());
        return result;
    }
    // QSaveFile only learns of a failed write or flush if asked; left alone it would commit a
    // short or empty file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        // cancelWriting() replaces the error text, so keep the system's reason first.
        const QString reason = file.errorString();
        file.cancelWriting();
        file.commit(); // removes the temporary file
        result.error = saveFailed(result.fileName, reason);
        return result;
    }
    if (!file.commit()) {
        result.error = saveFailed(result.fileName, file.errorString());
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace detail

namespace {

// Reads the file at path, whole, naming it fileName in a message. It is opened first, without
// waiting, and then asked what it is: a pipe or a device put in the file's place between a look
// at the name and the opening could otherwise keep the window waiting for ever.
LoadResult readBikeFileAt(const std::string& path, const QString& fileName)
{
    LoadResult result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        result.error = loadFailed(
            fileName, error == ENOENT ? QStringLiteral("filen finns inte.") : reasonText(error));
        return result;
    }
    const struct Closer
    {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat status{};
    if (fstat(fd, &status) != 0) {
        result.error = loadFailed(fileName, reasonText(errno));
        return result;
    }
    if (S_ISDIR(status.st_mode)) {
        result.error = loadFailed(fileName, QStringLiteral("det är en mapp, inte en fil."));
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.error = loadFailed(fileName, QStringLiteral("det är inte en vanlig fil."));
        return result;
    }
    // One byte more than allowed tells a file at the limit from a larger one, also when the
    // file grows while it is read. The buffer starts at the size the file has now.
    const auto limit = static_cast<std::size_t>(maxBikeFileSize) + 1;
    std::string bytes(std::min(static_cast<std::size_t>(std::max<off_t>(status.st_size, 0)) + 1,
                               limit),
                      '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled == limit)
                break;
            bytes.resize(std::min(2 * filled, limit));
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.error = loadFailed(fileName, reasonText(errno));
            return result;
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    if (filled > static_cast<std::size_t>(maxBikeFileSize)) {
        result.error =
            QStringLiteral("Filen \"%1\" är för stor för att vara en hojfil.").arg(fileName);
        return result;
    }
    result.record = bikefile::parseRecord(std::string_view(bytes.data(), filled));
    if (!result.record) {
        result.error = QStringLiteral("Filen \"%1\" är inte en hel hojfil: den tar slut före det "
                                      "femtonde värdet.")
                           .arg(fileName);
    }
    return result;
}

} // namespace

LoadResult ReadBikeFile(const QString& path)
{
    return readBikeFileAt(QFile::encodeName(path).toStdString(), QFileInfo(path).fileName());
}

LoadResult ReadBikeFile(const QString& directory, std::string_view name)
{
    return readBikeFileAt(bikeFilePath(directory, name),
                          QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

} // namespace platform
