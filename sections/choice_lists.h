// The named lists of suggested texts that the inputs' drop-down lists offer.
#pragma once

#include <string>
#include <vector>

namespace dravik::sections {

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

}  // namespace dravik::sections
