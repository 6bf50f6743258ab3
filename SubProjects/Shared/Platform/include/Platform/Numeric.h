#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace Platform {

// The one place where texts typed or parsed by users become numbers, so every
// caller agrees on what "numeric" means and how values are rounded.

// Whether a text reads as a number: optional surrounding spaces, an optional
// sign, decimal digits with at most one decimal point (at least one digit), and
// an optional exponent ("1e3"). "7a", "", "." and "-" are not numeric.
bool IsNumeric(std::string_view text);

// The value of a numeric text, or nothing when it is not numeric.
std::optional<double> NumericValue(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -0.5 -> 0), the conversion every 16-bit field uses.
double RoundHalfEven(double value);

// A value rounded half to even as a 16-bit integer; nothing when it falls
// outside -32768 to 32767 (the caller reports an overflow).
std::optional<std::int16_t> ToInt16(double value);

// A numeric text as a 16-bit integer (rounded half to even); nothing when the
// text is not numeric or its value is out of range.
std::optional<std::int16_t> TextToInt16(std::string_view text);

} // namespace Platform
