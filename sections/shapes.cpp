#include "sections/shapes.h"

namespace dravik::sections {

std::span<const SectionShape* const> allShapes() {
    static const SectionShape* const kAll[] = {&kRectangle, &kLShape, &kFlanged, &kZShape};
    return kAll;
}

const SectionShape* findShape(std::string_view name) {
    for (const SectionShape* shape : allShapes()) {
        if (shape->windowName == name || shape->typeName == name) return shape;
    }
    return nullptr;
}

}  // namespace dravik::sections
