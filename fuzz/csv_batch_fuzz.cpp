// The batch run on any bytes: no crash and no sanitizer report, no record
// lost, and a run on its own output changes nothing.
//
// The records of input and output are counted by a separate, plain reading
// of the rules (whole input at once, not streamed): every input record and
// every line with no bytes must come back, or the output must be empty with
// a message. Running the tool again on its output must give the same bytes,
// the same failed lines and the same status; and the output must not depend
// on how the input was cut into reads. The options (strict, lenient,
// defaults, a forced encoding) are chosen from the input's length, so the
// corpus covers them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace dravik::batch;

// Records and empty lines in `text`: a BOM at the start is skipped; the first
// line end decides whether CR alone ends lines (then LF is a cell byte, even
// right after a CR) or LF
// and CR LF do (then a lone CR is a cell byte); a cell opening with a quote
// runs to a lone quote (and after a broken close, to the next comma or line
// end); a quote never closed runs to the end.
std::size_t countLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    enum { Undecided, Lf, Cr } mode = Undecided;
    const std::size_t n = text.size();
    // The length of a line end at k, or 0.
    auto lineEnd = [&](std::size_t k) -> std::size_t {
        if (k >= n) return 0;
        if (text[k] == '\n') {
            if (mode == Cr) return 0;
            mode = Lf;
            return 1;
        }
        if (text[k] != '\r') return 0;
        if (mode != Cr && k + 1 < n && text[k + 1] == '\n') {
            if (mode == Undecided) mode = Lf;
            return 2;
        }
        if (mode == Lf) return 0;
        mode = Cr;
        return 1;
    };
    std::size_t lines = 0;
    std::size_t i = 0;
    while (i < n) {
        ++lines;
        if (const std::size_t empty = lineEnd(i)) {
            i += empty;
            continue;
        }
        for (;;) {  // one record
            if (i < n && text[i] == '"') {
                ++i;
                for (;;) {
                    while (i < n && text[i] != '"') ++i;
                    if (i == n) break;
                    if (i + 1 < n && text[i + 1] == '"') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
            }
            while (i < n && text[i] != ',' && lineEnd(i) == 0) ++i;
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            break;
        }
        i += lineEnd(i);
    }
    return lines;
}

struct Run {
    BatchSummary summary;
    std::string output;
    std::vector<std::string> failedLines;  // "line N" of each failed row
    std::size_t messages = 0;
};

Run run(std::string_view input, std::size_t piece, std::size_t buffer, const BatchOptions& base) {
    Run r;
    MemorySource source(input, piece);
    StringSink sink;
    BatchOptions options = base;
    options.buffers = BufferSizes{buffer, buffer};
    r.summary = runBatch(
        source, sink,
        [&r](std::string_view message) {
            check(!message.empty() && message.find('\n') == std::string_view::npos);
            ++r.messages;
            if (message.starts_with("line ")) r.failedLines.emplace_back(message.substr(0, message.find(':')));
        },
        options);
    r.output = std::move(sink.text);
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    BatchOptions options;
    options.strict = size % 3 == 1;
    options.lenient = size % 4 == 2;
    options.defaults = size % 7 != 0;
    if (size % 5 == 2) options.encoding = Encoding::Gb18030;
    if (size % 5 == 3) options.encoding = Encoding::Utf8;

    const Run first = run(input, static_cast<std::size_t>(-1), 4096, options);
    const BatchSummary& summary = first.summary;
    check(!summary.readFailed && !summary.writeFailed && !summary.stopped);
    if (summary.exitStatus == kExitTrouble) {
        check(first.output.empty() && first.messages >= 1);
    } else {
        check(countLines(first.output) == countLines(input));
        check(summary.failedRows == static_cast<std::int64_t>(first.failedLines.size()));
        check(summary.exitStatus == (summary.failedRows > 0 ? kExitRowsFailed : kExitOk));

        // The output checked again, its encoding detected anew, comes out
        // the same, failing on the same lines.
        const Run again = run(first.output, static_cast<std::size_t>(-1), 4096, options);
        check(again.summary.encoding == summary.encoding);
        check(again.output == first.output);
        check(again.summary.exitStatus == summary.exitStatus);
        check(again.failedLines == first.failedLines);
    }

    // The same input read a few bytes at a time, through tiny buffers, gives
    // the same output.
    if (size < 4096) {
        const Run split = run(input, 1 + size % 5, 4 + size % 7, options);
        check(split.output == first.output && split.summary.exitStatus == summary.exitStatus &&
              split.messages == first.messages);
    }
    return 0;
}
