// The eight inputs that every calculator window has; each section only
// supplies their defaults.
#pragma once

#include "sections/input_field.h"

namespace dravik::sections::common_inputs {

constexpr InputField zj1zj(std::string_view defaultText) { return {"zj1zj", defaultText, ChoiceList::BarDiameter}; }
constexpr InputField zj2zj(std::string_view defaultText) { return {"zj2zj", defaultText, ChoiceList::BarDiameter}; }
constexpr InputField zj1sl(std::string_view defaultText) { return {"zj1sl", defaultText, ChoiceList::Count}; }
constexpr InputField zj2sl(std::string_view defaultText) { return {"zj2sl", defaultText, ChoiceList::Count}; }
constexpr InputField dgzj(std::string_view defaultText) { return {"dgzj", defaultText, ChoiceList::HoopDiameter}; }
constexpr InputField xgzj(std::string_view defaultText) { return {"xgzj", defaultText, ChoiceList::HoopDiameter}; }
constexpr InputField gjjj(std::string_view defaultText) { return {"gjjj", defaultText, ChoiceList::Spacing}; }
constexpr InputField bhhd(std::string_view defaultText) { return {"bhhd", defaultText, ChoiceList::Cover}; }

// A hoop leg count: "hxsl", "zxsl", "asl" … "fsl".
constexpr InputField legCount(std::string_view name, std::string_view defaultText,
                              ChoiceList list = ChoiceList::Count) {
    return {name, defaultText, list};
}

// A section dimension: "a" … "f".
constexpr InputField dimension(std::string_view name, std::string_view defaultText, ChoiceList list) {
    return {name, defaultText, list};
}

}  // namespace dravik::sections::common_inputs
