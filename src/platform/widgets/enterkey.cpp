#include "platform/widgets/enterkey.h"

#include <QKeyEvent>
#include <QPushButton>

namespace platform {

namespace {

class EnterPressesButton : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier))
            return false;
        // Holding the key down presses once, as with Space.
        if (!key->isAutoRepeat())
            static_cast<QPushButton*>(watched)->click();
        return true;
    }
};

} // namespace

void pressButtonsOnEnter(QWidget& window)
{
    static EnterPressesButton filter; // one for every window, for the whole run
    for (QPushButton* button : window.findChildren<QPushButton*>())
        button->installEventFilter(&filter);
}

} // namespace platform
