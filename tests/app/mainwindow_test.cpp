// moc cannot read identifiers with å, ä or ö, and need not see these headers.
#ifndef Q_MOC_RUN
#include "app/layout.h"
#include "app/mainwindow.h"
#include "platform/twips.h"
#endif
#include "testsupport.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>

using app::MainWindow;

namespace {

QLineEdit* box(const MainWindow& w, const char* name)
{
    auto* line = w.findChild<QLineEdit*>(name);
    Q_ASSERT(line);
    return line;
}

// Types into a field as a user does who tabs into it: what it holds is
// selected, and the first key replaces it.
void type(const MainWindow& w, const char* name, const QString& keys)
{
    QLineEdit* line = box(w, name);
    line->setFocus(Qt::TabFocusReason);
    line->selectAll();
    QTest::keyClicks(line, keys);
}

void typeWorkedExample(const MainWindow& w)
{
    type(w, "varv", "11000");
    type(w, "vev", "24");
    type(w, "koppling", "60");
    type(w, "framdrev", "14");
    type(w, "bakdrev", "40");
    type(w, "ettanutv", "1");
    type(w, "omkrets", "190");
}

QColor pixelOf(QWidget* widget, QPoint at)
{
    return widget->grab().toImage().pixelColor(at);
}

// Whether any pixel of the widget's picture has exactly this colour.
bool shows(QWidget* widget, const QColor& colour)
{
    const QImage image = widget->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        failOnAnyWarning();
        QLocale::setDefault(swedish);
    }

    void startState()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        QCOMPARE(w.windowTitle(), QStringLiteral("Drevkalk "));
        for (const app::Control& c : app::controls()) {
            if (auto* line = w.findChild<QLineEdit*>(QString::fromUtf8(c.name)))
                QVERIFY2(line->text().isEmpty(), c.name.data());
        }
        QVERIFY(w.findChild<QPlainTextEdit*>("Text1")->toPlainText().isEmpty());
        QCOMPARE(w.findChild<QListWidget*>("File1")->currentItem(), nullptr);
        QVERIFY(w.findChild<QWidget*>("Label7")->isVisible());
        QVERIFY(!w.findChild<QWidget*>("Label12")->isVisible());
        QVERIFY(!w.findChild<QWidget*>("Dir1")->isVisible());
        QCOMPARE(w.focusWidget(), w.findChild<QWidget*>("varv"));

        // The client area is 4455 x 6585 twips, and the window cannot be resized.
        QCOMPARE(w.centralWidget()->size(), QSize(297, 439));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.height(), w.menuBar()->height() + 439);
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(w.windowIcon().availableSizes().contains(QSize(32, 32)));
        QVERIFY(w.windowIcon().availableSizes().contains(QSize(16, 16)));

        // Everything below the client area is cut off, not hidden.
        const QRect client = w.centralWidget()->rect();
        for (const char* name : {"TrFilnamn", "ny1", "spara1", "tabort1"}) {
            QVERIFY2(w.findChild<QWidget*>(name)->isVisible(), name);
            QVERIFY2(!client.intersects(w.findChild<QWidget*>(name)->geometry()), name);
        }
        QVERIFY(client.contains(w.findChild<QWidget*>("File1")->geometry()));
    }

    void menuTree()
    {
        FakeMessages messages;
        MainWindow w(messages);
        const QList<QAction*> top = w.menuBar()->actions();
        QCOMPARE(top.size(), 2);
        QCOMPARE(top[0]->text(), QStringLiteral("Inställningar"));
        QCOMPARE(top[1]->text(), QStringLiteral("Om"));
        QCOMPARE(top[1]->menu(), nullptr);

        QStringList tree;
        for (QAction* sub : top[0]->menu()->actions()) {
            tree << sub->text();
            for (QAction* item : sub->menu()->actions())
                tree << QStringLiteral("  %1 %2%3")
                            .arg(item->text(), item->isChecked() ? "checked" : "unchecked",
                                 item->isEnabled() ? "" : " greyed");
        }
        const QStringList expected{
            "Mode",      "  enkelt checked",  "  Avancerat unchecked",
            "Måttenhet", "  Kmh checked",     "  Mph unchecked greyed",
            "bakhjulet", "  Omkrets checked", "  Axelhöjd unchecked greyed",
        };
        QCOMPARE(tree, expected);

        // A greyed item cannot be chosen: triggering it changes nothing.
        for (const char* name : {"inställningeng", "Axelhöjden"}) {
            QAction* item = w.findChild<QAction*>(name);
            item->trigger();
            QVERIFY(!item->isChecked());
        }
        QVERIFY(w.findChild<QAction*>("inställningswe")->isChecked());
        QVERIFY(w.findChild<QAction*>("Omkretsen")->isChecked());
    }

    void captionFont()
    {
        FakeMessages messages;
        MainWindow w(messages);
        const QString family = QFontInfo(w.findChild<QWidget*>("varv")->font()).family();
        QVERIFY2(family == "MS Sans Serif" || family == "Liberation Sans", qPrintable(family));
        QCOMPARE(w.findChild<QWidget*>("varv")->font().bold(), true);
        QCOMPARE(w.findChild<QWidget*>("varv")->font().pointSizeF(), 9.75);
    }

    void tabOrder()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QStringList expected{"varv",      "vev",        "koppling",  "ettanutv",  "tvåanutv",
                                   "treanutv",  "fyranutv",   "framdrev",  "bakdrev",   "omkrets",
                                   "Text1",     "primär",     "ettanhast", "tvåanhast", "treanhast",
                                   "fyranhast", "sekundär",   "File1",     "TrFilnamn", "femmanutv",
                                   "sexanutv",  "femmanhast", "sexanhast", "Beräkna",   "ny1",
                                   "tabort1",   "spara1",     "varv"};
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void workedExample_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("primary");
        QTest::addColumn<QString>("secondary");
        QTest::newRow("Swedish") << swedish << "2,500"
                                 << "2,857";
        QTest::newRow("English") << english << "2.500"
                                 << "2.857";
    }

    void workedExample()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, primary);
        QFETCH(QString, secondary);
        QLocale::setDefault(locale);
        FakeMessages messages;
        MainWindow w(messages);
        typeWorkedExample(w);
        QCOMPARE(box(w, "primär")->text(), primary);
        QCOMPARE(box(w, "sekundär")->text(), secondary);
        // Typing does not compute: only the button does.
        QCOMPARE(box(w, "ettanhast")->text(), QString());
        QTest::mouseClick(w.findChild<QWidget*>("Beräkna"), Qt::LeftButton);
        QCOMPARE(box(w, "ettanhast")->text(), QStringLiteral("175"));
        QCOMPARE(box(w, "tvåanhast")->text(), QString());
        QVERIFY(messages.warnings.isEmpty());
        // Menus change nothing a speed depends on.
        w.findChild<QAction*>("inställningswe")->trigger();
        w.findChild<QAction*>("advanced")->trigger();
        QTest::mouseClick(w.findChild<QWidget*>("Beräkna"), Qt::LeftButton);
        QCOMPARE(box(w, "ettanhast")->text(), QStringLiteral("175"));
    }

    void speedsCutToThreeCharacters()
    {
        FakeMessages messages;
        MainWindow w(messages);
        auto& f = w.fields();
        f.setText(calc::Field::primär, "1");
        f.setText(calc::Field::sekundär, "1");
        type(w, "omkrets", "100");
        type(w, "varv", "14299");
        type(w, "ettanutv", "6");     // 142.99
        type(w, "tvåanutv", "16,32"); // 87.6...
        type(w, "treanutv", "144,8"); // 9.87...
        QTest::mouseClick(w.findChild<QWidget*>("Beräkna"), Qt::LeftButton);
        QCOMPARE(box(w, "ettanhast")->text(), QStringLiteral("142"));
        QCOMPARE(box(w, "tvåanhast")->text(), QStringLiteral("52,"));
        QCOMPARE(box(w, "treanhast")->text(), QStringLiteral("5,9"));
        // A longer text assigned by the program is cut.
        f.setText(calc::Field::ettanhast, "175,56");
        QCOMPARE(box(w, "ettanhast")->text(), QStringLiteral("175"));
    }

    void ratioFieldsFollowTheTeeth()
    {
        FakeMessages messages;
        MainWindow w(messages);
        // A fresh window: the first count completes its pair with 1.
        type(w, "koppling", "2");
        QCOMPARE(box(w, "vev")->text(), QStringLiteral("1"));
        QCOMPARE(box(w, "primär")->text(), QStringLiteral("2,000"));
        type(w, "vev", "21");
        type(w, "koppling", "65");
        QCOMPARE(box(w, "primär")->text(), QStringLiteral("3,095"));
        // Deleting the last character shows 1 at once.
        box(w, "vev")->setFocus();
        QTest::keyClick(box(w, "vev"), Qt::Key_End);
        QTest::keyClick(box(w, "vev"), Qt::Key_Backspace);
        QTest::keyClick(box(w, "vev"), Qt::Key_Backspace);
        QCOMPARE(box(w, "vev")->text(), QStringLiteral("1"));
        QCOMPARE(box(w, "primär")->text(), QStringLiteral("65,00"));

        type(w, "framdrev", "15");
        QCOMPARE(box(w, "bakdrev")->text(), QStringLiteral("1"));
        type(w, "bakdrev", "46");
        QCOMPARE(box(w, "sekundär")->text(), QStringLiteral("3,067"));
        // 0 and 00 assigned by the program (a loaded file) turn into 1.
        w.fields().setText(calc::Field::vev, "00");
        QCOMPARE(box(w, "vev")->text(), QStringLiteral("1"));
        w.fields().setText(calc::Field::framdrev, "00");
        QCOMPARE(box(w, "framdrev")->text(), QStringLiteral("1"));
    }

    void teethFieldsTakeDigitsOnly()
    {
        FakeMessages messages;
        MainWindow w(messages);
        type(w, "vev", "a-,.5");
        QCOMPARE(box(w, "vev")->text(), QStringLiteral("5"));
        QGuiApplication::clipboard()->setText(QStringLiteral("1a"));
        box(w, "bakdrev")->setFocus();
        QTest::keySequence(box(w, "bakdrev"), QKeySequence::Paste);
        QCOMPARE(box(w, "bakdrev")->text(), QString());
        QGuiApplication::clipboard()->setText(QStringLiteral("42"));
        QTest::keySequence(box(w, "bakdrev"), QKeySequence::Paste);
        QCOMPARE(box(w, "bakdrev")->text(), QStringLiteral("42"));
    }

    void lengthLimits()
    {
        FakeMessages messages;
        MainWindow w(messages);
        const struct
        {
            const char* name;
            int max;
        } limits[] = {{"varv", 5},      {"ettanutv", 5}, {"tvåanutv", 5},   {"treanutv", 5},
                      {"fyranutv", 5},  {"vev", 2},      {"koppling", 2},   {"framdrev", 2},
                      {"bakdrev", 2},   {"omkrets", 3},  {"femmanutv", -1}, {"sexanutv", -1},
                      {"TrFilnamn", -1}};
        const QString keys = QStringLiteral("1234567890123");
        for (const auto& limit : limits) {
            type(w, limit.name, keys);
            QCOMPARE(box(w, limit.name)->text(), limit.max < 0 ? keys : keys.left(limit.max));
        }
        auto* comment = w.findChild<QPlainTextEdit*>("Text1");
        comment->setFocus();
        QTest::keyClicks(comment, keys);
        QCOMPARE(comment->toPlainText(), keys);
    }

    void readOnlyFieldsRefuseTypingButCopy()
    {
        FakeMessages messages;
        MainWindow w(messages);
        typeWorkedExample(w);
        QTest::mouseClick(w.findChild<QWidget*>("Beräkna"), Qt::LeftButton);
        for (const char* name : {"primär", "sekundär", "ettanhast", "sexanhast"}) {
            QLineEdit* line = box(w, name);
            const QString before = line->text();
            type(w, name, "9");
            QTest::keyClick(line, Qt::Key_Backspace);
            QCOMPARE(line->text(), before);
            QVERIFY(line->isEnabled());
            QCOMPARE(line->focusPolicy(), Qt::StrongFocus);
        }
        QLineEdit* speed = box(w, "ettanhast");
        speed->setFocus();
        QTest::keySequence(speed, QKeySequence::SelectAll);
        QTest::keySequence(speed, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("175"));
    }

    void calculationFailures()
    {
        FakeMessages messages;
        MainWindow w(messages);
        // A fresh window: no revolutions to compute with.
        QTest::mouseClick(w.findChild<QWidget*>("Beräkna"), Qt::LeftButton);
        QCOMPARE(messages.warnings.size(), 1);
        QVERIFY(messages.warnings[0].contains(QStringLiteral("\"Max Varvtal\"")));

        typeWorkedExample(w);
        QTest::mouseClick(w.findChild<QWidget*>("Beräkna"), Qt::LeftButton);
        QCOMPARE(messages.warnings.size(), 1); // gears the bike lacks are no fault
        QCOMPARE(box(w, "ettanhast")->text(), QStringLiteral("175"));

        type(w, "omkrets", "0");
        QTest::mouseClick(w.findChild<QWidget*>("Beräkna"), Qt::LeftButton);
        QCOMPARE(messages.warnings.size(), 2);
        QVERIFY(messages.warnings[1].contains(QStringLiteral("\"Bakhjulets omkrets\"")));
        QCOMPARE(box(w, "ettanhast")->text(), QString());
        // Typing on goes on working afterwards.
        type(w, "omkrets", "190");
        QTest::mouseClick(w.findChild<QWidget*>("Beräkna"), Qt::LeftButton);
        QCOMPARE(box(w, "ettanhast")->text(), QStringLiteral("175"));
    }

    void colours()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        typeWorkedExample(w);
        QTest::mouseClick(w.findChild<QWidget*>("Beräkna"), Qt::LeftButton);
        w.centralWidget()->setFocus(); // no cursor or selection in the boxes

        const QColor boxBack(128, 128, 255);
        for (const char* name : {"varv", "primär", "ettanhast", "TrFilnamn"}) {
            QWidget* field = w.findChild<QWidget*>(name);
            QCOMPARE(pixelOf(field, QPoint(field->width() - 5, 12)), boxBack);
        }
        QCOMPARE(pixelOf(w.findChild<QWidget*>("File1"), QPoint(20, 40)), boxBack);
        QVERIFY(shows(w.findChild<QWidget*>("varv"), QColor(255, 255, 0)));
        QVERIFY(shows(w.findChild<QWidget*>("ettanhast"), QColor(0, 255, 0)));
        QVERIFY(!shows(w.findChild<QWidget*>("primär"), QColor(255, 255, 0)));
        QVERIFY(shows(w.findChild<QWidget*>("primär"), QColor(0, 0, 0)));
        // The connector lines are red, 3 pixels wide.
        const QImage client = w.centralWidget()->grab().toImage();
        QCOMPARE(client.pixelColor(140, 62), QColor(255, 0, 0));
        QCOMPARE(client.pixelColor(140, 63), QColor(255, 0, 0));
        QCOMPARE(pixelOf(w.findChild<QWidget*>("Beräkna"), QPoint(10, 4)).red(),
                 pixelOf(w.findChild<QWidget*>("Beräkna"), QPoint(10, 4)).blue());
    }

    void accessibleNames()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        const auto name = [&](const char* control) {
            QAccessibleInterface* face =
                QAccessible::queryAccessibleInterface(w.findChild<QWidget*>(control));
            return face ? face->text(QAccessible::Name) : QStringLiteral("<none>");
        };
        const auto readOnly = [&](const char* control) {
            return QAccessible::queryAccessibleInterface(w.findChild<QWidget*>(control))
                ->state()
                .readOnly;
        };
        QCOMPARE(name("varv"), QStringLiteral("Max Varvtal"));
        QCOMPARE(name("vev"), QStringLiteral("Vevaxel"));
        QCOMPARE(name("primär"), QStringLiteral("Primär utväxling"));
        QCOMPARE(name("ettanutv"), QStringLiteral("1:an Utväxling"));
        QCOMPARE(name("ettanhast"), QStringLiteral("1:an Max Hastighet"));
        QCOMPARE(name("sexanhast"), QStringLiteral("6:an Max Hastighet"));
        QCOMPARE(name("omkrets"), QStringLiteral("Bakhjulets omkrets"));
        QCOMPARE(name("Text1"), QStringLiteral("Kommentar"));
        QCOMPARE(name("TrFilnamn"), QStringLiteral("Filnamn"));
        QCOMPARE(name("Beräkna"), QStringLiteral("Beräkna"));
        QCOMPARE(name("tabort1"), QStringLiteral("Ta bort"));
        QCOMPARE(name("File1"), QStringLiteral("Sparade hojar"));
        QVERIFY(readOnly("primär"));
        QVERIFY(readOnly("ettanhast"));
        QVERIFY(!readOnly("varv"));
        // Every field has a name of its own.
        QSet<QString> names;
        for (const app::Control& c : app::controls())
            if (c.field)
                names.insert(name(c.name.data()));
        QCOMPARE(names.size(), calc::fieldCount);
    }

    void closingEndsTheProgram()
    {
        FakeMessages messages;
        MainWindow w(messages);
        w.show();
        QSignalSpy closed(&w, &MainWindow::closed);
        QVERIFY(w.close());
        QCOMPARE(closed.count(), 1);
    }

    void withoutADisplayTheProgramSaysSo()
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(DREVKALK_BINARY), {});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QByteArray said = program.readAllStandardError();
        QCOMPARE(said.count('\n'), 1);
        QVERIFY(said.contains("DISPLAY"));
    }
};

DREVKALK_TEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
