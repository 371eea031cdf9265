// The sheet's HTML: whatever a user types comes out as text, and a typed
// "%2" is not taken for a place to fill.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sections/shapes.h"
#include "sheet/sheet_html.h"

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
