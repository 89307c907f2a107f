#pragma once

#include <QString>

class QWidget;

namespace platform {

// The program's only way to talk to the user: modal message boxes, in Swedish.
// The window asks through this interface, so tests can answer without a box.
class Messages
{
public:
    virtual ~Messages() = default;
    // A problem the user should know of; one "OK" button.
    virtual void warn(QWidget* parent, const QString& text) = 0;
    // A Yes/No question with the warning icon; No is the default button.
    // Returns true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;

    // warn(), and once the message is closed (by Return, Escape or a click), the keyboard focus
    // in the control the message names, a line's text selected: what the user types next goes
    // there and replaces it. The window keeps that focus while another window has it, and gives
    // it back there when it is active again. No control: the focus stays where it was.
    void warnAbout(QWidget* parent, const QString& text, QWidget* control);
};

// Message boxes on the screen.
Messages& screenMessages();

} // namespace platform
