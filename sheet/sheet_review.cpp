#include "sheet/sheet_review.h"

#include <limits>

namespace dravik::sheet {

double resultValue(const CalculationSheet& sheet, sections::Result result) {
    for (const Figure& figure : sheet.figures) {
        // A figure's last step forms its result.
        if (figure.result == result && !figure.steps.empty()) return figure.steps.back().value;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

bool isReviewed(const CalculationSheet& sheet) {
    return !sheet.titleBlock.empty() || sheet.check.any() || !sheet.check.problem.empty();
}

void addReview(CalculationSheet& sheet, const review::TitleBlock& titleBlock,
               const review::Requirements& requirements) {
    sheet.titleBlock = titleBlock;
    sheet.check = review::checkSection(requirements, resultValue(sheet, sections::Result::HoopRatio),
                                       resultValue(sheet, sections::Result::LongitudinalRatio));
}

}  // namespace dravik::sheet
