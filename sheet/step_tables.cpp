// The sheet's formulas of the four shapes. The sheet tests evaluate every
// formula written here with the values the calculation formed and require
// the calculation's value to the last bit, so a formula written here in a
// different order from the code cannot go unnoticed.
#include "sheet/step_tables.h"

#include <iterator>

namespace dravik::sheet {
namespace {

using sections::Result;
using sections::Term;

constexpr InputSymbol kInputSymbols[] = {
    {"a", "a", "mm"},     {"b", "b", "mm"},      {"c", "c", "mm"},      {"d", "d", "mm"},      {"e", "e", "mm"},
    {"f", "f", "mm"},     {"zj1zj", "d1", "mm"}, {"zj2zj", "d2", "mm"}, {"zj1sl", "n1", "根"}, {"zj2sl", "n2", "根"},
    {"dgzj", "do", "mm"}, {"xgzj", "di", "mm"},  {"hxsl", "na", "根"},  {"zxsl", "nb", "根"},  {"asl", "na", "根"},
    {"bsl", "nb", "根"},  {"csl", "nc", "根"},   {"dsl", "nd", "根"},   {"esl", "ne", "根"},   {"fsl", "nf", "根"},
    {"gjjj", "s", "mm"},  {"bhhd", "t", "mm"},
};

// Every shape: the two bar areas and their sum.
constexpr StepRule kSteel[] = {
    {Term::BarArea1, "Ab1", "纵筋1单根面积", "((π × d1) × d1) / 4", "mm²"},
    {Term::BarArea2, "Ab2", "纵筋2单根面积", "((π × d2) × d2) / 4", "mm²"},
    {Term::SteelArea, "As", "纵筋总面积", "(Ab1 × n1) + (Ab2 × n2)", "mm²"},
};

constexpr StepRule kCoreA{Term::CoreA, "a′", "核心尺寸", "a - (2 × t)", "mm"};
constexpr StepRule kCoreB{Term::CoreB, "b′", "核心尺寸", "b - (2 × t)", "mm"};
constexpr StepRule kCoreC{Term::CoreC, "c′", "核心尺寸", "c - (2 × t)", "mm"};
constexpr StepRule kCoreD{Term::CoreD, "d′", "核心尺寸", "d - (2 × t)", "mm"};
constexpr StepRule kCoreE{Term::CoreE, "e′", "核心尺寸", "e - (2 × t)", "mm"};
constexpr StepRule kCoreF{Term::CoreF, "f′", "核心尺寸", "f - (2 × t)", "mm"};
constexpr StepRule kOuterBar{Term::OuterBarArea, "Ao", "大箍单根面积", "((π × do) × do) / 4", "mm²"};
constexpr StepRule kInnerBar{Term::InnerBarArea, "Ai", "小箍、拉筋单根面积", "((π × di) × di) / 4", "mm²"};
constexpr StepRule kNumerator{Term::Numerator, "V", "一组箍筋体积", "(Ao × Lo) + (Ai × Li)", "mm³"};
constexpr StepRule kRatioOverGross{Term::LongitudinalRatio, "ρ", "纵筋率", "(As / A) × 100", "%"};
constexpr StepRule kHoopRatioOverCore{Term::HoopRatio, "ρv", "体积配箍率", "((V / Ac) / s) × 100", "%"};

// 暗柱: the rectangle divides by each side, and by each core side, in turn.
constexpr StepRule kRectangleRatio[] = {
    {Term::LongitudinalRatio, "ρ", "纵筋率", "((As / a) / b) × 100", "%"},
};
constexpr StepRule kRectangleHoops[] = {
    kCoreA,
    kCoreB,
    {Term::OuterHoopLength, "Lo", "外箍长度", "(2 × a′) + (2 × b′)", "mm"},
    {Term::InnerLegLength, "Li", "内箍及拉筋长度", "((na - 2) × a′) + ((nb - 2) × b′)", "mm"},
    kOuterBar,
    kInnerBar,
    kNumerator,
    {Term::HoopRatio, "ρv", "体积配箍率", "(((V / a′) / b′) / s) × 100", "%"},
};

// L形转角柱 and 翼柱: a limb a long and c high, a limb d wide, b high in all.
constexpr StepRule kTwoLimbRatio[] = {
    {Term::GrossArea, "A", "截面面积", "(a × c) + ((b - c) × d)", "mm²"},
    kRatioOverGross,
};
constexpr StepRule kTwoLimbCoreArea{Term::CoreArea, "Ac", "核心面积", "(a′ × c′) + (d′ × (b - c))", "mm²"};
constexpr StepRule kLShapeHoops[] = {
    kCoreA,
    kCoreB,
    kCoreC,
    kCoreD,
    {Term::OuterHoopLength, "Lo", "外箍长度", "(2 × a′) + (2 × b′) + c′ + d′", "mm"},
    {Term::InnerLegLength, "Li", "内箍及拉筋长度",
     "((na - 2) × a′) + ((nb - 2) × b′) + ((nc - 1) × c′) + ((nd - 1) × d′)", "mm"},
    kOuterBar,
    kInnerBar,
    kNumerator,
    kTwoLimbCoreArea,
    kHoopRatioOverCore,
};
constexpr StepRule kFlangedHoops[] = {
    kCoreA,
    kCoreB,
    kCoreC,
    kCoreD,
    {Term::OuterHoopLength, "Lo", "外箍长度", "(2 × a′) + (2 × b′) + (2 × c′) + d′", "mm"},
    {Term::InnerLegLength, "Li", "内箍及拉筋长度",
     "((na - 2) × a′) + ((nb - 2) × b′) + ((nc - 2) × c′) + ((nd - 1) × d′)", "mm"},
    kOuterBar,
    kInnerBar,
    kNumerator,
    kTwoLimbCoreArea,
    kHoopRatioOverCore,
};

// Z形转角柱: a bottom part a × d, a top part f × e, a middle part c wide.
constexpr StepRule kZShapeRatio[] = {
    {Term::GrossArea, "A", "截面面积", "((a × d) + (e × f)) + (c × ((b - e) - d))", "mm²"},
    kRatioOverGross,
};
constexpr StepRule kZShapeHoops[] = {
    kCoreA,
    kCoreB,
    kCoreC,
    kCoreD,
    kCoreE,
    kCoreF,
    {Term::OuterHoopLength, "Lo", "外箍长度", "(2 × a′) + (2 × b′) + (2 × f′) + d - (2 × t) + e - (2 × t)", "mm"},
    {Term::InnerLegLength, "Li", "内箍及拉筋长度",
     "((na - 2) × a′) + ((nb - 2) × b′) + ((nf - 2) × f′) + ((nd - 1) × d′) + ((ne - 1) × e′) + (nc × c′)", "mm"},
    kOuterBar,
    kInnerBar,
    kNumerator,
    {Term::CoreArea, "Ac", "核心面积", "((a′ × d′) + (f′ × e′)) + (c′ × (((b - e) - d) + (2 × t)))", "mm²"},
    kHoopRatioOverCore,
};

constexpr FigureRule kRectangle[] = {
    {Result::SteelArea, kSteel}, {Result::LongitudinalRatio, kRectangleRatio}, {Result::HoopRatio, kRectangleHoops}};
constexpr FigureRule kLShape[] = {
    {Result::SteelArea, kSteel}, {Result::LongitudinalRatio, kTwoLimbRatio}, {Result::HoopRatio, kLShapeHoops}};
constexpr FigureRule kFlanged[] = {
    {Result::SteelArea, kSteel}, {Result::LongitudinalRatio, kTwoLimbRatio}, {Result::HoopRatio, kFlangedHoops}};
constexpr FigureRule kZShape[] = {
    {Result::SteelArea, kSteel}, {Result::LongitudinalRatio, kZShapeRatio}, {Result::HoopRatio, kZShapeHoops}};

}  // namespace

std::span<const FigureRule> figureRules(std::string_view windowName) {
    if (windowName == "azpjl") return kRectangle;
    if (windowName == "lxzjzpjl") return kLShape;
    if (windowName == "yzpjl") return kFlanged;
    if (windowName == "zxzjzpjl") return kZShape;
    return {};
}

const InputSymbol* symbolOf(std::string_view inputName) {
    for (const InputSymbol& s : kInputSymbols) {
        if (s.name == inputName) return &s;
    }
    return nullptr;
}

}  // namespace dravik::sheet
