// The main window natively on the Wayland compositor that wayland_check.sh starts: the menus open,
// the display modes give the window its fixed sizes, About opens. With DREVKALK_PLANT_LEAK set it
// also loses 128 bytes, which the leak checker must report: the proof that it watches on Wayland.
#include "testsupport.h"

#include <QMenu>
#include <QMenuBar>

#include <cstdlib>

void* volatile planted = nullptr;

[[gnu::noinline]] void plantLeak()
{
    planted = std::realloc(nullptr, 128);
    planted = nullptr;
}

class WaylandTest : public QObject
{
    Q_OBJECT
    Q_SLOT void windowOnWayland() // private, as QTest wants its test functions
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        failOnAnyWarning();
        app::MainWindow w;
        w.show();
        const auto click = [&](auto* menu, const char* item) { // once the menu is on the screen
            QTRY_VERIFY(menu->isVisible());
            QTRY_VERIFY(menu->window()->windowHandle()->isExposed());
            const QPoint at = menu->actionGeometry(w.findChild<QAction*>(item)).center();
            QTest::mouseClick(menu, Qt::LeftButton, {}, at);
        };
        for (auto [mode, height] : {std::pair{"advanced", 518}, {"easy", 439}}) {
            click(w.menuBar(), "options");
            click(findIn<QMenu>(w, "options"), "modell");
            click(findIn<QMenu>(w, "modell"), mode);
            QTRY_COMPARE(w.windowHandle()->size(), QSize(297, height + w.menuBar()->height()));
        }
        click(w.menuBar(), "övrigt");
        QTRY_COMPARE(topLevels("frmAbout").size(), 1);
        QTRY_VERIFY(topLevels("frmAbout").value(0)->windowHandle()->isExposed());
        QVERIFY(w.close());
        if (qEnvironmentVariableIsSet("DREVKALK_PLANT_LEAK"))
            plantLeak();
    }
};
DREVKALK_TEST_MAIN(WaylandTest)
#include "wayland_test.moc"
