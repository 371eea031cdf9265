// The calculation sheet: its steps are the calculation's own terms, each
// formula written so that reading it with the usual precedence, equal ranks
// from the left, evaluates to that term to the last bit, and its results are
// the window's result texts.
#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <string>
#include <vector>

#include "sections/calculation.h"
#include "sections/finite_or_nan.h"
#include "sections/shapes.h"
#include "sheet/calculation_sheet.h"
#include "text_rules/text_rules.h"

namespace {

using namespace dravik;
using sections::FiniteOrNan;
using sheet::CalculationSheet;
using sheet::FormulaPiece;

// Evaluates a step's formula from its pieces: operands by their exact
// values, "×" and "/" before "+" and "-", equal ranks from the left, with
// the calculation's arithmetic (a zero divisor or an overflow gives NaN).
class FormulaEvaluator {
public:
    explicit FormulaEvaluator(const std::vector<FormulaPiece>& pieces) {
        for (const FormulaPiece& piece : pieces) {
            if (piece.operand) {
                tokens_.push_back({'n', piece.value});
                continue;
            }
            const std::string& s = piece.text;
            for (std::size_t i = 0; i < s.size();) {
                if (s[i] == ' ') {
                    ++i;
                } else if (s.compare(i, 2, "×") == 0) {
                    tokens_.push_back({'*', 0});
                    i += 2;
                } else if ((s[i] >= '0' && s[i] <= '9') || s[i] == '.') {
                    double v = 0;
                    const auto res = std::from_chars(s.data() + i, s.data() + s.size(), v);
                    tokens_.push_back({'n', v});
                    i = static_cast<std::size_t>(res.ptr - s.data());
                } else {
                    tokens_.push_back({s[i], 0});
                    ++i;
                }
            }
        }
    }

    double value() {
        const FiniteOrNan v = sum();
        EXPECT_EQ(pos_, tokens_.size()) << "formula not used up";
        return v.value();
    }

private:
    struct Token {
        char kind;  // 'n' number, or one of + - * / ( )
        double value;
    };
    char peek() const { return pos_ < tokens_.size() ? tokens_[pos_].kind : '\0'; }
    FiniteOrNan sum() {
        FiniteOrNan v = product();
        while (peek() == '+' || peek() == '-') {
            const char op = tokens_[pos_++].kind;
            const FiniteOrNan rhs = product();
            v = op == '+' ? v + rhs : v - rhs;
        }
        return v;
    }
    FiniteOrNan product() {
        FiniteOrNan v = primary();
        while (peek() == '*' || peek() == '/') {
            const char op = tokens_[pos_++].kind;
            const FiniteOrNan rhs = primary();
            v = op == '*' ? v * rhs : v / rhs;
        }
        return v;
    }
    FiniteOrNan primary() {
        if (peek() == '(') {
            ++pos_;
            const FiniteOrNan v = sum();
            EXPECT_EQ(peek(), ')');
            ++pos_;
            return v;
        }
        EXPECT_EQ(peek(), 'n') << "at token " << pos_;
        return pos_ < tokens_.size() ? FiniteOrNan(tokens_[pos_++].value) : FiniteOrNan();
    }
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
};

bool sameValue(double x, double y) { return (x != x && y != y) || std::memcmp(&x, &y, sizeof x) == 0; }

std::vector<std::string> defaults(const sections::SectionShape& shape) {
    std::vector<std::string> texts;
    for (const sections::InputField& input : shape.inputs) texts.emplace_back(input.defaultText);
    return texts;
}

std::vector<std::string> edited(const sections::SectionShape& shape, std::string_view name, std::string text) {
    std::vector<std::string> texts = defaults(shape);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (shape.inputs[i].name == name) texts[i] = std::move(text);
    }
    return texts;
}

CalculationSheet sheetOf(const sections::SectionShape& shape, const std::vector<std::string>& texts) {
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    return sheet::makeSheet(shape, views, "2026-12-08 10:00", "1.2.0");
}

const sheet::Step* findStep(const CalculationSheet& s, std::string_view symbol) {
    for (const sheet::Figure& figure : s.figures) {
        for (const sheet::Step& step : figure.steps) {
            if (step.symbol == symbol) return &step;
        }
    }
    return nullptr;
}

struct Case {
    const sections::SectionShape* shape;
    const char* input;  // empty: the defaults
    const char* text;
};

// Defaults and one edited input per shape, from the worked examples.
const Case kCases[] = {
    {&sections::kRectangle, "", ""},    {&sections::kRectangle, "hxsl", "2.5"}, {&sections::kLShape, "", ""},
    {&sections::kLShape, "b", "1000"},  {&sections::kFlanged, "", ""},          {&sections::kFlanged, "csl", "2"},
    {&sections::kZShape, "", ""},       {&sections::kZShape, "b", "1000"},      {&sections::kRectangle, "a", "0"},
    {&sections::kZShape, "gjjj", "mm"},
};

TEST(CalculationSheet, EveryWrittenFormulaEvaluatesToTheCalculatedTermExactly) {
    for (const Case& c : kCases) {
        const auto texts = *c.input ? edited(*c.shape, c.input, c.text) : defaults(*c.shape);
        const CalculationSheet s = sheetOf(*c.shape, texts);
        for (const sheet::Figure& figure : s.figures) {
            ASSERT_FALSE(figure.steps.empty());
            for (const sheet::Step& step : figure.steps) {
                const double v = FormulaEvaluator(step.formula).value();
                EXPECT_TRUE(sameValue(v, step.value))
                    << c.shape->windowName << " " << c.input << "=" << c.text << ": " << step.symbol << " = "
                    << step.inSymbols() << " gives " << v << ", the calculation " << step.value;
            }
        }
    }
}

TEST(CalculationSheet, LastStepOfEachFigureIsTheResultTheWindowShows) {
    for (const Case& c : kCases) {
        const auto texts = *c.input ? edited(*c.shape, c.input, c.text) : defaults(*c.shape);
        const std::vector<std::string_view> views(texts.begin(), texts.end());
        const sections::ResultTexts window = sections::displayTexts(sections::calculateFromTexts(*c.shape, views));
        const CalculationSheet s = sheetOf(*c.shape, texts);
        const int decimals[] = {0, 2, 2};
        for (std::size_t f = 0; f < 3; ++f) {
            const sheet::Figure& figure = s.figures[f];
            EXPECT_EQ(figure.shownText, window[figure.result]) << c.shape->windowName << " figure " << f;
            EXPECT_EQ(text_rules::displayResult(FormulaEvaluator(figure.steps.back().formula).value(), decimals[f]),
                      window[figure.result])
                << c.shape->windowName << " " << c.input << " figure " << f;
        }
    }
}

TEST(CalculationSheet, FiguresAreTheThreeResultsWithTheWindowsLabels) {
    const CalculationSheet s = sheetOf(sections::kZShape, defaults(sections::kZShape));
    EXPECT_EQ(s.figures[0].result, sections::Result::SteelArea);
    EXPECT_EQ(s.figures[0].label, "纵筋面积（mm2）");
    EXPECT_EQ(s.figures[1].label, "纵筋率（％）");
    EXPECT_EQ(s.figures[2].label, "体积配箍率（％）");
    EXPECT_EQ(s.figures[0].shownText, " 12497");
    EXPECT_EQ(s.figures[1].shownText, " 1");
    EXPECT_EQ(s.figures[2].shownText, " 1.41");
    EXPECT_EQ(s.title, "Z形转角柱计算书");
    EXPECT_EQ(s.programLine, "Dravik 1.2.0");
    EXPECT_EQ(s.dateTime, "2026-12-08 10:00");
    EXPECT_NE(s.disclaimer.find("计算结果仅供参考，请设计人员在复核后使用。"), std::string::npos);
    EXPECT_EQ(s.diagram, layouts::StoredPicture::SectionZ);
}

// The worked examples' intermediate values, as the sheet writes them.
struct WrittenStep {
    const sections::SectionShape* shape;
    const char* symbol;
    const char* withValues;
    const char* value;
};

TEST(CalculationSheet, WritesTheWorkedExamplesIntermediateValues) {
    const WrittenStep cases[] = {
        {&sections::kRectangle, "Ab1", "((3.1415926 × 20) × 20) / 4", "314.15926"},
        {&sections::kRectangle, "As", "(314.15926 × 3) + (254.4690006 × 12)", "3996.105787"},
        {&sections::kRectangle, "a′", "400 - (2 × 15)", "370"},
        {&sections::kRectangle, "Lo", "(2 × 370) + (2 × 770)", "2280"},
        {&sections::kRectangle, "Li", "((5 - 2) × 370) + ((3 - 2) × 770)", "1880"},
        {&sections::kRectangle, "V", "(113.0973336 × 2280) + (78.539815 × 1880)", "405516.7728"},
        {&sections::kRectangle, "ρv", "(((405516.7728 / 370) / 770) / 120) × 100", "1.186137747"},
        {&sections::kRectangle, "ρ", "((3996.105787 / 400) / 800) × 100", "1.248783058"},
        {&sections::kZShape, "A", "((1200 × 500) + (500 × 1000)) + (500 × ((1300 - 500) - 500))", "1250000"},
        {&sections::kZShape, "Lo", "(2 × 1170) + (2 × 1270) + (2 × 970) + 500 - (2 × 15) + 500 - (2 × 15)", "7760"},
        {&sections::kZShape, "Li",
         "((4 - 2) × 1170) + ((4 - 2) × 1270) + ((4 - 2) × 970) + ((4 - 1) × 470) + "
         "((3 - 1) × 470) + (1 × 470)",
         "9640"},
        {&sections::kZShape, "Ac", "((1170 × 470) + (970 × 470)) + (470 × (((1300 - 500) - 500) + (2 × 15)))",
         "1160900"},
        {&sections::kFlanged, "Ac", "(1170 × 170) + (270 × (600 - 200))", "306900"},
        {&sections::kLShape, "Lo", "(2 × 970) + (2 × 770) + 370 + 370", "4220"},
    };
    for (const WrittenStep& c : cases) {
        const CalculationSheet s = sheetOf(*c.shape, defaults(*c.shape));
        const sheet::Step* step = findStep(s, c.symbol);
        ASSERT_NE(step, nullptr) << c.symbol;
        EXPECT_EQ(step->withValues(), c.withValues) << c.shape->windowName << " " << c.symbol;
        EXPECT_EQ(step->valueText, c.value) << c.shape->windowName << " " << c.symbol;
    }
}

TEST(CalculationSheet, RectangleNeverFormsAGrossOrCoreArea) {
    const CalculationSheet s = sheetOf(sections::kRectangle, defaults(sections::kRectangle));
    EXPECT_EQ(findStep(s, "A"), nullptr);
    EXPECT_EQ(findStep(s, "Ac"), nullptr);
}

TEST(CalculationSheet, InputsShowLabelSymbolTextValueUnitAndMarkTextsThatAreNotWhollyANumber) {
    auto texts = edited(sections::kFlanged, "a", "1 200mm");
    texts[1] = "mm600";  // b
    const CalculationSheet s = sheetOf(sections::kFlanged, texts);
    ASSERT_EQ(s.inputs.size(), 16u);
    EXPECT_EQ(s.inputs[0].label, "长度a（mm）");
    EXPECT_EQ(s.inputs[0].fieldText, "1 200mm");
    EXPECT_EQ(s.inputs[0].valueText, "1200");
    EXPECT_TRUE(s.inputs[0].notWhollyNumber);
    EXPECT_EQ(s.inputs[1].valueText, "0");
    EXPECT_TRUE(s.inputs[1].notWhollyNumber);
    EXPECT_FALSE(s.inputs[2].notWhollyNumber);
    // The flanged window words the inner bar's label its own way.
    EXPECT_EQ(s.inputs[9].name, "xgzj");
    EXPECT_EQ(s.inputs[9].label, "小箍及拉筋直径（mm）");
    EXPECT_EQ(s.inputs[9].symbol, "di");
    EXPECT_EQ(s.inputs[10].symbol, "na");
    EXPECT_EQ(s.inputs[10].unit, "根");
    EXPECT_EQ(s.inputs[15].symbol, "t");
}

struct DashCase {
    const sections::SectionShape* shape;
    const char* input;
    const char* text;
    const char* input2;  // a second edited input, or empty
    const char* text2;
    std::size_t figure;
    const char* explanationHas;
};

TEST(CalculationSheet, ADashSaysWhichDivisorWasZeroOrWhatOverflowed) {
    const DashCase cases[] = {
        {&sections::kRectangle, "a", "", "", "", 1, "除数为零：“长度a（mm）” a = 0"},
        {&sections::kRectangle, "a", "30", "", "", 2, "除数为零：核心尺寸 a′ = "},
        {&sections::kRectangle, "gjjj", "", "", "", 2, "除数为零：“箍筋间距（mm）” s = 0"},
        {&sections::kLShape, "a", "1e200", "c", "1e200", 1, "数值溢出：截面面积 A"},
        {&sections::kLShape, "zj1zj", "1e400", "", "", 0, "输入“纵筋1直径（mm）”的数 1e400 超出"},
        // A typed override cannot reverse the sentence around it.
        {&sections::kLShape, "zj1zj", "1e400\u202Emm", "", "", 0, "的数 1e400〈U+202E〉mm 超出双精度数的范围"},
        // a′ = 0 and b − c = 0: the core area is 0.
        {&sections::kLShape, "a", "30", "b", "400", 2, "除数为零：核心面积 Ac"},
        {&sections::kZShape, "gjjj", "0", "", "", 2, "除数为零：“箍筋间距（mm）” s = 0"},
    };
    for (const DashCase& c : cases) {
        auto texts = edited(*c.shape, c.input, c.text);
        if (*c.input2) {
            for (std::size_t i = 0; i < texts.size(); ++i) {
                if (c.shape->inputs[i].name == c.input2) texts[i] = c.text2;
            }
        }
        const CalculationSheet s = sheetOf(*c.shape, texts);
        const sheet::Figure& figure = s.figures[c.figure];
        EXPECT_EQ(figure.shownText, text_rules::kNotANumber) << c.input << "=" << c.text;
        EXPECT_NE(figure.explanation.find(c.explanationHas), std::string::npos)
            << c.input << "=" << c.text << ": " << figure.explanation;
    }
    const CalculationSheet fine = sheetOf(sections::kRectangle, defaults(sections::kRectangle));
    for (const sheet::Figure& figure : fine.figures) EXPECT_EQ(figure.explanation, "");
}

TEST(CalculationSheet, CopiedRowsAreShapeMemberAndLabelsThenTheTextsAsTypedAndShown) {
    auto texts = defaults(sections::kRectangle);
    texts[0] = " 400mm";
    const CalculationSheet s = sheetOf(sections::kRectangle, texts);
    EXPECT_EQ(sheet::tabSeparatedRows(s),
              "形状\t构件编号\t长度a（mm）\t高度b（mm）\t纵筋1直径（mm）\t纵筋2直径（mm）\t纵筋1数量（根）\t纵筋2数量（根）\t"
              "大箍直径（mm）\t小箍、拉筋直径（mm）\t横向数量（根）\t纵向数量（根）\t箍筋间距（mm）\t保护层厚（mm）\t"
              "纵筋面积（mm2）\t纵筋率（％）\t体积配箍率（％）\n"
              "暗柱\t\t 400mm\t800\t20\t18\t3\t12\t12\t10\t5\t3\t120\t15\t 3996\t 1.25\t 1.19\n");
}

TEST(CalculationSheet, CopiedCellsWithTabsOrLineBreaksStayOneCell) {
    auto texts = defaults(sections::kRectangle);
    texts[0] = "4\t00";
    texts[1] = "\"8\"00";
    const CalculationSheet s = sheetOf(sections::kRectangle, texts);
    const std::string rows = sheet::tabSeparatedRows(s);
    const std::string values = rows.substr(rows.find('\n') + 1);
    EXPECT_TRUE(values.starts_with("暗柱\t\t\"4\t00\"\t\"\"\"8\"\"00\"\t20\t")) << values;
}

TEST(CalculationSheet, IntermediateValuesHaveTenSignificantDigits) {
    EXPECT_EQ(sheet::intermediateText(113.09733360000001), "113.0973336");
    EXPECT_EQ(sheet::intermediateText(405516.772808), "405516.7728");
    EXPECT_EQ(sheet::intermediateText(2280), "2280");
    EXPECT_EQ(sheet::intermediateText(0.000123456789012), "0.000123456789");
    EXPECT_EQ(sheet::intermediateText(-0.0), "0");
    EXPECT_EQ(sheet::intermediateText(1e20), "1e+20");
    EXPECT_EQ(sheet::intermediateText(std::numeric_limits<double>::quiet_NaN()), text_rules::kNotANumber);
}

}  // namespace
