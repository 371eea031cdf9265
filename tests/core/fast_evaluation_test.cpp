// calculate() evaluates each formula in plain arithmetic and falls back to
// the checked evaluation when a value on the way was not finite. Its results
// must be bit for bit those of the checked evaluation (shape.terms()), which
// the calculation sheet shows: compared here on ordinary sections and on the
// inputs where the two could part (zero divisors, overflows, ±∞, NaN, -0,
// subnormals, and a non-finite divisor that plain arithmetic would turn to 0).
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "sections/finite_or_nan.h"
#include "sections/shapes.h"
#include "sections/terms.h"
#include "sections/unchecked_number.h"
#include "text_rules/text_rules.h"

namespace {

using namespace dravik::sections;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();

// Values where plain and checked arithmetic may part.
const double kSpecialValues[] = {0.0,     -0.0,  kInf,   -kInf, kNaN,  1e300, -1e300, 1e-310,
                                 -1e-310, 1e155, 1e-160, kMax,  -kMax, 2.0,   -3.5};

bool sameBits(double x, double y) { return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y); }

std::string describe(const std::vector<double>& numbers) {
    std::ostringstream out;
    out.precision(17);
    for (double v : numbers) out << v << ' ';
    return out.str();
}

std::vector<double> defaults(const SectionShape& shape) {
    std::vector<double> numbers;
    for (const InputField& input : shape.inputs) numbers.push_back(dravik::text_rules::readNumber(input.defaultText));
    return numbers;
}

bool isDimension(ChoiceList list) {
    return list == ChoiceList::WideDimension || list == ChoiceList::RectangleWidth || list == ChoiceList::LimbDimension;
}

// A number such as a user types into the input: whole most of the time,
// sometimes with a fraction so that the last bits differ.
double realisticInput(ChoiceList list, std::mt19937_64& rng) {
    auto pick = [&rng](double low, double high) {
        const double v = std::uniform_real_distribution<double>(low, high)(rng);
        return (rng() % 4 == 0) ? v : std::round(v);
    };
    switch (list) {
        case ChoiceList::WideDimension:
        case ChoiceList::RectangleWidth:
        case ChoiceList::LimbDimension: return pick(100.0, 2000.0);
        case ChoiceList::BarDiameter: return pick(6.0, 50.0);
        case ChoiceList::HoopDiameter: return pick(6.0, 20.0);
        case ChoiceList::Count:
        case ChoiceList::CountFrom1: return pick(0.0, 20.0);
        case ChoiceList::Spacing: return pick(50.0, 300.0);
        case ChoiceList::Cover: return pick(0.0, 60.0);
    }
    return 0.0;
}

std::vector<double> realisticInputs(const SectionShape& shape, std::mt19937_64& rng) {
    std::vector<double> numbers;
    for (const InputField& input : shape.inputs) numbers.push_back(realisticInput(input.list, rng));
    return numbers;
}

std::size_t position(const SectionShape& shape, std::string_view name) {
    for (std::size_t i = 0; i < shape.inputs.size(); ++i) {
        if (shape.inputs[i].name == name) return i;
    }
    ADD_FAILURE() << shape.windowName << " has no input " << name;
    return 0;
}

// How many rows of a group had some result that the checked evaluation
// makes NaN, which is when calculate() evaluates again checked, and how many
// had none (the plain evaluation stood).
struct Paths {
    int fallback = 0;
    int fast = 0;
};

// Compares calculate() with the checked evaluation on one row.
void expectSameAsChecked(const SectionShape& shape, const std::vector<double>& numbers, Paths& paths) {
    const SectionResults fast = shape.calculate(numbers);
    const SectionResults checked = shape.terms(numbers).results();
    const bool same = sameBits(fast.steelArea, checked.steelArea) &&
                      sameBits(fast.longitudinalRatio, checked.longitudinalRatio) &&
                      sameBits(fast.hoopRatio, checked.hoopRatio);
    EXPECT_TRUE(same) << shape.windowName << " inputs " << describe(numbers) << "\n  calculate " << fast.steelArea
                      << ' ' << fast.longitudinalRatio << ' ' << fast.hoopRatio << "\n  checked   " << checked.steelArea
                      << ' ' << checked.longitudinalRatio << ' ' << checked.hoopRatio;
    const bool anyNaN =
        std::isnan(checked.steelArea) || std::isnan(checked.longitudinalRatio) || std::isnan(checked.hoopRatio);
    ++(anyNaN ? paths.fallback : paths.fast);
}

// ---- The mark of UncheckedNumber, one and two operations deep ----

struct OpCase {
    const char* name;
    std::function<FiniteOrNan(FiniteOrNan, FiniteOrNan)> checked;
    std::function<UncheckedNumber(UncheckedNumber, UncheckedNumber)> fast;
};

const OpCase kOps[] = {
    {"+", [](FiniteOrNan x, FiniteOrNan y) { return x + y; },
     [](UncheckedNumber x, UncheckedNumber y) { return x + y; }},
    {"-", [](FiniteOrNan x, FiniteOrNan y) { return x - y; },
     [](UncheckedNumber x, UncheckedNumber y) { return x - y; }},
    {"*", [](FiniteOrNan x, FiniteOrNan y) { return x * y; },
     [](UncheckedNumber x, UncheckedNumber y) { return x * y; }},
    {"/", [](FiniteOrNan x, FiniteOrNan y) { return x / y; },
     [](UncheckedNumber x, UncheckedNumber y) { return x / y; }},
};

// A clean mark (±0) must mean the plain value is the checked value bit for
// bit; a checked NaN must never come with a clean mark.
void expectMarkAgrees(FiniteOrNan checked, UncheckedNumber fast, const std::string& what) {
    const bool clean = exactnessMark(fast) == 0.0;
    if (clean) {
        EXPECT_TRUE(sameBits(fast.value(), checked.value()))
            << what << ": clean mark, plain " << fast.value() << " but checked " << checked.value();
    } else {
        EXPECT_TRUE(std::isnan(checked.value())) << what << ": marked, but checked gives " << checked.value();
    }
    EXPECT_EQ(clean, !std::isnan(checked.value())) << what;
}

TEST(UncheckedNumber, OneOperationIsMarkedExactlyWhenTheCheckedOneIsNaN) {
    for (const OpCase& op : kOps) {
        for (double x : kSpecialValues) {
            for (double y : kSpecialValues) {
                std::ostringstream what;
                what << x << ' ' << op.name << ' ' << y;
                expectMarkAgrees(op.checked(x, y), op.fast(x, y), what.str());
            }
        }
    }
}

// Two operations deep: (x op1 y) op2 z and z op2 (x op1 y), so that an
// overflowed or infinite divisor is divided into a finite number.
TEST(UncheckedNumber, ANonFiniteValueOnTheWayIsMarkedEvenWhenItsResultIsFinite) {
    int vanished = 0;  // rows where the plain result is finite but the checked one NaN
    for (const OpCase& op1 : kOps) {
        for (const OpCase& op2 : kOps) {
            for (double x : kSpecialValues) {
                for (double y : kSpecialValues) {
                    for (double z : kSpecialValues) {
                        std::ostringstream what;
                        what << '(' << x << ' ' << op1.name << ' ' << y << ") " << op2.name << ' ' << z;
                        const UncheckedNumber inner = op1.fast(x, y);
                        expectMarkAgrees(op2.checked(op1.checked(x, y), z), op2.fast(inner, z), what.str());
                        expectMarkAgrees(op2.checked(z, op1.checked(x, y)), op2.fast(z, inner),
                                         what.str() + " (swapped)");
                        const double plain = op2.fast(z, inner).value();
                        vanished += std::isfinite(plain) && std::isnan(op2.checked(z, op1.checked(x, y)).value());
                    }
                }
            }
        }
    }
    // Otherwise the cases above never reach the one way plain arithmetic hides
    // a non-finite value (a finite number divided by ±∞).
    EXPECT_GT(vanished, 0);
}

// ---- Whole formulas: calculate() against the checked evaluation ----

TEST(FastEvaluation, DefaultsTakeTheFastPathAndGiveTheCheckedResults) {
    for (const SectionShape* shape : allShapes()) {
        Paths paths;
        expectSameAsChecked(*shape, defaults(*shape), paths);
        EXPECT_EQ(paths.fast, 1) << shape->windowName;
    }
}

TEST(FastEvaluation, RealisticSectionsGiveTheCheckedResultsBitForBit) {
    std::mt19937_64 rng(1207);
    for (const SectionShape* shape : allShapes()) {
        Paths paths;
        for (int i = 0; i < 100000; ++i) expectSameAsChecked(*shape, realisticInputs(*shape, rng), paths);
        EXPECT_GT(paths.fast, 95000) << shape->windowName;
    }
}

// Each input in turn set to each special value, the others at their defaults.
TEST(FastEvaluation, EachInputSetToAValueThatSpoilsPlainArithmetic) {
    for (const SectionShape* shape : allShapes()) {
        Paths paths;
        for (std::size_t i = 0; i < shape->inputs.size(); ++i) {
            for (double special : kSpecialValues) {
                std::vector<double> numbers = defaults(*shape);
                numbers[i] = special;
                expectSameAsChecked(*shape, numbers, paths);
            }
        }
        EXPECT_GT(paths.fallback, 0) << shape->windowName;
        EXPECT_GT(paths.fast, 0) << shape->windowName;
    }
}

// Divisors that come out exactly zero from ordinary numbers, and divisors that
// overflow, so that plain arithmetic divides by 0 or by ∞.
struct DivisorCase {
    const char* name;
    const SectionShape* shape;
    std::function<void(const SectionShape&, std::vector<double>&)> edit;
};

void set(const SectionShape& shape, std::vector<double>& v, std::string_view name, double value) {
    v[position(shape, name)] = value;
}
double get(const SectionShape& shape, const std::vector<double>& v, std::string_view name) {
    return v[position(shape, name)];
}

// clang-format off
const DivisorCase kDivisorCases[] = {
    {"rectangle a twice the cover", &kRectangle, [](auto& s, auto& v) { set(s, v, "a", 2 * get(s, v, "bhhd")); }},
    {"rectangle b twice the cover", &kRectangle, [](auto& s, auto& v) { set(s, v, "b", 2 * get(s, v, "bhhd")); }},
    {"rectangle a zero", &kRectangle, [](auto& s, auto& v) { set(s, v, "a", 0.0); }},
    {"rectangle a minus zero", &kRectangle, [](auto& s, auto& v) { set(s, v, "a", -0.0); }},
    {"rectangle spacing zero", &kRectangle, [](auto& s, auto& v) { set(s, v, "gjjj", 0.0); }},
    {"rectangle core side overflows", &kRectangle, [](auto& s, auto& v) { set(s, v, "a", kMax); set(s, v, "bhhd", -kMax); }},
    {"rectangle a infinite, so that plain S / a is 0", &kRectangle, [](auto& s, auto& v) { set(s, v, "a", kInf); }},
    {"rectangle outer hoop overflows", &kRectangle, [](auto& s, auto& v) { set(s, v, "a", kMax); set(s, v, "b", kMax); }},
    {"L gross area zero", &kLShape, [](auto& s, auto& v) { set(s, v, "a", 0.0); set(s, v, "b", get(s, v, "c")); }},
    {"L core area zero", &kLShape, [](auto& s, auto& v) { set(s, v, "a", 2 * get(s, v, "bhhd")); set(s, v, "d", 2 * get(s, v, "bhhd")); }},
    {"L core area zero with b equal to c", &kLShape, [](auto& s, auto& v) { set(s, v, "c", 2 * get(s, v, "bhhd")); set(s, v, "b", get(s, v, "c")); }},
    {"L gross area overflows", &kLShape, [](auto& s, auto& v) { set(s, v, "a", 1e200); set(s, v, "c", 1e200); }},
    {"L core area overflows", &kLShape, [](auto& s, auto& v) { set(s, v, "d", 1e160); set(s, v, "b", 1e160); }},
    {"L spacing zero", &kLShape, [](auto& s, auto& v) { set(s, v, "gjjj", 0.0); }},
    {"flanged gross area zero", &kFlanged, [](auto& s, auto& v) { set(s, v, "c", 0.0); set(s, v, "d", 0.0); }},
    {"flanged core area zero", &kFlanged, [](auto& s, auto& v) { set(s, v, "c", 2 * get(s, v, "bhhd")); set(s, v, "b", get(s, v, "c")); }},
    {"flanged spacing overflowed", &kFlanged, [](auto& s, auto& v) { set(s, v, "gjjj", kInf); }},
    {"Z gross area zero", &kZShape, [](auto& s, auto& v) { set(s, v, "a", 0.0); set(s, v, "f", 0.0); set(s, v, "c", 0.0); }},
    {"Z core area zero", &kZShape, [](auto& s, auto& v) {
        const double twoT = 2 * get(s, v, "bhhd");
        for (const char* name : {"a", "f", "c"}) set(s, v, name, twoT);
    }},
    {"Z middle core of no height", &kZShape, [](auto& s, auto& v) {
        const double twoT = 2 * get(s, v, "bhhd");
        set(s, v, "a", twoT); set(s, v, "f", twoT);
        set(s, v, "b", (get(s, v, "e") + get(s, v, "d")) - twoT);
    }},
    {"Z gross area overflows", &kZShape, [](auto& s, auto& v) { set(s, v, "e", 1e200); set(s, v, "f", 1e200); }},
};
// clang-format on

TEST(FastEvaluation, DivisorsThatComeOutZeroOrOverflowGiveTheCheckedDash) {
    for (const DivisorCase& c : kDivisorCases) {
        SCOPED_TRACE(c.name);
        std::vector<double> numbers = defaults(*c.shape);
        c.edit(*c.shape, numbers);
        Paths paths;
        expectSameAsChecked(*c.shape, numbers, paths);
        EXPECT_EQ(paths.fallback, 1) << "the case does not spoil any result";
    }
}

// Random rows where some inputs are special, some realistic, and dimensions
// are now and then made equal to another dimension or to twice the cover, so
// that core sides, the web height or the middle height come out zero.
TEST(FastEvaluation, RandomMixesOfSpecialAndOrdinaryInputsGiveTheCheckedResults) {
    std::mt19937_64 rng(2007);
    for (const SectionShape* shape : allShapes()) {
        const std::size_t cover = position(*shape, "bhhd");
        Paths paths;
        for (int row = 0; row < 100000; ++row) {
            std::vector<double> numbers = realisticInputs(*shape, rng);
            for (std::size_t i = 0; i < numbers.size(); ++i) {
                switch (rng() % 12) {
                    case 0: numbers[i] = kSpecialValues[rng() % std::size(kSpecialValues)]; break;
                    case 1:
                        if (isDimension(shape->inputs[i].list)) numbers[i] = 2 * numbers[cover];
                        break;
                    case 2: {
                        const std::size_t other = rng() % numbers.size();
                        if (isDimension(shape->inputs[i].list) && isDimension(shape->inputs[other].list)) {
                            numbers[i] = numbers[other];
                        }
                        break;
                    }
                    default: break;
                }
            }
            expectSameAsChecked(*shape, numbers, paths);
        }
        EXPECT_GT(paths.fallback, 10000) << shape->windowName;
        EXPECT_GT(paths.fast, 10000) << shape->windowName;
    }
}

// Fewer numbers than inputs: the missing ones read 0 on both paths.
TEST(FastEvaluation, MissingInputsReadZeroOnBothPaths) {
    for (const SectionShape* shape : allShapes()) {
        const std::vector<double> all = defaults(*shape);
        Paths paths;
        for (std::ptrdiff_t count = 0; count <= std::ssize(all); ++count) {
            expectSameAsChecked(*shape, std::vector<double>(all.begin(), all.begin() + count), paths);
        }
        EXPECT_GT(paths.fallback, 0) << shape->windowName;
    }
}

}  // namespace
