// Reading and writing CSV (RFC 4180) one record at a time.
//
// The reader finds each record whole in its buffer and hands it out as views:
// the record's bytes exactly as they stand in the input, and each cell's
// bytes within them. Nothing is copied for a record that fits the buffer, and
// a row that cannot be calculated can be written back byte for byte.
//
// It is lenient where a file can still be read unambiguously and reports, per
// record, where it cannot:
//  - A UTF-8 byte-order mark at the very start of the input is skipped and
//    remembered; anywhere else those bytes are cell bytes.
//  - Line ends: the first line end of the input decides. When it is a CR
//    alone, CR ends a record (CR LF too) and LF is a cell byte; otherwise LF
//    and CR LF end a record and a lone CR is a cell byte. The end of the input
//    ends the last record (a missing final line break is fine).
//  - A line with no bytes at all outside quotes is not a record; it is skipped
//    and counted (so that a writer can keep it).
//  - A cell that starts with `"` is quoted: it runs to the next lone `"`, and
//    `""` inside it stands for one `"`. Commas and line breaks inside it are
//    cell bytes. A `"` inside an unquoted cell is an ordinary byte.
//  - Broken quoting does not lose anything. Text after a closing quote (as in
//    `"ab"cd`), or a quote still open at the end of the input, marks the
//    record as broken, and that cell's text is its bytes exactly as they stand
//    in the input, quotes included. A quote never closed takes in the rest of
//    the input, line breaks included.
//  - Encodings do not matter here: only the ASCII bytes , " CR LF have a
//    meaning, and none of them occurs inside a UTF-8 or GB18030 character.
//
// Memory: one input buffer that grows to hold the longest record, up to a
// bound, and a record's cell ends (at most kMaxCells of them). A longer
// record, or one of more cells, stops the reading (stop()).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "batch/byte_stream.h"
#include "batch/growing_buffer.h"

namespace dravik::batch {

enum class QuoteProblem {
    None,
    TextAfterClosingQuote,  // "ab"cd
    UnclosedQuote,          // a quote still open at the end of the input
    CutByReadError,         // the input failed before the record ended
};

enum class LineEnd { None, Lf, CrLf, Cr };

// Why the reader stopped before the end of the input.
enum class ReadStop {
    None,
    TooLong,       // a record of more bytes than the bound
    TooManyCells,  // a record of more than CsvReader::kMaxCells cells
};

// The bytes that write a line end; LF for None.
std::string_view lineEndBytes(LineEnd lineEnd);

// One record, as views into the reader's buffer: valid until the reader's next
// call of next().
class CsvRecord {
public:
    std::size_t size() const { return count_; }
    // The text of cell i: the bytes between the quotes of a quoted cell, with
    // `""` read as `"`; the bytes as they stand for any other cell.
    std::string_view operator[](std::size_t i) const {
        const std::string_view bytes = rawCell(i);
        if (!anyQuoted_ || texts_[i].offset == kAsRead) return bytes;
        if (texts_[i].offset == kBetweenQuotes) return {bytes.data() + 1, bytes.size() - 2};
        return {unescaped_.data() + texts_[i].offset, texts_[i].size};
    }
    // Cell i's bytes as they stand in the input, quotes included.
    std::string_view rawCell(std::size_t i) const {
        const std::uint32_t begin = bounds_[i] + 1, end = bounds_[i + 1];  // 32-bit: bounds_[0] + 1 is 0
        return {raw_.data() + begin, end - begin};
    }
    // The first `count` cells as they stand in the input, with the commas
    // between them.
    std::string_view rawCells(std::size_t count) const {
        return count == 0 ? std::string_view() : std::string_view(raw_.data(), bounds_[count]);
    }
    // The whole record as it stands in the input, without its line end.
    std::string_view raw() const { return raw_; }
    // Whether cell i's text lies in the reader's buffer, where at least
    // kReadPadding readable bytes follow any text; false for a text with
    // `""` read as `"`.
    bool textInReadBuffer(std::size_t i) const { return !anyQuoted_ || texts_[i].offset >= kBetweenQuotes; }
    static constexpr std::size_t kReadPadding = 32;
    // How many bytes after cell i's text may be read.
    std::size_t readableAfter(std::size_t i) const { return textInReadBuffer(i) ? kReadPadding : 0; }

    std::int64_t line = 0;              // line of the input the record starts on, from 1
    std::int64_t emptyLinesBefore = 0;  // lines with no bytes skipped before it
    QuoteProblem problem = QuoteProblem::None;
    LineEnd lineEnd = LineEnd::None;  // how the record ended in the input
    // Whether its last cell is a quote never closed, which took in the rest
    // of the input (whatever problem came first).
    bool endsInOpenQuote = false;

private:
    friend class CsvReader;
    // Where a cell's text is: its bytes as read, the bytes between its
    // quotes, or else at this offset in unescaped_. Offsets are 32 bits: a
    // record is at most kMaxRecordSizeLimit bytes.
    static constexpr std::uint32_t kAsRead = 0xFFFFFFFF;
    static constexpr std::uint32_t kBetweenQuotes = 0xFFFFFFFE;
    struct Text {
        std::uint32_t offset;  // kAsRead, kBetweenQuotes or an offset in unescaped_
        std::uint32_t size;    // of a text in unescaped_
    };
    // Cell i's bytes are raw_[bounds_[i] + 1, bounds_[i + 1]): each cell
    // begins after the comma that ends the one before it, and bounds_[0] is
    // one before the record's first byte (0 - 1 in 32-bit arithmetic).
    static constexpr std::uint32_t kBeforeFirstByte = 0xFFFFFFFF;
    // Room for `cells` cells; the vectors only grow, so that a record of as
    // many cells as the last one costs no allocation.
    void reserveCells(std::size_t cells) {
        if (bounds_.size() < cells + 1) {
            bounds_.resize(2 * (cells + 1));
            bounds_[0] = kBeforeFirstByte;
        }
    }
    // Appends a cell that ends at `end` (the full reader's way).
    void addCell(std::uint32_t end, Text text) {
        reserveCells(count_ + 1);
        if (texts_.size() < count_ + 1) texts_.resize(bounds_.size());
        bounds_[count_ + 1] = end;
        texts_[count_] = text;
        ++count_;
    }
    // Takes the first `count` cells, whose ends are in place, as read.
    void keepPlainCells(std::size_t count) {
        if (texts_.size() < count) texts_.resize(bounds_.size());
        std::fill_n(texts_.begin(), count, Text{kAsRead, 0});
        count_ = count;
    }
    void clearCells() {
        count_ = 0;
        anyQuoted_ = false;
        unescaped_.clear();
    }

    std::string_view raw_;
    std::vector<std::uint32_t> bounds_;
    std::vector<Text> texts_;  // per cell, read only when anyQuoted_
    std::size_t count_ = 0;
    bool anyQuoted_ = false;
    std::string unescaped_;  // texts of quoted cells that hold `""`
};

class CsvReader {
public:
    static constexpr std::size_t kDefaultMaxRecordSize = std::size_t{64} << 20;
    // The bound can be set from 1 KiB up to 2 GiB (cell offsets are 32 bits).
    static constexpr std::size_t kMinRecordSizeLimit = std::size_t{1} << 10;
    static constexpr std::size_t kMaxRecordSizeLimit = std::size_t{1} << 31;
    // The most cells a record may have: a spreadsheet's column limit. It
    // keeps what a record's cells cost small whatever the record holds.
    static constexpr std::size_t kMaxCells = 16384;

    explicit CsvReader(ByteSource& source, std::size_t bufferSize = std::size_t{1} << 16,
                       std::size_t maxRecordSize = kDefaultMaxRecordSize);

    // Reads the next record into `record`; false at the end of the input, or
    // at a record of more than `maxRecordSize` bytes (its line end not
    // counted) or more than kMaxCells cells (then stop()).
    bool next(CsvRecord& record);

    // Whether the input began with a UTF-8 byte-order mark. Known once the
    // first record has been read.
    bool hadByteOrderMark() const { return byteOrderMark_; }
    // How the lines read so far ended: Cr when CR alone ends a line (then an
    // LF is a cell byte), else Lf.
    LineEnd lineEnds() const { return mode_ == Mode::Cr ? LineEnd::Cr : LineEnd::Lf; }
    // Whether reading stopped because the source failed.
    bool readFailed() const { return source_.failed(); }
    // Whether reading stopped at a record beyond the bounds; then
    // stopLine() is the line where it began.
    ReadStop stop() const { return stop_; }
    std::int64_t stopLine() const { return stopLine_; }
    // Lines with no bytes between the last record and the end of the input.
    std::int64_t emptyLinesAtEnd() const { return emptyLinesAtEnd_; }
    // The line where the record being read (or the next one) begins.
    std::int64_t line() const { return line_; }

private:
    enum class Scan { Complete, NeedMore, TooManyCells };
    enum class Mode { Undecided, Lf, Cr };

    Scan scan(CsvRecord& record);
    bool scanPlainLine(CsvRecord& record, std::size_t& cellsDone);
    bool readMore();
    void finishRecord(CsvRecord& record, std::size_t length, LineEnd lineEnd, std::size_t lineEndSize);
    // Whether the bytes at i end a line; sets `size` to their count. Returns
    // false with size 0 when more input is needed to tell.
    bool lineEndAt(std::size_t i, LineEnd& lineEnd, std::size_t& size, bool& needMore);

    // Stops reading at `record`; false.
    bool stopAt(ReadStop why, CsvRecord& record);

    ByteSource& source_;
    std::size_t capacity_;  // the bytes read at most before a record is scanned again
    GrowingBuffer buffer_;  // capacity_ bytes and CsvRecord::kReadPadding more
    std::size_t maxRecordSize_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool started_ = false;
    bool byteOrderMark_ = false;
    Mode mode_ = Mode::Undecided;
    std::int64_t line_ = 1;
    ReadStop stop_ = ReadStop::None;
    std::int64_t stopLine_ = 0;
    std::int64_t emptyLinesAtEnd_ = 0;
};

// Collects output bytes in a buffer of its own and hands them to a sink.
class OutputBuffer {
public:
    explicit OutputBuffer(ByteSink& sink, std::size_t bufferSize = std::size_t{1} << 16);
    ~OutputBuffer() { flush(); }
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void append(std::string_view bytes) {
        if (!bytes.empty()) last_ = bytes.back();
        if (bytes.size() <= capacity_ - used_) {
            if (!bytes.empty()) std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
            used_ += bytes.size();
        } else {
            appendSlow(bytes);
        }
    }
    void append(char c) { append(std::string_view(&c, 1)); }
    // Ends a line with `lineEnd`; but a record whose last byte is a CR gets
    // CR LF, as LF after that CR would read as one CR LF and take the CR.
    void endLine(std::string_view lineEnd) { append(last_ == '\r' && lineEnd == "\n" ? "\r\n" : lineEnd); }
    // Where `size` more bytes can be written straight into the buffer
    // (flushing it first when they do not fit), to be handed back with
    // wrote(); nullptr when they would not fit an empty buffer either.
    char* room(std::size_t size) {
        if (size > capacity_ - used_) {
            flush();
            if (size > capacity_) return nullptr;
        }
        return buffer_.get() + used_;
    }
    // The bytes written at room()'s pointer, up to `end`.
    void wrote(char* end) {
        const auto size = static_cast<std::size_t>(end - (buffer_.get() + used_));
        if (size > 0) last_ = end[-1];
        used_ += size;
    }
    // Hands everything buffered to the sink; false once any write failed.
    bool flush();
    bool failed() const { return failed_; }

private:
    void appendSlow(std::string_view bytes);

    ByteSink& sink_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_;
    std::size_t used_ = 0;
    bool failed_ = false;
    char last_ = '\0';
};

// Writes records cell by cell; a cell is quoted only when it holds a comma, a
// quote, CR or LF. Leading and trailing blanks are written as they are:
// RFC 4180 makes them part of the cell, so they need no quotes.
class CsvWriter {
public:
    explicit CsvWriter(ByteSink& sink, std::size_t bufferSize = std::size_t{1} << 16) : out_(sink, bufferSize) {}

    void setLineEnd(LineEnd lineEnd) { lineEnd_ = lineEndBytes(lineEnd); }
    void cell(std::string_view text);
    // A record of one empty cell is written as `""`: a line with no bytes
    // would read as no record at all.
    void endRecord();
    // Bytes written before anything else (the byte-order mark).
    void raw(std::string_view bytes) { out_.append(bytes); }
    bool flush() { return out_.flush(); }
    bool failed() const { return out_.failed(); }

    static bool needsQuotes(std::string_view text);
    // `text` as one cell: quoted when it needs it.
    static void appendCell(std::string& out, std::string_view text);

private:
    OutputBuffer out_;
    std::string_view lineEnd_ = "\n";
    std::size_t cells_ = 0;
    bool onlyEmptyCell_ = false;
    std::string scratch_;
};

}  // namespace dravik::batch
