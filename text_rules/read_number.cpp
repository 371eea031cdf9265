// The text-to-number rule: a field text becomes a double.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

#include "text_rules/float_chars.h"
#include "text_rules/text_rules.h"
#include "text_rules/text_rules_paths.h"

namespace dravik::text_rules {
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

// The number's prefix rewritten for std::from_chars. It is never longer than
// the field text (the sign "+" is dropped, the exponent is rewritten with no
// more digits than it had), so a field text of ordinary length is rewritten
// on the stack and only a very long one needs the heap.
class PrefixBuffer {
public:
    explicit PrefixBuffer(std::size_t capacity) {
        if (capacity > small_.size()) {
            large_.resize(capacity);
            data_ = large_.data();
        }
    }
    PrefixBuffer(const PrefixBuffer&) = delete;
    PrefixBuffer& operator=(const PrefixBuffer&) = delete;

    void push(char c) { data_[size_++] = c; }
    void pushInteger(std::int64_t value) {
        size_ = static_cast<std::size_t>(std::to_chars(data_ + size_, data_ + capacity(), value).ptr - data_);
    }
    std::size_t size() const { return size_; }
    std::string_view view() const { return {data_, size_}; }

private:
    std::size_t capacity() const { return data_ == small_.data() ? small_.size() : large_.size(); }

    std::array<char, 128> small_;
    std::string large_;
    char* data_ = small_.data();
    std::size_t size_ = 0;
};

// How a very long number is kept: at most this many leading zeros and this
// many significant digits, the rest counted into the exponent, and a last
// digit 1 standing for any other digit that was not zero. A double's
// rounding depends on at most 767 significant digits, so the value read is
// the same, and a cell of millions of digits costs no copy of its size.
constexpr std::size_t kKeptDigits = 1024;

// Sign, leading zeros, point, significant digits, the digit standing for
// the rest, and "e" with a sign and up to twenty digits.
constexpr std::size_t kLongestPrefix = 1 + 2 * kKeptDigits + 1 + 1 + 22;

// The mantissa's characters as they are pushed into the prefix, and what a
// long one leaves out.
class MantissaDigits {
public:
    explicit MantissaDigits(PrefixBuffer& number) : number_(number) {}

    void push(char c) {
        if (c == '.') {
            inFraction_ = true;
            number_.push(c);
            return;
        }
        if (!seenNonZero_ && c == '0') {
            // A leading zero: in the integer part it changes nothing, in the
            // fraction it divides by ten.
            if (leadingZeros_ < kKeptDigits) {
                ++leadingZeros_;
                number_.push(c);
            } else if (inFraction_) {
                --scale_;
            }
            return;
        }
        seenNonZero_ = true;
        if (significant_ < kKeptDigits) {
            ++significant_;
            number_.push(c);
            return;
        }
        if (!inFraction_) ++scale_;
        if (c != '0') rest_ = true;
    }
    // Ends the mantissa; the power of ten the exponent must add for the
    // digits left out.
    std::int64_t finish() {
        if (rest_) {
            if (!inFraction_) number_.push('.');
            number_.push('1');
        }
        return scale_;
    }

private:
    PrefixBuffer& number_;
    bool inFraction_ = false;
    bool seenNonZero_ = false;
    bool rest_ = false;  // a digit left out was not zero
    std::size_t leadingZeros_ = 0;
    std::size_t significant_ = 0;
    std::int64_t scale_ = 0;
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

// The full text-to-number rule; `whole` (when given) tells whether nothing
// but blanks follows the number.
double scanNumber(std::string_view text, bool* whole) {
    if (whole != nullptr) *whole = false;
    BlankSkippingCursor in(text);
    // Room for the text plus an exponent's "e", sign and ten digits, or for
    // a long number as MantissaDigits keeps it.
    PrefixBuffer number(std::min(text.size() + 16, kLongestPrefix));
    if (in.peek() == '+' || in.peek() == '-') {
        if (in.peek() == '-') number.push('-');
        in.advance();
    }
    const std::size_t mantissaStart = number.size();
    bool seenDigit = false;
    bool seenPoint = false;
    MantissaDigits digits(number);
    for (;; in.advance()) {
        char c = in.peek();
        if (isDigit(c)) {
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        digits.push(c);
    }
    if (!seenDigit) return 0.0;
    const std::int64_t scale = digits.finish();
    if (whole != nullptr) *whole = in.atEnd();
    const std::string_view mantissa = number.view().substr(mantissaStart);

    // An exponent counts only when at least one digit follows the letter and
    // its sign; otherwise the number ends before the letter ("1e" -> 1).
    std::int64_t exponent = 0;
    bool exponentWritten = false;
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
            if (whole != nullptr) *whole = look.atEnd();
            exponentWritten = true;
        }
    }
    exponent += scale;
    if (exponentWritten || scale != 0) {
        number.push('e');
        number.pushInteger(exponent);
    }

    const std::string_view prefix = number.view();
    const float_chars::Read res = float_chars::read(prefix);
    if (res.ec == std::errc::result_out_of_range) {
        const bool negative = prefix.front() == '-';
        if (decimalMagnitude(mantissa, exponent) > 0) return std::numeric_limits<double>::quiet_NaN();
        return negative ? -0.0 : 0.0;
    }
    return res.value;
}

}  // namespace

double paths::readNumberFull(std::string_view text) { return scanNumber(text, nullptr); }

Field detail::readFieldFully(std::string_view text) {
    Field field;
    field.value = scanNumber(text, &field.whole);
    return field;
}

bool isWhollyNumber(std::string_view text) {
    bool whole = false;
    scanNumber(text, &whole);
    return whole;
}

}  // namespace dravik::text_rules
