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
const BikeRecord sample = {"11000", "24", "60", "2,5", "45", "15", "3", "185", "2,95", "2", "1,6",
                           "1,3", "1,1", "", "Min hoj\nå ä ö €"};
const QByteArray sampleBytes = QByteArray::fromStdString(bikefile::formatRecord(sample).bytes);
QByteArray bytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<none>";
}
// Every entry with its content, hidden ones too, so that a stray temporary file shows.
QStringList entries()
{
    QStringList all;
    for (const QString& name : QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                | QDir::NoDotAndDotDot, QDir::Name))
        all << name + "=" + (QFileInfo(name).isFile() ? bytes(name) : "");
    return all;
}
class BikeFileStoreTest : public QObject
{
    Q_OBJECT
    std::optional<QTemporaryDir> dir; // the working directory
private slots:
    void init() { QVERIFY(dir.emplace().isValid() && QDir::setCurrent(dir->path())); }
    // name.hoj gets exactly the record's bytes; a later save replaces them whole. A refused
    // name, an unencodable value ("u"), a name too long, or a directory, link or pipe in the way
    // writes nothing: every entry stays as it was.
    void saves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error"); // empty: it saves; "*why": a failed save says why
        for (const QString& name : QStringList{"x", "x.hoj", "", " x ", "Öl & € \\ *", "..", "u",
                 QString(125, u'å') + "a"}) // 255 bytes with .hoj
            QTest::newRow(qPrintable("'" + name.left(12) + "'")) << name << QString();
        const QString refused = QStringLiteral("Namnet får inte innehålla \"/\" eller styrtecken.");
        for (const QString name : {"a/b", "../x", "\t", "x\x7F", "\u0085", "\u009F"})
            QTest::newRow(qPrintable(name)) << name << refused;
        QTest::newRow("NUL") << QString(QChar(0)) + "x" << refused;
        for (auto [name, why] : {std::pair{QString("mapp"), "det är en mapp, inte en fil."},
                 {"länk", "namnet är en symbolisk länk"}, {"rör", "det är inte en vanlig fil"},
                 {QString(126, u'å'), "högst 255 byte, och det här är 256"}})
            QTest::newRow(qPrintable(name.left(12))) << name << QString("*") + why;
    }
    void saves()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        QVERIFY(std::ofstream("x.hoj") << "old");
        QVERIFY(QDir().mkdir("mapp.hoj") && QFile::link("x.hoj", "länk.hoj")
                && mkfifo("rör.hoj", 0600) == 0);
        BikeRecord record = sample;
        record[13] = name == "u" ? "\u2009" : "";
        const QStringList before = entries();
        const auto saved = platform::WriteBikeFile(".", name, record);
        QCOMPARE(saved.fileName, name + ".hoj");
        QCOMPARE(saved.unencodable ? int(saved.unencodable->value) : -1, name == "u" ? 13 : -1);
        const bool failed = error.startsWith('*');
        QCOMPARE(platform::refuseName(name).value_or("*"), error.isEmpty() || failed ? "*" : error);
        QVERIFY2(failed ? saved.error.contains(error.mid(1)) : saved.error == error,
                 qPrintable(saved.error));
        QCOMPARE(saved.ok, error.isEmpty() && name != "u");
        QCOMPARE(entries() == before, !saved.ok);
        if (!saved.ok)
            return;
        QCOMPARE(bytes(saved.fileName), sampleBytes);
        QCOMPARE(entries().size(), name == "x" ? 4 : 5);
        QVERIFY(platform::WriteBikeFile(".", name, BikeRecord{}).ok);
        QCOMPARE(platform::ReadBikeFile(saved.fileName).record, BikeRecord{});
        QVERIFY(!platform::WriteBikeFile("borta", name, record).ok); // no such directory
    }
    // Every write fails, or the first is cut short after 10 bytes, as on a full disk: the save
    // says so and x.hoj stays as it was, with nothing left beside it.
    void failedWrite()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(std::ofstream("x.hoj") << "old");
        const QStringList before = entries();
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        for (const rlim_t size : {0, 10}) {
            const rlimit limit{size, old.rlim_max};
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
            const auto saved = platform::WriteBikeFile(".", "x", sample);
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);
            QVERIFY2(!saved.ok && saved.error.startsWith("Filen \"x.hoj\" kunde inte sparas: "),
                     qPrintable(saved.error));
            QCOMPARE(entries(), before);
        }
    }
    // A saved file reads back, up to the size limit; a failed load says why and gives no record.
    void loads()
    {
        const QByteArray full = sampleBytes.leftJustified(platform::maxBikeFileSize, ' ');
        for (auto [name, content] : {std::pair{"x.hoj", sampleBytes}, {"grans.hoj", full},
                 {"stor.hoj", full + ' '}, {"tom.hoj", ""},
                 {"kort.hoj", sampleBytes.left(sampleBytes.indexOf("\"Min"))}}) // no 15th value
            QVERIFY(std::ofstream(name) << content.toStdString());
        QVERIFY(QDir().mkdir("mapp.hoj") && mkfifo("ror.hoj", 0600) == 0);
        const QString cantRead = "kunde inte läsas: ", cut = "är inte en hel hojfil: den tar slut "
                                                            "före det femtonde värdet.";
        for (auto [name, why] : {std::pair{"x.hoj", QString()}, {"grans.hoj", QString()},
                 {"borta.hoj", cantRead + "filen finns inte."}, {"tom.hoj", cut}, {"kort.hoj", cut},
                 {"mapp.hoj", cantRead + "det är en mapp, inte en fil."},
                 {"ror.hoj", cantRead + "det är inte en vanlig fil."},
                 {"stor.hoj", QString("är för stor för att vara en hojfil.")}}) {
            const auto loaded = platform::ReadBikeFile(name);
            QCOMPARE(loaded.record, why.isEmpty() ? std::optional(sample) : std::nullopt);
            QCOMPARE(loaded.error, why.isEmpty() ? why : QString("Filen \"%1\" ").arg(name) + why);
        }
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
