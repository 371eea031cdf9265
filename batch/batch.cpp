#include "batch/batch.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <span>
#include <vector>

#include "batch/header_columns.h"
#include "batch/kept_bytes.h"
#include "batch/translate.h"
#include "layouts/windows.h"
#include "review/design_check.h"
#include "sections/calculation.h"
#include "sections/shapes.h"
#include "sheet/calculation_sheet.h"
#include "text_rules/text_rules.h"

namespace dravik::batch {
namespace {

using sections::SectionShape;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// How much of the input decides its encoding when it cannot be read twice.
constexpr std::size_t kSniffBytes = std::size_t{1} << 20;

// Reads up to `size` bytes, fewer only at the end of the input.
std::size_t readFull(ByteSource& source, char* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const std::size_t n = source.read(buffer + got, size - got);
        if (n == 0) break;
        got += n;
    }
    return got;
}

// Hands out the bytes read to decide the encoding, then the rest.
class ReplaySource : public ByteSource {
public:
    explicit ReplaySource(ByteSource& inner) : inner_(inner) {}
    void readPrefix(std::size_t size) {
        prefix_.resize(size);
        prefix_.resize(readFull(inner_, prefix_.data(), size));
        ended_ = prefix_.size() < size;
    }
    std::string_view prefix() const { return prefix_; }
    bool ended() const { return ended_; }
    // Starts again from the beginning of the inner source.
    bool restart() {
        if (!inner_.rewind()) return false;
        prefix_.clear();
        given_ = 0;
        return true;
    }
    ByteSource& inner() { return inner_; }
    // Starts again from the beginning: from the prefix when it holds the
    // whole input, else from the inner source.
    bool replay() {
        if (!ended_) return restart();
        given_ = 0;
        return true;
    }

    std::size_t read(char* buffer, std::size_t capacity) override {
        if (given_ < prefix_.size()) {
            const std::size_t n = std::min(capacity, prefix_.size() - given_);
            std::copy_n(prefix_.data() + given_, n, buffer);
            given_ += n;
            return n;
        }
        return inner_.read(buffer, capacity);
    }
    bool failed() const override { return inner_.failed(); }

private:
    ByteSource& inner_;
    std::string prefix_;
    std::size_t given_ = 0;
    bool ended_ = false;
};

struct EncodingChoice {
    Encoding encoding = Encoding::Utf8;
    bool checkRows = true;  // false when the whole input is known to be valid
};

// Whether the bytes from `text`'s first invalid position on may be the start
// of a character cut off by the end of a piece.
bool cutShort(std::string_view text, std::size_t valid) { return text.size() - valid < 4; }

// Whether the inner source from its start is valid UTF-8. Each piece is
// checked where it was read; only the bytes of a character cut off by its
// end are carried to the front of the next one.
bool wholeInputValidUtf8(ByteSource& source) {
    constexpr std::size_t kPiece = std::size_t{1} << 18;
    std::vector<char> piece(kPiece + 4);
    std::size_t carried = 0;
    for (;;) {
        const std::size_t n = readFull(source, piece.data() + carried, kPiece);
        const std::string_view text(piece.data(), carried + n);
        const std::size_t ok = validUtf8Prefix(text);
        if (n < kPiece) return ok == text.size();
        if (!cutShort(text, ok)) return false;
        carried = text.size() - ok;
        std::memmove(piece.data(), piece.data() + ok, carried);
    }
}

// A byte-order mark says UTF-8. Without one, an input that is valid UTF-8
// throughout is UTF-8 (the common case, found by the fast check); anything
// else is judged by the bytes its output keeps (kept_bytes.h). A file is
// read whole for that; a pipe is judged by its first megabyte, up to its
// last line break, and every row is checked as it comes.
EncodingChoice chooseEncoding(ReplaySource& input, const BatchOptions& options) {
    if (options.encoding) return {*options.encoding, true};
    const std::string_view prefix = input.prefix();
    if (prefix.starts_with(kByteOrderMark)) return {Encoding::Utf8, true};
    auto keptBytes = [&](ByteSource& source) {
        return EncodingChoice{encodingOfKeptBytes(source, options.buffers.input, options.maxRecordSize), true};
    };
    const std::size_t valid = validUtf8Prefix(prefix);
    if (input.ended()) {
        if (valid == prefix.size()) return {Encoding::Utf8, false};
        MemorySource whole(prefix);
        return keptBytes(whole);
    }
    const bool startValid = cutShort(prefix, valid);  // a character cut off by its end aside
    if (!input.restart()) {
        if (startValid) return {Encoding::Utf8, true};
        const std::size_t lastBreak = prefix.find_last_of("\r\n");
        MemorySource start(lastBreak == std::string_view::npos ? prefix : prefix.substr(0, lastBreak + 1));
        return keptBytes(start);
    }
    // A file: read once more to check it, and once more to judge its kept
    // bytes when it is not valid UTF-8.
    if (startValid && wholeInputValidUtf8(input.inner())) {
        if (!input.restart()) return {Encoding::Utf8, true};
        return {Encoding::Utf8, false};
    }
    if (!input.restart()) return {Encoding::Utf8, true};
    const EncodingChoice choice = keptBytes(input.inner());
    if (!input.restart()) return {Encoding::Utf8, true};
    return choice;
}

std::string quoteProblemText(QuoteProblem problem) {
    switch (problem) {
        case QuoteProblem::TextAfterClosingQuote: return tr("text after the closing quote of a quoted field");
        case QuoteProblem::UnclosedQuote: return tr("quoted field not closed before the end of the input");
        case QuoteProblem::CutByReadError: return tr("cut short: the input could not be read to its end");
        case QuoteProblem::None: break;
    }
    return {};
}

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// `text` on one line, as a note must be: control characters other than a
// tab written as \xNN.
std::string onOneLine(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 0x20 && byte != 0x7F) || c == '\t')
            out += c;
        else
            appendEscapedByte(out, byte);
    }
    return out;
}

// Whether a record may be all blank: only commas, blanks and quotes. Most
// rows are told at their first byte.
bool mayBeBlank(std::string_view raw) {
    for (char c : raw) {
        if (c != ',' && c != ' ' && c != '\t' && c != '"') return false;
    }
    return true;
}

bool allCellsBlank(const CsvRecord& record, std::size_t from = 0) {
    for (std::size_t j = from; j < record.size(); ++j) {
        if (!isBlank(record[j])) return false;
    }
    return true;
}

// Which shape a row's shape cell names: a window name or a type name, in
// the input's encoding, with case and blanks not counting.
class ShapeFinder {
public:
    explicit ShapeFinder(Codec& codec) : codec_(codec) {
        for (const SectionShape* shape : sections::allShapes()) {
            names_.push_back({std::string(shape->windowName), codec_.fromUtf8(shape->typeName)});
            normalizedNames_.push_back({normalizeName(shape->windowName), normalizeName(shape->typeName)});
        }
    }
    // The shape's number in allShapes(), or -1.
    int find(std::string_view cell) {
        if (cell.size() > kLongestName) return -1;
        for (std::size_t s = 0; s < names_.size(); ++s) {
            if (cell == names_[s][0] || cell == names_[s][1]) return static_cast<int>(s);
        }
        if (!codec_.toUtf8(cell, scratch_)) return -1;
        const std::string name = normalizeName(scratch_);
        for (std::size_t s = 0; s < names_.size(); ++s) {
            if (name == normalizedNames_[s][0] || name == normalizedNames_[s][1]) return static_cast<int>(s);
        }
        return -1;
    }

private:
    Codec& codec_;
    std::vector<std::array<std::string, 2>> names_;  // window and type name in the input's encoding
    std::vector<std::array<std::string, 2>> normalizedNames_;
    std::string scratch_;
};

// How the user calls input i of `shape` where no column names it: by the
// window's label when the header speaks in labels, else by its short name.
std::string missingInputName(const SectionShape& shape, std::size_t i, bool labels) {
    const std::string_view label = layouts::fieldLabel(shape.windowName, shape.inputs[i].name);
    return std::string(labels && !label.empty() ? label : shape.inputs[i].name);
}

// A cell like "1,200" or "-12,345.6": digits in groups of three between
// commas, as a spreadsheet's thousands format writes them.
bool hasThousandsSeparators(std::string_view cell) {
    while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
    while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) cell.remove_suffix(1);
    if (!cell.empty() && (cell.front() == '-' || cell.front() == '+')) cell.remove_prefix(1);
    const std::size_t point = std::min(cell.find('.'), cell.size());
    const std::string_view fraction = cell.substr(point);
    if (!std::all_of(fraction.begin() + (fraction.empty() ? 0 : 1), fraction.end(),
                     [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const std::string_view integer = cell.substr(0, point);
    const std::size_t firstComma = integer.find(',');
    if (firstComma == std::string_view::npos || firstComma == 0 || firstComma > 3) return false;
    for (std::size_t k = 0; k < integer.size(); ++k) {
        const bool commaPlace = k >= firstComma && (k - firstComma) % 4 == 0;
        if (commaPlace ? integer[k] != ',' : (integer[k] < '0' || integer[k] > '9')) return false;
    }
    return (integer.size() - firstComma) % 4 == 0;
}

// The window's texts and the header's columns for one shape, set once per
// file; each row overwrites only the texts of the columns it has.
struct ShapeColumns {
    const SectionShape* shape = nullptr;
    std::size_t count = 0;
    std::array<double, kMaxInputs> defaultNumbers{};  // the default texts, read once
    std::array<int, kMaxInputs> column{};
    std::array<std::string, kMaxInputs> inputTitles;  // each input as notes name it: its column's title
    std::string missingNote;                          // names the inputs without a column and their defaults
    std::string asWritten;                            // the shape as the file first writes it (UTF-8)
};

// A row's results and notes, as written.
using Outputs = std::array<std::string_view, kOutputColumns>;

// Everything of one run after the header has been read.
class RowWriter {
public:
    RowWriter(const HeaderColumns& columns, Codec& codec, OutputBuffer& out, std::string_view lineEnd,
              const BatchOptions& options, const MessageSink& messages, BatchSummary& summary)
        : columns_(columns),
          codec_(codec),
          out_(out),
          lineEnd_(lineEnd),
          options_(options),
          messages_(messages),
          summary_(summary) {
        dash_ = codec_.fromUtf8(text_rules::kNotANumber);
        const auto shapes = sections::allShapes();
        shapes_.resize(shapes.size());
        for (std::size_t s = 0; s < shapes.size(); ++s) {
            ShapeColumns& sc = shapes_[s];
            sc.shape = shapes[s];
            sc.count = std::min(sc.shape->inputs.size(), kMaxInputs);
            std::string missing;
            for (std::size_t i = 0; i < sc.count; ++i) {
                sc.defaultNumbers[i] = text_rules::readNumber(sc.shape->inputs[i].defaultText);
                sc.column[i] = columns_.inputColumn(s, i);
                if (sc.column[i] >= 0) {
                    sc.inputTitles[i] = columns_.title(static_cast<std::size_t>(sc.column[i]));
                    continue;
                }
                sc.inputTitles[i] = missingInputName(*sc.shape, i, columns_.labels());
                if (!missing.empty()) missing += ", ";
                missing += sc.inputTitles[i] + " " + std::string(sc.shape->inputs[i].defaultText);
            }
            if (!missing.empty()) sc.missingNote = fill(tr("no column, default taken: {1}"), {missing});
        }
        defaulted_.assign(shapes.size(), 0);
    }

    void emptyLines(std::int64_t count) {
        for (std::int64_t i = 0; i < count; ++i) out_.endLine(lineEnd_);
    }

    void row(const CsvRecord& record, bool checkEncoding) {
        emptyLines(record.emptyLinesBefore);
        ++summary_.rows;
        if (record.problem != QuoteProblem::None) return failAsRead(record, quoteProblemText(record.problem));
        const std::size_t width = columns_.width();
        // A long row keeps its extra cells after the added columns: written
        // as it stood, its extra cells would fill those columns on the next
        // reading (where they would be replaced).
        const bool extraCells = record.size() > width && !allCellsBlank(record, width);
        auto extraNote = [] { return tr("more cells than the header (the extra ones are at the end)"); };
        if (checkEncoding && !keptBytesValid(record, columns_, codec_)) {
            const std::string why = fill(tr("bytes that are not valid {1}"), {encodingName(codec_.encoding())});
            if (!extraCells) return failAsRead(record, why);
            std::string note = why;
            appendNote(note, extraNote());
            return failInPlace(record, why, note);
        }
        if (mayBeBlank(record.raw()) && allCellsBlank(record)) {
            ++summary_.emptyRows;
            out_.append(record.raw());
            out_.endLine(lineEnd_);
            return;
        }
        auto cellCount = [&] {
            return fill(
                record.size() == 1 ? tr("{1} cell where the header has {2}") : tr("{1} cells where the header has {2}"),
                {decimal(static_cast<long long>(record.size())), decimal(static_cast<long long>(width))});
        };
        // A short row stays short when the output is read again (its header
        // only grows), so it is kept as it stood.
        if (record.size() < width) return failAsRead(record, cellCount());
        if (extraCells) return failInPlace(record, cellCount(), extraNote());
        const std::string_view shapeCell = record[columns_.shapeColumn()];
        const int s = finder_.find(shapeCell);
        if (s < 0) {
            const std::string shapeText = codec_.startForShowing(shapeCell, kLongestName);
            const std::string why = fill(tr("unknown shape {1}"), {quoteForMessage(shapeText)});
            return failInPlace(record, why, why);
        }
        ShapeColumns& sc = shapes_[static_cast<std::size_t>(s)];
        if (sc.asWritten.empty()) {
            std::string shapeText;
            if (!codec_.toUtf8(shapeCell, shapeText)) shapeText = sc.shape->windowName;
            sc.asWritten = titleForMessage(shapeText);
        }
        calculate(record, sc, static_cast<std::size_t>(s));
    }

    // Once per file, after the last row: what the notes had in common.
    void summarize() {
        for (std::size_t s = 0; s < shapes_.size(); ++s) {
            if (defaulted_[s] == 0 || shapes_[s].missingNote.empty()) continue;
            messages_(fill(tr("{1} rows of {2}: {3}"),
                           {decimal(defaulted_[s]), shapes_[s].asWritten, shapes_[s].missingNote}));
        }
        if (summary_.unsoundRows > 0) {
            messages_(fill(tr("{1} rows not calculated: a cell of an input they use is not wholly a number "
                              "(--lenient reads such cells as the window does)"),
                           {decimal(summary_.unsoundRows)}));
        }
        if (summary_.notedRows > 0) messages_(fill(tr("{1} rows with notes"), {decimal(summary_.notedRows)}));
    }

private:
    static void appendNote(std::string& notes, std::string_view note) {
        if (!notes.empty()) notes += tr("; ");
        notes += note;
    }

    // The window's "计算" for one row: each input's cell (or the window's
    // default) through the text-to-number rule, the shape's calculation, and
    // the display rule into buffers kept from row to row. Unless lenient, a
    // cell that is not wholly a number leaves the row without results.
    void calculate(const CsvRecord& record, const ShapeColumns& sc, std::size_t shapeIndex) {
        std::array<double, kMaxInputs> numbers;
        notes_.clear();
        bool unsound = false;
        for (std::size_t i = 0; i < sc.count; ++i) {
            const int column = sc.column[i];
            if (column < 0) {
                numbers[i] = sc.defaultNumbers[i];
                continue;
            }
            const std::string_view cell = record[static_cast<std::size_t>(column)];
            const text_rules::Field field =
                text_rules::readField(cell, record.readableAfter(static_cast<std::size_t>(column)));
            numbers[i] = field.value;
            if (field.whole) continue;
            // A formula without its value names no number, however leniently
            // read: the window would take its "=" for 0.
            if (options_.lenient && !cell.starts_with('=')) {
                noteGuess(sc.inputTitles[i], cell, numbers[i]);
            } else {
                noteUnsound(sc.inputTitles[i], cell);
                unsound = true;
            }
        }
        if (unsound) {
            ++summary_.unsoundRows;
            return failInPlace(record, notes_, notes_);
        }
        if (!sc.missingNote.empty()) {
            ++defaulted_[shapeIndex];
            appendNote(notes_, sc.missingNote);
        }
        const std::span<const double> inputs(numbers.data(), sc.count);
        const sections::SectionResults results = sc.shape->calculate(inputs);
        const std::array<std::string_view, kResults.size()> shown = sections::displayTextsInto(resultBuffers_, results);
        Outputs outputs;
        bool anyDash = false;
        for (std::size_t r = 0; r < kResults.size(); ++r) {
            const std::string_view text = shown[static_cast<std::size_t>(kResults[r])];
            const bool dash = text == text_rules::kNotANumber;
            anyDash = anyDash || dash;
            outputs[r] = dash ? std::string_view(dash_) : text;
        }
        if (anyDash) noteDash(shown, sc, inputs);
        if (columns_.checks()) check(record, results);
        if (!notes_.empty()) {
            ++summary_.notedRows;
            if (options_.strict) return failInPlace(record, notes_, notes_);
            encodedNotes_.clear();
            CsvWriter::appendCell(encodedNotes_, codec_.fromUtf8(notes_));
            outputs[kNotesColumn] = encodedNotes_;
        } else {
            outputs[kNotesColumn] = {};
        }
        write(record, outputs);
    }

    // The check against the requirements in the row's cells, as the
    // calculation sheet makes it: [ρv] as the sheet writes it and the
    // verdict, both empty when the row gives no requirement; a note says why
    // a requirement given could not be used. Kept out of calculate(), so
    // that a row of a file without requirements costs what it did.
    [[gnu::noinline]] void check(const CsvRecord& record, const sections::SectionResults& results) {
        review::Requirements requirements;
        const auto fields = review::requirementFields();
        for (std::size_t k = 0; k < fields.size(); ++k) {
            const int column = columns_.requirementColumn(k);
            if (column < 0) continue;
            const std::string_view cell = record[static_cast<std::size_t>(column)];
            if (isBlank(cell)) continue;
            // Names are short: a longer cell is cut as a header's is, and
            // its "…" makes it one that names nothing.
            requirements.*fields[k].member = headerName(codec_, cell);
        }
        requiredHoop_.clear();
        verdict_.clear();
        if (!requirements.empty()) {
            const review::DesignCheck done =
                review::checkSection(requirements, results.hoopRatio, results.longitudinalRatio);
            if (done.hoop) requiredHoop_ = codec_.fromUtf8(sheet::intermediateText(done.hoop->required));
            verdict_ = codec_.fromUtf8(review::checkVerdict(done));
            if (!done.problem.empty()) appendNote(notes_, fill(tr("not checked: {1}"), {onOneLine(done.problem)}));
        }
    }

    // Output column k of the row being written: a result or the notes from
    // `outputs`, or one of the check's cells. (The check's cells are not in
    // `outputs`: a larger array made every row slower.)
    std::string_view outputCell(const Outputs& outputs, int k) const {
        const auto column = static_cast<std::size_t>(k);
        if (column < kOutputColumns) return outputs[column];
        return column == kRequiredHoopColumn ? requiredHoop_ : verdict_;
    }

    // A cell as a note quotes it, in UTF-8.
    std::string cellForNote(std::string_view cell) {
        return quoteForMessage(codec_.startForShowing(cell, kLongestName));
    }

    // A note for a cell that is not wholly a number, which leaves the row
    // without results: what the cell holds, and for a thousands format how
    // to mend the sheet.
    void noteUnsound(std::string_view input, std::string_view cell) {
        if (isBlank(cell)) {
            appendNote(notes_, fill(tr("{1} is empty"), {input}));
        } else if (cell.starts_with('=')) {
            appendNote(notes_, fill(tr("{1} {2} is a formula without a calculated value: let the spreadsheet "
                                       "program calculate the workbook and save it again"),
                                    {input, cellForNote(cell)}));
        } else if (hasThousandsSeparators(cell)) {
            appendNote(notes_, fill(tr("{1} {2} has a thousands separator: remove the thousands format from "
                                       "the column in the spreadsheet and save the CSV again"),
                                    {input, cellForNote(cell)}));
        } else {
            appendNote(notes_, fill(tr("{1} {2} is not wholly a number"), {input, cellForNote(cell)}));
        }
    }

    // With --lenient, a note for a cell that is not wholly a number: what
    // the text rule read.
    void noteGuess(std::string_view input, std::string_view cell, double read) {
        if (isBlank(cell)) {
            appendNote(notes_, fill(tr("{1} is empty, read as 0"), {input}));
            return;
        }
        std::string number = text_rules::formatNumber(read);
        if (number.starts_with(' ')) number.erase(0, 1);
        appendNote(notes_, fill(tr("{1} {2} read as {3}"), {input, cellForNote(cell), number}));
    }

    // A note for results shown as "—", with the inputs that may be why.
    void noteDash(const std::array<std::string_view, kResults.size()>& shown, const ShapeColumns& sc,
                  std::span<const double> inputs) {
        std::string which;
        for (std::size_t r = 0; r < kResults.size(); ++r) {
            if (shown[static_cast<std::size_t>(kResults[r])] != text_rules::kNotANumber) continue;
            if (!which.empty()) which += ", ";
            which += columns_.outputTitle(r);
        }
        // A zero divisor comes from an input read as 0; an overflow from a
        // number beyond the double range or one so large that its products
        // overflow.
        std::string zeros, huge;
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const double x = inputs[i];
            const bool beyond = x - x != 0.0 || x > 1e150 || x < -1e150;
            if (x != 0.0 && !beyond) continue;
            std::string& list = beyond ? huge : zeros;
            if (!list.empty()) list += ", ";
            list += sc.inputTitles[i];
        }
        std::string note = fill(tr("{1} is \u2014: a zero divisor or an overflow"), {which});
        if (!zeros.empty()) note += fill(tr(" (read as 0: {1})"), {zeros});
        if (!huge.empty()) note += fill(tr(" (beyond range: {1})"), {huge});
        appendNote(notes_, note);
    }

    void write(const CsvRecord& record, const Outputs& outputs, bool extraCells = false) {
        const std::size_t width = columns_.width();
        if (!columns_.anyOutputInPlace() && !extraCells && writeAppended(record.rawCells(width), outputs)) return;
        if (!columns_.anyOutputInPlace()) {
            out_.append(record.rawCells(width));
        } else {
            for (std::size_t j = 0; j < width; ++j) {
                if (j > 0) out_.append(',');
                const int k = columns_.outputAt(j);
                if (k < 0) {
                    out_.append(record.rawCell(j));
                    continue;
                }
                out_.append(outputCell(outputs, k));
                // The replaced cell's line breaks are not in the output:
                // the rows after it stand that many lines higher there.
                const std::string_view replaced = record.rawCell(j);
                if (replaced.starts_with('"')) {
                    linesDropped_ += std::count(replaced.begin(), replaced.end(), lineEnd_.back());
                }
            }
        }
        for (int k : columns_.appended()) {
            out_.append(',');
            out_.append(outputCell(outputs, k));
        }
        for (std::size_t j = width; extraCells && j < record.size(); ++j) {
            out_.append(',');
            out_.append(record.rawCell(j));
        }
        out_.endLine(lineEnd_);
    }

    // The common row: its cells as they stood and the output columns after
    // them, written straight into the output buffer. False, with nothing
    // written, when the line does not fit the buffer.
    bool writeAppended(std::string_view cells, const Outputs& outputs) {
        std::size_t size = cells.size();
        for (int k : columns_.appended()) size += 1 + outputCell(outputs, k).size();
        char* out = out_.room(size);
        if (out == nullptr) return false;
        auto put = [&out](std::string_view bytes) {
            if (bytes.empty()) return;
            std::memcpy(out, bytes.data(), bytes.size());
            out += bytes.size();
        };
        put(cells);
        for (int k : columns_.appended()) {
            *out++ = ',';
            put(outputCell(outputs, k));
        }
        out_.wrote(out);
        out_.endLine(lineEnd_);
        return true;
    }

    // A row whose cells could not be told apart, or are not in this
    // encoding: written back byte for byte, so that it fails again the same
    // way when the output is read again.
    void failAsRead(const CsvRecord& record, std::string_view why) {
        ++summary_.failedRows;
        messages_(fill(tr("line {1}: {2}"), {decimal(outputLine(record)), why}));
        out_.append(record.raw());
        // A quote never closed took in the rest of the input; a line end
        // after it would become part of it on the next reading.
        if (!record.endsInOpenQuote) out_.endLine(lineEnd_);
    }

    // A row whose cells stand in their columns but that cannot be
    // calculated: its cells as they stood, empty results and the reason in
    // the notes (a reason that stays the same when the output is read again).
    void failInPlace(const CsvRecord& record, std::string_view why, std::string_view note) {
        ++summary_.failedRows;
        messages_(fill(tr("line {1}: {2}"), {decimal(outputLine(record)), why}));
        encodedNotes_.clear();
        CsvWriter::appendCell(encodedNotes_, codec_.fromUtf8(note));
        Outputs outputs{};
        outputs[kNotesColumn] = encodedNotes_;
        requiredHoop_.clear();
        verdict_.clear();
        write(record, outputs, true);
    }

    // The line a row begins on in the output, which messages name (so that
    // a run on the output names the same lines).
    std::int64_t outputLine(const CsvRecord& record) const { return record.line - linesDropped_; }

    const HeaderColumns& columns_;
    Codec& codec_;
    OutputBuffer& out_;
    std::string_view lineEnd_;
    const BatchOptions& options_;
    const MessageSink& messages_;
    BatchSummary& summary_;
    ShapeFinder finder_{codec_};
    std::vector<ShapeColumns> shapes_;
    std::vector<std::int64_t> defaulted_;  // per shape: rows that took a default
    std::string dash_;
    sections::ResultBuffers resultBuffers_;
    std::string notes_;
    std::string encodedNotes_;
    std::string requiredHoop_;  // [ρv] and the verdict of the row being written, in the output's encoding
    std::string verdict_;
    std::int64_t linesDropped_ = 0;  // line breaks of replaced cells so far
};

// Whether the input starts as a workbook does: a zip archive (.xlsx, .ods)
// or an OLE compound file (.xls).
bool isWorkbook(std::string_view prefix) {
    return prefix.starts_with("PK\x03\x04") || prefix.starts_with("PK\x05\x06") ||
           prefix.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

// The inputs that shapes of the file use and the header names no column
// for, each by its window label (with the short name after it when the
// header uses short names), once each.
std::vector<std::string> missingInputs(const HeaderColumns& columns, const std::vector<char>& used) {
    std::vector<std::string> missing;
    const auto shapes = sections::allShapes();
    for (std::size_t s = 0; s < shapes.size(); ++s) {
        if (!used[s]) continue;
        for (std::size_t i = 0; i < shapes[s]->inputs.size() && i < kMaxInputs; ++i) {
            if (columns.inputColumn(s, i) >= 0) continue;
            std::string name = missingInputName(*shapes[s], i, true);
            if (!columns.labels()) name += " (" + std::string(shapes[s]->inputs[i].name) + ")";
            if (std::find(missing.begin(), missing.end(), name) == missing.end()) missing.push_back(name);
        }
    }
    return missing;
}

// Whether a row after the header reaches its shape's calculation: not one
// whose cells cannot be told apart or are not in the encoding, not one of
// empty cells, and with as many cells as the header (empty ones beyond it
// aside). Only such rows' shapes ask for input columns.
bool mayBeCalculated(const CsvRecord& record, const HeaderColumns& columns, Codec& codec, bool checkEncoding) {
    if (record.problem != QuoteProblem::None || (checkEncoding && !keptBytesValid(record, columns, codec))) {
        return false;
    }
    const std::size_t width = columns.width();
    if (mayBeBlank(record.raw()) && allCellsBlank(record)) return false;
    return record.size() == width || (record.size() > width && allCellsBlank(record, width));
}

struct TitleRow {
    std::string raw;
    bool openQuote;
    std::int64_t emptyLinesBefore;
};

BatchSummary run(ByteSource& source, ByteSink& output, const MessageSink& messages, const BatchOptions& options) {
    BatchSummary summary;
    ReplaySource input(source);
    input.readPrefix(kSniffBytes);
    const std::string_view prefix = input.prefix();
    if (isWorkbook(prefix)) {
        // A file that is a workbook is read as one before this; from here on
        // only an old binary workbook or a workbook on standard input is left.
        messages(prefix.starts_with("PK")
                     ? tr("the input is a workbook, which is read only from a file: give the file's name")
                     : tr("the input is an old binary workbook (.xls), which is not read: save it as .xlsx or CSV"));
        summary.exitStatus = kExitTrouble;
        return summary;
    }
    if (!options.encoding && (prefix.starts_with("\xFF\xFE") || prefix.starts_with("\xFE\xFF"))) {
        messages(tr("the input is UTF-16, which is not read: save it as UTF-8 or GB18030 (\"CSV UTF-8\" or \"CSV\")"));
        summary.exitStatus = kExitTrouble;
        return summary;
    }
    const EncodingChoice choice = chooseEncoding(input, options);
    summary.encoding = choice.encoding;
    Codec codec(choice.encoding);

    std::optional<CsvReader> readerSlot;
    readerSlot.emplace(input, options.buffers.input, options.maxRecordSize);
    CsvRecord record;
    auto stopAtBound = [&] {
        CsvReader& reader = *readerSlot;
        if (reader.stop() == ReadStop::None) return false;
        const std::string line = decimal(reader.stopLine());
        if (reader.stop() == ReadStop::TooLong) {
            messages(fill(tr("line {1}: a record longer than {2} bytes (--max-record-size): stopped"),
                          {line, decimal(static_cast<long long>(options.maxRecordSize))}));
        } else {
            messages(fill(tr("line {1}: a record of more than {2} cells, a spreadsheet's column limit: stopped"),
                          {line, decimal(static_cast<long long>(CsvReader::kMaxCells))}));
        }
        summary.stopped = true;
        return true;
    };

    // The header is the first record that names a shape column; the records
    // above it are titles, copied through.
    std::vector<TitleRow> titles;
    std::vector<std::string> names;
    HeaderColumns columns;
    std::string brokenTitle;     // the first broken quoting above the header: perhaps in the header meant
    std::string undecodedTitle;  // the first record above it not valid in the encoding: perhaps the header
    // The records held until the header is found, the header too, are
    // bounded together as one record is.
    std::size_t heldBytes = 0;
    for (;;) {
        CsvReader& reader = *readerSlot;
        if (!reader.next(record)) {
            summary.readFailed = reader.readFailed();
            if (!stopAtBound() && !summary.readFailed) {
                messages(titles.empty()            ? tr("no header row")
                         : !undecodedTitle.empty() ? undecodedTitle
                         : !brokenTitle.empty()    ? brokenTitle
                                                   : tr("the header has no \"shape\" column"));
            }
            summary.exitStatus = kExitTrouble;
            return summary;
        }
        heldBytes += record.raw().size();
        if (heldBytes > options.maxRecordSize) {
            messages(fill(tr("line {1}: the records up to the header come to more than {2} bytes (--max-record-size): "
                             "stopped"),
                          {decimal(record.line), decimal(static_cast<long long>(options.maxRecordSize))}));
            summary.exitStatus = kExitTrouble;
            summary.stopped = true;
            return summary;
        }
        names.clear();
        bool namesShape = false;
        const bool decoded = codec.valid(record.raw());
        for (std::size_t j = 0; j < record.size(); ++j) {
            names.push_back(headerName(codec, record[j]));
            namesShape = namesShape || nameColumn(names.back()).kind == ColumnKind::Shape;
        }
        if (namesShape) {
            std::string problem;
            if (record.problem != QuoteProblem::None) {
                problem = fill(tr("line {1}: header: {2}"), {decimal(record.line), quoteProblemText(record.problem)});
            } else if (!decoded) {
                problem = fill(tr("line {1}: header: bytes that are not valid {2}"),
                               {decimal(record.line), encodingName(choice.encoding)});
            } else {
                problem = columns.read(names);
            }
            if (!problem.empty()) {
                messages(problem);
                summary.exitStatus = kExitTrouble;
                return summary;
            }
            break;
        }
        if (static_cast<std::int64_t>(titles.size()) >= kMaxTitleRows) {
            messages(fill(tr("the header has no \"shape\" column (none of the first {1} records names one)"),
                          {decimal(kMaxTitleRows + 1)}));
            summary.exitStatus = kExitTrouble;
            return summary;
        }
        if (undecodedTitle.empty() && !decoded) {
            undecodedTitle = fill(tr("line {1}: bytes that are not valid {2}, so no header can be read (--encoding "
                                     "chooses the encoding)"),
                                  {decimal(record.line), encodingName(choice.encoding)});
        }
        if (brokenTitle.empty() && record.problem != QuoteProblem::None) {
            brokenTitle = fill(tr("line {1}: header: {2}"), {decimal(record.line), quoteProblemText(record.problem)});
        }
        titles.push_back({std::string(record.raw()), record.endsInOpenQuote, record.emptyLinesBefore});
    }
    summary.titleRows = static_cast<std::int64_t>(titles.size());

    // Every input that a shape of the file uses must have a column, or
    // --defaults must say that the window's defaults are meant. Which shapes
    // the file uses is found by reading it once more, when that can be done.
    if (!options.defaults) {
        const std::size_t shapeCount = sections::allShapes().size();
        std::vector<char> every(shapeCount, 1);
        if (!missingInputs(columns, every).empty()) {
            std::vector<char> used = every;
            const bool readTwice = input.replay();
            if (readTwice) {
                used.assign(shapeCount, 0);
                // One reader at a time: two buffers of a long record would
                // break the memory bound.
                readerSlot.reset();
                CsvReader scan(input, options.buffers.input, options.maxRecordSize);
                ShapeFinder finder(codec);
                for (std::size_t k = 0; k <= titles.size(); ++k) scan.next(record);
                while (scan.next(record)) {
                    if (!mayBeCalculated(record, columns, codec, choice.checkRows)) continue;
                    const int s = finder.find(record[columns.shapeColumn()]);
                    if (s >= 0) used[static_cast<std::size_t>(s)] = 1;
                }
            }
            const std::vector<std::string> missing = missingInputs(columns, used);
            if (!missing.empty()) {
                std::string list;
                for (const std::string& name : missing) list += (list.empty() ? "" : ", ") + name;
                messages(fill(tr("the header has no column for {1}: nothing calculated (name the columns as the "
                                 "windows do, or give --defaults to take the windows' defaults)"),
                              {list}));
                for (const std::string& title : columns.unmatched()) {
                    const int meant = closestName(title, missing);
                    if (meant < 0) continue;
                    messages(fill(tr("the column {1} is probably meant for {2}"),
                                  {titleForMessage(title), missing[static_cast<std::size_t>(meant)]}));
                }
                if (!readTwice) messages(tr("(the input can be read only once, so every shape counts)"));
                summary.exitStatus = kExitTrouble;
                return summary;
            }
            // Back to where the rows begin (it was read once more above).
            if (!input.replay()) {
                messages(tr("the input could not be read again"));
                summary.exitStatus = kExitTrouble;
                return summary;
            }
            readerSlot.emplace(input, options.buffers.input, options.maxRecordSize);
            for (std::size_t k = 0; k <= titles.size(); ++k) readerSlot->next(record);
        }
    }
    CsvReader& reader = *readerSlot;
    if (choice.encoding == Encoding::Gb18030 && !options.encoding) {
        messages(tr("the input is not UTF-8: read as GB18030, and written so"));
    }
    if (!titles.empty()) {
        messages(
            fill(tr("{1} records above the header taken as titles and copied through"), {decimal(summary.titleRows)}));
    }
    if (!columns.unmatched().empty()) {
        std::string list;
        for (const auto& name : columns.unmatched()) {
            if (!list.empty()) list += ", ";
            list += quoteForMessage(name);
        }
        messages(fill(tr("columns that name no input or result, carried through: {1}"), {list}));
    }
    for (const auto& name : columns.ownNotes()) {
        messages(fill(tr("the column {1} is taken as your own and carried through; the notes go into the column {2}"),
                      {quoteForMessage(name), quoteForMessage(columns.outputTitle(kNotesColumn))}));
    }

    OutputBuffer out(output, options.buffers.output);
    // The header's line end; a header that ends the input takes the one of
    // the lines above it (an LF after CR lines would be a cell byte).
    const std::string_view lineEnd = lineEndBytes(record.lineEnd != LineEnd::None ? record.lineEnd : reader.lineEnds());
    const bool byteOrderMark = reader.hadByteOrderMark();
    if (byteOrderMark) out.append(kByteOrderMark);
    // Lines with no bytes are kept, so that the line numbers of messages are
    // those of the output too. (So the output begins with the bytes of a
    // byte-order mark only when the input did: a record's first bytes only
    // count as one at the very start of the input.)
    auto emptyLines = [&](std::int64_t count) {
        for (std::int64_t i = 0; i < count; ++i) out.endLine(lineEnd);
    };
    for (const TitleRow& title : titles) {
        emptyLines(title.emptyLinesBefore);
        out.append(title.raw);
        if (!title.openQuote) out.endLine(lineEnd);
    }
    emptyLines(record.emptyLinesBefore);
    out.append(record.rawCells(columns.width()));
    for (int k : columns.appended()) {
        out.append(',');
        out.append(codec.fromUtf8(columns.outputTitle(static_cast<std::size_t>(k))));
    }
    out.endLine(lineEnd);

    RowWriter rows(columns, codec, out, lineEnd, options, messages, summary);
    bool reading = true;
    try {
        while (reader.next(record)) {
            reading = false;
            rows.row(record, choice.checkRows);
            if (out.failed()) break;
            reading = true;
        }
        if (reader.stop() == ReadStop::None) rows.emptyLines(reader.emptyLinesAtEnd());
        rows.summarize();
    } catch (const std::bad_alloc&) {
        // Every finished row is still written below.
        messages(fill(tr("line {1}: out of memory: stopped"), {decimal(reading ? reader.line() : record.line)}));
        summary.stopped = true;
    }
    stopAtBound();
    out.flush();
    summary.readFailed = reader.readFailed();
    summary.writeFailed = out.failed();
    if (summary.readFailed || summary.writeFailed || summary.stopped) {
        summary.exitStatus = kExitTrouble;
    } else if (summary.failedRows > 0) {
        summary.exitStatus = kExitRowsFailed;
    }
    return summary;
}

}  // namespace

BatchSummary runBatch(ByteSource& input, ByteSink& output, const MessageSink& messages, const BatchOptions& options) {
    try {
        return run(input, output, messages, options);
    } catch (const std::bad_alloc&) {
        messages(tr("out of memory"));
    } catch (const std::exception& e) {
        messages(e.what());
    }
    BatchSummary summary;
    summary.exitStatus = kExitTrouble;
    summary.stopped = true;
    return summary;
}

BatchSummary runBatch(ByteSource& input, ByteSink& output, const MessageSink& messages, const BufferSizes& buffers) {
    BatchOptions options;
    options.buffers = buffers;
    return runBatch(input, output, messages, options);
}

bool writeTemplate(const SectionShape& shape, std::string_view shapeName, bool shortNames, ByteSink& output) {
    CsvWriter out(output);
    out.raw(kByteOrderMark);
    out.setLineEnd(LineEnd::CrLf);
    out.cell(shortNames ? "shape" : "形状");
    for (const auto& input : shape.inputs) {
        const std::string_view label = layouts::fieldLabel(shape.windowName, input.name);
        out.cell(shortNames || label.empty() ? input.name : label);
    }
    out.endRecord();
    out.cell(shapeName);
    for (const auto& input : shape.inputs) out.cell(input.defaultText);
    out.endRecord();
    return out.flush();
}

}  // namespace dravik::batch
