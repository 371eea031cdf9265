// The parts of the sheet's HTML a design review asks for: the title block at
// the head of the first page and the check (验算) after the steps.
#pragma once

#include <string>

#include "sheet/calculation_sheet.h"

namespace dravik::sheet {

// The title block as a table of its fields, four a row; empty when the
// sheet has none.
std::string titleBlockHtml(const review::TitleBlock& block);

// The check's section, one step a line; empty when nothing was asked.
std::string checkHtml(const CalculationSheet& sheet);

}  // namespace dravik::sheet
