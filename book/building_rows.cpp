#include "book/building_rows.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>

#include "batch/header_columns.h"
#include "batch/text_encoding.h"
#include "review/title_block.h"
#include "sections/shapes.h"

namespace dravik::book {
namespace {

constexpr OptionalColumn kOptionalColumns[] = {
    {"构件编号", &BuildingRow::memberId},
    {"楼层/部位", &BuildingRow::floor},
};

// A temporary file that is gone when this is: the batch output, read back.
class TemporaryFile {
public:
    TemporaryFile() {
        const char* dir = std::getenv("TMPDIR");
        path_ = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/dravik-book-XXXXXX";
        fd_ = ::mkstemp(path_.data());
        if (fd_ >= 0) ::unlink(path_.c_str());
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    int fd() const { return fd_; }

private:
    std::string path_;
    int fd_ = -1;
};

const sections::SectionShape* shapeNamed(std::string_view utf8) {
    const std::string name = batch::normalizeName(utf8);
    for (const sections::SectionShape* shape : sections::allShapes()) {
        if (name == batch::normalizeName(shape->windowName) || name == batch::normalizeName(shape->typeName))
            return shape;
    }
    return nullptr;
}

// The written file's columns: the batch tool's own, and the optional ones.
struct Columns {
    batch::HeaderColumns batch;
    std::array<int, 3> results{-1, -1, -1};
    int notes = -1;
    std::array<int, std::size(kOptionalColumns)> optional{};
};

bool readHeader(const std::vector<std::string>& names, Columns& columns) {
    if (!columns.batch.read(names).empty()) return false;
    columns.optional.fill(-1);
    for (std::size_t j = 0; j < names.size(); ++j) {
        const int output = columns.batch.outputAt(j);
        if (output >= 0 && output < 3) columns.results[std::size_t(output)] = int(j);
        if (output == int(batch::kNotesColumn)) columns.notes = int(j);
        const std::string name = batch::normalizeName(names[j]);
        for (std::size_t k = 0; k < std::size(kOptionalColumns); ++k) {
            if (name == batch::normalizeName(kOptionalColumns[k].title)) columns.optional[k] = int(j);
        }
    }
    return columns.results[0] >= 0;
}

}  // namespace

std::span<const OptionalColumn> optionalColumns() { return kOptionalColumns; }

batch::BatchSummary readBuilding(batch::ByteSource& input, const batch::BatchOptions& options,
                                 const batch::MessageSink& messages,
                                 const std::function<void(const BuildingRow&)>& row) {
    TemporaryFile written;
    if (written.fd() < 0) {
        batch::BatchSummary failed;
        failed.exitStatus = batch::kExitTrouble;
        failed.writeFailed = true;
        return failed;
    }
    batch::BatchSummary summary;
    {
        batch::FdSink sink(written.fd());
        summary = batch::runBatch(input, sink, messages, options);
    }
    if (summary.exitStatus == batch::kExitTrouble || ::lseek(written.fd(), 0, SEEK_SET) != 0) {
        summary.exitStatus = batch::kExitTrouble;
        return summary;
    }

    // The written file has the input's encoding: its texts are read as UTF-8.
    batch::FdSource source(written.fd());
    batch::CsvReader reader(source, std::size_t{1} << 16, options.maxRecordSize);
    batch::Codec codec(summary.encoding);
    batch::CsvRecord record;
    Columns columns;
    bool headerFound = false;
    std::vector<std::string> cells;
    std::int64_t rows = 0;
    while (reader.next(record)) {
        cells.resize(record.size());
        for (std::size_t j = 0; j < record.size(); ++j) {
            if (!codec.toUtf8(record[j], cells[j])) cells[j] = record[j];
        }
        if (!headerFound) {
            headerFound = readHeader(cells, columns);
            continue;
        }
        ++rows;
        auto cellAt = [&](int j) {
            return j >= 0 && std::size_t(j) < cells.size() ? cells[std::size_t(j)] : std::string();
        };
        const std::size_t shapeColumn = columns.batch.shapeColumn();
        BuildingRow r;
        r.record = rows;
        r.shapeText = cellAt(int(shapeColumn));
        bool blank = true;
        for (const std::string& cell : cells) blank = blank && cell.find_first_not_of(" \t") == std::string::npos;
        if (blank) continue;
        r.shape = shapeNamed(r.shapeText);
        for (std::size_t k = 0; k < 3; ++k) r.results[k] = cellAt(columns.results[k]);
        r.notes = cellAt(columns.notes);
        r.calculated = r.shape != nullptr && !r.results[0].empty();
        for (std::size_t k = 0; k < std::size(kOptionalColumns); ++k) {
            r.*kOptionalColumns[k].member = cellAt(columns.optional[k]);
        }
        const auto requirements = review::requirementFields();
        for (std::size_t k = 0; k < requirements.size(); ++k) {
            std::string text = cellAt(columns.batch.requirementColumn(k));
            // A blank cell gives no requirement, as the batch tool reads it.
            if (text.find_first_not_of(" \t") == std::string::npos) text.clear();
            r.requirements.*requirements[k].member = std::move(text);
        }
        if (r.shape != nullptr) {
            const auto shapes = sections::allShapes();
            std::size_t index = 0;
            while (shapes[index] != r.shape) ++index;
            for (std::size_t i = 0; i < r.shape->inputs.size(); ++i) {
                const int j = columns.batch.inputColumn(index, i);
                r.fieldTexts.push_back(j >= 0 ? cellAt(j) : std::string(r.shape->inputs[i].defaultText));
            }
        }
        row(r);
    }
    if (reader.readFailed()) summary.exitStatus = batch::kExitTrouble;
    return summary;
}

}  // namespace dravik::book
