#pragma once

#include <span>

// The five members' profile windows, described as data. Places are in twips.
namespace Profiles {

struct Line
{
    const char16_t* prefix;
    const char16_t* value;
};

struct Profile
{
    const char* windowName; // Form1 ... Form5
    const char16_t* member; // the caption
    int clientWidth;
    int clientHeight;
    const char* photo; // resource path of the 24-bit portrait
    int labelLeft;     // left edge of the label column
    int firstFactTop;
    std::span<const Line> facts;
    const char16_t* familyHeader; // spelt as the window spells it
    int familyTop;
    std::span<const Line> family; // Father, Mother, Brothers, Sisters
    int lineY;                    // the line under the family lines
    int lineLeft;
    int lineRight;
    int linkLeft; // the label that points to the full profile
    int linkTop;
    int linkWidth;
    int linkHeight;
    bool linkNamesMember; // "....view <member>'s complete profile ..." rather than "her"
    int okLeft;
    int okTop;
};

const Profile& fenna(); // Form1
const Profile& dova();  // Form2
const Profile& brisa(); // Form3
const Profile& caddo(); // Form4
const Profile& efri();  // Form5

} // namespace Profiles
