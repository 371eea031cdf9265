// The L-shaped corner column L形转角柱 (window lxzjzpjl): a lower limb a long
// and c high, and an upper limb d wide standing on its left end, b high in all.
#include "sections/common_inputs.h"
#include "sections/shapes.h"

namespace dravik::sections {
namespace {

using namespace common_inputs;

enum Input { a, b, c, d, zj1zj_, zj2zj_, zj1sl_, zj2sl_, dgzj_, xgzj_, asl, bsl, csl, dsl, gjjj_, bhhd_, kInputCount };

constexpr InputSpec kInputs[] = {
    dimension("a", "Label5", "长度a（mm）", "下部长", "1000", ChoiceList::WideDimension),
    dimension("b", "Label6", "高度b（mm）", "总高度", "800", ChoiceList::WideDimension),
    dimension("c", "Label11", "高度c（mm）", "下部高", "400", ChoiceList::LimbDimension),
    dimension("d", "Label10", "宽度d（mm）", "上部宽", "400", ChoiceList::LimbDimension),
    zj1zj("20"),
    zj2zj("18"),
    zj1sl("7"),
    zj2sl("15"),
    dgzj("12"),
    xgzj("10"),
    legCount("asl", "Label7", "平行a数量（根）", "4"),
    legCount("bsl", "Label4", "平行b数量（根）", "4"),
    legCount("csl", "Label19", "平行c数量（根）", "3"),
    legCount("dsl", "Label18", "平行d数量（根）", "2"),
    gjjj("120"),
    bhhd("15"),
};
static_assert(std::size(kInputs) == kInputCount);
static_assert(kInputs[asl].name == "asl" && kInputs[dsl].name == "dsl" && kInputs[bhhd_].name == "bhhd");

SectionResults calculate(std::span<const double> numbers) {
    const auto v = asReals<kInputCount>(numbers);
    const Real t = v[bhhd_];
    const Real S = steelArea(v[zj1zj_], v[zj1sl_], v[zj2zj_], v[zj2sl_]);
    const Real gross = (v[a] * v[c]) + ((v[b] - v[c]) * v[d]);
    const Real ratio = (S / gross) * 100.0;

    const Real coreA = coreDimension(v[a], t);
    const Real coreB = coreDimension(v[b], t);
    const Real coreC = coreDimension(v[c], t);
    const Real coreD = coreDimension(v[d], t);
    // The outer hoop: two legs along a and along b, one across each limb.
    const Real outer = (((2.0 * coreA) + (2.0 * coreB)) + coreC) + coreD;
    const Real inner =
        ((((v[asl] - 2.0) * coreA) + ((v[bsl] - 2.0) * coreB)) + ((v[csl] - 1.0) * coreC)) + ((v[dsl] - 1.0) * coreD);
    const Real numerator = (barArea(v[dgzj_]) * outer) + (barArea(v[xgzj_]) * inner);
    // The upper limb's core is b − c high: the plain difference, no cover taken off.
    const Real core = (coreA * coreC) + (coreD * (v[b] - v[c]));
    const Real hoop = ((numerator / core) / v[gjjj_]) * 100.0;
    return {S.value(), ratio.value(), hoop.value()};
}

}  // namespace

const SectionShape kLShape = {
    "lxzjzpjl",
    "L形转角柱",
    "L形转角柱配筋率－TorvaneI号 Halvorn ver1.2  2007.01",
    kInputs,
    {"6016", "1.07", "1.38"},
    {Result::LongitudinalRatio, Result::HoopRatio, Result::SteelArea},
    calculate,
};

}  // namespace dravik::sections
