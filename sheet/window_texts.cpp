#include "sheet/window_texts.h"

namespace dravik::sheet {

std::string_view resultLabelControl(const layouts::WindowLayout& layout, sections::Result result) {
    switch (result) {
        case sections::Result::LongitudinalRatio: return "Label17";
        case sections::Result::HoopRatio: return "Label2";
        case sections::Result::SteelArea: break;
    }
    // A label's text line is 16 pixels above the box it names.
    const layouts::ControlRecord* box = layout.find("zjmj");
    if (box == nullptr) return {};
    for (const layouts::ControlRecord& c : layout.controls) {
        if (c.kind == layouts::ControlClass::Label && c.container == box->container && c.left == box->left &&
            c.top + 16 == box->top) {
            return c.name;
        }
    }
    return {};
}

std::string_view captionOf(const layouts::WindowLayout& layout, std::string_view name) {
    const layouts::ControlRecord* record = layout.find(name);
    return record == nullptr ? std::string_view() : record->caption;
}

std::string_view inputLabel(const layouts::WindowLayout& layout, const sections::InputSpec& input) {
    return captionOf(layout, input.labelControl);
}

}  // namespace dravik::sheet
