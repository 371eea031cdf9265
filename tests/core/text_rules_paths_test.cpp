// The short ways of the text rules against their full ways, value by value.
//
// The result display rule rounds the 15-significant-digit decimal of a
// result; its short way rounds |x| * 10^n directly and must step aside
// whenever the 15-digit decimal could round differently. The differential
// below runs over more than ten million values (a tenth of that under the
// sanitizer build, whose unoptimised code is some twenty times slower), with
// near-ties constructed on both sides of the half at every digit position.
#include <gtest/gtest.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "text_rules/text_rules.h"
#include "text_rules/text_rules_paths.h"

namespace {

using namespace dravik::text_rules;

#if defined(__SANITIZE_ADDRESS__)
constexpr long kScale = 1;
#else
constexpr long kScale = 10;
#endif

// How many values each differential below draws.
constexpr long kRandomDoubles = 200'000 * kScale;  // each at 0 and 2 places
constexpr long kBitPatterns = 50'000 * kScale;     // each at 0 and 2 places
constexpr long kDecimalValues = 150'000 * kScale;  // each at 0 and 2 places
constexpr long kHalfRounds = 300 * kScale;
constexpr int kHalfPlaces = 5;      // 0 to 4 places
constexpr int kHalfPositions = 14;  // t with 0 to 13 integer digits
constexpr int kHalfOffsets = 23;    // steps around the half, each with the doubles on either side
constexpr long kHalfValues = kHalfRounds * kHalfPlaces * kHalfPositions * (3 * kHalfOffsets + 1);
constexpr long kDistinctValues = kRandomDoubles + kBitPatterns + kDecimalValues + kHalfValues;
static_assert(kScale == 1 || kDistinctValues >= 10'000'000, "the differential covers ten million values");

std::string exact(double x, int decimals) {
    NumberBuffer buffer;
    return std::string(paths::displayResultExact(buffer, x, decimals));
}

std::optional<std::string> shortcut(double x, int decimals) {
    NumberBuffer buffer;
    const auto text = paths::displayResultShortcut(buffer, x, decimals);
    if (!text) return std::nullopt;
    return std::string(*text);
}

// The double nearest to digits × 10^exponent.
double decimalToDouble(std::int64_t digits, int exponent) {
    const std::string text = std::to_string(digits) + "e" + std::to_string(exponent);
    double value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(res.ec, std::errc{}) << text;
    return value;
}

std::int64_t powerOfTen(int n) {
    std::int64_t p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

// Counts what the differential saw, so that it can tell a test that ran the
// short way from one that never reached it.
struct Tally {
    long values = 0;
    long shortcuts = 0;
    long fallbacks = 0;
    long mismatches = 0;

    void check(double x, int decimals) {
        ++values;
        const auto fast = shortcut(x, decimals);
        if (!fast) {
            ++fallbacks;
            return;
        }
        ++shortcuts;
        const std::string full = exact(x, decimals);
        if (*fast != full && ++mismatches <= 10) {
            ADD_FAILURE() << "x = " << std::hexfloat << x << std::defaultfloat << " (" << x << "), " << decimals
                          << " places: short way \"" << *fast << "\", exact \"" << full << "\"";
        }
    }
};

TEST(TextRulesPaths, DisplayShortcutMatchesExactOnRandomDoublesOfEveryMagnitude) {
    std::mt19937_64 random(20261208);
    Tally tally;
    const long count = kRandomDoubles;
    for (long i = 0; i < count; ++i) {
        // 53 random bits scaled by 2^-70 .. 2^50: from 1e-21 to 1e31.
        const double mantissa = static_cast<double>(random() >> 11);
        const int power = static_cast<int>(random() % 121) - 123;
        const double x = std::ldexp(mantissa, power) * (random() & 1 ? -1.0 : 1.0);
        tally.check(x, 0);
        tally.check(x, 2);
    }
    EXPECT_EQ(tally.mismatches, 0);
    // Most of these lie below 1e13 and far from a half: the short way takes them.
    EXPECT_GT(tally.shortcuts, tally.values / 2);
    EXPECT_GT(tally.fallbacks, 0);
}

TEST(TextRulesPaths, DisplayShortcutMatchesExactOnRandomBitPatterns) {
    // Every finite double is equally likely by its bits: huge, tiny and
    // subnormal values, most of which round to zero or are too large.
    std::mt19937_64 random(7);
    Tally tally;
    const long count = kBitPatterns;
    for (long i = 0; i < count; ++i) {
        const std::uint64_t bits = random();
        double x = 0;
        std::memcpy(&x, &bits, sizeof x);
        if (!std::isfinite(x)) continue;
        tally.check(x, 0);
        tally.check(x, 2);
    }
    EXPECT_EQ(tally.mismatches, 0);
    EXPECT_GT(tally.shortcuts, 0);
}

TEST(TextRulesPaths, DisplayShortcutMatchesExactOnDecimalValues) {
    // Values typed or computed as short decimals: 1.005, 12497.5, 0.125 ...
    // many lie exactly on a half before the 15-digit step.
    std::mt19937_64 random(42);
    Tally tally;
    const long count = kDecimalValues;
    for (long i = 0; i < count; ++i) {
        const int places = static_cast<int>(random() % 7);
        const std::int64_t digits =
            static_cast<std::int64_t>(random() % powerOfTen(1 + static_cast<int>(random() % 13)));
        const double x = decimalToDouble(digits, -places) * (random() & 1 ? -1.0 : 1.0);
        tally.check(x, 0);
        tally.check(x, 2);
    }
    EXPECT_EQ(tally.mismatches, 0);
    EXPECT_GT(tally.shortcuts, tally.values / 2);
    EXPECT_GT(tally.fallbacks, 0);
}

TEST(TextRulesPaths, DisplayShortcutMatchesExactAroundEveryHalf) {
    // For n places and t = |x| * 10^n with L integer digits (0 to 13), the
    // half k + 0.5 is approached from both sides in steps of a hundredth of
    // the 15th digit's place: across the point where the 15-digit decimal
    // itself rounds to the half (where the short way must step aside), and
    // across the short way's own margin of 2e-14 * t (where it may take
    // either side but must be right), each with the doubles on either side.
    std::mt19937_64 random(1005);
    Tally tally;
    for (long round = 0; round < kHalfRounds; ++round) {
        for (int places = 0; places < kHalfPlaces; ++places) {
            for (int integerDigits = 0; integerDigits < kHalfPositions; ++integerDigits) {
                // k has exactly integerDigits digits (k = 0 for none).
                const std::int64_t low = integerDigits == 0 ? 0 : powerOfTen(integerDigits - 1);
                const auto span = static_cast<std::uint64_t>(powerOfTen(integerDigits) - low);
                const std::int64_t k = low + static_cast<std::int64_t>(random() % span);
                // The half in units of 10^(L - 17) of t, two places finer than the 15th digit.
                const std::int64_t half = (10 * k + 5) * powerOfTen(16 - integerDigits);
                const int exponent = integerDigits - 17 - places;
                const std::int64_t randomOffset = static_cast<std::int64_t>(random() % 601) - 300;
                const auto margin = static_cast<std::int64_t>(2e-14 * static_cast<double>(half));
                const std::int64_t offsets[kHalfOffsets] = {
                    -300, -150,        -100,        -51,         -50,        -49,        -2,        -1,
                    0,    1,           2,           49,          50,         51,         100,       150,
                    300,  -4 * margin, -margin - 3, -margin + 3, margin - 3, margin + 3, 4 * margin};
                for (const std::int64_t offset : offsets) {
                    const double x = decimalToDouble(half + offset, exponent);
                    const double sign = random() & 1 ? -1.0 : 1.0;
                    tally.check(sign * x, places);
                    tally.check(sign * std::nextafter(x, 0.0), places);
                    tally.check(sign * std::nextafter(x, 1e300), places);
                }
                tally.check(decimalToDouble(half + randomOffset, exponent), places);
            }
        }
    }
    EXPECT_EQ(tally.mismatches, 0);
    EXPECT_GT(tally.shortcuts, tally.values / 10);
    EXPECT_GT(tally.fallbacks, tally.values / 2);
}

struct ShortcutCase {
    double x;
    int decimals;
    const char* text;  // nullptr: the short way must decline
};

TEST(TextRulesPaths, DisplayShortcutDeclinesWhereTheFifteenDigitDecimalDecides) {
    const ShortcutCase cases[] = {
        {2.5, 0, nullptr},                  // an exact half
        {12497.5, 0, nullptr},              //
        {1.005, 2, nullptr},                // t = 100.49999999999999: 15 digits make it 100.5
        {0.49999999999999994, 0, nullptr},  // 15 digits make it 0.5
        {1.00499999999999, 2, nullptr},     // t lies 1e-12 below the half, within 2e-14 * t
        {1.0049999999999, 2, " 1"},         // 1e-11 below: beyond the margin
        {1e13, 0, nullptr},                 // too large
        {-1e13, 0, nullptr},                //
        {1e11, 2, nullptr},                 // too large once scaled
        {3.7, -1, nullptr},                 // places it does not handle
        {3.7, 10, nullptr},                 //
        {std::numeric_limits<double>::quiet_NaN(), 2, nullptr},
        {std::numeric_limits<double>::infinity(), 0, nullptr},
        {3996.1057872, 0, " 3996"},
        {1.2487830585, 2, " 1.25"},
        {0.849, 2, " .85"},
        {0.99978, 2, " 1"},
        {1.204, 2, " 1.2"},
        {0.004, 2, " 0"},
        {-0.004, 2, " 0"},  // a negative result that rounds to zero has no sign
        {-1.2345, 2, "-1.23"},
        {-0.0, 0, " 0"},
        {0.0, 2, " 0"},
        {1e-300, 2, " 0"},
        {9999999999999.0, 0, " 9999999999999"},
        {99999.996, 2, " 100000"},
        {0.05, 2, " .05"},
        {1234.5678, 9, " 1234.5678"},
    };
    for (const auto& c : cases) {
        const auto fast = shortcut(c.x, c.decimals);
        if (c.text == nullptr) {
            EXPECT_FALSE(fast.has_value()) << c.x << " with " << c.decimals << " places gave " << fast.value_or("");
        } else {
            EXPECT_EQ(fast.value_or("(declined)"), c.text) << c.x << " with " << c.decimals << " places";
            EXPECT_EQ(exact(c.x, c.decimals), c.text) << c.x << " with " << c.decimals << " places";
        }
    }
}

TEST(TextRulesPaths, BufferAndStringFormsWriteTheSameText) {
    NumberBuffer buffer;
    for (double x : {3996.1057872, 1.005, -0.004, 1e20, -1.5e17, 0.125, 12497.5, 1e-5}) {
        for (int decimals : {0, 2}) {
            EXPECT_EQ(displayResultInto(buffer, x, decimals), displayResult(x, decimals)) << x;
        }
        EXPECT_EQ(formatNumberInto(buffer, x), formatNumber(x)) << x;
    }
    EXPECT_EQ(displayResultInto(buffer, std::numeric_limits<double>::infinity(), 2), kNotANumber);
    EXPECT_EQ(formatNumberInto(buffer, std::numeric_limits<double>::quiet_NaN()), kNotANumber);
}

TEST(TextRulesPaths, LongestTextsFitTheBuffer) {
    const double smallest = std::numeric_limits<double>::denorm_min();
    const double largest = std::numeric_limits<double>::max();
    const std::string tiny = " ." + std::string(323, '0') + "494065645841247";
    EXPECT_EQ(displayResult(smallest, 400), tiny);
    EXPECT_EQ(displayResult(smallest, INT_MAX), tiny);  // as many places as it takes
    EXPECT_EQ(formatNumber(smallest), tiny);
    EXPECT_EQ(displayResult(-smallest, 400), "-" + tiny.substr(1));
    EXPECT_EQ(displayResult(smallest, 324), " ." + std::string(323, '0') + "5");
    EXPECT_EQ(displayResult(smallest, 323), " 0");
    const std::string huge = " 179769313486232" + std::string(294, '0');
    EXPECT_EQ(displayResult(largest, 0), huge);
    EXPECT_EQ(displayResult(-largest, 2), "-" + huge.substr(1));
    EXPECT_EQ(formatNumber(largest), huge);
    EXPECT_EQ(displayResult(largest, -300), " 179769313" + std::string(300, '0'));
    EXPECT_EQ(displayResult(largest, -400), " 0");
    EXPECT_EQ(displayResult(largest, INT_MIN), " 0");
    EXPECT_LE(tiny.size(), kNumberTextCapacity);
    EXPECT_LE(huge.size(), kNumberTextCapacity);
}

TEST(TextRulesPaths, NegativePlacesRoundToTensAndHundreds) {
    EXPECT_EQ(displayResult(12345.0, -2), " 12300");
    EXPECT_EQ(displayResult(12350.0, -2), " 12400");
    EXPECT_EQ(displayResult(-12350.0, -2), "-12400");
    EXPECT_EQ(displayResult(49.0, -2), " 0");
    EXPECT_EQ(displayResult(50.0, -2), " 100");
    EXPECT_EQ(displayResult(99999.0, -1), " 100000");
}

struct PlainCase {
    const char* text;
    std::optional<double> integer;
};

TEST(TextRulesPaths, PlainIntegerTakesOnlyOneToFifteenDigits) {
    const PlainCase cases[] = {
        {"0", 0.0},
        {"400", 400.0},
        {"00012", 12.0},
        {"000000000000000", 0.0},
        {"999999999999999", 999999999999999.0},  // fifteen digits
        {"9999999999999999", std::nullopt},      // sixteen: the full rule reads it
        {"", std::nullopt},
        {" 12", std::nullopt},
        {"12 ", std::nullopt},
        {"1 2", std::nullopt},
        {"+12", std::nullopt},
        {"-12", std::nullopt},
        {"12.", std::nullopt},
        {"1e2", std::nullopt},
        {"12mm", std::nullopt},
        {"\t12", std::nullopt},
        {"１２", std::nullopt},
        {"/", std::nullopt},  // the bytes next to the digits
        {":", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(paths::readPlainInteger(c.text), c.integer) << '"' << c.text << '"';
        EXPECT_EQ(readNumber(c.text), paths::readNumberFull(c.text)) << '"' << c.text << '"';
    }
}

// The word-at-a-time reading of texts of up to eight bytes must answer as
// the digit loop does for every byte at every position: each byte value
// 0-255 put into a text of digits of each length, and random texts of bytes
// near the digits. The bytes after the text, which it loads too, are
// anything (here digits, commas and the like) and must not count.
TEST(TextRulesPaths, ShortPlainIntegerMatchesTheDigitLoop) {
    const auto same = [](std::string_view text, const char* after) {
        std::string memory(text);
        memory += after;
        memory.resize(text.size() + paths::kEightByteLoad, '7');
        const auto got = paths::readShortPlainInteger(memory.data(), text.size());
        const auto want = text.size() <= paths::kEightByteLoad ? paths::readPlainInteger(text) : std::nullopt;
        EXPECT_EQ(got, want) << '"' << text << "\" followed by \"" << after << '"';
    };
    for (std::size_t size = 0; size <= paths::kEightByteLoad + 1; ++size) {
        for (std::size_t at = 0; at < std::max<std::size_t>(size, 1); ++at) {
            for (int byte = 0; byte < 256; ++byte) {
                std::string text(size, '5');
                if (size > 0) text[at] = static_cast<char>(byte);
                same(text, ",12");
                same(text, "x");
                if (HasFailure()) return;
            }
        }
    }
    std::mt19937 random(8);
    const char pool[] = "0123456789/:0 9+-.e\x80\xB0\xF9";
    for (int round = 0; round < 200000; ++round) {
        std::string text(random() % (paths::kEightByteLoad + 1), '0');
        for (char& c : text) c = pool[random() % (sizeof pool - 1)];
        same(text, "0");
        if (HasFailure()) return;
    }
    // Every length with its largest and smallest values.
    same("9", ""), same("99999999", ""), same("10000000", ""), same("00000000", ""), same("1", "");
}

bool sameDouble(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return a == b && std::signbit(a) == std::signbit(b);
}

TEST(TextRulesPaths, ReadNumberMatchesTheFullRuleOnRandomTexts) {
    // Digit strings of every length up to 25 (past the 15 of the short way
    // and the 19 of a 64-bit integer), with leading zeros; and digit strings
    // with a sign, blank, point, exponent or unit mixed in.
    std::mt19937_64 random(15);
    const char extras[] = {' ', '\t', '\n', '+', '-', '.', 'e', 'D', ',', 'm', '0'};
    long plain = 0;
    long mismatches = 0;
    const long count = 100'000 * kScale;
    for (long i = 0; i < count; ++i) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 25);
        for (int j = 0; j < length; ++j) text += static_cast<char>('0' + random() % 10);
        if (random() % 4 == 0) text.insert(0, std::string(1 + random() % 3, '0'));
        if (i % 2 == 1) {
            const char extra = extras[random() % sizeof extras];
            text.insert(static_cast<std::size_t>(random() % (text.size() + 1)), 1, extra);
        }
        if (paths::readPlainInteger(text)) ++plain;
        if (!sameDouble(readNumber(text), paths::readNumberFull(text)) && ++mismatches <= 10) {
            ADD_FAILURE() << '"' << text << "\": " << readNumber(text) << " against " << paths::readNumberFull(text);
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(plain, count / 5);
}

TEST(TextRulesPaths, ReadNumberBeyondFifteenDigitsStillRoundsToTheNearestDouble) {
    EXPECT_EQ(readNumber("9007199254740993"), 9007199254740992.0);  // 2^53 + 1: a tie, to even
    EXPECT_EQ(readNumber("12345678901234567890123"), 1.2345678901234568e22);
    EXPECT_EQ(readNumber("000000000000000000000000012"), 12.0);
    EXPECT_EQ(readNumber("100000000000000"), 1e14);
}

}  // namespace
