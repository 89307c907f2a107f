#include "app/menus.h"

#include "app/mainwindow.h"

#include <array>

namespace app {

std::span<const MenuEntry> menuEntries()
{
    using W = MainWindow;
    // clang-format off
    static const std::array table{
        MenuEntry{.name = "options", .caption = "Inställningar", .depth = 0},
        MenuEntry{.name = "modell", .caption = "Mode", .depth = 1},
        MenuEntry{.name = "easy", .caption = "enkelt", .depth = 2, .mark = Mark::Checked,
                  .reaction = &W::easy_Click},
        MenuEntry{.name = "advanced", .caption = "Avancerat", .depth = 2, .mark = Mark::Unchecked,
                  .reaction = &W::advanced_Click},
        MenuEntry{.name = "måttenhet", .caption = "Måttenhet", .depth = 1},
        MenuEntry{.name = "inställningswe", .caption = "Kmh", .depth = 2, .mark = Mark::Checked,
                  .reaction = &W::inställningswe_Click},
        MenuEntry{.name = "inställningeng", .caption = "Mph", .depth = 2, .mark = Mark::Unchecked,
                  .enabled = false},
        MenuEntry{.name = "bakhjul", .caption = "bakhjulet", .depth = 1},
        MenuEntry{.name = "Omkretsen", .caption = "Omkrets", .depth = 2, .mark = Mark::Checked,
                  .reaction = &W::Omkretsen_Click},
        MenuEntry{.name = "Axelhöjden", .caption = "Axelhöjd", .depth = 2, .mark = Mark::Unchecked,
                  .enabled = false},
        MenuEntry{.name = "övrigt", .caption = "Om", .depth = 0, .reaction = &W::övrigt_Click},
    };
    // clang-format on
    return table;
}

} // namespace app
