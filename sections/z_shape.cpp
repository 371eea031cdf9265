// The Z-shaped corner column Z形转角柱 (window zxzjzpjl): a bottom part a long
// and d high, a top part f long and e high, joined by a middle part c wide;
// b high in all.
// The window's layout is in the file of the same name, layouts/z_shape.cpp.
#include "sections/common_inputs.h"
#include "sections/common_quantities.h"
#include "sections/formula.h"
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

constexpr InputField kInputs[] = {
    dimension("a", "1200", ChoiceList::WideDimension),
    dimension("b", "1300", ChoiceList::WideDimension),
    dimension("c", "500", ChoiceList::LimbDimension),
    dimension("d", "500", ChoiceList::LimbDimension),
    dimension("e", "500", ChoiceList::LimbDimension),
    dimension("f", "1000", ChoiceList::LimbDimension),
    zj1zj("22"),
    zj2zj("20"),
    zj1sl("18"),
    zj2sl("18"),
    dgzj("12"),
    xgzj("10"),
    legCount("asl", "4"),
    legCount("bsl", "4"),
    legCount("csl", "1"),
    legCount("dsl", "4", ChoiceList::CountFrom1),
    legCount("esl", "3", ChoiceList::CountFrom1),
    legCount("fsl", "4", ChoiceList::CountFrom1),
    gjjj("100"),
    bhhd("15"),
};
static_assert(std::size(kInputs) == kInputCount && kInputCount <= kMaxInputs);
static_assert(kInputs[asl].name == "asl" && kInputs[fsl].name == "fsl" && kInputs[bhhd_].name == "bhhd");

// Written once for every number type (sections/formula.h).
constexpr auto kFormula = []<class Recorder>(std::span<const double> numbers, Recorder& out) {
    using Number = typename Recorder::Number;
    const InputNumbers<Number, kInputCount> v(numbers);
    const Number t = v[bhhd_];
    const Number S = formSteelArea(out, v[zj1zj_], v[zj1sl_], v[zj2zj_], v[zj2sl_]);
    const Number gross = out.form(Term::GrossArea, ((v[a] * v[d]) + (v[e] * v[f])) + (v[c] * ((v[b] - v[e]) - v[d])));
    out.form(Term::LongitudinalRatio, (S / gross) * 100.0);

    const Number coreA = out.form(Term::CoreA, coreDimension(v[a], t));
    const Number coreB = out.form(Term::CoreB, coreDimension(v[b], t));
    const Number coreC = out.form(Term::CoreC, coreDimension(v[c], t));
    const Number coreD = out.form(Term::CoreD, coreDimension(v[d], t));
    const Number coreE = out.form(Term::CoreE, coreDimension(v[e], t));
    const Number coreF = out.form(Term::CoreF, coreDimension(v[f], t));
    // Summed strictly from the left: d is added, then 2t taken off, then e
    // added and 2t taken off again; the d and e legs are never formed alone.
    const Number twoT = 2.0 * t;
    const Number outer = out.form(Term::OuterHoopLength,
                                  (((((2.0 * coreA) + (2.0 * coreB)) + (2.0 * coreF)) + v[d]) - twoT + v[e]) - twoT);
    // All csl legs are inner legs: nothing is subtracted from csl.
    const Number inner = out.form(Term::InnerLegLength,
                                  (((((v[asl] - 2.0) * coreA) + ((v[bsl] - 2.0) * coreB)) + ((v[fsl] - 2.0) * coreF)) +
                                   ((v[dsl] - 1.0) * coreD)) +
                                      ((v[esl] - 1.0) * coreE) + (v[csl] * coreC));
    const Number outerBar = out.form(Term::OuterBarArea, barArea(v[dgzj_]));
    const Number innerBar = out.form(Term::InnerBarArea, barArea(v[xgzj_]));
    const Number numerator = out.form(Term::Numerator, (outerBar * outer) + (innerBar * inner));
    // The middle core reaches from the bottom core to the top core:
    // ((b − e) − d) + 2t high.
    const Number middleHeight = ((v[b] - v[e]) - v[d]) + twoT;
    const Number core = out.form(Term::CoreArea, ((coreA * coreD) + (coreF * coreE)) + (coreC * middleHeight));
    out.form(Term::HoopRatio, ((numerator / core) / v[gjjj_]) * 100.0);
};

SectionTerms terms(std::span<const double> numbers) { return checkedTerms(numbers, kFormula); }
SectionResults calculate(std::span<const double> numbers) { return fastResults(numbers, kFormula); }

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
