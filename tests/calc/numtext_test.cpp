#include "calc/fields.h"
#include "calc/numtext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <optional>

using calc::generalText;
using calc::leadingNumber;
using calc::strictRead;

TEST(StrictRead, AcceptsDecimalNumbersWithTheLocaleSeparator)
{
    struct Row
    {
        const char* text;
        const char* separator;
        std::optional<double> expected;
    };
    const Row rows[] = {
        {"2,5", ",", 2.5},       {" -3 ", ",", -3.0}, {"+4", ",", 4.0},  {"\t7\t", ",", 7.0},
        {",5", ",", 0.5},        {"5,", ",", 5.0},    {"00", ",", 0.0},  {"2.5", ".", 2.5},
        {"11000", ".", 11000.0}, {"0,1", ",", 0.1},   {"1٫5", "٫", 1.5}, // a separator of more than
                                                                         // one byte
    };
    for (const Row& row : rows)
        EXPECT_EQ(strictRead(row.text, row.separator), row.expected) << row.text;
}

TEST(StrictRead, RefusesWhatIsNotAPlainDecimalNumber)
{
    const char* const swedish[] = {"",
                                   " ",
                                   ",",
                                   "-",
                                   "+",
                                   "2.5",
                                   "1 000",
                                   "1,2,3",
                                   "1E3",
                                   "1e3",
                                   "inf",
                                   "nan",
                                   "0x1",
                                   "5-",
                                   "- 5",
                                   "12a",
                                   "−5",
                                   "1\xc2\xa0"
                                   "5"};
    for (const char* text : swedish)
        EXPECT_EQ(strictRead(text, ","), std::nullopt) << text;
    // A file saved under Swedish settings, read under a point-decimal locale:
    // the comma is no thousands separator.
    EXPECT_EQ(strictRead("2,500", "."), std::nullopt);
    EXPECT_EQ(strictRead("1,000.5", "."), std::nullopt);
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartWithAFullStop)
{
    struct Row
    {
        const char* text;
        double expected;
    };
    const Row rows[] = {
        {"12abc", 12}, {"  3.5x", 3.5}, {"-2", -2}, {"+2", 2},       {"abc", 0}, {"", 0},
        {",5", 0},     {".5", 0.5},     {"1,5", 1}, {"-", 0},        {".", 0},   {"00", 0},
        {"1e3", 1},    {"inf", 0},      {"7 8", 7}, {"-.25", -0.25},
    };
    for (const Row& row : rows)
        EXPECT_EQ(leadingNumber(row.text), row.expected) << row.text;
}

TEST(GeneralText, FifteenDigitsTrailingZerosDroppedLocaleSeparator)
{
    struct Row
    {
        double value;
        const char* separator;
        const char* expected;
    };
    const Row rows[] = {
        {2.5005, ",", "2,5005"},
        {2.5005, ".", "2.5005"},
        {100, ",", "100"},
        {-1.5, ",", "-1,5"},
        {0.1 + 0.2, ",", "0,3"},
        {175.56871, ",", "175,56871"},
        {123456789012345.0, ",", "123456789012345"},
        {1e15, ",", "1E+15"},
        {1.5e20, ",", "1,5E+20"},
        {0.0001, ",", "0,0001"},
        {0.00001, ",", "1E-05"},
        {-2.5e-7, ".", "-2.5E-07"},
        {0.0, ",", "0"},
        {-0.0, ",", "0"},
        {1234567.25, ",", "1234567,25"}, // no thousands separators
    };
    for (const Row& row : rows)
        EXPECT_EQ(generalText(row.value, row.separator), row.expected) << row.value;
    EXPECT_EQ(generalText(std::numeric_limits<double>::infinity(), ","), "");
    EXPECT_EQ(generalText(std::nan(""), ","), "");
}

TEST(CutToLength, CountsCharactersNotBytes)
{
    EXPECT_EQ(calc::cutToLength("175,56", 3), "175");
    EXPECT_EQ(calc::cutToLength("åäöå", 3), "åäö");
    EXPECT_EQ(calc::cutToLength("ab", 3), "ab");
    EXPECT_EQ(calc::cutToLength("abcdef", 0), "abcdef");
}

// The toolkit calls setlocale(LC_ALL, "") at start, after which the C
// library's number functions follow the user's locale. The rules must not.
TEST(NumberText, IndependentOfTheCLibraryLocale)
{
    const std::string dir = testing::TempDir() + "drevkalk-locales";
    std::filesystem::create_directories(dir);
    const std::string make =
        "localedef -i sv_SE -f UTF-8 '" + dir + "/sv_SE.UTF-8' >/dev/null 2>&1";
    [[maybe_unused]] const int made = std::system(make.c_str()); // warnings give a non-zero status
    setenv("LOCPATH", dir.c_str(), 1);
    if (!std::setlocale(LC_ALL, "sv_SE.UTF-8"))
        GTEST_SKIP() << "no Swedish C locale could be made (localedef from the locales package)";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    EXPECT_EQ(generalText(2.5, "."), "2.5");
    EXPECT_EQ(generalText(1234567.5, "."), "1234567.5");
    EXPECT_EQ(strictRead("2.5", "."), 2.5);
    EXPECT_EQ(strictRead("2,5", "."), std::nullopt);
    EXPECT_EQ(leadingNumber("2.5"), 2.5);
    EXPECT_EQ(leadingNumber("2,5"), 2.0);
    std::setlocale(LC_ALL, "C");
}
