// The flanged column 翼柱 (window yzpjl): an inverted T, a flange a long and
// c high with a web d wide standing on it, b high in all.
// The window's layout is in the file of the same name, layouts/flanged.cpp.
#include "sections/common_formulas.h"
#include "sections/common_inputs.h"
#include "sections/shapes.h"

namespace dravik::sections {
namespace {

using namespace common_inputs;

constexpr InputField kInputs[] = {
    dimension("a", "1200", ChoiceList::WideDimension),
    dimension("b", "600", ChoiceList::WideDimension),
    dimension("c", "200", ChoiceList::LimbDimension),
    dimension("d", "300", ChoiceList::LimbDimension),
    zj1zj("20"),
    zj2zj("18"),
    zj1sl("8"),
    zj2sl("16"),
    dgzj("12"),
    xgzj("10"),
    legCount("asl", "na", "2"),
    legCount("bsl", "nb", "2"),
    legCount("csl", "nc", "5"),
    legCount("dsl", "nd", "3"),
    gjjj("120"),
    bhhd("15"),
};
static_assert(std::size(kInputs) <= kMaxInputs);

using namespace formula;

// Two outer hoop legs along c: both ends of the flange.
// clang-format off
constexpr auto kFormulas = define(kInputs,
    kSteelFigure,
    figure(kTwoLimbGrossArea, kRatioOverGrossArea),
    figure(kCoreA, kCoreB, kCoreC, kCoreD,
           Step{Lo, chain((2 * aCore) + (2 * bCore) + (2 * cCore) + dCore)},
           Step{Li, chain(((na - 2) * aCore) + ((nb - 2) * bCore) + ((nc - 2) * cCore) + ((nd - 1) * dCore))},
           kOuterBarArea, kInnerBarArea, kHoopVolume, kTwoLimbCoreArea, kHoopRatioOverCoreArea));
// clang-format on

}  // namespace

const SectionShape kFlanged = {
    "yzpjl",
    "翼柱",
    "翼柱配筋率－ TorvaneI号 Halvorn ver1.2 2007.01",
    kInputs,
    {"6585", "1.83", "1.48"},
    {Result::LongitudinalRatio, Result::HoopRatio, Result::SteelArea},
    fastResults<kFormulas>,
    checkedTerms<kFormulas>,
    formula::figureTexts<kFormulas>(),
};

}  // namespace dravik::sections
