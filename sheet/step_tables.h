// How each shape's calculation sheet writes its formulas: for every quantity
// the section formula forms, its name, symbol, unit and the formula in the
// formula's own operation order. The values always come from the formula
// (sections/terms.h); these tables only say how to write them.
#pragma once

#include <span>
#include <string_view>

#include "sections/section_shape.h"
#include "sections/terms.h"

namespace dravik::sheet {

// A quantity of the sheet. `formula` is written with the symbols of the
// inputs (symbolOf below), of earlier steps and π; numbers are constants.
// "×", "/", "+" and "-" follow the usual precedence, and operations of
// equal rank go from left to right, as the calculation does them.
struct StepRule {
    sections::Term term;
    std::string_view symbol;
    std::string_view name;
    std::string_view formula;
    std::string_view unit;
};

struct FigureRule {
    sections::Result result;
    std::span<const StepRule> steps;
};

// The steps of a shape for each of zjmj, zjl and tjpgl, in that order;
// empty for a window name the tables do not know.
std::span<const FigureRule> figureRules(std::string_view windowName);

// The symbol and unit of an input ("zj1zj" -> "d1", "mm"); empty for none.
struct InputSymbol {
    std::string_view name;
    std::string_view symbol;
    std::string_view unit;
};
const InputSymbol* symbolOf(std::string_view inputName);

// The constant π as the formulas use it.
inline constexpr std::string_view kPiSymbol = "π";

}  // namespace dravik::sheet
