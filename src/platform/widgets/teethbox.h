#pragma once

#include <QLineEdit>

namespace platform {

// The text box of a teeth count: it takes digits only. A count that the program put in for the
// user (the 1 that completes an emptied or missing count) stands in until the user types: the
// first character typed or pasted replaces it instead of joining it, wherever the cursor is, so
// that typing 68 gives 68 and not 16. Any other change of the text ends the stand-in.
class TeethBox : public QLineEdit
{
public:
    explicit TeethBox(QWidget* parent);

    // The text as it is now stands in for a count the user has not typed.
    void holdStandIn() { m_standIn = true; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_standIn = false;
};

} // namespace platform
