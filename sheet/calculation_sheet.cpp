#include "sheet/calculation_sheet.h"

#include <charconv>
#include <cmath>
#include <map>
#include <stdexcept>

#include "sections/calculation.h"
#include "sections/terms.h"
#include "sheet/sheet_texts.h"
#include "sheet/step_tables.h"
#include "sheet/window_texts.h"
#include "text_rules/text_rules.h"

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

std::string charsOf(double value, std::chars_format format, int precision) {
    if (!std::isfinite(value)) return std::string(text_rules::kNotANumber);
    char buffer[64];
    const auto res = precision > 0 ? std::to_chars(buffer, buffer + sizeof buffer, value, format, precision)
                                   : std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string out(buffer, res.ptr);
    if (out == "-0") out = "0";
    return out;
}

// An input's value in full: the shortest text that reads back as the same
// double ("400", "12.5", "0.1").
std::string fullText(double value) { return charsOf(value, std::chars_format::general, 0); }

// Bytes of a symbol: ASCII letters and digits, with a trailing prime; π.
bool startsSymbol(std::string_view s) { return (s[0] >= 'a' && s[0] <= 'z') || (s[0] >= 'A' && s[0] <= 'Z'); }
bool continuesSymbol(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }
constexpr std::string_view kPrime = "′";

// Splits a formula of the step tables into literal text and symbols.
std::vector<FormulaPiece> pieces(std::string_view formula, const std::map<std::string, Known, std::less<>>& known) {
    std::vector<FormulaPiece> out;
    auto literal = [&out](std::string_view text) {
        if (out.empty() || out.back().operand) out.push_back({});
        out.back().text += text;
    };
    std::size_t i = 0;
    while (i < formula.size()) {
        std::size_t end = i;
        if (formula.substr(i).starts_with(kPiSymbol)) {
            end = i + kPiSymbol.size();
        } else if (startsSymbol(formula.substr(i))) {
            while (end < formula.size() && continuesSymbol(formula[end])) ++end;
            if (formula.substr(end).starts_with(kPrime)) end += kPrime.size();
        }
        if (end == i) {
            literal(formula.substr(i, 1));
            ++i;
            continue;
        }
        const std::string_view symbol = formula.substr(i, end - i);
        const auto found = known.find(symbol);
        if (found == known.end())
            throw std::logic_error("sheet formula names an unknown symbol: " + std::string(symbol));
        out.push_back({std::string(symbol), true, found->second.value, found->second.valueText});
        i = end;
    }
    return out;
}

// A step in words: "核心尺寸 a′ = a - (2 × t)".
std::string stated(const Step& step) { return step.name + " " + step.symbol + " = " + step.inSymbols(); }

// Why `step` is not a number: the first operand that is not one, followed
// back to its own cause; else a divisor that is zero; else an overflow.
std::string explain(const CalculationSheet& sheet, const std::map<std::string, Known, std::less<>>& known,
                    const Step& step) {
    for (const FormulaPiece& piece : step.formula) {
        if (!piece.operand || std::isfinite(piece.value)) continue;
        const Known& k = known.find(piece.text)->second;
        if (k.input >= 0) {
            const InputRow& row = sheet.inputs[static_cast<std::size_t>(k.input)];
            return texts::filled(texts::kInputOutOfRange, {row.label, row.fieldText});
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

std::string intermediateText(double value) { return charsOf(value, std::chars_format::general, 10); }

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
    if (layout == nullptr || fieldTexts.size() != shape.inputs.size() || figureRules(shape.windowName).empty()) {
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
    std::map<std::string, Known, std::less<>> known;
    known.emplace(std::string(kPiSymbol), Known{sections::kPi, fullText(sections::kPi)});
    std::vector<double> numbers;
    for (std::size_t i = 0; i < shape.inputs.size(); ++i) {
        const sections::InputField& input = shape.inputs[i];
        const InputSymbol* symbol = symbolOf(input.name);
        InputRow row;
        row.name = input.name;
        row.label = inputLabel(*layout, input);
        row.symbol = symbol != nullptr ? symbol->symbol : input.name;
        row.unit = symbol != nullptr ? symbol->unit : std::string_view();
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
    const std::span<const FigureRule> figures = figureRules(shape.windowName);
    for (std::size_t f = 0; f < figures.size() && f < sheet.figures.size(); ++f) {
        Figure& figure = sheet.figures[f];
        figure.result = figures[f].result;
        figure.label = resultLabel(*layout, figure.result);
        figure.shownText = shown[figure.result];
        figure.decimals = sections::resultDecimals(figure.result);
        figure.paperText = paperNumber(figure.shownText, figure.decimals);
        for (const StepRule& rule : figures[f].steps) {
            if (!terms.formed(rule.term)) {
                throw std::logic_error("the sheet shows a quantity the formula does not form: " +
                                       std::string(rule.symbol));
            }
            Step step;
            step.name = rule.name;
            step.symbol = rule.symbol;
            step.unit = rule.unit;
            step.formula = pieces(rule.formula, known);
            step.value = terms[rule.term];
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
