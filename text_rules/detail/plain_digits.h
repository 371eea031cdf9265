// The text-to-number rule's short ways for cells of plain digits: a text of
// 1 to 15 ASCII digits and nothing else (no blank, sign, point or exponent)
// read as an integer. Fifteen digits stay below 2^53, so the integer is
// exactly the double the full rule reads for that text, and such a text is
// wholly a number. Every other text gives -1 and goes to the full rule. (An
// integer and -1 rather than an optional double: the caller's loop keeps it
// in a register.)
// Only the door (text_rules::readField) and the tests and benchmarks of the
// ways reach these.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace dravik::text_rules::detail {

// Two digits a step: half the steps of a loop over single digits. Any text.
inline std::int64_t readDigitPairs(std::string_view text) {
    if (text.empty() || text.size() > 15) return -1;
    const auto digitAt = [&text](std::size_t k) {
        return static_cast<unsigned>(static_cast<unsigned char>(text[k])) - unsigned{'0'};
    };
    std::int64_t value = 0;
    std::size_t k = 0;
    for (; k + 2 <= text.size(); k += 2) {
        const unsigned high = digitAt(k), low = digitAt(k + 1);
        if (high > 9 || low > 9) return -1;
        value = value * 100 + static_cast<std::int64_t>(high * 10 + low);
    }
    if (k < text.size()) {
        const unsigned last = digitAt(k);
        if (last > 9) return -1;
        value = value * 10 + static_cast<std::int64_t>(last);
    }
    return value;
}

// Up to eight digits at once, as one word: for a text of 1 to 8 bytes that
// is followed in memory by enough readable bytes that kWordBytes can be
// loaded from its start. -1 exactly when readDigitPairs gives -1 (longer
// texts are not handled here).
//
// A known trick, with credit: SWAR ("SIMD within a register") digit parsing,
// as Wojciech Muła and Daniel Lemire describe it. Why it is right, step by
// step, for the word w of the text's bytes, first byte most significant:
//  - Leading zeros: shifting the text's bytes to the top of the word and
//    filling the bytes below with '0' gives the same number (leading zeros
//    add nothing), and the bytes loaded past the text are shifted out.
//  - The check: a byte b is a digit (0x30-0x39) exactly when its high nibble
//    is 3 and b + 6 does not carry into the high nibble (0x3A-0x3F do, and
//    carry from the low nibble stays inside the byte since b + 6 <= 0xFF + 6
//    only overflows for b >= 0xFA, whose high nibble is not 3). OR-ing the
//    high nibbles with those of b + 6 shifted down gives 0x33 for a digit
//    and something else for any other byte. Adding 0x06 to every byte at
//    once can carry from one byte into the next only from a byte >= 0xFA,
//    and then that byte already fails; the byte above it may then pass
//    wrongly, but the word as a whole still fails.
//  - The combination: with digits d1 d0 in a 16-bit lane (d1 in the low
//    byte, the first digit, little-endian), lane * 2561 = lane * (10 * 256
//    + 1) has 10 * d1 + d0 in its high byte (at most 99, no carry out of
//    the lane); >> 8 and the mask keep it. The same with 6553601 = 100 *
//    65536 + 1 on pairs of pairs (at most 9999 in 16 bits) and
//    42949672960001 = 10000 * 2^32 + 1 on pairs of fours (at most 99999999
//    in 32 bits). No product leaves its lane, so the lanes never mix.
inline constexpr std::size_t kWordBytes = 8;
// For a text of n digits, the '0' bytes that fill the word below them.
inline constexpr std::array<std::uint64_t, kWordBytes + 1> kLeadingZeros = {0,
                                                                            0x3030303030303030u >> 8,
                                                                            0x3030303030303030u >> 16,
                                                                            0x3030303030303030u >> 24,
                                                                            0x30303030u,
                                                                            0x303030u,
                                                                            0x3030u,
                                                                            0x30u,
                                                                            0};
inline std::int64_t readDigitWord(const char* text, std::size_t size) {
    if constexpr (std::endian::native != std::endian::little) return readDigitPairs({text, size});
    if (size - 1 >= kWordBytes) return -1;  // empty or too long
    if (size <= 4) {
        // The same with half a word, for the common short cell: one
        // multiplication fewer.
        std::uint32_t half;
        std::memcpy(&half, text, 4);
        half = (half << (8 * (4 - size))) | static_cast<std::uint32_t>(kLeadingZeros[size + 4]);
        if (((half & 0xF0F0F0F0u) | (((half + 0x06060606u) & 0xF0F0F0F0u) >> 4)) != 0x33333333u) return -1;
        half = ((half & 0x0F0F0F0Fu) * 2561) >> 8;
        half = ((half & 0x00FF00FFu) * 6553601) >> 16;
        return static_cast<std::int64_t>(half & 0xFFFFu);
    }
    std::uint64_t word;
    std::memcpy(&word, text, kWordBytes);
    word = (word << (8 * (kWordBytes - size))) | kLeadingZeros[size];
    constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0u;
    if (((word & kHighNibbles) | (((word + 0x0606060606060606u) & kHighNibbles) >> 4)) != 0x3333333333333333u) {
        return -1;
    }
    word = ((word & 0x0F0F0F0F0F0F0F0Fu) * 2561) >> 8;
    word = ((word & 0x00FF00FF00FF00FFu) * 6553601) >> 16;
    word = ((word & 0x0000FFFF0000FFFFu) * 42949672960001u) >> 32;
    return static_cast<std::int64_t>(word);
}

}  // namespace dravik::text_rules::detail
