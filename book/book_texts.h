// The texts of a book of calculation sheets (cover, summary, progress),
// listed in kAll for the embedded Song face. "%1" … are places to fill.
#pragma once

#include <string_view>

namespace dravik::book::texts {

inline constexpr std::string_view kBookTitle = "边缘构件配筋计算书";
inline constexpr std::string_view kCoverCounts =
    "本册共 %1 行：计算 %2 行（验算满足 %3 行，不满足 %4 行），未计算 %5 行。";
inline constexpr std::string_view kSummaryTitle = "汇总表";
inline constexpr std::string_view kSummaryColumns[] = {"行", "构件编号", "形状", "验算"};
inline constexpr std::string_view kNotCalculated = "未计算：%1";
inline constexpr std::string_view kProgress = "dravik：已写 %1 页计算书（第 %2 行）";
inline constexpr std::string_view kBookWritten = "dravik：计算书已写入 %1：封面 1 页，计算书 %2 页，汇总表 %3 页";
inline constexpr std::string_view kBookNotWritten = "dravik：计算书没有写成：%1";

inline constexpr std::string_view kUnknownOption = "dravik：未知的选项“%1”（用法见 dravik --help）";
inline constexpr std::string_view kMissingValue = "dravik：选项“%1”缺少值";
inline constexpr std::string_view kBookUsage =
    "dravik：用法：dravik --sheets 文件.csv -o 计算书.pdf [--project 工程名称 …]";
inline constexpr std::string_view kCannotRead = "dravik：无法读取 %1";

inline constexpr std::string_view kAll[] = {
    kUnknownOption,     kMissingValue,  kBookUsage,         kCannotRead,        kBookTitle,
    kCoverCounts,       kSummaryTitle,  kSummaryColumns[0], kSummaryColumns[1], kSummaryColumns[2],
    kSummaryColumns[3], kNotCalculated, kProgress,          kBookWritten,       kBookNotWritten,
};

}  // namespace dravik::book::texts
