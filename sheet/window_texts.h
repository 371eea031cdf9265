// Texts of a calculator window as its layout records hold them, for
// everything that shows or copies them outside the window.
#pragma once

#include <string_view>

#include "layouts/windows.h"
#include "sections/section_shape.h"

namespace dravik::sheet {

// The caption of the control for `role`; empty if the layout has none.
std::string_view captionOf(const layouts::WindowLayout& layout, layouts::Role role);

// The label text of an input, as the window shows it above the field.
std::string_view inputLabel(const layouts::WindowLayout& layout, const sections::InputField& input);

// The label text of a result box, as the window shows it above the box.
std::string_view resultLabel(const layouts::WindowLayout& layout, sections::Result result);

}  // namespace dravik::sheet
