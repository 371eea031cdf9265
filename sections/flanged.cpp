// The flanged column 翼柱 (window yzpjl): an inverted T, a flange a long and
// c high with a web d wide standing on it, b high in all.
// The window's layout is in the file of the same name, layouts/flanged.cpp.
#include "sections/common_inputs.h"
#include "sections/shapes.h"
#include "sections/two_limb.h"

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
    legCount("asl", "2"),
    legCount("bsl", "2"),
    legCount("csl", "5"),
    legCount("dsl", "3"),
    gjjj("120"),
    bhhd("15"),
};
static_assert(std::size(kInputs) == two_limb::kInputCount && two_limb::kInputCount <= kMaxInputs);
static_assert(kInputs[two_limb::a].name == "a" && kInputs[two_limb::asl].name == "asl" &&
              kInputs[two_limb::csl].name == "csl" && kInputs[two_limb::bhhd].name == "bhhd");

// Two outer hoop legs along c: both ends of the flange, so the c term is
// doubled in the outer hoop and csl loses 2 (the L loses 1).
constexpr auto kFormula = [](std::span<const double> numbers, auto& out) { two_limb::formula(numbers, 2.0, out); };

SectionTerms terms(std::span<const double> numbers) { return checkedTerms(numbers, kFormula); }
SectionResults calculate(std::span<const double> numbers) { return fastResults(numbers, kFormula); }

}  // namespace

const SectionShape kFlanged = {
    "yzpjl",
    "翼柱",
    "翼柱配筋率－ TorvaneI号 Halvorn ver1.2 2007.01",
    kInputs,
    {"6585", "1.83", "1.48"},
    {Result::LongitudinalRatio, Result::HoopRatio, Result::SteelArea},
    calculate,
    terms,
};

}  // namespace dravik::sections
