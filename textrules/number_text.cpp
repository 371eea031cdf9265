#include "textrules/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace dravik::text {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Walks a text while skipping every blank, tab and line feed.
class BlankSkippingCursor {
public:
    explicit BlankSkippingCursor(std::string_view text) : text_(text) { skipBlanks(); }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void advance() {
        ++pos_;
        skipBlanks();
    }

private:
    void skipBlanks() {
        while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// The decimal magnitude of a prefix that std::from_chars refused as out of
// range: > 0 means the number is at least 1 (so it overflowed), <= 0 means it
// lies below 1 (so it underflowed). `mantissa` holds digits and at most one
// point; `exponent` is already saturated.
std::int64_t decimalMagnitude(std::string_view mantissa, std::int64_t exponent) {
    std::int64_t integerDigits = 0;
    std::int64_t leadingFractionZeros = 0;
    bool inFraction = false;
    bool seenNonZero = false;
    for (char c : mantissa) {
        if (c == '.') {
            inFraction = true;
        } else if (!seenNonZero && c == '0') {
            if (inFraction) ++leadingFractionZeros;
        } else {
            seenNonZero = true;
            if (!inFraction) ++integerDigits;
        }
        if (seenNonZero && inFraction) break;
    }
    return exponent + (integerDigits > 0 ? integerDigits : -leadingFractionZeros);
}

// Writes |x| as 15 significant digits and the power of ten of the first one.
struct Decimal15 {
    std::string digits;  // exactly 15 digits, first one non-zero unless x == 0
    int exponent = 0;    // value = d.dddddddddddddd * 10^exponent
};

Decimal15 toDecimal15(double magnitude) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    Decimal15 d;
    d.digits.reserve(15);
    std::size_t i = 0;
    for (; i < s.size() && s[i] != 'e'; ++i) {
        if (s[i] != '.') d.digits.push_back(s[i]);
    }
    ++i;  // skip 'e'
    int sign = 1;
    if (s[i] == '-' || s[i] == '+') {
        sign = s[i] == '-' ? -1 : 1;
        ++i;
    }
    int e = 0;
    for (; i < s.size(); ++i) e = e * 10 + (s[i] - '0');
    d.exponent = sign * e;
    return d;
}

// Renders significant digits placed so that the first one has the place
// value 10^exponent, without leading "0", trailing zeros or exponent.
std::string render(bool negative, std::string digits, int exponent) {
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) return " 0";
    std::string out(1, negative ? '-' : ' ');
    const int integerDigits = exponent + 1;
    const int count = static_cast<int>(digits.size());
    if (integerDigits <= 0) {
        out += '.';
        out.append(static_cast<std::size_t>(-integerDigits), '0');
        out += digits;
    } else if (integerDigits >= count) {
        out += digits;
        out.append(static_cast<std::size_t>(integerDigits - count), '0');
    } else {
        out.append(digits, 0, static_cast<std::size_t>(integerDigits));
        out += '.';
        out.append(digits, static_cast<std::size_t>(integerDigits), std::string::npos);
    }
    return out;
}

// readNumber, also telling whether anything but blanks follows the number.
double scanNumber(std::string_view text, bool& whole) {
    whole = false;
    BlankSkippingCursor in(text);
    std::string number;  // the prefix without blanks, in from_chars syntax
    if (in.peek() == '+' || in.peek() == '-') {
        if (in.peek() == '-') number += '-';
        in.advance();
    }
    const std::size_t mantissaStart = number.size();
    bool seenDigit = false;
    bool seenPoint = false;
    for (;; in.advance()) {
        char c = in.peek();
        if (isDigit(c)) {
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number += c;
    }
    if (!seenDigit) return 0.0;
    whole = in.atEnd();
    const std::string mantissa = number.substr(mantissaStart);

    // An exponent counts only when at least one digit follows the letter and
    // its sign; otherwise the number ends before the letter ("1e" -> 1).
    std::int64_t exponent = 0;
    char letter = in.peek();
    if (letter == 'e' || letter == 'E' || letter == 'd' || letter == 'D') {
        BlankSkippingCursor look = in;
        look.advance();
        bool negativeExponent = false;
        if (look.peek() == '+' || look.peek() == '-') {
            negativeExponent = look.peek() == '-';
            look.advance();
        }
        if (isDigit(look.peek())) {
            constexpr std::int64_t kSaturated = 1'000'000'000;
            for (; isDigit(look.peek()); look.advance()) {
                exponent = std::min<std::int64_t>(exponent * 10 + (look.peek() - '0'), kSaturated);
            }
            if (negativeExponent) exponent = -exponent;
            whole = look.atEnd();
            number += 'e';
            number += std::to_string(exponent);
        }
    }

    double value = 0.0;
    auto res = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        const bool negative = number.front() == '-';
        if (decimalMagnitude(mantissa, exponent) > 0) return std::numeric_limits<double>::quiet_NaN();
        return negative ? -0.0 : 0.0;
    }
    return value;
}

}  // namespace

double readNumber(std::string_view text) {
    bool whole = false;
    return scanNumber(text, whole);
}

bool isWhollyNumber(std::string_view text) {
    bool whole = false;
    scanNumber(text, whole);
    return whole;
}

std::string formatNumber(double x) {
    if (!std::isfinite(x)) return std::string(kNotANumber);
    Decimal15 d = toDecimal15(std::fabs(x));
    return render(std::signbit(x), std::move(d.digits), d.exponent);
}

std::string displayResult(double x, int decimals) {
    if (!std::isfinite(x)) return std::string(kNotANumber);
    Decimal15 d = toDecimal15(std::fabs(x));
    // Number of the 15 digits whose place value is at least 10^-decimals.
    const int keep = d.exponent + 1 + decimals;
    std::string digits;
    int exponent = d.exponent;
    if (keep < 0) {
        digits.clear();  // below a tenth of the last place: rounds to zero
    } else if (keep == 0) {
        // Only the rounding digit is left; it alone decides.
        if (d.digits[0] >= '5') {
            digits = "1";
            exponent = -decimals;
        }
    } else if (keep >= static_cast<int>(d.digits.size())) {
        digits = std::move(d.digits);
    } else {
        const bool roundUp = d.digits[static_cast<std::size_t>(keep)] >= '5';
        digits = d.digits.substr(0, static_cast<std::size_t>(keep));
        if (roundUp) {
            int i = keep - 1;
            for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i) {
                digits[static_cast<std::size_t>(i)] = '0';
            }
            if (i >= 0) {
                ++digits[static_cast<std::size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++exponent;
            }
        }
    }
    return render(std::signbit(x), std::move(digits), exponent);
}

}  // namespace dravik::text
