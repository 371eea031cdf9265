#include "sections/calculation.h"

#include <algorithm>
#include <cassert>

#include "text_rules/text_rules.h"

namespace dravik::sections {

const std::string& ResultTexts::operator[](Result r) const {
    switch (r) {
        case Result::SteelArea: return steelArea;
        case Result::LongitudinalRatio: return longitudinalRatio;
        case Result::HoopRatio: break;
    }
    return hoopRatio;
}

std::string_view resultName(Result r) {
    switch (r) {
        case Result::SteelArea: return "zjmj";
        case Result::LongitudinalRatio: return "zjl";
        case Result::HoopRatio: break;
    }
    return "tjpgl";
}

SectionResults calculateFromTexts(const SectionShape& shape, std::span<const std::string_view> fieldTexts) {
    assert(fieldTexts.size() == shape.inputs.size());
    std::array<double, kMaxInputs> numbers{};
    const std::size_t count = std::min(fieldTexts.size(), numbers.size());
    for (std::size_t i = 0; i < count; ++i) numbers[i] = text_rules::readNumber(fieldTexts[i]);
    return shape.calculate(std::span<const double>(numbers.data(), shape.inputs.size()));
}

ResultTexts displayTexts(const SectionResults& results) {
    return {text_rules::displayResult(results.steelArea, 0), text_rules::displayResult(results.longitudinalRatio, 2),
            text_rules::displayResult(results.hoopRatio, 2)};
}

}  // namespace dravik::sections
