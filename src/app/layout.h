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

struct Control
{
    Kind kind;
    std::string_view name; // the control's name; text boxes take their field's name
    std::optional<calc::Field> field;
    std::string_view text;
    int left, top, width, height; // twips
    int tab;                      // position in the tab order, among all controls
    Align align;
    Ink ink;
    bool readOnly;
    std::string_view toolTip;
    bool visible;
};

struct Line
{
    std::string_view name;
    int x1, y1, x2, y2; // twips
    QColor colour;
    int widthPixels;
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
