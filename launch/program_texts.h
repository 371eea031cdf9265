// What the program writes on standard error, in the user's language.
#pragma once

#include <string_view>

namespace dravik::launch::texts {

// Followed by the system's reason.
inline constexpr std::string_view kCannotWriteOutput = "dravik：无法写出到标准输出：";
// The single-copy guard is off (instance_guard.h).
inline constexpr std::string_view kGuardOff =
    "dravik：本用户的单份运行标记被别的用户占用或无法建立，本次不检查是否已有另一份程序在运行。\n";

// No X display or Wayland compositor could be reached: what works without
// one.
inline constexpr std::string_view kNoDesktop =
    "dravik：需要图形桌面（X 或 Wayland）才能打开窗口，但连接不上；"
    "没有图形桌面时，可用 dravik-batch 批量计算 CSV 或 .xlsx 文件，用 dravik --sheets 生成整栋楼的计算书。\n";

}  // namespace dravik::launch::texts
