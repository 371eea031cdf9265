// The eight inputs that every calculator window has; each section only
// supplies their defaults.
#pragma once

#include "sections/input_field.h"

namespace dravik::sections::common_inputs {

constexpr InputField zj1zj(std::string_view defaultText) {
    return {"zj1zj", defaultText, ChoiceList::BarDiameter, "d1", "mm"};
}
constexpr InputField zj2zj(std::string_view defaultText) {
    return {"zj2zj", defaultText, ChoiceList::BarDiameter, "d2", "mm"};
}
constexpr InputField zj1sl(std::string_view defaultText) {
    return {"zj1sl", defaultText, ChoiceList::Count, "n1", "根"};
}
constexpr InputField zj2sl(std::string_view defaultText) {
    return {"zj2sl", defaultText, ChoiceList::Count, "n2", "根"};
}
constexpr InputField dgzj(std::string_view defaultText) {
    return {"dgzj", defaultText, ChoiceList::HoopDiameter, "do", "mm"};
}
constexpr InputField xgzj(std::string_view defaultText) {
    return {"xgzj", defaultText, ChoiceList::HoopDiameter, "di", "mm"};
}
constexpr InputField gjjj(std::string_view defaultText) {
    return {"gjjj", defaultText, ChoiceList::Spacing, "s", "mm"};
}
constexpr InputField bhhd(std::string_view defaultText) { return {"bhhd", defaultText, ChoiceList::Cover, "t", "mm"}; }

// A hoop leg count: "hxsl", "zxsl", "asl" … "fsl", written "na" … "nf".
constexpr InputField legCount(std::string_view name, std::string_view symbol, std::string_view defaultText,
                              ChoiceList list = ChoiceList::Count) {
    return {name, defaultText, list, symbol, "根"};
}

// A section dimension: "a" … "f", written as named.
constexpr InputField dimension(std::string_view name, std::string_view defaultText, ChoiceList list) {
    return {name, defaultText, list, name, "mm"};
}

}  // namespace dravik::sections::common_inputs
