#include "batch/xlsx_source.h"

#include <algorithm>
#include <cstring>

#include "batch/csv.h"

namespace dravik::batch {

void SheetSource::appendRow(const SheetRow& row, std::int64_t& lastRow, std::size_t& width, std::string& out) {
    // Rows come in order; one out of order is written where it comes.
    for (std::int64_t r = lastRow + 1; r < row.number; ++r) out += "\r\n";
    lastRow = std::max(lastRow + 1, row.number);
    width = std::max(width, row.cells.size());
    for (std::size_t j = 0; j < width; ++j) {
        if (j > 0) out += ',';
        if (j < row.cells.size()) CsvWriter::appendCell(out, row.cells[j].text);
    }
    out += "\r\n";
}

std::size_t SheetSource::read(char* buffer, std::size_t capacity) {
    if (!started_) {
        pending_ = "\xEF\xBB\xBF";
        started_ = true;
    }
    while (pending_.size() - given_ < capacity && sheet_.next(row_)) {
        if (given_ > 0) {
            pending_.erase(0, given_);
            given_ = 0;
        }
        appendRow(row_, lastRow_, width_, pending_);
    }
    const std::size_t n = std::min(capacity, pending_.size() - given_);
    std::memcpy(buffer, pending_.data() + given_, n);
    given_ += n;
    return n;
}

bool SheetSource::rewind() {
    pending_.clear();
    given_ = 0;
    lastRow_ = 0;
    width_ = 0;
    started_ = false;
    return sheet_.restart();
}

}  // namespace dravik::batch
