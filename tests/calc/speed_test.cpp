#include "fakefields.h"
#include "calc/speed.h"

#include <gtest/gtest.h>

using calc::Field;
using calc::Problem;

namespace {

// The worked example: 11000 rpm, 24/60 teeth, 14/40 sprockets, first gear 1, 190 cm.
FakeFields workedExample(const char* separator = ",")
{
    FakeFields f(separator);
    f.setText(Field::varv, "11000");
    f.setText(Field::vev, "24");
    f.setText(Field::koppling, "60");
    f.setText(Field::framdrev, "14");
    f.setText(Field::bakdrev, "40");
    f.setText(Field::ettanutv, "1");
    f.setText(Field::omkrets, "190");
    return f;
}

// Reductions of 1 and a wheel of 100 cm: the speed is varv x 0.06 / ratio.
FakeFields plainDrive(const char* varv, const char* ratio)
{
    FakeFields f;
    f.setText(Field::varv, varv);
    f.setText(Field::primär, "1");
    f.setText(Field::sekundär, "1");
    f.setText(Field::omkrets, "100");
    f.setText(Field::ettanutv, ratio);
    return f;
}

} // namespace

TEST(Speed, WorkedExample)
{
    for (const char* separator : {",", "."}) {
        FakeFields f = workedExample(separator);
        EXPECT_EQ(f.text(Field::primär), std::string("2") + separator + "500");
        EXPECT_EQ(f.text(Field::sekundär), std::string("2") + separator + "857");
        EXPECT_EQ(calc::beräknahast(f), std::nullopt);
        EXPECT_EQ(f.text(Field::ettanhast), "175");
        // Gears the bike does not have stay empty, and that is no failure.
        for (Field speed : {Field::tvåanhast, Field::treanhast, Field::sexanhast})
            EXPECT_EQ(f.text(speed), "");
        // Two runs give the same texts.
        EXPECT_EQ(calc::beräknahast(f), std::nullopt);
        EXPECT_EQ(f.text(Field::ettanhast), "175");
    }
}

TEST(Speed, ThreeCharactersCutNotRounded)
{
    struct Row
    {
        const char* varv;
        const char* ratio;
        const char* expected;
    };
    const Row rows[] = {
        {"14299", "6", "142"}, // 142.99
        {"8760", "6", "87,"},  // 87.6
        {"987", "6", "9,8"},   // 9.87
        {"0", "6", "0"},
        {"-9870", "6", "-98"}, // a negative speed keeps its sign and two characters
        {"1000", "0,6", "100"},
    };
    for (const Row& row : rows) {
        FakeFields f = plainDrive(row.varv, row.ratio);
        EXPECT_EQ(calc::beräknahast(f), std::nullopt) << row.varv;
        EXPECT_EQ(f.text(Field::ettanhast), row.expected) << row.varv << " / " << row.ratio;
    }
}

TEST(Speed, EachGearComputedAloneAndUnusableRatiosLeftEmpty)
{
    FakeFields f = workedExample();
    f.setText(Field::tvåanhast, "999");
    f.setText(Field::tvåanutv, "abc");
    f.setText(Field::treanutv, "0");
    f.setText(Field::fyranutv, "1,5");
    f.setText(Field::femmanutv, "0,0000000001"); // no max: a huge but finite speed
    f.setText(Field::sexanutv, "2");
    EXPECT_EQ(calc::beräknahast(f), std::nullopt);
    EXPECT_EQ(f.text(Field::ettanhast), "175");
    EXPECT_EQ(f.text(Field::tvåanhast), "");
    EXPECT_EQ(f.text(Field::treanhast), "");
    EXPECT_EQ(f.text(Field::fyranhast), "117");
    EXPECT_EQ(f.text(Field::femmanhast), "175");
    EXPECT_EQ(f.text(Field::sexanhast), "87,");
}

TEST(Speed, UnusableSharedValueClearsEverySpeedAndSaysWhich)
{
    struct Row
    {
        Field field;
        const char* text;
        Problem problem;
        const char* message;
    };
    const Row rows[] = {
        {Field::varv, "", Problem::Empty,
         "\"Max Varvtal\" är tomt. Fyll i ett tal och tryck på Beräkna igen."},
        {Field::varv, "11.5", Problem::NotANumber,
         "\"Max Varvtal\" är inte ett tal. Skriv ett tal med decimaltecknet \",\" och tryck på "
         "Beräkna igen."},
        {Field::primär, "0,000", Problem::Zero,
         "\"Primär utväxling\" får inte vara 0. Fyll i tänderna i \"Vevaxel\" och \"Koppling\", så "
         "räknas den ut, och tryck på Beräkna igen."},
        {Field::sekundär, "", Problem::Empty, nullptr},
        {Field::omkrets, "0", Problem::Zero, nullptr},
        {Field::omkrets, "x", Problem::NotANumber, nullptr},
    };
    for (const Row& row : rows) {
        FakeFields f = workedExample();
        for (Field speed : calc::gearSpeedFields)
            f.setText(speed, "12");
        f.setText(row.field, row.text);
        const auto failure = calc::beräknahast(f);
        ASSERT_TRUE(failure.has_value()) << row.text;
        EXPECT_EQ(failure->field, row.field);
        EXPECT_EQ(failure->problem, row.problem);
        for (Field speed : calc::gearSpeedFields)
            EXPECT_EQ(f.text(speed), "");
        if (row.message) {
            EXPECT_EQ(calc::failureMessage(*failure, ","), row.message);
        }
    }
    // The first unusable value in reading order is the one named.
    FakeFields f = workedExample();
    f.setText(Field::omkrets, "");
    f.setText(Field::varv, "");
    EXPECT_EQ(calc::beräknahast(f)->field, Field::varv);
}
