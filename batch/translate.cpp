#include "batch/translate.h"

#include <charconv>
#include <vector>

#include "batch/chinese_texts.h"

#ifndef __EMSCRIPTEN__
#include <libintl.h>
#endif

#include "batch/text_encoding.h"
#include "text_rules/visible_text.h"

namespace dravik::batch {

namespace {
// The page is for Chinese engineers, whatever the browser's language, and
// has no gettext: it always takes the compiled-in catalogue.
#ifdef __EMSCRIPTEN__
bool chineseAlways = true;
#else
bool chineseAlways = false;
#endif
}  // namespace

void useChineseTexts() { chineseAlways = true; }

const char* tr(const char* english) {
    if (chineseAlways) {
        const char* chinese = chineseText(english);
        return chinese != nullptr ? chinese : english;
    }
#ifdef __EMSCRIPTEN__
    return english;
#else
    return ::dgettext(kTextDomain, english);
#endif
}

std::string fill(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    const std::vector<std::string_view> args(arguments);
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const std::size_t k = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (k < args.size()) {
                out += args[k];
                i += 2;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

void appendEscapedByte(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

std::string quoteForMessage(std::string_view text, std::size_t maxBytes) {
    std::string out = "\"";
    std::size_t i = 0;
    while (i < text.size() && i < maxBytes) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;  // of a printable character starting here
        if (c >= 0x20 && c < 0x7F) {
            length = 1;
        } else if (c >= 0xC2) {
            const std::size_t want = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            if (validUtf8Prefix(text.substr(i, want)) == want) length = want;
            // C1 controls (U+0080 … U+009F) move a terminal as the C0 ones do.
            if (length == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) length = 0;
        }
        if (length > 1) {
            // A format character (a right-to-left override, a zero-width
            // space) would reorder or hide inside the sentence that quotes it.
            const std::string shown = text_rules::visibleText(text.substr(i, length));
            if (shown.size() != length) {
                out += shown;
                i += length;
                continue;
            }
        }
        if (length == 0) {
            appendEscapedByte(out, c);
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    out += '"';
    if (i < text.size()) out += "…";
    return out;
}

std::string decimal(long long n) {
    char digits[24];
    const auto res = std::to_chars(digits, digits + sizeof digits, n);
    return std::string(digits, res.ptr);
}

}  // namespace dravik::batch
