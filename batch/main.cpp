// dravik-batch: the calculator's "计算" for every row of a CSV file.
#include <fcntl.h>
#include <libintl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "batch/output_file.h"
#include "batch/translate.h"
#include "batch/xlsx_reader.h"
#include "batch/xlsx_source.h"
#include "batch/xlsx_writer.h"
#include "layouts/windows.h"
#include "sections/shapes.h"

#ifndef DRAVIK_VERSION
#error "DRAVIK_VERSION must be defined by the build"
#endif
#ifndef DRAVIK_LOCALEDIR
#error "DRAVIK_LOCALEDIR must be defined by the build"
#endif

namespace {

using namespace dravik::batch;

constexpr std::string_view kProgram = "dravik-batch";

const char* helpText() {
    return tr(R"(Usage: dravik-batch [OPTIONS] [FILE]
       dravik-batch --template SHAPE [--names] [-o FILE]
Calculates every row of a CSV file or an .xlsx workbook as the calculator
window would, and writes the file again with the results and a notes column.

Reads FILE, or standard input when FILE is absent or "-".

  -o, --output FILE       write FILE instead of standard output ("-"):
                          through a temporary file renamed into place at the
                          end (FILE may be the input; a link's target is
                          replaced); a device or FIFO is written directly; a
                          FILE ending in .xlsx is written as a workbook, any
                          other as CSV
  --sheet NAME            read the workbook's sheet NAME instead of its first
  --encoding ENCODING     the input's encoding, utf-8 or gb18030, instead of
                          detecting it
  --lenient               read every cell as the window does ("1,200" as 1,
                          an empty cell as 0) and note each guess, instead of
                          leaving the row without results
  --defaults              inputs the header has no column for take the
                          window's defaults, instead of nothing being done
  --strict                a row with a note fails (empty results, status 1)
  --max-record-size SIZE  the longest record read, in bytes, from 1K to 2G
                          (K, M, G allowed; default 64M); a record has at
                          most 16384 cells
  --template SHAPE        write a header of the window's labels and one row of
                          SHAPE's default texts, as a spreadsheet opens it
                          (a workbook with -o FILE.xlsx)
  --names                 with --template: the short names as the header
  --help                  print this help
  --version               print the version

The input is CSV as a spreadsheet saves it: UTF-8 (with or without a
byte-order mark) or GB18030/GBK, detected; LF, CR LF or CR line ends. The
output has the input's encoding, byte-order mark and line ends.

A workbook (.xlsx) is read from its first sheet (or --sheet) as that CSV:
a number cell as the shortest text that reads back to its number (1200,
not "1,200", whatever its format), a text cell as it stands, a formula
through its calculated value (one without is noted, the row not
calculated); TRUE/FALSE and error cells (#DIV/0!) are not numbers. Written
as CSV, its output is UTF-8 with a byte-order mark. Written as a workbook,
the output has the cells' values, not the input's formatting: numbers stay
numbers, the results are numbers with the formats 0 and 0.00 whose values
are the texts the window shows (empty for "—"), the header row is bold and
frozen. Standard output is always CSV. An archive that would expand beyond
1 GiB (or 100 times its size, beyond 64 MiB) is refused.

The header is the first row that names a shape column (shape or 形状); rows
above it are titles, copied through. Header names are matched ignoring case,
full-width forms and blanks; an input is named by its short name or by its
label in the window, with or without the unit: a, 长度a, 长度a（mm）.
Result columns zjmj, zjl, tjpgl (or 纵筋面积, 纵筋率, 体积配箍率) and notes
(or 计算说明) are replaced where they stand, or added at the end: beside
labels as 纵筋面积（mm2）, 纵筋率（％）, 体积配箍率（％）, 计算说明. Other
columns are carried through unchanged.

The optional columns 混凝土强度等级, 箍筋牌号, 配箍特征值 and 最小纵筋率（％）
have every calculated row checked as its calculation sheet checks it, in
two more columns: [ρv]（％） and 验算 (满足; 不满足 and which check failed;
未验算), both empty for a row that gives no requirement. A requirement that
cannot be used (C15, an unknown steel, only some of grade, steel and λv)
is said in the notes.

The header is checked before any row: when an input that a shape of the file
uses has no column, nothing is calculated or written (status 2); the message
names each such input by its label, and the title probably meant for it.

A row is calculated only when the cell of every input its shape uses is
wholly a number by the window's text-to-number rule (blanks around it
allowed). A thousands separator ("1,200"), letters ("20mm", "Φ20"),
full-width digits or an empty cell leave the row without results, and the
notes name the column by its title. The notes also say when an input took
the window's default and why a result is "—". Rows of empty cells are copied
through.

A row that cannot be calculated (such a cell, an unknown shape, more or fewer
cells than the header, broken quoting, bytes not valid in the encoding) gets
no results, and a message names its line (a sheet's row number). An .xls or
.ods file is not read: save it as .xlsx or CSV.

Exit status: 0 all rows calculated, 1 some rows could not be calculated,
2 nothing could be done: no usable header (nothing is written), an input or
output that fails, a record beyond the size limit, or bad usage.

Inputs (name, label, unit, shapes with their defaults):
)");
}

// The inputs of every shape, one line each: name, labels, unit, and the
// shapes that have the input with their default texts.
std::string inputTable() {
    struct Row {
        std::string_view name;
        std::vector<std::string> labels;
        std::string unit;
        std::string shapes;
    };
    std::vector<Row> rows;
    for (const auto* shape : dravik::sections::allShapes()) {
        for (const auto& input : shape->inputs) {
            Row* row = nullptr;
            for (Row& r : rows) {
                if (r.name == input.name) row = &r;
            }
            if (row == nullptr) row = &rows.emplace_back(Row{input.name, {}, {}, {}});
            std::string label(dravik::layouts::fieldLabel(shape->windowName, input.name));
            const std::size_t open = label.find("（");
            if (open != std::string::npos) {
                row->unit = label.substr(open + 3, label.size() - open - 6);  // between （ and ）
                label.resize(open);
            }
            if (std::find(row->labels.begin(), row->labels.end(), label) == row->labels.end()) {
                row->labels.push_back(label);
            }
            if (!row->shapes.empty()) row->shapes += ", ";
            row->shapes += std::string(shape->windowName) + " " + std::string(input.defaultText);
        }
    }
    std::string out;
    for (const Row& r : rows) {
        std::string labels;
        for (const auto& l : r.labels) labels += (labels.empty() ? "" : " / ") + l;
        out += "  " + std::string(r.name) + std::string(r.name.size() < 7 ? 7 - r.name.size() : 1, ' ') + labels +
               "  (" + r.unit + ")  " + r.shapes + "\n";
    }
    return out;
}

// Messages to standard error, buffered: a file of bad rows gives one line each.
class Messages {
public:
    explicit Messages(std::string prefix = {}) : prefix_(std::move(prefix)) {}
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
    Messages()(fill(tr("{1} (try 'dravik-batch --help')"), {message}));
    return kExitTrouble;
}

int writeStdout(std::string_view text) {
    FdSink out(STDOUT_FILENO);
    if (out.write(text.data(), text.size())) return kExitOk;
    Messages()(fill(tr("cannot write standard output: {1}"), {std::strerror(out.error())}));
    return kExitTrouble;
}

// The output as messages name it.
std::string outputName(const OutputFile& output) {
    return output.isStandardOutput() ? tr("standard output") : quoteForMessage(output.path(), 4096);
}

// Opens the output; false with a message when that fails.
bool openOutput(OutputFile& output, const std::string& path, Messages& messages) {
    const int error = output.open(path);
    if (error != 0) messages(fill(tr("cannot write {1}: {2}"), {quoteForMessage(path, 4096), std::strerror(error)}));
    return error == 0;
}

// Puts the output in place; false with a message when that fails.
bool commitOutput(OutputFile& output, Messages& messages) {
    const int error = output.commit();
    if (error != 0) messages(fill(tr("cannot write {1}: {2}"), {outputName(output), std::strerror(error)}));
    return error == 0;
}

// Writes a workbook to the output with `write`, which needs a file name:
// the temporary file that replaces FILE at the end; for a device or a FIFO
// (written directly), a file of its own in the temporary folder, copied to
// it and removed. False with a message (the output discarded) on failure.
bool writeWorkbook(OutputFile& output, Messages& messages,
                   const std::function<bool(const std::string& file, std::string& error)>& write) {
    std::string error;
    bool ok = false;
    if (!output.temporaryPath().empty()) {
        ok = write(output.temporaryPath(), error);
    } else {
        const char* folder = std::getenv("TMPDIR");
        std::string file = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/dravik-batch.XXXXXX";
        const int fd = ::mkstemp(file.data());
        if (fd < 0) {
            error = std::strerror(errno);
        } else {
            ok = write(file, error);
            ::unlink(file.c_str());  // the open descriptor still reads it
            FdSource written(fd);
            FdSink out(output.fd());
            std::vector<char> piece(std::size_t{1} << 16);
            while (ok) {
                const std::size_t n = written.read(piece.data(), piece.size());
                if (n == 0) break;
                ok = out.write(piece.data(), n);
            }
            if (ok && written.failed()) ok = false;
            if (!ok && error.empty()) error = std::strerror(out.error() != 0 ? out.error() : written.error());
            ::close(fd);
        }
    }
    if (!ok) {
        messages(fill(tr("cannot write {1}: {2}"), {outputName(output), error}));
        output.discard();
    }
    return ok;
}

struct Options {
    std::optional<std::string> file;
    std::string output;
    BatchOptions batch;
    std::optional<std::string_view> templateShape;
    std::optional<std::string> sheet;
    bool names = false;
};

// A size in bytes, with K, M or G for 2^10, 2^20, 2^30; nullopt for
// anything else and for sizes outside the bound's range (1K to 2G).
std::optional<std::size_t> parseSize(std::string_view text) {
    std::uint64_t value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc{}) return std::nullopt;
    const std::string_view suffix(res.ptr, static_cast<std::size_t>(text.data() + text.size() - res.ptr));
    int shift = 0;
    if (suffix == "K" || suffix == "k")
        shift = 10;
    else if (suffix == "M" || suffix == "m")
        shift = 20;
    else if (suffix == "G" || suffix == "g")
        shift = 30;
    else if (!suffix.empty())
        return std::nullopt;
    if (value > (CsvReader::kMaxRecordSizeLimit >> shift)) return std::nullopt;
    value <<= shift;
    if (value < CsvReader::kMinRecordSizeLimit) return std::nullopt;
    return static_cast<std::size_t>(value);
}

// Whether `path` names a workbook by its extension: the output's format
// follows it.
bool endsWithXlsx(std::string_view path) {
    if (path.size() < 5) return false;
    std::string tail(path.substr(path.size() - 5));
    for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail == ".xlsx";
}

// Whether the regular file `fd` starts as a zip archive does.
bool startsAsZip(int fd) {
    struct stat info {};
    char start[4] = {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::pread(fd, start, sizeof start, 0) == 4 &&
           std::string_view(start, 4) == std::string_view("PK\x03\x04", 4);
}

int runOnFile(const Options& options) {
    const std::string& path = *options.file;
    const bool useStdin = path == "-";
    Messages messages;
    int fd = STDIN_FILENO;
    if (!useStdin) {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            messages(fill(tr("cannot open {1}: {2}"), {quoteForMessage(path, 4096), std::strerror(errno)}));
            return kExitTrouble;
        }
    }
    const std::string inputName = useStdin ? tr("standard input") : quoteForMessage(path, 4096);
    Messages fileMessages(useStdin ? std::string() : inputName + ": ");
    OutputFile output;
    if (!openOutput(output, options.output, messages)) return kExitTrouble;
    // Writing onto the file being read would lose it or never end.
    struct stat in {
    }, out{};
    if (::fstat(fd, &in) == 0 && ::fstat(output.fd(), &out) == 0 && S_ISREG(in.st_mode) && in.st_dev == out.st_dev &&
        in.st_ino == out.st_ino) {
        messages(fill(tr("the output is the input file {1}: write it with -o FILE instead"), {inputName}));
        output.discard();
        return kExitTrouble;
    }
    // A workbook is read through its sheet's rows as CSV.
    std::optional<Workbook> workbook;
    if (startsAsZip(fd)) {
        workbook.emplace();
        if (!workbook->openFile(fd) || !workbook->chooseSheet(options.sheet)) {
            fileMessages(workbook->error());
            output.discard();
            return kExitTrouble;
        }
    } else if (options.sheet) {
        output.discard();
        return usageError(tr("--sheet goes with a workbook (.xlsx)"));
    }
    std::optional<SheetSource> sheetSource;
    if (workbook) sheetSource.emplace(*workbook);
    FdSource fileSource(fd);
    ByteSource& source = sheetSource ? static_cast<ByteSource&>(*sheetSource) : fileSource;
    // A workbook is written from the result CSV, kept in a file of its own.
    const bool xlsxOutput = endsWithXlsx(options.output);
    std::FILE* resultsFile = xlsxOutput ? std::tmpfile() : nullptr;
    if (xlsxOutput && resultsFile == nullptr) {
        messages(fill(tr("cannot write {1}: {2}"), {outputName(output), std::strerror(errno)}));
        output.discard();
        return kExitTrouble;
    }
    const int csvFd = xlsxOutput ? ::fileno(resultsFile) : output.fd();
    FdSink sink(csvFd);
    const BatchSummary summary = runBatch(
        source, sink, [&fileMessages](std::string_view m) { fileMessages(m); }, options.batch);
    if (summary.readFailed) {
        messages(fill(tr("cannot read {1}: {2}"),
                      {inputName, workbook ? workbook->error() : std::string(std::strerror(fileSource.error()))}));
    }
    if (summary.writeFailed)
        messages(fill(tr("cannot write {1}: {2}"), {outputName(output), std::strerror(sink.error())}));
    if (xlsxOutput && summary.exitStatus != kExitTrouble) {
        ::lseek(csvFd, 0, SEEK_SET);
        FdSource results(csvFd);
        const bool written = writeWorkbook(output, messages, [&](const std::string& file, std::string& error) {
            return writeResultWorkbook(results, summary.encoding, workbook ? &*workbook : nullptr, file, error);
        });
        std::fclose(resultsFile);
        if (!written) return kExitTrouble;
    }
    if (!useStdin) ::close(fd);
    fileMessages.flush();
    if (summary.exitStatus == kExitTrouble) {
        if (!output.isStandardOutput()) messages(fill(tr("{1} left as it was"), {outputName(output)}));
        output.discard();
        return kExitTrouble;
    }
    return commitOutput(output, messages) ? summary.exitStatus : kExitTrouble;
}

int printTemplate(std::string_view name, bool shortNames, const std::string& outputPath) {
    const auto* shape = dravik::sections::findShape(name);
    Messages messages;
    if (shape == nullptr) {
        messages(
            fill(tr("unknown shape {1} (shapes: azpjl, lxzjzpjl, yzpjl, zxzjzpjl, 暗柱, L形转角柱, 翼柱, Z形转角柱)"),
                 {quoteForMessage(name)}));
        return kExitTrouble;
    }
    OutputFile output;
    if (!openOutput(output, outputPath, messages)) return kExitTrouble;
    if (endsWithXlsx(outputPath)) {
        const bool written = writeWorkbook(output, messages, [&](const std::string& file, std::string& error) {
            return writeTemplateWorkbook(*shape, name, shortNames, file, error);
        });
        return written && commitOutput(output, messages) ? kExitOk : kExitTrouble;
    }
    FdSink out(output.fd());
    if (!writeTemplate(*shape, name, shortNames, out)) {
        messages(fill(tr("cannot write {1}: {2}"), {outputName(output), std::strerror(out.error())}));
        output.discard();
        return kExitTrouble;
    }
    return commitOutput(output, messages) ? kExitOk : kExitTrouble;
}

// The catalogue next to the program (…/bin/../share/locale), so that an
// installation under any prefix and the build tree find theirs; else the
// folder the build was configured for.
std::string localeDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const auto beside = exe.parent_path().parent_path() / "share" / "locale";
        if (std::filesystem::exists(beside / "zh_CN" / "LC_MESSAGES" / "dravik-batch.mo", error)) return beside;
    }
    return DRAVIK_LOCALEDIR;
}

// Messages in Chinese under a zh_* locale, in English otherwise. When the
// Chinese locale itself is not installed, gettext is still pointed at the
// Chinese catalogue: the messages are UTF-8 whatever the locale.
void setUpMessages() {
    const char* language = nullptr;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            language = value;
            break;
        }
    }
    // Texts of the C library (strerror) in the messages' language need a
    // character set that can hold them.
    if (std::setlocale(LC_CTYPE, "") == nullptr) std::setlocale(LC_CTYPE, "C.UTF-8");
    const bool chinese = language != nullptr && std::string_view(language).starts_with("zh");
    if (!chinese) {
        std::setlocale(LC_MESSAGES, "C");  // the C library's texts in English too
    } else {
        const char* set = std::setlocale(LC_MESSAGES, "");
        if (set == nullptr || !std::string_view(set).starts_with("zh")) std::setlocale(LC_MESSAGES, "C.UTF-8");
        // The one Chinese catalogue serves every zh_* locale.
        const char* chosen = std::getenv("LANGUAGE");
        if (chosen == nullptr || *chosen == '\0') ::setenv("LANGUAGE", "zh_CN", 1);
    }
    ::bindtextdomain(kTextDomain, localeDirectory().c_str());
    ::bind_textdomain_codeset(kTextDomain, "UTF-8");
}

}  // namespace

int main(int argc, char** argv) {
    // Blocks of a megabyte or more are mapped and go back to the system when
    // freed: a long record's copies never stay counted after it.
    ::mallopt(M_MMAP_THRESHOLD, 1 << 20);
    setUpMessages();
    std::vector<std::string_view> args(argv + 1, argv + argc);
    Options options;
    bool optionsEnded = false;
    // The value of an option given as "--name VALUE" or "--name=VALUE".
    auto valueOf = [&](std::size_t& i, std::string_view name, std::string_view shortName,
                       std::optional<std::string_view>& value) {
        const std::string_view arg = args[i];
        if (arg == name || (!shortName.empty() && arg == shortName)) {
            if (i + 1 < args.size()) value = args[++i];
            return true;
        }
        if (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=') {
            value = arg.substr(name.size() + 1);
            return true;
        }
        return false;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        std::optional<std::string_view> value;
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            return writeStdout(std::string(helpText()) + inputTable());
        } else if (!optionsEnded && arg == "--version") {
            return writeStdout(std::string(kProgram) + " " + DRAVIK_VERSION + "\n");
        } else if (!optionsEnded && arg == "--strict") {
            options.batch.strict = true;
        } else if (!optionsEnded && arg == "--lenient") {
            options.batch.lenient = true;
        } else if (!optionsEnded && arg == "--defaults") {
            options.batch.defaults = true;
        } else if (!optionsEnded && arg == "--names") {
            options.names = true;
        } else if (!optionsEnded && valueOf(i, "--template", "", value)) {
            if (!value) return usageError(tr("--template needs a shape name"));
            options.templateShape = *value;
        } else if (!optionsEnded && valueOf(i, "--output", "-o", value)) {
            if (!value || value->empty()) return usageError(tr("--output needs a file name"));
            options.output = std::string(*value);
        } else if (!optionsEnded && valueOf(i, "--sheet", "", value)) {
            if (!value) return usageError(tr("--sheet needs a sheet name"));
            options.sheet = std::string(*value);
        } else if (!optionsEnded && valueOf(i, "--encoding", "", value)) {
            const auto encoding = value ? encodingNamed(*value) : std::nullopt;
            if (!encoding) {
                return usageError(
                    fill(tr("unknown encoding {1} (utf-8 or gb18030)"), {quoteForMessage(value.value_or(""))}));
            }
            options.batch.encoding = encoding;
        } else if (!optionsEnded && valueOf(i, "--max-record-size", "", value)) {
            const auto size = value ? parseSize(*value) : std::nullopt;
            if (!size) {
                return usageError(fill(tr("bad size {1} (from 1K to 2G: a number of bytes, K, M or G after it)"),
                                       {quoteForMessage(value.value_or(""))}));
            }
            options.batch.maxRecordSize = *size;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            return usageError(fill(tr("unknown option {1}"), {quoteForMessage(arg)}));
        } else if (options.file) {
            return usageError(tr("only one FILE can be given"));
        } else if (arg.empty()) {
            return usageError(tr("the FILE argument is empty (\"-\" is standard input)"));
        } else {
            options.file = std::string(arg);
        }
    }
    if (options.templateShape) {
        if (options.file) return usageError(tr("--template takes no FILE"));
        return printTemplate(*options.templateShape, options.names, options.output);
    }
    if (options.names) return usageError(tr("--names goes with --template"));
    if (!options.file) options.file = "-";
    return runOnFile(options);
}
