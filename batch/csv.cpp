#include "batch/csv.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "batch/byte_scan.h"

namespace dravik::batch {
namespace {

constexpr std::array<bool, 256> byteTable(std::string_view bytes) {
    std::array<bool, 256> table{};
    for (char c : bytes) table[static_cast<unsigned char>(c)] = true;
    return table;
}

// Bytes that make the writer quote a cell.
constexpr std::array<bool, 256> kNeedsQuotes = byteTable(",\"\n\r");

// The first byte that may end an unquoted cell (a comma; CR and LF only as a
// line end, which lineEndAt decides) at or after `i`, or `end`: a block at a time (the
// buffer's padding lets a block start at any byte before `end`).
std::size_t nextCellEnd(const char* data, std::size_t i, std::size_t end) {
    for (; i < end; i += scan::kBlock) {
        const scan::BlockMarks m = scan::marks(data + i);
        const std::uint64_t ends = m.commas | m.lineFeeds | m.carriageReturns;
        if (ends != 0) return std::min(end, i + static_cast<std::size_t>(std::countr_zero(ends)));
    }
    return end;
}

static_assert(CsvRecord::kReadPadding >= scan::kBlock, "a block may start at the last byte read");

}  // namespace

std::string_view lineEndBytes(LineEnd lineEnd) {
    switch (lineEnd) {
        case LineEnd::CrLf: return "\r\n";
        case LineEnd::Cr: return "\r";
        case LineEnd::None:
        case LineEnd::Lf: break;
    }
    return "\n";
}

namespace {

std::size_t clampedBound(std::size_t maxRecordSize) {
    return std::clamp<std::size_t>(maxRecordSize, 1, CsvReader::kMaxRecordSizeLimit);
}

// A record of the bound's size and its line end (CR LF) fit the buffer at
// its largest.
std::size_t largestCapacity(std::size_t maxRecordSize) { return clampedBound(maxRecordSize) + 2; }

}  // namespace

CsvReader::CsvReader(ByteSource& source, std::size_t bufferSize, std::size_t maxRecordSize)
    : source_(source),
      capacity_(std::max<std::size_t>(std::min(bufferSize, largestCapacity(maxRecordSize)), 4)),
      buffer_(capacity_ + CsvRecord::kReadPadding),
      maxRecordSize_(clampedBound(maxRecordSize)) {}

// Moves the record in progress to the front of the buffer, grows the buffer
// when the record fills it, and reads until the buffer is full or the input
// ends. False when the record cannot grow: it is longer than the bound.
bool CsvReader::readMore() {
    char* const data = buffer_.data();
    const std::size_t left = end_ - pos_;
    if (pos_ > 0) {
        if (left > 0) std::memmove(data, data + pos_, left);
        pos_ = 0;
        end_ = left;
    }
    if (end_ == capacity_) {
        const std::size_t limit = largestCapacity(maxRecordSize_);
        if (capacity_ >= limit) return false;
        capacity_ = std::min(capacity_ * 2, limit);
        buffer_.grow(capacity_ + CsvRecord::kReadPadding);
    }
    // Filling the buffer before the record is scanned again keeps the rescans
    // of a record that crosses refills few, whatever size the reads have.
    while (end_ < capacity_ && !atEnd_) {
        const std::size_t n = source_.read(buffer_.data() + end_, capacity_ - end_);
        if (n == 0) {
            atEnd_ = true;
        } else {
            end_ += n;
        }
    }
    // Blocks and words loaded across the end of what was read see zeros,
    // never bytes of an earlier record.
    std::memset(buffer_.data() + end_, 0, CsvRecord::kReadPadding);
    return true;
}

bool CsvReader::lineEndAt(std::size_t i, LineEnd& lineEnd, std::size_t& size, bool& needMore) {
    const char* const data = buffer_.data();
    if (data[i] == '\n') {
        if (mode_ == Mode::Cr) return false;
        mode_ = Mode::Lf;
        lineEnd = LineEnd::Lf;
        size = 1;
        return true;
    }
    if (data[i] != '\r') return false;
    // In a file of CR line ends a CR ends the line whatever follows: an LF
    // after it is the first byte of the next line.
    if (mode_ == Mode::Cr) {
        lineEnd = LineEnd::Cr;
        size = 1;
        return true;
    }
    if (i + 1 == end_ && !atEnd_) {
        needMore = true;
        return false;
    }
    if (i + 1 < end_ && data[i + 1] == '\n') {
        if (mode_ == Mode::Undecided) mode_ = Mode::Lf;
        lineEnd = LineEnd::CrLf;
        size = 2;
        return true;
    }
    if (mode_ == Mode::Lf) return false;  // a lone CR in a file of LF lines: a cell byte
    mode_ = Mode::Cr;
    lineEnd = LineEnd::Cr;
    size = 1;
    return true;
}

void CsvReader::finishRecord(CsvRecord& record, std::size_t length, LineEnd lineEnd, std::size_t lineEndSize) {
    record.raw_ = std::string_view(buffer_.data() + pos_, length);
    record.lineEnd = lineEnd;
    if (lineEnd == LineEnd::None && source_.failed() && record.problem == QuoteProblem::None) {
        record.problem = QuoteProblem::CutByReadError;
    }
    // Line breaks inside quoted cells count as lines.
    if (record.anyQuoted_) {
        const char lineBreak = mode_ == Mode::Cr ? '\r' : '\n';
        line_ += std::count(record.raw_.begin(), record.raw_.end(), lineBreak);
    }
    if (lineEndSize > 0) ++line_;
    pos_ += length + lineEndSize;
}

// The common record, 32 bytes at a time: it ends with LF or CR LF
// within the bytes read, and holds no quote and no CR but the one before its
// LF. One pass finds its line end and its commas. False for any other record,
// with `cellsDone` set to the cells it found whole before the block where it
// stopped (their ends are in place); the full reader goes on from there. A
// block may reach past the bytes read into the buffer's padding; marks there
// are ignored.
bool CsvReader::scanPlainLine(CsvRecord& record, std::size_t& cellsDone) {
    cellsDone = 0;
    if (mode_ != Mode::Lf) return false;
    const char* const data = buffer_.data() + pos_;
    const std::size_t available = end_ - pos_;
    std::size_t& count = cellsDone;     // cells ended by a comma so far
    bool carriageReturnBefore = false;  // the last block ended in a CR
    for (std::size_t i = 0; i < available; i += scan::kBlock) {
        // Room for a block's cells (and what writeBitPositions writes past
        // them) and the line's last cell.
        record.reserveCells(count + scan::kBlock + 8 + 1);
        const scan::BlockMarks m = scan::marks(data + i);
        const std::size_t read = std::min(available - i, scan::kBlock);
        const std::uint32_t valid = read == scan::kBlock ? 0xFFFFFFFFu : (1u << read) - 1;
        const std::uint32_t lineFeeds = m.lineFeeds & valid;
        // The bytes before the first LF, or every byte read when there is none.
        const std::uint32_t beforeLineFeed = lineFeeds != 0 ? (lineFeeds & (0u - lineFeeds)) - 1 : valid;
        const std::uint32_t carriageReturns = m.carriageReturns & beforeLineFeed;
        // The only CR allowed is the last byte before the LF (or before the
        // block's end, when the LF may start the next block).
        const std::uint32_t lastByte = beforeLineFeed ^ (beforeLineFeed >> 1);
        if ((m.quotes & beforeLineFeed) != 0 || (carriageReturns & ~lastByte) != 0) return false;
        if (carriageReturnBefore && (lineFeeds & 1u) == 0) return false;

        // Each comma ends a cell.
        std::uint32_t* const bounds = record.bounds_.data() + count + 1;
        count += static_cast<std::size_t>(
            scan::writeBitPositions(m.commas & beforeLineFeed, static_cast<std::uint32_t>(i), bounds) - bounds);
        if (count >= kMaxCells) return false;  // the full reader stops at the next cell
        if (lineFeeds == 0) {
            carriageReturnBefore = carriageReturns != 0;
            continue;
        }
        const std::size_t lineLength = i + static_cast<unsigned>(std::countr_zero(lineFeeds));
        const bool crLf = carriageReturns != 0 || carriageReturnBefore;
        const std::size_t length = lineLength - (crLf ? 1 : 0);
        record.bounds_[count + 1] = static_cast<std::uint32_t>(length);
        record.count_ = count + 1;
        record.anyQuoted_ = false;
        record.unescaped_.clear();
        record.problem = QuoteProblem::None;
        record.endsInOpenQuote = false;
        record.raw_ = std::string_view(data, length);
        record.lineEnd = crLf ? LineEnd::CrLf : LineEnd::Lf;
        pos_ += lineLength + 1;
        ++line_;
        return true;
    }
    return false;
}

CsvReader::Scan CsvReader::scan(CsvRecord& record) {
    std::size_t cellsDone = 0;
    if (scanPlainLine(record, cellsDone)) return Scan::Complete;
    const char* const data = buffer_.data();
    const std::size_t start = pos_;
    const std::size_t end = end_;
    // The cells the plain scan found whole are kept (a quote in a note
    // column need not cost a second look at the cells before it).
    record.clearCells();
    record.keepPlainCells(cellsDone);
    record.problem = QuoteProblem::None;
    record.endsInOpenQuote = false;
    LineEnd lineEnd = LineEnd::None;
    std::size_t lineEndSize = 0;
    std::size_t i = cellsDone == 0 ? start : start + record.bounds_[cellsDone] + 1;
    for (;;) {
        std::uint32_t cellEnd = 0;
        CsvRecord::Text text{CsvRecord::kAsRead, 0};
        bool unquotedRun = true;
        if (i < end && data[i] == '"') {
            record.anyQuoted_ = true;
            std::size_t j = i + 1;
            bool doubled = false;
            for (;;) {
                const void* const quote = std::memchr(data + j, '"', end - j);
                if (quote == nullptr) {
                    if (!atEnd_) return Scan::NeedMore;
                    cellEnd = static_cast<std::uint32_t>(end - start);  // a quote never closed: the rest of the input
                    if (record.problem == QuoteProblem::None) record.problem = QuoteProblem::UnclosedQuote;
                    record.endsInOpenQuote = true;
                    if (record.count_ >= kMaxCells) return Scan::TooManyCells;
                    record.addCell(cellEnd, text);
                    finishRecord(record, end - start, LineEnd::None, 0);
                    return Scan::Complete;
                }
                const std::size_t k = static_cast<std::size_t>(static_cast<const char*>(quote) - data);
                if (k + 1 == end && !atEnd_) return Scan::NeedMore;
                if (k + 1 < end && data[k + 1] == '"') {
                    doubled = true;
                    j = k + 2;
                    continue;
                }
                const std::size_t after = k + 1;
                bool needMore = false;
                const bool ends =
                    after == end || data[after] == ',' || lineEndAt(after, lineEnd, lineEndSize, needMore);
                if (needMore) return Scan::NeedMore;
                if (ends) {
                    cellEnd = static_cast<std::uint32_t>(after - start);
                    text.offset = CsvRecord::kBetweenQuotes;
                    if (doubled) {
                        // Room once for every text of the record so far, so
                        // that it is never copied while it grows.
                        if (record.unescaped_.capacity() < end - start) record.unescaped_.reserve(end - start);
                        text.offset = static_cast<std::uint32_t>(record.unescaped_.size());
                        for (std::size_t p = i + 1; p < k; ++p) {
                            record.unescaped_ += data[p];
                            if (data[p] == '"') ++p;
                        }
                        text.size = static_cast<std::uint32_t>(record.unescaped_.size() - text.offset);
                    }
                    unquotedRun = false;
                    i = after;
                } else {
                    // Text after the closing quote: the cell runs on as
                    // plain bytes, and its text is what stands in the input.
                    if (record.problem == QuoteProblem::None) record.problem = QuoteProblem::TextAfterClosingQuote;
                    i = after;
                }
                break;
            }
        }
        if (unquotedRun) {
            for (;;) {
                i = nextCellEnd(data, i, end);
                if (i == end) {
                    if (!atEnd_) return Scan::NeedMore;
                    break;
                }
                if (data[i] == ',') break;
                bool needMore = false;
                if (lineEndAt(i, lineEnd, lineEndSize, needMore)) break;
                if (needMore) return Scan::NeedMore;
                ++i;  // a CR or LF that does not end the line here
            }
            cellEnd = static_cast<std::uint32_t>(i - start);
        }
        if (record.count_ >= kMaxCells) return Scan::TooManyCells;
        record.addCell(cellEnd, text);
        if (i < end && data[i] == ',') {
            ++i;
            continue;
        }
        // The end of the input, or a line end (lineEnd and lineEndSize set).
        if (i == end) {
            lineEnd = LineEnd::None;
            lineEndSize = 0;
        }
        finishRecord(record, i - start, lineEnd, lineEndSize);
        return Scan::Complete;
    }
}

bool CsvReader::next(CsvRecord& record) {
    record.clearCells();
    record.raw_ = {};
    record.problem = QuoteProblem::None;
    record.lineEnd = LineEnd::None;
    record.endsInOpenQuote = false;
    record.emptyLinesBefore = 0;
    if (stop_ != ReadStop::None) return false;
    if (!started_) {
        started_ = true;
        while (end_ - pos_ < 3 && !atEnd_) readMore();
        if (end_ - pos_ >= 3 && std::memcmp(buffer_.data() + pos_, "\xEF\xBB\xBF", 3) == 0) {
            pos_ += 3;
            byteOrderMark_ = true;
        }
    }
    // Lines with no bytes are not records.
    for (;;) {
        if (pos_ == end_) {
            if (atEnd_) {
                emptyLinesAtEnd_ = record.emptyLinesBefore;
                record.emptyLinesBefore = 0;
                return false;
            }
            readMore();
            continue;
        }
        LineEnd lineEnd = LineEnd::None;
        std::size_t size = 0;
        bool needMore = false;
        if (lineEndAt(pos_, lineEnd, size, needMore)) {
            pos_ += size;
            ++line_;
            ++record.emptyLinesBefore;
            continue;
        }
        if (needMore) {
            readMore();
            continue;
        }
        break;
    }
    record.line = line_;
    for (;;) {
        const Scan scanned = scan(record);
        if (scanned == Scan::Complete) break;
        if (scanned == Scan::TooManyCells) return stopAt(ReadStop::TooManyCells, record);
        if (!readMore()) return stopAt(ReadStop::TooLong, record);
    }
    // The buffer holds a record and its line end, so a record of a byte or
    // two more than the bound can be whole in it.
    if (record.raw_.size() > maxRecordSize_) return stopAt(ReadStop::TooLong, record);
    return true;
}

bool CsvReader::stopAt(ReadStop why, CsvRecord& record) {
    stop_ = why;
    stopLine_ = record.line;
    record.clearCells();
    record.raw_ = {};
    return false;
}

OutputBuffer::OutputBuffer(ByteSink& sink, std::size_t bufferSize)
    : sink_(sink), capacity_(std::max<std::size_t>(bufferSize, 16)) {
    // Left uninitialised, as make_unique_for_overwrite would (which
    // emscripten's libc++ lacks).
    buffer_.reset(new char[capacity_]);
}

void OutputBuffer::appendSlow(std::string_view bytes) {
    flush();
    if (bytes.size() >= capacity_) {
        if (!failed_ && !sink_.write(bytes.data(), bytes.size())) failed_ = true;
        return;
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

bool OutputBuffer::flush() {
    if (used_ > 0 && !failed_ && !sink_.write(buffer_.get(), used_)) failed_ = true;
    used_ = 0;
    return !failed_;
}

bool CsvWriter::needsQuotes(std::string_view text) {
    for (char c : text) {
        if (kNeedsQuotes[static_cast<unsigned char>(c)]) return true;
    }
    return false;
}

void CsvWriter::appendCell(std::string& out, std::string_view text) {
    if (!needsQuotes(text)) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        out += c;
        if (c == '"') out += '"';
    }
    out += '"';
}

void CsvWriter::cell(std::string_view text) {
    if (cells_ > 0) out_.append(',');
    ++cells_;
    onlyEmptyCell_ = cells_ == 1 && text.empty();
    if (!needsQuotes(text)) {
        out_.append(text);
        return;
    }
    scratch_.clear();
    appendCell(scratch_, text);
    out_.append(scratch_);
}

void CsvWriter::endRecord() {
    if (onlyEmptyCell_) out_.append("\"\"");
    out_.append(lineEnd_);
    cells_ = 0;
    onlyEmptyCell_ = false;
}

}  // namespace dravik::batch
