#pragma once

class QWidget;

namespace platform {

// Lets Enter (Return and the keypad's Enter) press every push button within
// the window that has the keyboard focus, as Space does. Enter on any other
// control goes on as before. Call once the buttons exist.
void pressButtonsOnEnter(QWidget& window);

} // namespace platform
