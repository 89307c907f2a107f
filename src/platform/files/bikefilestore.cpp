#include "platform/files/bikefilestore.h"

#include "platform/files/reasons.h"

#include <QFile>
#include <QRandomGenerator>

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
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    // Closes it now: some file systems report a failed write only here.
    bool close() { return ::close(std::exchange(m_fd, -1)) == 0; }

private:
    int m_fd;
};

// Why a save cannot go on; no reason when it can.
struct Problem
{
    QString reason;
    bool byName = false; // the entry that has the name is the problem: another name would do
};

Problem fromErrno(int error)
{
    return {reasonText(error)};
}

// Why a save may not replace the entry `name` of the directory: a symbolic link (which would
// lead the write elsewhere), a directory or anything else but a regular file, or a file the user
// may not write. None when the entry is a writable regular file or does not exist; existing then
// receives the status of the file, or nothing.
Problem replaceProblem(int directory, const char* name, std::optional<struct stat>& existing)
{
    struct stat status = {};
    existing.reset();
    if (::fstatat(directory, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Problem{} : fromErrno(errno);
    if (S_ISLNK(status.st_mode))
        return {QStringLiteral("namnet är en symbolisk länk, och Drevkalk skriver aldrig genom en "
                               "länk. Välj ett annat namn."),
                true};
    if (S_ISDIR(status.st_mode))
        return {reasonText(EISDIR), true};
    if (!S_ISREG(status.st_mode))
        return {QStringLiteral("det är inte en vanlig fil. Välj ett annat namn."), true};
    if (::faccessat(directory, name, W_OK, AT_EACCESS) != 0) {
        if (errno != EACCES)
            return fromErrno(errno);
        // The user's own file is read-only; anyone else's the user simply may not write.
        return {status.st_uid == ::geteuid() ? QStringLiteral("filen är skrivskyddad.")
                                             : QStringLiteral("du får inte skriva i filen."),
                true};
    }
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

QString extension()
{
    return QString::fromLatin1(fileExtension.data(), static_cast<qsizetype>(fileExtension.size()));
}

// Why no file of this name can exist in the directory at all: its bytes are more than the file
// system allows. Nothing when it fits.
std::optional<QString> tooLong(int directory, const QByteArray& target)
{
    const long nameMax = ::fpathconf(directory, _PC_NAME_MAX);
    const qsizetype maxBytes = nameMax > 0 ? nameMax : NAME_MAX;
    if (target.size() <= maxBytes)
        return std::nullopt;
    return QStringLiteral("Namnet är för långt: filnamnet med \"%1\" får vara högst %2 byte, och "
                          "det här är %3 byte. Bokstäver som å, ä och ö tar två byte var.")
        .arg(extension())
        .arg(maxBytes)
        .arg(target.size());
}

// The new file of a save, open for writing. It has no name until it is complete and on disk,
// where the file system can make such a file; elsewhere it has a hidden name of its own, and it
// is removed again unless it replaced the file.
struct Temporary
{
    explicit Temporary(int directory) : directory(directory) {}
    ~Temporary()
    {
        if (!name.isEmpty())
            ::unlinkat(directory, name.constData(), 0);
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    int directory;
    Descriptor file;
    QByteArray name; // once it has one
};

// Creates the new file, created here and nowhere else: never an existing file, never a link. It
// takes the attributes of the file it is to replace.
Problem createTemporary(Temporary& temporary, const std::optional<struct stat>& existing)
{
    const int dir = temporary.directory;
    int fd = ::openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
        temporary.name = freshName([&](const char* fresh) {
            fd = ::openat(dir, fresh, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            return fd >= 0;
        });
    }
    if (fd < 0)
        return fromErrno(errno);
    temporary.file.reset(fd);
    if (existing && !keepAttributes(fd, *existing))
        return fromErrno(errno);
    return {};
}

Problem writeAll(int fd, std::string_view bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fromErrno(written < 0 ? errno : EIO);
        done += static_cast<std::size_t>(written);
    }
    return {};
}

// Puts the new file on disk, gives it a name if it has none, and closes it: some file systems
// report a failed write only there.
Problem flushAndName(Temporary& temporary)
{
    const int fd = temporary.file.get();
    if (::fsync(fd) != 0)
        return fromErrno(errno);
    if (temporary.name.isEmpty()) {
        temporary.name = freshName(
            [&](const char* fresh) { return linkNameless(fd, temporary.directory, fresh); });
        if (temporary.name.isEmpty())
            return fromErrno(errno);
    }
    if (!temporary.file.close())
        return fromErrno(errno);
    return {};
}

// The new file takes the place of the entry target, which is looked at once more just before, in
// case it changed meanwhile. The rename replaces the entry itself in any case: it never follows a
// link.
Problem replaceEntry(Temporary& temporary, const char* target)
{
    std::optional<struct stat> existing;
    if (Problem problem = replaceProblem(temporary.directory, target, existing);
        !problem.reason.isEmpty())
        return problem;
    if (::renameat(temporary.directory, temporary.name.constData(), temporary.directory, target) !=
        0)
        return fromErrno(errno);
    temporary.name.clear(); // it is the file now
    return {};
}

// Reads the open file fd whole: up to maxBytes, and one byte more, which tells a file at the limit
// from a larger one, also when the file grows while it is read. Returns the bytes read, or nothing
// with errno set.
std::optional<std::string> readBounded(int fd, std::size_t maxBytes)
{
    std::string bytes(maxBytes + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

// Why the open file fd may not be read as a bike file: it is not a regular file. None when it
// may.
QString notAFile(int fd)
{
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        return reasonText(errno);
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("det är en mapp, inte en fil.");
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("det är inte en vanlig fil.");
    return {};
}

} // namespace

QString bikeFileName(const QString& name)
{
    return name + extension();
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

SaveResult WriteBikeFile(const Directory& directory, const QString& name, std::string_view bytes)
{
    SaveResult result;
    const QString fileName = bikeFileName(name);
    if (auto refusal = refuseName(name)) {
        result.error = std::move(*refusal);
        result.nameAtFault = true;
        return result;
    }
    // Everything below works relative to the directory held.
    const int dir = directory.fd();
    if (dir < 0) {
        result.error = saveFailed(fileName, reasonText(directory.error()));
        return result;
    }
    const QByteArray target = QFile::encodeName(fileName);
    if (auto refusal = tooLong(dir, target)) {
        result.error = std::move(*refusal);
        result.nameAtFault = true;
        return result;
    }
    std::optional<struct stat> existing;
    Temporary temporary(dir);
    Problem problem = replaceProblem(dir, target.constData(), existing);
    if (problem.reason.isEmpty())
        problem = createTemporary(temporary, existing);
    if (problem.reason.isEmpty())
        problem = writeAll(temporary.file.get(), bytes);
    if (problem.reason.isEmpty())
        problem = flushAndName(temporary);
    if (problem.reason.isEmpty())
        problem = replaceEntry(temporary, target.constData());
    result.ok = problem.reason.isEmpty();
    if (!result.ok)
        result.error = saveFailed(fileName, problem.reason);
    result.nameAtFault = problem.byName;
    return result;
}

LoadResult ReadBikeFile(const Directory& directory, std::string_view name, std::size_t maxBytes)
{
    LoadResult result;
    const QString fileName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    // Opened first, without waiting, and then asked what it is: a pipe or a device put in the
    // file's place between a look at the name and the opening could otherwise keep the window
    // waiting for ever.
    const Descriptor file(::openat(directory.fd(), std::string(name).c_str(),
                                   O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        result.error = loadFailed(fileName, errno == ENOENT ? QStringLiteral("filen finns inte.")
                                                            : reasonText(errno));
        return result;
    }
    if (const QString problem = notAFile(file.get()); !problem.isEmpty()) {
        result.error = loadFailed(fileName, problem);
        return result;
    }
    result.bytes = readBounded(file.get(), maxBytes);
    if (!result.bytes) {
        result.error = loadFailed(fileName, reasonText(errno));
    } else if (result.bytes->size() > maxBytes) {
        result.bytes.reset();
        result.error =
            QStringLiteral("Filen \"%1\" är för stor för att vara en hojfil.").arg(fileName);
    }
    return result;
}

} // namespace platform
