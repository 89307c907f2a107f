#include "calc/numtext.h"
#include "calc/ratios.h"
#include "calc/speed.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace calc;
using F = Field;
using Texts = std::initializer_list<std::pair<F, std::string>>;

// What a text box keeps of a text the program assigns: its first maxLength UTF-16 units (0: no
// limit). A character beyond U+FFFF takes two units; one cut in half reads back as "?".
std::string cutAsTheBox(const std::string& text, int maxLength)
{
    int units = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t bytes = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        units += bytes == 4 ? 2 : 1;
        if (maxLength > 0 && units > maxLength)
            return text.substr(0, i) + (units - maxLength == 1 && bytes == 4 ? "?" : "");
        i += bytes;
    }
    return text;
}

// The window's fields without a window: an assigned text is cut as the box cuts it, and a real
// change runs the field's reaction at once.
struct FakeFields : Fields
{
    explicit FakeFields(Texts set = {}, std::string sep = ",") : separator(sep) { setTexts(set); }
    void setTexts(Texts set)
    {
        for (const auto& [field, text] : set)
            setText(field, text);
    }
    std::string text(F field) const override { return texts[std::size_t(field)]; }
    void setText(F field, const std::string& text) override
    {
        const std::string cut = cutAsTheBox(text, fieldInfo(field).maxLength);
        if (cut == texts[std::size_t(field)])
            return;
        texts[std::size_t(field)] = cut;
        fieldChanged(*this, field);
    }
    std::string decimalSeparator() const override { return separator; }
    std::array<std::string, fieldCount> texts;
    std::string separator;
};

// The worked example: 11000 rpm, 24/60 teeth, 14/40 sprockets, first gear 1, 190 cm.
const Texts example = {{F::varv, "11000"},  {F::vev, "24"},     {F::koppling, "60"},
                       {F::framdrev, "14"}, {F::bakdrev, "40"}, {F::ettanutv, "1"},
                       {F::omkrets, "190"}};

// A text read both ways: strictly (nothing for no number) and by its leading number.
TEST(NumberText, StrictAndLeadingNumberReading)
{
    const struct
    {
        std::string text, separator;
        std::optional<double> strict;
        double leading;
    } rows[] = {{"2,5", ",", 2.5, 2},  {" -3 ", ",", -3, -3}, {"+4", ",", 4, 4},
                {"\t7\t", ",", 7, 7},  {",5", ",", 0.5, 0},   {"5,", ",", 5, 5},
                {"1٫5", "٫", 1.5, 1},  {".5", ".", 0.5, 0.5}, {"-.25", ".", -0.25, -0.25},
                {"3.", ",", {}, 3},    {"", ",", {}, 0},      {"-", ",", {}, 0},
                {"1,2,3", ",", {}, 1}, {"1e3", ",", {}, 1},   {"12a", ",", {}, 12},
                {"- 5", ",", {}, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(strictRead(row.text, row.separator), row.strict);
        EXPECT_EQ(leadingNumber(row.text), row.leading);
    }
}

TEST(NumberText, GeneralTextHasFifteenDigitsAndTheSeparator)
{
    const struct
    {
        double value;
        std::string separator, text;
    } rows[] = {{2.5005, ",", "2,5005"}, {2.5005, ".", "2.5005"}, {-1.5, ",", "-1,5"},
                {0.1 + 0.2, ",", "0,3"}, {1e15, ",", "1E+15"},    {0.00001, ",", "1E-05"},
                {0.0001, ",", "0,0001"}, {-0.0, ",", "0"},        {NAN, ",", ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.value);
        EXPECT_EQ(generalText(row.value, row.separator), row.text);
    }
}

// A teeth field typed into, its partner holding a text first (or every field empty): the pair
// is completed and the reduction written, rounded half up to three decimals.
TEST(Ratios, TeethKeepTheirPairCompleteAndTheReductionWritten)
{
    const struct
    {
        std::string name;
        F typed, partner;
        std::string partnerBefore, typedText, typedAfter, partnerAfter, reduction;
    } rows[] = {
        {"koppling 65 / vev 21", F::vev, F::koppling, "65", "21", "21", "65", "3,095"},
        {"bakdrev 46 / framdrev 15", F::framdrev, F::bakdrev, "46", "15", "15", "46", "3,067"},
        {"bakdrev 99 / framdrev 1", F::bakdrev, F::framdrev, "1", "99", "99", "1", "99,00"},
        {"vev emptied", F::vev, F::koppling, "65", "", "1", "65", "65,00"},
        {"framdrev emptied", F::framdrev, F::bakdrev, "46", "", "1", "46", "46,00"},
        {"vev 0", F::vev, F::koppling, "10", "0", "1", "10", "10,00"},
        {"vev ,5 reads 0", F::vev, F::koppling, "10", ",5", "1", "10", "10,00"},
        {"koppling 00", F::koppling, F::vev, "10", "00", "1", "10", "0,100"},
        {"koppling no number", F::koppling, F::vev, "10", "x", "1", "10", "0,100"},
        {"framdrev 00 reads 0", F::framdrev, F::bakdrev, "10", "00", "1", "10", "10,00"},
        {"bakdrev 0", F::bakdrev, F::framdrev, "10", "0", "1", "10", "0,100"},
        {"bakdrev letter stays", F::bakdrev, F::framdrev, "14", "x", "x", "14", "0,000"},
        {"vev typed, all empty", F::vev, F::koppling, "", "2", "2", "1", "0,500"},
        {"koppling typed, all empty", F::koppling, F::vev, "", "2", "2", "1", "2,000"},
        {"framdrev typed, all empty", F::framdrev, F::bakdrev, "", "2", "2", "1", "0,500"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeFields f;
        if (!row.partnerBefore.empty())
            f.setTexts({{row.partner, row.partnerBefore}, {row.typed, "7"}});
        f.setText(row.typed, row.typedText);
        const bool primary = row.typed == F::vev || row.typed == F::koppling;
        EXPECT_EQ(f.text(row.typed), row.typedAfter);
        EXPECT_EQ(f.text(row.partner), row.partnerAfter);
        EXPECT_EQ(f.text(primary ? F::primär : F::sekundär), row.reduction);
    }
}

// Every gear from its own ratio, in one run, showing the first three characters of its speed, cut
// and not rounded; a gear without a usable ratio is emptied.
TEST(Speed, EachGearFromItsOwnRatio)
{
    const struct
    {
        F ratio, speed;
        std::string text, shown;
    } gears[] = {
        {F::ettanutv, F::ettanhast, "1", "175"}, {F::tvåanutv, F::tvåanhast, "abc", ""},
        {F::treanutv, F::treanhast, "0", ""},    {F::fyranutv, F::fyranhast, "1,228", "142"},
        {F::femmanutv, F::femmanhast, "", ""},   {F::sexanutv, F::sexanhast, "17,8", "9,8"}};
    FakeFields f(example);
    for (const auto& gear : gears)
        f.setTexts({{gear.ratio, gear.text}, {gear.speed, "999"}});
    EXPECT_EQ(beräknahast(f), std::nullopt);
    for (const auto& gear : gears) {
        SCOPED_TRACE(fieldInfo(gear.ratio).caption);
        EXPECT_EQ(f.text(gear.speed), gear.shown);
    }
}

// The worked example with every speed at 12 and a second gear written with a full stop, then a
// field changed: "Beräkna" says in one message what to do, or nothing, computes every gear it
// can, and names the field to type into first; an unusable shared value empties every speed.
TEST(Speed, CalculateAndExplainSaysWhatToDo)
{
    const std::string again = " och tryck på Beräkna igen.";
    const std::string teeth = "; tryck sedan på Beräkna igen.";
    const std::string vevKoppling =
        " Utväxlingen räknas ut när du skriver in tänderna i \"Vevaxel\" och \"Koppling\"" + teeth;
    const std::string gear2 = "Fältet \"2:an utväxling\" har decimaltecknet \".\", men här gäller "
                              "\",\". Skriv talet med \",\". ";
    const std::string gears = " fick ingen hastighet; de andra är beräknade. Tryck sedan på "
                              "Beräkna igen.";
    const struct
    {
        std::string name, separator;
        Texts changed;
        std::string said, firstGear;
        std::optional<F> typeInto;
    } rows[] = {
        {"varv empty",
         ",",
         {{F::varv, ""}},
         "Fältet \"Max Varvtal\" är tomt. Fyll i ett tal" + again,
         "",
         F::varv},
        {"varv and a gear, other separator",
         ",",
         {{F::varv, "11.5"}},
         "Här gäller decimaltecknet \",\", men \".\" står i \"Max Varvtal\" och \"2:an "
         "utväxling\". "
         "Skriv om \"Max Varvtal\" och \"2:an utväxling\" med \",\". Tryck sedan på Beräkna igen.",
         "",
         F::varv},
        {"varv with a space",
         ",",
         {{F::varv, "9 000"}},
         "Fältet \"Max Varvtal\" har mellanslag i talet. Skriv talet utan mellanslag" + again,
         "",
         F::varv},
        {"omkrets 0",
         ",",
         {{F::omkrets, "0"}},
         "Fältet \"Bakhjulets omkrets\" får inte vara 0. Skriv ett annat tal" + again,
         "",
         F::omkrets},
        {"primär empty",
         ",",
         {{F::primär, ""}},
         "Fältet \"Primär utväxling\" är tomt." + vevKoppling,
         "",
         F::vev},
        {"sekundär 0",
         ",",
         {{F::sekundär, "0"}},
         "Fältet \"Sekundär utväxling\" får inte vara 0. Utväxlingen räknas ut när du skriver in "
         "tänderna i \"Framdrev\" och \"Bakdrev\"" +
             teeth,
         "",
         F::framdrev},
        {"primär, other separator",
         ".",
         {{F::primär, "2,500"}},
         "Fältet \"Primär utväxling\" har decimaltecknet \",\", men här gäller \".\"." +
             vevKoppling,
         "",
         F::vev},
        {"a file saved with full stops",
         ",",
         {{F::primär, "2.500"}, {F::sekundär, "2.857"}, {F::ettanutv, "1.55"}},
         "Här gäller decimaltecknet \",\", men \".\" står i \"Primär utväxling\", \"Sekundär "
         "utväxling\", \"1:an utväxling\" och \"2:an utväxling\". Skriv om \"1:an utväxling\" och "
         "\"2:an utväxling\" med \",\". Skriv in tänderna i \"Vevaxel\" och \"Framdrev\" igen, så "
         "räknas \"Primär utväxling\" och \"Sekundär utväxling\" om. Tryck sedan på Beräkna igen.",
         "",
         F::ettanutv},
        {"one gear", ",", {{F::sexanutv, ""}}, gear2 + "Den växeln" + gears, "175", F::tvåanutv},
        {"two gears",
         ",",
         {{F::sexanutv, "0"}},
         gear2 + "Fältet \"6:an utväxling\" får inte vara 0. Skriv ett annat tal. Dessa växlar" +
             gears,
         "175",
         F::tvåanutv},
        {"the only gear is 0",
         ",",
         {{F::tvåanutv, ""}, {F::ettanutv, "0"}},
         "Fältet \"1:an utväxling\" får inte vara 0. Skriv ett annat tal. Den växeln fick ingen "
         "hastighet. Tryck sedan på Beräkna igen.",
         "",
         F::ettanutv},
        {"the gear emptied", ",", {{F::tvåanutv, ""}}, "", "175", std::nullopt},
        {"varv 0", ",", {{F::varv, "0"}}, gear2 + "Den växeln" + gears, "0", F::tvåanutv},
        {"varv negative",
         ",",
         {{F::varv, "-1100"}},
         gear2 + "Den växeln" + gears,
         "-17",
         F::tvåanutv},
        {"a point", ".", {{F::ettanutv, "2"}}, "", "87.", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeFields f(example, row.separator);
        for (F speed : gearSpeedFields)
            f.setText(speed, "12");
        f.setText(F::tvåanutv, "2.5");
        f.setTexts(row.changed);
        std::optional<F> typeInto;
        EXPECT_EQ(calculateAndExplain(f, &typeInto), row.said);
        EXPECT_EQ(f.text(F::ettanhast), row.firstGear);
        EXPECT_EQ(typeInto, row.typeInto);
    }
}
