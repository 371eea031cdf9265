// The two ways of reading and writing doubles (text_rules/float_chars.h)
// agree: the standard library's, which the desktop uses, and fast_float with
// printf, which the page uses.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "text_rules/float_chars.h"

namespace {

using namespace dravik::text_rules::float_chars;

// Doubles of every magnitude: random bit patterns, finite ones only, and
// the ones near the edges of the range and of rounding.
std::vector<double> someDoubles() {
    std::mt19937_64 random(20261209);
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1.0,
                                  0.1,
                                  1e20,
                                  1e21,
                                  1e-5,
                                  1e-4,
                                  123456.0,
                                  1.005,
                                  0.849,
                                  5e-324,
                                  1e-310,
                                  1.7976931348623157e308,
                                  9007199254740993.0,
                                  2.5e-5,
                                  1e15,
                                  999999.5,
                                  0.0001,
                                  113.09733600000001};
    while (values.size() < 60000) {
        const double x = std::bit_cast<double>(random());
        if (std::isfinite(x)) values.push_back(x);
        values.push_back(static_cast<double>(random() % 100000000) / 1000.0);
    }
    return values;
}

template <typename Write>
std::string written(Write write, double x) {
    char buffer[400];
    return {buffer, write(buffer, buffer + sizeof buffer, x)};
}

TEST(FloatChars, BothWaysWriteTheSameTexts) {
    for (double x : someDoubles()) {
        for (int precision : {14, 9, 0}) {
            auto stdWay = [&](char* f, char* l, double v) { return std_way::writeScientific(f, l, v, precision); };
            auto ownWay = [&](char* f, char* l, double v) { return own_way::writeScientific(f, l, v, precision); };
            ASSERT_EQ(written(stdWay, x), written(ownWay, x)) << "scientific " << precision;
        }
        auto stdGeneral = [](char* f, char* l, double v) { return std_way::writeGeneral(f, l, v, 10); };
        auto ownGeneral = [](char* f, char* l, double v) { return own_way::writeGeneral(f, l, v, 10); };
        ASSERT_EQ(written(stdGeneral, x), written(ownGeneral, x));
        ASSERT_EQ(written(std_way::writeShortest, x), written(own_way::writeShortest, x));
    }
}

TEST(FloatChars, BothWaysReadTheSameNumbers) {
    std::vector<std::string> texts = {"0",
                                      "1e400",
                                      "-1e400",
                                      "1e-400",
                                      "-1e-400",
                                      "4.9e-324",
                                      "2e-324",
                                      "1.7976931348623159e308",
                                      "2.2250738585072011e-308",
                                      "0e999",
                                      "123.456e-7"};
    for (double x : someDoubles()) texts.push_back(written(std_way::writeShortest, x));
    std::mt19937 random(7);
    for (int i = 0; i < 100000; ++i) {
        std::string t = random() % 2 ? "-" : "";
        for (auto n = 1 + random() % 25; n > 0; --n) t += static_cast<char>('0' + random() % 10);
        if (random() % 2) t.insert(1 + random() % (t.size()), ".");
        if (random() % 2) t += "e" + std::to_string(static_cast<int>(random() % 700) - 350);
        texts.push_back(t);
    }
    for (const std::string& t : texts) {
        const Read a = std_way::read(t);
        const Read b = own_way::read(t);
        ASSERT_EQ(a.ec, b.ec) << t;
        if (a.ec == std::errc{}) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(a.value), std::bit_cast<std::uint64_t>(b.value)) << t;
        }
    }
}

}  // namespace
