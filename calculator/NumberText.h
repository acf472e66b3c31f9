#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between readout texts and numbers, independent of the process locale:
// "." is always the decimal separator.
namespace NumberText {

// The shortest form with at most 15 significant digits: trailing zeros of the fraction
// dropped, no point when whole, exponent form (1E+15, 1.5E-07) when the decimal exponent
// is below -4 or at least 15. Zero never shows a sign.
std::string format(double value);

// The outcome of reading a text as a number.
struct Reading
{
    enum class Kind { Number, NotANumber, OutOfRange };
    Kind kind = Kind::NotANumber;
    double value = 0.0;

    bool isNumber() const { return kind == Kind::Number; }
};

// The whole text must be a number: an optional "-", digits, an optional "." with
// optional digits, and an optional exponent ("5.", "-0.", "0.05", "1E+15"). A magnitude
// too small for a double reads as zero; one too large is OutOfRange.
Reading readStrict(std::string_view text);

// The number at the start of the text; whatever follows it is ignored, and a text that
// does not begin with a number reads as 0. The reading can still be OutOfRange.
Reading readLenient(std::string_view text);

} // namespace NumberText
