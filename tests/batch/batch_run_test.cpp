// The batch run in memory: each row gives what the core gives for the same
// field texts, whatever the column order; counts, messages and exit status;
// failing input and output; very long cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "batch/batch.h"
#include "batch/csv.h"
#include "batch/translate.h"
#include "csv_records.h"
#include "failing_source.h"
#include "sections/calculation.h"
#include "sections/shapes.h"
#include "text_rules/text_rules_paths.h"

namespace {

using namespace dravik;
using namespace dravik::batch;

struct RunResult {
    BatchSummary summary;
    std::string output;
    std::vector<std::string> messages;
};

// The window's reading: every cell read as the window reads it, and the
// window's defaults for inputs without a column. Most tests here are about
// the reading, writing and calculating of rows, not about those two checks.
BatchOptions windowReading() {
    BatchOptions options;
    options.lenient = true;
    options.defaults = true;
    return options;
}

RunResult runOn(std::string_view input, BatchOptions options = windowReading()) {
    RunResult run;
    MemorySource source(input, 3);
    StringSink sink;
    run.summary = runBatch(
        source, sink, [&run](std::string_view m) { run.messages.emplace_back(m); }, options);
    run.output = std::move(sink.text);
    return run;
}

RunResult runOn(std::string_view input, BufferSizes buffers) {
    BatchOptions options = windowReading();
    options.buffers = buffers;
    return runOn(input, options);
}

// The header of every input of azpjl, and a row of its default texts.
const std::string kRectangleHeader = "shape,a,b,zj1zj,zj2zj,zj1sl,zj2sl,dgzj,xgzj,hxsl,zxsl,gjjj,bhhd";
const std::string kRectangleDefaults = "azpjl,400,800,20,18,3,12,12,10,5,3,120,15";
const std::string kRectangleResults = " 3996, 1.25, 1.19";

// Field texts a user might type, good and bad.
std::string randomFieldText(std::mt19937& random) {
    static const char* const kTexts[] = {"400", "800",  "1200", "20",  "18",  "3",    "12",    "5",  "0",     "",
                                         "2.5", "-100", "1e3",  "7D1", "abc", " 1 5", "120mm", ".5", "1e400", "16"};
    return kTexts[random() % std::size(kTexts)];
}

// Rows of every shape, with their inputs in a shuffled column order among
// carried columns and columns of other shapes: read as the window reads,
// each row's results must be those of calculateFromTexts on the texts of its
// own inputs (defaults for the columns left out); read without guesses, the
// same when every cell its shape uses is wholly a number, and none otherwise.
TEST(BatchRun, EachRowGivesTheCoreResultsForItsOwnInputs) {
    std::mt19937 random(20240611);
    std::vector<std::string> columns = {"id", "shape", "note", "e", "zjl"};
    for (const auto* shape : sections::allShapes()) {
        for (const auto& input : shape->inputs) {
            if (std::find(columns.begin(), columns.end(), input.name) == columns.end()) {
                columns.emplace_back(input.name);
            }
        }
    }
    for (int round = 0; round < 20; ++round) {
        std::shuffle(columns.begin(), columns.end(), random);
        // Leave out a few input columns, so that their defaults are used.
        std::vector<std::string> header(columns.begin(), columns.end() - (round % 4));
        if (std::find(header.begin(), header.end(), "shape") == header.end()) header.push_back("shape");

        StringSink fileSink;
        CsvWriter writer(fileSink);
        for (const auto& name : header) writer.cell(name);
        writer.endRecord();
        std::vector<sections::ResultTexts> expected;
        std::vector<bool> sound;
        for (int row = 0; row < 40; ++row) {
            const auto& shape = *sections::allShapes()[random() % sections::allShapes().size()];
            std::map<std::string, std::string> cells;
            for (const auto& name : header) cells[name] = randomFieldText(random);
            cells["shape"] = row % 2 ? std::string(shape.windowName) : std::string(shape.typeName);
            cells["id"] = "r" + std::to_string(row);
            for (const auto& name : header) writer.cell(cells[name]);
            writer.endRecord();

            std::vector<std::string_view> texts;
            sound.push_back(true);
            for (const auto& input : shape.inputs) {
                const bool present = std::find(header.begin(), header.end(), input.name) != header.end();
                texts.push_back(present ? std::string_view(cells[std::string(input.name)]) : input.defaultText);
                if (present && !text_rules::isWhollyNumber(texts.back())) sound.back() = false;
            }
            expected.push_back(sections::displayTexts(sections::calculateFromTexts(shape, texts)));
        }
        writer.flush();

        BatchOptions withoutGuesses;
        withoutGuesses.defaults = true;
        for (const bool lenient : {true, false}) {
            const RunResult run = runOn(fileSink.text, lenient ? windowReading() : withoutGuesses);
            const bool anyUnsound = std::find(sound.begin(), sound.end(), false) != sound.end();
            ASSERT_EQ(run.summary.exitStatus, lenient || !anyUnsound ? kExitOk : kExitRowsFailed);
            const auto records = readAll(run.output);
            ASSERT_EQ(records.size(), expected.size() + 1);
            const auto& outHeader = records[0];
            auto column = [&](std::string_view name) {
                return static_cast<std::size_t>(std::find(outHeader.begin(), outHeader.end(), name) -
                                                outHeader.begin());
            };
            const auto input = readAll(fileSink.text);
            for (std::size_t r = 0; r < expected.size(); ++r) {
                const auto& out = records[r + 1];
                ASSERT_GE(out.size(), outHeader.size());
                const bool figures = lenient || sound[r];
                const std::string where = "round " + std::to_string(round) + " row " + std::to_string(r);
                EXPECT_EQ(out[column("zjmj")], figures ? expected[r].steelArea : "") << where;
                EXPECT_EQ(out[column("zjl")], figures ? expected[r].longitudinalRatio : "") << where;
                EXPECT_EQ(out[column("tjpgl")], figures ? expected[r].hoopRatio : "") << where;
                for (std::size_t j = 0; j < header.size(); ++j) {
                    if (header[j] != "zjl") {
                        EXPECT_EQ(out[j], input[r + 1][j]) << "cell " << header[j] << " as read";
                    }
                }
            }
        }
    }
}

// A cell of digits as long as a spreadsheet makes it, with the leading zeros
// of a text cell: 1 to 18 digits, so that both sides of the 15 digits that
// an integer read keeps exact are met.
std::string randomDigits(std::mt19937& random) {
    std::string digits;
    const std::size_t size = 1 + random() % 18;
    const std::size_t zeros = random() % 4 == 0 ? random() % size : 0;
    for (std::size_t k = 0; k < size; ++k) digits += static_cast<char>('0' + (k < zeros ? 0 : random() % 10));
    return digits;
}

// The row path reads plain digit cells without the full text rule and writes
// results into buffers kept from row to row: every row must give what the
// full rules give (the full text-to-number rule for every cell, the
// 15-digit display rule for every result), and a cell of digits only is
// wholly a number, so it gets no note.
TEST(BatchRun, RowsOfDigitCellsGiveTheFullRulesResults) {
    std::mt19937 random(5150);
    const auto& shapes = sections::allShapes();
    std::string header = "shape";
    std::vector<std::string_view> names;
    for (const auto* shape : shapes) {
        for (const auto& input : shape->inputs) {
            if (std::find(names.begin(), names.end(), input.name) == names.end()) names.push_back(input.name);
        }
    }
    for (const auto name : names) header += "," + std::string(name);
    std::string input = header + "\n";
    std::vector<std::array<std::string, 3>> expected;
    for (int row = 0; row < 4000; ++row) {
        const auto& shape = *shapes[random() % shapes.size()];
        std::map<std::string_view, std::string> cells;
        for (const auto name : names) cells[name] = random() % 3 == 0 ? randomDigits(random) : randomFieldText(random);
        input += row % 2 ? shape.windowName : shape.typeName;
        for (const auto name : names) input += "," + cells[name];
        input += "\n";
        std::vector<double> numbers;
        for (const auto& field : shape.inputs) numbers.push_back(text_rules::paths::readNumberFull(cells[field.name]));
        const sections::SectionResults results = shape.calculate(numbers);
        auto full = [](double x, int decimals) {
            text_rules::NumberBuffer buffer;
            return std::isfinite(x) ? std::string(text_rules::paths::displayResultExact(buffer, x, decimals))
                                    : std::string(text_rules::kNotANumber);
        };
        expected.push_back(
            {full(results.steelArea, 0), full(results.longitudinalRatio, 2), full(results.hoopRatio, 2)});
    }
    const RunResult run = runOn(input);
    const auto records = readAll(run.output);
    ASSERT_EQ(records.size(), expected.size() + 1);
    const auto& outHeader = records[0];
    const auto at = [&](std::string_view name) {
        return static_cast<std::size_t>(std::find(outHeader.begin(), outHeader.end(), name) - outHeader.begin());
    };
    const std::size_t notes = at("notes");
    for (std::size_t r = 0; r < expected.size(); ++r) {
        const auto& out = records[r + 1];
        ASSERT_EQ(out.size(), outHeader.size()) << "row " << r;
        EXPECT_EQ(out[at("zjmj")], expected[r][0]) << "row " << r;
        EXPECT_EQ(out[at("zjl")], expected[r][1]) << "row " << r;
        EXPECT_EQ(out[at("tjpgl")], expected[r][2]) << "row " << r;
        // A note may name only cells that are not digits, and results shown as the dash.
        std::string_view note = out[notes];
        for (std::size_t j = 1; j + 1 < outHeader.size() && j <= names.size(); ++j) {
            const std::string& cell = out[j];
            if (!cell.empty() && cell.find_first_not_of("0123456789") == std::string::npos) {
                EXPECT_EQ(note.find("\"" + cell + "\""), std::string_view::npos) << "row " << r << ": " << note;
            }
        }
        if (HasFailure()) return;
    }
}

TEST(BatchRun, CountsRowsAndFailures) {
    const RunResult run = runOn("shape,a\nazpjl,1\nnope,2\nazpjl\n\"azpjl\"x,1\nyzpjl,3\n");
    EXPECT_EQ(run.summary.rows, 5);
    EXPECT_EQ(run.summary.failedRows, 3);
    EXPECT_EQ(run.summary.exitStatus, kExitRowsFailed);
    std::vector<std::string> rowMessages;
    for (const auto& m : run.messages) {
        if (m.starts_with("line ")) rowMessages.push_back(m);
    }
    EXPECT_EQ(rowMessages,
              (std::vector<std::string>{"line 3: unknown shape \"nope\"", "line 4: 1 cell where the header has 2",
                                        "line 5: text after the closing quote of a quoted field"}));
}

TEST(BatchRun, WritesNothingForAnUnusableHeader) {
    const std::string headers[] = {"",
                                   "\n\n",
                                   "id,a\n1,2\n",
                                   "shape,shape\n",
                                   "\"shape\n",
                                   "\"sha\"pe\nazpjl\n",
                                   "shape,\"a\"x\n",
                                   "a,长度a,shape\n"};
    for (const std::string& input : headers) {
        const RunResult run = runOn(input);
        EXPECT_EQ(run.summary.exitStatus, kExitTrouble) << input;
        EXPECT_TRUE(run.output.empty()) << input;
        EXPECT_EQ(run.messages.size(), 1u) << input;
    }
}

// A header alone is a valid file: it comes back with the result columns.
TEST(BatchRun, HeaderWithoutRows) {
    const RunResult run = runOn("shape,zjl");
    EXPECT_EQ(run.summary.exitStatus, kExitOk);
    EXPECT_EQ(run.output, "shape,zjl,zjmj,tjpgl,notes\n");
}

// A calculated row keeps its cells exactly as they stood, quotes and all,
// whether the results are appended or replaced in place.
TEST(BatchRun, CalculatedRowsKeepTheirCellsAsTheyStood) {
    const RunResult appended = runOn(kRectangleHeader + ",id\n" + kRectangleDefaults + ",1\n\"azpjl\",\"400\"" +
                                     kRectangleDefaults.substr(9) + ",\"2,\"\"x\"\"\"\n");
    EXPECT_EQ(appended.output, kRectangleHeader + ",id,zjmj,zjl,tjpgl,notes\n" + kRectangleDefaults + ",1," +
                                   kRectangleResults + ",\n\"azpjl\",\"400\"" + kRectangleDefaults.substr(9) +
                                   ",\"2,\"\"x\"\"\"," + kRectangleResults + ",\n");
    const RunResult inPlace = runOn("notes,zjl," + kRectangleHeader + "\nold,\"9,9\"," + kRectangleDefaults + "\n");
    EXPECT_EQ(inPlace.output,
              "notes,zjl," + kRectangleHeader + ",zjmj,tjpgl\n, 1.25," + kRectangleDefaults + ", 3996, 1.19\n");
}

TEST(BatchRun, CarriesVeryLongCellsThroughTinyBuffers) {
    const std::string note(1'000'000, 'n');
    const RunResult run = runOn(kRectangleHeader + ",note\n" + kRectangleDefaults + "," + note + "\n" +
                                    kRectangleDefaults + ",\"" + note + "\"\n",
                                BufferSizes{7, 9});
    EXPECT_EQ(run.summary.exitStatus, kExitOk);
    EXPECT_EQ(run.output, kRectangleHeader + ",note,zjmj,zjl,tjpgl,notes\n" + kRectangleDefaults + "," + note + "," +
                              kRectangleResults + ",\n" + kRectangleDefaults + ",\"" + note + "\"," +
                              kRectangleResults + ",\n");
}

TEST(BatchRun, ReportsAFailingInput) {
    class Failing : public ByteSource {
    public:
        std::size_t read(char* buffer, std::size_t capacity) override {
            if (calls_++ > 0) return 0;
            const std::string_view text = "shape\nazpjl\n";
            const std::size_t n = std::min(capacity, text.size());
            text.copy(buffer, n);
            return n;
        }
        bool failed() const override { return calls_ > 1; }

    private:
        int calls_ = 0;
    } source;
    StringSink sink;
    const BatchSummary summary = runBatch(
        source, sink, [](std::string_view) {}, windowReading());
    EXPECT_TRUE(summary.readFailed);
    EXPECT_EQ(summary.exitStatus, kExitTrouble);
}

TEST(BatchRun, StopsOnAFailingOutput) {
    class Refusing : public ByteSink {
    public:
        bool write(const char*, std::size_t) override {
            ++writes;
            return false;
        }
        int writes = 0;
    } sink;
    std::string input = "shape\n";
    for (int i = 0; i < 10000; ++i) input += "azpjl\n";
    MemorySource source(input);
    BatchOptions options = windowReading();
    options.buffers = BufferSizes{64, 64};
    const BatchSummary summary = runBatch(
        source, sink, [](std::string_view) {}, options);
    EXPECT_TRUE(summary.writeFailed);
    EXPECT_EQ(summary.exitStatus, kExitTrouble);
    EXPECT_EQ(sink.writes, 1);  // it gives up at the first refusal
}

TEST(BatchRun, TemplateOfEachShapeCalculatesToTheWindowsFirstResults) {
    // The texts each window shows after "计算" with its default inputs.
    const std::map<std::string, std::string> results = {
        {"azpjl", " 3996, 1.25, 1.19"},
        {"lxzjzpjl", " 6016, 1.07, 1.38"},
        {"yzpjl", " 6585, 1.83, 1.48"},
        {"zxzjzpjl", " 12497, 1, 1.41"},
    };
    for (const auto* shape : sections::allShapes()) {
        for (bool shortNames : {false, true}) {
            StringSink sink;
            ASSERT_TRUE(writeTemplate(*shape, shape->typeName, shortNames, sink));
            // What a spreadsheet on a Chinese PC opens as UTF-8.
            EXPECT_TRUE(sink.text.starts_with("\xEF\xBB\xBF"));
            EXPECT_TRUE(sink.text.ends_with("\r\n"));
            EXPECT_EQ(std::count(sink.text.begin(), sink.text.end(), '\n'), 2);
            EXPECT_EQ(std::count(sink.text.begin(), sink.text.end(), '\r'), 2);
            const auto records = readAll(sink.text);
            ASSERT_EQ(records.size(), 2u);
            EXPECT_EQ(records[0].size(), shape->inputs.size() + 1);
            EXPECT_EQ(records[0][0], shortNames ? "shape" : "形状");
            EXPECT_EQ(records[0][1], shortNames ? "a" : "长度a（mm）");
            EXPECT_EQ(records[1][0], shape->typeName);
            const RunResult run = runOn(sink.text);
            EXPECT_EQ(run.summary.exitStatus, kExitOk);
            EXPECT_TRUE(run.messages.empty()) << run.messages[0];
            const std::string lastLine = run.output.substr(run.output.rfind('\n', run.output.size() - 3) + 1);
            EXPECT_TRUE(lastLine.ends_with("," + results.at(std::string(shape->windowName)) + ",\r\n")) << lastLine;
        }
    }
}

TEST(QuoteForMessage, KeepsMessagesOnOneReadableLine) {
    struct Case {
        std::string text;
        std::string quoted;
    };
    const Case cases[] = {
        {"circle", "\"circle\""},
        {"", "\"\""},
        {"暗柱x", "\"暗柱x\""},
        {"a\nb\tc\rd", "\"a\\x0Ab\\x09c\\x0Dd\""},
        {"\xFF"
         "azpjl",
         "\"\\xFFazpjl\""},
        {"\xE6\x9A", "\"\\xE6\\x9A\""},           // a cut-off character
        {"\xC0\xAF", "\"\\xC0\\xAF\""},           // an overlong form
        {"\xED\xA0\x80", "\"\\xED\\xA0\\x80\""},  // a surrogate
        {"\xC2\x9B"
         "2J",
         "\"\\xC2\\x9B2J\""},  // a C1 control that moves a terminal
        {"t\x1B[2J.csv", "\"t\\x1B[2J.csv\""},
        {"4\u200B00", "\"4〈U+200B〉00\""},            // hides inside a number
        {"GBZ\u202E1.csv", "\"GBZ〈U+202E〉1.csv\""},  // would reverse the sentence after it
        {std::string(70, 'x'), "\"" + std::string(60, 'x') + "\"…"},
    };
    for (const Case& c : cases) EXPECT_EQ(quoteForMessage(c.text), c.quoted);
}

}  // namespace

namespace {

// An input that never ends a record: /dev/zero after a header.
class EndlessZeros : public ByteSource {
public:
    std::size_t read(char* buffer, std::size_t capacity) override {
        const std::string_view header = "shape\nazpjl\n";
        if (given_ < header.size()) {
            const std::size_t n = std::min(capacity, header.size() - given_);
            header.substr(given_, n).copy(buffer, n);
            given_ += n;
            return n;
        }
        std::fill_n(buffer, capacity, '\0');
        given_ += capacity;
        return capacity;
    }
    std::size_t given_ = 0;
};

TEST(BatchRun, ARecordWithNoEndStopsAtTheBoundWithTheFinishedRowsWritten) {
    EndlessZeros source;
    StringSink sink;
    std::vector<std::string> messages;
    BatchOptions options = windowReading();
    options.maxRecordSize = std::size_t{1} << 20;
    const BatchSummary summary = runBatch(
        source, sink, [&messages](std::string_view m) { messages.emplace_back(m); }, options);
    EXPECT_EQ(summary.exitStatus, kExitTrouble);
    EXPECT_TRUE(summary.stopped);
    EXPECT_LT(source.given_, std::size_t{4} << 20) << "reads stop soon after the bound";
    EXPECT_TRUE(sink.text.starts_with("shape,zjmj,zjl,tjpgl,notes\nazpjl, 3996, 1.25, 1.19,"));
    EXPECT_NE(std::find_if(messages.begin(), messages.end(),
                           [](const std::string& m) { return m.starts_with("line 3: a record longer than 1048576"); }),
              messages.end());
}

// Memory running out half-way: every row finished before is written, the
// line is named, and the status says nothing more could be done.
TEST(BatchRun, RunningOutOfMemoryKeepsTheFinishedRows) {
    class Exhausting : public ByteSource {
    public:
        std::size_t read(char* buffer, std::size_t capacity) override {
            if (rows_ > 300000) throw std::bad_alloc();  // beyond the first megabyte
            const std::string_view text = rows_++ == 0 ? std::string_view("shape\n") : std::string_view("azpjl\n");
            const std::size_t n = std::min(capacity, text.size());
            text.copy(buffer, n);
            return n;
        }
        bool rewind() override { return false; }

    private:
        int rows_ = 0;
    } source;
    StringSink sink;
    std::vector<std::string> messages;
    BatchOptions options = windowReading();
    options.buffers = BufferSizes{64, 1 << 20};
    const BatchSummary summary = runBatch(
        source, sink, [&messages](std::string_view m) { messages.emplace_back(m); }, options);
    EXPECT_EQ(summary.exitStatus, kExitTrouble);
    const auto rows = std::count(sink.text.begin(), sink.text.end(), '\n');
    EXPECT_GT(rows, 290000) << "the rows read before are all written";
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(messages.back().find("out of memory"), std::string::npos) << messages.back();
}

// A read error part-way: the half-received last row fails like any row cut
// short, instead of being calculated from its half.
TEST(BatchRun, ARowCutByAReadErrorIsNotCalculated) {
    FailingAfterText source("shape,a\nazpjl,400\nazpjl,4");
    StringSink sink;
    std::vector<std::string> messages;
    const BatchSummary summary = runBatch(
        source, sink, [&messages](std::string_view m) { messages.emplace_back(m); }, windowReading());
    EXPECT_EQ(summary.exitStatus, kExitTrouble);
    EXPECT_TRUE(summary.readFailed);
    EXPECT_EQ(summary.failedRows, 1);
    EXPECT_TRUE(sink.text.ends_with("\nazpjl,4\n")) << sink.text;
    EXPECT_NE(std::find(messages.begin(), messages.end(), "line 3: cut short: the input could not be read to its end"),
              messages.end());
}

// A byte-order mark counts only as the first bytes of the input: after an
// empty line those bytes belong to the first header name, and the output,
// which keeps the empty line, reads back to the same names.
TEST(BatchRun, AByteOrderMarkAfterAnEmptyLineIsPartOfTheFirstName) {
    const std::string input = "\n\xEF\xBB\xBFid,shape\n1,azpjl\n";
    const RunResult run = runOn(input);
    EXPECT_TRUE(run.output.starts_with("\n\xEF\xBB\xBFid,shape,")) << run.output;
    const RunResult again = runOn(run.output);
    EXPECT_EQ(again.output, run.output);
    const auto records = readAll(run.output);
    EXPECT_EQ(records[0][0], "\xEF\xBB\xBFid");
}

}  // namespace
