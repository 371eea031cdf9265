// A worksheet handed to the CSV path as the CSV a spreadsheet would save:
// UTF-8 with a byte-order mark, CR LF line ends, one line per sheet row (a
// row missing from the sheet is an empty line, so line numbers are row
// numbers unless a cell holds a line break), each cell its field text
// (batch/xlsx_reader.h). Rows are padded with empty cells to the widest row
// so far: a sheet leaves out empty cells at the end of a row, CSV does not.
#pragma once

#include <string>

#include "batch/byte_stream.h"
#include "batch/xlsx_reader.h"

namespace dravik::batch {

class SheetSource : public ByteSource {
public:
    explicit SheetSource(Workbook& workbook) : sheet_(workbook) {}
    std::size_t read(char* buffer, std::size_t capacity) override;
    bool failed() const override { return sheet_.failed(); }
    bool rewind() override;

    // Appends `row` as one CSV line, after the empty lines of the rows
    // missing before it; `width` grows to the row's width.
    static void appendRow(const SheetRow& row, std::int64_t& lastRow, std::size_t& width, std::string& out);

private:
    SheetReader sheet_;
    SheetRow row_;
    std::string pending_;
    std::size_t given_ = 0;
    std::int64_t lastRow_ = 0;
    std::size_t width_ = 0;
    bool started_ = false;
};

}  // namespace dravik::batch
