// The batch run on any bytes: no crash and no sanitizer report, and no row
// lost. The records of input and output are counted by a separate, plain
// reading of the quoting rules (whole input at once, not streamed); every
// input record must come back as one output record, or the output must be
// empty with a header problem. The output must itself be clean CSV, and it
// must not depend on how the input was cut into reads.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "batch/batch.h"
#include "batch/csv.h"

namespace {

using namespace dravik::batch;

void check(bool ok) {
    if (!ok) std::abort();
}

// Records in `text`: a BOM at the start is skipped, lines with no bytes are
// not records, a cell opening with a quote runs to a lone quote (and after a
// broken close, to the next comma or line end), a quote never closed runs to
// the end.
std::size_t countRecords(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::size_t records = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto lineEndAt = [&](std::size_t k) {
        return k < n && (text[k] == '\n' || (text[k] == '\r' && k + 1 < n && text[k + 1] == '\n'));
    };
    auto skipLineEnd = [&](std::size_t k) { return k + (text[k] == '\r' ? 2 : 1); };
    while (i < n) {
        if (lineEndAt(i)) {  // an empty line
            i = skipLineEnd(i);
            continue;
        }
        ++records;
        // one record: cells until a line end outside quotes or the end
        for (;;) {
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
            while (i < n && text[i] != ',' && !lineEndAt(i)) ++i;
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            break;
        }
        if (i < n) i = skipLineEnd(i);
    }
    return records;
}

BatchSummary run(std::string_view input, std::size_t piece, std::size_t buffer, std::string& output,
                 std::size_t& messages) {
    MemorySource source(input, piece);
    StringSink sink;
    messages = 0;
    const BatchSummary summary = runBatch(
        source, sink,
        [&messages](std::string_view message) {
            check(!message.empty() && message.find('\n') == std::string_view::npos);
            ++messages;
        },
        BufferSizes{buffer, buffer});
    output = std::move(sink.text);
    return summary;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string output;
    std::size_t messages = 0;
    const BatchSummary summary = run(input, static_cast<std::size_t>(-1), 4096, output, messages);
    const std::size_t records = countRecords(input);

    check(!summary.readFailed && !summary.writeFailed);
    if (records == 0 || summary.exitStatus == kExitTrouble) {
        check(summary.exitStatus == kExitTrouble && output.empty() && messages == 1);
    } else {
        check(countRecords(output) == records);
        check(summary.rows + 1 == static_cast<std::int64_t>(records));
        check(summary.failedRows == static_cast<std::int64_t>(messages));
        check(summary.exitStatus == (messages > 0 ? kExitRowsFailed : kExitOk));

        // The output reads back without a quoting problem, every row at
        // least as wide as its header, and it is in the writer's own form:
        // written again cell by cell, it gives the same bytes (so no cell
        // was copied without the quotes it needs).
        MemorySource again(output);
        CsvReader reader(again);
        CsvRecord record;
        StringSink rewritten;
        CsvWriter writer(rewritten);
        check(reader.next(record) && record.problem == QuoteProblem::None);
        if (reader.hadByteOrderMark()) writer.raw("\xEF\xBB\xBF");
        writer.setLineEnd(record.lineEnd);
        const std::size_t width = record.size();
        std::size_t count = 0;
        do {
            check(record.problem == QuoteProblem::None && record.size() >= width);
            for (std::size_t i = 0; i < record.size(); ++i) writer.cell(record[i]);
            writer.endRecord();
            ++count;
        } while (reader.next(record));
        writer.flush();
        check(rewritten.text == output);
        check(count == records);
    }

    // The same input read a few bytes at a time, through tiny buffers, gives
    // the same output.
    if (size < 4096) {
        std::string pieces;
        std::size_t piecesMessages = 0;
        const BatchSummary split = run(input, 1 + size % 5, 4 + size % 7, pieces, piecesMessages);
        check(pieces == output && split.exitStatus == summary.exitStatus && piecesMessages == messages);
    }
    return 0;
}
