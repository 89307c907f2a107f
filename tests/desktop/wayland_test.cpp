// The main window natively on the Wayland compositor that check.sh starts: the menus open, the
// display modes give the window its fixed sizes, About opens, closing the window ends the program.
#include "testsupport.h"

#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

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
        const auto click = [&](auto* menu, const char* item) { // once the menu is on the screen
            QTRY_VERIFY(menu->isVisible() && menu->window()->windowHandle()->isExposed());
            const QRect at = menu->actionGeometry(w.findChild<QAction*>(item));
            QTest::mouseClick(menu, Qt::LeftButton, {}, at.center());
        };
        for (auto [mode, height] : {std::pair{"advanced", 518}, {"easy", 439}}) {
            click(w.menuBar(), "options");
            click(w.findChild<QMenu*>("options"), "modell");
            click(w.findChild<QMenu*>("modell"), mode);
            QTRY_COMPARE(w.windowHandle()->size(), QSize(297, height + w.menuBar()->height()));
        }
        click(w.menuBar(), "övrigt");
        const auto about = [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == "frmAbout" && top->isVisible())
                    return top->windowHandle()->isExposed();
            return false;
        };
        QTRY_VERIFY(about());
        QVERIFY(w.close() && closed.count() == 1);
    }
};
DREVKALK_TEST_MAIN(WaylandTest)
#include "wayland_test.moc"
