// Every way of the text rules by itself, for the tests that check, value by
// value, that each short way gives the full rule's answer, and for the
// benchmarks that time each. Product code reads and writes through the doors
// (text_rules::readField, readNumber, displayResult, displayResultInto),
// which pick their ways inside.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "text_rules/detail/display_shortcut.h"
#include "text_rules/detail/plain_digits.h"
#include "text_rules/text_rules.h"

namespace dravik::text_rules::paths {

// The full text-to-number rule, for any text.
double readNumberFull(std::string_view text);

// The short ways of plain-digit cells (text_rules/detail/plain_digits.h).
inline std::optional<double> readPlainInteger(std::string_view text) {
    const std::int64_t integer = detail::readDigitPairs(text);
    return integer >= 0 ? std::optional<double>(static_cast<double>(integer)) : std::nullopt;
}
inline constexpr std::size_t kEightByteLoad = detail::kWordBytes;
inline std::optional<double> readShortPlainInteger(const char* text, std::size_t size) {
    const std::int64_t integer = detail::readDigitWord(text, size);
    return integer >= 0 ? std::optional<double>(static_cast<double>(integer)) : std::nullopt;
}

// The full result display rule for a finite x: the 15-significant-digit
// decimal of |x|, rounded to `decimals` places, half away from zero.
std::string_view displayResultExact(NumberBuffer& buffer, double x, int decimals);

// The display rule without the 15-digit decimal, when it cannot matter.
// With t = |x| * 10^decimals (0 <= decimals <= 9) below 1e13, the 15-digit
// decimal lies within 5e-15 * t of t, so when t's fraction is more than
// 2e-14 * t away from one half (room for the product's own rounding too),
// rounding t to the nearest integer rounds that decimal the same way.
// Returns nullopt when that margin is not there or t is too large (or x is
// not finite); the exact way then decides (detail/display_shortcut.h).
inline std::optional<std::string_view> displayResultShortcut(NumberBuffer& buffer, double x, int decimals) {
    const std::string_view text = detail::display_shortcut::write(buffer.data(), x, decimals);
    if (text.empty()) return std::nullopt;
    return text;
}

}  // namespace dravik::text_rules::paths
