#include "platform/bikefilestore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using bikefile::BikeRecord;
const BikeRecord sample = {"11000", "24"};
const QByteArray sampleBytes = QByteArray::fromStdString(bikefile::formatRecord(sample).bytes);

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
    return all;
}

class BikeFileStoreTest : public QObject
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
    // The typed name plus .hoj gets exactly the record's bytes, replacing the old ones; a name
    // of 255 bytes with .hoj is saved too.
    void saves()
    {
        QVERIFY(platform::WriteBikeFile(".", "x", sample).ok);
        QCOMPARE(platform::WriteBikeFile(".", QString(125, u'å') + "a", sample).error, QString());
        const QStringList all = entries();
        QVERIFY2(all.contains("x.hoj=" + sampleBytes), qPrintable(all.join('|')));
        QCOMPARE(all.size(), 5); // and nothing left beside them
    }
    // A name the file system would misread or too long, anything but a regular file in the way:
    // the save says why and every entry stays as it was.
    void refuses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        const QString refused = "Namnet får inte innehålla \"/\" eller styrtecken.";
        QTest::newRow("slash") << "a/b" << refused;
        QTest::newRow("U+001F") << "\u001F" << refused;
        QTest::newRow("U+009F") << "\u009F" << refused;
        QTest::newRow("link") << QString("länk") << "aldrig genom en länk";
        QTest::newRow("pipe") << QString("rör") << "det är inte en vanlig fil.";
        QTest::newRow("256 bytes")
            << QString(126, u'å') << "högst 255 byte, och det här är 256 byte";
    }
    void refuses()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        const QStringList before = entries();
        const QString said = platform::WriteBikeFile(".", name, sample).error;
        QVERIFY2(said.contains(error), qPrintable(said));
        QCOMPARE(entries(), before);
    }
    // A bike file reads back up to the size limit; a failed load says why and gives no record.
    void loads_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("error");
        QTest::newRow("at the limit") << "limit.hoj" << QString();
        QTest::newRow("a byte over") << QString("over.hoj") << "\"over.hoj\" är för stor";
        QTest::newRow("directory")
            << QString("mapp.hoj") << "\"mapp.hoj\" kunde inte läsas: det är en mapp";
        QTest::newRow("pipe") << QString("rör.hoj") << "läsas: det är inte en vanlig fil.";
        QTest::newRow("read error")
            << QString("/proc/self/mem") << "\"mem\" kunde inte läsas: disken kunde inte";
    }
    void loads()
    {
        QFETCH(QString, path);
        QFETCH(QString, error);
        const std::string limit =
            sampleBytes.leftJustified(platform::maxBikeFileSize, ' ').toStdString();
        QVERIFY(std::ofstream("limit.hoj") << limit);
        QVERIFY(std::ofstream("over.hoj") << limit << ' ');
        const platform::LoadResult loaded = platform::ReadBikeFile(path);
        QVERIFY2(loaded.error.contains(error), qPrintable(loaded.error));
        QCOMPARE(loaded.record.has_value(), error.isEmpty());
    }
    // A save in a process of its own whose writes stop after 10 bytes: it fails, is killed there,
    // or is refused as another user's file (not as read-only). Every entry stays as it was.
    void inAProcess_data()
    {
        QTest::addColumn<uid_t>("user");
        QTest::addColumn<bool>("killed");
        QTest::addColumn<QString>("error");
        QTest::newRow("write fails")
            << uid_t{0} << false << "filen blir större än filsystemet tillåter.";
        QTest::newRow("killed") << uid_t{0} << true << QString();
        QTest::newRow("another user's file")
            << uid_t{65534} << false << "du får inte skriva i filen.";
    }
    void inAProcess()
    {
        QFETCH(uid_t, user);
        QFETCH(bool, killed);
        QFETCH(QString, error);
        if (user != 0 && geteuid() != 0)
            QSKIP("Only root may act as another user.");
        QCOMPARE(chmod(".", 0777), 0);
        const QStringList before = entries();
        const pid_t child = fork();
        if (child == 0) {
            const rlimit limit{10, 10};
            setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, killed ? [](int) { _exit(9); } : SIG_IGN);
            if (user != 0 && (setegid(user) != 0 || seteuid(user) != 0))
                _exit(1);
            const QString said = platform::WriteBikeFile(".", "x", sample).error;
            if (said == "Filen \"x.hoj\" kunde inte sparas: " + error)
                _exit(8);
            qWarning("got: %s", qPrintable(said));
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), killed ? 9 : 8); // 8: the save said why, as above
        QCOMPARE(entries(), before);
    }
    // A save replaces the content only: the file keeps its mode (000 too), owner and group.
    void keepsModeAndOwner()
    {
        if (geteuid() != 0)
            QSKIP("Only root may give a file to another user.");
        QCOMPARE(chown("x.hoj", 65534, 65534), 0);
        QCOMPARE(chmod("x.hoj", 0), 0);
        QVERIFY(platform::WriteBikeFile(".", "x", sample).ok);
        struct stat status = {};
        QCOMPARE(stat("x.hoj", &status), 0);
        QCOMPARE(status.st_mode & 07777, 0u);
        QCOMPARE(status.st_uid, 65534u);
        QCOMPARE(status.st_gid, 65534u);
    }
};

QTEST_GUILESS_MAIN(BikeFileStoreTest)
#include "bikefilestore_test.moc"
