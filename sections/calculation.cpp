#include "sections/calculation.h"

#include <algorithm>
#include <cassert>

#include "text_rules/display_into.h"
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
    // A fixed buffer keeps a batch row free of allocation.
    // Only the shape's own inputs are set; an input without a text reads 0.
    std::array<double, kMaxInputs> numbers;
    const std::size_t inputs = std::min(shape.inputs.size(), numbers.size());
    const std::size_t count = std::min(fieldTexts.size(), inputs);
    for (std::size_t i = 0; i < count; ++i) numbers[i] = text_rules::readNumber(fieldTexts[i]);
    for (std::size_t i = count; i < inputs; ++i) numbers[i] = 0.0;
    return shape.calculate(std::span<const double>(numbers.data(), inputs));
}

namespace {

// The steel area is shown in whole mm², the ratios with two places.
constexpr int kSteelAreaDecimals = 0;
constexpr int kRatioDecimals = 2;

}  // namespace

int resultDecimals(Result r) { return r == Result::SteelArea ? kSteelAreaDecimals : kRatioDecimals; }

ResultTexts displayTexts(const SectionResults& results) {
    return {text_rules::displayResult(results.steelArea, kSteelAreaDecimals),
            text_rules::displayResult(results.longitudinalRatio, kRatioDecimals),
            text_rules::displayResult(results.hoopRatio, kRatioDecimals)};
}

std::array<std::string_view, 3> displayTextsInto(ResultBuffers& buffers, const SectionResults& results) {
    std::array<std::string_view, 3> texts;
    texts[static_cast<std::size_t>(Result::SteelArea)] = text_rules::displayResultInto(
        buffers[static_cast<std::size_t>(Result::SteelArea)], results.steelArea, kSteelAreaDecimals);
    texts[static_cast<std::size_t>(Result::LongitudinalRatio)] = text_rules::displayResultInto(
        buffers[static_cast<std::size_t>(Result::LongitudinalRatio)], results.longitudinalRatio, kRatioDecimals);
    texts[static_cast<std::size_t>(Result::HoopRatio)] = text_rules::displayResultInto(
        buffers[static_cast<std::size_t>(Result::HoopRatio)], results.hoopRatio, kRatioDecimals);
    return texts;
}

}  // namespace dravik::sections
