#include "batch/xlsx_reader.h"

#include <expat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "batch/translate.h"
#include "text_rules/text_rules.h"

namespace dravik::batch {
namespace {

constexpr std::size_t kPiece = std::size_t{1} << 16;
// A worksheet has at most 16,384 columns (A to XFD).
constexpr std::size_t kMaxColumns = 16384;
// A spreadsheet keeps at most 32,767 characters in a cell; a longer text
// (four bytes a character at most) is a damaged file.
constexpr std::size_t kMaxCellBytes = 32767 * 4;

// An element's or attribute's name without its namespace prefix: parts are
// written with and without one ("x:row", "row").
std::string_view localName(const char* name) {
    const std::string_view n(name);
    const std::size_t colon = n.rfind(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

// The value of attribute `name` (local name), or nullptr.
const char* attribute(const char** attributes, std::string_view name) {
    for (; *attributes != nullptr; attributes += 2) {
        if (localName(attributes[0]) == name) return attributes[1];
    }
    return nullptr;
}

std::optional<std::uint64_t> readUnsigned(std::string_view text) {
    std::uint64_t value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc{} || res.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

// The column of a cell reference ("B3" -> 1); -1 when it has no letters
// or names a column beyond the sheet's.
long long columnOf(std::string_view reference) {
    long long column = 0;
    std::size_t i = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z' && i < 4; ++i) {
        column = column * 26 + (reference[i] - 'A' + 1);
    }
    if (i == 0 || column > static_cast<long long>(kMaxColumns)) return -1;
    return column - 1;
}

// What the parts of the workbook's structure say: its sheets in order and
// the parts their relationship ids point to.
struct Structure {
    std::vector<std::pair<std::string, std::string>> sheets;   // name, relationship id
    std::vector<std::pair<std::string, std::string>> targets;  // id, part
    static void start(void* data, const char* name, const char** attributes) {
        auto& self = *static_cast<Structure*>(data);
        const std::string_view element = localName(name);
        if (element == "sheet") {
            const char* sheetName = attribute(attributes, "name");
            const char* id = attribute(attributes, "id");
            if (sheetName != nullptr && id != nullptr) self.sheets.emplace_back(sheetName, id);
        } else if (element == "Relationship") {
            const char* id = attribute(attributes, "Id");
            const char* target = attribute(attributes, "Target");
            if (id != nullptr && target != nullptr) self.targets.emplace_back(id, target);
        }
    }
    static void end(void*, const char*) {}
    static void text(void*, const char*, int) {}
};

// The shared strings: each <si>'s <t> texts, without the phonetic runs.
struct SharedStrings {
    std::vector<std::string>& out;
    std::string current;
    int phonetic = 0;
    bool inText = false;
    bool tooLong = false;
    static void start(void* data, const char* name, const char**) {
        auto& self = *static_cast<SharedStrings*>(data);
        const std::string_view element = localName(name);
        if (element == "si") self.current.clear();
        if (element == "rPh") ++self.phonetic;
        if (element == "t") self.inText = self.phonetic == 0;
    }
    static void end(void* data, const char* name) {
        auto& self = *static_cast<SharedStrings*>(data);
        const std::string_view element = localName(name);
        if (element == "si") self.out.push_back(std::move(self.current));
        if (element == "rPh") --self.phonetic;
        if (element == "t") self.inText = false;
    }
    static void text(void* data, const char* s, int length) {
        auto& self = *static_cast<SharedStrings*>(data);
        if (!self.inText) return;
        if (self.current.size() + static_cast<std::size_t>(length) > kMaxCellBytes) {
            self.tooLong = true;
            return;
        }
        self.current.append(s, static_cast<std::size_t>(length));
    }
};

std::string zipErrorText(zip_error_t* error) {
    const char* text = zip_error_strerror(error);
    return text != nullptr ? text : "";
}

}  // namespace

std::uint64_t ExpansionBound::limit() const {
    return std::min(kMaxExpanded, std::max(kSmallExpansion, kMaxRatio * archiveSize));
}

Workbook::Workbook() = default;

Workbook::~Workbook() {
    if (archive_ != nullptr) zip_discard(archive_);
}

bool Workbook::setError(std::string message) {
    if (error_.empty()) error_ = std::move(message);
    return false;
}

bool Workbook::openFile(int fd) {
    zip_error_t error;
    zip_error_init(&error);
    // libzip closes the descriptor it is given.
    const int own = ::dup(fd);
    zip_source_t* source = own < 0 ? nullptr : zip_source_filep_create(::fdopen(own, "rb"), 0, -1, &error);
    if (source == nullptr) {
        if (own >= 0) ::close(own);
        setError(fill(tr("the workbook cannot be read: {1}"), {zipErrorText(&error)}));
        zip_error_fini(&error);
        return false;
    }
    zip_error_fini(&error);
    return openArchive(source);
}

bool Workbook::openMemory(std::string_view bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_error_fini(&error);
    if (source == nullptr) return setError(tr("out of memory"));
    return openArchive(source);
}

bool Workbook::openArchive(zip_source_t* source) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(source, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) bound_.archiveSize = stat.size;
    zip_error_t error;
    zip_error_init(&error);
    archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (archive_ == nullptr) {
        zip_source_free(source);
        setError(fill(tr("the workbook cannot be read: {1} (a file cut short or damaged?)"), {zipErrorText(&error)}));
        zip_error_fini(&error);
        return false;
    }
    zip_error_fini(&error);
    if (zip_name_locate(archive_, "xl/workbook.xml", 0) >= 0) return true;
    if (zip_name_locate(archive_, "content.xml", 0) >= 0) {
        return setError(
            tr("the input is an OpenDocument spreadsheet (.ods), which is not read: save it as .xlsx or CSV"));
    }
    return setError(tr("the archive holds no workbook (xl/workbook.xml): not an .xlsx file"));
}

zip_file_t* Workbook::openPart(const std::string& name) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive_, name.c_str(), 0, &stat) != 0) {
        setError(fill(tr("the workbook lacks its part {1}"), {quoteForMessage(name)}));
        return nullptr;
    }
    // What the directory claims is checked first; what is read is counted too.
    if ((stat.valid & ZIP_STAT_SIZE) && stat.size > bound_.limit() - std::min(expanded_, bound_.limit())) {
        setError(fill(tr("the workbook would expand beyond {1} bytes: refused (a zip bomb or a damaged file)"),
                      {decimal(static_cast<long long>(bound_.limit()))}));
        return nullptr;
    }
    zip_file_t* file = zip_fopen(archive_, name.c_str(), 0);
    if (file == nullptr) {
        setError(fill(tr("the workbook's part {1} cannot be read: {2}"),
                      {quoteForMessage(name), zipErrorText(zip_get_error(archive_))}));
    }
    return file;
}

long long Workbook::readPart(zip_file_t* file, char* buffer, std::size_t size) {
    const zip_int64_t n = zip_fread(file, buffer, size);
    if (n < 0) {
        setError(fill(tr("the workbook cannot be read: {1} (a file cut short or damaged?)"),
                      {zipErrorText(zip_file_get_error(file))}));
        return -1;
    }
    expanded_ += static_cast<std::uint64_t>(n);
    if (expanded_ > bound_.limit()) {
        setError(fill(tr("the workbook would expand beyond {1} bytes: refused (a zip bomb or a damaged file)"),
                      {decimal(static_cast<long long>(bound_.limit()))}));
        return -1;
    }
    return n;
}

bool Workbook::parsePart(const std::string& name, void* userData, void (*start)(void*, const char*, const char**),
                         void (*end)(void*, const char*), void (*text)(void*, const char*, int)) {
    zip_file_t* file = openPart(name);
    if (file == nullptr) return false;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, userData);
    XML_SetElementHandler(parser, start, end);
    XML_SetCharacterDataHandler(parser, text);
    std::vector<char> piece(kPiece);
    bool ok = true;
    for (;;) {
        const long long n = readPart(file, piece.data(), piece.size());
        if (n < 0) {
            ok = false;
            break;
        }
        if (XML_Parse(parser, piece.data(), static_cast<int>(n), n == 0) == XML_STATUS_ERROR) {
            ok =
                setError(fill(tr("the workbook's part {1} is not well-formed XML (line {2}: {3})"),
                              {quoteForMessage(name), decimal(static_cast<long long>(XML_GetCurrentLineNumber(parser))),
                               XML_ErrorString(XML_GetErrorCode(parser))}));
            break;
        }
        if (n == 0) break;
    }
    XML_ParserFree(parser);
    zip_fclose(file);
    return ok;
}

bool Workbook::chooseSheet(const std::optional<std::string>& name) {
    Structure structure;
    if (!parsePart("xl/workbook.xml", &structure, Structure::start, Structure::end, Structure::text)) return false;
    if (structure.sheets.empty()) return setError(tr("the workbook has no worksheet"));
    const std::pair<std::string, std::string>* chosen = &structure.sheets.front();
    if (name) {
        chosen = nullptr;
        std::string names;
        for (const auto& sheet : structure.sheets) {
            if (sheet.first == *name) chosen = &sheet;
            names += (names.empty() ? "" : ", ") + quoteForMessage(sheet.first);
        }
        if (chosen == nullptr) {
            return setError(
                fill(tr("the workbook has no sheet named {1} (its sheets: {2})"), {quoteForMessage(*name), names}));
        }
    }
    sheetName_ = chosen->first;
    if (zip_name_locate(archive_, "xl/_rels/workbook.xml.rels", 0) >= 0 &&
        !parsePart("xl/_rels/workbook.xml.rels", &structure, Structure::start, Structure::end, Structure::text)) {
        return false;
    }
    for (const auto& [id, target] : structure.targets) {
        if (id != chosen->second) continue;
        sheetPart_ = target.starts_with('/') ? target.substr(1) : "xl/" + target;
    }
    if (sheetPart_.empty() || zip_name_locate(archive_, sheetPart_.c_str(), 0) < 0) {
        return setError(
            fill(tr("the workbook has no worksheet part for the sheet {1}"), {quoteForMessage(sheetName_)}));
    }
    if (zip_name_locate(archive_, "xl/sharedStrings.xml", 0) < 0) return true;
    SharedStrings strings{shared_, {}, 0, false, false};
    if (!parsePart("xl/sharedStrings.xml", &strings, SharedStrings::start, SharedStrings::end, SharedStrings::text)) {
        return false;
    }
    if (strings.tooLong) return setError(tr("the workbook holds a text longer than a cell can hold: a damaged file"));
    return true;
}

// The sheet's rows as expat reports its elements.
struct SheetReader::Parse {
    XML_Parser parser = nullptr;
    const std::vector<std::string>* shared = nullptr;
    std::deque<SheetRow> rows;  // completed, not yet handed out
    SheetRow row;
    std::int64_t lastRow = 0;
    long long column = -1;
    std::string type;
    std::string value;
    std::string formula;
    bool hasFormula = false;
    bool hasValue = false;
    std::string* capture = nullptr;  // where character data goes
    int phonetic = 0;
    std::string problem;
    text_rules::NumberBuffer numberBuffer;

    ~Parse() {
        if (parser != nullptr) XML_ParserFree(parser);
    }

    void stop(std::string message) {
        if (problem.empty()) problem = std::move(message);
        XML_StopParser(parser, XML_FALSE);
    }

    static void start(void* data, const char* name, const char** attributes) {
        auto& self = *static_cast<Parse*>(data);
        const std::string_view element = localName(name);
        if (element == "row") {
            const char* r = attribute(attributes, "r");
            const auto number = r != nullptr ? readUnsigned(r) : std::nullopt;
            self.row.number = number ? static_cast<std::int64_t>(*number) : self.lastRow + 1;
            self.row.cells.clear();
            self.column = -1;
        } else if (element == "c") {
            const char* r = attribute(attributes, "r");
            const long long column = r != nullptr ? columnOf(r) : self.column + 1;
            if (column < 0 || column >= static_cast<long long>(kMaxColumns)) {
                return self.stop(fill(tr("a cell reference beyond the sheet's columns: {1}"),
                                      {quoteForMessage(r != nullptr ? r : "")}));
            }
            self.column = column;
            const char* t = attribute(attributes, "t");
            self.type = t != nullptr ? t : "n";
            self.value.clear();
            self.formula.clear();
            self.hasFormula = self.hasValue = false;
        } else if (element == "v") {
            self.hasValue = true;
            self.capture = &self.value;
        } else if (element == "f") {
            self.hasFormula = true;
            self.capture = &self.formula;
        } else if (element == "is") {
            self.hasValue = true;
        } else if (element == "rPh") {
            ++self.phonetic;
        } else if (element == "t" && self.phonetic == 0) {
            self.capture = &self.value;
        }
    }

    static void end(void* data, const char* name) {
        auto& self = *static_cast<Parse*>(data);
        const std::string_view element = localName(name);
        if (element == "v" || element == "f" || element == "t") {
            self.capture = nullptr;
        } else if (element == "rPh") {
            --self.phonetic;
        } else if (element == "c") {
            self.finishCell();
        } else if (element == "row") {
            self.lastRow = self.row.number;
            self.rows.push_back(std::move(self.row));
            self.row = {};
        }
    }

    static void text(void* data, const char* s, int length) {
        auto& self = *static_cast<Parse*>(data);
        if (self.capture == nullptr) return;
        if (self.capture->size() + static_cast<std::size_t>(length) > kMaxCellBytes) {
            return self.stop(tr("the workbook holds a text longer than a cell can hold: a damaged file"));
        }
        self.capture->append(s, static_cast<std::size_t>(length));
    }

    void finishCell() {
        // After a stop, expat may still report the end of the element it was
        // in; and a cell closed without one open here (a row started inside
        // a cell resets the column) has no place in the row.
        if (!problem.empty() || column < 0) return;
        SheetCell cell;
        if (hasFormula && (!hasValue || value.empty()) && type != "inlineStr") {
            cell.kind = CellKind::FormulaWithoutValue;
            cell.text = "=" + formula;
        } else if (!hasValue) {
            cell.kind = CellKind::Empty;
        } else if (type == "s") {
            const auto index = readUnsigned(value);
            if (!index || *index >= shared->size()) {
                return stop(
                    fill(tr("a cell refers to shared text {1}, which the workbook lacks"), {quoteForMessage(value)}));
            }
            cell.kind = CellKind::Text;
            cell.text = (*shared)[*index];
        } else if (type == "b") {
            cell.kind = CellKind::Boolean;
            cell.text = value == "1" ? "TRUE" : "FALSE";
        } else if (type == "e") {
            cell.kind = CellKind::Error;
            cell.text = value;
        } else if (type == "n") {
            double number = 0;
            const auto res = std::from_chars(value.data(), value.data() + value.size(), number);
            if (res.ec == std::errc{} && res.ptr == value.data() + value.size()) {
                cell.kind = CellKind::Number;
                cell.number = number;
                cell.text = text_rules::fieldTextInto(numberBuffer, number);
            } else {
                cell.kind = CellKind::Text;  // not a number after all: a text, read as such
                cell.text = value;
            }
        } else {  // "str", "inlineStr", "d": a text as it stands
            cell.kind = CellKind::Text;
            cell.text = value;
        }
        const auto at = static_cast<std::size_t>(column);
        if (row.cells.size() <= at) row.cells.resize(at + 1);
        row.cells[at] = std::move(cell);
    }
};

SheetReader::SheetReader(Workbook& workbook) : workbook_(workbook) { restart(); }

SheetReader::~SheetReader() {
    if (file_ != nullptr) zip_fclose(file_);
}

bool SheetReader::restart() {
    if (file_ != nullptr) zip_fclose(file_);
    parse_ = std::make_unique<Parse>();
    parse_->shared = &workbook_.shared_;
    parse_->parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parse_->parser, parse_.get());
    XML_SetElementHandler(parse_->parser, Parse::start, Parse::end);
    XML_SetCharacterDataHandler(parse_->parser, Parse::text);
    ended_ = false;
    file_ = workbook_.openPart(workbook_.sheetPart_);
    failed_ = file_ == nullptr;
    return !failed_;
}

bool SheetReader::feed() {
    char piece[kPiece];
    const long long n = workbook_.readPart(file_, piece, sizeof piece);
    if (n < 0) {
        failed_ = true;
        return false;
    }
    ended_ = n == 0;
    if (XML_Parse(parse_->parser, piece, static_cast<int>(n), ended_) == XML_STATUS_ERROR) {
        failed_ = true;
        if (!parse_->problem.empty()) {
            workbook_.setError(
                fill(tr("the sheet {1}: {2}"), {quoteForMessage(workbook_.sheetName_), parse_->problem}));
        } else {
            workbook_.setError(
                fill(tr("the sheet {1} is not well-formed XML (line {2}: {3}): a file cut short or damaged?"),
                     {quoteForMessage(workbook_.sheetName_),
                      decimal(static_cast<long long>(XML_GetCurrentLineNumber(parse_->parser))),
                      XML_ErrorString(XML_GetErrorCode(parse_->parser))}));
        }
        return false;
    }
    return true;
}

bool SheetReader::next(SheetRow& row) {
    while (parse_->rows.empty()) {
        if (failed_ || ended_ || !feed()) return false;
    }
    row = std::move(parse_->rows.front());
    parse_->rows.pop_front();
    return true;
}

}  // namespace dravik::batch
