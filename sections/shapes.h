// The four section shapes the calculator knows, in the order the start-up
// window offers them.
#pragma once

#include <span>
#include <string_view>

#include "sections/section_shape.h"

namespace dravik::sections {

extern const SectionShape kRectangle;  // 暗柱, azpjl
extern const SectionShape kLShape;     // L形转角柱, lxzjzpjl
extern const SectionShape kFlanged;    // 翼柱, yzpjl
extern const SectionShape kZShape;     // Z形转角柱, zxzjzpjl

// All shapes: rectangle, L, flanged, Z.
std::span<const SectionShape* const> allShapes();

// The shape whose window name ("azpjl") or type name ("暗柱") is `name`;
// nullptr if there is none.
const SectionShape* findShape(std::string_view name);

}  // namespace dravik::sections
