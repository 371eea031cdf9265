// The two ways in which displayResult gets its answer: a short way for the
// common case and the full way that defines the rule. displayResult takes the
// short way when it applies and the full way otherwise; both are reached
// here so that tests can check, value by value, that the short way gives the
// very same answer, and so that benchmarks can time each. readNumber's two
// ways (readPlainInteger, readNumberFull) are in text_rules.h, where its
// short way is inline.
#pragma once

#include <optional>
#include <string_view>

#include "text_rules/text_rules.h"

namespace dravik::text_rules::paths {

// The full result display rule for a finite x: the 15-significant-digit
// decimal of |x|, rounded to `decimals` places, half away from zero.
std::string_view displayResultExact(NumberBuffer& buffer, double x, int decimals);

// The display rule without the 15-digit decimal, when it cannot matter.
// With t = |x| * 10^decimals (0 <= decimals <= 9) below 1e13, the 15-digit
// decimal lies within 5e-15 * t of t, so when t's fraction is more than
// 2e-14 * t away from one half (room for the product's own rounding too),
// rounding t to the nearest integer rounds that decimal the same way.
// Returns nullopt when that margin is not there or t is too large (or x is
// not finite); the exact way then decides. (display_shortcut.h writes it.)
inline std::optional<std::string_view> displayResultShortcut(NumberBuffer& buffer, double x, int decimals) {
    const std::string_view text = display_shortcut::write(buffer.data(), x, decimals);
    if (text.empty()) return std::nullopt;
    return text;
}

}  // namespace dravik::text_rules::paths
