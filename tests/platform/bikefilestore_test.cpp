#include "platform/bikefilestore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using bikefile::BikeRecord;

namespace {

const BikeRecord sample = {"11000", "24", "60", "2,5", "45", "15", "3", "185", "2,95", "2", "1,6",
                           "1,3", "1,1", "", "Min hoj\nå ä ö €"};
const QByteArray sampleBytes = "\"11000\",\"24\",\"60\",\"2,5\",\"45\",\"15\",\"3\",\"185\",\"2,95\","
                               "\"2\",\"1,6\",\"1,3\",\"1,1\",\"\",\"Min hoj\r\n\xE5 \xE4 \xF6 \x80\",234\r\n";

} // namespace

class BikeFileStoreTest : public QObject
{
    Q_OBJECT
    std::optional<QTemporaryDir> dir;
    QString path(const QString& name) const { return dir->filePath(name); }
    void put(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    // Every entry with its content, hidden ones too, so that a stray temporary file shows.
    QStringList entries() const
    {
        QStringList all;
        for (const QFileInfo& entry : QDir(dir->path()).entryInfoList(
                 QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
            QFile file(entry.filePath());
            all << entry.fileName() + "=" + QString::number(qHash(file.open(QIODevice::ReadOnly) ? file.readAll() : "dir"));
        }
        return all;
    }

private slots:
    void init() { QVERIFY(dir.emplace().isValid()); }

    void saves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error"); // why it is refused; empty: it saves as name.hoj
        for (const QString& name : QStringList{"x", "x.hoj", "", " x ", "Öl & € \\ *", "..", "u"})
            QTest::newRow(qPrintable("'" + name + "'")) << name << QString();
        const QString refused = QStringLiteral("Namnet får inte innehålla \"/\" eller styrtecken.");
        for (const QString& name : QStringList{"a/b", "../x", "\t", QString(QChar(0)) + "x", "x\x7F", "\u0085", "\u009F"})
            QTest::newRow(qPrintable(name)) << name << refused;
    }
    // name.hoj gets exactly the record's bytes, and a later save replaces them whole. A refused
    // name or an unencodable value ("u") writes nothing and leaves x.hoj as it was.
    void saves()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        put("x.hoj", "old");
        BikeRecord record = sample;
        record[13] = name == "u" ? "\u2009" : "";
        const bool ok = error.isEmpty() && name != "u";
        const QStringList before = entries();
        const auto saved = platform::WriteBikeFile(dir->path(), name, record);
        QCOMPARE(saved.ok, ok);
        QCOMPARE(saved.fileName, name + ".hoj");
        QCOMPARE(saved.error, error);
        QCOMPARE(platform::refuseName(name).value_or(QString()), error);
        QCOMPARE(saved.unencodable ? int(saved.unencodable->value) : -1, name == "u" ? 13 : -1);
        QCOMPARE(entries() == before, !ok);
        if (!ok)
            return;
        QFile file(path(saved.fileName));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), sampleBytes);
        QCOMPARE(entries().size(), name == "x" ? 1 : 2);
        QVERIFY(platform::WriteBikeFile(dir->path(), name, BikeRecord{}).ok);
        QCOMPARE(platform::ReadBikeFile(path(saved.fileName)).record, BikeRecord{});
    }

    // A failed save gives the system's reason and leaves the directory as it was.
    void failedSave_data()
    {
        QTest::addColumn<int>("fault");
        for (const int fault : {0, 1, 2, 3}) // no directory, a directory x.hoj, write fails, short write
            QTest::newRow(QByteArray::number(fault)) << fault;
    }
    void failedSave()
    {
        QFETCH(int, fault);
        QVERIFY(fault == 1 ? QDir(dir->path()).mkdir("x.hoj") : (put("x.hoj", sampleBytes), true));
        const QStringList before = entries();
        // Files may grow to 0 or 10 bytes, as on a full disk: every write fails, or one is cut short.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit limit = old;
        limit.rlim_cur = fault == 3 ? 10 : fault == 2 ? 0 : old.rlim_cur;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        const auto saved = platform::WriteBikeFile(fault ? dir->path() : path("borta"), "x", sample);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);
        const QString prefix = QStringLiteral("Filen \"x.hoj\" kunde inte sparas: ");
        QVERIFY2(!saved.ok && saved.error.startsWith(prefix) && saved.error.size() > prefix.size(), qPrintable(saved.error));
        QCOMPARE(entries(), before);
    }

    void loads_data()
    {
        QTest::addColumn<QString>("why"); // empty when the load succeeds; the tag is the file name
        const QString cantRead = QStringLiteral("kunde inte läsas: ");
        const QString cut = QStringLiteral("är inte en hel hojfil: den tar slut före det femtonde värdet.");
        QTest::newRow("x.hoj") << QString();
        QTest::newRow("grans.hoj") << QString();
        QTest::newRow("borta.hoj") << cantRead + "filen finns inte.";
        QTest::newRow("mapp.hoj") << cantRead + "det är en mapp, inte en fil.";
        QTest::newRow("ror.hoj") << cantRead + "det är inte en vanlig fil.";
        QTest::newRow("stor.hoj") << QStringLiteral("är för stor för att vara en hojfil.");
        QTest::newRow("kort.hoj") << cut;
        QTest::newRow("tom.hoj") << cut;
        QTest::newRow("las-ej.hoj") << cantRead;
    }
    // A saved file reads back, up to the size limit; a failed load says why and gives no record.
    void loads()
    {
        const QString name = QTest::currentDataTag();
        QFETCH(QString, why);
        put("x.hoj", sampleBytes);
        const QByteArray padded = sampleBytes + QByteArray(platform::maxBikeFileSize - sampleBytes.size(), ' ');
        put("grans.hoj", padded);
        put("stor.hoj", padded + ' ');
        QVERIFY(QDir(dir->path()).mkdir("mapp.hoj"));
        QVERIFY(mkfifo(QFile::encodeName(path("ror.hoj")).constData(), 0600) == 0);
        put("kort.hoj", sampleBytes.left(sampleBytes.indexOf("\"Min"))); // the 15th never begins
        put("tom.hoj", "");
        put("las-ej.hoj", sampleBytes);
        QVERIFY(QFile::setPermissions(path("las-ej.hoj"), QFile::WriteOwner));
        if (name == "las-ej.hoj" && geteuid() == 0)
            QSKIP("root reads a file whatever its permission bits say");
        const auto loaded = platform::ReadBikeFile(path(name));
        QCOMPARE(loaded.record, why.isEmpty() ? std::optional(sample) : std::nullopt);
        const QString message = why.isEmpty() ? QString() : "Filen \"" + name + "\" " + why;
        QVERIFY2(why.endsWith(' ') ? loaded.error.startsWith(message) : loaded.error == message,
                 qPrintable(loaded.error));
    }
};

QTEST_GUILESS_MAIN(BikeFileStoreTest)
#include "bikefilestore_test.moc"
