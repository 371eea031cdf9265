#include "batch/batch.h"

#include <array>
#include <charconv>
#include <span>
#include <unordered_set>
#include <vector>

#include "batch/csv.h"
#include "sections/calculation.h"
#include "sections/shapes.h"

namespace dravik::batch {
namespace {

using sections::Result;
using sections::SectionShape;

constexpr std::size_t kMaxInputs = 32;
constexpr std::array<Result, 3> kResults = {Result::SteelArea, Result::LongitudinalRatio, Result::HoopRatio};
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::string decimal(std::int64_t n) {
    char digits[24];
    const auto res = std::to_chars(digits, digits + sizeof digits, n);
    return std::string(digits, res.ptr);
}

// What the header says about each column, worked out once per file.
class Layout {
public:
    // Reads the header; on a problem returns its message.
    std::string read(const CsvRecord& header) {
        width_ = header.size();
        resultAt_.assign(width_, -1);
        shapes_ = sections::allShapes();
        inputColumn_.assign(shapes_.size(), {});
        for (auto& columns : inputColumn_) columns.fill(-1);
        bool haveShape = false;
        std::unordered_set<std::string_view> names;
        for (std::size_t j = 0; j < width_; ++j) {
            const std::string_view name = trimBlanks(header[j]);
            if (!names.insert(name).second) {
                return "the header names the column " + quoteForMessage(name) + " twice";
            }
            if (name == "shape") {
                shapeColumn_ = j;
                haveShape = true;
            }
            for (std::size_t r = 0; r < kResults.size(); ++r) {
                if (name == sections::resultName(kResults[r])) resultAt_[j] = static_cast<int>(r);
            }
            for (std::size_t s = 0; s < shapes_.size(); ++s) {
                const auto inputs = shapes_[s]->inputs;
                for (std::size_t i = 0; i < inputs.size() && i < kMaxInputs; ++i) {
                    if (inputs[i].name == name) inputColumn_[s][i] = static_cast<int>(j);
                }
            }
        }
        if (!haveShape) return "the header has no \"shape\" column";
        for (std::size_t r = 0; r < kResults.size(); ++r) {
            bool present = false;
            for (int at : resultAt_) present = present || at == static_cast<int>(r);
            if (!present) appended_.push_back(static_cast<int>(r));
        }
        return {};
    }

    void writeHeader(const CsvRecord& header, CsvWriter& out) const {
        for (std::size_t j = 0; j < width_; ++j) out.cell(header[j]);
        for (int r : appended_) out.plainCell(sections::resultName(kResults[static_cast<std::size_t>(r)]));
        out.endRecord();
    }

    std::string_view shapeCell(const CsvRecord& row) const { return row[shapeColumn_]; }

    // The index in allShapes() of the row's shape, or -1.
    int shapeOf(const CsvRecord& row) const {
        const std::string_view name = trimBlanks(row[shapeColumn_]);
        for (std::size_t s = 0; s < shapes_.size(); ++s) {
            if (shapes_[s]->windowName == name || shapes_[s]->typeName == name) return static_cast<int>(s);
        }
        return -1;
    }

    void writeCalculated(const CsvRecord& row, int shapeIndex, CsvWriter& out) const {
        const SectionShape& shape = *shapes_[static_cast<std::size_t>(shapeIndex)];
        const auto& columns = inputColumn_[static_cast<std::size_t>(shapeIndex)];
        std::array<std::string_view, kMaxInputs> texts;
        const std::size_t count = std::min(shape.inputs.size(), kMaxInputs);
        for (std::size_t i = 0; i < count; ++i) {
            const int column = columns[i];
            texts[i] = column >= 0 ? row[static_cast<std::size_t>(column)] : shape.inputs[i].defaultText;
        }
        const sections::ResultTexts results =
            sections::displayTexts(sections::calculateFromTexts(shape, std::span(texts.data(), count)));
        if (appended_.size() == kResults.size() && row.plain()) {
            out.plainCells(row);  // no result column in place: the row as it stood
        } else {
            for (std::size_t j = 0; j < width_; ++j) {
                const int r = resultAt_[j];
                if (r >= 0) {
                    out.plainCell(results[kResults[static_cast<std::size_t>(r)]]);
                } else {
                    out.cell(row[j]);
                }
            }
        }
        for (int r : appended_) out.plainCell(results[kResults[static_cast<std::size_t>(r)]]);
        out.endRecord();
    }

    // A row that could not be calculated: its cells as read, in their
    // columns (a short row filled out with empty cells), empty results, and
    // any cells beyond the header's width after the appended result columns.
    void writeFailed(const CsvRecord& row, CsvWriter& out) const {
        for (std::size_t j = 0; j < width_; ++j) {
            if (resultAt_[j] >= 0) {
                out.plainCell({});
            } else {
                out.cell(j < row.size() ? row[j] : std::string_view{});
            }
        }
        for (std::size_t k = 0; k < appended_.size(); ++k) out.plainCell({});
        for (std::size_t j = width_; j < row.size(); ++j) out.cell(row[j]);
        out.endRecord();
    }

    std::size_t width() const { return width_; }

private:
    std::size_t width_ = 0;
    std::size_t shapeColumn_ = 0;
    std::span<const SectionShape* const> shapes_;
    std::vector<std::array<int, kMaxInputs>> inputColumn_;  // per shape, per input: header column or -1
    std::vector<int> resultAt_;                             // per header column: index into kResults or -1
    std::vector<int> appended_;                             // result columns the header lacks
};

std::string quoteProblemText(QuoteProblem problem) {
    if (problem == QuoteProblem::TextAfterClosingQuote) return "text after the closing quote of a quoted field";
    return "quoted field not closed before the end of the input";
}

}  // namespace

BatchSummary runBatch(ByteSource& input, ByteSink& output, const MessageSink& messages, const BufferSizes& buffers) {
    BatchSummary summary;
    CsvReader reader(input, buffers.input);
    CsvRecord record;
    if (!reader.next(record)) {
        summary.readFailed = reader.readFailed();
        if (!summary.readFailed) messages("no header row");
        summary.exitStatus = kExitTrouble;
        return summary;
    }
    Layout layout;
    std::string problem = record.problem != QuoteProblem::None
                              ? "line " + decimal(record.line) + ": header: " + quoteProblemText(record.problem)
                              : layout.read(record);
    if (!problem.empty()) {
        messages(problem);
        summary.exitStatus = kExitTrouble;
        return summary;
    }

    CsvWriter out(output, buffers.output);
    out.setLineEnd(record.lineEnd);
    if (reader.hadByteOrderMark()) out.raw(kByteOrderMark);
    layout.writeHeader(record, out);

    while (reader.next(record)) {
        ++summary.rows;
        int shapeIndex = -1;
        if (record.problem != QuoteProblem::None) {
            problem = quoteProblemText(record.problem);
        } else if (record.size() != layout.width()) {
            problem = decimal(static_cast<std::int64_t>(record.size())) + (record.size() == 1 ? " cell" : " cells") +
                      " where the header has " + decimal(static_cast<std::int64_t>(layout.width()));
        } else if ((shapeIndex = layout.shapeOf(record)) < 0) {
            problem = "unknown shape " + quoteForMessage(layout.shapeCell(record));
        }
        if (shapeIndex >= 0) {
            layout.writeCalculated(record, shapeIndex, out);
        } else {
            ++summary.failedRows;
            messages("line " + decimal(record.line) + ": " + problem);
            layout.writeFailed(record, out);
        }
        if (out.failed()) break;
    }
    out.flush();
    summary.readFailed = reader.readFailed();
    summary.writeFailed = out.failed();
    if (summary.readFailed || summary.writeFailed) {
        summary.exitStatus = kExitTrouble;
    } else if (summary.failedRows > 0) {
        summary.exitStatus = kExitRowsFailed;
    }
    return summary;
}

bool writeTemplate(const SectionShape& shape, std::string_view shapeName, ByteSink& output) {
    CsvWriter out(output);
    out.cell("shape");
    for (const auto& input : shape.inputs) out.cell(input.name);
    out.endRecord();
    out.cell(shapeName);
    for (const auto& input : shape.inputs) out.cell(input.defaultText);
    out.endRecord();
    return out.flush();
}

std::string quoteForMessage(std::string_view text) {
    constexpr std::size_t kMaxBytes = 60;
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    std::size_t i = 0;
    while (i < text.size() && i < kMaxBytes) {
        const auto c = static_cast<unsigned char>(text[i]);
        // Length of a well-formed UTF-8 sequence starting here, 0 if none.
        std::size_t length = 0;
        if (c >= 0x20 && c < 0x7F) {
            length = 1;
        } else if (c >= 0xC2 && c <= 0xF4) {
            const std::size_t want = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            if (i + want <= text.size()) {
                length = want;
                for (std::size_t k = 1; k < want; ++k) {
                    const auto cc = static_cast<unsigned char>(text[i + k]);
                    if ((cc & 0xC0) != 0x80) length = 0;
                }
                const auto second = static_cast<unsigned char>(text[i + 1]);
                if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second >= 0xA0) || (c == 0xF0 && second < 0x90) ||
                    (c == 0xF4 && second >= 0x90)) {
                    length = 0;  // overlong, surrogate or beyond U+10FFFF
                }
            }
        }
        if (length == 0) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    out += '"';
    if (i < text.size()) out += "…";
    return out;
}

}  // namespace dravik::batch
