// The two ways in which readNumber and displayResult get their answer: a
// short way for the common case and the full way that defines the rule. The
// public functions in number_text.h take the short way when it applies and
// the full way otherwise; both are declared here so that tests can check,
// value by value, that the short way gives the very same answer, and so that
// benchmarks can time each.
#pragma once

#include <optional>
#include <string_view>

#include "textrules/number_text.h"

namespace dravik::text::paths {

// The full text-to-number rule, for any text.
double readNumberFull(std::string_view text);

// A text of 1 to 15 ASCII digits and nothing else (no blank, sign, point or
// exponent) read as an integer; nullopt for any other text. Fifteen digits
// stay below 2^53, so the integer is the double the full rule reads.
std::optional<double> readPlainInteger(std::string_view text);

// The full result display rule for a finite x: the 15-significant-digit
// decimal of |x|, rounded to `decimals` places, half away from zero.
std::string_view displayResultExact(NumberBuffer& buffer, double x, int decimals);

// The display rule without the 15-digit decimal, when it cannot matter.
// With t = |x| * 10^decimals (0 <= decimals <= 9) below 1e13, the 15-digit
// decimal lies within 5e-15 * t of t, so when t's fraction is more than
// 2e-14 * t away from one half (room for the product's own rounding too),
// rounding t to the nearest integer rounds that decimal the same way.
// Returns nullopt when that margin is not there or t is too large (or x is
// not finite); the exact way then decides.
std::optional<std::string_view> displayResultShortcut(NumberBuffer& buffer, double x, int decimals);

}  // namespace dravik::text::paths
