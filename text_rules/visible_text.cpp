#include "text_rules/visible_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace dravik::text_rules {
namespace {

struct Range {
    char32_t first, last;
};

// The format characters (general category Cf) of Unicode 15.0, in order.
constexpr Range kFormatCharacters[] = {
    {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
    {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x202A, 0x202E},
    {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
    {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F},
};

// The code point at the start of `s` and its length in bytes, or length 0
// when `s` does not start with a well-formed UTF-8 sequence.
struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 0;
};
Decoded decode(std::string_view s) {
    const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned lead = byte(0);
    if (lead < 0x80) return {lead, 1};
    // The sequence's length and the lead byte's bits of the value, by the
    // lead byte; the second byte's bounds keep out overlong forms,
    // surrogates and values past U+10FFFF.
    std::size_t length = 4;
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {};
    }
    char32_t value = lead & (0x7Fu >> length);
    if (s.size() < length || byte(1) < low || byte(1) > high) return {};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return {};
        value = (value << 6) | (byte(i) & 0x3F);
    }
    return {value, length};
}

void appendVisible(std::string& out, char32_t codePoint) {
    out += "〈U+";
    std::array<char, 6> digits{};
    std::size_t count = 0;
    do {
        digits[count++] = "0123456789ABCDEF"[codePoint & 0xF];
        codePoint >>= 4;
    } while (codePoint != 0 || count < 4);
    while (count > 0) out += digits[--count];
    out += "〉";
}

}  // namespace

bool isControlOrFormat(char32_t c) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
    const auto* range = std::lower_bound(std::begin(kFormatCharacters), std::end(kFormatCharacters), c,
                                         [](const Range& r, char32_t value) { return r.last < value; });
    return range != std::end(kFormatCharacters) && range->first <= c;
}

std::string visibleText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const Decoded d = decode(utf8);
        const std::size_t length = d.length == 0 ? 1 : d.length;
        if (d.length != 0 && isControlOrFormat(d.codePoint)) {
            appendVisible(out, d.codePoint);
        } else {
            out.append(utf8.substr(0, length));
        }
        utf8.remove_prefix(length);
    }
    return out;
}

}  // namespace dravik::text_rules
