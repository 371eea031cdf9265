// The batch calculation: a CSV file of field texts in, the same file with the
// result texts of each row out. A row is calculated only from cells that are
// wholly numbers (unless lenient): each through the text-to-number rule, then
// the shape's calculation and the display rule, so its results are exactly
// what the calculator window shows after "计算" for those texts. The header
// is checked before any row. batch/README.md describes the file format and
// every problem case.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "batch/byte_stream.h"
#include "batch/csv.h"
#include "batch/text_encoding.h"
#include "sections/section_shape.h"

namespace dravik::batch {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRowsFailed = 1;  // at least one row could not be calculated
inline constexpr int kExitTrouble = 2;     // no usable header, or the input/output failed

// Receives one message per problem (UTF-8), without the program name or a
// line end.
using MessageSink = std::function<void(std::string_view message)>;

struct BatchSummary {
    int exitStatus = kExitOk;
    std::int64_t rows = 0;         // records after the header
    std::int64_t failedRows = 0;   // rows written without results
    std::int64_t notedRows = 0;    // rows with a note
    std::int64_t unsoundRows = 0;  // failed rows: a used input's cell is not wholly a number
    std::int64_t emptyRows = 0;    // rows of empty cells, copied through
    std::int64_t titleRows = 0;    // records above the header, copied through
    Encoding encoding = Encoding::Utf8;
    bool readFailed = false;   // the input could not be read to its end
    bool writeFailed = false;  // the output could not be written
    bool stopped = false;      // a record beyond the bound, or memory ran out
};

// Buffer sizes: large for the program; the tests and fuzzers use tiny ones so
// that records cross buffer boundaries everywhere.
struct BufferSizes {
    std::size_t input = std::size_t{1} << 18;
    std::size_t output = std::size_t{1} << 20;
};

struct BatchOptions {
    std::optional<Encoding> encoding;  // the input's encoding; detected when absent
    bool strict = false;               // a row with a note fails
    bool lenient = false;              // every cell read as the window reads it, each guess noted
    bool defaults = false;             // inputs without a column take the window's defaults
    std::size_t maxRecordSize = CsvReader::kDefaultMaxRecordSize;
    BufferSizes buffers;
};

// Reads the whole input and writes the result CSV to `output`. Nothing is
// written when the header is unusable.
BatchSummary runBatch(ByteSource& input, ByteSink& output, const MessageSink& messages,
                      const BatchOptions& options = {});
BatchSummary runBatch(ByteSource& input, ByteSink& output, const MessageSink& messages, const BufferSizes& buffers);

// Writes what a spreadsheet opens as it should: UTF-8 with a byte-order mark,
// CR LF line ends, a header of the window's label captions ("形状" and the
// inputs in calculation order; the short names with `shortNames`) and one row:
// `shapeName`, then the window's default texts.
bool writeTemplate(const sections::SectionShape& shape, std::string_view shapeName, bool shortNames, ByteSink& output);

}  // namespace dravik::batch
