#include "review/design_check.h"

#include <cmath>
#include <iterator>

#include "review/review_texts.h"
#include "sheet/sheet_texts.h"
#include "text_rules/text_rules.h"

namespace dravik::review {
namespace {

constexpr ConcreteGrade kGrades[] = {
    {"C20", 9.6},  {"C25", 11.9}, {"C30", 14.3}, {"C35", 16.7}, {"C40", 19.1}, {"C45", 21.1}, {"C50", 23.1},
    {"C55", 25.3}, {"C60", 27.5}, {"C65", 29.7}, {"C70", 31.8}, {"C75", 33.8}, {"C80", 35.9},
};

constexpr HoopSteel kSteels[] = {
    {"HPB300", 270}, {"HRB400", 360}, {"HRBF400", 360}, {"RRB400", 360}, {"HRB500", 435}, {"HRBF500", 435},
};

// `text` without blanks (ASCII and full-width), ASCII letters upper case.
std::string comparable(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' || text[i] == '\t') continue;
        if (text.substr(i).starts_with("\u3000")) {
            i += 2;
            continue;
        }
        const char c = text[i];
        out += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    return out;
}

constexpr RequirementField kRequirementFields[] = {
    {texts::kGradeLabel, &Requirements::concreteGrade},
    {texts::kSteelLabel, &Requirements::hoopSteel},
    {texts::kLambdaLabel, &Requirements::lambdaV},
    {texts::kRhoMinLabel, &Requirements::rhoMin},
};
static_assert(std::size(kRequirementFields) == kRequirementCount);

template <typename Entry>
const Entry* findIn(std::span<const Entry> entries, std::string_view text) {
    const std::string key = comparable(text);
    for (const Entry& entry : entries) {
        if (entry.name == key) return &entry;
    }
    return nullptr;
}

// A requirement's number: the whole text must be one, as a calculated cell's.
std::optional<double> requirementNumber(std::string_view text) {
    if (!text_rules::isWhollyNumber(text)) return std::nullopt;
    const double value = text_rules::readNumber(text);
    if (!std::isfinite(value) || value < 0) return std::nullopt;
    return value;
}

void addProblem(std::string& problems, const std::string& problem) {
    if (!problems.empty()) problems += "；";
    problems += problem;
}

}  // namespace

std::span<const ConcreteGrade> concreteGrades() { return kGrades; }
std::span<const HoopSteel> hoopSteels() { return kSteels; }
const ConcreteGrade* findGrade(std::string_view text) { return findIn<ConcreteGrade>(kGrades, text); }
const HoopSteel* findSteel(std::string_view text) { return findIn<HoopSteel>(kSteels, text); }
std::string_view verdict(bool met) { return met ? texts::kMet : texts::kNotMet; }
std::span<const RequirementField> requirementFields() { return kRequirementFields; }

std::string checkVerdict(const DesignCheck& check) {
    std::string failed;
    auto add = [&failed](std::string_view what) {
        if (!failed.empty()) failed += texts::kSeparator;
        failed += what;
    };
    if (check.hoop && !check.hoop->met) add(texts::kHoopFailed);
    if (check.ratio && !check.ratio->met) add(texts::kRatioFailed);
    if (!failed.empty()) return sheet::texts::filled(texts::kFailedChecks, {failed});
    if (!check.any() || !check.problem.empty()) return std::string(texts::kUnchecked);
    return std::string(texts::kMet);
}

DesignCheck checkSection(const Requirements& req, double hoopRatioPercent, double longitudinalRatioPercent) {
    using sheet::texts::filled;
    DesignCheck check;
    const bool anyHoop = !req.concreteGrade.empty() || !req.hoopSteel.empty() || !req.lambdaV.empty();
    if (anyHoop) {
        const ConcreteGrade* grade = findGrade(req.concreteGrade);
        const HoopSteel* steel = findSteel(req.hoopSteel);
        const std::optional<double> lambdaV = requirementNumber(req.lambdaV);
        if (req.concreteGrade.empty() || req.hoopSteel.empty() || req.lambdaV.empty()) {
            addProblem(check.problem, std::string(texts::kHoopIncomplete));
        } else if (grade == nullptr) {
            addProblem(check.problem, filled(texts::kUnknownGrade, {req.concreteGrade}));
        } else if (steel == nullptr) {
            addProblem(check.problem, filled(texts::kUnknownSteel, {req.hoopSteel}));
        } else if (!lambdaV) {
            addProblem(check.problem, filled(texts::kNotANumber, {texts::kLambdaLabel, req.lambdaV}));
        } else {
            HoopCheck hoop;
            hoop.grade = grade;
            const ConcreteGrade* lowest = findGrade(kLowestGradeForHoops);
            hoop.gradeUsed = grade->fc < lowest->fc ? lowest : grade;
            hoop.steel = steel;
            hoop.lambdaV = *lambdaV;
            hoop.lambdaVText = comparable(req.lambdaV);
            // The fraction first, then in per cent, as the sheet writes it.
            hoop.required = *lambdaV * hoop.gradeUsed->fc / steel->fyv * 100.0;
            hoop.actual = hoopRatioPercent;
            hoop.met = hoopRatioPercent >= hoop.required;
            check.hoop = hoop;
        }
    }
    if (!req.rhoMin.empty()) {
        if (const std::optional<double> rhoMin = requirementNumber(req.rhoMin)) {
            check.ratio = RatioCheck{*rhoMin, comparable(req.rhoMin), longitudinalRatioPercent,
                                     longitudinalRatioPercent >= *rhoMin};
        } else {
            addProblem(check.problem, filled(texts::kNotANumber, {texts::kRhoMinLabel, req.rhoMin}));
        }
    }
    return check;
}

}  // namespace dravik::review
