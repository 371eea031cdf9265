// The L-shaped corner column L形转角柱 (window lxzjzpjl): a lower limb a long
// and c high, and an upper limb d wide standing on its left end, b high in all.
// The window's layout is in the file of the same name, layouts/l_shape.cpp.
#include "sections/common_inputs.h"
#include "sections/shapes.h"
#include "sections/two_limb.h"

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
    legCount("asl", "4"),
    legCount("bsl", "4"),
    legCount("csl", "3"),
    legCount("dsl", "2"),
    gjjj("120"),
    bhhd("15"),
};
static_assert(std::size(kInputs) == two_limb::kInputCount && two_limb::kInputCount <= kMaxInputs);
static_assert(kInputs[two_limb::a].name == "a" && kInputs[two_limb::asl].name == "asl" &&
              kInputs[two_limb::csl].name == "csl" && kInputs[two_limb::bhhd].name == "bhhd");

// One outer hoop leg along c: the end of the lower limb.
constexpr auto kFormula = [](std::span<const double> numbers, auto& out) { two_limb::formula(numbers, 1.0, out); };

SectionTerms terms(std::span<const double> numbers) { return checkedTerms(numbers, kFormula); }
SectionResults calculate(std::span<const double> numbers) { return fastResults(numbers, kFormula); }

}  // namespace

const SectionShape kLShape = {
    "lxzjzpjl",
    "L形转角柱",
    "L形转角柱配筋率－TorvaneI号 Halvorn ver1.2  2007.01",
    kInputs,
    {"6016", "1.07", "1.38"},
    {Result::LongitudinalRatio, Result::HoopRatio, Result::SteelArea},
    calculate,
    terms,
};

}  // namespace dravik::sections
