// The sheet's HTML: whatever a user types comes out as text, and a typed
// "%2" is not taken for a place to fill.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sections/shapes.h"
#include "sheet/sheet_html.h"
#include "sheet/sheet_review.h"

namespace {

using namespace dravik;

sheet::CalculationSheet rectangleSheetWithA(std::string_view a) {
    std::vector<std::string_view> texts;
    for (const sections::InputField& input : sections::kRectangle.inputs) texts.push_back(input.defaultText);
    texts[0] = a;
    return sheet::makeSheet(sections::kRectangle, texts, "2026-12-08 09:00", "1.2.0");
}

TEST(SheetHtml, TypedTextIsEscapedMarkedAndNotedOnce) {
    const std::string html = sheet::sheetHtml(rectangleSheetWithA("12<b>&\"%2"), {"dravik-sheet:diagram", 120, 80});
    const std::string typed = "12&lt;b&gt;&amp;&quot;%2";
    EXPECT_NE(html.find("<td>" + typed + " ※</td>"), std::string::npos) << html;
    EXPECT_NE(html.find("<p>※ “长度a（mm）”的输入文字“" + typed + "”不全是数字，计算用其开头的数 12。</p>"),
              std::string::npos)
        << html;
    EXPECT_EQ(html.find("<b>&"), std::string::npos);
    EXPECT_NE(html.find("<img src=\"dravik-sheet:diagram\" width=\"120\" height=\"80\"/>"), std::string::npos);
}

TEST(SheetHtml, WithoutAnImageTheDiagramsPlaceStaysEmpty) {
    const std::string html = sheet::sheetHtml(rectangleSheetWithA("400"), {});
    EXPECT_EQ(html.find("<img"), std::string::npos);
    EXPECT_NE(html.find("valign=\"middle\"></td>"), std::string::npos);
    EXPECT_EQ(html.find("※"), std::string::npos);
}

}  // namespace

namespace {

TEST(PaperNumber, TheWindowsRoundedNumberAsAnEngineerWritesIt) {
    struct Case {
        const char* shown;
        int decimals;
        const char* paper;
    };
    constexpr Case kCases[] = {
        {" 3996", 0, "3996"}, {" .74", 2, "0.74"}, {" 1", 2, "1.00"}, {" 1.5", 2, "1.50"},    {" 0", 2, "0.00"},
        {" 0", 0, "0"},       {"-.5", 2, "-0.50"}, {"—", 2, "—"},     {" 12.25", 2, "12.25"},
    };
    for (const Case& c : kCases) EXPECT_EQ(sheet::paperNumber(c.shown, c.decimals), c.paper) << c.shown;
}

// The rectangle's defaults give ρ = 1.25 % and ρv = 1.19 %.
std::string reviewedHtml(const dravik::review::Requirements& requirements) {
    sheet::CalculationSheet s = rectangleSheetWithA("400");
    dravik::review::TitleBlock block;
    block.project = "滨江<花园>";
    block.memberId = "GBZ1";
    block.date = "2026-12-09";
    sheet::addReview(s, block, requirements);
    return sheet::sheetHtml(s, {});
}

bool has(const std::string& html, const std::string& piece) { return html.find(piece) != std::string::npos; }

TEST(SheetHtml, ResultsAsOnPaperAndTheWindowTextOnlyWhereItDiffers) {
    const std::string html = sheet::sheetHtml(rectangleSheetWithA("400"), {});
    EXPECT_TRUE(has(html, "<b>3996</b>")) << html;
    EXPECT_TRUE(has(html, "计算结果（取整）：纵筋面积（mm2） <b>3996</b></p>")) << html;
    EXPECT_TRUE(has(html, "计算结果（两位小数）：纵筋率（％） <b>1.25</b></p>")) << html;
    const std::string one = sheet::sheetHtml(rectangleSheetWithA("500"), {});
    EXPECT_TRUE(has(one, "<b>1.00</b>（窗口中显示为“ 1”）")) << one;
    EXPECT_FALSE(has(html, "四、验算"));
    EXPECT_FALSE(has(html, "工程名称"));
}

TEST(SheetHtml, CheckBelowC35TakesC35AndWritesEveryValue) {
    const std::string html = reviewedHtml({"C30", "HRB400", "0.20", "1.00"});
    for (const char* piece : {
             "<td width=\"11%\" nowrap>工程名称</td><td width=\"14%\">滨江&lt;花园&gt;</td>",
             "<td width=\"11%\" nowrap>构件编号</td><td width=\"14%\">GBZ1</td>",
             "四、验算",
             "混凝土强度等级 C30 低于 C35，fc 按 C35 取值（JGJ 3-2010 第 7.2.15 条）",
             "fc = 16.7 N/mm²（C35，",
             "fyv = 360 N/mm²（HRB400）",
             "[ρv] = λv · fc / fyv = 0.20 × 16.7 / 360 = 0.9277777778 %",
             "体积配箍率 ρv = 1.186137747 % ≥ [ρv]",
             "≥ [ρv] = 0.9277777778 %，满足",
             "纵筋率 ρ = 1.248",
             "≥ ρmin = 1.00 %，满足",
             "验算结论：满足",
             "由设计人根据构件的抗震等级和轴压比",
         }) {
        EXPECT_TRUE(has(html, piece)) << piece << "\n" << html;
    }
}

TEST(SheetHtml, CheckNotMetSaysWhichAndWhatWasNotChecked) {
    struct Case {
        dravik::review::Requirements requirements;
        std::vector<std::string> pieces;
    };
    const Case kCases[] = {
        {{"C60", "HPB300", "0.2", "1.3"},
         {"fc = 27.5 N/mm²（C60，", "0.2 × 27.5 / 270 = 2.037037037 %", "&lt; [ρv] = 2.037037037 %，不满足",
          "&lt; ρmin = 1.3 %，不满足", "验算结论：不满足"}},
        {{"", "", "", "1.2"}, {"≥ ρmin = 1.2 %，满足", "验算结论：满足"}},
        {{"C30", "", "", "1.3"}, {"未验算：箍筋验算需要", "验算结论：不满足"}},
    };
    for (const Case& c : kCases) {
        const std::string html = reviewedHtml(c.requirements);
        for (const std::string& piece : c.pieces) EXPECT_TRUE(has(html, piece)) << piece << "\n" << html;
        EXPECT_FALSE(has(html, "低于 C35"));
    }
}

}  // namespace
