// The four section calculations from field texts to result texts: each
// shape's worked example and the cases that tell the formulas apart.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sections/calculation.h"
#include "sections/shapes.h"
#include "text_rules/text_rules.h"

namespace {

using namespace dravik::sections;

struct SectionCase {
    const char* name;
    const SectionShape* shape;
    std::map<std::string, std::string> edits;  // field texts that differ from the defaults
    // Expected raw values to the digits known ("..." marks digits cut off);
    // empty for a value not checked.
    const char* steelArea;
    const char* ratio;
    const char* hoop;
    // Expected texts of zjmj, zjl, tjpgl.
    const char* steelText;
    const char* ratioText;
    const char* hoopText;
};

std::vector<std::string> fieldTexts(const SectionShape& shape, const std::map<std::string, std::string>& edits) {
    std::vector<std::string> texts;
    for (const InputField& input : shape.inputs) {
        auto it = edits.find(std::string(input.name));
        texts.emplace_back(it == edits.end() ? std::string(input.defaultText) : it->second);
    }
    for (const auto& [name, text] : edits) {
        bool known = false;
        for (const InputField& input : shape.inputs) known = known || input.name == name;
        EXPECT_TRUE(known) << "the test edits an input " << name << " that " << shape.windowName << " lacks";
    }
    return texts;
}

SectionResults run(const SectionShape& shape, const std::map<std::string, std::string>& edits) {
    const std::vector<std::string> texts = fieldTexts(shape, edits);
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    return calculateFromTexts(shape, views);
}

// Checks `actual` to as many significant digits as `expected` is written
// with: rounded to that many digits, or cut off there when it ends in "...".
void expectSameDigits(double actual, const char* expected, const std::string& what) {
    if (expected == nullptr || *expected == '\0') return;
    std::string text(expected);
    const bool truncated = text.ends_with("...");
    if (truncated) text.resize(text.size() - 3);
    int digits = 0;
    bool leading = true;
    for (char c : text) {
        if (c >= '1' && c <= '9') leading = false;
        if (c >= '0' && c <= '9' && !leading) ++digits;
    }
    const double value = dravik::text_rules::readNumber(text);
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - digits + 1);
    if (truncated) {
        EXPECT_GE(actual, value) << what;
        EXPECT_LT(actual, value + unit) << what;
    } else {
        EXPECT_NEAR(actual, value, 0.5 * unit + 1e-12 * std::fabs(value)) << what;
    }
}

// clang-format off
const SectionCase kCases[] = {
    // Rectangle 暗柱.
    {"rectangle defaults", &kRectangle, {}, "3996.1057872", "1.2487830585", "1.1861377466", " 3996", " 1.25", " 1.19"},
    {"rectangle count picked from the list", &kRectangle, {{"hxsl", " 5"}}, "", "", "1.1861377466", " 3996", " 1.25", " 1.19"},
    {"rectangle outer hoop only", &kRectangle, {{"hxsl", "2"}, {"zxsl", "2"}}, "3996.1057872", "1.2487830585", "0.7542468720", " 3996", " 1.25", " .75"},
    {"rectangle empty second group", &kRectangle, {{"zj2sl", ""}}, "942.47778", "0.2945243063", "1.1861377466", " 942", " .29", " 1.19"},
    {"rectangle one leg across", &kRectangle, {{"hxsl", "1"}}, "", "", "0.8461385475", " 3996", " 1.25", " .85"},
    {"rectangle no cover", &kRectangle, {{"bhhd", "0"}}, "", "", "1.1159198715", " 3996", " 1.25", " 1.12"},
    {"rectangle fractional count", &kRectangle, {{"hxsl", "2.5"}}, "", "", "0.9736382471", " 3996", " 1.25", " .97"},
    {"rectangle spacing 100", &kRectangle, {{"gjjj", "100"}}, "", "", "1.4233652959", " 3996", " 1.25", " 1.42"},
    {"rectangle dimension with unit", &kRectangle, {{"a", "400mm"}, {"b", "8 00"}}, "", "", "", " 3996", " 1.25", " 1.19"},
    {"rectangle comma ends the number", &kRectangle, {{"b", "1,000"}}, "", "", "", " 3996", " 999.03", "-12.58"},

    // L形转角柱.
    {"L defaults", &kLShape, {}, "6016.149829", "1.0743124695", "1.3772744437", " 6016", " 1.07", " 1.38"},
    {"L first list items for c and d", &kLShape, {{"csl", " 2"}, {"dsl", " 2"}}, "", "", "1.3295008336", " 6016", " 1.07", " 1.33"},
    {"L no inner legs across the limbs", &kLShape, {{"csl", "1"}, {"dsl", "1"}}, "", "", "1.2339536135", " 6016", " 1.07", " 1.23"},
    {"L outer hoop only", &kLShape, {{"asl", "2"}, {"bsl", "2"}, {"csl", "1"}, {"dsl", "1"}}, "", "", "0.7846234428", " 6016", " 1.07", " .78"},
    {"L no upper limb", &kLShape, {{"c", "800"}}, "", "0.7520187286", "1.0552944215", " 6016", " .75", " 1.06"},
    {"L no cover", &kLShape, {{"bhhd", "0"}}, "", "", "1.3015169343", " 6016", " 1.07", " 1.3"},

    // 翼柱.
    {"flanged defaults", &kFlanged, {}, "6584.7780896", "1.8291050...", "1.4799470...", " 6585", " 1.83", " 1.48"},
    {"flanged outer hoop only", &kFlanged, {{"csl", "2"}, {"dsl", "1"}}, "", "", "1.2560228...", " 6585", " 1.83", " 1.26"},
    {"flanged count below its constant", &kFlanged, {{"asl", "1"}}, "", "", "", " 6585", " 1.83", " 1.23"},
    {"flanged empty csl", &kFlanged, {{"csl", ""}}, "", "", "", " 6585", " 1.83", " 1.3"},
    {"flanged web of no height", &kFlanged, {{"b", "200"}}, "", "", "", " 6585", " 2.74", " 1.9"},
    {"flanged number followed by letters", &kFlanged, {{"b", "600mm"}}, "", "", "1.4799470...", " 6585", " 1.83", " 1.48"},

    // Z形转角柱.
    {"Z defaults", &kZShape, {}, "12497.2553628", "0.9997804...", "1.4081825...", " 12497", " 1", " 1.41"},
    {"Z outer hoop only", &kZShape, {{"asl", "2"}, {"bsl", "2"}, {"fsl", "2"}, {"dsl", "1"}, {"esl", "1"}, {"csl", "0"}}, "", "", "0.7559956...", " 12497", " 1", " .76"},
    {"Z empty csl", &kZShape, {{"csl", ""}}, "", "", "", " 12497", " 1", " 1.38"},
    {"Z first item of fsl", &kZShape, {{"fsl", " 1"}}, "", "", "", " 12497", " 1", " 1.21"},
    {"Z middle part of no height", &kZShape, {{"b", "1000"}}, "", "", "", " 12497", " 1.14", " 1.49"},
};
// clang-format on

TEST(Sections, WorkedExamplesAndEdgeCases) {
    ResultBuffers buffers;  // kept from case to case, as a batch keeps them from row to row
    for (const SectionCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const SectionResults r = run(*c.shape, c.edits);
        expectSameDigits(r.steelArea, c.steelArea, "steel area");
        expectSameDigits(r.longitudinalRatio, c.ratio, "longitudinal ratio");
        expectSameDigits(r.hoopRatio, c.hoop, "hoop ratio");
        const ResultTexts texts = displayTexts(r);
        EXPECT_EQ(texts.steelArea, c.steelText);
        EXPECT_EQ(texts.longitudinalRatio, c.ratioText);
        EXPECT_EQ(texts.hoopRatio, c.hoopText);
        const auto written = displayTextsInto(buffers, r);
        EXPECT_EQ(written[static_cast<std::size_t>(Result::SteelArea)], c.steelText);
        EXPECT_EQ(written[static_cast<std::size_t>(Result::LongitudinalRatio)], c.ratioText);
        EXPECT_EQ(written[static_cast<std::size_t>(Result::HoopRatio)], c.hoopText);
    }
}

TEST(Sections, DefaultsGiveTheInitialResultTextsWithoutTheLeadingBlank) {
    for (const SectionShape* shape : allShapes()) {
        const ResultTexts texts = displayTexts(run(*shape, {}));
        EXPECT_EQ(" " + std::string(shape->initialTexts[0]), texts.steelArea) << shape->windowName;
        EXPECT_EQ(" " + std::string(shape->initialTexts[1]), texts.longitudinalRatio) << shape->windowName;
        EXPECT_EQ(" " + std::string(shape->initialTexts[2]), texts.hoopRatio) << shape->windowName;
    }
}

// A zero divisor or an overflow shows a dash in the result it spoils and
// nowhere else.
struct DashCase {
    const char* name;
    const SectionShape* shape;
    std::map<std::string, std::string> edits;
    const char* steelText;
    const char* ratioText;
    const char* hoopText;
};

const char* const kDash = "\xE2\x80\x94";

std::map<std::string, std::string> everyFieldEmptied(const SectionShape& shape) {
    std::map<std::string, std::string> edits;
    for (const InputField& input : shape.inputs) edits.emplace(input.name, "");
    return edits;
}

// clang-format off
const DashCase kDashCases[] = {
    {"rectangle empty a", &kRectangle, {{"a", ""}}, " 3996", kDash, "-7.97"},
    {"rectangle empty spacing", &kRectangle, {{"gjjj", ""}}, " 3996", " 1.25", kDash},
    {"rectangle a equal to twice the cover", &kRectangle, {{"a", "30"}}, " 3996", " 16.65", kDash},
    {"rectangle everything empty", &kRectangle, everyFieldEmptied(kRectangle), " 0", kDash, kDash},
    {"rectangle number beyond the double range", &kRectangle, {{"b", "1e400"}}, " 3996", kDash, kDash},
    {"rectangle bar diameter beyond the double range", &kRectangle, {{"zj1zj", "1e400"}}, kDash, kDash, " 1.19"},
    {"rectangle steel area overflows", &kRectangle, {{"zj1zj", "1e200"}}, kDash, kDash, " 1.19"},
    {"L gross area overflows", &kLShape, {{"a", "1e200"}, {"c", "1e200"}}, " 6016", kDash, kDash},
    {"L gross area zero", &kLShape, {{"a", "0"}, {"b", "400"}}, " 6016", kDash, "-22.61"},
    {"L core area zero", &kLShape, {{"a", "30"}, {"d", "30"}}, " 6016", " 25.07", kDash},
    {"flanged empty spacing", &kFlanged, {{"gjjj", "0"}}, " 6585", " 1.83", kDash},
    {"Z gross area zero", &kZShape, {{"a", "0"}, {"f", "0"}, {"c", "0"}}, " 12497", kDash, "-19.75"},
    {"Z hoop length overflows", &kZShape, {{"b", "1e308"}, {"e", "-1e308"}}, " 12497", kDash, kDash},
};
// clang-format on

TEST(Sections, NonFiniteResultsShowADashAndLeaveTheOthers) {
    ResultBuffers buffers;
    for (const DashCase& c : kDashCases) {
        SCOPED_TRACE(c.name);
        const SectionResults r = run(*c.shape, c.edits);
        const ResultTexts texts = displayTexts(r);
        EXPECT_EQ(texts.steelArea, c.steelText);
        EXPECT_EQ(texts.longitudinalRatio, c.ratioText);
        EXPECT_EQ(texts.hoopRatio, c.hoopText);
        const auto written = displayTextsInto(buffers, r);
        EXPECT_EQ(written[static_cast<std::size_t>(Result::SteelArea)], c.steelText);
        EXPECT_EQ(written[static_cast<std::size_t>(Result::LongitudinalRatio)], c.ratioText);
        EXPECT_EQ(written[static_cast<std::size_t>(Result::HoopRatio)], c.hoopText);
    }
}

TEST(Sections, ShapesAreFoundByWindowAndTypeName) {
    EXPECT_EQ(findShape("azpjl"), &kRectangle);
    EXPECT_EQ(findShape("L形转角柱"), &kLShape);
    EXPECT_EQ(findShape("翼柱"), &kFlanged);
    EXPECT_EQ(findShape("zxzjzpjl"), &kZShape);
    EXPECT_EQ(findShape("Z形"), nullptr);
    EXPECT_EQ(findShape(""), nullptr);
}

}  // namespace
