#include "platform/bikefilestore.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using bikefile::BikeRecord;
const BikeRecord sample = {"11000", "24",  "60",  "2,5",  "45",
                           "15",    "3",   "185", "2,95", "1,6",
                           "1,3",   "1,1", "",    "",     "Min hoj\nå ä ö €"};
const QByteArray sampleBytes = QByteArray::fromStdString(bikefile::formatRecord(sample).bytes);

// Every entry of the working directory with its content, hidden ones too, so that a temporary
// file left behind shows.
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

// The values of a record, for a comparison that names the one that differs.
QStringList values(const std::optional<BikeRecord>& record)
{
    QStringList list;
    for (const std::string& value : record.value_or(BikeRecord{}))
        list << QString::fromStdString(value);
    return record ? list : QStringList{"no record"};
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

    // The typed name plus .hoj gets exactly the record's bytes; a later save replaces them whole.
    void saves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("x") << "x";
        QTest::newRow(".hoj twice") << "x.hoj";
        QTest::newRow("empty") << "";
        QTest::newRow("255 bytes with .hoj") << QString(125, u'å') + "a";
    }
    void saves()
    {
        QFETCH(QString, name);
        const platform::SaveResult saved = platform::WriteBikeFile(".", name, sample);
        QCOMPARE(saved.error, QString());
        QVERIFY(entries().contains(saved.fileName + "=" + sampleBytes));
        QVERIFY(platform::WriteBikeFile(".", name, BikeRecord{}).ok);
        QCOMPARE(values(platform::ReadBikeFile(saved.fileName).record), values(BikeRecord{}));
        QCOMPARE(entries().size(), name == "x" ? 4 : 5);
    }

    // A name the file system would misread, a name too long, anything but a regular file in the
    // way, or a directory that is gone: the save says why and every entry stays as it was.
    void refuses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("directory");
        const QString here = ".", refused = "Namnet får inte innehålla \"/\" eller styrtecken.";
        const QString failed = "Filen \"%1.hoj\" kunde inte sparas: ";
        QTest::newRow("slash") << "a/b" << refused << here;
        QTest::newRow("tab") << "\t" << refused << here;
        QTest::newRow("U+009F") << "\u009F" << refused << here;
        QTest::newRow("directory")
            << "mapp" << failed.arg("mapp") + "det är en mapp, inte en fil." << here;
        QTest::newRow("link") << "länk"
                              << failed.arg("länk") +
                                     "namnet är en symbolisk länk, och Drevkalk skriver aldrig "
                                     "genom en länk. Välj ett annat namn."
                              << here;
        QTest::newRow("pipe") << "rör"
                              << failed.arg("rör") +
                                     "det är inte en vanlig fil. Välj ett annat namn."
                              << here;
        QTest::newRow("no directory")
            << "x" << failed.arg("x") + "filen eller mappen finns inte." << QString("borta");
        QTest::newRow("256 bytes")
            << QString(126, u'å')
            << "Namnet är för långt: filnamnet med \".hoj\" får vara högst 255 byte, och det här "
               "är 256 byte. Bokstäver som å, ä och ö tar två byte var."
            << here;
    }
    void refuses()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        QFETCH(QString, directory);
        const QStringList before = entries();
        QCOMPARE(platform::WriteBikeFile(directory, name, sample).error, error);
        QCOMPARE(entries(), before);
    }

    // Every write fails, or the first stops after 10 bytes, as on a full disk: the save says so,
    // and x.hoj stays as it was, with nothing left beside it.
    void failedWrite_data()
    {
        QTest::addColumn<rlim_t>("limit");
        QTest::newRow("no byte") << rlim_t{0};
        QTest::newRow("10 bytes") << rlim_t{10};
    }
    void failedWrite()
    {
        QFETCH(rlim_t, limit);
        std::signal(SIGXFSZ, SIG_IGN);
        const QStringList before = entries();
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const rlimit small{limit, old.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const platform::SaveResult saved = platform::WriteBikeFile(".", "x", sample);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);
        QCOMPARE(saved.error,
                 "Filen \"x.hoj\" kunde inte sparas: filen blir större än filsystemet tillåter.");
        QCOMPARE(entries(), before);
    }

    // A bike file reads back, up to the size limit, also one whose size is not known before it is
    // read; a failed load says why and gives no record.
    void loads_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("error");
        const QString unread = "Filen \"%1\" kunde inte läsas: ";
        const QString cut =
            "Filen \"%1\" är inte en hel hojfil: den tar slut före det femtonde värdet.";
        QTest::newRow("bike file") << "bike.hoj" << QString();
        QTest::newRow("at the limit") << "limit.hoj" << QString();
        QTest::newRow("a byte over") << "over.hoj"
                                     << "Filen \"over.hoj\" är för stor för att vara en hojfil.";
        QTest::newRow("no 15th value") << "short.hoj" << cut.arg("short.hoj");
        QTest::newRow("size unknown") << "/proc/sys/kernel/ostype" << cut.arg("ostype");
        QTest::newRow("directory")
            << "mapp.hoj" << unread.arg("mapp.hoj") + "det är en mapp, inte en fil.";
        QTest::newRow("pipe") << "rör.hoj" << unread.arg("rör.hoj") + "det är inte en vanlig fil.";
        QTest::newRow("read error")
            << "/proc/self/mem" << unread.arg("mem") + "disken kunde inte läsas eller skrivas.";
    }
    void loads()
    {
        QFETCH(QString, path);
        QFETCH(QString, error);
        const QByteArray limit = sampleBytes.leftJustified(platform::maxBikeFileSize, ' ');
        QVERIFY(std::ofstream("bike.hoj") << sampleBytes.toStdString());
        QVERIFY(std::ofstream("limit.hoj") << limit.toStdString());
        QVERIFY(std::ofstream("over.hoj") << limit.toStdString() << ' ');
        QVERIFY(std::ofstream("short.hoj")
                << sampleBytes.left(sampleBytes.indexOf("\"Min")).toStdString());
        const platform::LoadResult loaded = platform::ReadBikeFile(path);
        QCOMPARE(loaded.error, error);
        QCOMPARE(values(loaded.record),
                 values(error.isEmpty() ? std::optional(sample) : std::nullopt));
    }
    // A save killed in the middle of its write (by the file size limit) leaves the old file as
    // it was and nothing beside it.
    void killedMidSave()
    {
        QVERIFY(std::ofstream("x.hoj") << "old");
        const QStringList before = entries();
        const pid_t child = fork();
        if (child == 0) {
            const rlimit limit{10, 10};
            setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, [](int) { _exit(9); });
            platform::WriteBikeFile(".", "x", sample);
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 9); // killed, not returned
        QCOMPARE(entries(), before);
    }
    // A save replaces the content only: the file keeps its mode (000 too), owner and group.
    void keepsModeAndOwner()
    {
        if (geteuid() != 0)
            QSKIP("Only root may give a file to another user.");
        QVERIFY(std::ofstream("x.hoj") << "old");
        QCOMPARE(chown("x.hoj", 65534, 65534), 0);
        QCOMPARE(chmod("x.hoj", 0), 0);
        QVERIFY(platform::WriteBikeFile(".", "x", sample).ok);
        struct stat status = {};
        QCOMPARE(stat("x.hoj", &status), 0);
        QCOMPARE(status.st_mode & 07777, 0u);
        QCOMPARE(status.st_uid, 65534u);
        QCOMPARE(status.st_gid, 65534u);
    }
    // Another user's file, which this user may not write, is refused as such: not as read-only.
    void anotherUsersFile()
    {
        if (geteuid() != 0)
            QSKIP("Only root may act as another user.");
        QVERIFY(std::ofstream("x.hoj") << "old");
        QCOMPARE(chmod(".", 0777), 0);
        const auto asRoot = qScopeGuard([] {
            QCOMPARE(seteuid(0), 0);
            QCOMPARE(setegid(0), 0);
        });
        QCOMPARE(setegid(65534), 0);
        QCOMPARE(seteuid(65534), 0);
        QCOMPARE(platform::WriteBikeFile(".", "x", sample).error,
                 "Filen \"x.hoj\" kunde inte sparas: du får inte skriva i filen.");
    }
};

QTEST_GUILESS_MAIN(BikeFileStoreTest)
#include "bikefilestore_test.moc"
