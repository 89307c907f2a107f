#pragma once

#include "platform/messages.h"
// moc cannot read identifiers with å, ä or ö: what it need not see is kept
// out of its sight.
#ifndef Q_MOC_RUN
#include "platform/widgetfields.h"
#endif

#include <QHash>
#include <QMainWindow>

#include <memory>

class QAction;

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
    // A control or menu item by its name ("varv", "Label4(0)", "easy").
    QWidget* control(std::string_view name) const;
    QAction* menuItem(std::string_view name) const;

    bikefile::FilePanel& panel() { return *m_panel; }
    // The About dialog, once it has been opened.
    about::frmAbout* aboutDialog() const { return m_about.get(); }

    // Sets the window's outer height in twips, as the display modes give it.
    void setOuterHeight(int twips);

    // Reactions.
    void Form_Load();
#ifndef Q_MOC_RUN
    void Beräkna_Click();
    void inställningswe_Click();
    void övrigt_Click();
#endif
    void easy_Click();
    void advanced_Click();
    void Omkretsen_Click();

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
    QHash<QString, QWidget*> m_controls;
    QHash<QString, QAction*> m_menuItems;
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
