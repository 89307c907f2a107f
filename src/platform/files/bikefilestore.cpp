#include "platform/files/bikefilestore.h"

#include "platform/files/reasons.h"

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
// may not write. Empty when the entry is a writable regular file or does not exist; existing
// then receives the status of the file, or nothing. byName: the problem is the entry that has the
// name, and another name would do.
QString replaceProblem(int directory, const char* name, std::optional<struct stat>& existing,
                       bool& byName)
{
    struct stat status = {};
    existing.reset();
    byName = false;
    if (::fstatat(directory, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? QString() : reasonText(errno);
    byName = true;
    if (S_ISLNK(status.st_mode))
        return QStringLiteral("namnet är en symbolisk länk, och Drevkalk skriver aldrig genom en "
                              "länk. Välj ett annat namn.");
    if (S_ISDIR(status.st_mode))
        return reasonText(EISDIR);
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("det är inte en vanlig fil. Välj ett annat namn.");
    if (::faccessat(directory, name, W_OK, AT_EACCESS) != 0) {
        byName = errno == EACCES;
        if (errno != EACCES)
            return reasonText(errno);
        // The user's own file is read-only; anyone else's the user simply may not write.
        return status.st_uid == ::geteuid() ? QStringLiteral("filen är skrivskyddad.")
                                            : QStringLiteral("du får inte skriva i filen.");
    }
    byName = false;
    existing = status;
    return {};
}

// Gives the new file fd the owner, group and mode of the file it replaces. Root keeps the owner
// and group, a user at least a group of the user's own; where neither can be set, the new file is
// the user's, as any file the user makes. The mode is kept whatever it is, 000 too.
bool keepAttributes(int fd, const struct stat& old)
{
    [[maybe_unused]] const bool kept = ::fchown(fd, old.st_uid, old.st_gid) == 0 ||
                                       ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    return ::fchmod(fd, old.st_mode & 07777) == 0; // after fchown, which may clear set-id bits
}

// A new hidden name of the program's own for the entry that make(name) creates: short, so that
// any name that fits can be replaced, and not ending in .hoj, so that the list never shows it.
// Tries again while make finds the name taken (EEXIST). Returns the name, or an empty one with
// errno set.
template <class Make> QByteArray freshName(Make make)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        QByteArray name = ".drevkalk-" +
                          QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
        if (make(name.constData()))
            return name;
        if (errno != EEXIST)
            break;
    }
    return {};
}

// Gives the file fd, made without a name, the entry name in directory: through /proc, or where
// that is missing through the descriptor itself (which takes the capability to read any file).
bool linkNameless(int fd, int directory, const char* name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), directory, name, AT_SYMLINK_FOLLOW) == 0)
        return true;
    return errno == ENOENT && ::linkat(fd, "", directory, name, AT_EMPTY_PATH) == 0;
}

// The record with every value composed (Unicode NFC). A value in plain ASCII is composed already.
bikefile::BikeRecord composed(bikefile::BikeRecord record)
{
    for (std::string& value : record) {
        if (std::any_of(value.begin(), value.end(), [](char c) { return (c & 0x80) != 0; }))
            value = QString::fromStdString(value)
                        .normalized(QString::NormalizationForm_C)
                        .toStdString();
    }
    return record;
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

SaveResult WriteBikeFile(const Directory& directory, const QString& name,
                         const bikefile::BikeRecord& record)
{
    SaveResult result;
    result.fileName = bikeFileName(name);
    if (const auto refusal = refuseName(name)) {
        result.error = *refusal;
        result.nameAtFault = true;
        return result;
    }
    const bikefile::FormatResult formatted = bikefile::formatRecord(composed(record));
    if (!formatted.ok()) {
        result.unencodable = formatted.unencodable;
        result.tooLarge = formatted.tooLarge;
        return result;
    }
    const auto failed = [&result](const QString& reason) {
        result.error = saveFailed(result.fileName, reason);
        return result;
    };

    // Everything below works relative to the directory held.
    const int dir = directory.fd();
    if (dir < 0)
        return failed(reasonText(directory.error()));
    const QByteArray target = QFile::encodeName(result.fileName);
    const long nameMax = ::fpathconf(dir, _PC_NAME_MAX);
    const qsizetype maxBytes = nameMax > 0 ? nameMax : NAME_MAX;
    if (target.size() > maxBytes) {
        result.error = QStringLiteral("Namnet är för långt: filnamnet med \".hoj\" får vara högst "
                                      "%1 byte, och det här är %2 byte. Bokstäver som å, ä och ö "
                                      "tar två byte var.")
                           .arg(maxBytes)
                           .arg(target.size());
        result.nameAtFault = true;
        return result;
    }
    std::optional<struct stat> existing;
    if (const QString problem =
            replaceProblem(dir, target.constData(), existing, result.nameAtFault);
        !problem.isEmpty())
        return failed(problem);

    // The new content goes to a file without a name, which takes one only once it is complete and
    // on disk: a save cut short at any point before leaves nothing. A file system that cannot make
    // such a file gets a new file of a name of its own instead, created here and nowhere else:
    // never an existing file, never a link.
    QByteArray temporary; // the new file's name, once it has one
    int fd = ::openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
        temporary = freshName([&](const char* fresh) {
            fd = ::openat(dir, fresh, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            return fd >= 0;
        });
    }
    if (fd < 0)
        return failed(reasonText(errno));
    Descriptor file(fd);
    auto removeTemporary = qScopeGuard([&] {
        if (!temporary.isEmpty())
            ::unlinkat(dir, temporary.constData(), 0);
    });

    if (existing && !keepAttributes(fd, *existing))
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
    if (::fsync(fd) != 0)
        return failed(reasonText(errno));
    if (temporary.isEmpty()) {
        temporary = freshName([&](const char* fresh) { return linkNameless(fd, dir, fresh); });
        if (temporary.isEmpty())
            return failed(reasonText(errno));
    }
    if (!file.close())
        return failed(reasonText(errno));
    // Once more just before the rename, in case the entry changed meanwhile. The rename replaces
    // the entry itself in any case: it never follows a link.
    if (const QString problem =
            replaceProblem(dir, target.constData(), existing, result.nameAtFault);
        !problem.isEmpty())
        return failed(problem);
    if (::renameat(dir, temporary.constData(), dir, target.constData()) != 0)
        return failed(reasonText(errno));
    removeTemporary.dismiss();
    result.ok = true;
    return result;
}

SaveResult WriteBikeFile(const QString& directory, const QString& name,
                         const bikefile::BikeRecord& record)
{
    return WriteBikeFile(Directory(QFile::encodeName(directory).constData()), name, record);
}

namespace {

// Reads the file at path (relative to the directory descriptor at), whole, naming it fileName in a
// message. It is opened first, without
// waiting, and then asked what it is: a pipe or a device put in the file's place between a look
// at the name and the opening could otherwise keep the window waiting for ever.
LoadResult readBikeFileAt(int at, const char* path, const QString& fileName)
{
    LoadResult result;
    const Descriptor file(::openat(at, path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
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
    // One buffer of one byte more than allowed, which tells a file at the limit from a larger
    // one, also when the file grows while it is read.
    std::string bytes(bikefile::maxFileSize + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
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
    if (filled > bikefile::maxFileSize) {
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
    return readBikeFileAt(AT_FDCWD, QFile::encodeName(path).constData(),
                          QFileInfo(path).fileName());
}

LoadResult ReadBikeFile(const Directory& directory, std::string_view name)
{
    return readBikeFileAt(directory.fd(), std::string(name).c_str(),
                          QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

} // namespace platform
