// The main window natively on the Wayland compositor that check.sh starts: the menus open, the
// display modes give the window its fixed sizes, About opens, closing the window ends the program.
#include "app/mainwindow.h"
#include "testsupport.h"
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

// Clicks ITEM in MENU, the menu bar or an open menu, once MENU is on the screen.
template <class Menu> void click(Menu* menu, QAction* item)
{
    QTRY_VERIFY(menu->isVisible() && menu->window()->windowHandle()->isExposed());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}

QAction* item(const app::MainWindow& w, const char* name)
{
    return w.findChild<QAction*>(name);
}

QWidget* findAbout()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("frmAbout") && top->isVisible())
            return top;
    return nullptr;
}

class WaylandTest : public QObject
{
    Q_OBJECT
private slots:
    void windowOnWayland()
    {
        failOnAnyWarning();
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        app::MainWindow w;
        QSignalSpy closed(&w, &app::MainWindow::closed);
        w.show();
        for (const auto& [mode, height] : {std::pair{"advanced", 518}, {"easy", 439}}) {
            click(w.menuBar(), item(w, "options"));
            click(w.findChild<QMenu*>("options"), item(w, "modell"));
            click(w.findChild<QMenu*>("modell"), item(w, mode));
            QTRY_COMPARE(w.windowHandle()->size(), QSize(297, height + w.menuBar()->height()));
            QCOMPARE(w.centralWidget()->size(), QSize(297, height));
        }
        click(w.menuBar(), item(w, "övrigt"));
        QWidget* about = nullptr;
        QTRY_VERIFY((about = findAbout()));
        QVERIFY(QTest::qWaitForWindowExposed(about));
        w.close();
        QCOMPARE(closed.count(), 1);
    }
};
DREVKALK_TEST_MAIN(WaylandTest)
#include "wayland_test.moc"
