// dravik-batch: the calculator's "计算" for every row of a CSV file.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "sections/shapes.h"

#ifndef DRAVIK_VERSION
#error "DRAVIK_VERSION must be defined by the build"
#endif

namespace {

using namespace dravik::batch;

constexpr std::string_view kProgram = "dravik-batch";

constexpr std::string_view kHelp =
    R"(Usage: dravik-batch [FILE]
       dravik-batch --template SHAPE
Calculates every row of a CSV file as the calculator window would, and writes
the file again with the results.

Reads FILE, or standard input when FILE is absent or "-", and writes CSV to
standard output.

  --template SHAPE  print a header and one row of SHAPE's default texts
  --help            print this help
  --version         print the version

The input is CSV (RFC 4180) in UTF-8, with or without a byte-order mark, with
LF or CR LF line ends. The first row names the columns (blanks around a
name are ignored; a name may appear only once):
  shape    required: azpjl, lxzjzpjl, yzpjl, zxzjzpjl, or 暗柱, L形转角柱, 翼柱,
           Z形转角柱 (blanks around the name are ignored)
  a .. f, zj1zj, zj2zj, zj1sl, zj2sl, dgzj, xgzj, hxsl, zxsl, asl .. fsl,
  gjjj, bhhd
           field texts, read as the window reads its fields (an empty cell
           reads 0); an input with no column takes the window's default text,
           and a column the row's shape does not have is ignored
  zjmj, zjl, tjpgl
           results: replaced in place; those the header lacks are added at
           the end, in this order
  any other column is carried through unchanged.

The output has every row in the input's order, each cell as read, and the
result texts exactly as the window shows them (a leading blank, "—" for a
result that is not a number). A cell is quoted only when it holds a comma, a
quote or a line break; leading blanks are kept without quotes. The output
keeps the input's byte-order mark, and its line ends follow the header row's
(CR LF or LF). Lines with no bytes at all are skipped.

A row that cannot be calculated (an unknown shape, more or fewer cells than
the header, broken quoting) is still written in its place with empty results,
and a message names its line. A short row is filled out with empty cells;
cells beyond the header's width follow the added result columns. A cell with
broken quoting keeps its bytes exactly as in the input, quotes included; a
quote never closed runs to the end of the input.

Exit status: 0 all rows calculated, 1 some rows could not be calculated,
2 no usable header (nothing is written), an unreadable FILE, an output that
cannot be written, or bad usage.
)";

// Messages to standard error, buffered: a file of bad rows gives one line each.
class Messages {
public:
    explicit Messages(std::string prefix) : prefix_(std::move(prefix)) {}
    ~Messages() { flush(); }
    void operator()(std::string_view message) {
        buffer_ += kProgram;
        buffer_ += ": ";
        buffer_ += prefix_;
        buffer_ += message;
        buffer_ += '\n';
        if (buffer_.size() > (std::size_t{1} << 16)) flush();
    }
    void flush() {
        FdSink(STDERR_FILENO).write(buffer_.data(), buffer_.size());
        buffer_.clear();
    }

private:
    std::string prefix_;
    std::string buffer_;
};

int usageError(std::string_view message) {
    Messages messages("");
    messages(std::string(message) + " (try 'dravik-batch --help')");
    return kExitTrouble;
}

bool writeStdout(std::string_view text) { return FdSink(STDOUT_FILENO).write(text.data(), text.size()); }

int printTemplate(std::string_view name) {
    const auto* shape = dravik::sections::findShape(name);
    if (shape == nullptr) {
        Messages messages("");
        messages("unknown shape " + quoteForMessage(name) + " (shapes: azpjl, lxzjzpjl, yzpjl, zxzjzpjl)");
        return kExitTrouble;
    }
    FdSink out(STDOUT_FILENO);
    if (!writeTemplate(*shape, name, out)) {
        Messages messages("");
        messages(std::string("cannot write standard output: ") + std::strerror(out.error()));
        return kExitTrouble;
    }
    return kExitOk;
}

int runOnFile(const std::string& path) {
    const bool useStdin = path.empty() || path == "-";
    int fd = STDIN_FILENO;
    if (!useStdin) {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            Messages messages("");
            messages("cannot open " + path + ": " + std::strerror(errno));
            return kExitTrouble;
        }
    }
    Messages messages(useStdin ? std::string() : path + ": ");
    FdSource in(fd);
    FdSink out(STDOUT_FILENO);
    const BatchSummary summary = runBatch(in, out, [&messages](std::string_view m) { messages(m); });
    if (summary.readFailed) {
        messages((useStdin ? "cannot read standard input: " : "cannot read: ") +
                 std::string(std::strerror(in.error())));
    }
    if (summary.writeFailed) messages(std::string("cannot write standard output: ") + std::strerror(out.error()));
    if (!useStdin) ::close(fd);
    return summary.exitStatus;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string file;
    bool haveFile = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            return writeStdout(kHelp) ? kExitOk : kExitTrouble;
        } else if (!optionsEnded && arg == "--version") {
            return writeStdout(std::string(kProgram) + " " + DRAVIK_VERSION + "\n") ? kExitOk : kExitTrouble;
        } else if (!optionsEnded && arg == "--template") {
            if (i + 1 >= args.size()) return usageError("--template needs a shape name");
            if (args.size() != 2) return usageError("--template takes no other arguments");
            return printTemplate(args[i + 1]);
        } else if (!optionsEnded && arg.starts_with("--template=")) {
            if (args.size() != 1) return usageError("--template takes no other arguments");
            return printTemplate(arg.substr(std::string_view("--template=").size()));
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            return usageError("unknown option " + quoteForMessage(arg));
        } else if (haveFile) {
            return usageError("only one FILE can be given");
        } else {
            file = std::string(arg);
            haveFile = true;
        }
    }
    return runOnFile(file);
}
