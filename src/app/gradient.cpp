#include "app/gradient.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace app {
namespace {

using Int16 = std::int16_t;
constexpr int int16Min = std::numeric_limits<Int16>::min();
constexpr int int16Max = std::numeric_limits<Int16>::max();

// value = value + delta in 16-bit arithmetic. When the sum does not fit, the
// update is skipped: value keeps what it had and false is returned.
bool add16(Int16& value, int delta)
{
    const int sum = value + delta;
    if (sum < int16Min || sum > int16Max) {
        return false;
    }
    value = static_cast<Int16>(sum);
    return true;
}

void clamp255(Int16& component)
{
    if (component > 255) {
        component = 255;
    }
    if (component < 0) {
        component = 0;
    }
}

int channel(Int16 component)
{
    return std::clamp<int>(component, 0, 255);
}

class ExtentTarget final : public GradientTarget
{
public:
    explicit ExtentTarget(const GradientExtent& extent) : m_extent(extent) {}

    double scaleWidth() const override { return m_extent.scaleWidth; }
    double scaleHeight() const override { return m_extent.scaleHeight; }
    double width() const override { return m_extent.width; }
    double height() const override { return m_extent.height; }
    void drawBox(const GradientBox& box) override { m_boxes.push_back(box); }

    std::vector<GradientBox> takeBoxes() { return std::move(m_boxes); }

private:
    GradientExtent m_extent;
    std::vector<GradientBox> m_boxes;
};

} // namespace

std::optional<Int16> roundHalfEven16(double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    if (whole < int16Min || whole > int16Max) {
        return std::nullopt;
    }
    return static_cast<Int16>(whole);
}

void PaintGradient(GradientTarget& window, Int16 direction, Int16 red, Int16 green, Int16 blue,
                   Int16 redStep, Int16 greenStep, Int16 blueStep)
{
    Int16 r = red;
    Int16 g = green;
    Int16 b = blue;

    // The band step is a hundredth of the client dimension the bands run
    // along. A dimension that does not round into 16 bits (beyond about
    // 32767 twips) makes this step fail; it is skipped and the step stays 0.
    Int16 s = 0;
    if (const auto rounded =
            roundHalfEven16(direction == 0 ? window.scaleHeight() : window.scaleWidth())) {
        s = static_cast<Int16>(*rounded / 100);
    }

    Int16 p = 0;
    for (int k = 1; k <= 100; ++k) {
        add16(p, 1);

        if (direction == 0 || direction == 1) {
            const double limit = direction == 0 ? window.scaleHeight() : window.scaleWidth();
            if (static_cast<double>(p) > limit) {
                return;
            }
            // The far edge p + s - 1, worked out left to right in 16 bits;
            // if that overflows, this band's drawing fails and is skipped.
            Int16 end = p;
            if (add16(end, s) && add16(end, -1)) {
                GradientBox box;
                if (direction == 0) {
                    box.x1 = 0;
                    box.y1 = p;
                    box.x2 = window.width();
                    box.y2 = end;
                } else {
                    box.x1 = p;
                    box.y1 = 0;
                    box.x2 = end;
                    box.y2 = window.height();
                }
                box.red = channel(r);
                box.green = channel(g);
                box.blue = channel(b);
                window.drawBox(box);
            }
        }

        add16(p, s);
        add16(r, redStep);
        add16(g, greenStep);
        add16(b, blueStep);
        clamp255(r);
        clamp255(g);
        clamp255(b);
    }
}

std::vector<GradientBox> gradientBoxes(const GradientExtent& extent, Int16 direction, Int16 red,
                                       Int16 green, Int16 blue, Int16 redStep, Int16 greenStep,
                                       Int16 blueStep)
{
    ExtentTarget target(extent);
    PaintGradient(target, direction, red, green, blue, redStep, greenStep, blueStep);
    return target.takeBoxes();
}

} // namespace app
