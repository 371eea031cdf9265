// The UTF-8 check that decides a file's encoding skips ASCII eight and 32
// bytes at a time and jumps to the first byte that is not: it must stop at
// exactly the byte where a plain character-by-character reading stops.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "batch/text_encoding.h"

namespace {

using dravik::batch::validUtf8Prefix;

// Character by character, from the table of well-formed byte sequences.
std::size_t validPrefixOneByOne(const std::string& text) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = byte(i);
        std::size_t length = 0;
        unsigned low = 0x80, high = 0xBF;
        if (c < 0x80) {
            length = 1;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c == 0xE0) {
            length = 3, low = 0xA0;
        } else if (c == 0xED) {
            length = 3, high = 0x9F;
        } else if (c >= 0xE1 && c <= 0xEF) {
            length = 3;
        } else if (c == 0xF0) {
            length = 4, low = 0x90;
        } else if (c == 0xF4) {
            length = 4, high = 0x8F;
        } else if (c >= 0xF1 && c <= 0xF3) {
            length = 4;
        } else {
            return i;
        }
        if (i + length > text.size()) return i;
        if (length > 1 && (byte(i + 1) < low || byte(i + 1) > high)) return i;
        for (std::size_t k = 2; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) return i;
        }
        i += length;
    }
    return i;
}

TEST(Utf8Check, StopsWhereACharacterByCharacterReadingStops) {
    std::mt19937 random(42);
    // Whole characters, broken ones and lone bytes, between ASCII runs of
    // every length, so that each falls at every offset of a word.
    const std::string pieces[] = {"\xE6\x9A\x97",     "\xC2\xA0", "\xF0\x9F\x98\x80", "\xEF\xBB\xBF",
                                  "\xE6\x9A",         "\x80",     "\xC0\xAF",         "\xED\xA0\x80",
                                  "\xF4\x90\x80\x80", "\xFF",     "\xE0\x80\xAF",     "\xF0\x8F\xBF\xBF",
                                  "\xF4\x8F\xBF\xBF"};
    for (int round = 0; round < 100000; ++round) {
        std::string text;
        const int parts = 1 + static_cast<int>(random() % 6);
        for (int p = 0; p < parts; ++p) {
            text.append(random() % 70, static_cast<char>('a' + random() % 26));
            if (random() % 3 != 0) text += pieces[random() % std::size(pieces)];
        }
        ASSERT_EQ(validUtf8Prefix(text), validPrefixOneByOne(text)) << round;
    }
}

}  // namespace
