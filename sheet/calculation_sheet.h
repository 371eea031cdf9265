// The calculation sheet (计算书) of one press of "计算": every input as typed
// and as read, how each of the three results was obtained, step by step, and
// the results as the window shows them. Qt-free, so that it is checked
// without a display and any front end can show it; the windows render it
// (see sheet_html.h).
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "layouts/windows.h"
#include "review/design_check.h"
#include "review/title_block.h"
#include "sections/section_shape.h"

namespace dravik::sheet {

// One input of the window.
struct InputRow {
    std::string name;       // the field's name: "a", "zj1zj" …
    std::string label;      // the window's label text: "长度a（mm）"
    std::string symbol;     // the symbol the formulas use: "a", "d1", "t" …
    std::string fieldText;  // the field text as typed
    double value = 0;       // what the text-to-number rule read from it
    std::string valueText;  // that value, written in full
    std::string unit;       // "mm" or "根"
    // The text is not wholly a number (text after the number, or no number
    // at all): the value used is what the rule read from its beginning.
    bool notWhollyNumber = false;
};

// A piece of a formula: literal text ("(", " × ", "2") or an operand, a
// named input or an earlier step, written by its symbol or by its value.
struct FormulaPiece {
    std::string text;  // the literal text, or the operand's symbol
    bool operand = false;
    double value = 0;       // the operand's value
    std::string valueText;  // the operand's value as the sheet writes it
};

// One quantity the formula formed.
struct Step {
    std::string name;    // "纵筋1单根面积"
    std::string symbol;  // "Ab1"
    std::vector<FormulaPiece> formula;
    double value = 0;  // exactly the value the calculation formed
    std::string valueText;
    std::string unit;  // "mm²", "mm", "%" …

    std::string inSymbols() const;   // the formula as its definition writes it
    std::string withValues() const;  // the same with each operand's value in place of its symbol
};

// One of the three results, with the steps that lead to it.
struct Figure {
    sections::Result result;
    std::string label;  // the window's label of the result box
    std::vector<Step> steps;
    std::string shownText;  // exactly as the result box shows it: " 3996", "—"
    // The same rounded number as an engineer writes it: "3996", "0.74", "1.00".
    std::string paperText;
    int decimals = 0;  // the places the display rule keeps
    // For a dash: which divisor was zero, or what overflowed; else empty.
    std::string explanation;
};

struct CalculationSheet {
    std::string title;          // "暗柱计算书"
    std::string typeName;       // "暗柱"
    std::string windowCaption;  // the calculator window's caption
    std::string dateTime;       // as passed in
    std::string programLine;    // "Dravik 1.2.0"
    layouts::StoredPicture diagram = layouts::StoredPicture::NoPicture;
    std::vector<InputRow> inputs;     // in the window's input order
    std::array<Figure, 3> figures{};  // zjmj, zjl, tjpgl
    std::string disclaimer;           // the window's disclaimer text
    review::TitleBlock titleBlock;    // empty: the sheet has no title block
    review::DesignCheck check;        // nothing to check: no 验算 section
};

// Makes the sheet from the window's field texts (one per input, in the order
// of the shape's inputs), reading each once through the text-to-number rule
// and evaluating the shape's formula once, as "计算" does. `dateTime` and
// `version` are written as given.
CalculationSheet makeSheet(const sections::SectionShape& shape, std::span<const std::string_view> fieldTexts,
                           std::string_view dateTime, std::string_view version);

// The same rounded number as the window's text `shown` (of a result kept to
// `decimals` places), written as on paper: no blank before it, "0" before
// the point, every place written. " .74" -> "0.74", " 1" -> "1.00" (two
// places), " 3996" -> "3996" (none), "—" stays.
std::string paperNumber(std::string_view shown, int decimals);

// The sheet's figures for a spreadsheet: a row of titles (形状, 构件编号,
// the input labels, then the result labels, as dravik-batch reads them) and a
// row of values (the shape's name, the member id, the field texts as typed,
// then the result texts as shown), cells separated by tabs, each row ended
// by a line feed. A cell holding a tab, a line break or a leading quote is
// quoted, its quotes doubled, so that it stays one cell.
std::string tabSeparatedRows(const CalculationSheet& sheet);

// How the sheet writes an intermediate value: ten significant digits, no
// trailing zeros, "—" for a value that is not finite. 113.09733600000001 ->
// "113.0973336", 1e20 -> "1e+20".
std::string intermediateText(double value);

}  // namespace dravik::sheet
