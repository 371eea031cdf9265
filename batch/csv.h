// Reading and writing CSV (RFC 4180) one record at a time.
//
// The reader is lenient where a file can still be read unambiguously and
// reports, per record, where it cannot:
//  - A UTF-8 byte-order mark at the very start of the input is skipped and
//    remembered. Bytes are otherwise passed through as they are: invalid
//    UTF-8 and NUL bytes are ordinary cell bytes.
//  - A record ends at LF or CR LF outside quotes, or at the end of the input
//    (a missing final line break is fine). A lone CR is a cell byte.
//  - A line with no bytes at all outside quotes is not a record; it is skipped.
//  - A cell that starts with `"` is quoted: it runs to the next lone `"`, and
//    `""` inside it stands for one `"`. Commas and line breaks inside it are
//    cell bytes. A `"` inside an unquoted cell is an ordinary byte.
//  - Broken quoting does not lose anything. Text after a closing quote (as
//    in `"ab"cd`), or a quote still open at the end of the input, marks the
//    record as broken, and that cell holds the bytes exactly as they stand in
//    the input, quotes included (`"ab"cd`). A quote never closed takes in the
//    rest of the input, line breaks included.
//
// Memory: the reader keeps one input buffer and the current record; a record
// is limited only by its own size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "batch/byte_stream.h"

namespace dravik::batch {

enum class QuoteProblem {
    None,
    TextAfterClosingQuote,  // "ab"cd
    UnclosedQuote,          // a quote still open at the end of the input
};

enum class LineEnd { None, Lf, CrLf };

// One record: its cells back to back in one string, reused from record to
// record so that reading allocates nothing once the buffers have grown.
class CsvRecord {
public:
    CsvRecord() { growBounds(16); }
    std::size_t size() const { return cells_; }
    std::string_view operator[](std::size_t i) const {
        return std::string_view(text_.get() + bounds_[i], bounds_[i + 1] - bounds_[i] - 1);
    }

    // True when no cell holds a quote or a CR: then joined() is the record
    // exactly as it stood in the input, and the writer would write the same
    // bytes cell by cell.
    bool plain() const { return plain_; }
    // The cells joined by commas.
    std::string_view joined() const { return std::string_view(text_.get(), used_ == 0 ? 0 : used_ - 1); }

    std::int64_t line = 0;  // line of the input the record starts on, from 1
    QuoteProblem problem = QuoteProblem::None;
    LineEnd lineEnd = LineEnd::None;  // how the record ended in the input

private:
    friend class CsvReader;
    void clear() {
        used_ = 0;
        cells_ = 0;
        plain_ = true;
        problem = QuoteProblem::None;
        lineEnd = LineEnd::None;
    }
    // Room for `more` bytes after the used ones.
    char* reserveMore(std::size_t more) {
        if (capacity_ - used_ < more) grow(more);
        return text_.get() + used_;
    }
    void grow(std::size_t more);
    void push(char c) { *reserveMore(1) = c, ++used_; }
    // Room for `count` cell bounds in all.
    void growBounds(std::size_t count);
    void endCell() {
        push(',');
        if (cells_ + 2 > boundsCapacity_) growBounds(cells_ + 2);
        bounds_[++cells_] = used_;
    }

    std::unique_ptr<char[]> text_;  // each cell, unescaped, followed by a comma
    std::size_t used_ = 0;
    std::size_t capacity_ = 0;
    // Cell i starts at bounds_[i] and ends before the comma at bounds_[i + 1] - 1.
    std::unique_ptr<std::size_t[]> bounds_;
    std::size_t boundsCapacity_ = 0;
    std::size_t cells_ = 0;
    bool plain_ = true;
};

class CsvReader {
public:
    explicit CsvReader(ByteSource& source, std::size_t bufferSize = std::size_t{1} << 16);

    // Reads the next record into `record`; false at the end of the input.
    bool next(CsvRecord& record);

    // Whether the input began with a UTF-8 byte-order mark. Known once the
    // first record has been read.
    bool hadByteOrderMark() const { return byteOrderMark_; }
    // Whether reading stopped because the source failed.
    bool readFailed() const { return source_.failed(); }

private:
    static constexpr int kEnd = -1;

    bool refill(std::size_t wanted);
    int peek(std::size_t ahead = 0) {
        if (pos_ + ahead >= end_ && !refill(ahead + 1)) return kEnd;
        return static_cast<unsigned char>(buffer_[pos_ + ahead]);
    }
    bool readPlainLine(CsvRecord& record);
    void readUnquoted(CsvRecord& record);
    void readQuoted(CsvRecord& record, std::size_t cellStart);
    void keepRawQuotedText(CsvRecord& record, std::size_t cellStart, bool closed);

    ByteSource& source_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool started_ = false;
    bool byteOrderMark_ = false;
    std::int64_t line_ = 1;
};

// Writes records with a buffer of its own; a cell is quoted only when it holds
// a comma, a quote, CR or LF. Leading and trailing blanks are written as they
// are: RFC 4180 makes them part of the cell, so they need no quotes.
class CsvWriter {
public:
    explicit CsvWriter(ByteSink& sink, std::size_t bufferSize = std::size_t{1} << 16);
    ~CsvWriter() { flush(); }
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    void setLineEnd(LineEnd lineEnd) { lineEnd_ = lineEnd == LineEnd::CrLf ? "\r\n" : "\n"; }

    void cell(std::string_view text);
    // A cell the caller knows needs no quotes (a result text).
    void plainCell(std::string_view text);
    // The cells of a plain() record, written as they were read.
    void plainCells(const CsvRecord& record) {
        plainCell(record.joined());
        if (record.size() > 1) {
            cells_ += record.size() - 1;
            onlyEmptyCell_ = false;
        }
    }
    // A record of one empty cell is written as `""`: a line with no bytes
    // would read as no record at all.
    void endRecord() {
        if (onlyEmptyCell_) append("\"\"");
        append(lineEnd_);
        cells_ = 0;
        onlyEmptyCell_ = false;
    }
    // Bytes written before anything else (the byte-order mark).
    void raw(std::string_view bytes) { append(bytes); }

    // Hands everything buffered to the sink; false once any write failed.
    bool flush();
    bool failed() const { return failed_; }

    static bool needsQuotes(std::string_view text);

private:
    void separate(std::string_view text) {
        if (cells_ > 0) append(",");
        ++cells_;
        onlyEmptyCell_ = cells_ == 1 && text.empty();
    }
    void append(std::string_view bytes) {
        if (bytes.empty()) return;
        if (bytes.size() <= capacity_ - used_) {
            std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
            used_ += bytes.size();
        } else {
            appendSlow(bytes);
        }
    }
    void appendSlow(std::string_view bytes);

    ByteSink& sink_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_;
    std::size_t used_ = 0;
    std::size_t cells_ = 0;
    bool onlyEmptyCell_ = false;
    bool failed_ = false;
    std::string_view lineEnd_ = "\n";
};

}  // namespace dravik::batch
