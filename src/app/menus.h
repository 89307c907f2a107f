#pragma once

#include <span>
#include <string_view>

// The menu tree as data. Indentation in the window's menu bar is the depth;
// an entry followed by deeper entries opens a submenu and has no reaction.
namespace app {

class MainWindow;

enum class Mark { None, Unchecked, Checked };

struct MenuEntry
{
    std::string_view name;
    std::string_view caption;
    int depth = 0;
    Mark mark = Mark::None;
    bool enabled = true;
    void (MainWindow::*reaction)() = nullptr; // nullptr: no reaction
};

std::span<const MenuEntry> menuEntries();

} // namespace app
