// The texts of the title block and the check (验算) as the sheet, the dialog
// and the book write them. "%1" … are the places filled in (see
// sheet::texts::filled). Every text is listed in kAll, from which the
// embedded Song face is cut.
#pragma once

#include <string_view>

namespace dravik::review::texts {

inline constexpr std::string_view kMet = "满足";
inline constexpr std::string_view kNotMet = "不满足";

// The check's section of the sheet.
inline constexpr std::string_view kCheckHeading = "四、验算";
inline constexpr std::string_view kRequirements =
    "设计要求：混凝土 %1，箍筋 %2，配箍特征值 λv = %3，最小纵筋率 ρmin = %4 %";
inline constexpr std::string_view kNotGiven = "未填";
inline constexpr std::string_view kGradeRaised = "混凝土强度等级 %1 低于 %2，fc 按 %2 取值（JGJ 3-2010 第 7.2.15 条）";
inline constexpr std::string_view kFcStep = "混凝土轴心抗压强度设计值 fc = %1 N/mm²（%2，GB 50010-2010 表 4.1.4-1）";
inline constexpr std::string_view kFyvStep = "箍筋抗拉强度设计值 fyv = %1 N/mm²（%2）";
inline constexpr std::string_view kRequiredHoopStep = "最小体积配箍率 [ρv] = λv · fc / fyv = %1 × %2 / %3 = %4 %";
inline constexpr std::string_view kHoopVerdict = "体积配箍率 ρv = %1 % %2 [ρv] = %3 %，%4";
inline constexpr std::string_view kRatioVerdict = "纵筋率 ρ = %1 % %2 ρmin = %3 %，%4";
inline constexpr std::string_view kConclusion = "验算结论：%1";
inline constexpr std::string_view kNotChecked = "未验算：%1。";
inline constexpr std::string_view kRequirementsNote =
    "注：配箍特征值 λv 和最小纵筋率 ρmin 由设计人根据构件的抗震等级和轴压比按规范确定后输入。";
inline constexpr std::string_view kAtLeast = "≥";
inline constexpr std::string_view kBelow = "<";

// Why a requirement was not checked.
inline constexpr std::string_view kUnknownGrade = "混凝土强度等级“%1”不在 C20～C80 之中";
inline constexpr std::string_view kUnknownSteel = "箍筋牌号“%1”不在可选牌号之中";
inline constexpr std::string_view kNotANumber = "“%1”的“%2”不是数";
inline constexpr std::string_view kHoopIncomplete = "箍筋验算需要混凝土强度等级、箍筋牌号和配箍特征值三项";

// The check's verdicts for a summary or a batch row: which check failed.
inline constexpr std::string_view kHoopFailed = "体积配箍率不满足";
inline constexpr std::string_view kRatioFailed = "纵筋率不满足";
inline constexpr std::string_view kFailedChecks = "不满足（%1）";
inline constexpr std::string_view kSeparator = "、";
inline constexpr std::string_view kUnchecked = "未验算";

// The footer of every page, and the end of a proposed file name.
inline constexpr std::string_view kFooter = "第 %1 页 共 %2 页";
inline constexpr std::string_view kFileSuffix = "-计算书.pdf";

// The labels of the requirements, as the dialog and a building file name them.
inline constexpr std::string_view kGradeLabel = "混凝土强度等级";
inline constexpr std::string_view kSteelLabel = "箍筋牌号";
inline constexpr std::string_view kLambdaLabel = "配箍特征值";
inline constexpr std::string_view kRhoMinLabel = "最小纵筋率（％）";

inline constexpr std::string_view kAll[] = {
    kMet,         kNotMet,         kCheckHeading,     kFcStep,       kGradeRaised, kFyvStep,      kRequiredHoopStep,
    kHoopVerdict, kRatioVerdict,   kRequirementsNote, kAtLeast,      kBelow,       kUnknownGrade, kUnknownSteel,
    kNotANumber,  kHoopIncomplete, kHoopFailed,       kRatioFailed,  kGradeLabel,  kSteelLabel,   kLambdaLabel,
    kRhoMinLabel, kFooter,         kFileSuffix,       kFailedChecks, kSeparator,   kUnchecked,
};

}  // namespace dravik::review::texts
