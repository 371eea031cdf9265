#include "batch/csv.h"

#include <algorithm>
#include <cstring>

namespace dravik::batch {

CsvReader::CsvReader(ByteSource& source, std::size_t bufferSize)
    : source_(source), capacity_(std::max<std::size_t>(bufferSize, 4)) {
    buffer_ = std::make_unique<char[]>(capacity_);
}

// Makes at least `wanted` bytes (at most 3) available from pos_, moving what
// is left to the front of the buffer first. Positions are indices, so callers
// stay valid across a refill.
bool CsvReader::refill(std::size_t wanted) {
    if (atEnd_) return end_ - pos_ >= wanted;
    const std::size_t left = end_ - pos_;
    if (left > 0 && pos_ > 0) std::memmove(buffer_.get(), buffer_.get() + pos_, left);
    pos_ = 0;
    end_ = left;
    while (end_ < wanted && !atEnd_) {
        const std::size_t n = source_.read(buffer_.get() + end_, capacity_ - end_);
        if (n == 0) {
            atEnd_ = true;
        } else {
            end_ += n;
        }
    }
    return end_ >= wanted;
}

bool CsvReader::next(CsvRecord& record) {
    record.clear();
    if (!started_) {
        started_ = true;
        if (peek(0) == 0xEF && peek(1) == 0xBB && peek(2) == 0xBF) {
            pos_ += 3;
            byteOrderMark_ = true;
        }
    }
    // Lines with no bytes are not records.
    for (;;) {
        const int c = peek();
        if (c == kEnd) return false;
        if (c == '\n') {
            ++pos_;
            ++line_;
        } else if (c == '\r' && peek(1) == '\n') {
            pos_ += 2;
            ++line_;
        } else {
            break;
        }
    }
    record.line = line_;
    for (;;) {
        const std::size_t cellStart = record.text_.size();
        if (peek() == '"') {
            ++pos_;
            readQuoted(record, cellStart);
        } else {
            readUnquoted(record);
        }
        record.ends_.push_back(record.text_.size());
        // Each reader stops before a comma, LF, CR LF or the end.
        const int c = peek();
        if (c == ',') {
            ++pos_;
            continue;
        }
        if (c == kEnd) {
            record.lineEnd = LineEnd::None;
        } else if (c == '\n') {
            ++pos_;
            record.lineEnd = LineEnd::Lf;
            ++line_;
        } else {
            pos_ += 2;
            record.lineEnd = LineEnd::CrLf;
            ++line_;
        }
        return true;
    }
}

void CsvReader::readUnquoted(CsvRecord& record) {
    for (;;) {
        std::size_t i = pos_;
        const char* const data = buffer_.get();
        while (i < end_) {
            const char c = data[i];
            if (c == ',' || c == '\n' || c == '\r') break;
            ++i;
        }
        record.text_.append(data + pos_, i - pos_);
        pos_ = i;
        if (i == end_) {
            if (!refill(1)) return;
            continue;
        }
        if (data[i] != '\r' || peek(1) == '\n') return;
        record.text_.push_back('\r');  // a lone CR
        ++pos_;
    }
}

void CsvReader::readQuoted(CsvRecord& record, std::size_t cellStart) {
    for (;;) {
        std::size_t i = pos_;
        const char* const data = buffer_.get();
        while (i < end_ && data[i] != '"') {
            if (data[i] == '\n') ++line_;
            ++i;
        }
        record.text_.append(data + pos_, i - pos_);
        pos_ = i;
        if (i == end_) {
            if (refill(1)) continue;
            keepRawQuotedText(record, cellStart, false);
            if (record.problem == QuoteProblem::None) record.problem = QuoteProblem::UnclosedQuote;
            return;
        }
        ++pos_;  // the quote
        const int c = peek();
        if (c == '"') {
            record.text_.push_back('"');
            ++pos_;
            continue;
        }
        if (c == ',' || c == '\n' || c == kEnd || (c == '\r' && peek(1) == '\n')) return;
        keepRawQuotedText(record, cellStart, true);
        if (record.problem == QuoteProblem::None) record.problem = QuoteProblem::TextAfterClosingQuote;
        readUnquoted(record);
        return;
    }
}

// Turns the unescaped text of a quoted cell back into the bytes of the input.
void CsvReader::keepRawQuotedText(CsvRecord& record, std::size_t cellStart, bool closed) {
    const std::string text = record.text_.substr(cellStart);
    record.text_.resize(cellStart);
    record.text_.push_back('"');
    for (char c : text) {
        record.text_.push_back(c);
        if (c == '"') record.text_.push_back('"');
    }
    if (closed) record.text_.push_back('"');
}

CsvWriter::CsvWriter(ByteSink& sink, std::size_t bufferSize)
    : sink_(sink), capacity_(std::max<std::size_t>(bufferSize, 16)) {
    buffer_ = std::make_unique<char[]>(capacity_);
}

bool CsvWriter::needsQuotes(std::string_view text) {
    for (char c : text) {
        if (c == ',' || c == '"' || c == '\n' || c == '\r') return true;
    }
    return false;
}

void CsvWriter::cell(std::string_view text) {
    separate(text);
    if (!needsQuotes(text)) {
        append(text);
        return;
    }
    append("\"");
    for (;;) {
        const std::size_t quote = text.find('"');
        if (quote == std::string_view::npos) break;
        append(text.substr(0, quote + 1));
        append("\"");
        text.remove_prefix(quote + 1);
    }
    append(text);
    append("\"");
}

void CsvWriter::append(std::string_view bytes) {
    if (bytes.size() > capacity_ - used_) {
        flush();
        if (bytes.size() >= capacity_) {
            if (!failed_ && !sink_.write(bytes.data(), bytes.size())) failed_ = true;
            return;
        }
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

bool CsvWriter::flush() {
    if (used_ > 0 && !failed_ && !sink_.write(buffer_.get(), used_)) failed_ = true;
    used_ = 0;
    return !failed_;
}

}  // namespace dravik::batch
