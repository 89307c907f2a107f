#pragma once

#include "platform/widgets/messages.h"
// moc parses every enumeration inside a namespace or a class it reads, in case
// one is registered with Q_ENUM, and moc 6.4 stops with a parse error at an
// enumerator with å, ä or ö: calc::Field, which this header brings in, has
// primär and sekundär. Identifiers with those letters elsewhere, such as the
// reactions below, it reads fine.
#ifndef Q_MOC_RUN
#include "platform/widgets/widgetfields.h"
#endif

#include <QMainWindow>

#include <memory>
#include <utility>
#include <vector>

class QAction;
class QLabel;

namespace about {
class frmAbout;
}
namespace bikefile {
class FilePanel;
}

namespace app {

class ClientArea;

// The program's working surface and the owner of every value: the fields are
// its text boxes, built from the layout table, and every reaction of the
// window is a member named after its control and event.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(platform::Messages& messages = platform::screenMessages(),
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    platform::WidgetFields& fields() { return m_fields; }
    bikefile::FilePanel& panel() { return *m_panel; }

    // Sets the window's outer height in twips, as the display modes give it.
    void setOuterHeight(int twips);

    // Reactions.
    void Form_Load();
    void Beräkna_Click();
    void easy_Click();
    void advanced_Click();
    void inställningswe_Click();
    void Omkretsen_Click();
    void övrigt_Click();

signals:
    // The user closed the window: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();

    platform::Messages& m_messages;
    platform::WidgetFields m_fields;
    ClientArea* m_client = nullptr;
    // The captions and menu items the reactions change.
    QLabel* m_Label7 = nullptr;
    QLabel* m_Label12 = nullptr;
    QAction* m_easy = nullptr;
    QAction* m_advanced = nullptr;
    QAction* m_Omkretsen = nullptr;
    QAction* m_Axelhöjden = nullptr;
    // Every control that Tab reaches, with the focus policy it was built with.
    std::vector<std::pair<QWidget*, Qt::FocusPolicy>> m_tabStops;
    std::unique_ptr<bikefile::FilePanel> m_panel;
    std::unique_ptr<about::frmAbout> m_about;
};

// Outer window heights in twips of the two display modes.
inline constexpr int enkeltHeight = 7245;
inline constexpr int avanceratHeight = 8430;

// The outer heights assume a 19-pixel title bar, a 19-pixel menu bar and two
// 3-pixel borders: 660 twips of frame. On a desktop the window manager draws
// the frame and the menu bar has its own height, so the window keeps what the
// user sees instead: the client area below the menu bar.
int clientHeightForOuter(int outerTwips);

} // namespace app
