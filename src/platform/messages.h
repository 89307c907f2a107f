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
};

// Message boxes on the screen.
Messages& screenMessages();

} // namespace platform
