// What the program writes on standard error, in the user's language.
#pragma once

#include <string_view>

namespace dravik::shell::texts {

// Followed by the system's reason.
inline constexpr std::string_view kCannotWriteOutput = "dravik：无法写出到标准输出：";
// The single-copy guard is off (instance_guard.h).
inline constexpr std::string_view kGuardOff =
    "dravik：本用户的单份运行标记被别的用户占用或无法建立，本次不检查是否已有另一份程序在运行。\n";

}  // namespace dravik::shell::texts
