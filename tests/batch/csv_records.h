// Every record of a CSV text as its cells, read by the tool's own reader:
// what the batch tests compare outputs with.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "batch/byte_stream.h"
#include "batch/csv.h"

namespace dravik::batch {

inline std::vector<std::vector<std::string>> readAll(std::string_view text) {
    MemorySource source(text);
    CsvReader reader(source);
    CsvRecord record;
    std::vector<std::vector<std::string>> records;
    while (reader.next(record)) {
        records.emplace_back();
        for (std::size_t i = 0; i < record.size(); ++i) records.back().emplace_back(record[i]);
    }
    return records;
}

}  // namespace dravik::batch
