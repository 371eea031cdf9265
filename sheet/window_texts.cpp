#include "sheet/window_texts.h"

#include "sections/calculation.h"

namespace dravik::sheet {

std::string_view captionOf(const layouts::WindowLayout& layout, layouts::Role role) {
    const layouts::ControlRecord* record = layout.find(role);
    return record == nullptr ? std::string_view() : record->caption;
}

std::string_view inputLabel(const layouts::WindowLayout& layout, const sections::InputField& input) {
    return layouts::fieldLabel(layout.windowName, input.name);
}

std::string_view resultLabel(const layouts::WindowLayout& layout, sections::Result result) {
    return layouts::fieldLabel(layout.windowName, sections::resultName(result));
}

}  // namespace dravik::sheet
