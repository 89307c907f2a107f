#include "app/mainwindow.h"
#include "testsupport.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { failOnAnyWarning(); }

    void startState()
    {
        Window w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Drevkalk "));
        QCOMPARE(w.centralWidget()->size(), QSize(297, 439)); // 4455 x 6585 twips
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        QCOMPARE(w.windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QVERIFY(w.find<QLabel>("Label7")->isVisible() && !w.find<QLabel>("Label12")->isVisible());
        QVERIFY(!w.find<QWidget>("Dir1")->isVisible());
        const QFont font = w.find<QLineEdit>("varv")->font();
        QVERIFY2(QStringList({"MS Sans Serif", "Liberation Sans"}).contains(QFontInfo(font).family()), qPrintable(font.family()));
        QCOMPARE(font.bold() && font.pointSizeF() == 9.75, true);
        QCOMPARE(w.find<QLineEdit>("omkrets")->toolTip(), "Här skriver du in bakhjulets omkrets/ axelhöjd(radie)");
        // The tab order, from the focus at start round to it again.
        QStringList visited{QApplication::focusWidget()->objectName()};
        while (visited.size() < 28) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited.join(' '), "varv vev koppling ettanutv tvåanutv treanutv fyranutv framdrev bakdrev omkrets Text1 primär ettanhast tvåanhast treanhast fyranhast sekundär File1 TrFilnamn femmanutv sexanutv femmanhast sexanhast Beräkna ny1 tabort1 spara1 varv");
        // Named for assistive tools after the captions beside them; results are read-only.
        QStringList names;
        for (const char* name : {"varv", "vev", "koppling", "primär", "ettanutv", "sexanutv", "ettanhast", "sexanhast", "omkrets", "sekundär", "Text1", "TrFilnamn", "Beräkna", "ny1", "spara1", "tabort1", "File1"}) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w.findChild<QWidget*>(name));
            names << face->text(QAccessible::Name) + (face->state().readOnly ? "*" : "");
        }
        QCOMPARE(names.join('|'), "Max Varvtal|Vevaxel|Koppling|Primär utväxling*|1:an Utväxling|6:an Utväxling|1:an Max Hastighet*|6:an Max Hastighet*|Bakhjulets omkrets|Sekundär utväxling*|Kommentar|Filnamn|Beräkna|Ny|spara|Ta bort|Sparade hojar");
    }

    // Typing runs the teeth fields' reactions; only "Beräkna" computes, or says what is wrong.
    void typingAndCalculating()
    {
        Window w;
        w.click("Beräkna");
        QCOMPARE(w.messages.warnings.size(), 1);
        QVERIFY(w.messages.warnings[0].startsWith(QStringLiteral("\"Max Varvtal\" är tomt.")));
        w.typeWorkedExample();
        QCOMPARE(w.text("primär") + " " + w.text("sekundär") + " " + w.text("ettanhast"), "2,500 2,857 ");
        w.click("Beräkna");
        QCOMPARE(w.text("ettanhast") + "|" + w.text("tvåanhast"), "175|");
        w.type("vev", "");  // emptied: 1 at once
        QCOMPARE(w.text("vev") + " " + w.text("primär"), "1 60,00");
        w.type("vev", "a-,.5"); // teeth take digits only
        QCOMPARE(w.text("vev"), "5");
        w.type("varv", "1234567"); // five characters
        w.type("femmanutv", "1234567"); // no limit
        QCOMPARE(w.text("varv") + " " + w.text("femmanutv"), "12345 1234567");
        w.type("omkrets", "0");
        w.click("Beräkna");
        QCOMPARE(w.messages.warnings.size(), 2);
        QVERIFY(w.messages.warnings[1].startsWith(QStringLiteral("\"Bakhjulets omkrets\" får inte vara 0.")));
        QCOMPARE(w.text("ettanhast"), QString());
        // Read-only results take no typing, but copy.
        w.type("omkrets", "190");
        w.click("Beräkna");
        w.type("ettanhast", "9");
        QTest::keySequence(w.find<QLineEdit>("ettanhast"), QKeySequence::SelectAll);
        QTest::keySequence(w.find<QLineEdit>("ettanhast"), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("41,"));
        QCOMPARE(w.messages.warnings.size(), 2);
    }

    // The menus switch the display modes and leave every field alone.
    void menus()
    {
        Window w;
        QStringList tree;
        for (QAction* item : w.menuBar()->findChildren<QAction*>())
            if (!item->objectName().isEmpty())
                tree << item->text() + (item->isChecked() ? "+" : "") + (item->isEnabled() ? "" : "-");
        QCOMPARE(tree.join(' '), "Inställningar Mode enkelt+ Avancerat Måttenhet Kmh+ Mph- bakhjulet Omkrets+ Axelhöjd- Om");
        w.typeWorkedExample();
        w.click("Beräkna");
        const QString before = w.allTexts();
        for (const auto& [item, height] : {std::pair{"advanced", 518}, {"advanced", 518}, {"inställningswe", 518}, {"Omkretsen", 518}, {"inställningeng", 518}, {"Axelhöjden", 518}, {"easy", 439}, {"easy", 439}, {"advanced", 518}}) {
            w.findChild<QAction*>(item)->trigger();
            QCOMPARE(w.centralWidget()->size(), QSize(297, height));
            QCOMPARE(w.findChild<QAction*>("easy")->isChecked(), height == 439);
            QCOMPARE(w.findChild<QAction*>("advanced")->isChecked(), height == 518);
            QCOMPARE(w.minimumSize(), w.maximumSize());
            QCOMPARE(w.allTexts(), before);
        }
        QCOMPARE(w.findChild<QAction*>("Omkretsen")->isChecked() && w.findChild<QAction*>("inställningswe")->isChecked(), true);
        QCOMPARE(w.findChild<QAction*>("Axelhöjden")->isChecked(), false);
        QVERIFY(w.find<QLabel>("Label7")->isVisible() && !w.find<QLabel>("Label12")->isVisible());
        // Avancerat brings the file controls into view; enkelt cuts them off.
        QVERIFY(w.centralWidget()->rect().contains(w.find<QWidget>("spara1")->geometry()));
        w.findChild<QAction*>("easy")->trigger();
        QVERIFY(!w.centralWidget()->rect().intersects(w.find<QWidget>("TrFilnamn")->geometry()));
    }

    // What a user sees: the gradient bands behind the captions, box and ink colours, red lines.
    void colours()
    {
        Window w;
        w.typeWorkedExample();
        w.click("Beräkna");
        w.centralWidget()->setFocus(); // no cursor or selection in the boxes
        const QImage client = w.centralWidget()->grab().toImage();
        for (int x : {0, 2, 3, 150, 219, 296}) // band k covers the pixels 3(k - 1) to 3k - 1
            QCOMPARE(client.pixelColor(x, 140), QColor(100 + x / 3, 0, 255 - x / 3));
        QCOMPARE(client.pixelColor(140, 62), QColor(255, 0, 0));
        QCOMPARE(client.pixelColor(140, 63), QColor(255, 0, 0));
        const auto shows = [&](const char* name, QColor colour) {
            const QImage image = w.find<QWidget>(name)->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
            return std::find(pixels, pixels + image.width() * image.height(), colour.rgb()) != pixels + image.width() * image.height();
        };
        QVERIFY(shows("varv", QColor(255, 255, 0)) && shows("ettanhast", QColor(0, 255, 0)));
        QVERIFY(shows("primär", QColor(0, 0, 0)) && !shows("primär", QColor(255, 255, 0)));
        for (const char* name : {"varv", "primär", "ettanhast", "File1"})
            QCOMPARE(w.find<QWidget>(name)->grab().toImage().pixelColor(w.find<QWidget>(name)->width() - 5, 12), QColor(128, 128, 255));
        const QColor face = w.find<QWidget>("Beräkna")->grab().toImage().pixelColor(10, 4);
        QCOMPARE(face.red(), face.blue());
        // The strip that Avancerat uncovers is painted too.
        w.findChild<QAction*>("advanced")->trigger();
        QCOMPARE(w.centralWidget()->grab().toImage().pixelColor(290, 515), QColor(196, 0, 159));
    }

    // Run also at QT_SCALE_FACTOR=2: every caption fits its box.
    void captionsFit()
    {
        Window w;
        for (QLabel* label : w.centralWidget()->findChildren<QLabel*>()) {
            const QRect needed = label->fontMetrics().boundingRect(label->rect(), Qt::TextWordWrap | label->alignment(), label->text());
            QVERIFY2(label->rect().contains(needed), qPrintable(label->text()));
        }
    }

    // The user's regional settings give the decimal separator; a light-on-dark desktop
    // palette leaves the captions black.
    void userSettings()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QPalette desktop = QApplication::palette();
        QApplication::setPalette(QPalette(Qt::white, Qt::black));
        Window w;
        w.typeWorkedExample();
        QCOMPARE(w.find<QLabel>("Label1")->palette().color(QPalette::WindowText), QColor(Qt::black));
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        QApplication::setPalette(desktop);
        QCOMPARE(w.text("primär") + " " + w.text("sekundär"), "2.500 2.857");
    }

    void closingEndsTheProgramWhichNeedsADisplay()
    {
        Window w;
        QSignalSpy closed(&w, &app::MainWindow::closed);
        QVERIFY(w.close());
        QCOMPARE(closed.count(), 1);
        QProcess program; // without a display the program says so in one line
        program.start("env", {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", DREVKALK_BINARY});
        QVERIFY(program.waitForFinished(10000) && program.exitCode() == 1);
        const QByteArray said = program.readAllStandardError();
        QVERIFY(said.count('\n') == 1 && said.contains("DISPLAY"));
    }
};

DREVKALK_TEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
