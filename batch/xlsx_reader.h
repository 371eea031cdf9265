// Reading a worksheet of an .xlsx workbook row by row: the archive through
// libzip, its XML parts through expat's push parser fed a piece at a time,
// so that memory holds one piece of the sheet and the rows it completed, not
// the sheet. Only the shared strings are held whole (cells refer to them by
// number).
//
// Every byte expanded from the archive counts against a bound: an archive
// that would expand beyond it (a zip bomb, or a damaged size) is refused,
// whatever sizes its directory claims.
#pragma once

#include <zip.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik::batch {

enum class CellKind {
    Empty,                // missing in the XML, or without a value
    Number,               // number: the value, text is its field text
    Text,                 // shared, inline or formula string
    Boolean,              // TRUE / FALSE
    Error,                // #DIV/0! and the like
    FormulaWithoutValue,  // text is "=" and the formula
};

struct SheetCell {
    CellKind kind = CellKind::Empty;
    std::string text;   // what the cell shows as a field text
    double number = 0;  // for CellKind::Number
};

struct SheetRow {
    std::int64_t number = 0;       // the sheet's row number, from 1
    std::vector<SheetCell> cells;  // column A first; missing cells are Empty
};

// How far an archive may expand: at most kMaxExpanded bytes, and beyond
// kSmallExpansion bytes at most kMaxRatio times its own size.
struct ExpansionBound {
    std::uint64_t archiveSize = 0;
    static constexpr std::uint64_t kMaxExpanded = std::uint64_t{1} << 30;
    static constexpr std::uint64_t kSmallExpansion = std::uint64_t{64} << 20;
    static constexpr std::uint64_t kMaxRatio = 100;
    std::uint64_t limit() const;
};

class Workbook {
public:
    Workbook();
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // Opens the archive in a regular file (the descriptor stays the
    // caller's), or in memory (kept by the caller while the workbook lives).
    // False with error() set when it is not a readable .xlsx workbook.
    bool openFile(int fd);
    bool openMemory(std::string_view bytes);
    // Chooses the sheet: the first, or the one named `name`; reads the
    // shared strings. False with error() set.
    bool chooseSheet(const std::optional<std::string>& name);

    const std::string& error() const { return error_; }
    const std::string& sheetName() const { return sheetName_; }
    const std::vector<std::string>& sharedStrings() const { return shared_; }
    const std::string& sheetPart() const { return sheetPart_; }

private:
    friend class SheetReader;
    bool openArchive(zip_source_t* source);
    // Opens a part for reading; nullptr with error() set when it is missing
    // or would expand beyond the bound.
    zip_file_t* openPart(const std::string& name);
    // Reads up to `size` bytes of an open part; -1 with error() set on a
    // read error or beyond the bound.
    long long readPart(zip_file_t* file, char* buffer, std::size_t size);
    // Reads a whole part through an expat parser with these handlers.
    bool parsePart(const std::string& name, void* userData, void (*start)(void*, const char*, const char**),
                   void (*end)(void*, const char*), void (*text)(void*, const char*, int));
    bool setError(std::string message);

    zip_t* archive_ = nullptr;
    ExpansionBound bound_;
    std::uint64_t expanded_ = 0;
    std::string error_;
    std::string sheetName_;
    std::string sheetPart_;
    std::vector<std::string> shared_;
};

// The rows of the chosen sheet, in order, one at a time.
class SheetReader {
public:
    explicit SheetReader(Workbook& workbook);
    ~SheetReader();
    SheetReader(const SheetReader&) = delete;
    SheetReader& operator=(const SheetReader&) = delete;

    // The next row that has a row element; false at the end or on an error
    // (then failed() and the workbook's error()).
    bool next(SheetRow& row);
    bool failed() const { return failed_; }
    // Back to the first row.
    bool restart();

    struct Parse;  // the expat handlers' state

private:
    bool feed();

    Workbook& workbook_;
    std::unique_ptr<Parse> parse_;
    zip_file_t* file_ = nullptr;
    bool ended_ = false;
    bool failed_ = false;
};

}  // namespace dravik::batch
