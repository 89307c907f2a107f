#pragma once

#include <QColor>
#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace about {

// The stand-in for the desktop colour, which Linux desktops do not have: the
// classic teal of a freshly installed Windows desktop.
inline const QColor desktopColour(0, 128, 128);

class AboutWindow;

// The About dialog. The program holds one such object for its whole run; its
// window is loaded on the first opening and again after a close through the
// title bar, which unloads it. "Stäng" only hides it.
class frmAbout
{
public:
    frmAbout();
    ~frmAbout();
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;

    // Loads the dialog if it is not loaded, then shows it modeless, without
    // an owner window, in front of the others; a minimised dialog comes back.
    void open();

private:
    void Form_Load();

    QPointer<AboutWindow> m_window;
};

// The dialog's window: fixed size, background in the desktop colour, a
// picture, four captions, a separator and the button "Stäng". A dialog to
// assistive tools, but a window of its own to the window manager: nothing
// ties it to the main window.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    AboutWindow();

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* picIcon = nullptr;
    QPushButton* bort = nullptr;

    void bort_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// "Version " and the major, minor and revision numbers as plain integers:
// "1.01.0002" reads Version 1.1.2.
QString versionText(const QString& version);

} // namespace about
