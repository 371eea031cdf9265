#include "launch/command_line.h"

#include <unistd.h>

#include <array>

namespace dravik::launch {
namespace {

constexpr std::string_view kWhatItIs =
    "剪力墙边缘构件配筋计算：暗柱、L形转角柱、翼柱、Z形转角柱的纵筋面积、纵筋率和体积配箍率。";

// Qt's documented options that the program accepts as Qt does: with one
// dash or two, those with a value followed by it as the next argument.
// QGuiApplication's, then the X platform's, then QApplication's.
struct QtOption {
    std::string_view name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"reverse", false},
    {"session", true},
    {"testability", false},
    {"display", true},
    {"geometry", true},
    {"title", true},
    {"icon", true},
    {"name", true},
    {"visual", true},
    {"nograb", false},
    {"dograb", false},
    {"style", true},
    {"stylesheet", true},
    {"widgetcount", false},
};
// Qt's options written "-name=value" in one argument.
constexpr std::string_view kQtOptionsWithEquals[] = {"style=", "stylesheet=", "qmljsdebugger="};

// `arg` without its one or two leading dashes.
std::string_view withoutDashes(std::string_view arg) {
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    return arg;
}

const QtOption* qtOption(std::string_view arg) {
    if (!arg.starts_with('-')) return nullptr;
    const std::string_view name = withoutDashes(arg);
    for (const QtOption& option : kQtOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

bool isQtOptionWithEquals(std::string_view arg) {
    const std::string_view name = withoutDashes(arg);
    for (std::string_view prefix : kQtOptionsWithEquals) {
        if (name.starts_with(prefix)) return true;
    }
    return false;
}

}  // namespace

EarlyRequest earlyRequest(std::span<const std::string_view> args) {
    for (std::string_view arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") return EarlyRequest::Help;
        if (arg == "--version") return EarlyRequest::Version;
    }
    return EarlyRequest::None;
}

CommandLine readCommandLine(std::span<const std::string_view> args) {
    CommandLine line;
    bool endOfOptions = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        // Qt reads its options wherever they stand, even after "--".
        if (const QtOption* option = qtOption(arg)) {
            if (!option->takesValue || i + 1 == args.size()) continue;
            const std::string_view value = args[++i];
            if (option->name == "platform") line.platform = value;
            if (option->name == "display") line.display = value;
            continue;
        }
        if (endOfOptions || arg.size() < 2 || arg.front() != '-') continue;
        if (arg == "--") {
            endOfOptions = true;
        } else if (arg == "--verbose") {
            line.verbose = true;
        } else if (!isQtOptionWithEquals(arg) && !line.unknownOption) {
            line.unknownOption = arg;
        }
    }
    return line;
}

std::string usageText(std::string_view version, std::string_view batchProgram) {
    std::string text =
        "用法：dravik [--verbose] [Qt 的选项]\n"
        "      dravik --help | --version\n"
        "      dravik --sheets 文件.csv -o 计算书.pdf [选项…]\n";
    text += kWhatItIs;
    text +=
        "\n"
        "不带选项启动时打开“欢迎使用”窗口，选定截面类型后进入计算窗口；同一用户同时只运行一份。\n"
        "\n"
        "  --verbose  在标准错误上显示 Qt 自己的提示（平时不显示）\n"
        "  --help     显示本说明后退出\n"
        "  --version  显示版本后退出\n"
        "Qt 的选项（-platform、-display、-style 等）照 Qt 的说明使用。\n"
        "\n"
        "  --sheets 文件.csv -o 计算书.pdf\n"
        "             把楼栋文件（按 dravik-batch 的规则读取）每个算出的行写成一份计算书，连同封面和汇总表\n"
        "             合成一个 PDF；不需要显示器，退出状态与 dravik-batch 相同。可选列：构件编号、楼层/部位、\n"
        "             混凝土强度等级、箍筋牌号、配箍特征值、最小纵筋率（％）。计算书信息取自以下选项，\n"
        "             未给出的取保存的计算书信息：--project 工程名称  --building 子项/楼号  --floor 楼层/部位\n"
        "             --designer 设计  --checker 校对  --reviewer 审核  --date 日期；另有 dravik-batch 的 "
        "--strict、--lenient、\n             --defaults、--encoding\n"
        "\n"
        "版本：";
    text += version;
    text += "\n批量计算整个 CSV 文件：";
    if (batchProgram.empty()) {
        text += "dravik-batch（未装在本程序旁边）";
    } else {
        text += batchProgram;
    }
    text += "，用法见 dravik-batch --help。\n";
    return text;
}

std::string versionText(std::string_view version) {
    std::string text = "dravik ";
    text += version;
    text += '\n';
    text += kWhatItIs;
    text += '\n';
    return text;
}

std::string unknownOptionMessage(std::string_view option) {
    std::string text = "dravik：未知的选项“";
    for (const char c : option) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            constexpr char kHex[] = "0123456789abcdef";
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 0xf];
        } else {
            text += c;
        }
    }
    text += "”（用法见 dravik --help）\n";
    return text;
}

std::string programBesideThisOne(std::string_view name) {
    std::array<char, 4096> self{};
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length <= 0) return {};
    std::string path(self.data(), static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    path.resize(slash + 1);
    path += name;
    return ::access(path.c_str(), X_OK) == 0 ? path : std::string();
}

}  // namespace dravik::launch
