#pragma once

#include "calc/fields.h"

#include <QColor>

#include <optional>
#include <span>
#include <string_view>

// The main window as data: every control with its name, kind, text, place and
// size in twips, tab position, look and limits. One loop builds the window
// from this table (mainwindow.cpp), and the tests walk it.
namespace app {

enum class Kind {
    Label,    // transparent caption
    TextBox,  // one-line field
    Comment,  // multi-line field with a vertical scroll bar
    Button,   // push button with a grey face
    FileList, // the list of saved bikes
    DirList,  // holds the panel directory; never shown
};

enum class Align { Left, Centre };

// Text colours.
enum class Ink {
    Default, // the system's default text colour
    Black,
    Yellow, // input fields
    Green,  // speed fields
};

// A place on the window, in twips.
struct Box
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// One control. A row of the table names what it sets; the rest keeps these
// defaults.
struct Control
{
    Kind kind = Kind::Label;
    std::optional<calc::Field> field = std::nullopt; // what a text box or the comment holds
    // The control's name; a control that holds a field takes the field's name.
    std::string_view name = field ? calc::fieldInfo(*field).name : std::string_view();
    std::string_view text = {};
    Box box;
    int tab = 0; // position in the tab order, among all controls
    Align align = Align::Centre;
    Ink ink = Ink::Default;
    bool readOnly = false;
    std::string_view toolTip = {};
    bool visible = true;
};

// A connector line, three pixels wide, in red.
struct Line
{
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // twips
    QColor colour = QColor(255, 0, 0);
    int widthPixels = 3;
};

std::span<const Control> controls();
std::span<const Line> lines();

// The window's fixed colours.
inline const QColor windowBackground(192, 192, 255);
inline const QColor boxBackground(128, 128, 255);
inline const QColor buttonFace(128, 128, 128);

// The client area below the menu bar, in twips.
inline constexpr int clientWidth = 4455;

} // namespace app
