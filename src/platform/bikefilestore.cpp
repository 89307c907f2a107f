#include "platform/bikefilestore.h"

#include "platform/bikefilelist.h"
#include "platform/reasons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>
#include <utility>

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

// A file descriptor, closed when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    // Closes it now: some file systems report a failed write only here.
    bool close() { return ::close(std::exchange(m_fd, -1)) == 0; }

private:
    int m_fd;
};

// Why a save may not replace the entry `name` of the directory: a symbolic link (which would
// lead the write elsewhere), a directory or anything else but a regular file, or a file the user
// may not write. Empty when the entry is a writable regular file or does not exist; mode then
// receives the permissions of the existing file, or 0.
QString replaceProblem(int directory, const char* name, mode_t& mode)
{
    struct stat status = {};
    mode = 0;
    if (::fstatat(directory, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? QString() : reasonText(errno);
    if (S_ISLNK(status.st_mode))
        return QStringLiteral("namnet är en symbolisk länk, och Drevkalk skriver aldrig genom en "
                              "länk. Välj ett annat namn.");
    if (S_ISDIR(status.st_mode))
        return reasonText(EISDIR);
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("det är inte en vanlig fil. Välj ett annat namn.");
    if (::faccessat(directory, name, W_OK, AT_EACCESS) != 0)
        return errno == EACCES ? QStringLiteral("filen är skrivskyddad.") : reasonText(errno);
    mode = status.st_mode & 0777;
    return {};
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
        result.tooLarge = formatted.tooLarge;
        return result;
    }
    const auto failed = [&result](const QString& reason) {
        result.error = saveFailed(result.fileName, reason);
        return result;
    };

    // Everything below works relative to the directory as opened here.
    const Descriptor dir(
        ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0)
        return failed(reasonText(errno));
    const QByteArray target = QFile::encodeName(result.fileName);
    const long nameMax = ::fpathconf(dir.get(), _PC_NAME_MAX);
    const qsizetype maxBytes = nameMax > 0 ? nameMax : NAME_MAX;
    if (target.size() > maxBytes) {
        result.error = QStringLiteral("Namnet är för långt: filnamnet med \".hoj\" får vara högst "
                                      "%1 byte, och det här är %2 byte. Bokstäver som å, ä och ö "
                                      "tar två byte var.")
                           .arg(maxBytes)
                           .arg(target.size());
        return result;
    }
    mode_t mode = 0;
    if (const QString problem = replaceProblem(dir.get(), target.constData(), mode);
        !problem.isEmpty())
        return failed(problem);

    // A new file of a short name of its own (so any name that fits can be replaced), hidden and
    // not ending in .hoj, created here and nowhere else: never an existing file, never a link.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temporary = ".drevkalk-" +
                    QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
        fd = ::openat(dir.get(), temporary.constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return failed(reasonText(errno));
    Descriptor file(fd);
    auto removeTemporary = qScopeGuard([&] { ::unlinkat(dir.get(), temporary.constData(), 0); });

    if (mode != 0 && ::fchmod(fd, mode) != 0) // the replaced file's permissions stay
        return failed(reasonText(errno));
    const std::string& bytes = formatted.bytes;
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return failed(reasonText(written < 0 ? errno : EIO));
        done += static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0 || !file.close())
        return failed(reasonText(errno));
    // Once more just before the rename, in case the entry changed meanwhile. The rename replaces
    // the entry itself in any case: it never follows a link.
    if (const QString problem = replaceProblem(dir.get(), target.constData(), mode);
        !problem.isEmpty())
        return failed(problem);
    if (::renameat(dir.get(), temporary.constData(), dir.get(), target.constData()) != 0)
        return failed(reasonText(errno));
    removeTemporary.dismiss();
    result.ok = true;
    return result;
}

namespace {

// Reads the file at path, whole, naming it fileName in a message. It is opened first, without
// waiting, and then asked what it is: a pipe or a device put in the file's place between a look
// at the name and the opening could otherwise keep the window waiting for ever.
LoadResult readBikeFileAt(const std::string& path, const QString& fileName)
{
    LoadResult result;
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    const int fd = file.get();
    if (fd < 0) {
        const int error = errno;
        result.error = loadFailed(fileName, error == ENOENT ? QStringLiteral("filen finns inte.")
                                                            : reasonText(error));
        return result;
    }
    struct stat status = {};
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
    std::string bytes(
        std::min(static_cast<std::size_t>(std::max<off_t>(status.st_size, 0)) + 1, limit), '\0');
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
