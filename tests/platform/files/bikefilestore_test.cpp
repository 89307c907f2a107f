#include "platform/files/bikefilestore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

const bikefile::BikeRecord sample = {"11000", "24"};
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
    // The name plus .hoj gets the record's bytes, replacing the old; 255 bytes with .hoj is fine.
    void saves()
    {
        QVERIFY(platform::WriteBikeFile(".", "x", sample).ok);
        QCOMPARE(platform::WriteBikeFile(".", QString(125, u'å') + "a", sample).error, QString());
        const QStringList all = entries();
        QVERIFY2(all.contains("x.hoj=" + sampleBytes), qPrintable(all.join('|')));
        QCOMPARE(all.size(), 5); // and nothing left beside them
    }
    // A name misread or too long, or no regular file in the way: said why, every entry as it was.
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
        QTest::newRow("256 bytes") << QString(126, u'å') << "255 byte, och det här är 256 byte";
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
        QTest::newRow("directory") << QString("mapp.hoj") << "läsas: det är en mapp, inte en fil.";
        QTest::newRow("pipe") << QString("rör.hoj") << "läsas: det är inte en vanlig fil.";
        QTest::newRow("read error")
            << QString("/proc/self/mem") << "\"mem\" kunde inte läsas: disken";
    }
    void loads()
    {
        QFETCH(QString, path);
        QFETCH(QString, error);
        const std::string limit =
            sampleBytes.leftJustified(qsizetype{bikefile::maxFileSize}, ' ').toStdString();
        QVERIFY(std::ofstream("limit.hoj") << limit);
        QVERIFY(std::ofstream("over.hoj") << limit << ' ');
        const platform::LoadResult loaded = platform::ReadBikeFile(path);
        QVERIFY2(loaded.error.contains(error), qPrintable(loaded.error));
        QCOMPARE(loaded.record.has_value(), error.isEmpty());
    }
    // Writes stop after 10 bytes: the save fails or is killed there; another user's file is
    // refused as such, not as read-only. Every entry stays as it was.
    void inAProcess_data()
    {
        QTest::addColumn<uid_t>("user");
        QTest::addColumn<bool>("killed");
        QTest::addColumn<QString>("error");
        QTest::newRow("write fails") << 0u << false << "filen blir större än filsystemet tillåter.";
        QTest::newRow("killed") << 0u << true << QString();
        QTest::newRow("another user's file") << 65534u << false << "du får inte skriva i filen.";
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
