// What tells one section shape from another: its inputs, its formula and
// the texts of its window that are not layout.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "sections/input_field.h"
#include "sections/quantity.h"

namespace dravik::sections {

// The three results of every section, unrounded.
struct SectionResults {
    double steelArea = 0;          // zjmj, mm²
    double longitudinalRatio = 0;  // zjl, % of the gross section area
    double hoopRatio = 0;          // tjpgl, % of the core volume over one spacing
};

enum class Result { SteelArea, LongitudinalRatio, HoopRatio };

// Every result, in the order of SectionResults and of a shape's initialTexts.
inline constexpr std::array<Result, 3> kAllResults = {Result::SteelArea, Result::LongitudinalRatio, Result::HoopRatio};

// The most inputs a shape may have (the Z-shaped column has twenty): one
// calculation reads its field texts into a buffer of this size, so a batch
// row needs no allocation. Each shape's input table checks it at compile time.
inline constexpr std::size_t kMaxInputs = 32;

class SectionTerms;  // sections/terms.h

// Everything that tells one section shape from another. Adding a shape means
// one more of these and one more formula; the window frame reads it as data.
struct SectionShape {
    std::string_view windowName;         // "azpjl" …
    std::string_view typeName;           // "暗柱" …
    std::string_view caption;            // the calculator window's title
    std::span<const InputField> inputs;  // in the order the calculation reads them
    // Texts of zjmj, zjl and tjpgl before the first calculation.
    std::array<std::string_view, kAllResults.size()> initialTexts;
    // The order in which "计算" writes the three result boxes.
    std::array<Result, kAllResults.size()> writeOrder;
    // Takes one number per input, in the order of `inputs`.
    SectionResults (*calculate)(std::span<const double> numbers);
    // The same evaluation with every intermediate quantity it formed;
    // calculate() gives exactly the results recorded here.
    SectionTerms (*terms)(std::span<const double> numbers);
    // The steps of zjmj, zjl and tjpgl, in the order they are evaluated, as
    // the calculation sheet writes them.
    std::array<std::span<const StepText>, kAllResults.size()> figures;
};

}  // namespace dravik::sections
