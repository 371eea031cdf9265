// The desktop program's options: which arguments ask for help or the
// version and which are refused (options_test.sh runs the program itself).
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "shell/command_line.h"

using dravik::shell::EarlyRequest;
using dravik::shell::earlyRequest;
using dravik::shell::firstUnknownOption;
using dravik::shell::unknownOptionMessage;

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
