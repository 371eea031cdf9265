#include "sheet/calculation_sheet.h"

#include <charconv>
#include <cmath>
#include <map>
#include <stdexcept>

#include "sections/calculation.h"
#include "sections/formula.h"
#include "sections/terms.h"
#include "sheet/sheet_texts.h"
#include "sheet/window_texts.h"
#include "text_rules/float_chars.h"
#include "text_rules/text_rules.h"
#include "text_rules/visible_text.h"

namespace dravik::sheet {
namespace {

// A value the formula can refer to by its symbol: an input, an earlier step
// or π. `step` is the step's index in the sheet, -1 for an input or π.
struct Known {
    double value;
    std::string valueText;
    int figure = -1;
    int step = -1;
    int input = -1;
};

// `precision` significant digits, or with 0 the shortest text that reads
// back as the same double.
std::string charsOf(double value, int precision) {
    if (!std::isfinite(value)) return std::string(text_rules::kNotANumber);
    char buffer[64];
    const char* end = precision > 0
                          ? text_rules::float_chars::writeGeneral(buffer, buffer + sizeof buffer, value, precision)
                          : text_rules::float_chars::writeShortest(buffer, buffer + sizeof buffer, value);
    std::string out(buffer, static_cast<std::size_t>(end - buffer));
    if (out == "-0") out = "0";
    return out;
}

// An input's value in full: the shortest text that reads back as the same
// double ("400", "12.5", "0.1").
std::string fullText(double value) { return charsOf(value, 0); }

using Symbols = std::map<std::string, Known, std::less<>>;

// A step's formula as pieces: literal text, and operands with their values.
std::vector<FormulaPiece> pieces(std::span<const sections::Token> formula, const Symbols& known) {
    using Kind = sections::Token::Kind;
    std::vector<FormulaPiece> out;
    for (const sections::Token& token : formula) {
        if (token.kind == Kind::Symbol) {
            const Known& k = known.find(token.text)->second;
            out.push_back({std::string(token.text), true, k.value, k.valueText});
            continue;
        }
        if (out.empty() || out.back().operand) out.push_back({});
        out.back().text += token.kind == Kind::Number ? fullText(token.number) : std::string(token.text);
    }
    return out;
}

// A step in words: its name, its symbol and its formula.
std::string stated(const Step& step) { return step.name + " " + step.symbol + " = " + step.inSymbols(); }

// Why `step` is not a number: the first operand that is not one, followed
// back to its own cause; else a divisor that is zero; else an overflow.
std::string explain(const CalculationSheet& sheet, const Symbols& known, const Step& step) {
    for (const FormulaPiece& piece : step.formula) {
        if (!piece.operand || std::isfinite(piece.value)) continue;
        const Known& k = known.find(piece.text)->second;
        if (k.input >= 0) {
            const InputRow& row = sheet.inputs[static_cast<std::size_t>(k.input)];
            return texts::filled(texts::kInputOutOfRange, {row.label, text_rules::visibleText(row.fieldText)});
        }
        if (k.step >= 0) {
            return explain(sheet, known,
                           sheet.figures[static_cast<std::size_t>(k.figure)].steps[static_cast<std::size_t>(k.step)]);
        }
    }
    bool divides = false;
    for (const FormulaPiece& piece : step.formula) {
        if (piece.operand && divides && piece.value == 0.0) {
            const Known& k = known.find(piece.text)->second;
            std::string what = piece.text;
            if (k.input >= 0)
                what = texts::filled(texts::kQuotedInput,
                                     {sheet.inputs[static_cast<std::size_t>(k.input)].label, piece.text});
            if (k.step >= 0) {
                const Step& s =
                    sheet.figures[static_cast<std::size_t>(k.figure)].steps[static_cast<std::size_t>(k.step)];
                what = stated(s);
            }
            return texts::filled(texts::kZeroDivisor, {what, stated(step)});
        }
        if (!piece.operand) {
            const auto slash = piece.text.find_last_not_of(' ');
            divides = slash != std::string::npos && piece.text[slash] == '/';
        }
    }
    return texts::filled(texts::kOverflow, {stated(step)});
}

}  // namespace

std::string paperNumber(std::string_view shown, int decimals) {
    while (shown.starts_with(' ')) shown.remove_prefix(1);
    if (shown == text_rules::kNotANumber) return std::string(shown);
    std::string out;
    if (shown.starts_with('-')) {
        out = "-";
        shown.remove_prefix(1);
    }
    if (shown.starts_with('.')) out += '0';
    out += shown;
    if (decimals > 0) {
        std::size_t point = out.find('.');
        if (point == std::string::npos) {
            point = out.size();
            out += '.';
        }
        const std::size_t written = out.size() - point - 1;
        if (written < std::size_t(decimals)) out.append(std::size_t(decimals) - written, '0');
    }
    return out;
}

std::string intermediateText(double value) { return charsOf(value, 10); }

std::string Step::inSymbols() const {
    std::string out;
    for (const FormulaPiece& piece : formula) out += piece.text;
    return out;
}

std::string Step::withValues() const {
    std::string out;
    for (const FormulaPiece& piece : formula) out += piece.operand ? piece.valueText : piece.text;
    return out;
}

CalculationSheet makeSheet(const sections::SectionShape& shape, std::span<const std::string_view> fieldTexts,
                           std::string_view dateTime, std::string_view version) {
    const layouts::WindowLayout* layout = layouts::calculatorLayout(shape.windowName);
    if (layout == nullptr || fieldTexts.size() != shape.inputs.size()) {
        throw std::invalid_argument("no calculation sheet for this window");
    }
    CalculationSheet sheet;
    sheet.typeName = shape.typeName;
    sheet.title = texts::filled(texts::kTitle, {sheet.typeName});
    sheet.windowCaption = shape.caption;
    sheet.dateTime = dateTime;
    sheet.programLine = std::string(layouts::kProgramTitle) + " " + std::string(version);
    if (const layouts::ControlRecord* diagram = layout->find(layouts::Role::Diagram)) sheet.diagram = diagram->picture;
    sheet.disclaimer = captionOf(*layout, layouts::Role::Disclaimer);

    // Each field text is read once, as "计算" reads it.
    Symbols known;
    known.emplace(sections::formula::Pi::kSymbol, Known{sections::kPi, fullText(sections::kPi)});
    std::vector<double> numbers;
    for (std::size_t i = 0; i < shape.inputs.size(); ++i) {
        const sections::InputField& input = shape.inputs[i];
        InputRow row;
        row.name = input.name;
        row.label = inputLabel(*layout, input);
        row.symbol = input.symbol;
        row.unit = input.unit;
        row.fieldText = fieldTexts[i];
        row.value = text_rules::readNumber(fieldTexts[i]);
        row.valueText = fullText(row.value);
        row.notWhollyNumber = !text_rules::isWhollyNumber(fieldTexts[i]);
        numbers.push_back(row.value);
        known.emplace(row.symbol, Known{row.value, row.valueText, -1, -1, static_cast<int>(i)});
        sheet.inputs.push_back(std::move(row));
    }

    const sections::SectionTerms terms = shape.terms(numbers);
    const sections::ResultTexts shown = sections::displayTexts(terms.results());
    for (std::size_t f = 0; f < sheet.figures.size(); ++f) {
        Figure& figure = sheet.figures[f];
        figure.result = sections::kAllResults[f];
        figure.label = resultLabel(*layout, figure.result);
        figure.shownText = shown[figure.result];
        figure.decimals = sections::resultDecimals(figure.result);
        figure.paperText = paperNumber(figure.shownText, figure.decimals);
        for (const sections::StepText& text : shape.figures[f]) {
            Step step;
            step.name = text.name;
            step.symbol = text.symbol;
            step.unit = text.unit;
            step.formula = pieces(text.formula, known);
            step.value = terms[text.term];
            step.valueText = intermediateText(step.value);
            known.insert_or_assign(step.symbol, Known{step.value, step.valueText, static_cast<int>(f),
                                                      static_cast<int>(figure.steps.size())});
            figure.steps.push_back(std::move(step));
        }
    }
    for (Figure& figure : sheet.figures) {
        if (figure.shownText == text_rules::kNotANumber && !figure.steps.empty()) {
            figure.explanation = explain(sheet, known, figure.steps.back());
        }
    }
    return sheet;
}

std::string tabSeparatedRows(const CalculationSheet& sheet) {
    auto cell = [](std::string_view text) {
        const bool quote = text.find_first_of("\t\r\n") != std::string_view::npos || text.starts_with('"');
        if (!quote) return std::string(text);
        std::string out = "\"";
        for (char c : text) {
            if (c == '"') out += '"';
            out += c;
        }
        return out + '"';
    };
    std::string titles;
    std::string values;
    bool first = true;
    auto add = [&](std::string_view title, std::string_view value) {
        if (!first) {
            titles += '\t';
            values += '\t';
        }
        first = false;
        titles += cell(title);
        values += cell(value);
    };
    add(texts::kShapeColumn, sheet.typeName);
    add(review::memberField().label, sheet.titleBlock.memberId);
    for (const InputRow& row : sheet.inputs) add(row.label, row.fieldText);
    for (const Figure& figure : sheet.figures) add(figure.label, figure.shownText);
    return titles + '\n' + values + '\n';
}

}  // namespace dravik::sheet
