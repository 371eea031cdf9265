// The result display rule's short way, written out in a header so that a
// caller with a fixed number of places (a result box, a column of a batch
// file) gets code for that number of places alone, with no call and no
// dispatch on it. Only text_rules/display_into.h (the door) and the tests and
// benchmarks of the ways reach it. `write` below proves when the short way
// applies and why its text is then the rule's.
//
// Known tricks, with credit: digits written two at a time from a table of
// the hundred pairs (as the {fmt} library and Andrei Alexandrescu's talks
// on integer formatting do); the digit count from the bit length times
// log10(2) with one compare ("Bit Twiddling Hacks", Sean Eron Anderson),
// and from one table look-up and no compare (Kendall Willets' method, as
// Daniel Lemire describes it); the nearest integer of a double read off
// t + 2^52 (the classic rounding by adding 2^52).
//
// The text is written with straight-line code: the lengths of results vary
// from one batch row to the next, and a loop over their digits would
// mispredict its exit on most rows. A fixed number of digits is written so
// that the integer digits end at a fixed point of the buffer and the fraction
// digits follow the point; the text is the view of the part that counts.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

namespace dravik::text_rules::detail::display_shortcut {

// Where the point goes in the caller's buffer: up to sixteen integer digits
// and a sign before it. Nine fraction digits follow it.
inline constexpr std::size_t kPoint = 24;
// The bytes of the caller's buffer that the short way may write.
inline constexpr std::size_t kBufferBytes = kPoint + 1 + 9;

// The short way handles 0 to 9 places.
inline constexpr int kMostPlaces = 9;
inline constexpr std::array<double, kMostPlaces + 1> kScales = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

inline constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (auto& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// "00" "01" ... "99": two digits of a text from one look-up.
inline constexpr std::array<std::array<char, 2>, 100> kDigitPairs = [] {
    std::array<std::array<char, 2>, 100> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[i][0] = static_cast<char>('0' + i / 10);
        pairs[i][1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// How many of the two digits of a pair (0 to 99) are trailing zeros.
inline constexpr std::array<std::uint8_t, 100> kPairTrailingZeros = [] {
    std::array<std::uint8_t, 100> zeros{};
    for (std::size_t i = 0; i < 100; ++i) zeros[i] = i == 0 ? 2 : i % 10 == 0 ? 1 : 0;
    return zeros;
}();

// The number of decimal digits of v, 0 for 0. From the bit length the count
// is either floor(bits * log10(2)) or one more (1233 / 4096 is log10(2)
// rounded up, close enough below 2^64); one compare with a power of ten tells
// which. (v | 1 has the bit length of v but for 0, which the compare with
// 10^0 still counts as no digit.)
inline int digitCount(std::uint64_t v) {
    const auto guess = static_cast<int>((std::bit_width(v | 1) * 1233) >> 12);  // at most 19
    return guess + (v >= kPowersOfTen[static_cast<std::size_t>(guess)] ? 1 : 0);
}

// For v below 2^32 with the bit length b + 1, (v + kDigitCountSteps[b]) >> 32
// is the number of decimal digits of v: the step's high half holds the count
// of the smallest such v, and where a power of ten lies among them, its low
// half carries v into one more digit from that power on. One look-up, no
// compare.
inline constexpr std::array<std::uint64_t, 32> kDigitCountSteps = [] {
    std::array<std::uint64_t, 32> steps{};
    for (std::size_t b = 0; b < steps.size(); ++b) {
        const std::uint64_t smallest = std::uint64_t{1} << b;
        const std::uint64_t largest = 2 * smallest - 1;
        std::uint64_t digits = 1;
        std::uint64_t power = 10;  // 10^digits
        for (; power <= smallest; power *= 10) ++digits;
        steps[b] = (digits << 32) + (power <= largest ? (std::uint64_t{1} << 32) - power : 0);
    }
    return steps;
}();

// The number of decimal digits of v > 0. (v | 1 has the bit length of v and
// spares the compiler a test for 0.)
inline int positiveDigitCount(std::uint32_t v) {
    return static_cast<int>((v + kDigitCountSteps[static_cast<std::size_t>(std::bit_width(v | 1) - 1)]) >> 32);
}

// How many of the last Places digits of v are zeros.
template <int Places, typename Unsigned>
int trailingZeros(Unsigned v) {
    if constexpr (Places == 2) {
        return kPairTrailingZeros[v % 100];
    } else {
        int zeros = 0;
        [&]<std::size_t... k>(std::index_sequence<k...>) { ((zeros += v % kPowersOfTen[k + 1] == 0 ? 1 : 0), ...); }
        (std::make_index_sequence<static_cast<std::size_t>(Places)>{});
        return zeros;
    }
}

// Writes the eight digits of v < 10^8, leading zeros included, as digits of a
// number with Places fraction digits whose point is at `point`; Below more
// digits follow v's in that number. A pair of digits before the point goes
// right before it, one after the point right after it, and one with a digit
// on either side to both places (the point is written over it afterwards).
// Each pair is split off its own quotient of v: no chain from pair to pair.
template <int Places, int Below>
[[gnu::always_inline]] inline void writeEightDigits(char* point, std::uint32_t v) {
    // A zero before the quotients: every pair is its quotient less 100 times the one before.
    const std::uint32_t quotients[5] = {0, v / 1000000, v / 10000, v / 100, v};
    [&]<std::size_t... k>(std::index_sequence<k...>) {
        (
            [&] {
                // The pair's digits have the place values 10^(last + 1) and
                // 10^last in the number times 10^Places.
                constexpr int kLast = Below + 6 - 2 * static_cast<int>(k);
                const std::uint32_t pair = quotients[k + 1] - 100 * quotients[k];
                const char* const digits = kDigitPairs[pair].data();
                if constexpr (kLast + 1 >= Places) std::memcpy(point + Places - kLast - 2, digits, 2);
                if constexpr (kLast < Places) std::memcpy(point + Places - kLast - 1, digits, 2);
            }(),
            ...);
    }
    (std::make_index_sequence<4>{});
}

// The text of the integer `scaled` (at most 10^13) divided by 10^Places,
// without a "0" before the point or trailing zeros after it; zero is " 0"
// whatever the sign.
template <int Places>
[[gnu::always_inline]] inline std::string_view renderScaled(char* buffer, bool negative, std::uint64_t scaled) {
    if (scaled == 0) {
        buffer[0] = ' ';
        buffer[1] = '0';
        return {buffer, 2};
    }
    char* const point = buffer + kPoint;
    int integerDigits = 0;
    int kept = 0;              // fraction digits up to the last one that is not zero
    if (scaled < 100000000) {  // the results of a batch, all of them: the branch is predicted there
        const auto v = static_cast<std::uint32_t>(scaled);
        if constexpr (Places > 8) std::memset(point + 1, '0', Places - 8);
        writeEightDigits<Places, 0>(point, v);
        integerDigits = Places == 0 ? positiveDigitCount(v) : std::max(positiveDigitCount(v) - Places, 0);
        kept = Places - trailingZeros<Places>(v);
    } else {
        writeEightDigits<Places, 8>(point, static_cast<std::uint32_t>(scaled / 100000000));
        writeEightDigits<Places, 0>(point, static_cast<std::uint32_t>(scaled % 100000000));
        integerDigits = digitCount(scaled / kPowersOfTen[Places]);
        kept = Places - trailingZeros<Places>(scaled);
    }
    *point = '.';
    char* const first = point - integerDigits - 1;
    *first = negative ? '-' : ' ';
    const int fractionLength = kept + (kept != 0 ? 1 : 0);
    return {first, static_cast<std::size_t>(integerDigits + 1 + fractionLength)};
}

// The short way's text of x with `decimals` places, written into `buffer`
// (kBufferBytes at least), or an empty view where it does not apply: every
// text it writes has at least two characters.
[[gnu::always_inline]] inline std::string_view write(char* buffer, double x, int decimals) {
    if (decimals < 0 || decimals > kMostPlaces) return {};
    const double t = std::fabs(x) * kScales[static_cast<std::size_t>(decimals)];
    if (!(t < 1e13)) return {};  // NaN and infinity too
    // The test is |frac(t) - 0.5| > 2e-14 * t, computed as 0.5 - |t - n| for
    // the integer n nearest to t, its same value: adding 2^52 rounds t to n
    // (the doubles of [2^52, 2^53) are the integers; the program never leaves
    // the default round-to-nearest mode), and taking 2^52 away is exact. So
    // is t - n (n lies within a factor of two of t, or is 0), and so is
    // 0.5 - |t - n| where |t - n| >= 0.25, as is frac(t) - 0.5 where frac(t)
    // >= 0.25: near the half both forms are exact; further from it both give
    // at least 0.25, far above 2e-14 * t < 0.2. Where the test passes t is not
    // a tie, so n is t rounded half away from zero.
    const double shifted = t + 0x1p52;
    const double nearest = shifted - 0x1p52;
    if (!(0.5 - std::fabs(t - nearest) > 2e-14 * t)) return {};
    // The mantissa bits of 2^52 + n are n: no conversion on the way to the digits.
    // The builtin: emscripten's libc++ has no std::bit_cast.
    const auto rounded = __builtin_bit_cast(std::uint64_t, shifted) & ((std::uint64_t{1} << 52) - 1);
    const bool negative = std::signbit(x);
    switch (decimals) {
        case 0: return renderScaled<0>(buffer, negative, rounded);
        case 1: return renderScaled<1>(buffer, negative, rounded);
        case 2: return renderScaled<2>(buffer, negative, rounded);
        case 3: return renderScaled<3>(buffer, negative, rounded);
        case 4: return renderScaled<4>(buffer, negative, rounded);
        case 5: return renderScaled<5>(buffer, negative, rounded);
        case 6: return renderScaled<6>(buffer, negative, rounded);
        case 7: return renderScaled<7>(buffer, negative, rounded);
        case 8: return renderScaled<8>(buffer, negative, rounded);
        default: return renderScaled<9>(buffer, negative, rounded);
    }
}

}  // namespace dravik::text_rules::detail::display_shortcut
