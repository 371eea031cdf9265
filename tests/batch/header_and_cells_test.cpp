// Header names as engineers type them, cells that are or are not wholly a
// number, and which encoding an input is read in.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "batch/batch.h"
#include "batch/header_columns.h"
#include "sections/shapes.h"

namespace {

using namespace dravik::batch;

TEST(HeaderNames, NameTheirFieldsInEveryFormPeopleType) {
    struct Case {
        const char* name;
        const char* field;  // "" for no field
    };
    const Case cases[] = {
        {"shape", "shape"},
        {"Shape", "shape"},
        {" SHAPE ", "shape"},
        {"ｓｈａｐｅ", "shape"},
        {"形状", "shape"},
        {"形 状", "shape"},
        {"\xEF\xBB\xBFshape", "shape"},
        {"a", "a"},
        {"A", "a"},
        {"Ａ", "a"},
        {"长度a（mm）", "a"},
        {"长度a(mm)", "a"},
        {"长度a", "a"},
        {"长度A（MM）", "a"},
        {"长度a（毫米）", "a"},
        {"高度c", "c"},
        {"宽度c（mm）", "c"},
        {"高度d", "d"},
        {"宽度d", "d"},
        {"小箍、拉筋直径", "xgzj"},
        {"小箍及拉筋直径（mm）", "xgzj"},
        {"横向数量（根）", "hxsl"},
        {"平行a数量", "asl"},
        {"纵筋1直径", "zj1zj"},
        {"ZJ1ZJ", "zj1zj"},
        {"保护层厚", "bhhd"},
        {"纵筋面积", "zjmj"},
        {"纵筋面积（mm2）", "zjmj"},
        {"纵筋率（％）", "zjl"},
        {"体积配箍率", "tjpgl"},
        {"Notes", "notes"},
        {"计算说明", "notes"},
        {"混凝土强度等级", "混凝土强度等级"},
        {"最小纵筋率(%)", "最小纵筋率（％）"},
        {"最小纵筋率", "最小纵筋率（％）"},
        {"[ρv]", "[ρv]（％）"},
        {"验算", "验算"},
        {"纵筋率（％）", "zjl"},
        {"备注", ""},
        {"note", ""},
        {"长度", ""},
        {"(mm)", ""},
        {"", ""},
        {"id", ""},
        {"a b", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(nameColumn(c.name).field, c.field) << c.name;
}

// A misspelt title is matched to the label it is closest to, when no more
// than half of it differs; a title close to nothing is matched to nothing.
TEST(HeaderNames, AMisspeltTitleIsMatchedToTheClosestMissingLabel) {
    const std::vector<std::string> missing = {"纵筋1数量（根）", "纵筋2数量（根）", "保护层厚（mm）", "长度a（mm）"};
    struct Case {
        const char* title;
        int meant;
    };
    const Case cases[] = {
        {"纵筋1根数", 0}, {"纵筋2 数量", 1}, {"保护层厚度（mm）", 2}, {"保护层厚度", 2}, {"长度 A (MM)", 3}, {"长a", 3},
        {"备注", -1},     {"id", -1},        {"纵筋数量", 0},  // as close to both: the first
        {"", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(closestName(c.title, missing), c.meant) << c.title;
}

// No label of any window names two different fields.
TEST(HeaderNames, EveryAliasNamesOneField) {
    std::map<std::string, std::string_view> seen;
    for (const auto& [alias, field] : allAliases()) {
        const auto [at, fresh] = seen.emplace(alias, field);
        EXPECT_TRUE(fresh || at->second == field) << alias << " names " << at->second << " and " << field;
    }
    EXPECT_GT(seen.size(), 60u);
}

TEST(HeaderColumns, AFieldNamedTwiceIsAProblem) {
    struct Case {
        std::vector<std::string> names;
        bool problem;
    };
    const Case cases[] = {
        {{"shape", "a", "长度a"}, true},
        {{"shape", "形状"}, true},
        {{"shape", "zjl", "纵筋率（％）"}, true},
        {{"shape", "高度c", "宽度c"}, true},
        {{"shape", "", "", "备注", "备注"}, false},
        {{"shape", "id", "id"}, false},
        {{"a", "b"}, true},
    };
    for (const Case& c : cases) {
        HeaderColumns columns;
        EXPECT_EQ(!columns.read(c.names).empty(), c.problem) << c.names.back();
    }
}

// A source that can be read only once, like a pipe.
class PipeSource : public MemorySource {
public:
    using MemorySource::MemorySource;
    bool rewind() override { return false; }
};

Encoding encodingOf(std::string_view input, bool pipe) {
    StringSink sink;
    MemorySource file(input, 4096);
    PipeSource stream(input, 4096);
    ByteSource& source = pipe ? static_cast<ByteSource&>(stream) : file;
    return runBatch(source, sink, [](std::string_view) {}).encoding;
}

TEST(InputEncoding, ValidUtf8IsUtf8AndAnythingElseGb18030) {
    const std::string header = "shape,备注\n";
    const std::string utf8Row = "暗柱,复核\n";
    const std::string gbRow = "\xB0\xB5\xD6\xF9,\xB8\xB4\xBA\xCB\n";  // the same in GB18030
    const std::string ascii(2'000'000, 'x');                          // more than the part a pipe is judged by
    struct Case {
        std::string input;
        bool pipe;
        Encoding encoding;
    };
    const Case cases[] = {
        {header + utf8Row, false, Encoding::Utf8},
        {"shape\n" + gbRow, false, Encoding::Gb18030},
        {"shape\n" + gbRow, true, Encoding::Gb18030},
        // A file is read whole before it is judged; a pipe by its start.
        {"shape,x\nazpjl," + ascii + "\n" + gbRow, false, Encoding::Gb18030},
        {"shape,x\nazpjl," + ascii + "\n" + gbRow, true, Encoding::Utf8},
        // A character cut by the end of the part judged does not decide.
        {"shape,x\nazpjl," + std::string((1 << 20) - 16, 'y') + "暗柱\n", true, Encoding::Utf8},
        {"\xEF\xBB\xBF"
         "shape\n" +
             gbRow,
         false, Encoding::Utf8},  // a byte-order mark says UTF-8
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encodingOf(c.input, c.pipe), c.encoding) << c.input.substr(0, 40) << (c.pipe ? " (pipe)" : "");
    }
}

struct Reading {
    Encoding encoding;
    int status;
    std::string output;
};

Reading readWithDefaults(std::string_view input) {
    MemorySource source(input, 7);
    StringSink sink;
    BatchOptions options;
    options.defaults = true;
    const BatchSummary summary = runBatch(
        source, sink, [](std::string_view) {}, options);
    return {summary.encoding, summary.exitStatus, sink.text};
}

// Bytes in a result or notes cell that is replaced decide nothing, so the
// output run again is read as the input was and comes out the same.
TEST(InputEncoding, IsDecidedByTheBytesTheOutputKeeps) {
    const std::string gb = "\xB8\xB4\xBA\xCB";  // 复核 in GB18030: not UTF-8
    struct Case {
        std::string input;
        Encoding encoding;
        int status;
    };
    const Case cases[] = {
        // An ASCII header: the rows' cells that stay decide.
        {"shape,a,notes\nazpjl,400," + gb + "\n", Encoding::Utf8, 0},
        {"shape,zjmj,a\nazpjl," + gb + ",400\n", Encoding::Utf8, 0},
        {"shape,a,note\nazpjl,400," + gb + "\n", Encoding::Gb18030, 0},      // a carried column
        {"shape,a,notes\nazpjl," + gb + "\n", Encoding::Gb18030, 1},         // a short row stays whole
        {"shape,a,notes\nazpjl,\"4\"0," + gb + "\n", Encoding::Gb18030, 1},  // so does broken quoting
        {gb + "\nshape,a\nazpjl,400\n", Encoding::Gb18030, 0},               // a title
        // Titles and a header that are not ASCII decide by themselves.
        {"形状,a,备注\n暗柱,400," + gb + "\n", Encoding::Utf8, 1},
        {"形状,a\n暗柱,400," + gb + ",,,\n", Encoding::Utf8, 1},  // extra cells, not valid: kept after the notes
        {"\xD0\xCE\xD7\xB4,a,notes\n\xB0\xB5\xD6\xF9,400,\xFF\n", Encoding::Gb18030, 0},
    };
    for (const Case& c : cases) {
        const Reading first = readWithDefaults(c.input);
        EXPECT_EQ(first.encoding, c.encoding) << c.input;
        EXPECT_EQ(first.status, c.status) << c.input;
        const Reading again = readWithDefaults(first.output);
        EXPECT_EQ(again.encoding, first.encoding) << first.output;
        EXPECT_EQ(again.output, first.output);
    }
}

TEST(InputEncoding, Gb18030InGivesGb18030Out) {
    const std::string input = "\xD0\xCE\xD7\xB4,a\n\xB0\xB5\xD6\xF9,0\n";  // 形状,a / 暗柱,0
    MemorySource source(input);
    StringSink sink;
    BatchOptions options;
    options.defaults = true;
    const BatchSummary summary = runBatch(
        source, sink, [](std::string_view) {}, options);
    EXPECT_EQ(summary.encoding, Encoding::Gb18030);
    // "—" is A1AA in GB18030; the note names a, read as 0.
    EXPECT_EQ(sink.text.substr(0, sink.text.find('\n')), "\xD0\xCE\xD7\xB4,a,zjmj,zjl,tjpgl,notes");
    EXPECT_NE(sink.text.find("\xB0\xB5\xD6\xF9,0, 3996,\xA1\xAA,"), std::string::npos) << sink.text;
    EXPECT_EQ(sink.text.find("\xE2\x80\x94"), std::string::npos) << "no UTF-8 in a GB18030 file";
}

}  // namespace
