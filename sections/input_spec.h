// One input of a calculator window, as the section calculation reads it.
#pragma once

#include <string_view>

#include "sections/choice_lists.h"

namespace dravik::sections {

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

}  // namespace dravik::sections
