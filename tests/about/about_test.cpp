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
    // The title and version in their places, in the caption font: black, and the desktop's button
    // text colour.
    void captions_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("ink");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("title") << u"lblTitle"_s << u"Drevkalk"_s << QColor(Qt::black)
                               << QPoint(70, 16);
        QTest::newRow("version") << u"lblVersion"_s << u"Version 1.1.2"_s << QColor(Qt::white)
                                 << QPoint(70, 32);
    }
    void captions()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QColor, ink);
        QFETCH(QPoint, at);
        const QLabel* label = findIn<QLabel>(*about, caption);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->font().pointSizeF(), 9.75);
        QCOMPARE(label->font().weight(), QFont::Bold);
        QCOMPARE(label->palette().color(QPalette::WindowText), ink);
        QCOMPARE(label->pos(), at);
    }
    // A fixed window with an icon of its own and no minimise or maximise button; the icon named
    // for assistive tools; "Stäng" underlined.
    void window()
    {
        QCOMPARE(about->windowTitle(), "About Drevkalk");
        QCOMPARE(about->minimumSize(), QSize(329, 215));
        QCOMPARE(about->maximumSize(), QSize(329, 215));
        QCOMPARE(about->windowFlags() & Qt::WindowMinMaxButtonsHint, Qt::WindowFlags());
        QCOMPARE(about->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QWidget* icon = findIn(*about, "picIcon");
        QCOMPARE(icon->geometry(), QRect(16, 16, 36, 36));
        const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(icon);
        QCOMPARE(face->text(QAccessible::Name), "Drevkalks ikon, en hastighetsmätare");
        const auto* stäng = findIn<QPushButton>(*about, "bort");
        QCOMPARE(stäng->geometry(), QRect(232, 152, 89, 57));
        QVERIFY(stäng->font().underline());
    }
    // The desktop colour behind everything, the icon and "Stäng" too; a white separator of two
    // pixels, to the right edge.
    void picture_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("background") << QPoint(320, 5) << QColor(0, 128, 128);
        QTest::newRow("behind the icon") << QPoint(51, 51) << QColor(0, 128, 128);
        QTest::newRow("Stäng") << QPoint(240, 160) << QColor(0, 128, 128);
        QTest::newRow("separator, top") << QPoint(200, 135) << QColor(Qt::white);
        QTest::newRow("separator, bottom at the edge") << QPoint(328, 136) << QColor(Qt::white);
        QTest::newRow("below the separator") << QPoint(200, 137) << QColor(0, 128, 128);
    }
    void picture()
    {
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        QCOMPARE(about->grab().toImage().pixelColor(at), colour);
    }
    // Escape does nothing; Enter presses "Stäng", which hides the window, while it has the focus.
    void keys()
    {
        auto* stäng = findIn<QPushButton>(*about, "bort");
        stäng->clearFocus();
        QTest::keyClick(about, Qt::Key_Return);
        QVERIFY(about->isVisible());
        stäng->setFocus();
        QTest::keyClick(stäng, Qt::Key_Escape);
        QVERIFY(about->isVisible());
        QTest::keyClick(stäng, Qt::Key_Return);
        QVERIFY(about->isHidden());
    }
    // "Om" shows the same window again, in front; a close through the title bar unloads it, and
    // "Om" loads it anew; closing the main window ends it.
    void lifeCycle()
    {
        about->hide();
        main->menu("övrigt");
        QCOMPARE(topLevels("frmAbout"), QWidgetList{about});
        QVERIFY(about->isVisible());
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
