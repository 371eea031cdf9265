#include "shell/command_line.h"

#include <unistd.h>

#include <array>

namespace dravik::shell {
namespace {

constexpr std::string_view kWhatItIs =
    "剪力墙边缘构件配筋计算：暗柱、L形转角柱、翼柱、Z形转角柱的纵筋面积、纵筋率和体积配箍率。";

}  // namespace

EarlyRequest earlyRequest(std::span<const std::string_view> args) {
    for (std::string_view arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") return EarlyRequest::Help;
        if (arg == "--version") return EarlyRequest::Version;
    }
    return EarlyRequest::None;
}

std::optional<std::string_view> firstUnknownOption(std::span<const std::string_view> args) {
    for (std::string_view arg : args) {
        if (arg == "--") break;
        if (arg.size() > 1 && arg.front() == '-') return arg;
    }
    return std::nullopt;
}

std::string usageText(std::string_view version, std::string_view batchProgram) {
    std::string text = "用法：dravik [--help | --version]\n      dravik --sheets 文件.csv -o 计算书.pdf [选项…]\n";
    text += kWhatItIs;
    text +=
        "\n"
        "不带选项启动时打开“欢迎使用”窗口，选定截面类型后进入计算窗口；同一用户同时只运行一份。\n"
        "\n"
        "  --help     显示本说明后退出\n"
        "  --version  显示版本后退出\n"
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

}  // namespace dravik::shell
