// The L-shaped corner column L形转角柱 (window lxzjzpjl): a lower limb a long
// and c high, and an upper limb d wide standing on its left end, b high in all.
// The window's layout is in the file of the same name, layouts/l_shape.cpp.
#include "sections/common_formulas.h"
#include "sections/common_inputs.h"
#include "sections/shapes.h"

namespace dravik::sections {
namespace {

using namespace common_inputs;

constexpr InputField kInputs[] = {
    dimension("a", "1000", ChoiceList::WideDimension),
    dimension("b", "800", ChoiceList::WideDimension),
    dimension("c", "400", ChoiceList::LimbDimension),
    dimension("d", "400", ChoiceList::LimbDimension),
    zj1zj("20"),
    zj2zj("18"),
    zj1sl("7"),
    zj2sl("15"),
    dgzj("12"),
    xgzj("10"),
    legCount("asl", "na", "4"),
    legCount("bsl", "nb", "4"),
    legCount("csl", "nc", "3"),
    legCount("dsl", "nd", "2"),
    gjjj("120"),
    bhhd("15"),
};
static_assert(std::size(kInputs) <= kMaxInputs);

using namespace formula;

// One outer hoop leg along c: the end of the lower limb.
// clang-format off
constexpr auto kFormulas = define(kInputs,
    kSteelFigure,
    figure(kTwoLimbGrossArea, kRatioOverGrossArea),
    figure(kCoreA, kCoreB, kCoreC, kCoreD,
           Step{Lo, chain((2 * aCore) + (2 * bCore) + cCore + dCore)},
           Step{Li, chain(((na - 2) * aCore) + ((nb - 2) * bCore) + ((nc - 1) * cCore) + ((nd - 1) * dCore))},
           kOuterBarArea, kInnerBarArea, kHoopVolume, kTwoLimbCoreArea, kHoopRatioOverCoreArea));
// clang-format on

}  // namespace

const SectionShape kLShape = {
    "lxzjzpjl",
    "L形转角柱",
    "L形转角柱配筋率－TorvaneI号 Halvorn ver1.2  2007.01",
    kInputs,
    {"6016", "1.07", "1.38"},
    {Result::LongitudinalRatio, Result::HoopRatio, Result::SteelArea},
    fastResults<kFormulas>,
    checkedTerms<kFormulas>,
    formula::figureTexts<kFormulas>(),
};

}  // namespace dravik::sections
