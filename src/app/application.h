#pragma once

namespace app {

// What the program sets on its QApplication before the first window: its
// name and version, and the widget style whose colours the window relies on.
void setUpApplication();

} // namespace app
