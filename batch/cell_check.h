// Whether a cell is wholly a number under the window's text-to-number rule,
// or the rule read only a part of it ("1,000" → 1, "400mm" → 400) or nothing
// at all ("" → 0). The rule itself never says; the batch tool notes such
// cells so that no figure comes from a misread cell in silence.
#pragma once

#include <string_view>

namespace dravik::batch {

// True when, with blanks, tabs and line feeds removed, the text is one
// number as the rule reads it: a sign, digits with at most one ".", and an
// exponent E or D with an optional sign and at least one digit.
bool isWholeNumber(std::string_view text);

// The same, quick for the common cell of digits (at most one point) and
// handing anything else to isWholeNumber.
inline bool isWholeNumberQuick(std::string_view text) {
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return isWholeNumber(text);
        }
    }
    return digit;
}

}  // namespace dravik::batch
