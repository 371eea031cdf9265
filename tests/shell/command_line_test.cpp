// The desktop program's options: which arguments ask for help or the
// version, which are refused, and the texts printed.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "shell/command_line.h"

using dravik::shell::EarlyRequest;
using dravik::shell::earlyRequest;
using dravik::shell::firstUnknownOption;
using dravik::shell::unknownOptionMessage;
using dravik::shell::usageText;
using dravik::shell::versionText;

namespace {

std::string joined(const std::vector<std::string_view>& args) {
    std::string text;
    for (std::string_view arg : args) {
        text += '[';
        text += arg;
        text += ']';
    }
    return text;
}

std::size_t lineCount(const std::string& text) {
    std::size_t lines = 0;
    for (const char c : text) lines += c == '\n';
    return lines;
}

}  // namespace

TEST(EarlyRequest, HelpOrVersionAnywhereBeforeTheEndOfOptionsFirstOneWins) {
    struct Case {
        std::vector<std::string_view> args;
        EarlyRequest request;
    };
    const Case cases[] = {
        {{}, EarlyRequest::None},
        {{"--help"}, EarlyRequest::Help},
        {{"-h"}, EarlyRequest::Help},
        {{"--version"}, EarlyRequest::Version},
        {{"--version", "--help"}, EarlyRequest::Version},
        {{"--help", "--version"}, EarlyRequest::Help},
        {{"-platform", "offscreen", "--help"}, EarlyRequest::Help},
        {{"--bogus", "--version"}, EarlyRequest::Version},
        {{"--", "--help"}, EarlyRequest::None},
        {{"--helpme"}, EarlyRequest::None},
        {{"--help=all"}, EarlyRequest::None},
        {{"-help"}, EarlyRequest::None},
        {{"--Version"}, EarlyRequest::None},
        {{"-v"}, EarlyRequest::None},
        {{"help"}, EarlyRequest::None},
    };
    for (const Case& c : cases) EXPECT_EQ(earlyRequest(c.args), c.request) << joined(c.args);
}

TEST(UnknownOption, TheFirstDashedArgumentQtLeftIsRefusedOthersAreIgnored) {
    struct Case {
        std::vector<std::string_view> args;
        std::optional<std::string_view> unknown;
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {{"file.csv"}, std::nullopt},
        {{"-"}, std::nullopt},
        {{"-x"}, "-x"},
        {{"--bogus"}, "--bogus"},
        {{"file", "--bogus", "-y"}, "--bogus"},
        {{"--help=all"}, "--help=all"},
        {{"--"}, std::nullopt},
        {{"--", "-x"}, std::nullopt},
        {{"-x", "--"}, "-x"},
    };
    for (const Case& c : cases) EXPECT_EQ(firstUnknownOption(c.args), c.unknown) << joined(c.args);
}

TEST(UnknownOption, MessageIsOneLineWithControlCharactersEscaped) {
    struct Case {
        std::string_view option;
        std::string message;
    };
    const Case cases[] = {
        {"--bogus", "dravik：未知的选项“--bogus”（用法见 dravik --help）\n"},
        {"-x\n", "dravik：未知的选项“-x\\x0a”（用法见 dravik --help）\n"},
        {"-\x1b[2J", "dravik：未知的选项“-\\x1b[2J”（用法见 dravik --help）\n"},
        {std::string_view("-\0\t\x7f", 4), "dravik：未知的选项“-\\x00\\x09\\x7f”（用法见 dravik --help）\n"},
        {"--宽度", "dravik：未知的选项“--宽度”（用法见 dravik --help）\n"},
    };
    for (const Case& c : cases) {
        const std::string message = unknownOptionMessage(c.option);
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(lineCount(message), 1u) << message;
    }
}

TEST(Usage, SaysWhatTheProgramIsItsVersionAndWhereTheBatchToolIs) {
    const std::string text = usageText("9.8.7", "/opt/x/bin/dravik-batch");
    EXPECT_TRUE(text.starts_with("用法：dravik [--help | --version]\n")) << text;
    for (std::string_view part : {"暗柱、L形转角柱、翼柱、Z形转角柱", "--help", "--version", "版本：9.8.7\n",
                                  "批量计算整个 CSV 文件：/opt/x/bin/dravik-batch，"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }
    EXPECT_TRUE(text.ends_with("\n"));
}

TEST(Usage, SaysSoWhenTheBatchToolIsNotBesideTheProgram) {
    const std::string text = usageText("1.2.0", "");
    EXPECT_NE(text.find("批量计算整个 CSV 文件：dravik-batch（未装在本程序旁边）"), std::string::npos) << text;
}

TEST(Version, NameAndVersionOnTheFirstLine) {
    const std::string text = versionText("9.8.7");
    EXPECT_TRUE(text.starts_with("dravik 9.8.7\n")) << text;
    EXPECT_EQ(lineCount(text), 2u) << text;
}
