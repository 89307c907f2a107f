#include "testsupport.h"

#include <QAccessible>
#include <QLabel>

#include <memory>

using namespace Qt::StringLiterals;

class AboutTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<Window> main;
    QWidget* about = nullptr;
private slots:
    // Each test function starts with About opened from a new main window, under a dark palette.
    void init()
    {
        main.reset();
        QApplication::setPalette(QPalette(QColor(49, 54, 59)));
        main = std::make_unique<Window>();
        main->menu("övrigt");
        about = topLevels("frmAbout").value(0);
        QVERIFY(about);
    }
    // Each control in its place, under the name that assistive tools read.
    void controls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("name");
        QTest::newRow("title") << u"lblTitle"_s << QRect(70, 16, 259, 24) << u"Drevkalk"_s;
        QTest::newRow("version") << u"lblVersion"_s << QRect(70, 32, 115, 23) << u"Version 1.1.2"_s;
        QTest::newRow("icon") << u"picIcon"_s << QRect(16, 16, 36, 36)
                              << u"Drevkalks ikon, en hastighetsmätare"_s;
        QTest::newRow("Stäng") << u"bort"_s << QRect(232, 152, 89, 57) << u"Stäng"_s;
    }
    void controls()
    {
        QFETCH(QString, control);
        QWidget* widget = findIn(*about, control);
        QTEST(widget->geometry(), "place");
        QTEST(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), "name");
    }
    // A fixed window with an icon of its own and no minimise or maximise button; the title black,
    // the version in the desktop's button text colour; "Stäng" underlined, the captions bold and,
    // as the icon, at the top left of their boxes.
    void window()
    {
        QCOMPARE(about->windowTitle(), "About Drevkalk");
        QCOMPARE(about->maximumSize(), QSize(329, 215));
        QCOMPARE(about->windowFlags() & Qt::WindowMinMaxButtonsHint, Qt::WindowFlags());
        QCOMPARE(about->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        const auto ink = [&](const char* name) {
            return findIn(*about, name)->palette().color(QPalette::WindowText);
        };
        QCOMPARE(ink("lblTitle"), QColor(Qt::black));
        QCOMPARE(ink("lblVersion"), QColor(Qt::white));
        QVERIFY(findIn(*about, "bort")->font().underline());
        QCOMPARE(findIn<QLabel>(*about, "lblDisclaimer")->alignment(),
                 Qt::AlignLeft | Qt::AlignTop);
        QCOMPARE(findIn<QLabel>(*about, "picIcon")->alignment(), Qt::AlignLeft | Qt::AlignTop);
        const QFont caption = findIn(*about, "lblDescription")->font();
        QCOMPARE(caption.pointSizeF(), 9.75);
        QCOMPARE(caption.weight(), QFont::Bold);
    }
    // The desktop colour behind everything, "Stäng" too; a white separator of two pixels, to the
    // right edge.
    void picture_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("Stäng") << QPoint(240, 160) << QColor(0, 128, 128);
        QTest::newRow("separator, grey at the left end") << QPoint(6, 136) << QColor(128, 128, 128);
        QTest::newRow("separator, top") << QPoint(200, 135) << QColor(Qt::white);
        QTest::newRow("separator, bottom at the edge") << QPoint(328, 136) << QColor(Qt::white);
        QTest::newRow("below the separator") << QPoint(200, 137) << QColor(0, 128, 128);
    }
    void picture()
    {
        QFETCH(QPoint, at);
        QTEST(about->grab().toImage().pixelColor(at), "colour");
    }
    // Escape does nothing; Enter presses "Stäng", which hides the window, while it has the focus.
    // "Om" shows the same window again, in front; a close through the title bar unloads it, and
    // "Om" loads it anew; closing the main window ends it.
    void lifeCycle()
    {
        QWidget* stäng = findIn(*about, "bort");
        stäng->clearFocus();
        QTest::keyClick(about, Qt::Key_Return);
        QVERIFY(about->isVisible());
        stäng->setFocus();
        QTest::keyClick(stäng, Qt::Key_Escape);
        QVERIFY(about->isVisible());
        QTest::keyClick(stäng, Qt::Key_Return);
        QVERIFY(about->isHidden());
        main->menu("övrigt");
        QCOMPARE(topLevels("frmAbout"), QWidgetList{about});
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        main->menu("övrigt");
        QVERIFY(QTest::qWaitForWindowActive(about));
        QVERIFY(about->close());
        QCOMPARE(topLevels("frmAbout"), QWidgetList());
        main->menu("övrigt");
        QCOMPARE(topLevels("frmAbout").size(), 1);
        QVERIFY(main->close());
        QCOMPARE(topLevels("frmAbout"), QWidgetList());
    }
};

DREVKALK_TEST_MAIN(AboutTest)
#include "about_test.moc"
