#include "platform/widgets/teethbox.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

namespace platform {

TeethBox::TeethBox(QWidget* parent) : QLineEdit(parent)
{
    // A teeth count is a whole number: typing and pasting take digits only. Texts the program
    // assigns are not checked here; the guards see them.
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    connect(this, &QLineEdit::textChanged, this, [this] { m_standIn = false; });
}

void TeethBox::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool inserts = !typed.isEmpty() && typed.front().isPrint() &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    // Ended here too: typing the 1 itself changes nothing, and the next digit must join it.
    if (m_standIn && (inserts || event->matches(QKeySequence::Paste))) {
        m_standIn = false;
        selectAll();
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace platform
