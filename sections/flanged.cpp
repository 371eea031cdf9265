// The flanged column 翼柱 (window yzpjl): an inverted T, a flange a long and
// c high with a web d wide standing on it, b high in all.
#include "sections/common_inputs.h"
#include "sections/shapes.h"

namespace dravik::sections {
namespace {

using namespace common_inputs;

enum Input { a, b, c, d, zj1zj_, zj2zj_, zj1sl_, zj2sl_, dgzj_, xgzj_, asl, bsl, csl, dsl, gjjj_, bhhd_, kInputCount };

constexpr InputSpec kInputs[] = {
    dimension("a", "Label5", "长度a（mm）", "底部长", "1200", ChoiceList::WideDimension),
    dimension("b", "Label6", "高度b（mm）", "总高度", "600", ChoiceList::WideDimension),
    dimension("c", "Label11", "高度c（mm）", "下部高", "200", ChoiceList::LimbDimension),
    dimension("d", "Label10", "宽度d（mm）", "中部宽", "300", ChoiceList::LimbDimension),
    zj1zj("20"),
    zj2zj("18"),
    zj1sl("8"),
    zj2sl("16"),
    dgzj("12"),
    xgzj("10", "小箍及拉筋直径（mm）"),
    legCount("asl", "Label7", "平行a数量（根）", "2"),
    legCount("bsl", "Label4", "平行b数量（根）", "2"),
    legCount("csl", "Label19", "平行c数量（根）", "5"),
    legCount("dsl", "Label18", "平行d数量（根）", "3"),
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
    // Unlike the L, the flange's ends give two legs along c, so the c term is
    // doubled here and csl loses 2.
    const Real outer = (((2.0 * coreA) + (2.0 * coreB)) + (2.0 * coreC)) + coreD;
    const Real inner =
        ((((v[asl] - 2.0) * coreA) + ((v[bsl] - 2.0) * coreB)) + ((v[csl] - 2.0) * coreC)) + ((v[dsl] - 1.0) * coreD);
    const Real numerator = (barArea(v[dgzj_]) * outer) + (barArea(v[xgzj_]) * inner);
    // The web's core is b − c high: the plain difference, no cover taken off.
    const Real core = (coreA * coreC) + (coreD * (v[b] - v[c]));
    const Real hoop = ((numerator / core) / v[gjjj_]) * 100.0;
    return {S.value(), ratio.value(), hoop.value()};
}

}  // namespace

const SectionShape kFlanged = {
    "yzpjl",
    "翼柱",
    "翼柱配筋率－ TorvaneI号 Halvorn ver1.2 2007.01",
    kInputs,
    {"6585", "1.83", "1.48"},
    {Result::LongitudinalRatio, Result::HoopRatio, Result::SteelArea},
    calculate,
};

}  // namespace dravik::sections
