// The captions a calculator window shows for its fields, for the batch tool's
// header names and its template. The layout records own these texts.
#pragma once

#include <string_view>

namespace dravik::batch {

// The caption of the label that names the field `fieldName` (an input or a
// result box) in the calculator window `windowName`: "长度a（mm）",
// "纵筋率（％）" …; empty when the window has no such field.
std::string_view fieldLabel(std::string_view windowName, std::string_view fieldName);

}  // namespace dravik::batch
