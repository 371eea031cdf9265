// The CSV writer: quotes exactly where RFC 4180 needs them, and whatever it
// writes reads back to the same cells.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "batch/csv.h"

namespace {

using namespace dravik::batch;

std::string writeRecords(const std::vector<std::vector<std::string>>& records, std::size_t buffer,
                         LineEnd lineEnd = LineEnd::Lf) {
    StringSink sink;
    {
        CsvWriter writer(sink, buffer);
        writer.setLineEnd(lineEnd);
        for (const auto& record : records) {
            for (const auto& cell : record) writer.cell(cell);
            writer.endRecord();
        }
    }  // the destructor flushes
    return sink.text;
}

TEST(CsvWriter, QuotesOnlyWhatNeedsIt) {
    struct Case {
        std::string cell;
        std::string written;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {" 3996", " 3996"},  // a leading blank needs no quotes
        {"  ", "  "},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\ronly", "\"cr\ronly\""},
        {"暗柱", "暗柱"},
        {std::string("nul\0byte", 8), std::string("nul\0byte", 8)},
        {"\xFF\xFE", "\xFF\xFE"},
        {"\t", "\t"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(writeRecords({{"x", c.cell}}, 64), "x," + c.written + "\n") << c.cell;
        EXPECT_EQ(CsvWriter::needsQuotes(c.cell), c.written != c.cell) << c.cell;
    }
}

TEST(CsvWriter, ARecordOfOneEmptyCellIsNotAnEmptyLine) {
    EXPECT_EQ(writeRecords({{""}, {"", ""}, {"a"}}, 64), "\"\"\n,\na\n");
}

TEST(CsvWriter, UsesTheChosenLineEnd) {
    EXPECT_EQ(writeRecords({{"a", "b"}, {"c"}}, 64, LineEnd::CrLf), "a,b\r\nc\r\n");
    EXPECT_EQ(writeRecords({{"a"}}, 64, LineEnd::None), "a\n");
}

// Cells of every awkward kind, through buffers smaller than the cells, read
// back by the reader to the same cells.
TEST(CsvWriter, WhatItWritesReadsBack) {
    const std::vector<std::vector<std::string>> records = {
        {"a", "", " b ", "c,d", "\"", "e\r\nf", std::string(5000, 'q') + ",\"", ""},
        {""},
        {"\"quoted\"", "x\ry", "\n"},
        {std::string(100, '"')},
    };
    for (const std::size_t buffer : std::to_array<std::size_t>({16, 17, 100, 1 << 16})) {
        const std::string text = writeRecords(records, buffer);
        MemorySource source(text);
        CsvReader reader(source);
        CsvRecord record;
        for (const auto& want : records) {
            ASSERT_TRUE(reader.next(record));
            EXPECT_EQ(record.problem, QuoteProblem::None);
            ASSERT_EQ(record.size(), want.size());
            for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(record[i], want[i]) << "buffer " << buffer;
        }
        EXPECT_FALSE(reader.next(record));
    }
}

TEST(CsvWriter, ReportsAFailedSink) {
    class Refusing : public ByteSink {
    public:
        bool write(const char*, std::size_t) override { return false; }
    } sink;
    CsvWriter writer(sink, 16);
    writer.cell("short");
    EXPECT_FALSE(writer.failed());  // still in the buffer
    writer.cell(std::string(40, 'x'));
    EXPECT_TRUE(writer.failed());
    EXPECT_FALSE(writer.flush());
}

}  // namespace
