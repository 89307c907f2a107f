#include "app/gradient.h"
#include <gtest/gtest.h>
#include <cmath>

using app::GradientBox, app::gradientBoxes;
constexpr double wide = 4575, high = 8430; // the outer size, unlike any client size
// Halves go to the even neighbour; a value outside 16 bits has no rounding.
TEST(Gradient, RoundsHalvesToEvenWithin16Bits)
{
    for (auto [value, rounded] : {std::pair<double, std::optional<int>>{4455, 4455}, {4450.5, 4450},
             {4451.5, 4452}, {4450.4999, 4450}, {4450.5001, 4451}, {-0.5, 0}, {-2.5, -2},
             {-3.5, -4}, {32767.4, 32767}, {32766.5, 32766}, {-32768.5, -32768}, {32767.5, {}},
             {-32768.6, {}}, {INFINITY, {}}, {NAN, {}}})
        EXPECT_EQ(app::roundHalfEven16(value), rounded) << value;
}
// Band k runs from p = 1 + (k - 1)(s + 1) to p + s - 1 in (99 + k, 0, 256 - k); s is a hundredth
// of the rounded client size along the bands (0 past 16 bits); a pass stops once p is beyond the
// unrounded size, and a band whose far edge leaves 16 bits is not drawn.
TEST(Gradient, Bands)
{
    const std::tuple<std::int16_t, double, double, int, int> rows[] = { // direction, w, h, s, bands
        {1, 4455, 7770, 44, 99}, {1, 9999, 7770, 99, 100}, {1, 4500, 7770, 45, 98},
        {1, 4499.5, 7770, 45, 98}, {1, 4456, 7770, 44, 100}, {1, 4455.9, 7770, 44, 99},
        {1, 99.5, 7770, 1, 50}, {1, 32767.4, 7770, 327, 99}, {1, 99.4, 7770, 0, 99},
        {1, 0.5, 7770, 0, 0}, {1, 32767.5, 7770, 0, 100}, {0, 4455, 6585, 65, 100},
        {0, 4455, 6534, 65, 99}, {2, 4455, 6585, 0, 0}, {-32768, 4455, 6585, 0, 0}};
    for (const auto& [direction, width, height, step, bands] : rows) {
        const auto boxes = gradientBoxes({width, height, wide, high}, direction, 100, 0, 255, 1, 0,
                                         -1);
        ASSERT_EQ(boxes.size(), std::size_t(bands)) << direction << ", " << width << "x" << height;
        for (int k = 1; k <= bands; ++k) {
            const double p = 1 + (k - 1) * (step + 1), q = p + step - 1;
            ASSERT_EQ(boxes[k - 1], (direction ? GradientBox{p, 0, q, high, k + 99, 0, 256 - k}
                                               : GradientBox{0, p, wide, q, k + 99, 0, 256 - k}))
                << direction << ", " << width << " x " << height << ", band " << k;
        }
    }
}
// A component driven past 255 or below 0 is held there from the next band on; an update leaving
// 16 bits is skipped. Each channel on its own: the first row clamps, the second skips.
TEST(Gradient, ClampsAndSkipsEachComponentOnItsOwn)
{
    for (auto [start, step, seen] : {std::tuple<std::array<std::int16_t, 3>,
             std::array<std::int16_t, 3>, std::string>{{250, -100, 0}, {10, 60, 32767},
             "250,0,0 255,0,255 255,60,255 "}, {{300, -32768, 100}, {-30, -1, 32767},
             "255,0,100 255,0,100 225,0,100 "}}) {
        const auto boxes = gradientBoxes({4455, 7770, wide, high}, 1, start[0], start[1], start[2],
                                         step[0], step[1], step[2]);
        std::string bands;
        for (std::size_t k = 0; k < 3; ++k)
            bands += std::to_string(boxes.at(k).red) + "," + std::to_string(boxes[k].green) + ","
                     + std::to_string(boxes[k].blue) + " ";
        EXPECT_EQ(bands, seen) << start[0] << "," << start[1] << "," << start[2];
    }
}
