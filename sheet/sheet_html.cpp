#include "sheet/sheet_html.h"

#include <string_view>

#include "sheet/html_text.h"
#include "sheet/review_html.h"
#include "sheet/sheet_review.h"
#include "sheet/sheet_texts.h"
#include "text_rules/visible_text.h"

namespace dravik::sheet {
namespace {

using texts::filled;

constexpr std::string_view kMark = "※";

std::string esc(std::string_view text) { return escapedHtml(text); }

// A text the user typed, on the page: its control and format characters
// written visibly, so that none can reorder or hide in the sheet's sentences.
std::string typed(std::string_view text) { return esc(text_rules::visibleText(text)); }

std::string cell(std::string_view html, std::string_view attributes = {}) {
    return filled(attributes.empty() ? "<td>%2</td>" : "<td %1>%2</td>", {attributes, html});
}

std::string stepLine(const Step& step) {
    return filled("%1　%2 = %3 = %4 = %5 %6", {esc(step.name), esc(step.symbol), esc(step.inSymbols()),
                                               esc(step.withValues()), esc(step.valueText), esc(step.unit)});
}

// How the result was rounded, in plain words.
std::string_view roundedHow(int decimals) { return decimals == 0 ? texts::kRoundedWhole : texts::kRoundedTwoPlaces; }

}  // namespace

std::string sheetHtml(const CalculationSheet& s, const DiagramImage& diagram) {
    std::string h;
    h += filled("<h2 align=\"center\">%1</h2>", {esc(s.title)});
    const bool reviewed = isReviewed(s);
    h += filled(reviewed ? "<p align=\"center\">%1　%2　%3</p>" : "<p align=\"center\">%1<br/>%2　%3</p>",
                {esc(s.windowCaption), esc(s.dateTime), esc(s.programLine)});
    const std::string stepClass = reviewed ? "<p class=\"tight\">" : "<p class=\"step\">";
    h += titleBlockHtml(s.titleBlock);

    h += filled("<h3>%1</h3>", {texts::kDiagramAndResults});
    std::string image;
    if (!diagram.source.empty()) {
        image = filled("<img src=\"%1\" width=\"%2\" height=\"%3\"/>",
                       {esc(diagram.source), std::to_string(diagram.width), std::to_string(diagram.height)});
    }
    h += filled(
        "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>"
        "<td width=\"60%\" align=\"center\" valign=\"middle\">%1</td>",
        {image});
    h += "<td valign=\"middle\"><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">";
    for (const Figure& figure : s.figures) {
        h += "<tr>" + cell(esc(figure.label)) + cell("<b>" + esc(figure.paperText) + "</b>", "align=\"right\"") +
             "</tr>";
    }
    h += "</table></td></tr></table>";

    h += filled("<h3>%1</h3>", {texts::kInputs});
    h += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"1\" width=\"100%\"><tr>";
    std::string header;
    for (std::string_view column : texts::kInputColumns) header += filled("<th>%1</th>", {column});
    h += header + header + "</tr>";
    // Two inputs a row, in the window's order down the left half first.
    const std::size_t rows = (s.inputs.size() + 1) / 2;
    for (std::size_t r = 0; r < rows; ++r) {
        h += "<tr>";
        for (std::size_t i : {r, r + rows}) {
            if (i >= s.inputs.size()) {
                h += "<td colspan=\"5\"></td>";
                continue;
            }
            const InputRow& row = s.inputs[i];
            std::string field = typed(row.fieldText);
            if (row.notWhollyNumber) field += " " + std::string(kMark);
            h += cell(esc(row.label)) + cell(esc(row.symbol), "align=\"center\"") + cell(field) +
                 cell(esc(row.valueText), "align=\"right\"") + cell(esc(row.unit), "align=\"center\"");
        }
        h += "</tr>";
    }
    h += "</table>";
    for (const InputRow& row : s.inputs) {
        if (!row.notWhollyNumber) continue;
        h += "<p>" +
             filled(texts::kNotWhollyNumberNote, {kMark, esc(row.label), typed(row.fieldText), esc(row.valueText)}) +
             "</p>";
    }

    h += filled("<h3>%1</h3>", {texts::kSteps});
    int number = 1;
    for (const Figure& figure : s.figures) {
        h += filled("<p><b>%1. %2</b></p>", {std::to_string(number++), esc(figure.label)});
        for (const Step& step : figure.steps) h += stepClass + stepLine(step) + "</p>";
        std::string shown =
            filled(texts::kResultOnPaper, {roundedHow(figure.decimals), esc(figure.label), esc(figure.paperText)});
        if (std::string_view(figure.shownText).substr(figure.shownText.starts_with(' ') ? 1 : 0) != figure.paperText)
            shown += filled(texts::kWindowText, {esc(figure.shownText)});
        if (!figure.explanation.empty()) shown += filled(texts::kExplanation, {esc(figure.explanation)});
        h += stepClass + shown + "</p>";
    }
    h += checkHtml(s);
    h += (reviewed ? "<p>" : "<p class=\"disclaimer\">") + esc(s.disclaimer) + "</p>";
    return h;
}

}  // namespace dravik::sheet
