// The workbook path on any bytes taken as an .xlsx archive: no crash and no
// sanitizer report, whatever the archive, its XML or its cells; the sheet
// read a second time (as the header check does) gives the same CSV; a run
// that writes anything writes UTF-8 with a byte-order mark.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "batch/batch.h"
#include "batch/xlsx_reader.h"
#include "batch/xlsx_source.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace dravik::batch;

std::string readAll(ByteSource& source, std::size_t piece) {
    std::string all, buffer(piece, '\0');
    while (const std::size_t n = source.read(buffer.data(), buffer.size())) all.append(buffer.data(), n);
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Workbook workbook;
    if (!workbook.openMemory(bytes) || !workbook.chooseSheet(std::nullopt)) {
        check(!workbook.error().empty());
        return 0;
    }
    SheetSource sheet(workbook);
    const std::string first = readAll(sheet, 1 + size % 97);
    const bool failed = sheet.failed();
    check(sheet.rewind() || failed);
    if (!failed) check(readAll(sheet, 4096) == first);

    sheet.rewind();
    StringSink out;
    BatchOptions options;
    options.defaults = size % 2 == 0;
    options.lenient = size % 3 == 0;
    const BatchSummary summary = runBatch(
        sheet, out, [](std::string_view) {}, options);
    check(out.text.empty() || out.text.starts_with("\xEF\xBB\xBF"));
    check(summary.exitStatus != kExitOk || !sheet.failed());
    return 0;
}
