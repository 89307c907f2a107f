#include "testsupport.h"

#include <QLabel>

// The About window while it is loaded (not yet deleted), found like any window of the program.
QWidget* aboutWindow()
{
    QWidget* found = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "frmAbout")
            found = found ? (qFatal("two About windows"), nullptr) : widget;
    return found;
}
template <class T = QLabel> T* part(const char* name) { return aboutWindow()->findChild<T*>(name); }

class AboutTest : public QObject
{
    Q_OBJECT
private slots:
    // "Om" loads the window once and shows it again; "Stäng" hides it; a close through the
    // title bar unloads it; closing the main window ends it.
    void lifeCycle()
    {
        Window w;
        w.menu("övrigt");
        QWidget* win = aboutWindow();
        QCOMPARE(win->windowTitle() + "|" + part("lblTitle")->text() + "|"
                     + part("lblVersion")->text() + "|" + part("lblDescription")->text() + "|"
                     + part("lblDisclaimer")->text(),
                 "About Drevkalk|Drevkalk|Version 1.1.2|Ett nödvändigt ont för den som "
                 "verkligen inte tycker att det är nån ide' att ta fram miniräknaren när det är "
                 "dags att dreva om hojen.|Varning: Jag har inte den blekaste aning om ifall detta "
                 "får distrubueras hur som helst.");
        auto* stäng = part<QPushButton>("bort");
        QVERIFY(stäng->text() == "Stäng" && stäng->font().underline() && !win->isModal());
        const auto buttons = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
        QVERIFY(win->size() == QSize(329, 215) && win->minimumSize() == win->maximumSize()
                && !(win->windowFlags() & buttons));
        QVERIFY(win->windowIcon().cacheKey() != w.windowIcon().cacheKey() && !win->parentWidget()
                && win->windowIcon().availableSizes() == (QList<QSize>{{32, 32}, {16, 16}}));
        QVERIFY(stäng->geometry() == QRect(232, 152, 89, 57)
                && part("picIcon")->geometry() == QRect(16, 16, 36, 36));
        // The desktop colour behind everything (the icon too), the separator white to the edge.
        const QImage picture = win->grab().toImage();
        for (auto [x, y, colour] : {std::tuple{320, 5, 0x008080}, {51, 51, 0x008080},
                 {200, 135, 0xffffff}, {200, 136, 0xffffff}, {328, 136, 0xffffff}})
            QCOMPARE(picture.pixelColor(x, y), QColor::fromRgb(colour));
        // Escape does nothing; Enter presses "Stäng" only while it has the focus.
        stäng->clearFocus(), QTest::keyClick(win, Qt::Key_Return);
        stäng->setFocus(), QTest::keyClick(stäng, Qt::Key_Escape);
        QVERIFY(win->isVisible());
        QTest::keyClick(stäng, Qt::Key_Return);
        QVERIFY(!win->isVisible());
        w.menu("övrigt"), w.menu("övrigt");
        QVERIFY(aboutWindow() == win && win->isVisible()); // the same window, not loaded anew
        w.activateWindow(), w.waitForActive(), w.menu("övrigt"); // and brought to the front
        QVERIFY(QTest::qWaitForWindowActive(win));
        QVERIFY(win->close());
        QCOMPARE(aboutWindow(), nullptr);
        w.menu("övrigt");
        QVERIFY(aboutWindow() && w.close()); // loaded anew, and unloaded with the program
        QCOMPARE(aboutWindow(), nullptr);
    }
};

DREVKALK_TEST_MAIN(AboutTest)
#include "about_test.moc"
