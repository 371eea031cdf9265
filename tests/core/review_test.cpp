// The check against the designer's requirements and the title block's
// names: worked examples with their values written out.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "review/design_check.h"
#include "review/title_block.h"

namespace {

using namespace dravik::review;

struct HoopCase {
    const char* grade;
    const char* steel;
    const char* lambdaV;
    const char* gradeUsed;
    double fc;
    double fyv;
    double required;  // [ρv] in %
};

// Below C35 the grade is raised to C35; names match whatever the case and blanks.
constexpr HoopCase kHoopCases[] = {
    {"C30", "HRB400", "0.20", "C35", 16.7, 360, 0.92777777777777781},
    {"c20 ", " hpb300", "0.1", "C35", 16.7, 270, 0.61851851851851847},
    {"C35", "RRB400", "0.2", "C35", 16.7, 360, 0.92777777777777781},
    {"C40", "HPB300", "0.15", "C40", 19.1, 270, 1.0611111111111111},
    {"C80", "HRBF500", "0.24", "C80", 35.9, 435, 1.9806896551724138},
};

TEST(DesignCheck, RequiredHoopRatioIsLambdaTimesFcOverFyv) {
    for (const HoopCase& c : kHoopCases) {
        const DesignCheck check = checkSection({c.grade, c.steel, c.lambdaV, ""}, 1.0, 1.0);
        ASSERT_TRUE(check.hoop) << c.grade << " " << check.problem;
        EXPECT_EQ(check.hoop->gradeUsed->name, c.gradeUsed) << c.grade;
        EXPECT_EQ(check.hoop->gradeUsed->fc, c.fc) << c.grade;
        EXPECT_EQ(check.hoop->steel->fyv, c.fyv) << c.steel;
        EXPECT_DOUBLE_EQ(check.hoop->required, c.required) << c.grade;
        EXPECT_FALSE(check.ratio);
        EXPECT_TRUE(check.problem.empty());
    }
}

struct VerdictCase {
    double hoopRatio;
    double ratio;
    bool hoopMet;
    bool ratioMet;
};

TEST(DesignCheck, MetOnlyAtOrAboveTheRequirement) {
    // C30/HRB400/λv 0.20 needs 0.9277…%; ρmin 1.00%.
    constexpr VerdictCase kCases[] = {
        {0.93, 1.00, true, true},
        {0.9277, 1.25, false, true},
        {1.19, 0.99, true, false},
        {0.74, 0.5, false, false},
        {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(), false, false},
    };
    for (const VerdictCase& c : kCases) {
        const DesignCheck check = checkSection({"C30", "HRB400", "0.20", "1.00"}, c.hoopRatio, c.ratio);
        ASSERT_TRUE(check.hoop && check.ratio);
        EXPECT_EQ(check.hoop->met, c.hoopMet) << c.hoopRatio;
        EXPECT_EQ(check.ratio->met, c.ratioMet) << c.ratio;
        EXPECT_EQ(check.met(), c.hoopMet && c.ratioMet);
        EXPECT_EQ(verdict(check.met()), c.hoopMet && c.ratioMet ? "满足" : "不满足");
    }
}

TEST(DesignCheck, OnlyWhatWasAskedIsCheckedAndAnUnusableRequirementIsNamed) {
    struct Case {
        Requirements req;
        bool hoop;
        bool ratio;
        const char* problem;  // a piece of it, or "" for none
    };
    const Case kCases[] = {
        {{}, false, false, ""},
        {{"", "", "", "0.8"}, false, true, ""},
        {{"C30", "", "", ""}, false, false, "三项"},
        {{"C33", "HRB400", "0.2", ""}, false, false, "“C33”"},
        {{"C30", "HRB335", "0.2", ""}, false, false, "“HRB335”"},
        {{"C30", "HRB400", "0.2x", "0.8"}, false, true, "“0.2x”"},
        {{"C30", "HRB400", "0.2", "-1"}, true, false, "“-1”"},
    };
    for (const Case& c : kCases) {
        const DesignCheck check = checkSection(c.req, 1.0, 1.0);
        EXPECT_EQ(bool(check.hoop), c.hoop) << check.problem;
        EXPECT_EQ(bool(check.ratio), c.ratio) << check.problem;
        EXPECT_EQ(check.any(), c.hoop || c.ratio);
        if (*c.problem == '\0')
            EXPECT_EQ(check.problem, "");
        else
            EXPECT_NE(check.problem.find(c.problem), std::string::npos) << check.problem;
    }
}

TEST(TitleBlock, ProposedFileNameAndFooter) {
    EXPECT_EQ(proposedFileName("GBZ1", "暗柱"), "GBZ1-暗柱-计算书.pdf");
    EXPECT_EQ(proposedFileName("", "L形转角柱"), "L形转角柱-计算书.pdf");
    EXPECT_EQ(proposedFileName("A/B\n", "翼柱"), "A_B_-翼柱-计算书.pdf");
    EXPECT_EQ(pageFooter(1, 3), "第 1 页 共 3 页");
    TitleBlock block;
    EXPECT_TRUE(block.empty());
    block.reviewer = "王";
    EXPECT_FALSE(block.empty());
}

}  // namespace
