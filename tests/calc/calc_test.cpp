#include "calc/numtext.h"
#include "calc/ratios.h"
#include "calc/speed.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>

using namespace calc;
using F = Field;

// The window's fields without a window: assigned texts are cut to the field's length, and a
// change runs the field's reaction inside the assignment.
struct FakeFields : Fields
{
    explicit FakeFields(std::string separator = ",") : separator(std::move(separator)) {}
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
FakeFields with(std::initializer_list<std::pair<F, std::string>> texts, const char* separator = ",")
{
    FakeFields f(separator);
    for (const auto& [field, text] : texts)
        f.setText(field, text);
    return f;
}
const std::initializer_list<std::pair<F, std::string>> example = {{F::varv, "11000"}, {F::vev, "24"},
    {F::koppling, "60"}, {F::framdrev, "14"}, {F::bakdrev, "40"}, {F::ettanutv, "1"}, {F::omkrets, "190"}};

TEST(NumberText, StrictReadLeadingNumberGeneralTextCut)
{
    const std::pair<const char*, std::optional<double>> strict[] = {{"2,5", 2.5}, {" -3 ", -3.0},
        {"+4", 4.0}, {"\t7\t", 7.0}, {",5", 0.5}, {"5,", 5.0}, {"00", 0.0}, {"0,1", 0.1}, {"", {}},
        {" ", {}}, {",", {}}, {"-", {}}, {"+", {}}, {"2.5", {}}, {"1 000", {}}, {"1,2,3", {}},
        {"1E3", {}}, {"1e3", {}}, {"inf", {}}, {"nan", {}}, {"0x1", {}}, {"5-", {}}, {"- 5", {}},
        {"12a", {}}, {"−5", {}}, {"1\xc2\xa0" "5", {}}};
    for (const auto& [text, value] : strict)
        EXPECT_EQ(strictRead(text, ","), value) << text;
    EXPECT_EQ(strictRead("2.5", "."), 2.5);
    EXPECT_EQ(strictRead("1٫5", "٫"), 1.5); // a separator of two bytes
    EXPECT_EQ(strictRead("2,500", "."), std::nullopt); // a comma is no thousands separator
    EXPECT_EQ(strictRead("1,000.5", "."), std::nullopt);
    const std::pair<const char*, double> leading[] = {{"12abc", 12}, {"  3.5x", 3.5}, {"-2", -2},
        {"+2", 2}, {"abc", 0}, {"", 0}, {",5", 0}, {".5", 0.5}, {"1,5", 1}, {"-", 0}, {".", 0},
        {"00", 0}, {"1e3", 1}, {"inf", 0}, {"7 8", 7}, {"-.25", -0.25}, {"3.", 3}};
    for (const auto& [text, value] : leading)
        EXPECT_EQ(leadingNumber(text), value) << text;
    const std::tuple<double, const char*, const char*> general[] = {{2.5005, ",", "2,5005"},
        {2.5005, ".", "2.5005"}, {100, ",", "100"}, {-1.5, ",", "-1,5"}, {0.1 + 0.2, ",", "0,3"},
        {175.56871, ",", "175,56871"}, {1e15, ",", "1E+15"}, {1.5e20, ",", "1,5E+20"},
        {123456789012345.0, ",", "123456789012345"}, {0.0001, ",", "0,0001"}, {0.00001, ",", "1E-05"},
        {-2.5e-7, ".", "-2.5E-07"}, {0.0, ",", "0"}, {-0.0, ",", "0"}, {1234567.25, ",", "1234567,25"},
        {INFINITY, ",", ""}, {NAN, ",", ""}};
    for (const auto& [value, separator, text] : general)
        EXPECT_EQ(generalText(value, separator), text) << value;
    const std::tuple<const char*, int, const char*> cut[] = {
        {"175,56", 3, "175"}, {"åäöå", 3, "åäö"}, {"ab", 3, "ab"}, {"abcdef", 0, "abcdef"}};
    for (const auto& [text, length, kept] : cut)
        EXPECT_EQ(cutToLength(text, length), kept);
    std::string lengths; // of every field, in the order of the enumeration
    for (const FieldInfo& info : fieldCatalogue)
        lengths += std::to_string(info.maxLength);
    EXPECT_EQ(lengths, "5225225355550033333300");
}

// The toolkit calls setlocale(LC_ALL, "") at start; the rules must not follow the C locale.
TEST(NumberText, IndependentOfTheCLibraryLocale)
{
    const std::string dir = testing::TempDir() + "drevkalk-locales";
    std::filesystem::create_directories(dir);
    [[maybe_unused]] const int made = // warnings give a non-zero status
        std::system(("localedef -i sv_SE -f UTF-8 '" + dir + "/sv_SE.UTF-8' 2>/dev/null").c_str());
    setenv("LOCPATH", dir.c_str(), 1);
    if (!std::setlocale(LC_ALL, "sv_SE.UTF-8"))
        GTEST_SKIP() << "no Swedish C locale could be made (localedef from the locales package)";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(generalText(1234567.5, "."), "1234567.5");
    EXPECT_EQ(strictRead("2.5", "."), 2.5);
    EXPECT_EQ(leadingNumber("2.5"), 2.5);
    std::setlocale(LC_ALL, "C");
}

// Each row: the partner's text (nullptr: left empty), then the typed text; the pair and its
// reduction, rounded half up to three decimals, afterwards.
TEST(Ratios, TeethKeepTheirPairCompleteAndTheReductionWritten)
{
    const F vev = F::vev, kop = F::koppling, fram = F::framdrev, bak = F::bakdrev;
    const std::tuple<F, F, const char*, const char*, const char*> rows[] = {
        {vev, kop, "65", "21", "21|65|3,095"}, {vev, kop, "46", "15", "15|46|3,067"},
        {fram, bak, "60", "24", "24|60|2,500"}, {fram, bak, "17", "17", "17|17|1,000"},
        {kop, vev, "3", "1", "1|3|0,333"}, {bak, fram, "1", "99", "99|1|99,00"},
        {bak, fram, "14", "40", "40|14|2,857"}, {kop, vev, nullptr, "2", "2|1|2,000"},
        {vev, kop, nullptr, "2", "2|1|0,500"}, {bak, fram, nullptr, "2", "2|1|2,000"},
        {fram, bak, nullptr, "2", "2|1|0,500"}, {vev, kop, "65", "", "1|65|65,00"},
        {fram, bak, "46", "", "1|46|46,00"}, {vev, kop, "10", "0", "1|10|10,00"},
        {vev, kop, "10", "00", "1|10|10,00"}, {kop, vev, "10", "0", "1|10|0,100"},
        {kop, vev, "10", "00", "1|10|0,100"}, {fram, bak, "10", "0", "1|10|10,00"},
        {bak, fram, "10", "0", "1|10|0,100"}, {fram, bak, "10", "00", "1|10|10,00"},
        {vev, kop, "10", ",5", "1|10|10,00"}, {vev, kop, "10", "a", "1|10|10,00"},
        {vev, kop, "10", ".", "1|10|10,00"}, {kop, vev, "10", "-", "1|10|0,100"},
        {kop, vev, "10", "x", "1|10|0,100"},
        // A rear sprocket is divided by nothing: it stays, and reads as 0.
        {bak, fram, "14", "00", "00|14|0,000"}, {bak, fram, "14", "x", "x|14|0,000"}};
    for (const auto& [typed, partner, before, text, after] : rows) {
        FakeFields f = before ? with({{partner, before}, {typed, "7"}}) : with({});
        f.setText(typed, text);
        const F reduction = typed == vev || typed == kop ? F::primär : F::sekundär;
        EXPECT_EQ(f.text(typed) + "|" + f.text(partner) + "|" + f.text(reduction), after)
            << fieldInfo(typed).name << " " << text;
    }
    FakeFields f = with(example, ".");
    EXPECT_EQ(f.text(F::primär), "2.500");
    f.setText(F::primär, "9,999"); // the reductions have no reaction of their own
    f.setText(F::sekundär, "8,888");
    EXPECT_EQ(f.text(F::vev) + f.text(F::koppling) + f.text(F::primär), "24609,999");
}

TEST(Speed, EachGearAloneCutToThreeCharacters)
{
    for (const char* sep : {",", "."}) { // gear 2 is no number, gear 3 is 0
        FakeFields f = with(example, sep);
        for (const auto& [field, text] : {std::pair{F::tvåanhast, "999"}, {F::tvåanutv, "abc"},
                 {F::treanutv, "0"}, {F::fyranutv, sep == std::string(",") ? "1,5" : "1.5"},
                 {F::femmanutv, "0,0000000001"}, {F::sexanutv, "2"}})
            f.setText(field, text);
        EXPECT_EQ(beräknahast(f), std::nullopt);
        EXPECT_EQ(beräknahast(f), std::nullopt); // a second run gives the same texts
        std::string speeds;
        for (F speed : gearSpeedFields)
            speeds += f.text(speed) + "|";
        EXPECT_EQ(speeds, sep == std::string(",") ? "175|||117|175|87,|" : "175|||117||87.|");
    }
    const std::tuple<const char*, const char*, const char*> rows[] = {{"14299", "6", "142"},
        {"8760", "6", "87,"}, {"987", "6", "9,8"}, {"0", "6", "0"}, {"-9870", "6", "-98"},
        {"1000", "0,6", "100"}}; // reductions of 1, a wheel of 100 cm: varv x 0.06 / ratio
    for (const auto& [varv, ratio, speed] : rows) {
        FakeFields f = with({{F::varv, varv}, {F::primär, "1"}, {F::sekundär, "1"},
                             {F::omkrets, "100"}, {F::ettanutv, ratio}});
        EXPECT_EQ(beräknahast(f), std::nullopt);
        EXPECT_EQ(f.text(F::ettanhast), speed) << varv << " / " << ratio;
    }
}

TEST(Speed, UnusableSharedValueClearsEverySpeedAndSaysWhich)
{
    const std::tuple<F, const char*, Problem, const char*> rows[] = {
        {F::varv, "", Problem::Empty, "\"Max Varvtal\" är tomt. Fyll i ett tal och tryck på Beräkna igen."},
        {F::varv, "11.5", Problem::NotANumber, "\"Max Varvtal\" är inte ett tal. Skriv ett tal med "
                                               "decimaltecknet \",\" och tryck på Beräkna igen."},
        {F::primär, "0,000", Problem::Zero, "\"Primär utväxling\" får inte vara 0. Fyll i tänderna i "
                                            "\"Vevaxel\" och \"Koppling\", så räknas den ut,"},
        {F::sekundär, "", Problem::Empty, "\"Sekundär utväxling\" är tomt."},
        {F::omkrets, "0", Problem::Zero, "\"Bakhjulets omkrets\" får inte"},
        {F::omkrets, "x", Problem::NotANumber, "\"Bakhjulets omkrets\" är inte"}};
    for (const auto& [field, text, problem, message] : rows) {
        FakeFields f = with(example);
        for (F speed : gearSpeedFields)
            f.setText(speed, "12");
        f.setText(field, text);
        const auto failure = beräknahast(f);
        ASSERT_TRUE(failure && failure->field == field && failure->problem == problem) << text;
        EXPECT_TRUE(failureMessage(*failure, ",").starts_with(message)) << message;
        for (F speed : gearSpeedFields)
            EXPECT_EQ(f.text(speed), "");
    }
    FakeFields f = with(example); // the first unusable value in reading order is named
    f.setText(F::omkrets, "");
    f.setText(F::varv, "");
    EXPECT_EQ(beräknahast(f)->field, F::varv);
}

// After the worked example, one or two fields changed: "Beräkna" says what to do in one
// message, or nothing, and computes every gear it can.
TEST(Speed, CalculateAndExplainSaysWhatToDo)
{
    const auto teeth = [](std::string a, std::string b) {
        return " Fyll i tänderna i \"" + a + "\" och \"" + b + "\", så räknas den ut, och tryck på Beräkna igen.";
    };
    const std::string gear = " fick ingen hastighet; de andra är uträknade. Skriv ett tal med "
                             "decimaltecknet \",\" och tryck på Beräkna igen.";
    const std::string primär = "\"Primär utväxling\" är ";
    const struct { const char* separator; std::vector<std::pair<F, const char*>> typed; std::string message; } rows[] = {
        {",", {{F::primär, ""}}, primär + "tomt." + teeth("Vevaxel", "Koppling")},
        {",", {{F::sekundär, "0"}}, "\"Sekundär utväxling\" får inte vara 0." + teeth("Framdrev", "Bakdrev")},
        {".", {{F::primär, "2,500"}}, primär + "inte ett tal. Det är skrivet med decimaltecknet \",\", "
                                      "men här gäller \".\"." + teeth("Vevaxel", "Koppling")},
        {",", {{F::tvåanutv, "2.5"}}, "\"2:an Utväxling\" är inte ett tal. Den växeln" + gear},
        {",", {{F::tvåanutv, "2.5"}, {F::sexanutv, "0"}},
         "\"2:an Utväxling\" är inte ett tal. \"6:an Utväxling\" får inte vara 0. De växlarna" + gear},
        {",", {{F::tvåanutv, ""}}, ""}};
    for (const auto& row : rows) {
        FakeFields f = with(example, row.separator);
        f.setText(F::tvåanutv, "2");
        for (const auto& [field, text] : row.typed)
            f.setText(field, text);
        EXPECT_EQ(calculateAndExplain(f), row.message);
        EXPECT_EQ(f.text(F::ettanhast), row.typed[0].first == F::tvåanutv ? "175" : "");
    }
}
