// The check (验算) of rows against the requirement columns: [ρv] and the
// verdict as the calculation sheet makes them, a note for a requirement that
// cannot be used, and the exit status a row with a note gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/batch.h"
#include "batch/csv.h"
#include "csv_records.h"
#include "sections/shapes.h"
#include "sheet/calculation_sheet.h"

namespace {

using namespace dravik;
using namespace dravik::batch;

struct Checked {
    BatchSummary summary;
    std::string output;
};

Checked runOn(const std::string& input, bool strict = false) {
    BatchOptions options;
    options.strict = strict;
    MemorySource source(input, 5);
    StringSink sink;
    Checked run;
    run.summary = runBatch(
        source, sink, [](std::string_view) {}, options);
    run.output = std::move(sink.text);
    return run;
}

// The window's default rectangle: ρ = 1.25 %, ρv = 1.19 % as shown.
const std::string kInputs = "shape,a,b,zj1zj,zj2zj,zj1sl,zj2sl,dgzj,xgzj,hxsl,zxsl,gjjj,bhhd";
const std::string kValues = "azpjl,400,800,20,18,3,12,12,10,5,3,120,15";
const std::string kHeader = kInputs + ",混凝土强度等级,箍筋牌号,配箍特征值,最小纵筋率（％）";

struct CheckCase {
    const char* requirements;  // the four cells
    const char* requiredHoop;  // [ρv]（％）
    const char* verdict;       // 验算
    const char* note;          // a piece of the notes, or "" for none
};

const CheckCase kCases[] = {
    // Below C35, fc of C35: [ρv] = 0.20 × 16.7 / 360 = 0.9277… % ≤ 1.19 %.
    {"C30,HRB400,0.20,1.00", "0.9277777778", "满足", ""},
    {" c30 ,hrb400, 0.2,", "0.9277777778", "满足", ""},
    {",,,", "", "", ""},
    {"C50,HRB400,0.24,", "1.54", "不满足（体积配箍率不满足）", ""},
    {",,,1.5", "", "不满足（纵筋率不满足）", ""},
    {"C80,HRBF500,0.24,2", "1.980689655", "不满足（体积配箍率不满足、纵筋率不满足）", ""},
    // ρ is shown as 1.25 but is 1.2487…: the check takes the value, not the text.
    {"C40,HPB300,0.15,1.25", "1.061111111", "不满足（纵筋率不满足）", ""},
    {"C40,HPB300,0.15,1.24", "1.061111111", "满足", ""},
    // A requirement that cannot be used: the row is not a pass.
    {"C30,,,", "", "未验算", "not checked: 箍筋验算需要"},
    {"C30,HRB400,,1.00", "", "未验算", "not checked: 箍筋验算需要"},
    {"C15,HRB400,0.20,1.00", "", "未验算", "“C15”"},
    {"C30,HRB335,0.20,", "", "未验算", "“HRB335”"},
    {"C30,HRB400,0.2x,0.5", "", "未验算", "“0.2x”"},
    {"C30,HRB400,0.20,1\x01", "0.9277777778", "未验算", "“1\\x01”"},
    // What did fail is still named.
    {"C30,HRB400,x,2", "", "不满足（纵筋率不满足）", "“x”"},
};

TEST(CheckColumns, EachRowGetsRequiredHoopRatioVerdictAndNote) {
    std::string input = kHeader + "\n";
    for (const CheckCase& c : kCases) input += kValues + "," + c.requirements + "\n";
    const Checked run = runOn(input);
    const auto records = readAll(run.output);
    ASSERT_EQ(records.size(), std::size(kCases) + 1);
    const std::vector<std::string> appended(records[0].end() - 6, records[0].end());
    EXPECT_EQ(appended, (std::vector<std::string>{"zjmj", "zjl", "tjpgl", "notes", "[ρv]（％）", "验算"}));
    int noted = 0;
    for (std::size_t r = 0; r < std::size(kCases); ++r) {
        const CheckCase& c = kCases[r];
        const std::vector<std::string>& cells = records[r + 1];
        EXPECT_EQ(cells[17] + cells[18] + cells[19], " 3996 1.25 1.19") << c.requirements;
        EXPECT_EQ(cells[21], c.requiredHoop) << c.requirements;
        EXPECT_EQ(cells[22], c.verdict) << c.requirements;
        if (*c.note == '\0') {
            EXPECT_EQ(cells[20], "") << c.requirements;
        } else {
            EXPECT_NE(cells[20].find(c.note), std::string::npos) << cells[20];
            ++noted;
        }
    }
    // Results right, check not done: a row with a note, as any other.
    EXPECT_EQ(run.summary.notedRows, noted);
    EXPECT_EQ(run.summary.exitStatus, kExitOk);
    EXPECT_EQ(runOn(run.output).output, run.output);

    const Checked strict = runOn(input, true);
    EXPECT_EQ(strict.summary.failedRows, noted);
    EXPECT_EQ(strict.summary.exitStatus, kExitRowsFailed);
}

// Columns titled like the check's but without a requirement column are the
// user's own; with one, they are the tool's, replaced where they stand.
TEST(CheckColumns, CheckTitlesAreTheToolsOnlyBesideARequirement) {
    struct Case {
        const char* header;  // after the inputs' columns, and so on
        const char* row;
        const char* outputHeader;
        const char* outputRow;
    };
    const Case kCheckTitleCases[] = {
        {",验算,[ρv]", ",mine,0.5", ",验算,[ρv],zjmj,zjl,tjpgl,notes\n", ",mine,0.5, 3996, 1.25, 1.19,\n"},
        {",验算,最小纵筋率,[ρv]", ",mine,1.3,0.5", ",验算,最小纵筋率,[ρv],zjmj,zjl,tjpgl,notes\n",
         ",不满足（纵筋率不满足）,1.3,, 3996, 1.25, 1.19,\n"},
    };
    for (const Case& c : kCheckTitleCases) {
        const Checked run = runOn(kInputs + c.header + "\n" + kValues + c.row + "\n");
        EXPECT_EQ(run.output, kInputs + c.outputHeader + kValues + c.outputRow) << c.header;
    }
}

// The window's copied rows (形状, 构件编号, the labels and the results), with
// the requirement columns beside them, as a spreadsheet saves them.
TEST(CheckColumns, CopiedRowsOfAWindowWithRequirementsRunThrough) {
    for (const sections::SectionShape* shape : sections::allShapes()) {
        std::vector<std::string_view> texts;
        for (const auto& input : shape->inputs) texts.push_back(input.defaultText);
        sheet::CalculationSheet sheet = sheet::makeSheet(*shape, texts, "", "");
        sheet.titleBlock.memberId = "GBZ1";
        std::string copied = sheet::tabSeparatedRows(sheet);
        for (char& c : copied) c = c == '\t' ? ',' : c;
        const std::size_t rowStart = copied.find('\n') + 1;
        const std::string input = copied.substr(0, rowStart - 1) +
                                  ",混凝土强度等级,箍筋牌号,配箍特征值,最小纵筋率（％）\n" +
                                  copied.substr(rowStart, copied.size() - rowStart - 1) + ",C30,HRB400,0.01,0.1\n";
        const Checked run = runOn(input);
        EXPECT_EQ(run.summary.exitStatus, kExitOk) << shape->windowName;
        // The copied cells, results too, stand as the window gave them;
        // no notes, then [ρv] and the verdict.
        std::vector<std::string> expected = readAll(input)[1];
        expected.insert(expected.end(), {"", "0.04638888889", "满足"});
        EXPECT_EQ(readAll(run.output).back(), expected) << shape->windowName;
    }
}

}  // namespace
