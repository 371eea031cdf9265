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

#include "text_rules/detail/fast_paths.h"
#if DRAVIK_FAST_PATHS
#include "text_rules/detail/plain_digits.h"
#endif

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

// The field text of a number that comes as a number, not as a text (a
// workbook's numeric cell): the number-to-text form with as many significant
// digits as reading the text back to x itself needs (17 at most), so that a
// calculation from the text uses x. Up to 15 digits this is formatNumber's
// text: 1200 -> " 1200", 0.1 -> " .1", 1e-7 -> " .0000001"; but
// 123456789012345678 (the double 123456789012345680) -> " 123456789012345680",
// where 15 digits would write another double. A non-finite x gives
// kNotANumber.
std::string_view fieldTextInto(NumberBuffer& buffer, double x);

// The result display rule. x is first written with 15 significant digits
// (rounded to nearest), that decimal is rounded to `decimals` places with a
// half going away from zero, and the rounded number is written by
// formatNumber. So with 2 places 1.005 gives " 1.01" (it is "1.00500000000000"
// at 15 digits, although the double lies just below 1.005), 0.849 gives
// " .85", 0.99978 gives " 1", -0.004 gives " 0". A non-finite x gives
// kNotANumber. A negative `decimals` rounds to tens, hundreds, ...
std::string displayResult(double x, int decimals);

// displayResult written into a caller's buffer, for a hot loop:
// text_rules/display_into.h.

// A field read for a batch file: its number by readNumber, and whether the
// whole text was that number (isWhollyNumber), from one reading.
struct Field {
    double value = 0.0;
    bool whole = false;
};

// readNumber and isWhollyNumber of `text` at once. `readableAfter` says how
// many bytes after the text may be read (a reader's padded buffer): with
// enough of them a short cell of digits is read as one word. The door picks
// its way inside (text_rules/detail/); every way gives the full rule's
// answer, and with DRAVIK_FAST_PATHS=0 only the full rule is built in.
inline Field readField(std::string_view text, std::size_t readableAfter = 0);

namespace detail {
// The full text-to-number rule and the whole-number test in one pass.
Field readFieldFully(std::string_view text);
}  // namespace detail

// Inline into the caller's loop over cells: a call per cell would cost more
// than the short way itself.
[[gnu::always_inline]] inline Field readField(std::string_view text, [[maybe_unused]] std::size_t readableAfter) {
#if DRAVIK_FAST_PATHS
    // Most cells of a batch file and most typed fields are plain integers.
    const bool wordFits = text.size() + readableAfter >= detail::kWordBytes && text.size() <= detail::kWordBytes;
    const std::int64_t integer =
        wordFits ? detail::readDigitWord(text.data(), text.size()) : detail::readDigitPairs(text);
    if (integer >= 0) return {static_cast<double>(integer), true};
#endif
    return detail::readFieldFully(text);
}

inline double readNumber(std::string_view text) { return readField(text).value; }

}  // namespace dravik::text_rules
