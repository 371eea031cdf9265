// What the program writes on standard error, in the user's language.
#pragma once

#include <string_view>

namespace dravik::shell::texts {

// Followed by the system's reason.
inline constexpr std::string_view kCannotWriteOutput = "dravik：无法写出到标准输出：";
inline constexpr std::string_view kNoLockPlace =
    "dravik：没有只属于本用户的目录可放锁文件，本次不检查是否已有另一份程序在运行。\n";

}  // namespace dravik::shell::texts
