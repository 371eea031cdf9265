#include "sheet/window_texts.h"

#include "sections/calculation.h"

namespace dravik::sheet {

std::string_view captionOf(const layouts::WindowLayout& layout, std::string_view name) {
    const layouts::ControlRecord* record = layout.find(name);
    return record == nullptr ? std::string_view() : record->caption;
}

std::string_view inputLabel(const layouts::WindowLayout& layout, const sections::InputField& input) {
    return layouts::fieldLabel(layout.windowName, input.name);
}

std::string_view resultLabel(const layouts::WindowLayout& layout, sections::Result result) {
    return layouts::fieldLabel(layout.windowName, sections::resultName(result));
}

}  // namespace dravik::sheet
