// The batch processing in memory, without process start-up or file I/O:
// rows per second through the CSV reader, the calculation and the writer,
// and through the reader alone.
#include <benchmark/benchmark.h>

#include <string>

#include "batch/batch.h"
#include "batch/csv.h"
#include "sections/shapes.h"

namespace {

using namespace dravik;

// A file of `rows` rows cycling through the four shapes with default texts
// and a carried id column.
std::string mixedFile(int rows) {
    std::string header = "id,shape";
    const auto shapes = sections::allShapes();
    const char* names[] = {"a",    "b",    "c",    "d",   "e",   "f",   "zj1zj", "zj2zj", "zj1sl", "zj2sl", "dgzj",
                           "xgzj", "hxsl", "zxsl", "asl", "bsl", "csl", "dsl",   "esl",   "fsl",   "gjjj",  "bhhd"};
    for (const char* name : names) header += std::string(",") + name;
    std::string file = header + "\n";
    for (int row = 0; row < rows; ++row) {
        const auto& shape = *shapes[static_cast<std::size_t>(row) % shapes.size()];
        file += "R" + std::to_string(row) + "," + std::string(shape.windowName);
        for (const char* name : names) {
            file += ',';
            for (const auto& input : shape.inputs) {
                if (input.name == name) file += input.defaultText;
            }
        }
        file += '\n';
    }
    return file;
}

void BM_runBatch(benchmark::State& state) {
    const std::string file = mixedFile(static_cast<int>(state.range(0)));
    batch::StringSink out;
    for (auto _ : state) {
        out.text.clear();
        batch::MemorySource in(file);
        const auto summary = batch::runBatch(in, out, [](std::string_view) {});
        benchmark::DoNotOptimize(summary);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_runBatch)->Arg(10000);

void BM_readCsv(benchmark::State& state) {
    const std::string file = mixedFile(static_cast<int>(state.range(0)));
    batch::CsvRecord record;
    for (auto _ : state) {
        batch::MemorySource in(file);
        batch::CsvReader reader(in);
        std::size_t cells = 0;
        while (reader.next(record)) cells += record.size();
        benchmark::DoNotOptimize(cells);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_readCsv)->Arg(10000);

}  // namespace
