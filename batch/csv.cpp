#include "batch/csv.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace dravik::batch {
namespace {

constexpr std::array<bool, 256> byteTable(std::string_view bytes) {
    std::array<bool, 256> table{};
    for (char c : bytes) table[static_cast<unsigned char>(c)] = true;
    return table;
}

// Bytes that end an unquoted cell (CR only when LF follows; checked after).
// A quote does not end an unquoted cell but stops the fast loop: the record is
// then no longer plain().
constexpr std::array<bool, 256> kEndsUnquotedCell = byteTable(",\n\r\"");
// Bytes that make the writer quote a cell.
constexpr std::array<bool, 256> kNeedsQuotes = byteTable(",\"\n\r");

}  // namespace

void CsvRecord::grow(std::size_t more) {
    const std::size_t capacity = std::max({capacity_ * 2, used_ + more, std::size_t{256}});
    auto text = std::make_unique_for_overwrite<char[]>(capacity);
    if (used_ > 0) std::memcpy(text.get(), text_.get(), used_);
    text_ = std::move(text);
    capacity_ = capacity;
}

void CsvRecord::growBounds(std::size_t count) {
    const std::size_t capacity = std::max(boundsCapacity_ * 2, count);
    auto bounds = std::make_unique_for_overwrite<std::size_t[]>(capacity);
    bounds[0] = 0;
    if (cells_ > 0) std::memcpy(bounds.get(), bounds_.get(), (cells_ + 1) * sizeof(std::size_t));
    bounds_ = std::move(bounds);
    boundsCapacity_ = capacity;
}

CsvReader::CsvReader(ByteSource& source, std::size_t bufferSize)
    : source_(source), capacity_(std::max<std::size_t>(bufferSize, 4)) {
    buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
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
    if (readPlainLine(record)) return true;
    for (;;) {
        const std::size_t cellStart = record.used_;
        if (peek() == '"') {
            ++pos_;
            record.plain_ = false;
            readQuoted(record, cellStart);
        } else {
            readUnquoted(record);
        }
        record.endCell();
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

// The common case, without a branch per byte: a record that lies wholly in the
// buffer, ends with a line end, and has no quote and no CR but the one before
// LF. Its bytes are copied at once and each comma becomes a cell bound.
// Returns false, having changed nothing, when the record is not like that.
bool CsvReader::readPlainLine(CsvRecord& record) {
    const char* const start = buffer_.get() + pos_;
    const void* const lineFeed = std::memchr(start, '\n', end_ - pos_);
    if (lineFeed == nullptr) return false;
    const std::size_t lineLength = static_cast<std::size_t>(static_cast<const char*>(lineFeed) - start);
    const bool crLf = lineLength > 0 && start[lineLength - 1] == '\r';
    const std::size_t length = lineLength - (crLf ? 1 : 0);

    char* const text = record.reserveMore(length + 1);
    if (record.boundsCapacity_ < length + 2) record.growBounds(length + 2);
    std::size_t* const bounds = record.bounds_.get() + 1;
    std::size_t cells = 0;
    bool special = false;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = start[i];
        text[i] = c;
        bounds[cells] = i + 1;
        cells += c == ',';
        special |= (c == '"') | (c == '\r');
    }
    if (special) return false;
    text[length] = ',';
    bounds[cells++] = length + 1;
    record.used_ = length + 1;
    record.cells_ = cells;
    record.lineEnd = crLf ? LineEnd::CrLf : LineEnd::Lf;
    pos_ += lineLength + 1;
    ++line_;
    return true;
}

// Reads an unquoted cell up to a comma, a line end or the end of the input.
void CsvReader::readUnquoted(CsvRecord& record) {
    for (;;) {
        const char* const data = buffer_.get();
        const std::size_t end = end_;
        const std::size_t from = pos_;
        char* const text = record.reserveMore(end - from);
        std::size_t i = from;
        while (i < end && !kEndsUnquotedCell[static_cast<unsigned char>(data[i])]) {
            text[i - from] = data[i];
            ++i;
        }
        record.used_ += i - from;
        pos_ = i;
        if (i == end) {
            if (!refill(1)) return;
            continue;
        }
        if (data[i] == '"') {
            record.push('"');  // an ordinary byte here, but the writer will quote the cell
        } else if (data[i] == '\r' && peek(1) != '\n') {
            record.push('\r');  // a lone CR
        } else {
            return;
        }
        record.plain_ = false;
        ++pos_;
    }
}

void CsvReader::readQuoted(CsvRecord& record, std::size_t cellStart) {
    for (;;) {
        const char* const data = buffer_.get();
        char* out = record.reserveMore(end_ - pos_);
        std::size_t i = pos_;
        std::int64_t lineFeeds = 0;
        while (i < end_ && data[i] != '"') {
            lineFeeds += data[i] == '\n';
            *out++ = data[i++];
        }
        line_ += lineFeeds;
        record.used_ += i - pos_;
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
            record.push('"');
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
    const std::string text(record.text_.get() + cellStart, record.used_ - cellStart);
    record.used_ = cellStart;
    record.push('"');
    for (char c : text) {
        record.push(c);
        if (c == '"') record.push('"');
    }
    if (closed) record.push('"');
}

CsvWriter::CsvWriter(ByteSink& sink, std::size_t bufferSize)
    : sink_(sink), capacity_(std::max<std::size_t>(bufferSize, 16)) {
    buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
}

bool CsvWriter::needsQuotes(std::string_view text) {
    for (char c : text) {
        if (kNeedsQuotes[static_cast<unsigned char>(c)]) return true;
    }
    return false;
}

void CsvWriter::cell(std::string_view text) {
    // Fast path: copy while checking, as long as no byte needs quotes.
    if (capacity_ - used_ > text.size()) {
        char* const start = buffer_.get() + used_;
        char* out = start;
        if (cells_ > 0) *out++ = ',';
        std::size_t i = 0;
        while (i < text.size() && !kNeedsQuotes[static_cast<unsigned char>(text[i])]) *out++ = text[i++];
        if (i == text.size()) {
            used_ += static_cast<std::size_t>(out - start);
            ++cells_;
            onlyEmptyCell_ = cells_ == 1 && text.empty();
            return;
        }
    }
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

void CsvWriter::plainCell(std::string_view text) {
    if (capacity_ - used_ > text.size()) {
        char* out = buffer_.get() + used_;
        if (cells_ > 0) *out++ = ',';
        if (!text.empty()) std::memcpy(out, text.data(), text.size());
        used_ += text.size() + (cells_ > 0 ? 1 : 0);
        ++cells_;
        onlyEmptyCell_ = cells_ == 1 && text.empty();
        return;
    }
    separate(text);
    append(text);
}

void CsvWriter::appendSlow(std::string_view bytes) {
    flush();
    if (bytes.size() >= capacity_) {
        if (!failed_ && !sink_.write(bytes.data(), bytes.size())) failed_ = true;
        return;
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
