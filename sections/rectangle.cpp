// The rectangular concealed column 暗柱 (window azpjl): an a × b rectangle at
// the free end of a straight wall.
// The window's layout is in the file of the same name, layouts/rectangle.cpp.
#include "sections/common_formulas.h"
#include "sections/common_inputs.h"
#include "sections/shapes.h"

namespace dravik::sections {
namespace {

using namespace common_inputs;

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
    legCount("hxsl", "na", "5"),
    legCount("zxsl", "nb", "3"),
    gjjj("120"),
    bhhd("15"),
};
static_assert(std::size(kInputs) <= kMaxInputs);

using namespace formula;

// The rectangle divides by each side, and by each core side, in turn: its
// gross and core areas are never formed.
// clang-format off
constexpr auto kFormulas = define(kInputs,
    kSteelFigure,
    figure(Step{rho, ((As / a) / b) * 100}),
    figure(kCoreA, kCoreB,
           Step{Lo, (2 * aCore) + (2 * bCore)},
           Step{Li, ((na - 2) * aCore) + ((nb - 2) * bCore)},
           kOuterBarArea, kInnerBarArea, kHoopVolume,
           Step{rhoV, (((V / aCore) / bCore) / s) * 100}));
// clang-format on

}  // namespace

const SectionShape kRectangle = {
    "azpjl",
    "暗柱",
    "暗柱配筋率－TorvaneI号 Halvorn公司  ver1.2    2007.01",
    kInputs,
    {"3996", "1.25", "1.19"},
    {Result::SteelArea, Result::LongitudinalRatio, Result::HoopRatio},
    fastResults<kFormulas>,
    checkedTerms<kFormulas>,
    formula::figureTexts<kFormulas>(),
};

}  // namespace dravik::sections
