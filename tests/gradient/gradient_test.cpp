#include "gradient.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using app::GradientBox;
using app::gradientBoxes;
using app::GradientExtent;

// Outer size of the main window in twips; deliberately unlike the client size,
// so that a box taking the wrong one shows.
constexpr double outerWidth = 4575;
constexpr double outerHeight = 8430;

GradientExtent window(double scaleWidth, double scaleHeight = 7770)
{
    return {scaleWidth, scaleHeight, outerWidth, outerHeight};
}

// The paint event's arguments: vertical bands from (100, 0, 255) by (+1, 0, -1).
std::vector<GradientBox> paintEventBoxes(double scaleWidth)
{
    return gradientBoxes(window(scaleWidth), 1, 100, 0, 255, 1, 0, -1);
}

std::string describe(double value)
{
    return "scale dimension " + std::to_string(value);
}

TEST(Gradient, RoundsHalvesToEvenWithin16Bits)
{
    struct Case
    {
        double value;
        std::optional<std::int16_t> expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {4455, 4455},
        {4450.5, 4450},
        {4451.5, 4452},
        {4450.4999, 4450},
        {4450.5001, 4451},
        {0.5, 0},
        {1.5, 2},
        {-0.5, 0},
        {-2.5, -2},
        {-3.5, -4},
        {32767.4, 32767},
        {32766.5, 32766},
        {32767.5, std::nullopt}, // rounds to 32768
        {-32768.5, -32768},
        {-32768.6, std::nullopt},
        {3000000, std::nullopt},
        {nan, std::nullopt},
        {inf, std::nullopt},
        {-inf, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::roundHalfEven16(c.value), c.expected) << describe(c.value);
    }
}

// With the paint event's arguments band k starts at 1 + (k - 1)(s + 1), is s
// units wide and has the colour (100 + k - 1, 0, 255 - k + 1).
TEST(Gradient, PaintEventBands)
{
    struct Case
    {
        double scaleWidth;
        int step;
        int bands;
        double lastEnd;
    };
    const Case cases[] = {
        {4455, 44, 99, 4454}, // the main window: the 100th pass finds 4456 > 4455
        {9999, 99, 100, 9999},
        {4500, 45, 98, 4507},   // the last band reaches beyond the edge
        {4499.5, 45, 98, 4507}, // rounds to 4500; the stop test uses 4499.5 itself
        {4456, 44, 100, 4499},  // 4456 > 4456 is false: one band more
        {4455.9, 44, 99, 4454}, // rounds to 4456, but 4456 > 4455.9 stops
        {99.5, 1, 50, 99},      // rounds to 100: s = 1, bands at 1, 3, ..., 99
        {150, 1, 75, 149},
        // s = 327: the 100th band's far edge 32473 + 327 - 1 overflows 16 bits,
        // so that box is not drawn.
        {32766, 327, 99, 32471},
        {32767.4, 327, 99, 32471},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c.scaleWidth));
        const auto boxes = paintEventBoxes(c.scaleWidth);
        ASSERT_EQ(static_cast<int>(boxes.size()), c.bands);
        for (int k = 1; k <= c.bands; ++k) {
            const double p = 1 + (k - 1) * (c.step + 1);
            const GradientBox expected{p,           0, p + c.step - 1, outerHeight,
                                       100 + k - 1, 0, 255 - k + 1};
            ASSERT_EQ(boxes[k - 1], expected) << "band " << k;
        }
        EXPECT_EQ(boxes.back().x2, c.lastEnd);
    }

    const auto main = paintEventBoxes(4455);
    EXPECT_EQ(main.front(), (GradientBox{1, 0, 44, outerHeight, 100, 0, 255}));
    EXPECT_EQ(main.back(), (GradientBox{4411, 0, 4454, outerHeight, 198, 0, 157}));
}

// Below 100 units, and where the dimension does not round into 16 bits, the
// step is 0: every pass advances p by one and draws a box from p to p - 1.
TEST(Gradient, ZeroStep)
{
    struct Case
    {
        double scaleWidth;
        int boxes;
    };
    const Case cases[] = {
        {50, 50},  {99.4, 99},     {1, 1},         {0.5, 0},    {0, 0},
        {-150, 0}, {32767.5, 100}, {3000000, 100}, {1e12, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c.scaleWidth));
        const auto boxes = paintEventBoxes(c.scaleWidth);
        ASSERT_EQ(static_cast<int>(boxes.size()), c.boxes);
        for (int k = 1; k <= c.boxes; ++k) {
            const GradientBox expected{double(k),   0, double(k - 1), outerHeight,
                                       100 + k - 1, 0, 255 - k + 1};
            ASSERT_EQ(boxes[k - 1], expected) << "pass " << k;
        }
    }
}

TEST(Gradient, DirectionZeroGivesHorizontalBandsOfFullWidth)
{
    // The step comes from the scale height 6585 (s = 65), not the width.
    const auto boxes = gradientBoxes(window(4455, 6585), 0, 100, 0, 255, 1, 0, -1);
    ASSERT_EQ(boxes.size(), 100u);
    for (int k = 1; k <= 100; ++k) {
        const double p = 1 + (k - 1) * 66;
        const GradientBox expected{0, p, outerWidth, p + 64, 100 + k - 1, 0, 255 - k + 1};
        ASSERT_EQ(boxes[k - 1], expected) << "band " << k;
    }

    // The stop test compares with the scale height too: 1 + 99 * 66 = 6535 > 6534.
    EXPECT_EQ(gradientBoxes(window(4455, 6534), 0, 100, 0, 255, 1, 0, -1).size(), 99u);
}

TEST(Gradient, UnknownDirectionDrawsNothing)
{
    for (const std::int16_t direction : {2, -1, 100, 32767, -32768}) {
        EXPECT_TRUE(gradientBoxes(window(4455, 6585), direction, 100, 0, 255, 1, 0, -1).empty())
            << "direction " << direction;
    }
}

// A component driven past 255 or below 0 is held there from the next band on.
// Each case runs in each of the three channels; the other two stay put.
TEST(Gradient, ClampsEachComponentFromTheNextBand)
{
    struct Case
    {
        std::int16_t start;
        std::int16_t step;
        std::vector<int> channel; // bands 1, 2, ...
    };
    const Case cases[] = {
        {250, 10, {250, 255, 255, 255}},
        {5, -10, {5, 0, 0, 0}},
        {254, 1, {254, 255, 255}},
        {1, -1, {1, 0, 0}},
        {0, 32767, {0, 255, 255, 255}}, // 255 + 32767 overflows: skipped, stays 255
        {255, -32768, {255, 0, 0, 0}},  // 0 - 32768 fits: clamped to 0
        {300, 0, {255, 255}},           // out of range at the start
        {-32768, -1, {0, 0, 0}},        // -32768 - 1 overflows, then clamps to 0
        {128, -100, {128, 28, 0, 0}},
    };
    for (const Case& c : cases) {
        for (int which = 0; which < 3; ++which) {
            SCOPED_TRACE("start " + std::to_string(c.start) + " step " + std::to_string(c.step) +
                         " channel " + std::to_string(which));
            std::int16_t start[3] = {40, 80, 120};
            std::int16_t step[3] = {0, 0, 0};
            start[which] = c.start;
            step[which] = c.step;
            const auto boxes = gradientBoxes(window(4455), 1, start[0], start[1], start[2], step[0],
                                             step[1], step[2]);
            ASSERT_EQ(boxes.size(), 99u);
            for (std::size_t k = 0; k < c.channel.size(); ++k) {
                const int rgb[3] = {boxes[k].red, boxes[k].green, boxes[k].blue};
                for (int i = 0; i < 3; ++i) {
                    EXPECT_EQ(rgb[i], i == which ? c.channel[k] : start[i]) << "band " << k + 1;
                }
            }
        }
    }
}

TEST(Gradient, OverflowingComponentUpdateIsSkippedAndTheRestGoesOn)
{
    // 100 + 32767 never fits: red stays 100 in every band, while green and
    // blue go on stepping.
    const auto boxes = gradientBoxes(window(4455), 1, 100, 0, 255, 32767, 1, -1);
    ASSERT_EQ(boxes.size(), 99u);
    for (int k = 1; k <= 99; ++k) {
        const double p = 1 + (k - 1) * 45;
        const GradientBox expected{p, 0, p + 43, outerHeight, 100, k - 1, 255 - k + 1};
        ASSERT_EQ(boxes[k - 1], expected) << "band " << k;
    }
}

// Every width gets bands up to within 100 units of its right edge or beyond.
TEST(Gradient, BandsSpanTheWholeWidth)
{
    for (int width = 100; width <= 32000; width += 7) {
        const auto boxes = paintEventBoxes(width);
        ASSERT_FALSE(boxes.empty()) << width;
        EXPECT_GE(boxes.back().x2, width - 100) << width;
        EXPECT_LE(boxes.back().x1, width) << width;
        EXPECT_LE(boxes.size(), 100u) << width;
    }
}

// A window that reports its sizes and collects what is drawn on it.
class RecordingWindow final : public app::GradientTarget
{
public:
    double clientWidth = 4455;

    double scaleWidth() const override { return clientWidth; }
    double scaleHeight() const override { return 6585; }
    double width() const override { return outerWidth; }
    double height() const override { return outerHeight; }
    void drawBox(const GradientBox& box) override { drawn.push_back(box); }

    std::vector<GradientBox> drawn;
};

TEST(Gradient, EachCallStartsAfresh)
{
    RecordingWindow target;
    app::PaintGradient(target, 1, 100, 0, 255, 1, 0, -1);
    const auto first = target.drawn;
    target.drawn.clear();
    app::PaintGradient(target, 1, 100, 0, 255, 1, 0, -1);
    EXPECT_EQ(target.drawn, first);
    EXPECT_EQ(first, paintEventBoxes(4455));

    // A wider client area on the next paint gives that width's bands.
    target.clientWidth = 9999;
    target.drawn.clear();
    app::PaintGradient(target, 1, 100, 0, 255, 1, 0, -1);
    EXPECT_EQ(target.drawn, paintEventBoxes(9999));
    EXPECT_EQ(target.drawn.size(), 100u);
}

} // namespace
