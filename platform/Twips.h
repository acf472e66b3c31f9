#pragma once

// Twips are the unit in which window descriptions and stored placements are stated:
// 1440 to the inch, 15 to the logical pixel at 96 dots per inch.
namespace Twips {

inline constexpr int PerPixel = 15;

constexpr int toPixels(int twips) { return twips / PerPixel; }
constexpr int fromPixels(int pixels) { return pixels * PerPixel; }

} // namespace Twips
