#pragma once

#include <QRect>
#include <cmath>

// Layout sizes are twips: 15 twips make one pixel at 96 dpi.
namespace ui::twips {

constexpr int perPixel = 15;

constexpr int toPixels(int twips)
{
    // Rounded to the nearest pixel, halves away from zero.
    return twips >= 0 ? (twips + perPixel / 2) / perPixel : -((-twips + perPixel / 2) / perPixel);
}
constexpr int fromPixels(int pixels)
{
    return pixels * perPixel;
}

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace ui::twips
