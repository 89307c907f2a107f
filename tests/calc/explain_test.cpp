#include "calc/speed.h"
#include "fakefields.h"

#include <gtest/gtest.h>

using calc::Field;

// After the worked example (1:an 175 km/h), one or two fields changed: "Beräkna" says what to
// do in one message, or nothing, and computes every gear it can.
TEST(CalculateAndExplain, SaysWhatToDo)
{
    const auto teeth = [](const char* a, const char* b) {
        return std::string(" Fyll i tänderna i \"") + a + "\" och \"" + b +
               "\", så räknas den ut, och tryck på Beräkna igen.";
    };
    const std::string gear = " fick ingen hastighet; de andra är uträknade. Skriv ett tal med "
                             "decimaltecknet \",\" och tryck på Beräkna igen.";
    const std::string primär = "\"Primär utväxling\" är ";
    // clang-format off
    const struct { const char* separator; std::vector<std::pair<Field, const char*>> typed; std::string message; } rows[] = {
        {",", {{Field::primär, ""}}, primär + "tomt." + teeth("Vevaxel", "Koppling")},
        {",", {{Field::sekundär, "0"}}, "\"Sekundär utväxling\" får inte vara 0." + teeth("Framdrev", "Bakdrev")},
        {".", {{Field::primär, "2,500"}}, primär + "inte ett tal. Det är skrivet med decimaltecknet \",\", "
                                          "men här gäller \".\"." + teeth("Vevaxel", "Koppling")},
        {",", {{Field::tvåanutv, "2.5"}}, "\"2:an Utväxling\" är inte ett tal. Den växeln" + gear},
        {",", {{Field::tvåanutv, "2.5"}, {Field::sexanutv, "0"}},
         "\"2:an Utväxling\" är inte ett tal. \"6:an Utväxling\" får inte vara 0. De växlarna" + gear},
        {",", {{Field::tvåanutv, ""}}, ""},
    };
    // clang-format on
    for (const auto& row : rows) {
        FakeFields f(row.separator);
        for (const auto& [field, text] : {std::pair{Field::varv, "11000"},
                                          {Field::vev, "24"},
                                          {Field::koppling, "60"},
                                          {Field::framdrev, "14"},
                                          {Field::bakdrev, "40"},
                                          {Field::omkrets, "190"},
                                          {Field::ettanutv, "1"},
                                          {Field::tvåanutv, "2"}})
            f.setText(field, text);
        for (const auto& [field, text] : row.typed)
            f.setText(field, text);
        EXPECT_EQ(calc::calculateAndExplain(f), row.message);
        const Field changed = row.typed[0].first;
        EXPECT_EQ(f.text(Field::ettanhast), changed == Field::tvåanutv ? "175" : "");
    }
}
