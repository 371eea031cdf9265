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

#include "text_rules/display_into.h"
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
constexpr long kLengthRounds = 100 * kScale;
constexpr int kLengthPlaces = 10;  // 0 to 9 places: every place count the short way takes
constexpr int kLengthDigits = 14;  // t rounded has 1 to 14 digits (10^13 at most)
constexpr int kLengthValues = 12;  // values drawn for each place count and length
constexpr long kLengthTotal = kLengthRounds * kLengthPlaces * kLengthDigits * kLengthValues;
constexpr long kDistinctValues = kRandomDoubles + kBitPatterns + kDecimalValues + kHalfValues + kLengthTotal;
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
        const std::int64_t digits = static_cast<std::int64_t>(
            random() % static_cast<std::uint64_t>(powerOfTen(1 + static_cast<int>(random() % 13))));
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

TEST(TextRulesPaths, DisplayShortcutMatchesExactAtEveryPlaceCountAndLength) {
    // The short way writes its digits with code of its own for each place
    // count, eight digits at a time, and finds the length of the text from
    // the digit count and the fraction's trailing zeros. Here t = |x| * 10^n
    // takes each place count 0 to 9 and each length 1 to 14 of its rounded
    // integer, with the edges where a length begins and ends, values that
    // round up into one more digit, fractions ending in zeros, and both signs.
    std::mt19937_64 random(909);
    Tally tally;
    for (long round = 0; round < kLengthRounds; ++round) {
        for (int places = 0; places < kLengthPlaces; ++places) {
            for (int length = 1; length <= kLengthDigits; ++length) {
                const std::int64_t low = powerOfTen(length - 1);  // the rounded t has `length` digits
                const std::int64_t high = powerOfTen(length) - 1;
                const auto span = static_cast<std::uint64_t>(high - low + 1);
                const std::int64_t k = low + static_cast<std::int64_t>(random() % span);
                // t in tenths, a tenth at least off the half (k has `length`
                // digits, `zeroed` is k with its last digits made zeros).
                const std::int64_t tenth = static_cast<std::int64_t>(random() % 10);
                const std::int64_t roundTenth = tenth == 5 ? 4 : tenth;
                const std::int64_t zeroed =
                    k - k % powerOfTen(static_cast<int>(random() % static_cast<std::uint64_t>(length)));
                const std::int64_t tenths[kLengthValues] = {
                    10 * low,             // the first of this length
                    10 * high,            // the last
                    10 * high + 3,        // rounds down to the last
                    10 * (low - 1) + 7,   // rounds up into this length
                    10 * k + roundTenth,  // somewhere in it
                    10 * k,
                    10 * k + 2,
                    10 * k + 8,
                    10 * zeroed,            // with trailing zeros
                    10 * zeroed + 1,        // rounds down to them
                    10 * (zeroed - 1) + 9,  // rounds up to them
                    10 * (k / 2) + 6,       // one digit shorter or the same
                };
                for (const std::int64_t t : tenths) {
                    if (t < 0 || t >= 100'000'000'000'000) continue;  // 10^13 in tenths
                    const double x = decimalToDouble(t, -1 - places);
                    tally.check(x, places);
                    tally.check(-x, places);
                }
            }
        }
    }
    EXPECT_EQ(tally.mismatches, 0);
    EXPECT_GT(tally.shortcuts, tally.values * 9 / 10);
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

TEST(TextRulesPaths, DisplayShortcutWritesEveryLengthAndPlaceCount) {
    // Where a digit count begins and ends, where rounding adds a digit, where
    // the point falls inside a pair of digits or the fraction's zeros lead,
    // and texts of eight digits or more, which take the second block.
    const ShortcutCase cases[] = {
        {0.0, 0, " 0"},
        {9.0, 0, " 9"},
        {10.0, 0, " 10"},
        {99.0, 0, " 99"},
        {100.0, 0, " 100"},
        {999.0, 0, " 999"},
        {1000.0, 0, " 1000"},
        {9999.0, 0, " 9999"},
        {10000.0, 0, " 10000"},
        {99999.0, 0, " 99999"},
        {100000.0, 0, " 100000"},
        {999999.0, 0, " 999999"},
        {1000000.0, 0, " 1000000"},
        {9999999.0, 0, " 9999999"},
        {10000000.0, 0, " 10000000"},
        {99999999.0, 0, " 99999999"},
        {100000000.0, 0, " 100000000"},
        {999999999.0, 0, " 999999999"},
        {1000000000.0, 0, " 1000000000"},
        {99999999999.0, 0, " 99999999999"},
        {999999999999.0, 0, " 999999999999"},
        {1000000000000.0, 0, " 1000000000000"},
        {9999999999999.8, 0, " 10000000000000"},  // the largest the short way writes
        {99999999.7, 0, " 100000000"},            // up into the second block
        {-99999999.7, 0, "-100000000"},
        {9.6, 0, " 10"},
        {0.6, 0, " 1"},
        {0.4, 0, " 0"},
        {-0.4, 0, " 0"},
        {-9.6, 0, "-10"},
        {-3996.10617, 0, "-3996"},
        {9.996, 2, " 10"},
        {99.999, 2, " 100"},
        {0.996, 2, " 1"},
        {0.994, 2, " .99"},
        {0.0051, 2, " .01"},
        {0.0049, 2, " 0"},
        {-0.0049, 2, " 0"},
        {-9.996, 2, "-10"},
        {-0.0051, 2, "-.01"},
        {12.3, 2, " 12.3"},
        {999999.994, 2, " 999999.99"},  // eight digits at two places
        {999999.996, 2, " 1000000"},    // nine digits: the second block
        {12345678.901, 2, " 12345678.9"},
        {0.26, 1, " .3"},
        {12345.64, 1, " 12345.6"},
        {99.96, 1, " 100"},
        {123456789.04, 1, " 123456789"},
        {-0.0006, 3, "-.001"},
        {-0.0004, 3, " 0"},
        {-1234.5678, 3, "-1234.568"},
        {1.00004, 4, " 1"},
        {0.000151, 4, " .0002"},
        {1.2345651, 5, " 1.23457"},
        {0.0000104, 5, " .00001"},
        {123456.1234564, 6, " 123456.123456"},
        {1.9999996, 6, " 2"},
        {0.000000123, 7, " .0000001"},
        {12345.67890123, 7, " 12345.6789012"},
        {0.00000001, 8, " .00000001"},
        {12345.678901234, 8, " 12345.67890123"},
        {0.000000123, 9, " .000000123"},
        {0.000000001, 9, " .000000001"},
        {1e-10, 9, " 0"},
        {-0.0000000006, 9, "-.000000001"},
        {123.456789012, 9, " 123.456789012"},
        {9999.9999999999, 9, " 10000"},
        {0.1, 9, " .1"},
        {1.000000001, 9, " 1.000000001"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shortcut(c.x, c.decimals).value_or("(declined)"), c.text)
            << c.x << " with " << c.decimals << " places";
        EXPECT_EQ(exact(c.x, c.decimals), c.text) << c.x << " with " << c.decimals << " places";
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

// readField, with no readable bytes after the text and with a padded
// buffer after it, gives the full rule's number and its whole-number test.
TEST(TextRulesPaths, ReadFieldMatchesTheFullRuleAndTheWholeNumberTest) {
    std::mt19937 random(20);
    const char pool[] = "0123456789 .-+e,mΦ";
    for (int round = 0; round < 100000; ++round) {
        std::string text(random() % 12, '0');
        for (char& c : text) c = pool[random() % (sizeof pool - 1)];
        std::string memory = text + "12345678";
        const std::string_view view(memory.data(), text.size());
        for (const std::size_t after : {std::size_t{0}, std::size_t{8}}) {
            const Field field = readField(view, after);
            EXPECT_TRUE(sameDouble(field.value, paths::readNumberFull(text)) && field.whole == isWhollyNumber(text))
                << '"' << text << "\" with " << after << " readable bytes after it";
        }
        if (HasFailure()) return;
    }
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
