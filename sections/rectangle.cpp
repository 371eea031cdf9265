// The rectangular concealed column 暗柱 (window azpjl): an a × b rectangle at
// the free end of a straight wall.
// The window's layout is in the file of the same name, layouts/rectangle.cpp.
#include "sections/common_inputs.h"
#include "sections/common_quantities.h"
#include "sections/formula.h"
#include "sections/shapes.h"
#include "sections/terms.h"

namespace dravik::sections {
namespace {

using namespace common_inputs;

enum Input { a, b, zj1zj_, zj2zj_, zj1sl_, zj2sl_, dgzj_, xgzj_, hxsl, zxsl, gjjj_, bhhd_, kInputCount };

constexpr InputField kInputs[] = {
    dimension("a", "400", ChoiceList::RectangleWidth),
    dimension("b", "800", ChoiceList::WideDimension),
    zj1zj("20"),
    zj2zj("18"),
    zj1sl("3"),
    zj2sl("12"),
    dgzj("12"),
    xgzj("10"),
    // Legs across (parallel to a) and along (parallel to b), the outer
    // hoop's two sides of each direction included.
    legCount("hxsl", "5"),
    legCount("zxsl", "3"),
    gjjj("120"),
    bhhd("15"),
};
static_assert(std::size(kInputs) == kInputCount && kInputCount <= kMaxInputs);
static_assert(kInputs[hxsl].name == "hxsl" && kInputs[bhhd_].name == "bhhd");

// Written once for every number type (sections/formula.h).
constexpr auto kFormula = []<class Recorder>(std::span<const double> numbers, Recorder& out) {
    using Number = typename Recorder::Number;
    const InputNumbers<Number, kInputCount> v(numbers);
    const Number t = v[bhhd_];
    const Number S = formSteelArea(out, v[zj1zj_], v[zj1sl_], v[zj2zj_], v[zj2sl_]);
    out.form(Term::LongitudinalRatio, ((S / v[a]) / v[b]) * 100.0);

    const Number coreA = out.form(Term::CoreA, coreDimension(v[a], t));
    const Number coreB = out.form(Term::CoreB, coreDimension(v[b], t));
    const Number outer = out.form(Term::OuterHoopLength, (2.0 * coreA) + (2.0 * coreB));
    const Number inner = out.form(Term::InnerLegLength, ((v[hxsl] - 2.0) * coreA) + ((v[zxsl] - 2.0) * coreB));
    const Number outerBar = out.form(Term::OuterBarArea, barArea(v[dgzj_]));
    const Number innerBar = out.form(Term::InnerBarArea, barArea(v[xgzj_]));
    const Number numerator = out.form(Term::Numerator, (outerBar * outer) + (innerBar * inner));
    // The core area is never formed: N is divided by each core side in turn.
    out.form(Term::HoopRatio, (((numerator / coreA) / coreB) / v[gjjj_]) * 100.0);
};

SectionTerms terms(std::span<const double> numbers) { return checkedTerms(numbers, kFormula); }
SectionResults calculate(std::span<const double> numbers) { return fastResults(numbers, kFormula); }

}  // namespace

const SectionShape kRectangle = {
    "azpjl",
    "暗柱",
    "暗柱配筋率－TorvaneI号 Halvorn公司  ver1.2    2007.01",
    kInputs,
    {"3996", "1.25", "1.19"},
    {Result::SteelArea, Result::LongitudinalRatio, Result::HoopRatio},
    calculate,
    terms,
};

}  // namespace dravik::sections
