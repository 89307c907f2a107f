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
    } rows[] = {{1, 4455, 7770, 44, 99},  {1, 9999, 7770, 99, 100},   {1, 4499.5, 7770, 45, 98},
                {1, 4456, 7770, 44, 100}, {1, 4455.9, 7770, 44, 99},  {1, 99.4, 7770, 0, 99},
                {1, 99.5, 7770, 1, 50},   {1, 32767.5, 7770, 0, 100}, {1, 32767.4, 7770, 327, 99},
                {0, 4455, 6585, 65, 100}, {0, 4455, 6534, 65, 99},    {2, 4455, 6585, 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << "direction " << row.direction << ", " << row.width << " x " << row.height);
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

// A component driven past 255 or below 0 is held there from the next band on, each channel on its
// own; an update that would leave 16 bits is skipped.
TEST(Gradient, ClampsAndSkipsEachComponentOnItsOwn)
{
    const struct
    {
        std::string name;
        int channel;
        std::int16_t start, step;
        std::array<int, 3> bands;
    } rows[] = {{"red held at 255", 0, 300, -30, {255, 255, 225}},
                {"green held at 0", 1, -100, 60, {0, 0, 60}},
                {"blue held at 255", 2, 270, -10, {255, 255, 245}},
                {"red skipped", 0, 100, 32767, {100, 100, 100}}};
    for (const auto& row : rows) {
        std::array<std::int16_t, 3> start{}, step{};
        start[row.channel] = row.start;
        step[row.channel] = row.step;
        const auto boxes = app::gradientBoxes({4455, 7770, wide, high}, 1, start[0], start[1],
                                              start[2], step[0], step[1], step[2]);
        for (std::size_t k = 0; k < 3; ++k) {
            SCOPED_TRACE(testing::Message() << row.name << ", band " << k + 1);
            std::array<int, 3> colour{};
            colour[row.channel] = row.bands[k];
            EXPECT_EQ((std::array{boxes.at(k).red, boxes.at(k).green, boxes.at(k).blue}), colour);
        }
    }
}
