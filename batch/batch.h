// The batch calculation: a CSV file of field texts in, the same file with the
// result texts of each row out. Every row goes through
// sections::calculateFromTexts and sections::displayTexts, so it shows exactly
// what the calculator window shows after "计算". batch/README.md describes
// the file format and every error case.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "batch/byte_stream.h"
#include "sections/section_shape.h"

namespace dravik::batch {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRowsFailed = 1;  // at least one row could not be calculated
inline constexpr int kExitTrouble = 2;     // no usable header, or the input/output failed

// Receives one message per problem, without the program name or a line end.
using MessageSink = std::function<void(std::string_view message)>;

struct BatchSummary {
    int exitStatus = kExitOk;
    std::int64_t rows = 0;        // data records read
    std::int64_t failedRows = 0;  // rows written with empty results
    bool readFailed = false;      // the input could not be read to its end
    bool writeFailed = false;     // the output could not be written
};

// Buffer sizes: large for the program; the tests and fuzzers use tiny ones so
// that records cross buffer boundaries everywhere.
struct BufferSizes {
    std::size_t input = std::size_t{1} << 18;
    std::size_t output = std::size_t{1} << 20;
};

// Reads the whole input and writes the result CSV to `output`. Nothing is
// written when the header is unusable.
BatchSummary runBatch(ByteSource& input, ByteSink& output, const MessageSink& messages,
                      const BufferSizes& buffers = {});

// Writes a header ("shape" and the shape's input names in calculation order)
// and one row: `shapeName`, then the window's default texts.
bool writeTemplate(const sections::SectionShape& shape, std::string_view shapeName, ByteSink& output);

// A cell text made safe to show in a one-line message: in quotes, control
// characters and bytes that are not UTF-8 written as \xNN, cut after 60 bytes.
std::string quoteForMessage(std::string_view text);

}  // namespace dravik::batch
