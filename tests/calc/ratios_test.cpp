#include "fakefields.h"

#include <gtest/gtest.h>

using calc::Field;

namespace {

// Types a teeth count as the program assigns it: the change reaction runs inside.
FakeFields withTeeth(std::initializer_list<std::pair<Field, const char*>> teeth,
                     const char* separator = ",")
{
    FakeFields fields(separator);
    for (const auto& [field, text] : teeth)
        fields.setText(field, text);
    return fields;
}

} // namespace

TEST(Ratios, ReductionRoundedHalfUpToThreeDecimals)
{
    struct Row
    {
        const char* crank;
        const char* clutch;
        const char* expected;
    };
    const Row rows[] = {
        {"21", "65", "3,095"}, {"15", "46", "3,067"}, {"24", "60", "2,500"}, {"17", "17", "1,000"},
        {"1", "3", "3,000"},   {"3", "1", "0,333"},   {"1", "99", "99,00"},  {"14", "40", "2,857"},
    };
    for (const Row& row : rows) {
        FakeFields f = withTeeth({{Field::vev, row.crank}, {Field::koppling, row.clutch}});
        EXPECT_EQ(f.text(Field::primär), row.expected) << row.crank << "/" << row.clutch;
        FakeFields s = withTeeth({{Field::framdrev, row.crank}, {Field::bakdrev, row.clutch}});
        EXPECT_EQ(s.text(Field::sekundär), row.expected) << row.crank << "/" << row.clutch;
    }
    EXPECT_EQ(withTeeth({{Field::vev, "21"}, {Field::koppling, "65"}}, ".").text(Field::primär),
              "3.095");
}

TEST(Ratios, GuardsCompleteThePairInsideTheAssignment)
{
    // A fresh window: the first count typed completes the other with 1.
    FakeFields a = withTeeth({{Field::koppling, "2"}});
    EXPECT_EQ(a.text(Field::vev), "1");
    EXPECT_EQ(a.text(Field::primär), "2,000");

    FakeFields b = withTeeth({{Field::vev, "2"}});
    EXPECT_EQ(b.text(Field::koppling), "1");
    EXPECT_EQ(b.text(Field::primär), "0,500");

    FakeFields c = withTeeth({{Field::bakdrev, "2"}});
    EXPECT_EQ(c.text(Field::framdrev), "1");
    EXPECT_EQ(c.text(Field::sekundär), "2,000");

    FakeFields d = withTeeth({{Field::framdrev, "2"}});
    EXPECT_EQ(d.text(Field::bakdrev), "1");
    EXPECT_EQ(d.text(Field::sekundär), "0,500");

    // Emptying a count sets it to 1 at once and recomputes.
    FakeFields e = withTeeth({{Field::vev, "21"}, {Field::koppling, "65"}});
    e.setText(Field::vev, "");
    EXPECT_EQ(e.text(Field::vev), "1");
    EXPECT_EQ(e.text(Field::primär), "65,00");

    // Changing either field recomputes.
    e.setText(Field::vev, "21");
    EXPECT_EQ(e.text(Field::primär), "3,095");
    e.setText(Field::koppling, "42");
    EXPECT_EQ(e.text(Field::primär), "2,000");
}

TEST(Ratios, ZeroAndUnusableCountsBecomeOne)
{
    struct Row
    {
        Field field;
        const char* text;
        Field partner;
        const char* stays; // the text the field ends with
    };
    const Row rows[] = {
        {Field::vev, "0", Field::koppling, "1"},
        {Field::vev, "00", Field::koppling, "1"},
        {Field::koppling, "0", Field::vev, "1"},
        {Field::koppling, "00", Field::vev, "1"},
        {Field::framdrev, "0", Field::bakdrev, "1"},
        {Field::bakdrev, "0", Field::framdrev, "1"},
        // These would divide by zero or are no number at all.
        {Field::framdrev, "00", Field::bakdrev, "1"},
        {Field::vev, ",5", Field::koppling, "1"},
        {Field::vev, "a", Field::koppling, "1"},
        {Field::koppling, "-", Field::vev, "1"},
        {Field::vev, ".", Field::koppling, "1"},
        {Field::koppling, "x", Field::vev, "1"},
        // A rear sprocket count is divided by nothing: it stays.
        {Field::bakdrev, "00", Field::framdrev, "00"},
        {Field::bakdrev, "x", Field::framdrev, "x"},
    };
    for (const Row& row : rows) {
        FakeFields f;
        f.setText(row.partner, "10");
        f.setText(row.field, row.text);
        EXPECT_EQ(f.text(row.field), row.stays) << row.text;
        const Field reduction = (row.field == Field::vev || row.field == Field::koppling)
                                    ? Field::primär
                                    : Field::sekundär;
        EXPECT_FALSE(f.text(reduction).empty()) << row.text;
    }
    // A rear sprocket that reads as 0 gives q = 0.0005, cut to five characters.
    FakeFields x;
    x.setText(Field::framdrev, "14");
    x.setText(Field::bakdrev, "x");
    EXPECT_EQ(x.text(Field::sekundär), "0,000");
}

TEST(Ratios, ReductionFieldsHaveNoReactionOfTheirOwn)
{
    FakeFields f = withTeeth({{Field::vev, "24"}, {Field::koppling, "60"}});
    const int before = f.changes;
    f.setText(Field::primär, "9,999");
    f.setText(Field::sekundär, "8,888");
    EXPECT_EQ(f.changes, before + 2);
    EXPECT_EQ(f.text(Field::vev), "24");
    EXPECT_EQ(f.text(Field::koppling), "60");
    EXPECT_EQ(f.text(Field::primär), "9,999");
}
