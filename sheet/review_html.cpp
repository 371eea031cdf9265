#include "sheet/review_html.h"

#include "review/review_texts.h"
#include "sheet/html_text.h"
#include "sheet/sheet_texts.h"

namespace dravik::sheet {
namespace {

using sheet::texts::filled;
namespace words = review::texts;

std::string stepParagraph(const std::string& text) { return "<p class=\"tight\">" + escapedHtml(text) + "</p>"; }

// "≥" for a requirement met, "<" for one not met (a "—" meets none).
std::string_view comparison(bool met) { return met ? words::kAtLeast : words::kBelow; }

}  // namespace

// Four fields a row: the title block takes two lines of the page.
constexpr std::size_t kFieldsPerRow = 4;

std::string titleBlockHtml(const review::TitleBlock& block) {
    if (block.empty()) return {};
    std::string h = "<table class=\"titleblock\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">";
    const auto fields = review::titleFields();
    for (std::size_t i = 0; i < fields.size(); i += kFieldsPerRow) {
        h += "<tr>";
        for (std::size_t j = i; j < i + kFieldsPerRow && j < fields.size(); ++j) {
            h += filled("<td width=\"11%\" nowrap>%1</td><td width=\"14%\">%2</td>",
                        {escapedHtml(fields[j].label), escapedHtml(block.*fields[j].member)});
        }
        h += "</tr>";
    }
    return h + "</table>";
}

std::string checkHtml(const CalculationSheet& s) {
    const review::DesignCheck& check = s.check;
    if (!check.any() && check.problem.empty()) return {};
    std::string h = filled("<h3>%1</h3>", {words::kCheckHeading});
    if (const auto& hoop = check.hoop) {
        const std::string fc = intermediateText(hoop->gradeUsed->fc);
        const std::string fyv = intermediateText(hoop->steel->fyv);
        const std::string required = intermediateText(hoop->required);
        if (hoop->gradeRaised())
            h += stepParagraph(filled(words::kGradeRaised, {hoop->grade->name, hoop->gradeUsed->name}));
        h += stepParagraph(filled(words::kFcStep, {fc, hoop->gradeUsed->name}));
        h += stepParagraph(filled(words::kFyvStep, {fyv, hoop->steel->name}));
        h += stepParagraph(filled(words::kRequiredHoopStep, {hoop->lambdaVText, fc, fyv, required}));
        h += stepParagraph(filled(words::kHoopVerdict, {intermediateText(hoop->actual), comparison(hoop->met), required,
                                                        review::verdict(hoop->met)}));
    }
    if (const auto& ratio = check.ratio) {
        h += stepParagraph(filled(words::kRatioVerdict, {intermediateText(ratio->actual), comparison(ratio->met),
                                                         ratio->requiredText, review::verdict(ratio->met)}));
    }
    if (!check.problem.empty()) h += stepParagraph(filled(words::kNotChecked, {check.problem}));
    if (check.any())
        h += "<p class=\"tight\"><b>" + escapedHtml(filled(words::kConclusion, {review::verdict(check.met())})) +
             "</b></p>";
    h += stepParagraph(std::string(words::kRequirementsNote));
    return h;
}

}  // namespace dravik::sheet
