// The CSV reader on the inputs that tell a careful reader from a naive one.
// Every case is read whole, and again in pieces of 1, 2, 3 and 7 bytes
// through a buffer of 4 or 5 bytes, so that each record, cell, quote pair and
// CR LF also falls across a refill.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/csv.h"

namespace {

using namespace dravik::batch;

struct Expected {
    std::vector<std::string> cells;
    std::int64_t line;
    QuoteProblem problem = QuoteProblem::None;
};

struct ReaderCase {
    const char* name;
    std::string input;
    std::vector<Expected> records;
    bool byteOrderMark = false;
};

const std::vector<ReaderCase>& readerCases() {
    using Q = QuoteProblem;
    static const std::vector<ReaderCase> cases = {
        // Record ends
        {"lf", "a,b\nc,d\n", {{{"a", "b"}, 1}, {{"c", "d"}, 2}}},
        {"crlf", "a,b\r\nc,d\r\n", {{{"a", "b"}, 1}, {{"c", "d"}, 2}}},
        {"no final line end", "a,b\nc,d", {{{"a", "b"}, 1}, {{"c", "d"}, 2}}},
        {"lone cr is a cell byte", "a\rb,c\r\n", {{{"a\rb", "c"}, 1}}},
        {"cr before cr lf", "a\r\r\n", {{{"a\r"}, 1}}},
        {"cr at the very end", "a\r", {{{"a\r"}, 1}}},
        // Empty cells and empty lines
        {"empty cells", ",,\n", {{{"", "", ""}, 1}}},
        {"trailing comma", "a,\n", {{{"a", ""}, 1}}},
        {"empty lines are not records", "\n\na\n\r\n\nb\n\n", {{{"a"}, 3}, {{"b"}, 6}}},
        {"only empty lines", "\n\r\n\n", {}},
        {"empty input", "", {}},
        {"quoted empty cell is a record", "\"\"\n", {{{""}, 1}}},
        // Quoted cells
        {"comma in quotes", "\"a,b\",c\n", {{{"a,b", "c"}, 1}}},
        {"doubled quote", "\"say \"\"hi\"\"\"\n", {{{"say \"hi\""}, 1}}},
        {"only a doubled quote", "\"\"\"\"\n", {{{"\""}, 1}}},
        {"line breaks in quotes count lines",
         "\"one\ntwo\r\nthree\",x\nnext\n",
         {{{"one\ntwo\r\nthree", "x"}, 1}, {{"next"}, 4}}},
        {"quote inside an unquoted cell is a byte", "a\"b,c\"\n", {{{"a\"b", "c\""}, 1}}},
        {"quoted cell before cr lf", "\"a\"\r\n\"b\"", {{{"a"}, 1}, {{"b"}, 2}}},
        {"quoted cell at the end", "x,\"a\"", {{{"x", "a"}, 1}}},
        {"blank before an opening quote makes it unquoted", " \"a,b\"\n", {{{" \"a", "b\""}, 1}}},
        // Broken quoting keeps the bytes as they stand
        {"text after closing quote", "\"ab\"cd,e\nf\n", {{{"\"ab\"cd", "e"}, 1, Q::TextAfterClosingQuote}, {{"f"}, 2}}},
        {"escaped quote kept raw in a broken cell", "\"a\"\"b\"c\n", {{{"\"a\"\"b\"c"}, 1, Q::TextAfterClosingQuote}}},
        {"broken cell runs to the comma", "\"a\"b\"c,d\n", {{{"\"a\"b\"c", "d"}, 1, Q::TextAfterClosingQuote}}},
        {"lone cr after closing quote", "\"a\"\rb\n", {{{"\"a\"\rb"}, 1, Q::TextAfterClosingQuote}}},
        {"unclosed quote runs to the end", "h\n\"open\nx,y\n", {{{"h"}, 1}, {{"\"open\nx,y\n"}, 2, Q::UnclosedQuote}}},
        {"unclosed quote with doubled quotes", "\"a\"\"", {{{"\"a\"\""}, 1, Q::UnclosedQuote}}},
        {"first problem wins", "\"a\"b,\"c\n", {{{"\"a\"b", "\"c\n"}, 1, Q::TextAfterClosingQuote}}},
        // Byte-order mark
        {"bom skipped", "\xEF\xBB\xBFshape\n", {{{"shape"}, 1}}, true},
        {"bom only", "\xEF\xBB\xBF", {}, true},
        {"bom not at start is data", "a\n\xEF\xBB\xBF\n", {{{"a"}, 1}, {{"\xEF\xBB\xBF"}, 2}}},
        {"part of a bom is data", "\xEF\xBB,x", {{{"\xEF\xBB", "x"}, 1}}},
        // Bytes
        {"nul and invalid utf-8 are bytes",
         std::string("a\0b,\xFF\xC0\n", 7),
         {{{std::string("a\0b", 3), "\xFF\xC0"}, 1}}},
    };
    return cases;
}

std::string describe(const CsvRecord& record) {
    std::string out = "line " + std::to_string(record.line) + ":";
    for (std::size_t i = 0; i < record.size(); ++i) out += " [" + std::string(record[i]) + "]";
    return out;
}

void expectRecords(const ReaderCase& c, std::size_t piece, std::size_t buffer) {
    SCOPED_TRACE(std::string(c.name) + ", pieces of " + std::to_string(piece) + ", buffer " + std::to_string(buffer));
    MemorySource source(c.input, piece);
    CsvReader reader(source, buffer);
    CsvRecord record;
    for (const Expected& want : c.records) {
        ASSERT_TRUE(reader.next(record)) << "missing record at line " << want.line;
        EXPECT_EQ(record.line, want.line) << describe(record);
        EXPECT_EQ(record.problem, want.problem) << describe(record);
        ASSERT_EQ(record.size(), want.cells.size()) << describe(record);
        for (std::size_t i = 0; i < want.cells.size(); ++i) EXPECT_EQ(record[i], want.cells[i]) << "cell " << i;
    }
    EXPECT_FALSE(reader.next(record)) << "extra " << describe(record);
    EXPECT_FALSE(reader.next(record)) << "the end must stay the end";
    EXPECT_EQ(reader.hadByteOrderMark(), c.byteOrderMark);
}

TEST(CsvReader, ReadsEveryCaseWhole) {
    for (const ReaderCase& c : readerCases()) expectRecords(c, static_cast<std::size_t>(-1), 1 << 16);
}

TEST(CsvReader, ReadsEveryCaseAcrossBufferBoundaries) {
    for (const ReaderCase& c : readerCases()) {
        for (std::size_t piece : {1, 2, 3, 7}) {
            for (std::size_t buffer : {4, 5}) expectRecords(c, piece, buffer);
        }
    }
}

TEST(CsvReader, ReportsHowEachRecordEnded) {
    MemorySource source("a\r\nb\nc");
    CsvReader reader(source);
    CsvRecord record;
    std::vector<LineEnd> ends;
    while (reader.next(record)) ends.push_back(record.lineEnd);
    EXPECT_EQ(ends, (std::vector<LineEnd>{LineEnd::CrLf, LineEnd::Lf, LineEnd::None}));
}

// joined() may stand for the cells only when the record was read without
// quotes or CRs; the writer relies on this to copy a row whole.
TEST(CsvReader, PlainRecordsJoinToTheirInputBytes) {
    struct Case {
        const char* input;
        bool plain;
        const char* joined;
    };
    // An inner quote is a cell byte, but the writer quotes such a cell.
    const Case cases[] = {
        {"a,b,,c\n", true, "a,b,,c"}, {",\n", true, ","},         {"a,\"b\"\n", false, nullptr},
        {"a\rb\n", false, nullptr},   {"a\"b\n", false, nullptr},
    };
    for (const Case& c : cases) {
        MemorySource source(c.input, 1);
        CsvReader reader(source, 4);
        CsvRecord record;
        ASSERT_TRUE(reader.next(record));
        EXPECT_EQ(record.plain(), c.plain) << c.input;
        if (c.plain) {
            EXPECT_EQ(record.joined(), c.joined);
        }
    }
}

TEST(CsvReader, HoldsACellLongerThanItsBuffer) {
    const std::string longCell(3'000'000, 'x');
    const std::string input = "a," + longCell + ",b\n\"" + longCell + "\"\n";
    MemorySource source(input, 4093);
    CsvReader reader(source, 1 << 12);
    CsvRecord record;
    ASSERT_TRUE(reader.next(record));
    ASSERT_EQ(record.size(), 3u);
    EXPECT_EQ(record[1].size(), longCell.size());
    EXPECT_EQ(record[2], "b");
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record[0], longCell);
    EXPECT_EQ(record.line, 2);
}

TEST(CsvReader, StopsOnAFailingSource) {
    class Failing : public ByteSource {
    public:
        std::size_t read(char* buffer, std::size_t capacity) override {
            if (given_) {
                failed_ = true;
                return 0;
            }
            given_ = true;
            const std::string_view text = "h\nrow";
            const std::size_t n = std::min(capacity, text.size());
            text.copy(buffer, n);
            return n;
        }
        bool failed() const override { return failed_; }

    private:
        bool given_ = false;
        bool failed_ = false;
    } source;
    CsvReader reader(source);
    CsvRecord record;
    EXPECT_TRUE(reader.next(record));
    EXPECT_TRUE(reader.next(record));
    EXPECT_FALSE(reader.next(record));
    EXPECT_TRUE(reader.readFailed());
}

}  // namespace
