// The text rules on any input. readNumber takes the bytes as a field text;
// formatNumber and displayResult take a double made from the bytes (and the
// number read from them) and must write a text that reads back to the value
// they were meant to show; the rules' short ways must agree with their full
// ways wherever they answer:
//  - formatNumber(x) reads back to x written with 15 significant digits;
//  - displayResult(x, k) reads back to that 15-digit decimal rounded to k
//    places, a half going away from zero, and has at most k decimals;
//  - a finite x never gives the dash, a non-finite one always does;
//  - a text is never a negative zero: "-" only before a non-zero digit.
// The expected values are worked out here with decimal strings, not with the
// rules' own code.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

#include "text_rules/text_rules.h"
#include "text_rules/text_rules_paths.h"

namespace {

using dravik::text_rules::kNotANumber;

void check(bool ok) {
    if (!ok) std::abort();
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a text has a number at its start once blanks are removed: an
// optional sign, then a digit, or a point and a digit.
bool startsWithNumber(std::string_view text) {
    std::string packed;
    for (char c : text) {
        if (!isBlank(c)) packed += c;
        if (packed.size() >= 3) break;
    }
    std::size_t i = 0;
    if (i < packed.size() && (packed[i] == '+' || packed[i] == '-')) ++i;
    if (i < packed.size() && isDigit(packed[i])) return true;
    return i + 1 < packed.size() && packed[i] == '.' && isDigit(packed[i + 1]);
}

// The double a decimal text stands for; NaN when it is beyond the double
// range, as the text-to-number rule has it. `digits` has no sign.
double decimalValue(bool negative, const std::string& digits, int exponent) {
    const std::string text = (negative ? "-" : "") + digits + "e" + std::to_string(exponent);
    double value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    check(res.ptr == text.data() + text.size());
    if (res.ec == std::errc::result_out_of_range) {
        // Only an overflow can happen here: every value comes from a double.
        return std::nan("");
    }
    return value;
}

// |x| as 15 significant digits and the exponent of the last one:
// |x| ≈ digits × 10^exponent.
void fifteenDigits(double x, std::string& digits, int& exponent) {
    char buffer[64];
    const auto res = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(res.ptr - buffer));
    const std::size_t e = text.find('e');
    digits.clear();
    for (char c : text.substr(0, e)) {
        if (c != '.') digits += c;
    }
    check(digits.size() == 15);
    int power = 0;
    const std::string_view powerText = text.substr(e + 1);
    std::from_chars(powerText.data() + (powerText[0] == '+' ? 1 : 0), powerText.data() + powerText.size(), power);
    exponent = power - 14;
}

bool sameValue(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return a == b;
}

bool hasNonZeroDigit(std::string_view text) {
    for (char c : text) {
        if (c >= '1' && c <= '9') return true;
    }
    return false;
}

void checkShape(std::string_view shown, double x) {
    if (!std::isfinite(x)) {
        check(shown == kNotANumber);
        return;
    }
    check(shown.find(kNotANumber) == std::string_view::npos);
    check(shown.size() >= 2 && (shown[0] == ' ' || shown[0] == '-'));
    check(shown.find('e') == std::string_view::npos && shown.find('E') == std::string_view::npos);
    if (shown[0] == '-') check(hasNonZeroDigit(shown));
    if (shown.size() > 2) check(shown[1] != '0');  // no "0" before the point
}

void checkFormat(double x) {
    const std::string shown = dravik::text_rules::formatNumber(x);
    checkShape(shown, x);
    if (!std::isfinite(x)) return;
    std::string digits;
    int exponent = 0;
    fifteenDigits(x, digits, exponent);
    check(sameValue(dravik::text_rules::readNumber(shown), decimalValue(std::signbit(x), digits, exponent)));
}

void checkDisplay(double x, int decimals) {
    const std::string shown = dravik::text_rules::displayResult(x, decimals);
    checkShape(shown, x);
    if (!std::isfinite(x)) return;
    // The short way, when it answers, answers as the exact way does.
    dravik::text_rules::NumberBuffer fast;
    dravik::text_rules::NumberBuffer full;
    if (const auto quick = dravik::text_rules::paths::displayResultShortcut(fast, x, decimals)) {
        check(*quick == dravik::text_rules::paths::displayResultExact(full, x, decimals));
    }
    const std::size_t point = shown.find('.');
    if (point != std::string::npos) check(shown.size() - point - 1 <= static_cast<std::size_t>(decimals));

    // Round digits × 10^exponent to `decimals` places: keep the digits whose
    // place is at least 10^-decimals, look at the first one dropped.
    std::string digits;
    int exponent = 0;
    fifteenDigits(x, digits, exponent);
    std::string kept = digits;
    const int dropped = -decimals - exponent;  // how many of the 15 digits fall below the last place
    if (dropped > 0) {
        const bool roundUp = dropped <= 15 && digits[static_cast<std::size_t>(15 - dropped)] >= '5';
        kept = dropped >= 15 ? std::string("0") : digits.substr(0, static_cast<std::size_t>(15 - dropped));
        if (roundUp) {
            std::size_t i = kept.size();
            while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
            if (i == 0) {
                kept.insert(kept.begin(), '1');
            } else {
                ++kept[i - 1];
            }
        }
        exponent = -decimals;
    }
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    if (zero) {
        check(shown == " 0");
        return;
    }
    check((shown[0] == '-') == std::signbit(x));
    check(sameValue(dravik::text_rules::readNumber(shown), decimalValue(std::signbit(x), kept, exponent)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double read = dravik::text_rules::readNumber(text);
    check(sameValue(read, dravik::text_rules::paths::readNumberFull(text)) &&
          std::signbit(read) == std::signbit(dravik::text_rules::paths::readNumberFull(text)));
    if (!startsWithNumber(text)) check(read == 0 && !std::signbit(read));
    checkFormat(read);
    checkDisplay(read, 0);
    checkDisplay(read, 2);

    if (size >= 9) {
        double x = 0;
        std::memcpy(&x, data, sizeof x);
        checkFormat(x);
        checkDisplay(x, data[8] % 8);
    }
    return 0;
}
