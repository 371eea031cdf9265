// Reading and writing doubles without the locale, one way per standard
// library: std::from_chars / std::to_chars where the library has them for
// floating point (libstdc++), otherwise fast_float for reading and the C
// library's printf for writing. The second way serves the browser build,
// whose libc++ has neither; printf is locale-free there because the C locale
// is the only one it has. Both ways are compiled natively where fast_float
// is installed, and a test checks that they agree.
#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>

#if defined(__cpp_lib_to_chars)
#define DRAVIK_STD_FLOAT_CHARS 1
#else
#define DRAVIK_STD_FLOAT_CHARS 0
#endif
#if __has_include(<fast_float/fast_float.h>)
#include <fast_float/fast_float.h>
#define DRAVIK_OWN_FLOAT_CHARS 1
#else
#define DRAVIK_OWN_FLOAT_CHARS 0
#endif
#if !DRAVIK_STD_FLOAT_CHARS && !DRAVIK_OWN_FLOAT_CHARS
#error "Floating-point from_chars/to_chars are missing: install fast_float (Debian: libfast-float-dev)"
#endif

namespace dravik::text_rules::float_chars {

// What a read gives: the value, and result_out_of_range where the text's
// number lies beyond the double range or is too small for a non-zero one.
struct Read {
    double value = 0;
    std::errc ec{};
};

#if DRAVIK_STD_FLOAT_CHARS
namespace std_way {

inline Read read(std::string_view text) {
    Read r;
    r.ec = std::from_chars(text.data(), text.data() + text.size(), r.value, std::chars_format::general).ec;
    return r;
}

// `precision` digits after the point, d.ddde±dd: at most 32 bytes.
inline char* writeScientific(char* first, char* last, double x, int precision) {
    return std::to_chars(first, last, x, std::chars_format::scientific, precision).ptr;
}

// `precision` significant digits, no trailing zeros, an exponent where the
// number is smaller than 1e-4 or has more integer digits than that.
inline char* writeGeneral(char* first, char* last, double x, int precision) {
    return std::to_chars(first, last, x, std::chars_format::general, precision).ptr;
}

// The fewest digits that read back as x, plainly or with an exponent,
// whichever is shorter (plainly when both are as long).
inline char* writeShortest(char* first, char* last, double x) { return std::to_chars(first, last, x).ptr; }

// The fewest significant digits that read back as x, as d.ddde±dd.
inline char* writeShortestScientific(char* first, char* last, double x) {
    return std::to_chars(first, last, x, std::chars_format::scientific).ptr;
}

}  // namespace std_way
#endif

#if DRAVIK_OWN_FLOAT_CHARS
namespace own_way {

// fast_float gives an infinity or a zero for a number out of range, without
// saying so; std::from_chars says so.
inline Read read(std::string_view text) {
    Read r;
    const char* end = text.data() + text.size();
    const auto res = fast_float::from_chars(text.data(), end, r.value, fast_float::chars_format::general);
    r.ec = res.ec;
    if (r.ec != std::errc{}) return r;
    if (std::isinf(r.value)) r.ec = std::errc::result_out_of_range;
    if (r.value == 0) {
        for (const char* p = text.data(); p != res.ptr && *p != 'e' && *p != 'E'; ++p) {
            if (*p >= '1' && *p <= '9') r.ec = std::errc::result_out_of_range;
        }
    }
    return r;
}

inline char* write(char* first, char* last, const char* format, double x, int precision) {
    const int n = std::snprintf(first, static_cast<std::size_t>(last - first), format, precision, x);
    return n < 0 || n >= last - first ? first : first + n;
}

inline char* writeScientific(char* first, char* last, double x, int precision) {
    return write(first, last, "%.*e", x, precision);
}

inline char* writeGeneral(char* first, char* last, double x, int precision) {
    return write(first, last, "%.*g", x, precision);
}

// The first number of digits that reads back as x.
inline char* writeShortestScientific(char* first, char* last, double x) {
    char* end = first;
    for (int precision = 0; precision <= 16; ++precision) {
        end = writeScientific(first, last, x, precision);
        if (read(std::string_view(first, static_cast<std::size_t>(end - first))).value == x) break;
    }
    return end;
}

// The shortest scientific digits; then the shorter of the plain and the
// exponent form, as std::to_chars chooses.
inline char* writeShortest(char* first, char* last, double x) {
    char sci[40];
    char* end = writeShortestScientific(sci, sci + sizeof sci, x);
    const std::string_view text(sci, static_cast<std::size_t>(end - sci));
    const std::size_t e = text.find('e');
    const bool negative = text.front() == '-';
    std::string digits;
    for (char c : text.substr(negative ? 1 : 0, e - (negative ? 1 : 0))) {
        if (c != '.') digits += c;
    }
    const int exponent = std::atoi(text.data() + e + 1);
    const int n = static_cast<int>(digits.size());
    const int plainLength = exponent >= 0 ? std::max(n, exponent + 1) + (n > exponent + 1 ? 1 : 0) : 1 - exponent + n;
    const int exponentLength = n + (n > 1 ? 1 : 0) + 2 + (std::abs(exponent) >= 100 ? 3 : 2);
    std::string out = negative ? "-" : "";
    if (exponentLength < plainLength) {
        out += digits.substr(0, 1);
        if (n > 1) out += "." + digits.substr(1);
        out += text.substr(e);
    } else if (exponent + 1 >= n) {
        // A whole number is written with all its digits, exactly, as
        // std::to_chars does: not the shortest digits padded with zeros.
        char whole[320];
        const char* wholeEnd = write(whole, whole + sizeof whole, "%.*f", std::fabs(x), 0);
        out.append(whole, static_cast<std::size_t>(wholeEnd - whole));
    } else if (exponent >= 0) {
        out += digits.substr(0, static_cast<std::size_t>(exponent) + 1);
        out += "." + digits.substr(static_cast<std::size_t>(exponent) + 1);
    } else {
        out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    if (out.size() > static_cast<std::size_t>(last - first)) return first;
    return std::copy(out.begin(), out.end(), first);
}

}  // namespace own_way
#endif

#if DRAVIK_STD_FLOAT_CHARS
using std_way::read;
using std_way::writeGeneral;
using std_way::writeScientific;
using std_way::writeShortest;
using std_way::writeShortestScientific;
#else
using own_way::read;
using own_way::writeGeneral;
using own_way::writeScientific;
using own_way::writeShortest;
using own_way::writeShortestScientific;
#endif

}  // namespace dravik::text_rules::float_chars
