// The quantities a section formula forms, and how the calculation sheet
// writes the step that forms one.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace dravik::sections {

// The quantities a section formula may form; each shape's formulas
// (sections/common_formulas.h and the shape's own file) say how. Not every
// shape forms every one: the rectangle never forms its gross or core area,
// and only the Z-shaped section has sides e and f.
enum class Term : std::size_t {
    BarArea1,
    BarArea2,
    SteelArea,  // the result zjmj
    GrossArea,
    CoreA,
    CoreB,
    CoreC,
    CoreD,
    CoreE,
    CoreF,
    OuterHoopLength,
    InnerLegLength,
    OuterBarArea,
    InnerBarArea,
    HoopVolume,
    CoreArea,
    LongitudinalRatio,  // the result zjl
    HoopRatio,          // the result tjpgl
};
inline constexpr std::size_t kTermCount = static_cast<std::size_t>(Term::HoopRatio) + 1;

// One piece of a formula as the sheet writes it.
struct Token {
    enum class Kind : unsigned char {
        Text,    // a parenthesis or an operator: "(", " × "
        Number,  // a constant, written in full
        Symbol,  // π, an input or a quantity: "π", "d1", "Ab1"
    };
    Kind kind{};
    std::string_view text;
    double number = 0;  // a number's value
};

// One step of a shape's calculation as the sheet writes it: the quantity it
// forms and the formula that forms it.
struct StepText {
    Term term;
    std::string_view symbol;  // "Ab1"
    std::string_view name;    // "纵筋1单根面积"
    std::string_view unit;    // "mm²"
    std::span<const Token> formula;
};

}  // namespace dravik::sections
