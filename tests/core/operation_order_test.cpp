// The formulas are evaluated in exactly their written order, because the
// order decides the last bit and so, at a rounding boundary, the last digit
// shown. The expected results are recorded bit for bit (as hexadecimal
// doubles) from the written order, on sections with fractional dimensions
// chosen so that the reordering each group names gives another last bit; the
// defining evaluation (terms) and the fast one (calculate) must both give them.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "sections/shapes.h"
#include "sections/terms.h"

namespace {

using namespace dravik::sections;

struct OrderCase {
    const SectionShape* shape;
    std::vector<double> inputs;  // in the window's input order
    SectionResults expected;
};

// clang-format off
const OrderCase kCases[] = {
    // ρ and ρv divided by the product of the sides, or of the core sides, instead
    // of by each in turn give another last bit.
    {&kRectangle, {1168.4, 1431.6, 9.5, 32.8, 3, 2, 31, 33, 5, 13, 208.5, 27.9},
     {0x1.dba49c4fc6b41p+10, 0x1.d1e50e96eedc8p-4, 0x1.882347e826599p+2}},
    {&kRectangle, {1050.7, 180.1, 22.5, 27.2, 12, 17, 15.4, 21.7, 2, 2, 227.5, 21.6},
     {0x1.c9cbbac9d5bb4p+13, 0x1.ef75f93361afdp+2, 0x1.5bd0d3d266f52p+0}},
    // Lo summed from the right, ρ multiplied by 100 before the division, or ρv
    // divided by the product of Ac and s give another last bit.
    {&kLShape, {318.4, 748.5, 683.3, 819.2, 28.7, 29.8, 15, 4, 34.5, 23.1, 11, 17, 15, 8, 117.7, 33.4},
     {0x1.866dd4d6afad3p+13, 0x1.2715223b48cd8p+2, 0x1.d4db34bbc1b71p+5}},
    {&kLShape, {1479.8, 157.2, 872.2, 346.6, 17.3, 33.8, 11, 11, 10.5, 9.1, 18, 6, 12, 17, 183.1, 31.1},
     {0x1.853d38fb2843ap+13, 0x1.31c2540817432p+0, 0x1.94408097c8e68p+0}},
    // ρv divided by s before Ac gives another last bit.
    {&kFlanged, {350.9, 747, 260.2, 321.2, 23.4, 9.9, 11, 10, 18.6, 34.5, 8, 13, 7, 8, 237.3, 28},
     {0x1.57c58f2599febp+12, 0x1.1c460e4dd9b4cp+1, 0x1.b15f0263d1a08p+4}},
    {&kFlanged, {950.8, 613.2, 368.9, 274, 19.4, 18.3, 11, 7, 8.8, 15.6, 5, 14, 14, 10, 145, 34.4},
     {0x1.3e4abbb87fa79p+12, 0x1.3820dca999cbdp+0, 0x1.a727168eac495p+2}},
    // Lo with the d and e legs formed alone first gives another last bit.
    {&kZShape, {256.6, 455.1, 389.3, 1493.2, 358.5, 630.1, 7.5, 12.9, 12, 14, 34.9, 8.9, 1, 5, 2, 7, 5, 8, 115.2, 22.1},
     {0x1.26fd5a01e4ba3p+11, 0x1.ce3c7212240dap+1, 0x1.549b1ab89f07dp+7}},
    {&kZShape, {648.1, 1373.9, 599.1, 934, 212.3, 647, 27.5, 12.5, 3, 9, 27.8, 18.7, 5, 14, 11, 4, 4, 10, 179.4, 14.2},
     {0x1.68cad28b6d86fp+11, 0x1.503b6c2fa2371p-2, 0x1.146c9dbcd9e11p+3}}
};
// clang-format on

void expectSameBits(const SectionResults& got, const SectionResults& expected, const std::string& what) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(got.steelArea), std::bit_cast<std::uint64_t>(expected.steelArea)) << what;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(got.longitudinalRatio),
              std::bit_cast<std::uint64_t>(expected.longitudinalRatio))
        << what;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(got.hoopRatio), std::bit_cast<std::uint64_t>(expected.hoopRatio)) << what;
}

TEST(OperationOrder, EachSectionGivesItsWrittenOrdersResultsBitForBit) {
    for (std::size_t i = 0; i < std::size(kCases); ++i) {
        const OrderCase& c = kCases[i];
        const std::string what = std::string(c.shape->windowName) + " case " + std::to_string(i);
        ASSERT_EQ(c.inputs.size(), c.shape->inputs.size()) << what;
        expectSameBits(c.shape->terms(c.inputs).results(), c.expected, what + " (terms)");
        expectSameBits(c.shape->calculate(c.inputs), c.expected, what + " (calculate)");
    }
}

}  // namespace
