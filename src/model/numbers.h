// Number rules shared by every part of the program: rounding, number text and the numeric value of a text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plintova {

// Round(x, n): the decimal with n places nearest to the exact binary value of x; only an exact tie
// goes to the even neighbour. Round(4.35, 1) is 4.3 because the double 4.35 lies just below 4.35,
// while Round(0.25, 1) is 0.2. n may be 0 (whole numbers) up to 15.
double roundTo(double x, int n);

// Round(x, n) stored in single precision, as every rounded quantity of the model is.
inline float roundToSingle(double x, int n) { return static_cast<float>(roundTo(x, n)); }

// Whole-number conversion with halves to even (150.5 -> 150, 151.5 -> 152).
double roundWhole(double x);

// Whole-number conversion into a range: empty when the rounded value does not fit, so that a caller
// can refuse an absurd value instead of overflowing.
std::optional<int32_t> toInt32(double x);
std::optional<int16_t> toInt16(double x);

// Number text in general format: at most seven significant digits, the shortest such text, no leading
// blank, no trailing zeros, no point for whole numbers, a zero before the point (0.34, 137.8, 1360).
// Very small or large magnitudes use an exponent ("1E-06", "1.5E+07").
std::string numberText(double v);

// Numeric value of a text: leading blanks skipped, an optional sign, digits, an optional decimal point
// with digits and an optional exponent ("E" or "D" with optional sign and digits); blanks inside the
// number are ignored, the first other character ends it, and a text without digits gives 0.
// The result is always finite (an overflowing exponent saturates at the largest double).
double numericValue(std::string_view text);

// Whether a text as a whole is a number: optional blanks, sign, digits with at most one decimal point,
// an optional exponent, optional blanks. This is the test that text boxes and dialog entries pass.
bool isNumeric(std::string_view text);

}  // namespace plintova
