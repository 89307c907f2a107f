#include "platform/files/bikefilelist.h"
#include "platform/files/bikefilestore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdarg>
#include <fcntl.h>
#include <fstream>
#include <malloc.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

const std::string sample = "\"11000\",\"24\"\r\n";

// Every entry of the working directory with its content, hidden ones too: a temporary file shows.
QStringList entries()
{
    QStringList all;
    for (const QFileInfo& entry : QDir().entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot)) {
        QFile file(entry.fileName());
        all << entry.fileName() + "=" +
                   (entry.isFile() && file.open(QFile::ReadOnly) ? file.readAll() : "");
    }
    all.sort();
    return all;
}

platform::SaveResult save(const QString& name)
{
    return platform::WriteBikeFile(platform::Directory("."), name, sample);
}

// Set, the file system cannot make a file without a name, as NFS and some FUSE file systems
// cannot: a save must then go through a hidden name of its own.
bool noNamelessFiles = false;

extern "C" int openat(int directory, const char* path, int flags, ...)
{
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, mode_t);
        va_end(arguments);
    }
    if (noNamelessFiles && (flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return static_cast<int>(syscall(SYS_openat, directory, path, flags, mode));
}

// Every directory claims to be 1 GiB large, as a network or FUSE file system may.
extern "C" int fstat(int fd, struct stat* status) noexcept
{
    const int result = fstatat(fd, "", status, AT_EMPTY_PATH);
    if (result == 0 && S_ISDIR(status->st_mode))
        status->st_size = 0x3fffffff;
    return result;
}

// How a save in a process of its own is cut short, or goes through a hidden name.
enum class Cut { writeFails, killed, anotherUser, noProc, hidden, hiddenWriteFails };
Q_DECLARE_METATYPE(Cut)

class FilesTest : public QObject
{
    Q_OBJECT
    std::optional<QTemporaryDir> dir; // the working directory, with entries in the way of a save
private slots:
    void init()
    {
        QVERIFY(dir.emplace().isValid());
        QVERIFY(QDir::setCurrent(dir->path()));
        QVERIFY(std::ofstream("x.hoj") << "old");
        QVERIFY(QDir().mkdir("mapp.hoj"));
        QVERIFY(QFile::link("x.hoj", "länk.hoj"));
        QCOMPARE(mkfifo("rör.hoj", 0600), 0);
    }
    // A name plus .hoj of up to 255 bytes gets the bytes, and nothing beside it. A name misread
    // or too long, or no regular file in the way: said why, the name at fault, nothing changed.
    void saves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        const QString refused = "Namnet får inte innehålla \"/\" eller styrtecken.";
        QTest::newRow("255 bytes") << QString(125, u'å') + "a" << QString();
        QTest::newRow("slash") << "a/b" << refused;
        QTest::newRow("U+001F") << "\u001F" << refused;
        QTest::newRow("U+009F") << "\u009F" << refused;
        QTest::newRow("link") << QString("länk") << "aldrig genom en länk";
        QTest::newRow("pipe") << QString("rör") << "det är inte en vanlig fil.";
    }
    void saves()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        const QStringList before = entries();
        const platform::SaveResult saved = save(name);
        QVERIFY2(saved.error.contains(error), qPrintable(saved.error));
        QCOMPARE(saved.nameAtFault, !error.isEmpty());
        QStringList wanted = before;
        if (error.isEmpty())
            wanted << name + ".hoj=" + QString::fromStdString(sample);
        QCOMPARE(entries(), wanted);
    }
    // A file reads back whole up to the limit; a failed load says why and gives no bytes.
    void loads_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::newRow("at the limit") << QString("limit.hoj") << QString();
        QTest::newRow("gone") << QString("borta.hoj") << "läsas: filen finns inte.";
        QTest::newRow("directory") << QString("mapp.hoj") << "läsas: det är en mapp, inte en fil.";
        QTest::newRow("pipe") << QString("rör.hoj") << "läsas: det är inte en vanlig fil.";
        QTest::newRow("read error") << QString("mem.hoj") << "\"mem.hoj\" kunde inte läsas: disken";
    }
    void loads()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        QVERIFY(std::ofstream("limit.hoj") << sample);
        QVERIFY(QFile::link("/proc/self/mem", "mem.hoj"));
        const platform::LoadResult loaded =
            platform::ReadBikeFile(platform::Directory("."), name.toStdString(), sample.size());
        QVERIFY2(loaded.error.contains(error), qPrintable(loaded.error));
        QCOMPARE(loaded.bytes.value_or("none"), error.isEmpty() ? sample : "none");
    }
    // Writes stop after 10 bytes: the save fails or is killed there; another user's file is
    // refused as such, not as read-only; without /proc the new file gets its name through its
    // descriptor. A failed save leaves every entry as it was.
    void inAProcess_data()
    {
        QTest::addColumn<Cut>("cut");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("nameAtFault");
        QTest::newRow("write fails")
            << Cut::writeFails << "filen blir större än filsystemet tillåter." << false;
        QTest::newRow("killed") << Cut::killed << QString() << false;
        QTest::newRow("another user's file")
            << Cut::anotherUser << "du får inte skriva i filen." << true;
        QTest::newRow("no /proc") << Cut::noProc << QString() << false;
        QTest::newRow("hidden name") << Cut::hidden << QString() << false;
        QTest::newRow("write fails, hidden name")
            << Cut::hiddenWriteFails << "filen blir större än filsystemet tillåter." << false;
    }
    void inAProcess()
    {
        QFETCH(Cut, cut);
        QFETCH(QString, error);
        QFETCH(bool, nameAtFault);
        if ((cut == Cut::anotherUser || cut == Cut::noProc) && geteuid() != 0)
            QSKIP("Only root may act as another user or unmount /proc.");
        QCOMPARE(chmod(".", 0777), 0);
        const QStringList before = entries();
        const pid_t child = fork();
        if (child == 0) {
            const rlimit limit{10, 10};
            noNamelessFiles = cut == Cut::hidden || cut == Cut::hiddenWriteFails;
            if (cut == Cut::writeFails || cut == Cut::killed || cut == Cut::hiddenWriteFails)
                setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, cut == Cut::killed ? [](int) { _exit(9); } : SIG_IGN);
            if (cut == Cut::anotherUser && (setegid(65534) != 0 || seteuid(65534) != 0))
                _exit(1);
            if (cut == Cut::noProc && (unshare(CLONE_NEWNS) != 0 ||
                                       mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) ||
                                       umount2("/proc", MNT_DETACH) != 0))
                _exit(7);
            const platform::SaveResult saved = save("x");
            if (saved.error.endsWith(error) && saved.ok == error.isEmpty() &&
                saved.nameAtFault == nameAtFault)
                _exit(8);
            qWarning("got \"%s\", name at fault %d; wanted \"...%s\", %d", qPrintable(saved.error),
                     saved.nameAtFault, qPrintable(error), nameAtFault);
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        if (WEXITSTATUS(status) == 7)
            QSKIP("This system gives the test no mount namespace of its own.");
        QCOMPARE(WEXITSTATUS(status), cut == Cut::killed ? 9 : 8); // 8: the save said as above
        QStringList after = before;
        if (cut == Cut::noProc || cut == Cut::hidden)
            after.replaceInStrings("=old", QString::fromStdString("=" + sample));
        QCOMPARE(entries(), after);
    }
    // What the list takes follows the names it finds, not the size the directory reports.
    void listMemoryFollowsTheNames()
    {
        const auto names = platform::listBikeFiles(platform::Directory("."));
        QCOMPARE(names.size(), 2);                              // x.hoj and the link to it
        QCOMPARE_LE(mallinfo2().hblkhd, std::size_t{64} << 20); // blocks of their own, mapped
    }
    // A save replaces the content only: the file keeps its mode (000 too), owner and group.
    void keepsModeAndOwner()
    {
        if (geteuid() != 0)
            QSKIP("Only root may give a file to another user.");
        QCOMPARE(chown("x.hoj", 65534, 65534), 0);
        QCOMPARE(chmod("x.hoj", 0), 0);
        QVERIFY(save("x").ok);
        struct stat status = {};
        QCOMPARE(stat("x.hoj", &status), 0);
        QCOMPARE(status.st_mode & 07777, 0u);
        QCOMPARE(status.st_uid, 65534u);
        QCOMPARE(status.st_gid, 65534u);
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "files_test.moc"
