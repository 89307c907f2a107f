#include "app/menus.h"

#include "app/mainwindow.h"

#include <array>

namespace app {

std::span<const MenuEntry> menuEntries()
{
    using W = MainWindow;
    static const std::array table{
        MenuEntry{"options", "Inställningar", 0, Mark::None, true, nullptr},
        MenuEntry{"modell", "Mode", 1, Mark::None, true, nullptr},
        MenuEntry{"easy", "enkelt", 2, Mark::Checked, true, &W::easy_Click},
        MenuEntry{"advanced", "Avancerat", 2, Mark::Unchecked, true, &W::advanced_Click},
        MenuEntry{"måttenhet", "Måttenhet", 1, Mark::None, true, nullptr},
        MenuEntry{"inställningswe", "Kmh", 2, Mark::Checked, true, &W::inställningswe_Click},
        MenuEntry{"inställningeng", "Mph", 2, Mark::Unchecked, false, nullptr},
        MenuEntry{"bakhjul", "bakhjulet", 1, Mark::None, true, nullptr},
        MenuEntry{"Omkretsen", "Omkrets", 2, Mark::Checked, true, &W::Omkretsen_Click},
        MenuEntry{"Axelhöjden", "Axelhöjd", 2, Mark::Unchecked, false, nullptr},
        MenuEntry{"övrigt", "Om", 0, Mark::None, true, &W::övrigt_Click},
    };
    return table;
}

} // namespace app
