// What the four section calculations share: the common quantities, the named
// choice lists and the shape of a section's description.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sections/real.h"

namespace dravik::sections {

// π as the formulas use it: this constant, not the full-precision value.
inline constexpr double kPi = 3.1415926;

// Cross-section area of one bar, mm²: ((π × d) × d) / 4, in that order.
inline Real barArea(Real diameter) { return ((kPi * diameter) * diameter) / 4.0; }

// Area of all longitudinal bars, mm²: group 1 first, then group 2 added.
inline Real steelArea(Real diameter1, Real count1, Real diameter2, Real count2) {
    return (barArea(diameter1) * count1) + (barArea(diameter2) * count2);
}

// A section dimension less the cover on both faces: x − (2 × cover).
inline Real coreDimension(Real x, Real cover) { return x - (2.0 * cover); }

// The numbers of a window's inputs as Real, in the order of its input table.
// A calculation indexes the array with its own enum of input positions.
template <std::size_t N>
std::array<Real, N> asReals(std::span<const double> numbers) {
    std::array<Real, N> reals;
    for (std::size_t i = 0; i < N && i < numbers.size(); ++i) reals[i] = numbers[i];
    return reals;
}

// The three results of every section, unrounded.
struct SectionResults {
    double steelArea = 0;          // zjmj, mm²
    double longitudinalRatio = 0;  // zjl, % of the gross section area
    double hoopRatio = 0;          // tjpgl, % of the core volume over one spacing
};

// The suggested texts of an input's drop-down list.
enum class ChoiceList {
    WideDimension,   // 400 … 1200
    RectangleWidth,  // 200 … 700
    LimbDimension,   // 200 … 600
    BarDiameter,     // 16 … 32
    HoopDiameter,    // 8 … 14
    Spacing,         // 100 … 200
    Cover,           // 15 … 32
    Count,           // " 2" … " 16"
    CountFrom1,      // " 1" … " 16"
};

// The items of a list, in the order the drop-down shows them. Count items
// are written in the number-to-text form, so they carry a leading blank.
std::vector<std::string> choiceListItems(ChoiceList list);

// The two count lists are produced by counting up to 16; the other lists are
// fixed. Returns the first count, or 0 for a fixed list.
int firstCount(ChoiceList list);

// The group box an input sits in.
enum class InputGroup { Dimensions, LongitudinalBars, Hoops };

// One input of a calculator window.
struct InputSpec {
    std::string_view name;  // the control's name: "a", "zj1zj", "hxsl" …
    InputGroup group;
    std::string_view labelControl;  // the label above the field: "Label5" …
    std::string_view labelText;
    std::string_view tooltip;      // tooltip of the label; empty for none
    std::string_view defaultText;  // what the field shows when the window opens
    ChoiceList list;
};

enum class Result { SteelArea, LongitudinalRatio, HoopRatio };

class SectionTerms;  // sections/terms.h

// Everything that tells one section shape from another. Adding a shape means
// one more of these and one more formula; the window frame reads it as data.
struct SectionShape {
    std::string_view windowName;        // "azpjl" …
    std::string_view typeName;          // "暗柱" …
    std::string_view caption;           // the calculator window's title
    std::span<const InputSpec> inputs;  // in the order the calculation reads them
    // Texts of zjmj, zjl and tjpgl before the first calculation.
    std::array<std::string_view, 3> initialTexts;
    // The order in which "计算" writes the three result boxes.
    std::array<Result, 3> writeOrder;
    // Takes one number per input, in the order of `inputs`.
    SectionResults (*calculate)(std::span<const double> numbers);
    // The same evaluation with every intermediate quantity it formed;
    // calculate() gives exactly the results recorded here.
    SectionTerms (*terms)(std::span<const double> numbers);
};

}  // namespace dravik::sections
