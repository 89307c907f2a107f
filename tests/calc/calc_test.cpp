#include "calc/numtext.h"
#include "calc/ratios.h"
#include "calc/speed.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>

using namespace calc;

namespace {

// The window's fields without a window: max lengths cut assigned texts, and a
// change runs the field's reaction inside the assignment.
struct FakeFields : Fields
{
    explicit FakeFields(std::string separator = ",") : separator(std::move(separator)) {}
    std::string text(Field f) const override { return texts[std::size_t(f)]; }
    void setText(Field f, const std::string& text) override
    {
        const std::string cut = cutToLength(text, fieldInfo(f).maxLength);
        if (cut != texts[std::size_t(f)]) {
            texts[std::size_t(f)] = cut;
            fieldChanged(*this, f);
        }
    }
    std::string decimalSeparator() const override { return separator; }
    std::array<std::string, fieldCount> texts;
    std::string separator;
};

// The worked example: 11000 rpm, 24/60 teeth, 14/40 sprockets, first gear 1, 190 cm.
FakeFields workedExample(const char* separator = ",")
{
    FakeFields f(separator);
    for (auto [field, text] : {std::pair{Field::varv, "11000"}, {Field::vev, "24"},
                               {Field::koppling, "60"}, {Field::framdrev, "14"},
                               {Field::bakdrev, "40"}, {Field::ettanutv, "1"},
                               {Field::omkrets, "190"}})
        f.setText(field, text);
    return f;
}

} // namespace

TEST(NumberText, StrictReadLeadingNumberGeneralText)
{
    const std::pair<const char*, std::optional<double>> strict[] = {
        {"2,5", 2.5}, {" -3 ", -3.0}, {"+4", 4.0}, {"\t7\t", 7.0}, {",5", 0.5}, {"5,", 5.0},
        {"00", 0.0}, {"0,1", 0.1}, {"", {}}, {" ", {}}, {",", {}}, {"-", {}}, {"+", {}},
        {"2.5", {}}, {"1 000", {}}, {"1,2,3", {}}, {"1E3", {}}, {"1e3", {}}, {"inf", {}},
        {"nan", {}}, {"0x1", {}}, {"5-", {}}, {"- 5", {}}, {"12a", {}}, {"−5", {}},
        {"1\xc2\xa0" "5", {}}};
    for (const auto& [text, value] : strict)
        EXPECT_EQ(strictRead(text, ","), value) << text;
    EXPECT_EQ(strictRead("2.5", "."), 2.5);
    EXPECT_EQ(strictRead("1٫5", "٫"), 1.5); // a separator of more than one byte
    EXPECT_EQ(strictRead("2,500", "."), std::nullopt); // a comma is no thousands separator
    EXPECT_EQ(strictRead("1,000.5", "."), std::nullopt);

    const std::pair<const char*, double> leading[] = {
        {"12abc", 12}, {"  3.5x", 3.5}, {"-2", -2}, {"+2", 2}, {"abc", 0}, {"", 0}, {",5", 0},
        {".5", 0.5}, {"1,5", 1}, {"-", 0}, {".", 0}, {"00", 0}, {"1e3", 1}, {"inf", 0},
        {"7 8", 7}, {"-.25", -0.25}, {"3.", 3}};
    for (const auto& [text, value] : leading)
        EXPECT_EQ(leadingNumber(text), value) << text;

    const std::tuple<double, const char*, const char*> general[] = {
        {2.5005, ",", "2,5005"}, {2.5005, ".", "2.5005"}, {100, ",", "100"}, {-1.5, ",", "-1,5"},
        {0.1 + 0.2, ",", "0,3"}, {175.56871, ",", "175,56871"}, {1e15, ",", "1E+15"},
        {123456789012345.0, ",", "123456789012345"}, {1.5e20, ",", "1,5E+20"},
        {0.0001, ",", "0,0001"}, {0.00001, ",", "1E-05"}, {-2.5e-7, ".", "-2.5E-07"},
        {0.0, ",", "0"}, {-0.0, ",", "0"}, {1234567.25, ",", "1234567,25"},
        {INFINITY, ",", ""}, {NAN, ",", ""}};
    for (const auto& [value, separator, text] : general)
        EXPECT_EQ(generalText(value, separator), text) << value;
}

TEST(NumberText, CutsCharactersNotBytesToEachFieldsLength)
{
    EXPECT_EQ(cutToLength("175,56", 3), "175");
    EXPECT_EQ(cutToLength("åäöå", 3), "åäö");
    EXPECT_EQ(cutToLength("ab", 3), "ab");
    EXPECT_EQ(cutToLength("abcdef", 0), "abcdef");
    std::string lengths;
    for (const FieldInfo& info : fieldCatalogue)
        lengths += std::to_string(info.maxLength);
    EXPECT_EQ(lengths, "5225225355550033333300");
}

// The toolkit calls setlocale(LC_ALL, "") at start; the rules must not follow it.
TEST(NumberText, IndependentOfTheCLibraryLocale)
{
    const std::string dir = testing::TempDir() + "drevkalk-locales";
    std::filesystem::create_directories(dir);
    [[maybe_unused]] const int made = // warnings give a non-zero status
        std::system(("localedef -i sv_SE -f UTF-8 '" + dir + "/sv_SE.UTF-8' >/dev/null 2>&1").c_str());
    setenv("LOCPATH", dir.c_str(), 1);
    if (!std::setlocale(LC_ALL, "sv_SE.UTF-8"))
        GTEST_SKIP() << "no Swedish C locale could be made (localedef from the locales package)";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(generalText(1234567.5, "."), "1234567.5");
    EXPECT_EQ(strictRead("2.5", "."), 2.5);
    EXPECT_EQ(strictRead("2,5", "."), std::nullopt);
    EXPECT_EQ(leadingNumber("2.5"), 2.5);
    std::setlocale(LC_ALL, "C");
}

TEST(Ratios, ReductionRoundedHalfUpToThreeDecimals)
{
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"21", "65", "3,095"}, {"15", "46", "3,067"}, {"24", "60", "2,500"}, {"17", "17", "1,000"},
        {"1", "3", "3,000"}, {"3", "1", "0,333"}, {"1", "99", "99,00"}, {"14", "40", "2,857"}};
    for (const auto& [divisor, numerator, reduction] : rows) {
        FakeFields f;
        f.setText(Field::vev, divisor);
        f.setText(Field::koppling, numerator);
        f.setText(Field::framdrev, divisor);
        f.setText(Field::bakdrev, numerator);
        EXPECT_EQ(f.text(Field::primär), reduction) << divisor << "/" << numerator;
        EXPECT_EQ(f.text(Field::sekundär), reduction) << divisor << "/" << numerator;
    }
    FakeFields f = workedExample(".");
    EXPECT_EQ(f.text(Field::primär), "2.500");
    // The reductions have no reaction of their own.
    f.setText(Field::primär, "9,999");
    f.setText(Field::sekundär, "8,888");
    EXPECT_EQ(f.text(Field::vev) + f.text(Field::koppling) + f.text(Field::primär), "24609,999");
}

// Each row: the partner's text (nullptr: left empty), then the typed text; the
// pair and its reduction afterwards.
TEST(Ratios, GuardsCompleteThePairInsideTheAssignment)
{
    struct Row { Field typed, partner; const char *before, *text, *typedAfter, *partnerAfter, *reduction; };
    const Field vev = Field::vev, kop = Field::koppling, fram = Field::framdrev, bak = Field::bakdrev;
    const Row rows[] = {
        {kop, vev, nullptr, "2", "2", "1", "2,000"}, {vev, kop, nullptr, "2", "2", "1", "0,500"},
        {bak, fram, nullptr, "2", "2", "1", "2,000"}, {fram, bak, nullptr, "2", "2", "1", "0,500"},
        {vev, kop, "65", "", "1", "65", "65,00"}, {fram, bak, "46", "", "1", "46", "46,00"},
        {vev, kop, "10", "0", "1", "10", "10,00"}, {vev, kop, "10", "00", "1", "10", "10,00"},
        {kop, vev, "10", "0", "1", "10", "0,100"}, {kop, vev, "10", "00", "1", "10", "0,100"},
        {fram, bak, "10", "0", "1", "10", "10,00"}, {bak, fram, "10", "0", "1", "10", "0,100"},
        {fram, bak, "10", "00", "1", "10", "10,00"}, {vev, kop, "10", ",5", "1", "10", "10,00"},
        {vev, kop, "10", "a", "1", "10", "10,00"}, {vev, kop, "10", ".", "1", "10", "10,00"},
        {kop, vev, "10", "-", "1", "10", "0,100"}, {kop, vev, "10", "x", "1", "10", "0,100"},
        // A rear sprocket is divided by nothing: it stays, and reads as 0.
        {bak, fram, "14", "00", "00", "14", "0,000"}, {bak, fram, "14", "x", "x", "14", "0,000"},
    };
    for (const Row& row : rows) {
        FakeFields f;
        if (row.before)
            f.setText(row.partner, row.before);
        f.setText(row.typed, "7");
        f.setText(row.typed, row.text);
        const Field reduction = row.typed == vev || row.typed == kop ? Field::primär : Field::sekundär;
        EXPECT_EQ(f.text(row.typed) + "|" + f.text(row.partner) + "|" + f.text(reduction),
                  std::string(row.typedAfter) + "|" + row.partnerAfter + "|" + row.reduction)
            << fieldInfo(row.typed).name << " " << row.text;
    }
}

TEST(Speed, WorkedExampleAndEachGearAlone)
{
    for (const char* separator : {",", "."}) {
        FakeFields f = workedExample(separator);
        EXPECT_EQ(f.text(Field::sekundär), std::string("2") + separator + "857");
        f.setText(Field::tvåanhast, "999");
        f.setText(Field::tvåanutv, "abc");
        f.setText(Field::treanutv, "0");
        f.setText(Field::fyranutv, std::string("1") + separator + "5");
        f.setText(Field::femmanutv, "0,0000000001"); // no max: a huge but finite speed
        f.setText(Field::sexanutv, "2");
        EXPECT_EQ(beräknahast(f), std::nullopt);
        EXPECT_EQ(beräknahast(f), std::nullopt); // a second run gives the same texts
        std::string speeds;
        for (Field speed : gearSpeedFields)
            speeds += f.text(speed) + "|";
        EXPECT_EQ(speeds, separator == std::string(",") ? "175|||117|175|87,|" : "175|||117||87.|");
    }
}

TEST(Speed, ThreeCharactersCutNotRounded)
{
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"14299", "6", "142"}, {"8760", "6", "87,"}, {"987", "6", "9,8"}, {"0", "6", "0"},
        {"-9870", "6", "-98"}, {"1000", "0,6", "100"}};
    for (const auto& [varv, ratio, speed] : rows) {
        FakeFields f; // reductions of 1 and a wheel of 100 cm: varv x 0.06 / ratio
        for (auto [field, text] : {std::pair{Field::varv, varv}, {Field::primär, "1"},
                                   {Field::sekundär, "1"}, {Field::omkrets, "100"},
                                   {Field::ettanutv, ratio}})
            f.setText(field, text);
        EXPECT_EQ(beräknahast(f), std::nullopt);
        EXPECT_EQ(f.text(Field::ettanhast), speed) << varv << " / " << ratio;
    }
}

TEST(Speed, UnusableSharedValueClearsEverySpeedAndSaysWhich)
{
    const std::tuple<Field, const char*, Problem, const char*> rows[] = {
        {Field::varv, "", Problem::Empty,
         "\"Max Varvtal\" är tomt. Fyll i ett tal och tryck på Beräkna igen."},
        {Field::varv, "11.5", Problem::NotANumber,
         "\"Max Varvtal\" är inte ett tal. Skriv ett tal med decimaltecknet \",\" och tryck på "
         "Beräkna igen."},
        {Field::primär, "0,000", Problem::Zero,
         "\"Primär utväxling\" får inte vara 0. Skriv ett annat tal och tryck på Beräkna igen."},
        {Field::sekundär, "", Problem::Empty, "\"Sekundär utväxling\" är tomt."},
        {Field::omkrets, "0", Problem::Zero, "\"Bakhjulets omkrets\" får inte"},
        {Field::omkrets, "x", Problem::NotANumber, "\"Bakhjulets omkrets\" är inte"},
    };
    for (const auto& [field, text, problem, message] : rows) {
        FakeFields f = workedExample();
        for (Field speed : gearSpeedFields)
            f.setText(speed, "12");
        f.setText(field, text);
        const auto failure = beräknahast(f);
        ASSERT_TRUE(failure.has_value()) << text;
        EXPECT_EQ(failure->field, field);
        EXPECT_EQ(failure->problem, problem);
        EXPECT_TRUE(failureMessage(*failure, ",").starts_with(message)) << message;
        for (Field speed : gearSpeedFields)
            EXPECT_EQ(f.text(speed), "");
    }
    // The first unusable value in reading order is the one named.
    FakeFields f = workedExample();
    f.setText(Field::omkrets, "");
    f.setText(Field::varv, "");
    EXPECT_EQ(beräknahast(f)->field, Field::varv);
}
