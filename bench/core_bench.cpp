// Time per call of the core's text rules and of each section calculation,
// the pieces a batch row is made of.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sections/calculation.h"
#include "sections/shapes.h"
#include "text_rules/display_into.h"
#include "text_rules/text_rules.h"
#include "text_rules/text_rules_paths.h"

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

// The same texts through the full rule alone, without the plain-integer way.
void BM_readNumberFull(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text_rules::paths::readNumberFull(kFieldTexts[i++ % kFieldTexts.size()]));
    }
}
BENCHMARK(BM_readNumberFull);

// Cells as a batch file holds them: plain integers, as the window's lists do.
const std::array<std::string_view, 8> kPlainCells = {"400", "1200", "20", "18", "12", "120", "15", "5"};

void BM_readNumberPlainCells(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(text_rules::readNumber(kPlainCells[i++ % kPlainCells.size()]));
}
BENCHMARK(BM_readNumberPlainCells);

void BM_readNumberFullPlainCells(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text_rules::paths::readNumberFull(kPlainCells[i++ % kPlainCells.size()]));
    }
}
BENCHMARK(BM_readNumberFullPlainCells);

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

// Results spread as a batch of columns gives them: steel areas of 1000 to
// 20000 mm² and ratios of 0.2 to 5 %, from a fixed pseudo-random sequence.
const std::array<double, 1024> kBatchResults = [] {
    std::array<double, 1024> values{};
    std::uint64_t state = 0x2545F4914F6CDD1Du;
    for (std::size_t i = 0; i < values.size(); ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;
        values[i] = i % 3 == 0 ? 1000.0 + unit * 19000.0 : 0.2 + unit * 4.8;
    }
    return values;
}();

// One result text each way, written into a caller's buffer: the public
// rule (short way, else exact), the exact way alone, the short way alone.
enum class DisplayWay { Rule, Exact, Shortcut };

template <DisplayWay way>
void BM_displayInto(benchmark::State& state) {
    const int decimals = static_cast<int>(state.range(0));
    text_rules::NumberBuffer buffer;
    std::size_t i = 0;
    for (auto _ : state) {
        const double x = kBatchResults[i++ % kBatchResults.size()];
        if constexpr (way == DisplayWay::Rule) {
            benchmark::DoNotOptimize(text_rules::displayResultInto(buffer, x, decimals));
        } else if constexpr (way == DisplayWay::Exact) {
            benchmark::DoNotOptimize(text_rules::paths::displayResultExact(buffer, x, decimals));
        } else {
            benchmark::DoNotOptimize(text_rules::paths::displayResultShortcut(buffer, x, decimals));
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_displayInto<DisplayWay::Rule>)->Name("BM_displayResultInto")->Arg(0)->Arg(2);
BENCHMARK(BM_displayInto<DisplayWay::Exact>)->Name("BM_displayResultExact")->Arg(0)->Arg(2);
BENCHMARK(BM_displayInto<DisplayWay::Shortcut>)->Name("BM_displayResultShortcut")->Arg(0)->Arg(2);

// The std::string form on the same values, for the cost of the string.
void BM_displayResultBatchValues(benchmark::State& state) {
    const int decimals = static_cast<int>(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text_rules::displayResult(kBatchResults[i++ % kBatchResults.size()], decimals));
    }
}
BENCHMARK(BM_displayResultBatchValues)->Arg(0)->Arg(2);

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

// A row whose hoop ratio shows the dash (spacing 0): the plain evaluation
// finds a non-finite value and the checked one runs after it.
void BM_calculateRowWithADash(benchmark::State& state) {
    const auto& shape = *sections::allShapes()[static_cast<std::size_t>(state.range(0))];
    std::vector<double> numbers;
    for (const auto& input : shape.inputs) {
        numbers.push_back(input.name == "gjjj" ? 0.0 : text_rules::readNumber(input.defaultText));
    }
    state.SetLabel(std::string(shape.windowName));
    for (auto _ : state) {
        benchmark::DoNotOptimize(numbers.data());
        benchmark::DoNotOptimize(shape.calculate(numbers));
    }
}
BENCHMARK(BM_calculateRowWithADash)->DenseRange(0, 3);

void BM_displayTexts(benchmark::State& state) {
    const sections::SectionResults results{3996.10617, 1.2487831, 1.1874};
    for (auto _ : state) benchmark::DoNotOptimize(sections::displayTexts(results));
}
BENCHMARK(BM_displayTexts);

void BM_displayTextsInto(benchmark::State& state) {
    const sections::SectionResults results{3996.10617, 1.2487831, 1.1874};
    sections::ResultBuffers buffers;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sections::displayTextsInto(buffers, results));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_displayTextsInto);

}  // namespace
