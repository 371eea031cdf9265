// The rectangular concealed column 暗柱 (window azpjl): an a × b rectangle at
// the free end of a straight wall.
// The window's layout is in the file of the same name, layouts/rectangle.cpp.
#include "sections/common_inputs.h"
#include "sections/common_quantities.h"
#include "sections/shapes.h"
#include "sections/terms.h"

namespace dravik::sections {
namespace {

using namespace common_inputs;

enum Input { a, b, zj1zj_, zj2zj_, zj1sl_, zj2sl_, dgzj_, xgzj_, hxsl, zxsl, gjjj_, bhhd_, kInputCount };

constexpr InputSpec kInputs[] = {
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

SectionTerms terms(std::span<const double> numbers) {
    const auto v = asFiniteOrNan<kInputCount>(numbers);
    SectionTerms out;
    const FiniteOrNan t = v[bhhd_];
    const FiniteOrNan S = formSteelArea(out, v[zj1zj_], v[zj1sl_], v[zj2zj_], v[zj2sl_]);
    out.form(Term::LongitudinalRatio, ((S / v[a]) / v[b]) * 100.0);

    const FiniteOrNan coreA = out.form(Term::CoreA, coreDimension(v[a], t));
    const FiniteOrNan coreB = out.form(Term::CoreB, coreDimension(v[b], t));
    const FiniteOrNan outer = out.form(Term::OuterHoopLength, (2.0 * coreA) + (2.0 * coreB));
    const FiniteOrNan inner = out.form(Term::InnerLegLength, ((v[hxsl] - 2.0) * coreA) + ((v[zxsl] - 2.0) * coreB));
    const FiniteOrNan outerBar = out.form(Term::OuterBarArea, barArea(v[dgzj_]));
    const FiniteOrNan innerBar = out.form(Term::InnerBarArea, barArea(v[xgzj_]));
    const FiniteOrNan numerator = out.form(Term::Numerator, (outerBar * outer) + (innerBar * inner));
    // The core area is never formed: N is divided by each core side in turn.
    out.form(Term::HoopRatio, (((numerator / coreA) / coreB) / v[gjjj_]) * 100.0);
    return out;
}

SectionResults calculate(std::span<const double> numbers) { return terms(numbers).results(); }

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
