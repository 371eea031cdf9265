// The desktop program's few options. Free of Qt: --help and --version are
// answered before the program connects to a display.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dravik::shell {

enum class EarlyRequest { None, Help, Version };

// "--help" (or "-h") or "--version" among `args` (the arguments after the
// program's name), before any "--"; the first one found wins. Qt's own
// options around them do not matter: nothing else is looked at yet.
EarlyRequest earlyRequest(std::span<const std::string_view> args);

// The first argument that looks like an option ("-x", "--x"; not "-" alone),
// before any "--", in what Qt has left after taking its own options
// ("-platform", "-style" …). Other arguments are ignored, as always.
std::optional<std::string_view> firstUnknownOption(std::span<const std::string_view> args);

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

// The path of the program `name` in the directory of the running program,
// if an executable file is there; otherwise empty.
std::string programBesideThisOne(std::string_view name);

}  // namespace dravik::shell
