// The text-to-number rule, the number-to-text form and the result display rule.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "text_rules/text_rules.h"

namespace {

using dravik::text_rules::displayResult;
using dravik::text_rules::formatNumber;
using dravik::text_rules::kNotANumber;
using dravik::text_rules::readNumber;

// The test program adopts the environment's locale, as Qt does at start-up,
// so that the tests below also run under LC_ALL=de_DE.UTF-8.
const bool kLocaleAdopted = std::setlocale(LC_ALL, "") != nullptr;

TEST(Locale, CommaLocaleIsInEffectWhenRequested) {
    if (std::getenv("DRAVIK_EXPECT_COMMA_LOCALE") == nullptr) GTEST_SKIP() << "no comma locale requested";
    ASSERT_TRUE(kLocaleAdopted) << "the de_DE.UTF-8 locale is not installed";
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

struct ReadCase {
    const char* text;
    double number;
};

TEST(TextRulesRead, ReadsTheLongestLeadingNumber) {
    const ReadCase cases[] = {
        {"400", 400},
        {"3", 3},
        {" 12", 12},
        {"1 200", 1200},
        {"12.5mm", 12.5},
        {"1.2.3", 1.2},
        {"3,5", 3},
        {".5", 0.5},
        {"-20", -20},
        {"1.2E3", 1200},
        {"2D2", 200},
        {"", 0},
        {"mm400", 0},
        {"400mm", 400},
        {"1,000", 1},
        {"+7", 7},
        {"5.", 5},
        {"-.25", -0.25},
        {"2d-1", 0.2},
        {"1e+2", 100},
        {"1e", 1},
        {"1e+", 1},
        {"1E-x", 1},
        {"1.5e2.5", 150},
        {"00012", 12},
        {"\t4\n0 0", 400},
        {"1 . 5 e 1", 15},
        {"- 3", -3},
        {"--3", 0},
        {"+-3", 0},
        {"-", 0},
        {".", 0},
        {"+.", 0},
        {".e5", 0},
        {"e5", 0},
        {"&H10", 0},
        {"&O17", 0},
        {"１２", 0},
        {"\r5", 0},
        {"12\x00"
         "5",
         12},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readNumber(c.text), c.number) << "text \"" << c.text << "\"";
    }
}

TEST(TextRulesRead, AgreesWithTheNearestDoubleForLongDigitStrings) {
    EXPECT_EQ(readNumber("0.1"), 0.1);
    EXPECT_EQ(readNumber("3.1415926"), 3.1415926);
    EXPECT_EQ(readNumber("123456789012345678901234567890"), 123456789012345678901234567890.0);
    EXPECT_EQ(readNumber("1.7976931348623157e308"), std::numeric_limits<double>::max());
    EXPECT_EQ(readNumber("4.9e-324"), std::numeric_limits<double>::denorm_min());
}

// Numbers of thousands of digits: only the digits that can decide the
// rounding are kept, and the rest still counts, as a power of ten or as a
// digit that is not zero. 1 + 2^-53 lies exactly half-way between 1 and the
// next double; a digit far beyond tips it up.
TEST(TextRulesRead, VeryLongNumbersReadAsTheirNearestDouble) {
    const std::string zeros(5000, '0');
    const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
    const struct {
        std::string text;
        double number;
    } cases[] = {
        {halfway + zeros, 1.0},
        {halfway + zeros + "1", 1.0000000000000002},
        {halfway + zeros + "1mm", 1.0000000000000002},
        {"1" + zeros + "e-4990", 1e10},
        {"1" + zeros + "9" + zeros + "e-10001", 1.0},
        {zeros + "12.5", 12.5},
        {"0." + zeros + "25e5003", 250},
        {"0." + std::string(5000, '3'), 0.3333333333333333},
        {"-" + std::string(300, '9') + "." + zeros, -1e300},
        {"0." + zeros + "1", 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readNumber(c.text), c.number) << c.text.substr(0, 60) << " … " << c.text.size() << " characters";
    }
    EXPECT_TRUE(std::isnan(readNumber("1" + zeros)));
    EXPECT_TRUE(dravik::text_rules::isWhollyNumber("1" + zeros + "." + zeros));
}

TEST(TextRulesRead, NumbersBeyondTheDoubleRangeAreNotANumber) {
    for (const char* text : {"1e400", "-1e400", "1e99999999999999999999", "1.8e308", "999e306"}) {
        EXPECT_TRUE(std::isnan(readNumber(text))) << text;
    }
}

TEST(TextRulesRead, NumbersTooSmallForADoubleReadAsZero) {
    for (const char* text : {"1e-400", "0.0000001e-330", "1e-99999999999999999999"}) {
        EXPECT_EQ(readNumber(text), 0.0) << text;
    }
    EXPECT_TRUE(std::signbit(readNumber("-1e-400")));
    EXPECT_EQ(readNumber("0e99999"), 0.0);
    EXPECT_EQ(readNumber("1000e-310"), 1e-307);
}

struct FormatCase {
    double number;
    const char* text;
};

TEST(TextRulesFormat, WritesBlankOrSignAndNoLeadingZero) {
    const FormatCase cases[] = {
        {2, " 2"},
        {16, " 16"},
        {0, " 0"},
        {-0.0, " 0"},
        {0.85, " .85"},
        {1.2, " 1.2"},
        {-1.23, "-1.23"},
        {-0.5, "-.5"},
        {1000, " 1000"},
        {0.001, " .001"},
        {0.1 + 0.2, " .3"},
        {1.0 / 3.0, " .333333333333333"},
        {123456.7890123456, " 123456.789012346"},
        {1e-5, " .00001"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatNumber(c.number), c.text) << c.number;
}

TEST(TextRulesFormat, LongIntegersAreWrittenOutWithZerosAfterTheFifteenthDigit) {
    EXPECT_EQ(formatNumber(1e20), " 100000000000000000000");
    EXPECT_EQ(formatNumber(123456789012345678.0), " 123456789012346000");
    EXPECT_EQ(formatNumber(-999999999999999.0), "-999999999999999");
    EXPECT_EQ(formatNumber(9999999999999999.0), " 10000000000000000");
}

TEST(TextRulesFormat, NonFiniteNumbersAreADash) {
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN()), kNotANumber);
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity()), kNotANumber);
    EXPECT_EQ(formatNumber(-std::numeric_limits<double>::infinity()), kNotANumber);
}

// A numeric cell's text reads back to the cell's double itself: the
// shortest such digits, laid out as the number-to-text form lays them out.
TEST(TextRulesFieldText, ShortestDigitsThatReadBackToTheSameDouble) {
    const struct {
        double number;
        std::string text;
    } cases[] = {
        {1200, " 1200"},
        {0.1, " .1"},
        {1e-7, " .0000001"},
        {-2.5, "-2.5"},
        {0, " 0"},
        {123456789012345678.0, " 123456789012345680"},  // 15 digits: 123456789012346000, another double
        {0.1 + 0.2, " .30000000000000004"},
        {1.0 / 3.0, " .3333333333333333"},
        {5e-324, " ." + std::string(323, '0') + "5"},
    };
    dravik::text_rules::NumberBuffer buffer;
    for (const auto& c : cases) {
        const std::string_view text = dravik::text_rules::fieldTextInto(buffer, c.number);
        EXPECT_EQ(text, c.text) << c.number;
        EXPECT_EQ(readNumber(text), c.number) << text;
    }
}

struct DisplayCase {
    double result;
    int decimals;
    const char* text;
};

TEST(TextRulesDisplay, RoundsHalfAwayFromZeroOnTheFifteenDigitDecimal) {
    const DisplayCase cases[] = {
        {3996.1057872, 0, " 3996"},
        {12497.5, 0, " 12498"},
        {1.2487830585, 2, " 1.25"},
        {1.1861377466, 2, " 1.19"},
        {0.99978, 2, " 1"},
        {1.204, 2, " 1.2"},
        {0.849, 2, " .85"},
        {0.004, 2, " 0"},
        {-1.2345, 2, "-1.23"},
        {2.5, 0, " 3"},
        {-2.5, 0, "-3"},
        {0.5, 0, " 1"},
        {0.49999999999999994, 0, " 1"},  // "0.500000000000000" at 15 digits
        {1.005, 2, " 1.01"},             // the double lies just below 1.005
        {1.0049999999999, 2, " 1"},
        {0.125, 2, " .13"},
        {-0.125, 2, "-.13"},
        {0.005, 2, " .01"},
        {0.0049999, 2, " 0"},
        {9.995, 2, " 10"},
        {99999.995, 2, " 100000"},
        {0.0, 2, " 0"},
        {1e-300, 2, " 0"},
        {1234.5678, 2, " 1234.57"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(displayResult(c.result, c.decimals), c.text) << c.result << " with " << c.decimals << " decimals";
    }
}

TEST(TextRulesDisplay, NegativeResultsThatRoundToZeroAreWrittenWithoutSign) {
    EXPECT_EQ(displayResult(-0.004, 2), " 0");
    EXPECT_EQ(displayResult(-0.4, 0), " 0");
    EXPECT_EQ(displayResult(-0.0, 0), " 0");
    EXPECT_EQ(displayResult(-0.005, 2), "-.01");
}

TEST(TextRulesDisplay, HugeResultsAreWrittenInFull) {
    EXPECT_EQ(displayResult(1e20, 0), " 100000000000000000000");
    EXPECT_EQ(displayResult(-1.5e17, 2), "-150000000000000000");
    EXPECT_EQ(displayResult(std::numeric_limits<double>::max(), 0).size(), 310u);
}

TEST(TextRulesDisplay, NonFiniteResultsAreADash) {
    EXPECT_EQ(displayResult(std::numeric_limits<double>::quiet_NaN(), 2), kNotANumber);
    EXPECT_EQ(displayResult(std::numeric_limits<double>::infinity(), 0), kNotANumber);
    EXPECT_EQ(displayResult(-std::numeric_limits<double>::infinity(), 2), kNotANumber);
    EXPECT_EQ(std::string(kNotANumber), "\xE2\x80\x94");
}

TEST(TextRulesDisplay, DisplayedTextReadsBackToTheRoundedValue) {
    for (double x : {3996.1057872, 1.2487830585, 0.849, -1.2345, 1e20, 12497.5}) {
        for (int decimals : {0, 2}) {
            const std::string shown = displayResult(x, decimals);
            const double scale = decimals == 0 ? 1.0 : 100.0;
            EXPECT_NEAR(readNumber(shown) * scale, std::round(x * scale), std::fabs(x * scale) * 1e-15) << shown;
        }
    }
}

}  // namespace

struct WholeCase {
    const char* text;
    bool whole;
};

TEST(TextRulesWhole, TellsANumberFromANumberWithTextAfterIt) {
    const WholeCase cases[] = {
        {"400", true},
        {" 12", true},
        {"1 200", true},
        {"\t-20\n", true},
        {"1.2E3", true},
        {"2D2", true},
        {".5", true},
        {"5.", true},
        {"1e400", true},
        {"1e - 3", true},
        {"12.5mm", false},
        {"1.2.3", false},
        {"3,5", false},
        {"1e", false},
        {"1e+", false},
        {"1e5x", false},
        {"", false},
        {"mm400", false},
        {"-", false},
        {".", false},
        {"&H10", false},
        {"400 mm", false},
        // Spreadsheet habits: thousands separators, units, full-width digits.
        {"1,000", false},
        {"400mm", false},
        {"１２", false},
        {" ", false},
        {"+3", true},
        {"1E-3", true},
    };
    for (const WholeCase& c : cases)
        EXPECT_EQ(dravik::text_rules::isWhollyNumber(c.text), c.whole) << '"' << c.text << '"';
}
