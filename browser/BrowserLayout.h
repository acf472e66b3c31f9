#pragma once

#include <optional>

// The browser window's resize arithmetic, in twips. The address box and the web view
// keep 50 twips to the left and right, the web view 100 under it; a size that would
// come out negative is left alone (the control keeps its previous size).
namespace BrowserLayout {

struct Sizes
{
    std::optional<int> addressWidth;
    std::optional<int> viewWidth;
    std::optional<int> viewHeight;
};

// innerWidth and innerHeight are the window's client area; addressPanelBottom is the
// top plus the height of the address panel.
constexpr Sizes compute(int innerWidth, int innerHeight, int addressPanelBottom)
{
    const int width = innerWidth - 100;
    const int height = innerHeight - addressPanelBottom - 100;
    Sizes sizes;
    if (width >= 0) {
        sizes.addressWidth = width;
        sizes.viewWidth = width;
    }
    if (height >= 0)
        sizes.viewHeight = height;
    return sizes;
}

// Where the load step puts the address box inside its panel: 50 from the left, 15
// under the label.
constexpr int addressLeft = 50;
constexpr int addressTop(int labelTop, int labelHeight)
{
    return labelTop + labelHeight + 15;
}

} // namespace BrowserLayout
