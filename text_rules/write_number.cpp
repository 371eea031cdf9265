// The number-to-text form and the result display rule.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "text_rules/display_into.h"
#include "text_rules/float_chars.h"
#include "text_rules/text_rules.h"
#include "text_rules/text_rules_paths.h"

namespace dravik::text_rules {
namespace {

constexpr int kSignificantDigits = 15;

// |x| as 15 significant digits and the power of ten of the first one.
struct Decimal15 {
    std::array<char, kSignificantDigits> digits;  // first one non-zero unless x == 0
    int exponent = 0;                             // value = d.dddddddddddddd * 10^exponent
};

// Reads the digits and the exponent of to_chars' scientific text
// "d.ddde+ddd" into `digits`; returns the digit count.
int scientificDigits(std::string_view s, char* digits, int& exponent) {
    std::size_t i = 0;
    int count = 0;
    for (; i < s.size() && s[i] != 'e'; ++i) {
        if (s[i] != '.') digits[count++] = s[i];
    }
    ++i;  // skip 'e'
    int sign = 1;
    if (s[i] == '-' || s[i] == '+') {
        sign = s[i] == '-' ? -1 : 1;
        ++i;
    }
    int e = 0;
    for (; i < s.size(); ++i) e = e * 10 + (s[i] - '0');
    exponent = sign * e;
    return count;
}

Decimal15 toDecimal15(double magnitude) {
    // "d.dddddddddddddde+ddd": at most 21 bytes.
    char buf[32];
    const char* end = float_chars::writeScientific(buf, buf + sizeof buf, magnitude, kSignificantDigits - 1);
    Decimal15 d;
    scientificDigits(std::string_view(buf, static_cast<std::size_t>(end - buf)), d.digits.data(), d.exponent);
    return d;
}

char* fill(char* out, int count, char c) {
    if (count <= 0) return out;
    std::memset(out, c, static_cast<std::size_t>(count));
    return out + count;
}

char* copy(char* out, const char* digits, int count) {
    if (count <= 0) return out;
    std::memcpy(out, digits, static_cast<std::size_t>(count));
    return out + count;
}

std::string_view finished(const NumberBuffer& buffer, const char* end) {
    return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
}

std::string_view zeroText(NumberBuffer& buffer) {
    buffer[0] = ' ';
    buffer[1] = '0';
    return {buffer.data(), 2};
}

// Renders significant digits placed so that the first one has the place
// value 10^exponent, without leading "0", trailing zeros or exponent. Zero
// (no digit left) is " 0" whatever the sign.
std::string_view render(NumberBuffer& buffer, bool negative, const char* digits, int count, int exponent) {
    while (count > 0 && digits[count - 1] == '0') --count;
    if (count == 0) return zeroText(buffer);
    char* out = buffer.data();
    *out++ = negative ? '-' : ' ';
    const int integerDigits = exponent + 1;
    if (integerDigits <= 0) {
        *out++ = '.';
        out = fill(out, -integerDigits, '0');
        out = copy(out, digits, count);
    } else if (integerDigits >= count) {
        out = copy(out, digits, count);
        out = fill(out, integerDigits - count, '0');
    } else {
        out = copy(out, digits, integerDigits);
        *out++ = '.';
        out = copy(out, digits + integerDigits, count - integerDigits);
    }
    return finished(buffer, out);
}

// Place counts beyond these give the same text as these: with more than 400
// places no 15-digit decimal of a double needs rounding, with fewer than -400
// every double rounds to zero. Clamping keeps the digit arithmetic in range.
constexpr int kFewestDecimals = -400;
constexpr int kMostDecimals = 400;

}  // namespace

namespace paths {

std::string_view displayResultExact(NumberBuffer& buffer, double x, int decimals) {
    decimals = std::clamp(decimals, kFewestDecimals, kMostDecimals);
    const Decimal15 d = toDecimal15(std::fabs(x));
    // Number of the 15 digits whose place value is at least 10^-decimals.
    const int keep = d.exponent + 1 + decimals;
    std::array<char, kSignificantDigits + 1> digits;
    int count = 0;
    int exponent = d.exponent;
    if (keep < 0) {
        // below a tenth of the last place: rounds to zero
    } else if (keep == 0) {
        // Only the rounding digit is left; it alone decides.
        if (d.digits[0] >= '5') {
            digits[0] = '1';
            count = 1;
            exponent = -decimals;
        }
    } else if (keep >= kSignificantDigits) {
        std::copy(d.digits.begin(), d.digits.end(), digits.begin());
        count = kSignificantDigits;
    } else {
        const bool roundUp = d.digits[static_cast<std::size_t>(keep)] >= '5';
        std::copy_n(d.digits.begin(), keep, digits.begin());
        count = keep;
        if (roundUp) {
            int i = keep - 1;
            for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i) {
                digits[static_cast<std::size_t>(i)] = '0';
            }
            if (i >= 0) {
                ++digits[static_cast<std::size_t>(i)];
            } else {
                // 99.9 became 100: one more digit in front.
                std::copy_backward(digits.begin(), digits.begin() + count, digits.begin() + count + 1);
                digits[0] = '1';
                ++count;
                ++exponent;
            }
        }
    }
    return render(buffer, std::signbit(x), digits.data(), count, exponent);
}

}  // namespace paths

std::string_view detail::displayResultFully(NumberBuffer& buffer, double x, int decimals) {
    if (!std::isfinite(x)) return kNotANumber;
    return paths::displayResultExact(buffer, x, decimals);
}

std::string_view formatNumberInto(NumberBuffer& buffer, double x) {
    if (!std::isfinite(x)) return kNotANumber;
    const Decimal15 d = toDecimal15(std::fabs(x));
    return render(buffer, std::signbit(x), d.digits.data(), kSignificantDigits, d.exponent);
}

std::string_view fieldTextInto(NumberBuffer& buffer, double x) {
    if (!std::isfinite(x)) return kNotANumber;
    // The shortest digits that read back to x: "d.dddddddddddddddde-ddd",
    // at most 24 bytes.
    char buf[32];
    const char* end = float_chars::writeShortestScientific(buf, buf + sizeof buf, std::fabs(x));
    std::array<char, 17> digits;
    int exponent = 0;
    const int count = scientificDigits(std::string_view(buf, static_cast<std::size_t>(end - buf)), digits.data(), exponent);
    return render(buffer, std::signbit(x), digits.data(), count, exponent);
}

std::string formatNumber(double x) {
    NumberBuffer buffer;
    return std::string(formatNumberInto(buffer, x));
}

std::string displayResult(double x, int decimals) {
    NumberBuffer buffer;
    return std::string(displayResultInto(buffer, x, decimals));
}

}  // namespace dravik::text_rules
