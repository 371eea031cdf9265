// The Z-shaped corner column Z形转角柱 (window zxzjzpjl): a bottom part a long
// and d high, a top part f long and e high, joined by a middle part c wide;
// b high in all.
#include "sections/common_inputs.h"
#include "sections/shapes.h"
#include "sections/terms.h"

namespace dravik::sections {
namespace {

using namespace common_inputs;

enum Input {
    a,
    b,
    c,
    d,
    e,
    f,
    zj1zj_,
    zj2zj_,
    zj1sl_,
    zj2sl_,
    dgzj_,
    xgzj_,
    asl,
    bsl,
    csl,
    dsl,
    esl,
    fsl,
    gjjj_,
    bhhd_,
    kInputCount
};

constexpr InputSpec kInputs[] = {
    dimension("a", "Label5", "长度a（mm）", "底部长", "1200", ChoiceList::WideDimension),
    dimension("b", "Label6", "高度b（mm）", "总高度", "1300", ChoiceList::WideDimension),
    dimension("c", "Label11", "宽度c（mm）", "中部宽", "500", ChoiceList::LimbDimension),
    dimension("d", "Label10", "高度d（mm）", "底部高", "500", ChoiceList::LimbDimension),
    dimension("e", "Label20", "高度e（mm）", "上部高", "500", ChoiceList::LimbDimension),
    dimension("f", "Label21", "长度f（mm）", "上部长", "1000", ChoiceList::LimbDimension),
    zj1zj("22"),
    zj2zj("20"),
    zj1sl("18"),
    zj2sl("18"),
    dgzj("12", "用于外围大箍"),
    xgzj("10", "小箍、拉筋直径（mm）", "用于内部小箍及拉筋"),
    legCount("asl", "Label7", "平行a数量（根）", "4"),
    legCount("bsl", "Label4", "平行b数量（根）", "4"),
    legCount("csl", "Label19", "平行c数量（根）", "1"),
    legCount("dsl", "Label18", "平行d数量（根）", "4", ChoiceList::CountFrom1),
    legCount("esl", "Label22", "平行e数量（根）", "3", ChoiceList::CountFrom1),
    legCount("fsl", "Label23", "平行f数量（根）", "4", ChoiceList::CountFrom1),
    gjjj("100"),
    bhhd("15"),
};
static_assert(std::size(kInputs) == kInputCount);
static_assert(kInputs[asl].name == "asl" && kInputs[fsl].name == "fsl" && kInputs[bhhd_].name == "bhhd");

SectionTerms terms(std::span<const double> numbers) {
    const auto v = asReals<kInputCount>(numbers);
    SectionTerms out;
    const Real t = v[bhhd_];
    const Real S = formSteelArea(out, v[zj1zj_], v[zj1sl_], v[zj2zj_], v[zj2sl_]);
    const Real gross = out.form(Term::GrossArea, ((v[a] * v[d]) + (v[e] * v[f])) + (v[c] * ((v[b] - v[e]) - v[d])));
    out.form(Term::LongitudinalRatio, (S / gross) * 100.0);

    const Real coreA = out.form(Term::CoreA, coreDimension(v[a], t));
    const Real coreB = out.form(Term::CoreB, coreDimension(v[b], t));
    const Real coreC = out.form(Term::CoreC, coreDimension(v[c], t));
    const Real coreD = out.form(Term::CoreD, coreDimension(v[d], t));
    const Real coreE = out.form(Term::CoreE, coreDimension(v[e], t));
    const Real coreF = out.form(Term::CoreF, coreDimension(v[f], t));
    // Summed strictly from the left: d is added, then 2t taken off, then e
    // added and 2t taken off again; the d and e legs are never formed alone.
    const Real twoT = 2.0 * t;
    const Real outer = out.form(Term::OuterHoopLength,
                                (((((2.0 * coreA) + (2.0 * coreB)) + (2.0 * coreF)) + v[d]) - twoT + v[e]) - twoT);
    // All csl legs are inner legs: nothing is subtracted from csl.
    const Real inner = out.form(Term::InnerLegLength,
                                (((((v[asl] - 2.0) * coreA) + ((v[bsl] - 2.0) * coreB)) + ((v[fsl] - 2.0) * coreF)) +
                                 ((v[dsl] - 1.0) * coreD)) +
                                    ((v[esl] - 1.0) * coreE) + (v[csl] * coreC));
    const Real outerBar = out.form(Term::OuterBarArea, barArea(v[dgzj_]));
    const Real innerBar = out.form(Term::InnerBarArea, barArea(v[xgzj_]));
    const Real numerator = out.form(Term::Numerator, (outerBar * outer) + (innerBar * inner));
    // The middle core reaches from the bottom core to the top core:
    // ((b − e) − d) + 2t high.
    const Real middleHeight = ((v[b] - v[e]) - v[d]) + twoT;
    const Real core = out.form(Term::CoreArea, ((coreA * coreD) + (coreF * coreE)) + (coreC * middleHeight));
    out.form(Term::HoopRatio, ((numerator / core) / v[gjjj_]) * 100.0);
    return out;
}

SectionResults calculate(std::span<const double> numbers) { return terms(numbers).results(); }

}  // namespace

const SectionShape kZShape = {
    "zxzjzpjl",
    "Z形转角柱",
    "Z形转角柱配筋率－TorvaneI号 Halvorn ver1.2  2007.01",
    kInputs,
    {"12497", "1", "1.41"},
    {Result::LongitudinalRatio, Result::HoopRatio, Result::SteelArea},
    calculate,
    terms,
};

}  // namespace dravik::sections
