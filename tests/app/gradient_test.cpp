#include "app/gradient.h"

#include <gtest/gtest.h>

#include <cmath>

using app::GradientBox;

constexpr double outerWidth = 4575, outerHeight = 8430; // unlike any client size

TEST(Gradient, RoundsHalvesToEvenWithin16Bits)
{
    const std::pair<double, std::optional<int>> rows[] = {{4455, 4455}, {4450.5, 4450},
        {4451.5, 4452}, {4450.4999, 4450}, {4450.5001, 4451}, {0.5, 0}, {1.5, 2}, {-0.5, 0},
        {-2.5, -2}, {-3.5, -4}, {32767.4, 32767}, {32766.5, 32766}, {-32768.5, -32768},
        {32767.5, {}}, {-32768.6, {}}, {3e6, {}}, {INFINITY, {}}, {-INFINITY, {}}, {NAN, {}}};
    for (const auto& [value, rounded] : rows)
        EXPECT_EQ(app::roundHalfEven16(value), rounded) << value;
}

// With the paint event's colours band k starts at p = 1 + (k - 1)(s + 1), runs to p + s - 1
// and has the colour (100 + k - 1, 0, 255 - k + 1); s is a hundredth of the rounded client
// dimension the bands run along, or 0 where that does not round into 16 bits.
TEST(Gradient, Bands)
{
    const std::tuple<std::int16_t, double, double, int, int> rows[] = {
        // direction, scale width and height, step, bands
        {1, 4455, 7770, 44, 99},     // the main window: the 100th pass finds 4456 > 4455
        {1, 9999, 7770, 99, 100},    // the 100th band ends at 9999
        {1, 4500, 7770, 45, 98},     // the last band reaches beyond the edge
        {1, 4499.5, 7770, 45, 98},   // rounds to 4500; the stop test uses 4499.5 itself
        {1, 4456, 7770, 44, 100},    // 4456 > 4456 is false: one band more
        {1, 4455.9, 7770, 44, 99},   // rounds to 4456, but 4456 > 4455.9 stops
        {1, 99.5, 7770, 1, 50},      // rounds to 100
        {1, 32767.4, 7770, 327, 99}, // the 100th band's far edge leaves 16 bits: not drawn
        // Step 0: every pass advances p by one and draws a box from p to p - 1.
        {1, 99.4, 7770, 0, 99}, {1, 0.5, 7770, 0, 0}, {1, 32767.5, 7770, 0, 100}, {1, 1e12, 7770, 0, 100},
        // Horizontal bands of the full outer width; step and stop test use the scale height.
        {0, 4455, 6585, 65, 100}, {0, 4455, 6534, 65, 99}, // 1 + 99 * 66 = 6535 > 6534
        {2, 4455, 6585, 0, 0}, {-1, 4455, 6585, 0, 0}, {-32768, 4455, 6585, 0, 0}}; // no others
    for (const auto& [direction, width, height, step, bands] : rows) {
        const auto boxes = app::gradientBoxes({width, height, outerWidth, outerHeight}, direction,
                                              100, 0, 255, 1, 0, -1);
        ASSERT_EQ(boxes.size(), std::size_t(bands)) << direction << ", " << width << " x " << height;
        for (int k = 1; k <= bands; ++k) {
            const double p = 1 + (k - 1) * (step + 1), end = p + step - 1;
            const GradientBox band = direction == 0 ? GradientBox{0, p, outerWidth, end, 99 + k, 0, 256 - k}
                                                    : GradientBox{p, 0, end, outerHeight, 99 + k, 0, 256 - k};
            ASSERT_EQ(boxes[k - 1], band) << direction << ", " << width << " x " << height << ", band " << k;
        }
    }
}

// A component driven past 255 or below 0 is held there from the next band on; an update that
// would leave 16 bits is skipped while the others go on. Each row runs in each channel while
// the other two step by +1.
TEST(Gradient, ClampsAndSkipsEachComponentOnItsOwn)
{
    const std::tuple<std::int16_t, std::int16_t, std::vector<int>> rows[] = {
        {250, 10, {250, 255, 255, 255}}, {5, -10, {5, 0, 0, 0}}, {254, 1, {254, 255, 255}},
        {1, -1, {1, 0, 0}}, {128, -100, {128, 28, 0, 0}}, {100, 32767, {100, 100, 100}},
        {0, 32767, {0, 255, 255, 255}}, // then 255 + 32767 overflows: stays 255
        {255, -32768, {255, 0, 0, 0}},  // 255 - 32768 fits: clamped to 0
        {300, 0, {255, 255}}, {-32768, -1, {0, 0, 0}}};
    for (const auto& [first, step, channel] : rows) {
        for (int which = 0; which < 3; ++which) {
            std::int16_t start[3] = {40, 80, 120}, steps[3] = {1, 1, 1};
            start[which] = first;
            steps[which] = step;
            const auto boxes = app::gradientBoxes({4455, 7770, outerWidth, outerHeight}, 1, start[0],
                                                  start[1], start[2], steps[0], steps[1], steps[2]);
            ASSERT_EQ(boxes.size(), 99u);
            for (std::size_t k = 0; k < channel.size(); ++k) {
                const int rgb[3] = {boxes[k].red, boxes[k].green, boxes[k].blue};
                for (int i = 0; i < 3; ++i)
                    EXPECT_EQ(rgb[i], i == which ? channel[k] : start[i] + int(k))
                        << first << " by " << step << ", channel " << which << ", band " << k + 1;
            }
        }
    }
}

TEST(Gradient, EachPaintStartsAfreshFromTheWindowsSizes)
{
    struct Window final : app::GradientTarget
    {
        double clientWidth = 0;
        std::vector<GradientBox> drawn;
        double scaleWidth() const override { return clientWidth; }
        double scaleHeight() const override { return 7770; }
        double width() const override { return outerWidth; }
        double height() const override { return outerHeight; }
        void drawBox(const GradientBox& box) override { drawn.push_back(box); }
    } window;
    for (const double width : {4455.0, 9999.0, 4455.0}) {
        window.clientWidth = width;
        window.drawn.clear();
        app::PaintGradient(window, 1, 100, 0, 255, 1, 0, -1);
        EXPECT_EQ(window.drawn, app::gradientBoxes({width, 7770, outerWidth, outerHeight}, 1, 100, 0, 255, 1, 0, -1));
    }
}
