// Finding the bytes that matter to the CSV reader 32 at a time, for the
// common record: a line of unquoted cells. Two ways give the same answer: SSE2
// where the compiler has it (every x86-64), and plain 64-bit arithmetic
// everywhere else; the tests check both against a byte-by-byte reading.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dravik::batch::scan {

inline constexpr std::size_t kBlock = 32;

// Where the bytes that matter to the reader stand in one block of 32 bytes:
// bit k of each mask is set when byte k is that byte.
struct BlockMarks {
    std::uint32_t commas;
    std::uint32_t lineFeeds;
    std::uint32_t quotes;
    std::uint32_t carriageReturns;
};

namespace detail {

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// The high bit of every byte of `word` that equals `byte`, and no other bit.
// Exact: (x & 0x7F) + 0x7F carries into the high bit for any byte of x but
// zero, and no carry crosses into the next byte.
constexpr std::uint64_t equalBytes(std::uint64_t word, unsigned char byte) {
    const std::uint64_t x = word ^ (kOnes * byte);
    return ~(((x & ~kHighBits) + ~kHighBits) | x) & kHighBits;
}

// One high bit per byte (bits 7, 15, … 63) to one bit per byte (bits 0 … 7).
constexpr std::uint32_t gatherHighBits(std::uint64_t marks) {
    return static_cast<std::uint32_t>(((marks >> 7) * 0x0102040810204080u) >> 56);
}

inline std::uint64_t loadLittleEndian(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    return word;
}

}  // namespace detail

// The 64-bit arithmetic way, for any processor.
inline BlockMarks marksPortable(const char* block) {
    using namespace detail;
    std::uint64_t words[kBlock / 8];
    for (std::size_t w = 0; w < kBlock / 8; ++w) words[w] = loadLittleEndian(block + 8 * w);
    const auto mask = [&](unsigned char byte) {
        std::uint32_t bits = 0;
        for (std::size_t w = 0; w < kBlock / 8; ++w) bits |= gatherHighBits(equalBytes(words[w], byte)) << (8 * w);
        return bits;
    };
    return {mask(','), mask('\n'), mask('"'), mask('\r')};
}

#if defined(__SSE2__)
inline BlockMarks marksSse2(const char* block) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16));
    const auto mask = [&](char byte) {
        const __m128i wanted = _mm_set1_epi8(byte);
        return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, wanted))) |
               static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, wanted))) << 16;
    };
    return {mask(','), mask('\n'), mask('"'), mask('\r')};
}
#endif

namespace detail {

// For each byte value: the positions of its set bits, lowest first (the
// slots after the last one hold 0), and how many there are.
struct BitPositions {
    std::uint8_t positions[256][8];
    std::uint8_t counts[256];
};

constexpr BitPositions makeBitPositions() {
    BitPositions table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned count = 0;
        for (unsigned bit = 0; bit < 8; ++bit) {
            if ((byte >> bit & 1u) != 0) table.positions[byte][count++] = static_cast<std::uint8_t>(bit);
        }
        table.counts[byte] = static_cast<std::uint8_t>(count);
    }
    return table;
}

inline constexpr BitPositions kBitPositions = makeBitPositions();

}  // namespace detail

// Writes base + k for every bit k set in `mask`, lowest first, from `out` on;
// returns the end of what it wrote. It writes a byte of the mask at a time,
// eight slots whatever the byte holds, so that no branch and no long chain
// of steps depends on how many bits are set: `out` must have room for
// kBlock + 8 values.
inline std::uint32_t* writeBitPositionsPortable(std::uint32_t mask, std::uint32_t base, std::uint32_t* out) {
    for (std::uint32_t chunk = 0; chunk < kBlock / 8; ++chunk, base += 8) {
        const unsigned byte = (mask >> (8 * chunk)) & 0xFFu;
        for (std::size_t k = 0; k < 8; ++k) out[k] = base + detail::kBitPositions.positions[byte][k];
        out += detail::kBitPositions.counts[byte];
    }
    return out;
}

#if defined(__SSE2__)
inline std::uint32_t* writeBitPositionsSse2(std::uint32_t mask, std::uint32_t base, std::uint32_t* out) {
    const __m128i zero = _mm_setzero_si128();
    for (std::uint32_t chunk = 0; chunk < kBlock / 8; ++chunk, base += 8) {
        const unsigned byte = (mask >> (8 * chunk)) & 0xFFu;
        const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(detail::kBitPositions.positions[byte]));
        const __m128i words = _mm_unpacklo_epi8(bytes, zero);
        const __m128i first = _mm_set1_epi32(static_cast<int>(base));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_add_epi32(_mm_unpacklo_epi16(words, zero), first));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4), _mm_add_epi32(_mm_unpackhi_epi16(words, zero), first));
        out += detail::kBitPositions.counts[byte];
    }
    return out;
}
#endif

inline std::uint32_t* writeBitPositions(std::uint32_t mask, std::uint32_t base, std::uint32_t* out) {
#if defined(__SSE2__)
    return writeBitPositionsSse2(mask, base, out);
#else
    return writeBitPositionsPortable(mask, base, out);
#endif
}

inline BlockMarks marks(const char* block) {
#if defined(__SSE2__)
    return marksSse2(block);
#else
    return marksPortable(block);
#endif
}

}  // namespace dravik::batch::scan
