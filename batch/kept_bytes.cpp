#include "batch/kept_bytes.h"

#include <string>
#include <vector>

namespace dravik::batch {
namespace {

// Whether `record` read in `codec`'s encoding names a shape column; its
// names go into `names`.
bool namesShape(const CsvRecord& record, Codec& codec, std::vector<std::string>& names) {
    names.clear();
    bool shape = false;
    for (std::size_t j = 0; j < record.size(); ++j) {
        names.push_back(headerName(codec, record[j]));
        shape = shape || nameColumn(names.back()).kind == ColumnKind::Shape;
    }
    return shape;
}

}  // namespace

bool keptBytesValid(const CsvRecord& record, const HeaderColumns& columns, Codec& codec) {
    if (codec.valid(record.raw())) return true;
    if (record.problem != QuoteProblem::None || record.size() < columns.width() || !columns.anyOutputInPlace()) {
        return false;
    }
    // No character of either encoding holds a comma, so each cell can be
    // checked alone.
    for (std::size_t j = 0; j < record.size(); ++j) {
        const bool replaced = j < columns.width() && columns.outputAt(j) >= 0;
        if (!replaced && !codec.valid(record.rawCell(j))) return false;
    }
    return true;
}

Encoding encodingOfKeptBytes(ByteSource& source, std::size_t bufferSize, std::size_t maxRecordSize) {
    CsvReader reader(source, bufferSize, maxRecordSize);
    CsvRecord record;
    Codec utf8(Encoding::Utf8);
    Codec gb18030(Encoding::Gb18030);
    std::vector<std::string> names, gbNames;
    bool ascii = true;
    bool utf8Valid = true;
    bool header = false;
    for (std::int64_t k = 0; k <= kMaxTitleRows && !header && reader.next(record); ++k) {
        if (!isAscii(record.raw())) {
            ascii = false;
            utf8Valid = utf8Valid && isValidUtf8(record.raw());
        }
        // Both readings: the header the chosen one finds is then this record
        // or one below it, and every record up to here is kept whole.
        header = namesShape(record, utf8, names) || namesShape(record, gb18030, gbNames);
    }
    if (!utf8Valid) return Encoding::Gb18030;
    if (!ascii || !header) return Encoding::Utf8;
    HeaderColumns columns;
    if (!columns.read(names).empty()) return Encoding::Utf8;  // a header problem: nothing is written
    while (reader.next(record)) {
        if (!keptBytesValid(record, columns, utf8)) return Encoding::Gb18030;
    }
    return Encoding::Utf8;
}

}  // namespace dravik::batch
