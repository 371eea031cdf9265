// One input of a calculator window, as the section calculation reads it.
#pragma once

#include <string_view>

#include "sections/choice_lists.h"

namespace dravik::sections {

// One input of a calculator window. Its label, tooltip and place are in the
// window's layout records, which name the field by `name`.
struct InputField {
    std::string_view name;         // the field's name: "a", "zj1zj", "hxsl" …
    std::string_view defaultText;  // what the field shows when the window opens
    ChoiceList list;
    std::string_view symbol;  // what the formulas and the calculation sheet call it: "a", "d1", "na" …
    std::string_view unit;    // "mm" or "根"
};

}  // namespace dravik::sections
