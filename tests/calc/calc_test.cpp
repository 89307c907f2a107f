#include "calc/numtext.h"
#include "calc/ratios.h"
#include "calc/speed.h"
#include <gtest/gtest.h>
#include <cmath>

using namespace calc;
using F = Field;
using Texts = std::initializer_list<std::pair<F, std::string>>;
// The window's fields without a window: texts cut to length, a change runs the field's reaction.
struct FakeFields : Fields
{
    explicit FakeFields(Texts set = {}, std::string sep = ",") : separator(sep) { setTexts(set); }
    void setTexts(Texts set) { for (const auto& [field, text] : set) setText(field, text); }
    std::string text(F f) const override { return texts[std::size_t(f)]; }
    void setText(F f, const std::string& text) override
    {
        if (const std::string cut = cutToLength(text, fieldInfo(f).maxLength); cut != this->text(f))
            texts[std::size_t(f)] = cut, fieldChanged(*this, f);
    }
    std::string decimalSeparator() const override { return separator; }
    std::array<std::string, fieldCount> texts;
    std::string separator;
};
// The worked example: 11000 rpm, 24/60 teeth, 14/40 sprockets, first gear 1, 190 cm.
const Texts example = {{F::varv, "11000"}, {F::vev, "24"}, {F::koppling, "60"},
    {F::framdrev, "14"}, {F::bakdrev, "40"}, {F::ettanutv, "1"}, {F::omkrets, "190"}};
TEST(NumberText, StrictReadLeadingNumberGeneralTextCut)
{
    using Read = std::tuple<const char*, const char*, std::optional<double>>;
    for (auto [text, sep, value] : {Read{"2,5", ",", 2.5}, {" -3 ", ",", -3}, {"+4", ",", 4},
             {"\t7\t", ",", 7}, {",5", ",", 0.5}, {"5,", ",", 5}, {"00", ",", 0}, {"0,1", ",", 0.1},
             {"2.5", ".", 2.5}, {"1٫5", "٫", 1.5}, {"2,500", ".", {}}, {"1,000.5", ".", {}}})
        EXPECT_EQ(strictRead(text, sep), value) << text; // no thousands separators
    for (const char* text : {"", " ", ",", "-", "+", "2.5", "1 000", "1,2,3", "1E3", "1e3", "inf",
             "nan", "0x1", "5-", "- 5", "12a", "−5", "1\xc2\xa0" "5"})
        EXPECT_EQ(strictRead(text, ","), std::nullopt) << text;
    for (auto [text, value] : {std::pair{"12abc", 12.0}, {"  3.5x", 3.5}, {"-2", -2.0},
             {"+2", 2.0}, {"abc", 0.0}, {"", 0.0}, {",5", 0.0}, {".5", 0.5}, {"1,5", 1.0},
             {"-", 0.0}, {".", 0.0}, {"00", 0.0}, {"1e3", 1.0}, {"inf", 0.0}, {"7 8", 7.0},
             {"-.25", -0.25}, {"3.", 3.0}})
        EXPECT_EQ(leadingNumber(text), value) << text;
    for (auto [value, sep, text] : {std::tuple{2.5005, ",", "2,5005"}, {2.5005, ".", "2.5005"},
             {100.0, ",", "100"}, {-1.5, ",", "-1,5"}, {0.1 + 0.2, ",", "0,3"},
             {1e15, ",", "1E+15"}, {175.56871, ",", "175,56871"}, {1.5e20, ",", "1,5E+20"},
             {0.0001, ",", "0,0001"}, {123456789012345.0, ",", "123456789012345"},
             {0.00001, ",", "1E-05"}, {0.0, ",", "0"}, {-2.5e-7, ".", "-2.5E-07"}, {-0.0, ",", "0"},
             {1234567.25, ",", "1234567,25"}, {INFINITY, ",", ""}, {NAN, ",", ""}})
        EXPECT_EQ(generalText(value, sep), text) << value;
    EXPECT_EQ(cutToLength("175,56", 3) + cutToLength("åäöå", 3) + cutToLength("ab", 3)
                  + cutToLength("abcdef", 0), "175åäöababcdef");
    std::string lengths; // of every field, in the order of the enumeration
    for (const FieldInfo& info : fieldCatalogue)
        lengths += std::to_string(info.maxLength);
    EXPECT_EQ(lengths, "5225225355550033333300");
}
// A teeth field typed into, its partner holding a text first (or all empty), the typed texts;
// then the field, its partner and the reduction, rounded half up to three decimals.
TEST(Ratios, TeethKeepTheirPairCompleteAndTheReductionWritten)
{
    const F vev = F::vev, kop = F::koppling, fram = F::framdrev, bak = F::bakdrev;
    const std::tuple<F, const char*, std::vector<const char*>, const char*> rows[] = {
        {vev, "65", {"21"}, "21|65|3,095"}, {vev, "46", {"15"}, "15|46|3,067"},
        {fram, "60", {"24"}, "24|60|2,500"}, {fram, "17", {"17"}, "17|17|1,000"},
        {kop, "3", {"1"}, "1|3|0,333"}, {bak, "1", {"99"}, "99|1|99,00"},
        {bak, "14", {"40"}, "40|14|2,857"}, {vev, "65", {""}, "1|65|65,00"},
        {fram, "46", {""}, "1|46|46,00"}, {vev, "10", {"0", "00", ",5", "a", "."}, "1|10|10,00"},
        {kop, "10", {"0", "00", "-", "x"}, "1|10|0,100"}, {fram, "10", {"0", "00"}, "1|10|10,00"},
        {bak, "10", {"0"}, "1|10|0,100"}, {kop, "", {"2"}, "2|1|2,000"},
       {vev, "", {"2"}, "2|1|0,500"}, {bak, "", {"2"}, "2|1|2,000"}, {fram, "", {"2"}, "2|1|0,500"},
        {bak, "14", {"00"}, "00|14|0,000"}, {bak, "14", {"x"}, "x|14|0,000"}}; // 0: stays, reads 0
    for (const auto& [typed, before, texts, after] : rows)
        for (const char* text : texts) {
            const bool primary = typed == vev || typed == kop;
            const F partner = primary ? (typed == vev ? kop : vev) : (typed == fram ? bak : fram);
            FakeFields f = *before ? FakeFields({{partner, before}, {typed, "7"}}) : FakeFields();
            f.setText(typed, text);
            EXPECT_EQ(f.text(typed) + "|" + f.text(partner) + "|"
                          + f.text(primary ? F::primär : F::sekundär), after) << text;
        }
    FakeFields f(example, ".");
    EXPECT_EQ(f.text(F::primär), "2.500");
    f.setTexts({{F::primär, "9,999"}, {F::sekundär, "8,888"}}); // no reactions of their own
    EXPECT_EQ(f.text(F::vev) + f.text(F::koppling) + f.text(F::primär), "24609,999");
}
TEST(Speed, EachGearAloneCutToThreeCharacters)
{
    for (const std::string sep : {",", "."}) { // gear 2 is no number, gear 3 is 0
        FakeFields f(example, sep);
        f.setTexts({{F::tvåanhast, "999"}, {F::tvåanutv, "abc"}, {F::treanutv, "0"},
            {F::fyranutv, "1" + sep + "5"}, {F::femmanutv, "0,0000000001"}, {F::sexanutv, "2"}});
        EXPECT_TRUE(!beräknahast(f) && !beräknahast(f)); // a second run gives the same texts
        std::string speeds;
        for (F speed : gearSpeedFields)
            speeds += f.text(speed) + "|";
        EXPECT_EQ(speeds, sep == "," ? "175|||117|175|87,|" : "175|||117||87.|");
    }
    // Reductions of 1 and a wheel of 100 cm: the speed is varv x 0.06 / ratio.
    for (auto [varv, ratio, speed] : {std::tuple{"14299", "6", "142"}, {"8760", "6", "87,"},
             {"987", "6", "9,8"}, {"0", "6", "0"}, {"-9870", "6", "-98"}, {"1000", "0,6", "100"}}) {
        FakeFields f({{F::varv, varv}, {F::primär, "1"}, {F::sekundär, "1"}, {F::omkrets, "100"},
                      {F::ettanutv, ratio}});
        EXPECT_TRUE(!beräknahast(f) && f.text(F::ettanhast) == speed) << varv << " / " << ratio;
    }
}
// The worked example with a second gear and every speed at 12, one or two fields changed:
// "Beräkna" says what to do in one message (on the first unusable value in reading order), or
// nothing, and computes every gear it can; an unusable shared value clears every speed.
TEST(Speed, CalculateAndExplainSaysWhatToDo)
{
    const auto teeth = [](std::string a, std::string b) {
        return " Utväxlingen räknas ut när du skriver in tänderna i \"" + a + "\" och \"" + b +
               "\"; tryck sedan på Beräkna igen.";
    };
    const std::string gear = " Den växeln fick ingen hastighet; de andra är beräknade. Tryck sedan "
                             "på Beräkna igen.";
    const std::string is = "Fältet \"Primär utväxling\" ", again = " och tryck på Beräkna igen.";
    const struct { const char* sep; std::vector<std::pair<F, std::string>> typed; std::string said; }
        rows[] = {{",", {{F::varv, ""}, {F::omkrets, ""}}, "Fältet \"Max Varvtal\" är tomt. Fyll i "
                                                            "ett tal" + again},
        {",", {{F::varv, "11.5"}}, "Fältet \"Max Varvtal\" har decimaltecknet \".\", men här "
                                   "gäller \",\". Skriv talet med \",\"" + again},
        {",", {{F::omkrets, "0"}}, "Fältet \"Bakhjulets omkrets\" får inte vara 0. Skriv ett annat "
                                   "tal" + again},
        {",", {{F::primär, ""}}, is + "är tomt." + teeth("Vevaxel", "Koppling")},
        {",", {{F::sekundär, "0"}}, "Fältet \"Sekundär utväxling\" får inte vara 0." +
                                        teeth("Framdrev", "Bakdrev")},
        {".", {{F::primär, "2,500"}}, is + "har decimaltecknet \",\", men här gäller \".\"." +
                                      teeth("Vevaxel", "Koppling")},
        {",", {{F::tvåanutv, "2.5"}}, "Fältet \"2:an utväxling\" har decimaltecknet \".\", men här "
                                      "gäller \",\". Skriv talet med \",\"." + gear},
        {",", {{F::tvåanutv, "2.5"}, {F::sexanutv, "0"}}, "Fältet \"2:an utväxling\" har "
            "decimaltecknet \".\", men här gäller \",\". Skriv talet med \",\". Fältet \"6:an "
            "utväxling\" får inte vara 0. Skriv ett annat tal. Dessa växlar fick ingen hastighet; de "
            "andra är beräknade. Tryck sedan på Beräkna igen."},
        {",", {{F::tvåanutv, ""}}, ""}};
    for (const auto& [sep, typed, said] : rows) {
        FakeFields f(example, sep);
        f.setText(F::tvåanutv, "2");
        for (F speed : gearSpeedFields)
            f.setText(speed, "12");
        for (const auto& [field, text] : typed)
            f.setText(field, text);
        EXPECT_EQ(calculateAndExplain(f), said);
        EXPECT_EQ(f.text(F::ettanhast), typed[0].first == F::tvåanutv ? "175" : "");
    }
}
// The worked example with fields changed: what "Beräkna" says, and the field it asks the user to
// type into first (for a reduction, a teeth field).
TEST(Speed, MessageSaysWhatToDoAndWhere)
{
    const std::string again = " Tryck sedan på Beräkna igen.";
    const struct Row
    {
        const char* name;
        Texts typed;
        std::string said;
        F typeInto;
    } rows[] = {
        {"thousands with a space",
         {{F::varv, "9 000"}},
         "Fältet \"Max Varvtal\" har mellanslag i talet. Skriv talet utan mellanslag och tryck på "
         "Beräkna igen.",
         F::varv},
        {"no teeth typed",
         {{F::primär, ""}},
         "Fältet \"Primär utväxling\" är tomt. Utväxlingen räknas ut när du skriver in tänderna i "
         "\"Vevaxel\" och \"Koppling\"; tryck sedan på Beräkna igen.",
         F::vev},
        {"the only gear is 0",
         {{F::ettanutv, "0"}},
         "Fältet \"1:an utväxling\" får inte vara 0. Skriv ett annat tal. Den växeln fick ingen "
         "hastighet." +
             again,
         F::ettanutv},
        {"a file saved with full stops",
         {{F::primär, "2.500"}, {F::sekundär, "2.857"}, {F::ettanutv, "1.55"}, {F::tvåanutv, "0"}},
         "Här gäller decimaltecknet \",\", men \".\" står i \"Primär utväxling\", \"Sekundär "
         "utväxling\" och \"1:an utväxling\". Skriv om \"1:an utväxling\" med \",\". Skriv in "
         "tänderna i \"Vevaxel\" och \"Framdrev\" igen, så räknas \"Primär utväxling\" och "
         "\"Sekundär utväxling\" om." +
             again,
         F::ettanutv},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeFields f(example);
        f.setTexts(row.typed);
        std::optional<F> typeInto;
        EXPECT_EQ(calculateAndExplain(f, &typeInto), row.said);
        EXPECT_EQ(typeInto, row.typeInto);
    }
}
