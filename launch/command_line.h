// The desktop program's command line, read before Qt starts. Free of Qt:
// --help and --version are answered, an unknown option refused and a missing
// display reported before the program connects to a display, where Qt would
// abort instead.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dravik::launch {

enum class EarlyRequest { None, Help, Version };

// "--help" (or "-h") or "--version" among `args` (the arguments after the
// program's name), before any "--"; the first one found wins. Qt's own
// options around them do not matter: nothing else is looked at yet.
EarlyRequest earlyRequest(std::span<const std::string_view> args);

// What the rest of the command line asks for.
struct CommandLine {
    // The first argument before any "--" that looks like an option ("-x",
    // "--x"; not "-" alone) and is neither ours nor one of Qt's. Arguments
    // that are not options are ignored, as always.
    std::optional<std::string_view> unknownOption;
    // "--verbose": Qt's own messages are shown.
    bool verbose = false;
    // The values of Qt's "-platform" and of the X option "-display" (the last
    // one given wins, as in Qt).
    std::optional<std::string_view> platform;
    std::optional<std::string_view> display;
};

// Reads `args` (the arguments after the program's name) as Qt will: Qt's
// documented options ("-platform NAME", "-style=NAME", "--reverse" …) with
// their values, then ours.
CommandLine readCommandLine(std::span<const std::string_view> args);

// What --help prints: what the program is, its options, the version, and
// where the batch tool is. `batchProgram` is its path, or empty when it is
// not installed beside this program.
std::string usageText(std::string_view version, std::string_view batchProgram);

// What --version prints: the name and version, and what the program is.
std::string versionText(std::string_view version);

// The one line (ending in "\n") written to standard error for an unknown
// option. Control characters in the option are written as \xNN, so the
// message stays one line and never reaches the terminal as a command.
// Example: "--x\n" gives "dravik：未知的选项“--x\x0a”（用法见 dravik --help）\n".
std::string unknownOptionMessage(std::string_view option);

// The status the program ends with when no graphical desktop can be reached
// (after texts::kNoDesktop).
inline constexpr int kStatusNoDesktop = 1;

// The path of the program `name` in the directory of the running program,
// if an executable file is there; otherwise empty.
std::string programBesideThisOne(std::string_view name);

}  // namespace dravik::launch
