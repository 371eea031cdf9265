#include "layouts/windows.h"

namespace dravik::layouts {

const WindowLayout* calculatorLayout(std::string_view windowName) {
    for (const WindowLayout* layout : {&kRectangleWindow, &kLShapeWindow, &kFlangedWindow, &kZShapeWindow}) {
        if (layout->windowName == windowName) return layout;
    }
    return nullptr;
}

}  // namespace dravik::layouts
