// Texts of a calculator window as its layout records hold them, for
// everything that shows or copies them outside the window.
#pragma once

#include <string_view>

#include "layouts/windows.h"
#include "sections/common.h"

namespace dravik::sheet {

// The name of the label above a result box: "Label17" (zjl), "Label2"
// (tjpgl), and for zjmj the label standing directly above its box, whose
// name differs from window to window.
std::string_view resultLabelControl(const layouts::WindowLayout& layout, sections::Result result);

// The caption of the label control `name`; empty if the layout lacks it.
std::string_view captionOf(const layouts::WindowLayout& layout, std::string_view name);

// The label text of an input, as the window shows it above the field.
std::string_view inputLabel(const layouts::WindowLayout& layout, const sections::InputSpec& input);

}  // namespace dravik::sheet
