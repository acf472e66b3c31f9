#pragma once

#include <algorithm>
#include <array>

// The zoom levels Ctrl+plus and Ctrl+minus step through, as browsers offer them.
namespace ZoomSteps {

inline constexpr std::array<double, 17> levels
    = {0.25, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0, 5.0};

// The next level above current (direction > 0) or below it (direction < 0); current
// when there is none. A factor between two levels steps to the nearer one that way.
constexpr double next(double current, int direction)
{
    constexpr double tolerance = 0.001;
    if (direction > 0) {
        const auto above
            = std::find_if(levels.begin(), levels.end(), [&](double l) { return l > current + tolerance; });
        return above == levels.end() ? current : *above;
    }
    const auto below = std::find_if(levels.rbegin(), levels.rend(), [&](double l) { return l < current - tolerance; });
    return below == levels.rend() ? current : *below;
}

} // namespace ZoomSteps
