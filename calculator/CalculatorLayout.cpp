#include "calculator/CalculatorLayout.h"

namespace CalculatorLayout {
namespace {

// Five columns (a wider gap between the digits and the operators), four rows.
constexpr int C1 = 120, C2 = 720, C3 = 1320, C4 = 2040, C5 = 2640;
constexpr int R1 = 600, R2 = 1200, R3 = 1800, R4 = 2400;
constexpr int K = 480;

constexpr Key Keys[] = {
    {u"Number", Group::Number, 7, u"7", C1, R1, K, K, 7, u"Seven"},
    {u"Number", Group::Number, 8, u"8", C2, R1, K, K, 8, u"Eight"},
    {u"Number", Group::Number, 9, u"9", C3, R1, K, K, 9, u"Nine"},
    {u"Cancel", Group::Single, -1, u"C", C4, R1, K, K, 10, u"Reset"},
    {u"CancelEntry", Group::Single, -1, u"CE", C5, R1, K, K, 11, u"Back To Normal"},
    {u"Number", Group::Number, 4, u"4", C1, R2, K, K, 4, u"Four"},
    {u"Number", Group::Number, 5, u"5", C2, R2, K, K, 5, u"Five"},
    {u"Number", Group::Number, 6, u"6", C3, R2, K, K, 6, u"Six"},
    {u"Operator", Group::Operator, 1, u"+", C4, R2, K, K, 12, u"Plus"},
    {u"Operator", Group::Operator, 3, u"-", C5, R2, K, K, 13, u"Minus"},
    {u"Number", Group::Number, 1, u"1", C1, R3, K, K, 1, u"One"},
    {u"Number", Group::Number, 2, u"2", C2, R3, K, K, 2, u"Two"},
    {u"Number", Group::Number, 3, u"3", C3, R3, K, K, 3, u"Three"},
    {u"Operator", Group::Operator, 2, u"X", C4, R3, K, K, 14, u"Multiply"},
    {u"Operator", Group::Operator, 0, u"/", C5, R3, K, K, 15, u"Divide"},
    {u"Number", Group::Number, 0, u"0", C1, R4, 1080, K, 0, u"Zero"},
    {u"Decimal", Group::Single, -1, u".", C3, R4, K, K, 18, u"Decimal (Point)"},
    {u"Operator", Group::Operator, 4, u"=", C4, R4, K, K, 16, u"Calculate"},
    {u"Percent", Group::Single, -1, u"%", C5, R4, K, K, 17, u"Percent"},
};

constexpr MenuItem MenuItems[] = {
    {u"File", u"File", u"mnuFileBrowser", u"Ardel's Corvel Universe"},
    {u"File", u"File", u"mnuFileExit", u"Exit"},
    {u"mnuNb", u"Nimbrel", u"mnuNbFenna", u"Fenna"},
    {u"mnuNb", u"Nimbrel", u"mnuNbBrisa", u"Brisa"},
    {u"mnuNb", u"Nimbrel", u"mnuNbEfri", u"Efri"},
    {u"mnuNb", u"Nimbrel", u"mnuNbDova", u"Dova"},
    {u"mnuNb", u"Nimbrel", u"mnuFileBar0", u"-"},
    {u"mnuNb", u"Nimbrel", u"mnuNbCaddo", u"Caddo"},
    {u"mnuHelp", u"Help", u"mnuHelpTopics", u"Help Topics"},
    {u"mnuHelp", u"Help", u"mnuFileBar1", u"-"},
    {u"mnuHelp", u"Help", u"Ardel", u"About"},
};

} // namespace

std::span<const Key> keys() { return Keys; }

Label readout() { return {u"Readout", u"0.", 120, 120, 3000, 375, u""}; }

Label label1()
{
    return {u"Label1", u"Ardel's Corvel Calculator", 120, 3000, 2295, 615,
            u"Visit Ardel's Corvel Universe for more donloads and softwares"};
}

Label image1() { return {u"Image1", u"", 3240, 120, 3465, 5250, u"Over"}; }

std::span<const MenuItem> menuItems() { return MenuItems; }

} // namespace CalculatorLayout
