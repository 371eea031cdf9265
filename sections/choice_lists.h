// The named lists of suggested texts that the inputs' drop-down lists offer.
#pragma once

#include <algorithm>
#include <array>
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

// The lists produced by counting up to 16, in the order a calculator window
// fills them; the other lists are fixed.
inline constexpr std::array<ChoiceList, 2> kCountLists = {ChoiceList::Count, ChoiceList::CountFrom1};

constexpr bool isCountList(ChoiceList list) {
    return std::find(kCountLists.begin(), kCountLists.end(), list) != kCountLists.end();
}

}  // namespace dravik::sections
