// The desktop program's options: which arguments ask for help or the
// version and which are refused (options_test.sh runs the program itself).
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "launch/command_line.h"
#include "launch/display_reach.h"

using dravik::launch::EarlyRequest;
using dravik::launch::earlyRequest;
using dravik::launch::readCommandLine;
using dravik::launch::unknownOptionMessage;

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

TEST(UnknownOption, TheFirstDashedArgumentNeitherOursNorQtsIsRefusedOthersAreIgnored) {
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
        {{"--verbose"}, std::nullopt},
        {{"-verbose"}, "-verbose"},
        // Qt's options, with one dash or two, and their values.
        {{"-platform", "offscreen", "-reverse", "--style", "fusion", "-display", ":0"}, std::nullopt},
        {{"-qwindowgeometry", "100x100", "-qwindowtitle", "-x", "-qwindowicon", "i.png"}, std::nullopt},
        {{"-style=fusion", "--stylesheet=a.qss", "-qmljsdebugger=port:1"}, std::nullopt},
        {{"-reverse", "-x"}, "-x"},
        {{"-platform", "offscreen", "-platformx"}, "-platformx"},
        {{"-style"}, std::nullopt},
        {{"-styles=fusion"}, "-styles=fusion"},
        {{"---platform", "xcb"}, "---platform"},
    };
    for (const Case& c : cases) EXPECT_EQ(readCommandLine(c.args).unknownOption, c.unknown) << joined(c.args);
}

TEST(CommandLine, VerboseAndTheLastPlatformAndDisplayGivenAreKept) {
    const std::vector<std::string_view> args = {"-platform", "xcb", "--verbose", "--platform", "offscreen",
                                                "-display",  ":3",  "--",        "-x"};
    const auto line = readCommandLine(args);
    EXPECT_TRUE(line.verbose);
    EXPECT_EQ(line.platform, "offscreen");
    EXPECT_EQ(line.display, ":3");
    EXPECT_EQ(line.unknownOption, std::nullopt);
    // A value is never taken for an option, and "--verbose" after "--" is
    // an argument.
    const std::vector<std::string_view> after = {"-platform", "--verbose", "--", "--verbose"};
    EXPECT_FALSE(readCommandLine(after).verbose);
    EXPECT_EQ(readCommandLine(after).platform, "--verbose");
}

TEST(DesktopsWanted, XAndWaylandNeedTheirDesktopAnyOtherPlatformNone) {
    struct Case {
        std::string_view platforms;
        bool needsOne;
        bool x;
        bool wayland;
    };
    const Case cases[] = {
        {"", true, true, true},
        {";", true, true, true},
        {"xcb", true, true, false},
        {"xcb:nograb", true, true, false},
        {"wayland", true, false, true},
        {"wayland-egl;xcb", true, true, true},
        {"offscreen", false, false, false},
        {"minimal", false, false, false},
        {"vnc:size=800x600", false, false, false},
        {"xcb;offscreen", false, false, false},
        {"xcbx", false, false, false},
    };
    for (const Case& c : cases) {
        const auto wanted = dravik::launch::desktopsWanted(c.platforms);
        ASSERT_EQ(wanted.has_value(), c.needsOne) << c.platforms;
        if (!wanted) continue;
        EXPECT_EQ(wanted->x, c.x) << c.platforms;
        EXPECT_EQ(wanted->wayland, c.wayland) << c.platforms;
    }
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
