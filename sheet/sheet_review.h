// What a design review asks of a sheet beyond the calculation: the title
// block, and the check against the requirements the designer entered.
#pragma once

#include "review/design_check.h"
#include "review/title_block.h"
#include "sheet/calculation_sheet.h"

namespace dravik::sheet {

// Puts `titleBlock` on `sheet` and checks its ratios, as the calculation
// formed them, against `requirements` (nothing when they are empty).
void addReview(CalculationSheet& sheet, const review::TitleBlock& titleBlock, const review::Requirements& requirements);

// Whether the sheet carries a title block or a check: it is then set a
// little tighter, so that it still fits one page.
bool isReviewed(const CalculationSheet& sheet);

// The value the calculation formed for `result`.
double resultValue(const CalculationSheet& sheet, sections::Result result);

}  // namespace dravik::sheet
