// The CSV reader on the inputs that tell a careful reader from a naive one.
// Every case is read whole, and again in pieces of 1, 2, 3 and 7 bytes
// through a buffer of 4 or 5 bytes, so that each record, cell, quote pair and
// CR LF also falls across a refill.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "batch/csv.h"
#include "failing_source.h"

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

// Forty plain cells of "12" and their commas, 120 bytes: a record that
// begins so is read a block at a time up to a quote or a lone CR further on,
// and the full reader goes on from there.
const std::string kPlain = [] {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "12,";
    return text;
}();
std::vector<std::string> plainCellsAnd(std::vector<std::string> rest) {
    std::vector<std::string> cells(40, "12");
    cells.insert(cells.end(), rest.begin(), rest.end());
    return cells;
}

const std::vector<ReaderCase>& readerCases() {
    using Q = QuoteProblem;
    static const std::vector<ReaderCase> cases = {
        // Long records, read a block at a time until a quote or a lone CR
        {"plain cells then a quoted one",
         "h\n" + kPlain + "\"a,b\",c\n",
         {{{"h"}, 1}, {plainCellsAnd({"a,b", "c"}), 2}}},
        {"plain cells then a doubled quote",
         "h\n" + kPlain + "x,\"say \"\"hi\"\"\"\n",
         {{{"h"}, 1}, {plainCellsAnd({"x", "say \"hi\""}), 2}}},
        {"plain cells then a quoted line break",
         "h\n" + kPlain + "\"a\nb\"\nz\n",
         {{{"h"}, 1}, {plainCellsAnd({"a\nb"}), 2}, {{"z"}, 4}}},
        {"plain cells then text after a closing quote",
         "h\n" + kPlain + "\"a\"b\n",
         {{{"h"}, 1}, {plainCellsAnd({"\"a\"b"}), 2, Q::TextAfterClosingQuote}}},
        {"plain cells then a lone cr", "h\n" + kPlain + "a\rb,c\r\n", {{{"h"}, 1}, {plainCellsAnd({"a\rb", "c"}), 2}}},
        {"plain cells then an unclosed quote",
         "h\n" + kPlain + "\"open\n",
         {{{"h"}, 1}, {plainCellsAnd({"\"open\n"}), 2, Q::UnclosedQuote}}},
        // Record ends
        {"lf", "a,b\nc,d\n", {{{"a", "b"}, 1}, {{"c", "d"}, 2}}},
        {"crlf", "a,b\r\nc,d\r\n", {{{"a", "b"}, 1}, {{"c", "d"}, 2}}},
        {"no final line end", "a,b\nc,d", {{{"a", "b"}, 1}, {{"c", "d"}, 2}}},
        {"lone cr after lf lines is a cell byte", "x\na\rb,c\r\n", {{{"x"}, 1}, {{"a\rb", "c"}, 2}}},
        {"cr before cr lf", "x\r\na\r\r\n", {{{"x"}, 1}, {{"a\r"}, 2}}},
        {"cr alone at the very end ends the line", "a\r", {{{"a"}, 1}}},
        // A file whose first line end is a CR alone has CR line ends
        {"cr line ends", "a,b\rc\r\rd", {{{"a", "b"}, 1}, {{"c"}, 2}, {{"d"}, 4}}},
        {"lf in a file of cr lines is a cell byte", "a\rb\nc\r", {{{"a"}, 1}, {{"b\nc"}, 2}}},
        // (else an empty line before a record that begins with LF would take it)
        {"lf after cr in a file of cr lines begins the next line", "a\rb\r\nc", {{{"a"}, 1}, {{"b"}, 2}, {{"\nc"}, 3}}},
        {"cr lines count line breaks in quotes", "\"x\ry\"\rz\r", {{{"x\ry"}, 1}, {{"z"}, 3}}},
        {"an empty first line of cr decides", "\ra\nb\r", {{{"a\nb"}, 2}}},
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
        {"lone cr after closing quote", "x\n\"a\"\rb\n", {{{"x"}, 1}, {{"\"a\"\rb"}, 2, Q::TextAfterClosingQuote}}},
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
        for (const std::size_t piece : std::to_array<std::size_t>({1, 2, 3, 7})) {
            for (const std::size_t buffer : std::to_array<std::size_t>({4, 5})) expectRecords(c, piece, buffer);
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

// The record's own bytes: what a failed row is written back as, and what
// the cells of a calculated row are copied from.
TEST(CsvReader, GivesEachRecordAndCellAsItStoodInTheInput) {
    struct Case {
        std::string input;
        std::string raw;
        std::vector<std::string> rawCells;
    };
    const Case cases[] = {
        {"a,b,,c\n", "a,b,,c", {"a", "b", "", "c"}},
        {",\r\n", ",", {"", ""}},
        {"a,\"b\"\"c\",d\n", "a,\"b\"\"c\",d", {"a", "\"b\"\"c\"", "d"}},
        {"\"two\nlines\",x\r\n", "\"two\nlines\",x", {"\"two\nlines\"", "x"}},
        {"\"15\"x,y\n", "\"15\"x,y", {"\"15\"x", "y"}},
        {"\"open,\nrest\n", "\"open,\nrest\n", {"\"open,\nrest\n"}},
        {"a\"b\n", "a\"b", {"a\"b"}},
    };
    for (const Case& c : cases) {
        for (std::size_t piece : {std::size_t{1}, std::size_t{1000}}) {
            MemorySource source(c.input, piece);
            CsvReader reader(source, 4);
            CsvRecord record;
            ASSERT_TRUE(reader.next(record)) << c.input;
            EXPECT_EQ(record.raw(), c.raw) << c.input;
            ASSERT_EQ(record.size(), c.rawCells.size()) << c.input;
            for (std::size_t i = 0; i < record.size(); ++i) EXPECT_EQ(record.rawCell(i), c.rawCells[i]) << c.input;
            EXPECT_EQ(record.rawCells(record.size()), c.raw) << c.input;
            EXPECT_EQ(record.rawCells(1), c.rawCells[0]) << c.input;
        }
    }
}

// A record beyond the bounds stops the reading, whatever the buffer's size:
// more bytes than the bound (its line end not counted), or more cells than a
// spreadsheet has columns. The line named is where the record began.
TEST(CsvReader, StopsAtARecordBeyondTheBounds) {
    struct Case {
        std::string input;
        std::size_t buffer;
        std::int64_t recordsBefore;
        ReadStop stop;
        std::int64_t line;
    };
    const std::string cells16384 = std::string(16383, ',');
    const Case cases[] = {
        {"h\n" + std::string(5000, 'x') + "\nnext\n", 16, 1, ReadStop::TooLong, 2},
        {"h\n\n\"" + std::string(5000, 'x') + "\",1\n", 16, 1, ReadStop::TooLong, 3},
        {"\"open\n" + std::string(5000, 'y'), 16, 0, ReadStop::TooLong, 1},
        {std::string(1001, 'x') + "\n", 1 << 16, 0, ReadStop::TooLong, 1},  // a buffer larger than the bound
        {"h\n" + std::string(1001, 'x'), 16, 1, ReadStop::TooLong, 2},
        {"h\n\"" + std::string(999, 'x') + "\"\r\n", 1 << 16, 1, ReadStop::TooLong, 2},
        {"a\n" + cells16384 + ",\n", 16, 1, ReadStop::TooManyCells, 2},
        {"a\n" + cells16384 + ",\"\"\n", 1 << 16, 1, ReadStop::TooManyCells, 2},
        // The cell count passes the limit inside a block.
        {"a\nx" + std::string(16500, ',') + "\n", 1 << 16, 1, ReadStop::TooManyCells, 2},
        {std::string(60000, ','), 1 << 16, 0, ReadStop::TooManyCells, 1},
    };
    for (const Case& c : cases) {
        MemorySource source(c.input, 7);
        CsvReader reader(source, c.buffer, c.stop == ReadStop::TooLong ? 1000 : 1 << 20);
        CsvRecord record;
        for (std::int64_t i = 0; i < c.recordsBefore; ++i) ASSERT_TRUE(reader.next(record));
        EXPECT_FALSE(reader.next(record)) << c.input.substr(0, 20);
        EXPECT_EQ(reader.stop(), c.stop) << c.input.substr(0, 20);
        EXPECT_EQ(reader.stopLine(), c.line) << c.input.substr(0, 20);
        EXPECT_FALSE(reader.next(record)) << "stopped for good";
    }
}

// Up to the bounds everything is read: a record of the bound's size or one
// byte less, with any line end, and a record of as many cells as a
// spreadsheet has columns.
TEST(CsvReader, ReadsARecordUpToTheBounds) {
    struct Case {
        std::string input;
        std::size_t buffer;
        std::size_t cells;
        std::size_t lastCell;
    };
    const Case cases[] = {
        {std::string(1000, 'z') + "\r\nq", 8, 1, 1000},
        {std::string(999, 'z') + "\nq", 8, 1, 999},
        {std::string(1000, 'z') + "\rq", 1 << 16, 1, 1000},
        {"\"" + std::string(998, 'z') + "\"\nq", 8, 1, 998},
        {"\"" + std::string(996, 'z') + "\"\"\"\nq", 1 << 16, 1, 997},
        {std::string(1000, 'z'), 8, 1, 1000},
        {std::string(16383, ',') + "\nq", 1 << 16, 16384, 0},
        {std::string(16383, ',') + "\"\"\nq", 8, 16384, 0},
    };
    for (const Case& c : cases) {
        MemorySource source(c.input, 3);
        CsvReader reader(source, c.buffer, c.cells > 1 ? 1 << 20 : 1000);
        CsvRecord record;
        ASSERT_TRUE(reader.next(record)) << c.input.substr(0, 20);
        ASSERT_EQ(record.size(), c.cells);
        EXPECT_EQ(record[c.cells - 1].size(), c.lastCell);
        EXPECT_EQ(reader.stop(), ReadStop::None);
        if (c.input.ends_with("q")) {
            ASSERT_TRUE(reader.next(record));
            EXPECT_EQ(record[0], "q");
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
    FailingAfterText source("h\nrow");
    CsvReader reader(source);
    CsvRecord record;
    EXPECT_TRUE(reader.next(record));
    EXPECT_EQ(record.problem, QuoteProblem::None);
    // The last record was cut short by the failure, not ended.
    EXPECT_TRUE(reader.next(record));
    EXPECT_EQ(record.problem, QuoteProblem::CutByReadError);
    EXPECT_EQ(record[0], "row");
    EXPECT_FALSE(reader.next(record));
    EXPECT_TRUE(reader.readFailed());
}

}  // namespace
