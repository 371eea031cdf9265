#include "batch/field_labels.h"

#include "layouts/windows.h"
#include "sections/shapes.h"

namespace dravik::batch {

std::string_view fieldLabel(std::string_view windowName, std::string_view fieldName) {
    const layouts::WindowLayout* layout = layouts::calculatorLayout(windowName);
    const sections::SectionShape* shape = sections::findShape(windowName);
    if (layout == nullptr || shape == nullptr) return {};
    for (const auto& input : shape->inputs) {
        if (input.name != fieldName) continue;
        const layouts::ControlRecord* label = layout->find(input.labelControl);
        return label != nullptr ? label->caption : std::string_view();
    }
    // A result box is named by the label standing directly above it.
    const layouts::ControlRecord* box = layout->find(fieldName);
    if (box == nullptr || !box->readOnly) return {};
    for (const layouts::ControlRecord& c : layout->controls) {
        if (c.kind == layouts::ControlClass::Label && c.container == box->container && c.left == box->left &&
            c.top + 16 == box->top) {
            return c.caption;
        }
    }
    return {};
}

}  // namespace dravik::batch
