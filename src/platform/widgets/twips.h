#pragma once

#include <QPoint>
#include <QRect>

// The window's layout is kept in twips, 1/1440 inch: 15 twips to a logical
// pixel at 96 dots per inch. This is the one place where twips become pixels.
namespace platform {

inline constexpr int twipsPerPixel = 15;

constexpr int toPixels(int twips)
{
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

constexpr double toPixelsF(double twips)
{
    return twips / twipsPerPixel;
}

inline QRect toPixels(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace platform
