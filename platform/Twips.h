#pragma once

#include <QRect>

// Twips are the unit in which window descriptions and stored placements are stated:
// 1440 to the inch, 15 to the logical pixel at 96 dots per inch.
namespace Twips {

inline constexpr int PerPixel = 15;

constexpr int toPixels(int twips)
{
    return twips / PerPixel;
}
constexpr int fromPixels(int pixels)
{
    return pixels * PerPixel;
}

// A rectangle stated in twips (left, top, width, height), in pixels.
constexpr QRect rect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace Twips
