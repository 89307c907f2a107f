#pragma once

namespace app {

// What the program sets on its QApplication before the first window: its
// name and version, the widget style whose colours the window relies on,
// and Swedish for Qt's own texts (context menus, scroll bars), whatever the
// user's locale: the program speaks Swedish only.
void setUpApplication();

} // namespace app
