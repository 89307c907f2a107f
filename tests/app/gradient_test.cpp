#include "app/gradient.h"

#include <gtest/gtest.h>

constexpr double wide = 4575, high = 8430; // the outer size, unlike any client size

// Band k runs from p = 1 + (k - 1)(s + 1) to p + s - 1 in (99 + k, 0, 256 - k), across the whole
// outer size; s is a hundredth of the rounded client size along the bands (0 past 16 bits). A pass
// stops once p is beyond the unrounded size; a band whose far edge leaves 16 bits is not drawn.
TEST(Gradient, Bands)
{
    const struct
    {
        std::int16_t direction;
        double width, height;
        int step, bands;
    } rows[] = {{1, 4499.5, 7770, 45, 98},  {1, 4456, 7770, 44, 100},    {1, 4455.9, 7770, 44, 99},
                {1, 32767.5, 7770, 0, 100}, {1, 32767.4, 7770, 327, 99}, {0, 4455, 6585, 65, 100},
                {2, 4455, 6585, 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.direction << ": " << row.width << " x " << row.height);
        const auto boxes = app::gradientBoxes({row.width, row.height, wide, high}, row.direction,
                                              100, 0, 255, 1, 0, -1);
        ASSERT_EQ(boxes.size(), std::size_t(row.bands));
        for (int k = 1; k <= row.bands; ++k) {
            SCOPED_TRACE(testing::Message() << "band " << k);
            const double p = 1 + (k - 1) * (row.step + 1), q = p + row.step - 1;
            const app::GradientBox& box = boxes[k - 1];
            ASSERT_EQ((std::array{box.x1, box.y1, box.x2, box.y2}),
                      (row.direction ? std::array{p, 0.0, q, high} : std::array{0.0, p, wide, q}));
            ASSERT_EQ((std::array{box.red, box.green, box.blue}), (std::array{k + 99, 0, 256 - k}));
        }
    }
}

// A component driven past 255 or below 0 is held there from the next band on, each on its own.
TEST(Gradient, HoldsEachComponentAtItsLimits)
{
    const auto boxes =
        app::gradientBoxes({4455, 7770, wide, high}, 1, 300, -100, 270, -30, 60, -10);
    const std::array<int, 3> bands[] = {{255, 0, 255}, {255, 0, 255}, {225, 60, 245}};
    for (std::size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(testing::Message() << "band " << k + 1);
        EXPECT_EQ((std::array{boxes.at(k).red, boxes.at(k).green, boxes.at(k).blue}), bands[k]);
    }
}
