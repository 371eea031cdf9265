#include "book/book_html.h"

#include "book/book_texts.h"
#include "review/review_texts.h"
#include "sheet/html_text.h"
#include "sheet/sheet_texts.h"

namespace dravik::book {
namespace {

using sheet::escapedHtml;
using sheet::texts::filled;

std::string td(const std::string& text, std::string_view attributes = {}) {
    return filled("<td %1>%2</td>", {attributes, escapedHtml(text)});
}

}  // namespace

std::string coverHtml(const review::TitleBlock& block, const std::string& programLine) {
    std::string h = "<p style=\"margin-top: 180px\" align=\"center\"><span style=\"font-size: 24pt\">" +
                    escapedHtml(block.project) + "</span></p>";
    h += filled("<h1 align=\"center\">%1</h1>", {escapedHtml(block.building) + " " + std::string(texts::kBookTitle)});
    h += "<table align=\"center\" cellpadding=\"6\" style=\"margin-top: 60px\">";
    for (const review::TitleField& field : review::titleFields()) {
        if (field.member == &review::TitleBlock::memberId || field.member == &review::TitleBlock::floor) continue;
        h += "<tr>" + td(std::string(field.label)) + td(block.*field.member) + "</tr>";
    }
    h += "</table>";
    h += "<p align=\"center\" style=\"margin-top: 60px\">" + escapedHtml(programLine) + "</p>";
    return h;
}

std::string summaryHtml(const std::vector<SummaryEntry>& entries, const std::array<std::string, 3>& resultTitles,
                        const BookCounts& counts) {
    std::string h = filled("<h2 align=\"center\">%1</h2>", {texts::kSummaryTitle});
    h += "<p>" +
         escapedHtml(filled(texts::kCoverCounts,
                            {std::to_string(counts.rows), std::to_string(counts.calculated), std::to_string(counts.met),
                             std::to_string(counts.notMet), std::to_string(counts.rows - counts.calculated)})) +
         "</p>";
    h += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\"><thead><tr>";
    const std::string_view* columns = texts::kSummaryColumns;
    for (std::string_view title : {columns[0], columns[1], columns[2]}) h += filled("<th>%1</th>", {title});
    for (const std::string& title : resultTitles) h += filled("<th>%1</th>", {escapedHtml(title)});
    h += filled("<th>%1</th></tr></thead>", {columns[3]});
    for (const SummaryEntry& e : entries) {
        h += "<tr>" + td(std::to_string(e.record), "align=\"right\"") + td(e.memberId) + td(e.shape);
        if (e.calculated) {
            for (const std::string& result : e.results) h += td(result, "align=\"right\"");
            h += td(e.verdict);
        } else {
            h += td(filled(texts::kNotCalculated, {e.why}), "colspan=\"4\"");
        }
        h += "</tr>";
    }
    return h + "</table>";
}

}  // namespace dravik::book
