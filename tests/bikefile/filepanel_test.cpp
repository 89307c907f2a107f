// moc cannot read identifiers with å, ä or ö, and need not see these headers.
#ifndef Q_MOC_RUN
#include "bikefile/filepanel.h"
#include "app/mainwindow.h"
#endif
#include "testsupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using app::MainWindow;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A record as the format writes it, from fifteen values.
QByteArray record(const QStringList& values)
{
    QByteArray bytes;
    for (const QString& value : values)
        bytes += '"' + value.toLatin1() + "\",";
    return bytes + "234\r\n";
}

const QStringList bike{"11000", "24", "60", "9,999", "40", "14", "2,857", "190",
                       "1",     "2",  "",   "",      "",   "",   "snabb"};

class PanelWindow
{
public:
    // A window whose panel directory is a fresh temporary directory.
    PanelWindow(const QStringList& files = {})
    {
        QDir::setCurrent(dir.path());
        for (const QString& name : files)
            writeFile(dir.filePath(name), record(bike));
        window = std::make_unique<MainWindow>(messages);
        window->findChild<QAction*>("advanced")->trigger();
    }
    ~PanelWindow() { QDir::setCurrent(QDir::tempPath()); }

    QLineEdit* box(const char* name) const { return window->findChild<QLineEdit*>(name); }
    QListWidget* list() const { return window->findChild<QListWidget*>("File1"); }
    QPlainTextEdit* comment() const { return window->findChild<QPlainTextEdit*>("Text1"); }
    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i)
            names << list()->item(i)->text();
        return names;
    }
    void click(const char* name) const
    {
        QTest::mouseClick(window->findChild<QWidget*>(name), Qt::LeftButton);
    }
    void clickEntry(const QString& name) const
    {
        const auto found = list()->findItems(name, Qt::MatchExactly);
        QVERIFY(found.size() == 1);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(found.front()).center());
    }
    void type(const char* name, const QString& keys) const
    {
        box(name)->setFocus(Qt::TabFocusReason);
        box(name)->selectAll();
        QTest::keyClicks(box(name), keys);
    }

    QTemporaryDir dir;
    FakeMessages messages;
    std::unique_ptr<MainWindow> window;
};

} // namespace

class FilePanelTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { failOnAnyWarning(); }

    void listsTheBikeFilesOfTheStartDirectory()
    {
        PanelWindow w({"b.hoj", "A.HOJ", ".hoj", "e.Hoj", "c.txt", "hoj", "f.hoj.bak"});
        QVERIFY(QDir(w.dir.path()).mkdir("d.hoj"));
        // The directory is the working directory at start; the list shows
        // what it held then.
        QCOMPARE(w.window->panel().directory(), QDir(w.dir.path()).absolutePath());
        QCOMPARE(w.listed(), (QStringList{".hoj", "A.HOJ", "b.hoj", "e.Hoj"}));
        QCOMPARE(w.list()->selectedItems().size(), 0);
        QCOMPARE(w.list()->currentItem(), nullptr);
        // Tabbing into the list selects and loads nothing.
        w.window->findChild<QWidget*>("bakdrev")->setFocus();
        QTest::keyClick(w.window->findChild<QWidget*>("bakdrev"), Qt::Key_Tab); // omkrets
        QTest::keyClick(w.window->findChild<QWidget*>("omkrets"), Qt::Key_Tab); // Text1
        w.list()->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.box("varv")->text(), QString());
        QCOMPARE(w.box("TrFilnamn")->text(), QString());
    }

    void saveWritesTheRecordAndListsIt()
    {
        PanelWindow w({"annan.hoj"});
        w.type("varv", "11000");
        w.type("vev", "24");
        w.type("koppling", "60");
        w.type("framdrev", "14");
        w.type("bakdrev", "40");
        w.type("ettanutv", "1");
        w.type("femmanutv", "0,85");
        w.type("omkrets", "190");
        w.comment()->setFocus();
        QTest::keyClicks(w.comment(), QStringLiteral("rad ett, å"));
        QTest::keyClick(w.comment(), Qt::Key_Return);
        QTest::keyClicks(w.comment(), QStringLiteral("rad två "));
        w.comment()->insertPlainText(QStringLiteral("€")); // pasted: no key gives it
        w.type("TrFilnamn", "min hoj");
        w.click("Beräkna");
        w.click("spara1");

        QCOMPARE(bytesOf(w.dir.filePath("min hoj.hoj")),
                 QByteArray("\"11000\",\"24\",\"60\",\"2,500\",\"40\",\"14\",\"2,857\",\"190\","
                            "\"1\",\"\",\"\",\"\",\"0,85\",\"\",\"rad ett, \xE5\r\nrad tv\xE5 "
                            "\x80\",234\r\n"));
        QCOMPARE(w.listed(), (QStringList{"annan.hoj", "min hoj.hoj"}));
        QCOMPARE(w.list()->selectedItems().size(), 0);
        QCOMPARE(w.box("TrFilnamn")->text(), QStringLiteral("min hoj"));
        QCOMPARE(w.box("ettanhast")->text(), QStringLiteral("175"));
        QVERIFY(w.messages.warnings.isEmpty());

        // Saving under the same name replaces the file and leaves the list.
        w.type("varv", "9000");
        w.click("spara1");
        QVERIFY(bytesOf(w.dir.filePath("min hoj.hoj")).startsWith("\"9000\","));
        QCOMPARE(w.listed(), (QStringList{"annan.hoj", "min hoj.hoj"}));
    }

    void selectingAFileLoadsItAndRecomputes()
    {
        PanelWindow w({"x.hoj"});
        w.clickEntry("x.hoj");
        QVERIFY(w.messages.warnings.isEmpty());
        QCOMPARE(w.box("varv")->text(), QStringLiteral("11000"));
        QCOMPARE(w.box("vev")->text(), QStringLiteral("24"));
        QCOMPARE(w.box("koppling")->text(), QStringLiteral("60"));
        // The stored reduction stays, though 60 / 24 gives 2,500.
        QCOMPARE(w.box("primär")->text(), QStringLiteral("9,999"));
        QCOMPARE(w.box("sekundär")->text(), QStringLiteral("2,857"));
        QCOMPARE(w.comment()->toPlainText(), QStringLiteral("snabb"));
        QCOMPARE(w.box("TrFilnamn")->text(), QStringLiteral("x.hoj"));
        // Recomputed with the stored reduction: 660000 / 9.999 / 1 / 2.857 / 526.3...
        QCOMPARE(w.box("ettanhast")->text(), QStringLiteral("43,"));
        QCOMPARE(w.box("tvåanhast")->text(), QStringLiteral("21,"));
        QCOMPARE(w.box("treanhast")->text(), QString());

        // Saving right after the load writes x.hoj.hoj and leaves x.hoj.
        const QByteArray original = bytesOf(w.dir.filePath("x.hoj"));
        w.click("spara1");
        QCOMPARE(w.listed(), (QStringList{"x.hoj", "x.hoj.hoj"}));
        QCOMPARE(bytesOf(w.dir.filePath("x.hoj")), original);
        QCOMPARE(bytesOf(w.dir.filePath("x.hoj.hoj")), original);
    }

    void arrowKeysLoadEachFilePassedOver()
    {
        PanelWindow w;
        for (const char* revs : {"1000", "2000", "3000"}) {
            QStringList values = bike;
            values[0] = revs;
            writeFile(w.dir.filePath(QStringLiteral("%1.hoj").arg(revs)), record(values));
        }
        w.click("spara1"); // reads the list again: the three files and ".hoj"
        QCOMPARE(w.listed(), (QStringList{".hoj", "1000.hoj", "2000.hoj", "3000.hoj"}));
        w.clickEntry("1000.hoj");
        QCOMPARE(w.box("varv")->text(), QStringLiteral("1000"));
        QCOMPARE(w.box("ettanhast")->text(), QStringLiteral("3,9"));
        QTest::keyClick(w.list(), Qt::Key_Down);
        QCOMPARE(w.box("varv")->text(), QStringLiteral("2000"));
        QCOMPARE(w.box("TrFilnamn")->text(), QStringLiteral("2000.hoj"));
        QCOMPARE(w.box("ettanhast")->text(), QStringLiteral("7,9"));
        QTest::keyClick(w.list(), Qt::Key_Down);
        QCOMPARE(w.box("varv")->text(), QStringLiteral("3000"));
        QTest::keyClick(w.list(), Qt::Key_Up);
        QCOMPARE(w.box("varv")->text(), QStringLiteral("2000"));
    }

    void loadingCutsLongValuesAndRunsTheGuards()
    {
        PanelWindow w;
        QStringList values = bike;
        values[0] = "1234567"; // varv holds five characters
        values[1] = "0";       // vev: a zero count becomes 1 ...
        values[3] = "";        // ... and an empty stored reduction is what stays
        values[5] = "";        // framdrev
        values[14] = "ett\r\ntvå\rtre\nfyra";
        QByteArray bytes = record(values);
        bytes.replace("tv\xC3\xA5", "tv\xE5");
        writeFile(w.dir.filePath("lång.hoj"), bytes);
        w.click("spara1");
        w.clickEntry("lång.hoj");
        QCOMPARE(w.box("varv")->text(), QStringLiteral("12345"));
        QCOMPARE(w.box("vev")->text(), QStringLiteral("1"));
        QCOMPARE(w.box("primär")->text(), QString());
        QCOMPARE(w.box("framdrev")->text(), QStringLiteral("1"));
        QCOMPARE(w.comment()->toPlainText(), QStringLiteral("ett\ntvå\ntre\nfyra"));
        // An empty reduction: no gear can be computed, and no box says so.
        QCOMPARE(w.box("ettanhast")->text(), QString());
        QVERIFY(w.messages.warnings.isEmpty());
    }

    void deleteAsksFirst()
    {
        PanelWindow w({"a.hoj", "b.hoj"});
        w.clickEntry("a.hoj");
        w.comment()->setPlainText("kvar");

        w.messages.answer = false;
        w.click("tabort1");
        QCOMPARE(w.messages.questions, QStringList{"OJOJOJ!!!|Vill du radera vald fil?"});
        QVERIFY(QFile::exists(w.dir.filePath("a.hoj")));
        QCOMPARE(w.listed(), (QStringList{"a.hoj", "b.hoj"}));
        QCOMPARE(w.box("TrFilnamn")->text(), QStringLiteral("a.hoj"));

        w.messages.answer = true;
        w.click("tabort1");
        QVERIFY(!QFile::exists(w.dir.filePath("a.hoj")));
        QCOMPARE(w.listed(), QStringList{"b.hoj"});
        QCOMPARE(w.box("TrFilnamn")->text(), QString());
        // The fields of the deleted file stay.
        QCOMPARE(w.box("varv")->text(), QStringLiteral("11000"));
        QCOMPARE(w.comment()->toPlainText(), QStringLiteral("kvar"));
        QCOMPARE(w.box("ettanhast")->text(), QStringLiteral("43,"));

        // With nothing selected there is nothing to delete or ask about.
        w.click("tabort1");
        QCOMPARE(w.messages.questions.size(), 2);
        QCOMPARE(w.messages.warnings.size(), 1);
        QCOMPARE(w.listed(), QStringList{"b.hoj"});
    }

    void nyClearsNameAndComment()
    {
        PanelWindow w({"a.hoj"});
        w.clickEntry("a.hoj");
        w.click("ny1");
        QCOMPARE(w.comment()->toPlainText(), QString());
        QCOMPARE(w.box("TrFilnamn")->text(), QString());
        QCOMPARE(w.box("varv")->text(), QStringLiteral("11000"));
        QCOMPARE(w.box("ettanhast")->text(), QStringLiteral("43,"));
        QCOMPARE(w.list()->selectedItems().size(), 1);
    }

    void failedLoadsLeaveTheFields()
    {
        PanelWindow w({"gone.hoj", "short.hoj", "good.hoj"});
        writeFile(w.dir.filePath("short.hoj"), "\"1\",\"2\",\"3\"\r\n");
        w.clickEntry("good.hoj");
        w.type("varv", "5");
        QVERIFY(QFile::remove(w.dir.filePath("gone.hoj")));

        w.clickEntry("gone.hoj");
        QCOMPARE(w.messages.warnings.size(), 1);
        QVERIFY(w.messages.warnings[0].contains("gone.hoj"));
        QCOMPARE(w.box("varv")->text(), QStringLiteral("5"));
        QCOMPARE(w.box("TrFilnamn")->text(), QStringLiteral("good.hoj"));
        QCOMPARE(w.listed(), (QStringList{"good.hoj", "short.hoj"})); // read again

        w.clickEntry("short.hoj");
        QCOMPARE(w.messages.warnings.size(), 2);
        QVERIFY(w.messages.warnings[1].contains("femtonde"));
        QCOMPARE(w.box("varv")->text(), QStringLiteral("5"));
        QCOMPARE(w.box("koppling")->text(), QStringLiteral("60"));
    }

    void refusedSavesWriteNothing()
    {
        PanelWindow w({"a.hoj"});
        const QByteArray before = bytesOf(w.dir.filePath("a.hoj"));
        w.type("TrFilnamn", "../a");
        w.click("spara1");
        QCOMPARE(w.messages.warnings.size(), 1);
        QVERIFY(w.messages.warnings[0].contains("\"/\""));

        w.type("TrFilnamn", "a");
        w.comment()->setPlainText(QStringLiteral("Ω"));
        w.click("spara1");
        QCOMPARE(w.messages.warnings.size(), 2);
        QVERIFY(w.messages.warnings[1].contains("\"Kommentar\""));
        QVERIFY(w.messages.warnings[1].contains(QStringLiteral("Ω")));
        QCOMPARE(bytesOf(w.dir.filePath("a.hoj")), before);
        QCOMPARE(QDir(w.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.hoj"});

        // A panel directory that is gone: a message, and the program goes on.
        w.comment()->setPlainText("ok");
        QVERIFY(QDir(w.dir.path()).removeRecursively());
        w.click("spara1");
        QCOMPARE(w.messages.warnings.size(), 3);
        QVERIFY(w.messages.warnings[2].contains("a.hoj"));
        QCOMPARE(w.listed(), QStringList());
    }

    void theDeleteQuestionOnTheScreen()
    {
        // The real box: Swedish buttons, the warning icon, "Nej" the default.
        QString seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = box->windowTitle() + "|" + box->text() + "|";
            for (QAbstractButton* button : box->buttons())
                seen += button->text() + ",";
            seen += box->icon() == QMessageBox::Warning ? "|warning|" : "|other|";
            seen += box->defaultButton()->text();
            QTest::keyClick(box, Qt::Key_Return); // Enter picks the default
        });
        QWidget parent;
        const bool yes = platform::screenMessages().askYesNo(
            &parent, QStringLiteral("OJOJOJ!!!"), QStringLiteral("Vill du radera vald fil?"));
        QVERIFY(!yes);
        QCOMPARE(seen, QStringLiteral("OJOJOJ!!!|Vill du radera vald fil?|Ja,Nej,|warning|Nej"));
    }
};

DREVKALK_TEST_MAIN(FilePanelTest)
#include "filepanel_test.moc"
