#pragma once

#include "calc/fields.h"

#include <array>

class QWidget;

namespace platform {

// The window's fields as text boxes. Each field is a QLineEdit or, for the
// comment, a QPlainTextEdit. Every change of a field's text, typed by the user
// or assigned through setText(), runs the field's change reaction at once. A
// teeth count that a reaction writes (a guard's 1) stands in until the user
// types (see TeethBox).
class WidgetFields : public calc::Fields
{
public:
    // Binds a field to its text box; call once for every field.
    void bind(calc::Field field, QWidget* box);
    QWidget* box(calc::Field field) const;

    std::string text(calc::Field field) const override;
    void setText(calc::Field field, const std::string& text) override;
    std::string decimalSeparator() const override;

private:
    std::array<QWidget*, calc::fieldCount> m_boxes{};
    int m_reacting = 0; // how many change reactions are running, one inside the other
};

} // namespace platform
