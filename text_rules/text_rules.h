// The three text rules of the calculator: how a field text becomes a number,
// how a number is written, and how a result is rounded for its result box.
//
// None of them depends on the process locale: the decimal separator is always
// ".", whatever LC_NUMERIC says (Qt sets the C locale from the environment at
// start-up, so strtod/printf would read and write "," under a German locale).
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "text_rules/display_shortcut.h"

namespace dravik::text_rules {

// Shown in a result box instead of a number when a result is not finite
// (a zero divisor, 0/0, an overflow, an input beyond the double range).
inline constexpr std::string_view kNotANumber = "\u2014";  // EM DASH

// Room for the longest text formatNumber or displayResult can write: a sign,
// a point, the 323 zeros after the point of the smallest double and its 15
// significant digits (340 bytes), or the 309 integer digits of the largest.
inline constexpr std::size_t kNumberTextCapacity = 352;

// A caller's buffer for the *Into functions below, so that a hot loop (a
// batch file's rows) writes result texts without a heap string per text.
using NumberBuffer = std::array<char, kNumberTextCapacity>;
static_assert(kNumberTextCapacity >= display_shortcut::kBufferBytes);

// Reads a field text as a number.
//
// Blanks, tabs and line feeds are removed wherever they stand; then the
// longest leading number is read: an optional sign, digits with at most one
// ".", and optionally an exponent E or D (either case) with an optional sign
// and at least one digit. Whatever follows is ignored. A text with no leading
// digit reads 0: "" -> 0, "mm400" -> 0, "-" -> 0, "&H10" -> 0.
//   "1 200" -> 1200, "12.5mm" -> 12.5, "1.2.3" -> 1.2, "3,5" -> 3,
//   ".5" -> 0.5, "2D2" -> 200, "1e" -> 1.
// A number beyond the double range ("1e400") reads as NaN, so every result
// built from it shows kNotANumber; one too small for a double ("1e-400")
// reads as 0 (with its sign).
inline double readNumber(std::string_view text);

// Whether readNumber reads the whole text, blanks aside: true for "400",
// " 12", "1 200", "1.2E3", "-20"; false where text follows the number
// ("12.5mm", "1.2.3", "3,5", "1e") and where there is no number ("",
// "mm400", "-").
bool isWhollyNumber(std::string_view text);

// Writes x in the number-to-text form: one blank before a number that is
// zero or positive ("-" before a negative one), at most 15 significant
// digits, no "0" before the point, no trailing zeros and never an exponent.
//   2 -> " 2", 0 -> " 0", 0.85 -> " .85", -1.23 -> "-1.23",
//   1e20 -> " 100000000000000000000" (zeros after the 15th digit).
// A negative number that is written as zero (-0.0) gives " 0".
// A non-finite x gives kNotANumber.
std::string formatNumber(double x);

// formatNumber written into `buffer`; the view stays valid as long as the
// buffer does.
std::string_view formatNumberInto(NumberBuffer& buffer, double x);

// The result display rule. x is first written with 15 significant digits
// (rounded to nearest), that decimal is rounded to `decimals` places with a
// half going away from zero, and the rounded number is written by
// formatNumber. So with 2 places 1.005 gives " 1.01" (it is "1.00500000000000"
// at 15 digits, although the double lies just below 1.005), 0.849 gives
// " .85", 0.99978 gives " 1", -0.004 gives " 0". A non-finite x gives
// kNotANumber. A negative `decimals` rounds to tens, hundreds, ...
std::string displayResult(double x, int decimals);

// displayResult written into `buffer`; the view stays valid as long as the
// buffer does.
inline std::string_view displayResultInto(NumberBuffer& buffer, double x, int decimals);

// The two ways of readNumber; text_rules_paths.h has those of displayResult,
// whose short way is in display_shortcut.h. The short ways are inline so that
// a loop over many cells pays no call for them.
namespace paths {

// The full text-to-number rule, for any text.
double readNumberFull(std::string_view text);

// A text of 1 to 15 ASCII digits and nothing else (no blank, sign, point or
// exponent) read as an integer; nullopt for any other text. Fifteen digits
// stay below 2^53, so the integer is the double the full rule reads.
inline std::optional<double> readPlainInteger(std::string_view text) {
    if (text.empty() || text.size() > 15) return std::nullopt;
    const auto digitAt = [&text](std::size_t k) {
        return static_cast<unsigned>(static_cast<unsigned char>(text[k])) - unsigned{'0'};
    };
    // Two digits a step: half the steps of a loop over single digits.
    std::int64_t value = 0;
    std::size_t k = 0;
    for (; k + 2 <= text.size(); k += 2) {
        const unsigned high = digitAt(k), low = digitAt(k + 1);
        if (high > 9 || low > 9) return std::nullopt;
        value = value * 100 + static_cast<std::int64_t>(high * 10 + low);
    }
    if (k < text.size()) {
        const unsigned last = digitAt(k);
        if (last > 9) return std::nullopt;
        value = value * 10 + static_cast<std::int64_t>(last);
    }
    return static_cast<double>(value);
}

// readPlainInteger for a text of at most 8 bytes that is followed in memory
// by enough readable bytes that 8 can be loaded from its start (a batch
// reader's padded buffer): all its digits are checked and combined at once,
// without a loop whose length depends on the text. nullopt exactly when
// readPlainInteger gives nullopt; longer texts are not handled here.
inline constexpr std::size_t kEightByteLoad = 8;
// For a text of n digits, the '0' bytes that fill the word below them.
inline constexpr std::array<std::uint64_t, kEightByteLoad + 1> kLeadingZeros = {0,
                                                                                0x3030303030303030u >> 8,
                                                                                0x3030303030303030u >> 16,
                                                                                0x3030303030303030u >> 24,
                                                                                0x30303030u,
                                                                                0x303030u,
                                                                                0x3030u,
                                                                                0x30u,
                                                                                0};
inline std::optional<double> readShortPlainInteger(const char* text, std::size_t size) {
    if constexpr (std::endian::native != std::endian::little) return readPlainInteger({text, size});
    if (size - 1 >= kEightByteLoad) return std::nullopt;  // empty or too long
    if (size <= 4) {
        // The same with half a word, for the common short cell: one
        // multiplication fewer.
        std::uint32_t half;
        std::memcpy(&half, text, 4);
        half = (half << (8 * (4 - size))) | static_cast<std::uint32_t>(kLeadingZeros[size + 4]);
        if (((half & 0xF0F0F0F0u) | (((half + 0x06060606u) & 0xF0F0F0F0u) >> 4)) != 0x33333333u) return std::nullopt;
        half = ((half & 0x0F0F0F0Fu) * 2561) >> 8;
        half = ((half & 0x00FF00FFu) * 6553601) >> 16;
        return static_cast<double>(half & 0xFFFFu);
    }
    std::uint64_t word;
    std::memcpy(&word, text, kEightByteLoad);
    // The text's bytes to the top of the word (its first byte is the most
    // significant digit), the bytes below them set to '0': leading zeros.
    word = (word << (8 * (kEightByteLoad - size))) | kLeadingZeros[size];
    // Every byte 0x30-0x39: its high nibble is 3, and adding 6 does not carry
    // into the high nibble.
    constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0u;
    if (((word & kHighNibbles) | (((word + 0x0606060606060606u) & kHighNibbles) >> 4)) != 0x3333333333333333u) {
        return std::nullopt;
    }
    // Pairs, then fours, then all eight digits combined.
    word = ((word & 0x0F0F0F0F0F0F0F0Fu) * 2561) >> 8;
    word = ((word & 0x00FF00FF00FF00FFu) * 6553601) >> 16;
    word = ((word & 0x0000FFFF0000FFFFu) * 42949672960001u) >> 32;
    return static_cast<double>(word);
}

// The full result display rule for any x: kNotANumber where x is not
// finite, else the 15-significant-digit way (text_rules_paths.h).
std::string_view displayResultFull(NumberBuffer& buffer, double x, int decimals);

}  // namespace paths

inline double readNumber(std::string_view text) {
    // Most cells of a batch file and most typed fields are plain integers.
    if (const auto integer = paths::readPlainInteger(text)) return *integer;
    return paths::readNumberFull(text);
}

[[gnu::always_inline]] inline std::string_view displayResultInto(NumberBuffer& buffer, double x, int decimals) {
    // The short way takes most results, and declines a non-finite x itself.
    if (const auto text = display_shortcut::write(buffer.data(), x, decimals); !text.empty()) return text;
    return paths::displayResultFull(buffer, x, decimals);
}

}  // namespace dravik::text_rules
