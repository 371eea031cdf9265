// The eight inputs that every calculator window has, with the texts they
// bear in every window; each section only supplies its own defaults (and the
// two windows that word a text differently override it).
#pragma once

#include "sections/input_spec.h"

namespace dravik::sections::common_inputs {

constexpr InputSpec zj1zj(std::string_view defaultText) {
    return {"zj1zj",     InputGroup::LongitudinalBars, "Label16", "纵筋1直径（mm）", "大钢筋直径",
            defaultText, ChoiceList::BarDiameter};
}
constexpr InputSpec zj2zj(std::string_view defaultText) {
    return {"zj2zj",     InputGroup::LongitudinalBars, "Label15", "纵筋2直径（mm）", "小钢筋直径",
            defaultText, ChoiceList::BarDiameter};
}
constexpr InputSpec zj1sl(std::string_view defaultText) {
    return {"zj1sl", InputGroup::LongitudinalBars, "Label14", "纵筋1数量（根）", "", defaultText, ChoiceList::Count};
}
constexpr InputSpec zj2sl(std::string_view defaultText) {
    return {"zj2sl", InputGroup::LongitudinalBars, "Label12", "纵筋2数量（根）", "", defaultText, ChoiceList::Count};
}
constexpr InputSpec dgzj(std::string_view defaultText, std::string_view tooltip = "用于外箍") {
    return {"dgzj", InputGroup::Hoops, "Label9", "大箍直径（mm）", tooltip, defaultText, ChoiceList::HoopDiameter};
}
constexpr InputSpec xgzj(std::string_view defaultText, std::string_view label = "小箍、拉筋直径（mm）",
                         std::string_view tooltip = "用于内箍及拉筋") {
    return {"xgzj", InputGroup::Hoops, "Label8", label, tooltip, defaultText, ChoiceList::HoopDiameter};
}
constexpr InputSpec gjjj(std::string_view defaultText) {
    return {"gjjj", InputGroup::Hoops, "Label13", "箍筋间距（mm）", "", defaultText, ChoiceList::Spacing};
}
constexpr InputSpec bhhd(std::string_view defaultText) {
    return {"bhhd", InputGroup::Hoops, "Label3", "保护层厚（mm）", "", defaultText, ChoiceList::Cover};
}

// A hoop leg count "平行x数量（根）" of the shapes with sides a … f.
constexpr InputSpec legCount(std::string_view name, std::string_view labelControl, std::string_view labelText,
                             std::string_view defaultText, ChoiceList list = ChoiceList::Count) {
    return {name, InputGroup::Hoops, labelControl, labelText, "", defaultText, list};
}

// A section dimension of the group "尺寸参数".
constexpr InputSpec dimension(std::string_view name, std::string_view labelControl, std::string_view labelText,
                              std::string_view tooltip, std::string_view defaultText, ChoiceList list) {
    return {name, InputGroup::Dimensions, labelControl, labelText, tooltip, defaultText, list};
}

}  // namespace dravik::sections::common_inputs
