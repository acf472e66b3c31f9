#include "calculator/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace NumberText {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the longest number at the start of text (0 when there is none), and where
// its exponent starts (npos when it has none).
struct Span
{
    std::size_t length = 0;
    std::size_t exponentAt = std::string_view::npos;
};

Span scanNumber(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-')
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return {};
    Span span{i, std::string_view::npos};
    // An exponent counts only when it is complete: E, an optional sign, and digits.
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t firstDigit = j;
        while (j < text.size() && isDigit(text[j]))
            ++j;
        if (j > firstDigit)
            span = {j, i};
    }
    return span;
}

// Whether a number that the library reports out of range is too large (rather than
// too small): its first significant digit stands at or above the units place.
bool overflows(std::string_view number, std::size_t exponentAt)
{
    const std::string_view mantissa = number.substr(0, std::min(exponentAt, number.size()));
    long long exponent = 0;
    if (exponentAt != std::string_view::npos) {
        std::string_view e = number.substr(exponentAt + 1);
        const bool negative = !e.empty() && e.front() == '-';
        if (!e.empty() && (e.front() == '+' || e.front() == '-'))
            e.remove_prefix(1);
        for (char c : e) {
            exponent = std::min<long long>(exponent * 10 + (c - '0'), 1'000'000'000);
        }
        if (negative)
            exponent = -exponent;
    }
    // Decimal exponent of the first non-zero digit: the k-th digit (from 0) of a number
    // with n digits before the point stands at 10^(n - 1 - k).
    long long integerDigits = 0;
    long long digitIndex = 0;
    long long firstNonZero = -1;
    bool seenPoint = false;
    for (char c : mantissa) {
        if (c == '.') {
            seenPoint = true;
        } else if (isDigit(c)) {
            if (!seenPoint)
                ++integerDigits;
            if (c != '0' && firstNonZero < 0)
                firstNonZero = digitIndex;
            ++digitIndex;
        }
    }
    const long long magnitude = integerDigits - 1 - std::max<long long>(firstNonZero, 0);
    return magnitude + exponent >= 0;
}

Reading read(std::string_view number, std::size_t exponentAt)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (overflows(number, exponentAt))
            return {Reading::Kind::OutOfRange, 0.0};
        return {Reading::Kind::Number, 0.0};
    }
    if (error != std::errc() || end != number.data() + number.size())
        return {Reading::Kind::NotANumber, 0.0};
    return {Reading::Kind::Number, value};
}

} // namespace

std::string format(double value)
{
    if (value == 0.0)
        return "0";
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (error != std::errc())
        return "0";
    std::string text(buffer, end);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

Reading readStrict(std::string_view text)
{
    const Span span = scanNumber(text);
    if (span.length == 0 || span.length != text.size())
        return {Reading::Kind::NotANumber, 0.0};
    return read(text, span.exponentAt);
}

Reading readLenient(std::string_view text)
{
    const Span span = scanNumber(text);
    if (span.length == 0)
        return {Reading::Kind::Number, 0.0};
    return read(text.substr(0, span.length), span.exponentAt);
}

} // namespace NumberText
