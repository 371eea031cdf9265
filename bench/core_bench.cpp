// Time per call of the core's text rules and of each section calculation,
// the pieces a batch row is made of.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "sections/calculation.h"
#include "sections/shapes.h"
#include "text_rules/text_rules.h"

namespace {

using namespace dravik;

// Field texts as users type them: plain, with blanks, with a fraction, an
// exponent, trailing units, and the empty text.
const std::array<std::string_view, 8> kFieldTexts = {"400", "1200", " 1 200 ", "12.5", "2D2", "120mm", "", ".85"};

void BM_readNumber(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text_rules::readNumber(kFieldTexts[i++ % kFieldTexts.size()]));
    }
}
BENCHMARK(BM_readNumber);

// Results as the formulas produce them: areas, ratios, the dash case.
const std::array<double, 8> kResults = {3996.10617, 1.2487831, 1.1874, 0.749999, 12497.4, 0.004, -7.97, 1e20};

void BM_displayResult(benchmark::State& state) {
    const int decimals = static_cast<int>(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text_rules::displayResult(kResults[i++ % kResults.size()], decimals));
    }
}
BENCHMARK(BM_displayResult)->Arg(0)->Arg(2);

void BM_formatNumber(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(text_rules::formatNumber(kResults[i++ % kResults.size()]));
}
BENCHMARK(BM_formatNumber);

// One shape's calculation from its default field texts: the text-to-number
// rule for each input and the formula (calculateFromTexts), then the three
// result texts (displayTexts) as a separate benchmark.
void BM_calculateFromTexts(benchmark::State& state) {
    const auto& shape = *sections::allShapes()[static_cast<std::size_t>(state.range(0))];
    std::vector<std::string_view> texts;
    for (const auto& input : shape.inputs) texts.push_back(input.defaultText);
    state.SetLabel(std::string(shape.windowName));
    for (auto _ : state) benchmark::DoNotOptimize(sections::calculateFromTexts(shape, texts));
}
BENCHMARK(BM_calculateFromTexts)->DenseRange(0, 3);

void BM_calculateNumbers(benchmark::State& state) {
    const auto& shape = *sections::allShapes()[static_cast<std::size_t>(state.range(0))];
    std::vector<double> numbers;
    for (const auto& input : shape.inputs) numbers.push_back(text_rules::readNumber(input.defaultText));
    state.SetLabel(std::string(shape.windowName));
    for (auto _ : state) {
        benchmark::DoNotOptimize(numbers.data());
        benchmark::DoNotOptimize(shape.calculate(numbers));
    }
}
BENCHMARK(BM_calculateNumbers)->DenseRange(0, 3);

void BM_displayTexts(benchmark::State& state) {
    const sections::SectionResults results{3996.10617, 1.2487831, 1.1874};
    for (auto _ : state) benchmark::DoNotOptimize(sections::displayTexts(results));
}
BENCHMARK(BM_displayTexts);

}  // namespace
