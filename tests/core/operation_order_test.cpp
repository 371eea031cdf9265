// The formulas are evaluated in exactly the written order, because the order
// decides the last bit and so, at a rounding boundary, the last digit shown.
// Each section is compared bit for bit with a plain-double transcription of
// its formulas over many random inputs; a plausible reordering is shown to
// differ on the same inputs, so the comparison would catch one.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "sections/shapes.h"

namespace {

using namespace dravik::sections;

constexpr double kPiUsed = 3.1415926;
double bar(double d) { return ((kPiUsed * d) * d) / 4; }

bool sameBits(double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; }

struct Reference {
    SectionResults written;    // the formulas in their written order
    SectionResults reordered;  // the same formulas with a tempting reordering
};

// Inputs in each window's input order.
Reference rectangle(const std::vector<double>& v) {
    const double a = v[0], b = v[1], zj1zj = v[2], zj2zj = v[3], zj1sl = v[4], zj2sl = v[5], dgzj = v[6], xgzj = v[7],
                 hxsl = v[8], zxsl = v[9], gjjj = v[10], t = v[11];
    const double S = (bar(zj1zj) * zj1sl) + (bar(zj2zj) * zj2sl);
    const double Lo = (2 * (a - 2 * t)) + (2 * (b - 2 * t));
    const double Li = ((hxsl - 2) * (a - 2 * t)) + ((zxsl - 2) * (b - 2 * t));
    const double N = (bar(dgzj) * Lo) + (bar(xgzj) * Li);
    Reference r;
    r.written = {S, ((S / a) / b) * 100, (((N / (a - 2 * t)) / (b - 2 * t)) / gjjj) * 100};
    r.reordered = {S, (S / (a * b)) * 100, ((N / ((a - 2 * t) * (b - 2 * t))) / gjjj) * 100};
    return r;
}

Reference lShape(const std::vector<double>& v) {
    const double a = v[0], b = v[1], c = v[2], d = v[3], zj1zj = v[4], zj2zj = v[5], zj1sl = v[6], zj2sl = v[7],
                 dgzj = v[8], xgzj = v[9], asl = v[10], bsl = v[11], csl = v[12], dsl = v[13], gjjj = v[14], t = v[15];
    const double S = (bar(zj1zj) * zj1sl) + (bar(zj2zj) * zj2sl);
    const double G = (a * c) + ((b - c) * d);
    const double Lo = (((2 * (a - 2 * t)) + (2 * (b - 2 * t))) + (c - 2 * t)) + (d - 2 * t);
    const double Li = ((((asl - 2) * (a - 2 * t)) + ((bsl - 2) * (b - 2 * t))) + ((csl - 1) * (c - 2 * t))) +
                      ((dsl - 1) * (d - 2 * t));
    const double N = (bar(dgzj) * Lo) + (bar(xgzj) * Li);
    const double K = ((a - 2 * t) * (c - 2 * t)) + ((d - 2 * t) * (b - c));
    const double LoReordered = (2 * (a - 2 * t)) + ((2 * (b - 2 * t)) + ((c - 2 * t) + (d - 2 * t)));
    const double NReordered = (bar(dgzj) * LoReordered) + (bar(xgzj) * Li);
    Reference r;
    r.written = {S, (S / G) * 100, ((N / K) / gjjj) * 100};
    r.reordered = {S, ((S * 100) / G), (NReordered / (K * gjjj)) * 100};
    return r;
}

Reference flanged(const std::vector<double>& v) {
    const double a = v[0], b = v[1], c = v[2], d = v[3], zj1zj = v[4], zj2zj = v[5], zj1sl = v[6], zj2sl = v[7],
                 dgzj = v[8], xgzj = v[9], asl = v[10], bsl = v[11], csl = v[12], dsl = v[13], gjjj = v[14], t = v[15];
    const double S = (bar(zj1zj) * zj1sl) + (bar(zj2zj) * zj2sl);
    const double A = (a * c) + ((b - c) * d);
    const double Lo = (((2 * (a - 2 * t)) + (2 * (b - 2 * t))) + (2 * (c - 2 * t))) + (d - 2 * t);
    const double Li = ((((asl - 2) * (a - 2 * t)) + ((bsl - 2) * (b - 2 * t))) + ((csl - 2) * (c - 2 * t))) +
                      ((dsl - 1) * (d - 2 * t));
    const double N = (bar(dgzj) * Lo) + (bar(xgzj) * Li);
    const double Ac = ((a - 2 * t) * (c - 2 * t)) + ((d - 2 * t) * (b - c));
    const double SReordered = (bar(zj2zj) * zj2sl) + (bar(zj1zj) * zj1sl);
    Reference r;
    r.written = {S, (S / A) * 100, ((N / Ac) / gjjj) * 100};
    r.reordered = {SReordered, (SReordered / A) * 100, ((N / gjjj) / Ac) * 100};
    return r;
}

Reference zShape(const std::vector<double>& v) {
    const double a = v[0], b = v[1], c = v[2], d = v[3], e = v[4], f = v[5], zj1zj = v[6], zj2zj = v[7], zj1sl = v[8],
                 zj2sl = v[9], dgzj = v[10], xgzj = v[11], asl = v[12], bsl = v[13], csl = v[14], dsl = v[15],
                 esl = v[16], fsl = v[17], gjjj = v[18], t = v[19];
    const double S = (bar(zj1zj) * zj1sl) + (bar(zj2zj) * zj2sl);
    const double A = ((a * d) + (e * f)) + (c * ((b - e) - d));
    double Lo = 2 * (a - 2 * t);
    Lo = Lo + 2 * (b - 2 * t);
    Lo = Lo + 2 * (f - 2 * t);
    Lo = Lo + d;
    Lo = Lo - 2 * t;
    Lo = Lo + e;
    Lo = Lo - 2 * t;
    const double Li = (((((asl - 2) * (a - 2 * t)) + ((bsl - 2) * (b - 2 * t))) + ((fsl - 2) * (f - 2 * t))) +
                       ((dsl - 1) * (d - 2 * t)) + ((esl - 1) * (e - 2 * t))) +
                      (csl * (c - 2 * t));
    const double N = (bar(dgzj) * Lo) + (bar(xgzj) * Li);
    const double Ac =
        (((a - 2 * t) * (d - 2 * t)) + ((f - 2 * t) * (e - 2 * t))) + ((c - 2 * t) * (((b - e) - d) + 2 * t));
    // The d and e legs formed as separate terms first.
    const double LoReordered = ((2 * (a - 2 * t) + 2 * (b - 2 * t)) + 2 * (f - 2 * t)) + (d - 2 * t) + (e - 2 * t);
    const double NReordered = (bar(dgzj) * LoReordered) + (bar(xgzj) * Li);
    Reference r;
    r.written = {S, (S / A) * 100, ((N / Ac) / gjjj) * 100};
    r.reordered = {S, (S / A) * 100, ((NReordered / Ac) / gjjj) * 100};
    return r;
}

struct OrderCase {
    const SectionShape* shape;
    Reference (*reference)(const std::vector<double>&);
};

// Random inputs near real sections, with fractional parts so that rounding
// differences show up in the last bit.
std::vector<double> randomInputs(const SectionShape& shape, std::mt19937_64& rng) {
    std::uniform_real_distribution<double> dimension(150.0, 1500.0), diameter(6.0, 36.0), count(0.0, 18.0),
        spacing(80.0, 250.0), cover(10.0, 40.0);
    std::vector<double> v;
    for (const InputField& input : shape.inputs) {
        switch (input.list) {
            case ChoiceList::WideDimension:
            case ChoiceList::RectangleWidth:
            case ChoiceList::LimbDimension: v.push_back(dimension(rng)); break;
            case ChoiceList::BarDiameter:
            case ChoiceList::HoopDiameter: v.push_back(diameter(rng)); break;
            case ChoiceList::Count:
            case ChoiceList::CountFrom1: v.push_back(count(rng)); break;
            case ChoiceList::Spacing: v.push_back(spacing(rng)); break;
            case ChoiceList::Cover: v.push_back(cover(rng)); break;
        }
    }
    return v;
}

TEST(OperationOrder, EachSectionMatchesItsWrittenOrderBitForBit) {
    const OrderCase cases[] = {{&kRectangle, rectangle}, {&kLShape, lShape}, {&kFlanged, flanged}, {&kZShape, zShape}};
    std::mt19937_64 rng(20070101);
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(std::string(c.shape->windowName));
        int reorderingsThatDiffer = 0;
        for (int i = 0; i < 2000; ++i) {
            const std::vector<double> v = randomInputs(*c.shape, rng);
            const SectionResults got = c.shape->calculate(v);
            const Reference ref = c.reference(v);
            ASSERT_TRUE(sameBits(got.steelArea, ref.written.steelArea)) << "case " << i;
            ASSERT_TRUE(sameBits(got.longitudinalRatio, ref.written.longitudinalRatio)) << "case " << i;
            ASSERT_TRUE(sameBits(got.hoopRatio, ref.written.hoopRatio)) << "case " << i;
            const bool differs = !sameBits(ref.reordered.steelArea, ref.written.steelArea) ||
                                 !sameBits(ref.reordered.longitudinalRatio, ref.written.longitudinalRatio) ||
                                 !sameBits(ref.reordered.hoopRatio, ref.written.hoopRatio);
            reorderingsThatDiffer += differs ? 1 : 0;
        }
        // Otherwise the comparison above could not tell the orders apart.
        EXPECT_GT(reorderingsThatDiffer, 100);
    }
}

}  // namespace
