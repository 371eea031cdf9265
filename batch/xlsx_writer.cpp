#include "batch/xlsx_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "batch/csv.h"
#include "batch/header_columns.h"
#include "batch/translate.h"
#include "layouts/windows.h"
#include "text_rules/text_rules.h"

namespace dravik::batch {
namespace {

constexpr lxw_row_t kMaxRows = 1048576;
constexpr lxw_col_t kMaxColumns = 16384;

// A workbook being written, with its three formats.
class Book {
public:
    Book(const std::string& path, const std::string& sheetName) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;  // rows go to disk as they are written
        book_ = workbook_new_opt(path.c_str(), &options);
        if (book_ == nullptr) return;
        sheet_ = sheetName.empty() ? nullptr : workbook_add_worksheet(book_, sheetName.c_str());
        if (sheet_ == nullptr) sheet_ = workbook_add_worksheet(book_, nullptr);
        bold_ = workbook_add_format(book_);
        format_set_bold(bold_);
        for (std::size_t r = 0; r < kResults.size(); ++r) {
            formats_[r] = workbook_add_format(book_);
            format_set_num_format(formats_[r], r == 0 ? "0" : "0.00");  // the result boxes' patterns
        }
    }
    ~Book() {
        if (book_ != nullptr) workbook_close(book_);
    }
    bool opened() const { return book_ != nullptr && sheet_ != nullptr; }
    void header(lxw_row_t row, lxw_col_t column, const std::string& text) {
        worksheet_write_string(sheet_, row, column, text.c_str(), bold_);
    }
    void freezeAbove(lxw_row_t row) { worksheet_freeze_panes(sheet_, row, 0); }
    void text(lxw_row_t row, lxw_col_t column, const std::string& text) {
        if (!text.empty()) worksheet_write_string(sheet_, row, column, text.c_str(), nullptr);
    }
    void number(lxw_row_t row, lxw_col_t column, double value, int result = -1) {
        worksheet_write_number(sheet_, row, column, value,
                               result >= 0 ? formats_[static_cast<std::size_t>(result)] : nullptr);
    }
    // Writes the file; false with `error` set.
    bool close(std::string& error) {
        const lxw_error status = workbook_close(book_);
        book_ = nullptr;
        if (status == LXW_NO_ERROR) return true;
        error = lxw_strerror(status);
        return false;
    }

private:
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* bold_ = nullptr;
    std::array<lxw_format*, kResults.size()> formats_{};
};

// The input sheet's rows by the line their CSV starts on, to tell which
// cells were numbers (batch/xlsx_source.h: a row's line is its number plus
// the line breaks inside cells before it).
class InputRows {
public:
    explicit InputRows(Workbook* workbook) {
        if (workbook != nullptr) sheet_.emplace(*workbook);
    }
    // The row whose CSV starts on `line`, or nullptr.
    const SheetRow* at(std::int64_t line) {
        if (!sheet_) return nullptr;
        while (line_ < line) {
            if (row_) {
                for (const SheetCell& cell : row_->cells)
                    breaks_ += std::count(cell.text.begin(), cell.text.end(), '\n');
            }
            if (!sheet_->next(next_)) {
                sheet_.reset();
                return nullptr;
            }
            row_ = std::move(next_);
            line_ = row_->number + breaks_;
        }
        return line_ == line ? &*row_ : nullptr;
    }

private:
    std::optional<SheetReader> sheet_;
    std::optional<SheetRow> row_;
    SheetRow next_;
    std::int64_t line_ = 0;
    std::int64_t breaks_ = 0;
};

}  // namespace

bool writeResultWorkbook(ByteSource& csv, Encoding encoding, Workbook* input, const std::string& path,
                         std::string& error) {
    Book book(path, input != nullptr ? input->sheetName() : std::string());
    if (!book.opened()) {
        error = tr("the workbook cannot be created");
        return false;
    }
    Codec codec(encoding);
    CsvReader reader(csv);
    CsvRecord record;
    InputRows inputRows(input);
    std::vector<int> outputAt;  // per column of the header: the output column it is, or -1
    bool headerSeen = false;
    std::string cell;
    while (reader.next(record)) {
        if (record.line > static_cast<std::int64_t>(kMaxRows)) {
            error = fill(tr("more than {1} rows: a workbook cannot hold them"), {decimal(kMaxRows)});
            return false;
        }
        const auto row = static_cast<lxw_row_t>(record.line - 1);
        const SheetRow* typed = inputRows.at(record.line);
        const std::size_t width = std::min<std::size_t>(record.size(), kMaxColumns);
        if (!headerSeen) {
            std::vector<std::string> names(width);
            for (std::size_t j = 0; j < width; ++j) {
                if (!codec.toUtf8(record[j], names[j])) names[j] = record[j];
                headerSeen = headerSeen || nameColumn(names[j]).kind == ColumnKind::Shape;
            }
            if (headerSeen) {
                HeaderColumns columns;
                columns.read(names);  // the tool's own output: a header it read
                outputAt.assign(width, -1);
                for (std::size_t j = 0; j < width; ++j) {
                    outputAt[j] = columns.outputAt(j);
                    book.header(row, static_cast<lxw_col_t>(j), names[j]);
                }
                book.freezeAbove(row + 1);
                continue;
            }
        }
        for (std::size_t j = 0; j < width; ++j) {
            if (!codec.toUtf8(record[j], cell)) cell = record[j];
            const auto column = static_cast<lxw_col_t>(j);
            const int result = j < outputAt.size() ? outputAt[j] : -1;
            if (result >= 0 && result < static_cast<int>(kResults.size())) {
                // The display text's own number; an empty cell for "—".
                if (text_rules::isWhollyNumber(cell)) book.number(row, column, text_rules::readNumber(cell), result);
            } else if (result == static_cast<int>(kRequiredHoopColumn) && text_rules::isWhollyNumber(cell)) {
                book.number(row, column, text_rules::readNumber(cell));
            } else if (typed != nullptr && j < typed->cells.size() && typed->cells[j].kind == CellKind::Number &&
                       typed->cells[j].text == cell) {
                book.number(row, column, typed->cells[j].number);
            } else {
                book.text(row, column, cell);
            }
        }
    }
    if (reader.readFailed()) {
        error = tr("the results could not be read back");
        return false;
    }
    return book.close(error);
}

bool writeTemplateWorkbook(const sections::SectionShape& shape, std::string_view shapeName, bool shortNames,
                           const std::string& path, std::string& error) {
    Book book(path, {});
    if (!book.opened()) {
        error = tr("the workbook cannot be created");
        return false;
    }
    // Row by row: rows go to disk as they are written.
    book.header(0, 0, shortNames ? "shape" : "形状");
    lxw_col_t column = 1;
    for (const auto& field : shape.inputs) {
        const std::string_view label = layouts::fieldLabel(shape.windowName, field.name);
        book.header(0, column++, std::string(shortNames || label.empty() ? field.name : label));
    }
    book.text(1, 0, std::string(shapeName));
    column = 1;
    for (const auto& field : shape.inputs) book.number(1, column++, text_rules::readNumber(field.defaultText));
    book.freezeAbove(1);
    return book.close(error);
}

}  // namespace dravik::batch
