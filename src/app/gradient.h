#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// The main window's banded background: up to 100 bands whose colour changes
// by a fixed step from band to band. The band arithmetic lives here, free of
// any toolkit; the window supplies its sizes and the drawing of one box.
namespace app {

// One box to draw: two opposite corners in twips and a colour. The channels
// are always 0 to 255: from the second band on the working components are
// clamped anyway, and a start value outside that range draws the first band
// in the nearest limit.
struct GradientBox
{
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const GradientBox&) const = default;
};

// What PaintGradient needs of the window it paints on. The scale width and
// height are the client area's size in twips; width and height are the
// window's outer size in twips.
class GradientTarget
{
public:
    virtual ~GradientTarget() = default;
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;
    virtual double width() const = 0;
    virtual double height() const = 0;
    virtual void drawBox(const GradientBox& box) = 0;
};

// Direction 0 gives horizontal bands from top to bottom, each the window's
// full outer width; direction 1 gives vertical bands from left to right, each
// the window's full outer height; any other direction draws nothing.
//
// p, the band step and the colour components are 16-bit signed integers. An
// update that would leave that range is skipped (the value keeps its old
// value) and the procedure goes on with the next step; a box whose far corner
// would leave the range is not drawn. Nothing is kept between calls.
void PaintGradient(GradientTarget& window, std::int16_t direction, std::int16_t red,
                   std::int16_t green, std::int16_t blue, std::int16_t redStep,
                   std::int16_t greenStep, std::int16_t blueStep);

// The window's sizes in twips, for computing the bands without a window.
struct GradientExtent
{
    double scaleWidth = 0;
    double scaleHeight = 0;
    double width = 0;
    double height = 0;
};

// The boxes PaintGradient would draw on a window of the given sizes, in
// drawing order.
std::vector<GradientBox> gradientBoxes(const GradientExtent& extent, std::int16_t direction,
                                       std::int16_t red, std::int16_t green, std::int16_t blue,
                                       std::int16_t redStep, std::int16_t greenStep,
                                       std::int16_t blueStep);

// The rounding the band step uses: to the nearest whole number, halves to the
// even neighbour (4450.5 gives 4450, 4451.5 gives 4452), as a 16-bit integer.
// Nothing for a value that does not fit in 16 bits or is not a finite number.
std::optional<std::int16_t> roundHalfEven16(double value);

} // namespace app
