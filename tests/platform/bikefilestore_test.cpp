#include "bikefile/bikefile.h"
#include "platform/bikefilestore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using bikefile::BikeRecord;
using platform::WriteBikeFile;

namespace {

const BikeRecord kSample = {"11000", "24",  "60",  "2,5",  "45",
                            "15",    "3",   "185", "2,95", "2",
                            "1,6",   "1,3", "1,1", "",     "Min hoj\nå ä ö €"};
const QByteArray kSampleBytes = "\"11000\",\"24\",\"60\",\"2,5\",\"45\",\"15\",\"3\",\"185\","
                                "\"2,95\",\"2\",\"1,6\",\"1,3\",\"1,1\",\"\","
                                "\"Min hoj\r\n\xE5 \xE4 \xF6 \x80\",234\r\n";

// Everything in a directory, hidden names included, so a stray temporary file shows.
QStringList Entries(const QString& dir)
{
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Each entry of a directory with a hash of its content, to tell that nothing changed.
QStringList Snapshot(const QString& dir)
{
    QStringList snapshot;
    for (const QString& name : Entries(dir)) {
        const QString path = QDir(dir).filePath(name);
        const QByteArray content =
            QFileInfo(path).isDir() ? Entries(path).join(',').toUtf8() : Contents(path);
        snapshot << name + ' ' + QString::number(qHash(content));
    }
    return snapshot;
}

enum Fault { MissingDirectory, DirectoryOfThatName, FullDisk, ReadOnly, WriteFails, ShortWrite };

} // namespace

class BikeFileStoreTest : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> dir_;
    QString Dir() const { return dir_->path(); }
    QString Path(const QString& name) const { return QDir(Dir()).filePath(name); }
    bool Put(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private slots:
    void init() { QVERIFY(dir_.emplace().isValid()); }

    void saves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("x") << QString("x") << QString("x.hoj");
        QTest::newRow("x.hoj") << QString("x.hoj") << QString("x.hoj.hoj");
        QTest::newRow("empty") << QString() << QString(".hoj");
        QTest::newRow("spaces") << QString(" x ") << QString(" x .hoj");
        QTest::newRow("others") << QString("Öl & € \\ *") << QString("Öl & € \\ *.hoj");
        QTest::newRow("..") << QString("..") << QString("...hoj");
    }
    // name + ".hoj" holds exactly the record's bytes; a later, shorter save replaces them whole.
    void saves()
    {
        QFETCH(QString, name);
        QFETCH(QString, fileName);
        QCOMPARE(platform::bikeFileName(name), fileName);
        const auto saved = WriteBikeFile(Dir(), name, kSample);
        QVERIFY(saved.ok);
        QCOMPARE(saved.error, QString());
        QCOMPARE(saved.fileName, fileName);
        QCOMPARE(Entries(Dir()), QStringList{fileName});
        QCOMPARE(Contents(Path(fileName)), kSampleBytes);
        QVERIFY(WriteBikeFile(Dir(), name, BikeRecord{}).ok);
        QCOMPARE(Contents(Path(fileName)),
                 QByteArray::fromStdString(bikefile::formatRecord(BikeRecord{}).bytes));
        QCOMPARE(Entries(Dir()), QStringList{fileName});
    }

    void refusedSave_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("value"); // the value set to text, or -1 for none
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString name = QStringLiteral("Namnet får inte innehålla \"/\" eller styrtecken.");
        QTest::newRow("slash") << QString("a/b") << -1 << QString() << name;
        QTest::newRow("into the parent") << QString("../x") << -1 << QString() << name;
        QTest::newRow("tab") << QString("\t") << -1 << QString() << name;
        QTest::newRow("NUL") << QString(QChar(0)) + "x" << -1 << QString() << name;
        QTest::newRow("DEL") << QString("x\x7F") << -1 << QString() << name;
        QTest::newRow("C1 control") << QString(QChar(0x85)) << -1 << QString() << name;
        QTest::newRow("last C1 control") << QString(QChar(0x9F)) << -1 << QString() << name;
        const QString character = QStringLiteral(
            "Fältet \"%1\" innehåller tecknet \"%2\", som inte kan sparas i en hojfil.");
        QTest::newRow("comment") << QString("x") << int{bikefile::commentValue} << QString("Ωmega")
                                 << character.arg("Kommentar", "Ω");
        QTest::newRow("beyond 16 bits")
            << QString("x") << int{0} << QString("\U0001F3CD")
            << character.arg("Max Varvtal", "\U0001F3CD");
        QTest::newRow("control") << QString("x") << int{3} << QString("2\u0080")
                                 << character.arg("Primär utväxling", "U+0080");
        QTest::newRow("space") << QString("x") << int{13} << QString("\u2009")
                               << character.arg("6:an Utväxling", "U+2009");
    }
    // A refused name or unencodable character writes nothing and leaves an existing file as is.
    void refusedSave()
    {
        QFETCH(QString, name);
        QFETCH(int, value);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(platform::refuseName(name).value_or(QString()), value < 0 ? message : QString());
        QVERIFY(Put("x.hoj", kSampleBytes));
        BikeRecord record = kSample;
        if (value >= 0) {
            record.at(static_cast<std::size_t>(value)) = text.toStdString();
        }
        const auto saved = WriteBikeFile(Dir(), name, record);
        QVERIFY(!saved.ok);
        if (value < 0)
            QCOMPARE(saved.error, message);
        else
            QCOMPARE(saved.unencodable ? int(saved.unencodable->value) : -1, value);
        QCOMPARE(Entries(Dir()), QStringList{"x.hoj"});
        QCOMPARE(Contents(Path("x.hoj")), kSampleBytes);
        QVERIFY(!QFile::exists(Path("../x.hoj")));
    }

    void failedSave_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("missing directory") << int{MissingDirectory};
        QTest::newRow("a directory of that name") << int{DirectoryOfThatName};
        QTest::newRow("full disk") << int{FullDisk};
        QTest::newRow("read-only directory") << int{ReadOnly};
        QTest::newRow("injected: write fails") << int{WriteFails};
        QTest::newRow("injected: short write") << int{ShortWrite};
    }
    // A failed save gives the system's reason and leaves the directory as it was: an existing
    // file byte for byte, and no temporary file.
    void failedSave()
    {
        QFETCH(int, fault);
        // Root passes permission bits: for root, read-only is a remounted tmpfs (only root mounts).
        const bool tmpfs = fault == FullDisk || (fault == ReadOnly && geteuid() == 0);
        if (tmpfs && (geteuid() != 0 || QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k",
                                                                    "tmpfs", Dir()}))) {
            QSKIP("cannot mount a tmpfs (needs root); the injected failures cover the same path");
        }
        const auto unmount = qScopeGuard([&] {
            if (tmpfs) {
                QProcess::execute("umount", {Dir()});
            }
        });
        const QString directory = fault == MissingDirectory ? Path("borta") : Dir();
        if (fault == DirectoryOfThatName) {
            QVERIFY(QDir(Dir()).mkdir("x.hoj"));
        } else if (fault != MissingDirectory) {
            QVERIFY(WriteBikeFile(Dir(), QStringLiteral("x"), kSample).ok);
        }
        if (fault == FullDisk) { // until not one more byte fits
            QFile filler(Path("fyllnad"));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (filler.write(QByteArray(4096, 'x')) == 4096) {
            }
            while (filler.write("x", 1) == 1) {
            }
        } else if (fault == ReadOnly) {
            QVERIFY(tmpfs ? QProcess::execute("mount", {"-o", "remount,ro", Dir()}) == 0
                          : QFile::setPermissions(Dir(), QFile::ReadOwner | QFile::ExeOwner));
        }
        const QStringList before = Snapshot(Dir());
        platform::SaveResult saved;
        if (fault == WriteFails || fault == ShortWrite) {
            // Files may grow to 0 or 10 bytes: every write fails, or the first is cut short.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
            const rlimit old = limit;
            limit.rlim_cur = fault == ShortWrite ? 10 : 0;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
            saved = WriteBikeFile(Dir(), QStringLiteral("x"), BikeRecord{});
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);
        } else {
            saved = WriteBikeFile(directory, QStringLiteral("x"), BikeRecord{});
        }
        if (fault == ReadOnly && !tmpfs) {
            QFile::setPermissions(Dir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QVERIFY(!saved.ok);
        const QString prefix = QStringLiteral("Filen \"x.hoj\" kunde inte sparas: ");
        QVERIFY2(saved.error.startsWith(prefix) && saved.error.size() > prefix.size(),
                 qPrintable(saved.error));
        QCOMPARE(Snapshot(Dir()), before);
        if (fault != MissingDirectory && fault != DirectoryOfThatName) {
            QCOMPARE(Contents(Path("x.hoj")), kSampleBytes);
        }
    }

    void loads_data()
    {
        QTest::addColumn<QString>("why"); // empty when the load succeeds; the tag is the file name
        const QString cantRead = QStringLiteral("kunde inte läsas: ");
        const QString cutShort =
            QStringLiteral("är inte en hel hojfil: den tar slut före det femtonde värdet.");
        QTest::newRow("x.hoj") << QString();
        QTest::newRow("grans.hoj") << QString();
        QTest::newRow("borta.hoj") << cantRead + "filen finns inte.";
        QTest::newRow("mapp.hoj") << cantRead + "det är en mapp, inte en fil.";
        QTest::newRow("ror.hoj") << cantRead + "det är inte en vanlig fil.";
        QTest::newRow("stor.hoj") << QStringLiteral("är för stor för att vara en hojfil.");
        QTest::newRow("kort.hoj") << cutShort;
        QTest::newRow("tom.hoj") << cutShort;
        QTest::newRow("las-ej.hoj") << cantRead;
    }
    // A saved file reads back, up to the size limit; a failed load says why and gives no record.
    void loads()
    {
        const QString name = QTest::currentDataTag();
        QFETCH(QString, why);
        QVERIFY(WriteBikeFile(Dir(), QStringLiteral("x"), kSample).ok);
        QByteArray padded = kSampleBytes;
        padded.append(platform::maxBikeFileSize - padded.size(), ' ');
        QVERIFY(Put("grans.hoj", padded));
        QVERIFY(Put("stor.hoj", padded + ' '));
        QVERIFY(QDir(Dir()).mkdir("mapp.hoj"));
        QVERIFY(mkfifo(QFile::encodeName(Path("ror.hoj")).constData(), 0600) == 0);
        // Fourteen values and the comma after them: the fifteenth never begins.
        QVERIFY(Put("kort.hoj", kSampleBytes.left(kSampleBytes.indexOf("\"Min"))));
        QVERIFY(Put("tom.hoj", QByteArray()));
        QVERIFY(Put("las-ej.hoj", kSampleBytes));
        QVERIFY(QFile::setPermissions(Path("las-ej.hoj"), QFile::WriteOwner));
        if (name == "las-ej.hoj" && geteuid() == 0) {
            QSKIP("root reads a file whatever its permission bits say");
        }
        const auto loaded = platform::ReadBikeFile(Path(name));
        QVERIFY(loaded.record == (why.isEmpty() ? std::optional(kSample) : std::nullopt));
        const QString message = why.isEmpty() ? QString() : "Filen \"" + name + "\" " + why;
        QVERIFY2(why.endsWith(' ') ? loaded.error.startsWith(message) : loaded.error == message,
                 qPrintable(loaded.error));
    }
};

QTEST_GUILESS_MAIN(BikeFileStoreTest)
#include "bikefilestore_test.moc"
