// The fixed texts of the calculation sheet (its title, headings and the
// explanations of a "—") and of the windows' commands that make it, with
// what they say when they cannot. Kept here, Qt-free, so that the cut-down
// Song face is made from the same table the windows read (see
// tools/song_subset/song_characters.cpp). "%1" … are the places filled in.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace dravik::sheet::texts {

// The sheet's title: the section type's name, then 计算书.
inline constexpr std::string_view kTitle = "%1计算书";

inline constexpr std::string_view kDiagramAndResults = "一、计算简图与计算结果";
inline constexpr std::string_view kInputs = "二、输入参数";
inline constexpr std::string_view kInputColumns[] = {"参数", "符号", "输入文字", "计算用数值", "单位"};
inline constexpr std::string_view kNotWhollyNumberNote = "%1 “%2”的输入文字“%3”不全是数字，计算用其开头的数 %4。";
inline constexpr std::string_view kSteps = "三、计算过程（π = 3.1415926）";
// The result as on paper, how it was rounded, and the window's own text
// beside it where the two are written differently.
inline constexpr std::string_view kResultOnPaper = "计算结果（%1）：%2 <b>%3</b>";
inline constexpr std::string_view kRoundedWhole = "取整";
inline constexpr std::string_view kRoundedTwoPlaces = "两位小数";
inline constexpr std::string_view kWindowText = "（窗口中显示为“%1”）";
inline constexpr std::string_view kExplanation = "（%1）";

// Why a result is "—": an input beyond the double range (its label and
// text), a zero divisor (what is zero; the step that divides by it), an
// overflow (the step).
inline constexpr std::string_view kInputOutOfRange = "输入“%1”的数 %2 超出双精度数的范围";
inline constexpr std::string_view kZeroDivisor = "除数为零：%1 = 0（%2）";
inline constexpr std::string_view kQuotedInput = "“%1” %2";
inline constexpr std::string_view kOverflow = "数值溢出：%1 超出双精度数的范围";

// The tooltip of an input field whose text was not wholly a number, with
// the number "计算" read from it.
inline constexpr std::string_view kReadAsTooltip = "按 %1 计算";

// The commands in the calculator windows' context menu.
inline constexpr std::string_view kPrintCommand = "打印计算书…";
inline constexpr std::string_view kSaveCommand = "保存计算书…";
inline constexpr std::string_view kCopyCommand = "复制计算结果";
inline constexpr std::string_view kInfoCommand = "计算书信息…";
inline constexpr std::string_view kInfoTitle = "计算书信息";
// The first column of the copied rows, as dravik-batch names the shape's.
inline constexpr std::string_view kShapeColumn = "形状";

// Dialogs and what the commands say when they cannot do their work.
inline constexpr std::string_view kPrintTitle = "打印计算书";
inline constexpr std::string_view kSaveTitle = "保存计算书";
inline constexpr std::string_view kPdfFilter = "PDF 文件 (*.pdf)";
inline constexpr std::string_view kNotPrinted = "计算书没有打印：无法开始打印，请检查打印机。";
inline constexpr std::string_view kNotSaved =
    "计算书没有保存。%1\n窗口中的输入和结果都还在，请另选一个可以写入的文件夹再保存。";
inline constexpr std::string_view kNoSuchFolder = "文件夹“%1”不存在。";
inline constexpr std::string_view kFolderNotWritable = "没有在文件夹“%1”中写入文件的权限。";
inline constexpr std::string_view kFileReadOnly = "文件“%1”是只读的。";
// Why writing a file failed, by the system's reason; kWriteFailed for any
// other, with the system's error number as %2.
inline constexpr std::string_view kDiskFull = "磁盘已满，文件“%1”没有写完。";
inline constexpr std::string_view kNameTooLong = "文件名“%1”太长。";
inline constexpr std::string_view kNoPermission = "没有写入文件“%1”的权限。";
inline constexpr std::string_view kReadOnlyDisk = "文件“%1”所在的磁盘只能读不能写。";
inline constexpr std::string_view kFileTooLarge = "文件“%1”超过了系统允许的大小。";
inline constexpr std::string_view kDiskError = "读写磁盘出错，文件“%1”没有写完。";
inline constexpr std::string_view kFileInUse = "文件“%1”正被占用。";
inline constexpr std::string_view kIsAFolder = "“%1”是一个文件夹。";
inline constexpr std::string_view kWriteFailed = "写入文件“%1”时出错（系统错误 %2）。";

// Every text above, for those who need them all.
inline constexpr std::string_view kAll[] = {
    kTitle,           kDiagramAndResults, kInputs,        kInputColumns[0], kInputColumns[1],
    kInputColumns[2], kInputColumns[3],   kInputColumns[4], kNotWhollyNumberNote, kSteps,
    kResultOnPaper,   kRoundedWhole,      kRoundedTwoPlaces, kWindowText,    kExplanation,
    kInputOutOfRange, kZeroDivisor,       kQuotedInput,     kOverflow,        kPrintCommand,
    kSaveCommand,     kCopyCommand,       kInfoCommand,     kInfoTitle,       kShapeColumn,
    kPrintTitle,      kSaveTitle,         kPdfFilter,       kNotPrinted,      kNotSaved,
    kNoSuchFolder,    kFolderNotWritable, kFileReadOnly,    kDiskFull,        kNameTooLong,
    kNoPermission,    kReadOnlyDisk,      kFileTooLarge,    kDiskError,       kFileInUse,
    kIsAFolder,       kWriteFailed,       kReadAsTooltip,
};

// `text` with %1 … %9 replaced by `args` in one pass: a text put in is never
// read again for places. filled(kTitle, {"暗柱"}) is "暗柱计算书".
inline std::string filled(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t place = i + 1 < text.size() ? std::size_t(text[i + 1] - '1') : args.size();
        if (text[i] == '%' && place < args.size()) {
            out += args.begin()[place];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace dravik::sheet::texts
