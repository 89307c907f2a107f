#include "calc/numtext.h"
#include "calc/ratios.h"
#include "calc/speed.h"

#include <gtest/gtest.h>

using namespace calc;
using F = Field;
using Texts = std::initializer_list<std::pair<F, std::string>>;

// The window's fields without a window: an assigned text is cut to the field's length as the box
// cuts it (the texts here are ASCII), and a real change runs the field's reaction at once.
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
        const auto length = std::size_t(fieldInfo(field).maxLength);
        const std::string cut = length ? text.substr(0, length) : text;
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
    } rows[] = {{"2,5", ",", 2.5, 2}, {" -3 ", ",", -3, -3},       {",5", ",", 0.5, 0},
                {"1٫5", "٫", 1.5, 1}, {"-.25", ".", -0.25, -0.25}, {"3.", ",", {}, 3},
                {"", ",", {}, 0},     {"1e3", ",", {}, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(strictRead(row.text, row.separator), row.strict);
        EXPECT_EQ(leadingNumber(row.text), row.leading);
    }
}

// A teeth field typed into, its partner holding a text: a count that cannot divide becomes 1, and
// the reduction is written, rounded half up to three decimals.
TEST(Ratios, TeethKeepTheirPairCompleteAndTheReductionWritten)
{
    const struct
    {
        std::string name;
        F typed, partner;
        std::string partnerBefore, typedText, typedAfter, reduction;
    } rows[] = {
        {"koppling 65 / vev 21", F::vev, F::koppling, "65", "21", "21", "3,095"},
        {"bakdrev 46 / framdrev 15", F::framdrev, F::bakdrev, "46", "15", "15", "3,067"},
        {"vev ,5 reads 0", F::vev, F::koppling, "10", ",5", "1", "10,00"},
        {"koppling 00", F::koppling, F::vev, "10", "00", "1", "0,100"},
        {"koppling no number", F::koppling, F::vev, "10", "x", "1", "0,100"},
        {"framdrev 00 reads 0", F::framdrev, F::bakdrev, "10", "00", "1", "10,00"},
        {"bakdrev 0", F::bakdrev, F::framdrev, "10", "0", "1", "0,100"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeFields f;
        f.setTexts({{row.partner, row.partnerBefore}, {row.typed, "7"}});
        f.setText(row.typed, row.typedText);
        const bool primary = row.typed == F::vev || row.typed == F::koppling;
        EXPECT_EQ(f.text(row.typed), row.typedAfter);
        EXPECT_EQ(f.text(primary ? F::primär : F::sekundär), row.reduction);
    }
}

// Every gear from its own ratio, in one run, showing the first three characters of its speed
// written with fifteen significant digits (a hair under 100 is 100), then cut; a gear without a
// usable ratio is emptied.
TEST(Speed, EachGearFromItsOwnRatio)
{
    const struct
    {
        std::string ratio, shown;
    } gears[] = {{"1", "175"},
                 {"abc", ""},
                 {"0", ""},
                 {"1,228", "142"},
                 {"1,75568778438922", "100"},
                 {"1,755687784389224", "99,"}};
    FakeFields f(example);
    for (std::size_t i = 0; i < std::size(gears); ++i)
        f.setTexts({{gearRatioFields[i], gears[i].ratio}, {gearSpeedFields[i], "999"}});
    EXPECT_EQ(beräknahast(f), std::nullopt);
    for (std::size_t i = 0; i < std::size(gears); ++i) {
        SCOPED_TRACE(fieldInfo(gearRatioFields[i]).caption);
        EXPECT_EQ(f.text(gearSpeedFields[i]), gears[i].shown);
    }
}

// The worked example with every speed at 12 and a second gear written with a full stop, then a
// field changed: "Beräkna" says in one message what to do (a row gives all of it, or the part that
// tells it apart) or nothing, computes every gear it can, and names the field to type into first.
TEST(Speed, CalculateAndExplainSaysWhatToDo)
{
    const struct
    {
        std::string name, separator;
        F changed;
        std::string text, said, firstGear;
        std::optional<F> typeInto;
    } rows[] = {
        {"varv empty", ",", F::varv, "",
         "Fältet \"Max Varvtal\" är tomt. Fyll i ett tal och tryck på Beräkna igen.", "", F::varv},
        {"varv 9 000", ",", F::varv, "9 000", "mellanslag i talet. Skriv talet utan", "", F::varv},
        {"omkrets 0", ",", F::omkrets, "0", "omkrets\" får inte vara 0.", "", F::omkrets},
        {"primär 0", ",", F::primär, "0",
         "Fältet \"Primär utväxling\" får inte vara 0. Utväxlingen räknas ut när du skriver in "
         "tänderna i \"Vevaxel\" och \"Koppling\"; tryck sedan på Beräkna igen.",
         "", F::vev},
        {"sekundär 0", ",", F::sekundär, "0", "i \"Framdrev\" och \"Bakdrev\";", "", F::framdrev},
        {"primär 2,500", ".", F::primär, "2,500", "gäller \".\". Utväxlingen", "", F::vev},
        {"primär and a gear with full stops", ",", F::primär, "2.500",
         "Här gäller decimaltecknet \",\", men \".\" står i \"Primär utväxling\" och \"2:an "
         "utväxling\". Skriv om \"2:an utväxling\" med \",\". Skriv in tänderna i \"Vevaxel\" "
         "igen, så räknas \"Primär utväxling\" om. Tryck sedan på Beräkna igen.",
         "", F::tvåanutv},
        {"varv 0", ",", F::varv, "0", "Den växeln fick ingen hastighet; de", "0", F::tvåanutv},
        {"two gears", ",", F::sexanutv, "0",
         "Fältet \"2:an utväxling\" har decimaltecknet \".\", men här gäller \",\". Skriv talet "
         "med \",\". Fältet \"6:an utväxling\" får inte vara 0. Skriv ett annat tal. Dessa "
         "växlar fick ingen hastighet; de andra är beräknade. Tryck sedan på Beräkna igen.",
         "175", F::tvåanutv},
        {"no gear computed", ",", F::ettanutv, "0", "fick ingen hastighet. Tryck", "", F::ettanutv},
        {"the gear emptied", ",", F::tvåanutv, "", "", "175", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeFields f(example, row.separator);
        for (F speed : gearSpeedFields)
            f.setText(speed, "12");
        f.setTexts({{F::tvåanutv, "2.5"}, {row.changed, row.text}});
        std::optional<F> typeInto;
        const std::string said = calculateAndExplain(f, &typeInto);
        EXPECT_PRED_FORMAT2(testing::IsSubstring, row.said, said);
        EXPECT_EQ(said.empty(), row.said.empty());
        EXPECT_EQ(f.text(F::ettanhast), row.firstGear);
        EXPECT_EQ(typeInto, row.typeInto);
    }
}
