#include "app/layout.h"

#include <array>

namespace app {

namespace {

using calc::Field;
using calc::fieldInfo;

// Gear rows: caption, ratio field, speed field and unit label share a top.
constexpr int gearTop(int gear)
{
    return 1920 + 360 * (gear - 1);
}

} // namespace

// A field only the program writes is read-only: it still takes the focus and
// can be copied.
std::span<const Control> controls()
{
    // One row to a control, as few lines as it needs.
    // clang-format off
    static const std::array table{
        // Engine and primary reduction
        Control{.kind = Kind::Label, .name = "Label1", .text = fieldInfo(Field::varv).caption,
                .box = {0, 0, 1005, 480}, .tab = 37, .ink = Ink::Black},
        Control{.kind = Kind::TextBox, .field = Field::varv, .box = {1100, 120, 855, 360}, .tab = 1,
                .ink = Ink::Yellow, .toolTip = "Här skriver du in max varvtal"},
        Control{.kind = Kind::Comment, .field = Field::Text1, .box = {2280, 120, 2115, 615},
                .tab = 11, .align = Align::Left, .toolTip = "Här skriver du in dina kommentarer"},
        Control{.kind = Kind::DirList, .name = "Dir1", .box = {3480, 240, 615, 360}, .tab = 40,
                .align = Align::Left, .visible = false},
        Control{.kind = Kind::Label, .name = "Label5", .text = fieldInfo(Field::vev).caption,
                .box = {0, 840, 1000, 360}, .tab = 33, .ink = Ink::Black},
        Control{.kind = Kind::TextBox, .field = Field::vev, .box = {1100, 720, 855, 360}, .tab = 2,
                .ink = Ink::Yellow},
        Control{.kind = Kind::Label, .name = "Label6", .text = fieldInfo(Field::koppling).caption,
                .box = {0, 1080, 1005, 360}, .tab = 32, .ink = Ink::Black},
        Control{.kind = Kind::TextBox, .field = Field::koppling, .box = {1100, 1080, 855, 360},
                .tab = 3, .ink = Ink::Yellow},
        Control{.kind = Kind::TextBox, .field = Field::primär, .box = {2280, 900, 855, 360},
                .tab = 13, .align = Align::Left, .readOnly = true},
        Control{.kind = Kind::Label, .name = "Label10", .text = fieldInfo(Field::primär).caption,
                .box = {3240, 840, 975, 495}, .tab = 38, .align = Align::Left},

        // Gear table
        Control{.kind = Kind::Label, .name = "Label2", .text = "Utväxling",
                .box = {1080, 1560, 1005, 360}, .tab = 36, .align = Align::Left, .ink = Ink::Black},
        Control{.kind = Kind::Label, .name = "Label3", .text = "Max Hastighet",
                .box = {2160, 1320, 1095, 495}, .tab = 0, .ink = Ink::Black},
        Control{.kind = Kind::Label, .name = "Label8(0)", .text = "1:an",
                .box = {0, gearTop(1), 1005, 360}, .tab = 30, .ink = Ink::Black},
        Control{.kind = Kind::TextBox, .field = Field::ettanutv,
                .box = {1095, gearTop(1), 855, 360}, .tab = 4, .ink = Ink::Yellow},
        Control{.kind = Kind::TextBox, .field = Field::ettanhast,
                .box = {2280, gearTop(1), 855, 360}, .tab = 14, .ink = Ink::Green,
                .readOnly = true},
        Control{.kind = Kind::Label, .name = "Label4(4)", .text = "kmh",
                .box = {3240, gearTop(1), 735, 360}, .tab = 24, .ink = Ink::Black},
        Control{.kind = Kind::Label, .name = "Label8(1)", .text = "2:an",
                .box = {0, gearTop(2), 1005, 360}, .tab = 29, .ink = Ink::Black},
        Control{.kind = Kind::TextBox, .field = Field::tvåanutv,
                .box = {1095, gearTop(2), 855, 360}, .tab = 5, .ink = Ink::Yellow},
        Control{.kind = Kind::TextBox, .field = Field::tvåanhast,
                .box = {2280, gearTop(2), 855, 360}, .tab = 15, .ink = Ink::Green,
                .readOnly = true},
        Control{.kind = Kind::Label, .name = "Label4(3)", .text = "kmh",
                .box = {3240, gearTop(2), 735, 360}, .tab = 22, .ink = Ink::Black},
        Control{.kind = Kind::Label, .name = "Label8(5)", .text = "3:an",
                .box = {0, gearTop(3), 1005, 360}, .tab = 26, .ink = Ink::Black},
        Control{.kind = Kind::TextBox, .field = Field::treanutv,
                .box = {1095, gearTop(3), 855, 360}, .tab = 6, .ink = Ink::Yellow},
        Control{.kind = Kind::TextBox, .field = Field::treanhast,
                .box = {2280, gearTop(3), 855, 360}, .tab = 16, .ink = Ink::Green,
                .readOnly = true},
        Control{.kind = Kind::Label, .name = "Label4(0)", .text = "kmh",
                .box = {3240, gearTop(3), 735, 360}, .tab = 23, .ink = Ink::Black},
        Control{.kind = Kind::Label, .name = "Label8(4)", .text = "4:an",
                .box = {0, gearTop(4), 1005, 360}, .tab = 27, .ink = Ink::Black},
        Control{.kind = Kind::TextBox, .field = Field::fyranutv,
                .box = {1095, gearTop(4), 855, 360}, .tab = 7, .ink = Ink::Yellow},
        Control{.kind = Kind::TextBox, .field = Field::fyranhast,
                .box = {2280, gearTop(4), 855, 360}, .tab = 17, .ink = Ink::Green,
                .readOnly = true},
        Control{.kind = Kind::Label, .name = "Label4(1)", .text = "kmh",
                .box = {3240, gearTop(4), 735, 360}, .tab = 12, .ink = Ink::Black},
        Control{.kind = Kind::Label, .name = "Label8(3)", .text = "5:an",
                .box = {0, gearTop(5), 1005, 360}, .tab = 28, .ink = Ink::Black},
        Control{.kind = Kind::TextBox, .field = Field::femmanutv,
                .box = {1095, gearTop(5), 855, 360}, .tab = 44, .ink = Ink::Yellow},
        Control{.kind = Kind::TextBox, .field = Field::femmanhast,
                .box = {2280, gearTop(5), 855, 360}, .tab = 46, .ink = Ink::Green,
                .readOnly = true},
        Control{.kind = Kind::Label, .name = "Label4(2)", .text = "kmh",
                .box = {3240, gearTop(5), 735, 360}, .tab = 21, .ink = Ink::Black},
        Control{.kind = Kind::Label, .name = "Label8(2)", .text = "6:an",
                .box = {0, gearTop(6), 1005, 360}, .tab = 42, .ink = Ink::Black},
        Control{.kind = Kind::TextBox, .field = Field::sexanutv,
                .box = {1095, gearTop(6), 855, 360}, .tab = 45, .ink = Ink::Yellow},
        Control{.kind = Kind::TextBox, .field = Field::sexanhast,
                .box = {2280, gearTop(6), 855, 360}, .tab = 47, .ink = Ink::Green,
                .readOnly = true},
        Control{.kind = Kind::Label, .name = "Label4(5)", .text = "kmh",
                .box = {3240, gearTop(6), 735, 360}, .tab = 43, .ink = Ink::Black},

        // Secondary reduction and wheel
        Control{.kind = Kind::Label, .name = "framdrevet",
                .text = fieldInfo(Field::framdrev).caption, .box = {0, 4200, 1005, 360}, .tab = 35,
                .ink = Ink::Black},
        Control{.kind = Kind::TextBox, .field = Field::framdrev, .box = {1080, 4200, 855, 360},
                .tab = 8, .ink = Ink::Yellow},
        Control{.kind = Kind::Label, .name = "bakdrevet", .text = fieldInfo(Field::bakdrev).caption,
                .box = {0, 4560, 1005, 360}, .tab = 34, .ink = Ink::Black},
        Control{.kind = Kind::TextBox, .field = Field::bakdrev, .box = {1080, 4560, 855, 360},
                .tab = 9, .ink = Ink::Yellow},
        Control{.kind = Kind::TextBox, .field = Field::sekundär, .box = {2280, 4365, 855, 360},
                .tab = 18, .align = Align::Left, .readOnly = true},
        Control{.kind = Kind::Label, .name = "Label11", .text = fieldInfo(Field::sekundär).caption,
                .box = {3240, 4290, 1215, 495}, .tab = 39, .align = Align::Left},
        Control{.kind = Kind::Button, .name = "Beräkna", .text = "Beräkna",
                .box = {3000, 4920, 1335, 495}, .tab = 48},
        Control{.kind = Kind::Label, .name = "Label7", .text = fieldInfo(Field::omkrets).caption,
                .box = {0, 4950, 1125, 480}, .tab = 31, .ink = Ink::Black},
        Control{.kind = Kind::Label, .name = "Label12", .text = "Bakhjulets axelhöjd",
                .box = {0, 4950, 1125, 480}, .tab = 41, .ink = Ink::Black, .visible = false},
        Control{.kind = Kind::TextBox, .field = Field::omkrets, .box = {1100, 5040, 855, 360},
                .tab = 10, .ink = Ink::Yellow,
                .toolTip = "Här skriver du in bakhjulets omkrets/ axelhöjd(radie)"},
        Control{.kind = Kind::Label, .name = "Label9", .text = "cm", .box = {2160, 5040, 495, 375},
                .tab = 25, .align = Align::Left},

        // File panel
        Control{.kind = Kind::FileList, .name = "File1", .box = {60, 5520, 4335, 1050}, .tab = 19,
                .align = Align::Left, .toolTip = "Här finns de hojar som är sparade"},
        Control{.kind = Kind::TextBox, .field = Field::TrFilnamn, .box = {60, 6600, 4335, 360},
                .tab = 20, .align = Align::Left, .toolTip = "Skriv in filnamn här"},
        Control{.kind = Kind::Button, .name = "ny1", .text = "Ny", .box = {180, 7080, 1215, 495},
                .tab = 49},
        Control{.kind = Kind::Button, .name = "spara1", .text = "spara",
                .box = {1620, 7080, 1215, 495}, .tab = 51},
        Control{.kind = Kind::Button, .name = "tabort1", .text = "Ta bort",
                .box = {3060, 7080, 1215, 495}, .tab = 50},
    };
    // clang-format on
    return table;
}

// From the teeth fields to the reduction they give: vev and koppling to
// primär, framdrev and bakdrev to sekundär.
std::span<const Line> lines()
{
    static const std::array table{
        Line{.x1 = 1920, .y1 = 840, .x2 = 2280, .y2 = 1040},  // Line1(3)
        Line{.x1 = 1920, .y1 = 1200, .x2 = 2280, .y2 = 1080}, // Line1(2)
        Line{.x1 = 1920, .y1 = 4320, .x2 = 2280, .y2 = 4520}, // Line1(1)
        Line{.x1 = 1920, .y1 = 4680, .x2 = 2280, .y2 = 4560}, // Line1(0)
    };
    return table;
}

} // namespace app
