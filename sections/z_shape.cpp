// The Z-shaped corner column Z形转角柱 (window zxzjzpjl): a bottom part a long
// and d high, a top part f long and e high, joined by a middle part c wide;
// b high in all.
// The window's layout is in the file of the same name, layouts/z_shape.cpp.
#include "sections/common_formulas.h"
#include "sections/common_inputs.h"
#include "sections/shapes.h"

namespace dravik::sections {
namespace {

using namespace common_inputs;

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
    legCount("asl", "na", "4"),
    legCount("bsl", "nb", "4"),
    legCount("csl", "nc", "1"),
    legCount("dsl", "nd", "4", ChoiceList::CountFrom1),
    legCount("esl", "ne", "3", ChoiceList::CountFrom1),
    legCount("fsl", "nf", "4", ChoiceList::CountFrom1),
    gjjj("100"),
    bhhd("15"),
};
static_assert(std::size(kInputs) <= kMaxInputs);

using namespace formula;

// The outer hoop is summed strictly from the left, so its d and e legs are
// never formed alone; all nc legs are inner legs; the middle core reaches
// from the bottom core to the top core.
// clang-format off
constexpr auto kFormulas = define(kInputs,
    kSteelFigure,
    figure(Step{A, ((a * d) + (e * f)) + (c * ((b - e) - d))},
           kRatioOverGrossArea),
    figure(kCoreA, kCoreB, kCoreC, kCoreD, kCoreE, kCoreF,
           Step{Lo, chain((2 * aCore) + (2 * bCore) + (2 * fCore) + d - (2 * t) + e - (2 * t))},
           Step{Li, chain(((na - 2) * aCore) + ((nb - 2) * bCore) + ((nf - 2) * fCore) +
                          ((nd - 1) * dCore) + ((ne - 1) * eCore) + (nc * cCore))},
           kOuterBarArea, kInnerBarArea, kHoopVolume,
           Step{Ac, ((aCore * dCore) + (fCore * eCore)) + (cCore * (((b - e) - d) + (2 * t)))},
           kHoopRatioOverCoreArea));
// clang-format on

}  // namespace

const SectionShape kZShape = {
    "zxzjzpjl",
    "Z形转角柱",
    "Z形转角柱配筋率－TorvaneI号 Halvorn ver1.2  2007.01",
    kInputs,
    {"12497", "1", "1.41"},
    {Result::LongitudinalRatio, Result::HoopRatio, Result::SteelArea},
    fastResults<kFormulas>,
    checkedTerms<kFormulas>,
    formula::figureTexts<kFormulas>(),
};

}  // namespace dravik::sections
