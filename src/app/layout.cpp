#include "app/layout.h"

#include <array>

namespace app {

namespace {

using calc::Field;

struct Box
{
    int left, top, width, height;
};

Control label(std::string_view name, std::string_view text, Box b, int tab,
              Align align = Align::Centre, Ink ink = Ink::Black, bool visible = true)
{
    return {Kind::Label, name, std::nullopt, text, b.left, b.top, b.width,
            b.height,    tab,  align,        ink,  false,  {},    visible};
}

// A field the user types into.
Control input(Field field, Box b, int tab, Ink ink = Ink::Yellow, Align align = Align::Centre,
              std::string_view toolTip = {})
{
    return {Kind::TextBox, calc::fieldInfo(field).name,
            field,         {},
            b.left,        b.top,
            b.width,       b.height,
            tab,           align,
            ink,           false,
            toolTip,       true};
}

// A field only the program writes; it still takes the focus and can be copied.
Control output(Field field, Box b, int tab, Ink ink, Align align)
{
    return {Kind::TextBox,
            calc::fieldInfo(field).name,
            field,
            {},
            b.left,
            b.top,
            b.width,
            b.height,
            tab,
            align,
            ink,
            true,
            {},
            true};
}

Control button(std::string_view name, std::string_view text, Box b, int tab)
{
    return {Kind::Button, name, std::nullopt,  text,         b.left, b.top, b.width,
            b.height,     tab,  Align::Centre, Ink::Default, false,  {},    true};
}

// Gear rows: caption, ratio field, speed field and unit label share a top.
constexpr int gearTop(int gear)
{
    return 1920 + 360 * (gear - 1);
}

} // namespace

std::span<const Control> controls()
{
    static const std::array table{
        // Engine and primary reduction
        label("Label1", "Max Varvtal", {0, 0, 1005, 480}, 37),
        input(Field::varv, {1100, 120, 855, 360}, 1, Ink::Yellow, Align::Centre,
              "Här skriver du in max varvtal"),
        Control{Kind::Comment,
                "Text1",
                Field::Text1,
                {},
                2280,
                120,
                2115,
                615,
                11,
                Align::Left,
                Ink::Default,
                false,
                "Här skriver du in dina kommentarer",
                true},
        Control{Kind::DirList,
                "Dir1",
                std::nullopt,
                {},
                3480,
                240,
                615,
                360,
                40,
                Align::Left,
                Ink::Default,
                false,
                {},
                false},
        label("Label5", "Vevaxel", {0, 840, 1000, 360}, 33),
        input(Field::vev, {1100, 720, 855, 360}, 2),
        label("Label6", "Koppling", {0, 1080, 1005, 360}, 32),
        input(Field::koppling, {1100, 1080, 855, 360}, 3),
        output(Field::primär, {2280, 900, 855, 360}, 13, Ink::Default, Align::Left),
        label("Label10", "Primär utväxling", {3240, 840, 975, 495}, 38, Align::Left, Ink::Default),

        // Gear table
        label("Label2", "Utväxling", {1080, 1560, 1005, 360}, 36, Align::Left),
        label("Label3", "Max Hastighet", {2160, 1320, 1095, 495}, 0),
        label("Label8(0)", "1:an", {0, gearTop(1), 1005, 360}, 30),
        input(Field::ettanutv, {1095, gearTop(1), 855, 360}, 4),
        output(Field::ettanhast, {2280, gearTop(1), 855, 360}, 14, Ink::Green, Align::Centre),
        label("Label4(4)", "kmh", {3240, gearTop(1), 735, 360}, 24),
        label("Label8(1)", "2:an", {0, gearTop(2), 1005, 360}, 29),
        input(Field::tvåanutv, {1095, gearTop(2), 855, 360}, 5),
        output(Field::tvåanhast, {2280, gearTop(2), 855, 360}, 15, Ink::Green, Align::Centre),
        label("Label4(3)", "kmh", {3240, gearTop(2), 735, 360}, 22),
        label("Label8(5)", "3:an", {0, gearTop(3), 1005, 360}, 26),
        input(Field::treanutv, {1095, gearTop(3), 855, 360}, 6),
        output(Field::treanhast, {2280, gearTop(3), 855, 360}, 16, Ink::Green, Align::Centre),
        label("Label4(0)", "kmh", {3240, gearTop(3), 735, 360}, 23),
        label("Label8(4)", "4:an", {0, gearTop(4), 1005, 360}, 27),
        input(Field::fyranutv, {1095, gearTop(4), 855, 360}, 7),
        output(Field::fyranhast, {2280, gearTop(4), 855, 360}, 17, Ink::Green, Align::Centre),
        label("Label4(1)", "kmh", {3240, gearTop(4), 735, 360}, 12),
        label("Label8(3)", "5:an", {0, gearTop(5), 1005, 360}, 28),
        input(Field::femmanutv, {1095, gearTop(5), 855, 360}, 44),
        output(Field::femmanhast, {2280, gearTop(5), 855, 360}, 46, Ink::Green, Align::Centre),
        label("Label4(2)", "kmh", {3240, gearTop(5), 735, 360}, 21),
        label("Label8(2)", "6:an", {0, gearTop(6), 1005, 360}, 42),
        input(Field::sexanutv, {1095, gearTop(6), 855, 360}, 45),
        output(Field::sexanhast, {2280, gearTop(6), 855, 360}, 47, Ink::Green, Align::Centre),
        label("Label4(5)", "kmh", {3240, gearTop(6), 735, 360}, 43),

        // Secondary reduction and wheel
        label("framdrevet", "Framdrev", {0, 4200, 1005, 360}, 35),
        input(Field::framdrev, {1080, 4200, 855, 360}, 8),
        label("bakdrevet", "Bakdrev", {0, 4560, 1005, 360}, 34),
        input(Field::bakdrev, {1080, 4560, 855, 360}, 9),
        output(Field::sekundär, {2280, 4365, 855, 360}, 18, Ink::Default, Align::Left),
        label("Label11", "Sekundär utväxling", {3240, 4290, 1215, 495}, 39, Align::Left,
              Ink::Default),
        button("Beräkna", "Beräkna", {3000, 4920, 1335, 495}, 48),
        label("Label7", "Bakhjulets omkrets", {0, 4950, 1125, 480}, 31),
        label("Label12", "Bakhjulets axelhöjd", {0, 4950, 1125, 480}, 41, Align::Centre, Ink::Black,
              false),
        input(Field::omkrets, {1100, 5040, 855, 360}, 10, Ink::Yellow, Align::Centre,
              "Här skriver du in bakhjulets omkrets/ axelhöjd(radie)"),
        label("Label9", "cm", {2160, 5040, 495, 375}, 25, Align::Left, Ink::Default),

        // File panel
        Control{Kind::FileList,
                "File1",
                std::nullopt,
                {},
                60,
                5520,
                4335,
                1050,
                19,
                Align::Left,
                Ink::Default,
                false,
                "Här finns de hojar som är sparade",
                true},
        input(Field::TrFilnamn, {60, 6600, 4335, 360}, 20, Ink::Default, Align::Left,
              "Skriv in filnamn här"),
        button("ny1", "Ny", {180, 7080, 1215, 495}, 49),
        button("spara1", "spara", {1620, 7080, 1215, 495}, 51),
        button("tabort1", "Ta bort", {3060, 7080, 1215, 495}, 50),
    };
    return table;
}

std::span<const Line> lines()
{
    static const std::array table{
        Line{"Line1(3)", 1920, 840, 2280, 1040, QColor(255, 0, 0), 3},  // vev to primär
        Line{"Line1(2)", 1920, 1200, 2280, 1080, QColor(255, 0, 0), 3}, // koppling to primär
        Line{"Line1(1)", 1920, 4320, 2280, 4520, QColor(255, 0, 0), 3}, // framdrev to sekundär
        Line{"Line1(0)", 1920, 4680, 2280, 4560, QColor(255, 0, 0), 3}, // bakdrev to sekundär
    };
    return table;
}

} // namespace app
