#include "layouts/windows.h"

namespace dravik::layouts {

const WindowLayout* calculatorLayout(std::string_view windowName) {
    for (const WindowLayout* layout : {&kRectangleWindow, &kLShapeWindow, &kFlangedWindow, &kZShapeWindow}) {
        if (layout->windowName == windowName) return layout;
    }
    return nullptr;
}

std::string_view fieldLabel(std::string_view windowName, std::string_view field) {
    const WindowLayout* layout = calculatorLayout(windowName);
    const ControlRecord* label = layout == nullptr ? nullptr : layout->labelOf(field);
    return label == nullptr ? std::string_view{} : label->caption;
}

}  // namespace dravik::layouts
