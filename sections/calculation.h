// One press of "计算", without the window: field texts in, result texts out.
// The calculator windows and the batch tool both go through here, so a row of
// a batch file gives exactly the texts the window would show.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "sections/section_shape.h"
#include "text_rules/text_rules.h"

namespace dravik::sections {

// The texts of the three result boxes, indexed by Result.
struct ResultTexts {
    std::string steelArea;          // zjmj, pattern "0."
    std::string longitudinalRatio;  // zjl, pattern "0.00"
    std::string hoopRatio;          // tjpgl, pattern "0.00"

    const std::string& operator[](Result r) const;
};

// The name of a result box: "zjmj", "zjl" or "tjpgl".
std::string_view resultName(Result r);

// Reads each field text once through the text-to-number rule, in the order
// of the shape's inputs, and runs the shape's calculation. `fieldTexts` holds
// one text per input.
SectionResults calculateFromTexts(const SectionShape& shape, std::span<const std::string_view> fieldTexts);

// The result display rule applied to each result: no decimals for the steel
// area, two for both ratios. A non-finite result gives the dash.
ResultTexts displayTexts(const SectionResults& results);

// The places the display rule keeps for `r`: none for the steel area, two
// for the ratios.
int resultDecimals(Result r);

// The same three texts written into a caller's buffers, indexed by Result,
// for a loop over many rows that keeps its buffers from row to row. Each view
// stays valid until its buffer is written again.
using ResultBuffers = std::array<text_rules::NumberBuffer, 3>;
std::array<std::string_view, 3> displayTextsInto(ResultBuffers& buffers, const SectionResults& results);

}  // namespace dravik::sections
