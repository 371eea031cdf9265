// The check of a section against the requirements the designer enters (验算):
// the volumetric hoop ratio against [ρv] = λv · fc / fyv, and the
// longitudinal ratio against ρmin. Qt-free, shared by the calculation sheet,
// the book of sheets and anything else that checks a row.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dravik::review {

// Design compressive strength fc of concrete (GB 50010-2010 表 4.1.4-1), N/mm².
struct ConcreteGrade {
    std::string_view name;  // "C30"
    double fc;
};
std::span<const ConcreteGrade> concreteGrades();

// Design tensile strength fyv of hoop steel, N/mm².
struct HoopSteel {
    std::string_view name;  // "HRB400"
    double fyv;
};
std::span<const HoopSteel> hoopSteels();

// Below this grade the hoop requirement takes this grade's fc (JGJ 3-2010
// 7.2.15).
inline constexpr std::string_view kLowestGradeForHoops = "C35";

// The requirements as entered; an empty text is a requirement not given.
// Grade and steel names are matched with case and blanks not counting.
struct Requirements {
    std::string concreteGrade;  // "C30"
    std::string hoopSteel;      // "HRB400"
    std::string lambdaV;        // required 配箍特征值 λv, "0.20"
    std::string rhoMin;         // required minimum longitudinal ratio, in %

    bool empty() const { return concreteGrade.empty() && hoopSteel.empty() && lambdaV.empty() && rhoMin.empty(); }
};

// One requirement: its label, as the dialog shows it and a building file's
// column is titled, and where it is kept.
struct RequirementField {
    std::string_view label;
    std::string Requirements::*member;
};
inline constexpr std::size_t kRequirementCount = 4;
std::span<const RequirementField> requirementFields();

// The hoop check: every value as it enters [ρv] = λv · fc / fyv.
struct HoopCheck {
    const ConcreteGrade* grade = nullptr;      // as entered
    const ConcreteGrade* gradeUsed = nullptr;  // kLowestGradeForHoops when `grade` is below it
    const HoopSteel* steel = nullptr;
    double lambdaV = 0;
    std::string lambdaVText;  // as entered, blanks aside: "0.20"
    double required = 0;      // [ρv] in %: λv × fc / fyv × 100, in that order
    double actual = 0;        // ρv in %, as the calculation formed it
    bool met = false;         // actual ≥ required

    bool gradeRaised() const { return grade != gradeUsed; }
};

// The longitudinal check: ρ ≥ ρmin, both in %.
struct RatioCheck {
    double required = 0;
    std::string requiredText;  // as entered, blanks aside: "1.00"
    double actual = 0;
    bool met = false;
};

struct DesignCheck {
    std::optional<HoopCheck> hoop;    // when grade, steel and λv are all given
    std::optional<RatioCheck> ratio;  // when ρmin is given
    // What in the requirements cannot be used, in the user's words; empty
    // when everything given can be.
    std::string problem;

    bool any() const { return hoop || ratio; }
    bool met() const { return (!hoop || hoop->met) && (!ratio || ratio->met); }
};

// Checks the section's ratios (in %, as the calculation formed them) against
// `requirements`. Nothing is checked that was not asked for; a requirement
// that is incomplete or unreadable is named in `problem` and not checked. A
// ratio that is not a number meets no requirement.
DesignCheck checkSection(const Requirements& requirements, double hoopRatioPercent, double longitudinalRatioPercent);

// The grade or steel named by `text`, or nullptr.
const ConcreteGrade* findGrade(std::string_view text);
const HoopSteel* findSteel(std::string_view text);

// "满足" or "不满足".
std::string_view verdict(bool met);

// The check in a few words, for a summary table or a batch row: "满足";
// "不满足（…）" naming every check that failed; "未验算" when nothing was
// checked, or when a requirement could not be used and nothing checked
// failed (so that an incomplete check never reads as a pass).
std::string checkVerdict(const DesignCheck& check);

}  // namespace dravik::review
