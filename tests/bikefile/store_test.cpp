#include "bikefile/bikefile.h"
#include "platform/bikefilestore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

using bikefile::BikeRecord;
using platform::ReadBikeFile;
using platform::WriteBikeFile;

namespace {

BikeRecord SampleRecord()
{
    return {"11000", "24",  "60",  "2,5",  "45",
            "15",    "3",   "185", "2,95", "2",
            "1,6",   "1,3", "1,1", "",     "Min hoj\nå ä ö €"};
}

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

// Each entry of a directory with a digest of its content, to tell that nothing changed.
QStringList Snapshot(const QString& dir)
{
    QStringList snapshot;
    for (const QString& name : Entries(dir)) {
        const QString path = QDir(dir).filePath(name);
        snapshot << name + " " +
                        (QFileInfo(path).isDir()
                             ? "dir: " + Entries(path).join(',')
                             : QCryptographicHash::hash(Contents(path), QCryptographicHash::Sha1)
                                   .toHex());
    }
    return snapshot;
}

// A small tmpfs mounted for the length of a test; only root may mount one.
class Tmpfs
{
public:
    Tmpfs(const QString& dir, const QString& size) : dir_(dir)
    {
        if (geteuid() != 0) {
            why_ = QStringLiteral("mounting a tmpfs needs root");
            return;
        }
        QProcess mount;
        mount.start(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", dir});
        if (!mount.waitForFinished() || mount.exitStatus() != QProcess::NormalExit ||
            mount.exitCode() != 0) {
            why_ = QStringLiteral("mount -t tmpfs failed: ") +
                   QString::fromLocal8Bit(mount.readAllStandardError()).trimmed() +
                   mount.errorString();
            return;
        }
        mounted_ = true;
    }
    ~Tmpfs()
    {
        if (mounted_) {
            QProcess::execute(QStringLiteral("umount"), {dir_});
        }
    }
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;

    bool mounted() const { return mounted_; }
    QString why() const { return why_; }
    bool remountReadOnly()
    {
        return QProcess::execute(QStringLiteral("mount"), {"-o", "remount,ro", dir_}) == 0;
    }

private:
    QString dir_;
    QString why_;
    bool mounted_ = false;
};

// Fills the file system that holds dir until not one more byte fits.
bool Fill(const QString& dir)
{
    QFile filler(QDir(dir).filePath(QStringLiteral("fyllnad")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("x", 1) == 1) {
    }
    return true;
}

// A QSaveFile whose writes fail, as on a failing disk: all of a write, or its second half.
class FaultySaveFile : public QSaveFile
{
public:
    FaultySaveFile(const QString& name, bool shortWrite) : QSaveFile(name), shortWrite_(shortWrite)
    {
    }

protected:
    qint64 writeData(const char* data, qint64 len) override
    {
        return shortWrite_ ? QSaveFile::writeData(data, len / 2) : -1;
    }

private:
    bool shortWrite_;
};

} // namespace

enum Fault {
    MissingDirectory,
    DirectoryOfThatName,
    FullDisk,
    ReadOnlyDirectory,
    WriteFails,
    ShortWrite
};

class BikeFileStoreTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString Dir() const { return dir_->path(); }
    QString Path(const QString& name) const { return QDir(Dir()).filePath(name); }
    bool Put(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }
    void cleanup() { dir_.reset(); }

    void savesTheExactBytes()
    {
        const auto saved = WriteBikeFile(Dir(), QStringLiteral("x"), SampleRecord());
        QVERIFY(saved.ok);
        QCOMPARE(saved.error, QString());
        QCOMPARE(saved.fileName, QStringLiteral("x.hoj"));
        QCOMPARE(Entries(Dir()), QStringList{"x.hoj"});
        QCOMPARE(Contents(Path("x.hoj")), kSampleBytes);

        // A later save replaces the whole content, also with a shorter one.
        QVERIFY(WriteBikeFile(Dir(), QStringLiteral("x"), BikeRecord{}).ok);
        QCOMPARE(Contents(Path("x.hoj")),
                 QByteArray(R"("","","","","","","","","","","","","","","",234)"
                            "\r\n"));
        QCOMPARE(Entries(Dir()), QStringList{"x.hoj"});
    }

    void nameRule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fileName");
        const std::pair<const char*, const char*> rows[] = {
            {"x", "x.hoj"},
            {"x.hoj", "x.hoj.hoj"},
            {"", ".hoj"},
            {" x ", " x .hoj"},
            {"Öl & € \\ *", "Öl & € \\ *.hoj"},
            {"..", "...hoj"},
        };
        for (const auto& [name, fileName] : rows) {
            QTest::newRow(fileName) << QString(name) << QString(fileName);
        }
    }
    void nameRule()
    {
        QFETCH(QString, name);
        QFETCH(QString, fileName);
        QCOMPARE(platform::BikeFileName(name), fileName);
        const auto saved = WriteBikeFile(Dir(), name, SampleRecord());
        QVERIFY2(saved.ok, qPrintable(saved.error));
        QCOMPARE(saved.fileName, fileName);
        QCOMPARE(Entries(Dir()), QStringList{fileName});
        QCOMPARE(Contents(Path(fileName)), kSampleBytes);
    }

    void refusedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << "a/b";
        QTest::newRow("into the parent") << "../x";
        QTest::newRow("only a slash") << "/";
        QTest::newRow("line feed") << "a\nb";
        QTest::newRow("tab") << "\t";
        QTest::newRow("NUL") << QString(QChar(0)) + "x";
        QTest::newRow("DEL") << "x\x7F";
        QTest::newRow("C1 control") << QString(QChar(0x85));
        QTest::newRow("last C1 control") << QString(QChar(0x9F));
    }
    void refusedNames()
    {
        QFETCH(QString, name);
        const QString why = QStringLiteral("Namnet får inte innehålla \"/\" eller styrtecken.");
        QCOMPARE(platform::RefuseName(name), std::optional<QString>(why));
        const auto saved = WriteBikeFile(Dir(), name, SampleRecord());
        QVERIFY(!saved.ok);
        QCOMPARE(saved.error, why);
        QCOMPARE(Entries(Dir()), QStringList{});
        QVERIFY(!QFile::exists(Path("../x.hoj")));
    }

    void unencodableCharacter_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::newRow("comment") << int{bikefile::kText1} << "Ωmega"
                                 << "Kommentar"
                                 << "Ω";
        QTest::newRow("beyond 16 bits") << int{bikefile::kVarv} << "\U0001F3CD"
                                        << "Max Varvtal"
                                        << "\U0001F3CD";
        QTest::newRow("control") << int{bikefile::kPrimar} << "2\u0080"
                                 << "Primär utväxling"
                                 << "U+0080";
        QTest::newRow("space") << int{bikefile::kSexanutv} << "\u2009"
                               << "6:an Utväxling"
                               << "U+2009";
    }
    void unencodableCharacter()
    {
        QFETCH(int, value);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QVERIFY(Put("x.hoj", kSampleBytes));
        BikeRecord record = SampleRecord();
        record.at(static_cast<std::size_t>(value)) = text.toStdString();
        const auto saved = WriteBikeFile(Dir(), QStringLiteral("x"), record);
        QVERIFY(!saved.ok);
        QCOMPARE(saved.error, QStringLiteral("Fältet \"%1\" innehåller tecknet \"%2\", som inte "
                                             "kan sparas i en hojfil.")
                                  .arg(caption, shown));
        QCOMPARE(Contents(Path("x.hoj")), kSampleBytes);
        QCOMPARE(Entries(Dir()), QStringList{"x.hoj"});
    }

    void failedSave_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("missing directory") << int{MissingDirectory};
        QTest::newRow("a directory of that name") << int{DirectoryOfThatName};
        QTest::newRow("full disk") << int{FullDisk};
        QTest::newRow("read-only directory") << int{ReadOnlyDirectory};
        QTest::newRow("injected: write fails") << int{WriteFails};
        QTest::newRow("injected: short write") << int{ShortWrite};
    }
    // A failed save reports the file and the system's reason, and leaves the directory as it
    // was: an existing file byte for byte, and no temporary file.
    void failedSave()
    {
        QFETCH(int, fault);
        // Root passes permission bits, so for root a read-only directory is a read-only mount.
        std::optional<Tmpfs> disk;
        if (fault == FullDisk || (fault == ReadOnlyDirectory && geteuid() == 0)) {
            disk.emplace(Dir(), QStringLiteral("64k"));
            if (!disk->mounted()) {
                QSKIP(qPrintable("no small file system to mount (" + disk->why() +
                                 "); the injected write failures cover the same path"));
            }
        }
        QString directory = Dir();
        if (fault == MissingDirectory) {
            directory = Path("borta");
        } else if (fault == DirectoryOfThatName) {
            QVERIFY(QDir(Dir()).mkdir("x.hoj"));
        } else {
            QVERIFY(WriteBikeFile(Dir(), QStringLiteral("x"), SampleRecord()).ok);
        }
        if (fault == FullDisk) {
            QVERIFY(Fill(Dir()));
        } else if (fault == ReadOnlyDirectory) {
            QVERIFY(disk ? disk->remountReadOnly()
                         : QFile::setPermissions(Dir(), QFile::ReadOwner | QFile::ExeOwner));
        }
        const QStringList before = Snapshot(Dir());

        BikeRecord other = SampleRecord();
        other[bikefile::kText1] = "ny kommentar";
        platform::SaveResult saved;
        if (fault == WriteFails || fault == ShortWrite) {
            FaultySaveFile file(Path("x.hoj"), fault == ShortWrite);
            saved = platform::detail::SaveBytes(file, "\"\",234\r\n");
        } else {
            saved = WriteBikeFile(directory, QStringLiteral("x"), other);
        }
        if (fault == ReadOnlyDirectory && !disk) {
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

    void readsBack()
    {
        QVERIFY(WriteBikeFile(Dir(), QStringLiteral("x"), SampleRecord()).ok);
        QByteArray atLimit = kSampleBytes;
        atLimit.append(platform::kMaxBikeFileSize - atLimit.size(), ' ');
        QVERIFY(Put("stor.hoj", atLimit));
        for (const char* name : {"x.hoj", "stor.hoj"}) {
            const auto loaded = ReadBikeFile(Path(name));
            QCOMPARE(loaded.error, QString());
            QVERIFY(loaded.record && *loaded.record == SampleRecord());
        }
    }

    void loadFailures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("why");
        const std::pair<const char*, const char*> rows[] = {
            {"borta.hoj", "kunde inte läsas: filen finns inte."},
            {"mapp.hoj", "kunde inte läsas: det är en mapp, inte en fil."},
            {"ror.hoj", "kunde inte läsas: det är inte en vanlig fil."},
            {"stor.hoj", "är för stor för att vara en hojfil."},
            {"kort.hoj", "är inte en hel hojfil: den tar slut före det femtonde värdet."},
            {"tom.hoj", "är inte en hel hojfil: den tar slut före det femtonde värdet."},
            {"las-ej.hoj", "kunde inte läsas: "},
        };
        for (const auto& [name, why] : rows) {
            QTest::newRow(name) << QString(name) << QString(why);
        }
    }
    // A failed load reports the file and why, and gives no record.
    void loadFailures()
    {
        QFETCH(QString, name);
        QFETCH(QString, why);
        QVERIFY(QDir(Dir()).mkdir("mapp.hoj"));
        QVERIFY(mkfifo(QFile::encodeName(Path("ror.hoj")).constData(), 0600) == 0);
        QByteArray tooLarge = kSampleBytes;
        tooLarge.append(platform::kMaxBikeFileSize + 1 - tooLarge.size(), ' ');
        QVERIFY(Put("stor.hoj", tooLarge));
        // Fourteen values and the comma after them: the fifteenth never begins.
        QVERIFY(Put("kort.hoj", kSampleBytes.left(kSampleBytes.indexOf("\"Min"))));
        QVERIFY(Put("tom.hoj", QByteArray()));
        QVERIFY(Put("las-ej.hoj", kSampleBytes));
        QVERIFY(QFile::setPermissions(Path("las-ej.hoj"), QFile::WriteOwner));
        if (name == "las-ej.hoj" && geteuid() == 0) {
            QSKIP("root reads a file whatever its permission bits say");
        }

        const auto loaded = ReadBikeFile(Path(name));
        QVERIFY(!loaded.record);
        const QString message = "Filen \"" + name + "\" " + why;
        QVERIFY2(why.endsWith(' ') ? loaded.error.startsWith(message) : loaded.error == message,
                 qPrintable(loaded.error));
    }
};

QTEST_GUILESS_MAIN(BikeFileStoreTest)
#include "store_test.moc"
