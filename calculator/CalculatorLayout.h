#pragma once

#include <QString>

#include <span>

// The calculator window's fixed description: every key and label with its caption,
// place (twips: left, top, width, height within the client area), tab index and tooltip,
// and the menus. Window code builds the controls from these tables.
namespace CalculatorLayout {

inline constexpr int ClientWidth = 6855;  // twips
inline constexpr int ClientHeight = 5505; // twips

enum class Group { Number, Operator, Single };

struct Key
{
    const char16_t* name;    // object name, the control's name
    Group group;             // the control array it belongs to
    int index;               // its index there (-1 for a single control)
    const char16_t* caption;
    int left, top, width, height;
    int tabIndex;
    const char16_t* tooltip;
};

struct Label
{
    const char16_t* name;
    const char16_t* caption;
    int left, top, width, height;
    const char16_t* tooltip; // empty for none
};

struct MenuItem
{
    const char16_t* menu;    // the menu's object name
    const char16_t* menuCaption;
    const char16_t* name;    // the item's object name
    const char16_t* caption; // "-" for a separator
};

std::span<const Key> keys();
Label readout();
Label label1();
Label image1();
std::span<const MenuItem> menuItems();

} // namespace CalculatorLayout
