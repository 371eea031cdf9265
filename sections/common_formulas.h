// What the formulas of the four section shapes share: the symbols of the
// inputs and of the quantities the steps form, the area of a bar, a core
// dimension, and the steps that every shape, or the L-shaped and the flanged
// column alike, take. Each shape's file lists its steps (sections/formula.h
// says how they are read).
#pragma once

#include "sections/formula.h"

namespace dravik::sections::formula {

// The inputs, by the symbols of their fields (sections/common_inputs.h).
inline constexpr Input a{"a"}, b{"b"}, c{"c"}, d{"d"}, e{"e"}, f{"f"};
inline constexpr Input d1{"d1"}, d2{"d2"}, n1{"n1"}, n2{"n2"};
inline constexpr Input dOuter{"do"}, dInner{"di"};
inline constexpr Input na{"na"}, nb{"nb"}, nc{"nc"}, nd{"nd"}, ne{"ne"}, nf{"nf"};
inline constexpr Input s{"s"}, t{"t"};

// The quantities the steps form: symbol, name and unit on the sheet.
inline constexpr Quantity Ab1{Term::BarArea1, "Ab1", "纵筋1单根面积", "mm²"};
inline constexpr Quantity Ab2{Term::BarArea2, "Ab2", "纵筋2单根面积", "mm²"};
inline constexpr Quantity As{Term::SteelArea, "As", "纵筋总面积", "mm²"};
inline constexpr Quantity A{Term::GrossArea, "A", "截面面积", "mm²"};
inline constexpr Quantity rho{Term::LongitudinalRatio, "ρ", "纵筋率", "%"};
inline constexpr Quantity aCore{Term::CoreA, "a′", "核心尺寸", "mm"};
inline constexpr Quantity bCore{Term::CoreB, "b′", "核心尺寸", "mm"};
inline constexpr Quantity cCore{Term::CoreC, "c′", "核心尺寸", "mm"};
inline constexpr Quantity dCore{Term::CoreD, "d′", "核心尺寸", "mm"};
inline constexpr Quantity eCore{Term::CoreE, "e′", "核心尺寸", "mm"};
inline constexpr Quantity fCore{Term::CoreF, "f′", "核心尺寸", "mm"};
inline constexpr Quantity Lo{Term::OuterHoopLength, "Lo", "外箍长度", "mm"};
inline constexpr Quantity Li{Term::InnerLegLength, "Li", "内箍及拉筋长度", "mm"};
inline constexpr Quantity Ao{Term::OuterBarArea, "Ao", "大箍单根面积", "mm²"};
inline constexpr Quantity Ai{Term::InnerBarArea, "Ai", "小箍、拉筋单根面积", "mm²"};
inline constexpr Quantity V{Term::HoopVolume, "V", "一组箍筋体积", "mm³"};
inline constexpr Quantity Ac{Term::CoreArea, "Ac", "核心面积", "mm²"};
inline constexpr Quantity rhoV{Term::HoopRatio, "ρv", "体积配箍率", "%"};

// The cross-section area of one bar of the given diameter, mm².
constexpr auto barArea(Input diameter) { return ((pi * diameter) * diameter) / 4; }
// A section dimension less the cover on both faces, mm.
constexpr auto core(Input x) { return x - (2 * t); }

// Every shape: the two bar areas and their sum, zjmj.
inline constexpr auto kSteelFigure = figure(Step{Ab1, barArea(d1)}, Step{Ab2, barArea(d2)},  //
                                            Step{As, (Ab1 * n1) + (Ab2 * n2)});

inline constexpr Step kCoreA{aCore, core(a)};
inline constexpr Step kCoreB{bCore, core(b)};
inline constexpr Step kCoreC{cCore, core(c)};
inline constexpr Step kCoreD{dCore, core(d)};
inline constexpr Step kCoreE{eCore, core(e)};
inline constexpr Step kCoreF{fCore, core(f)};
inline constexpr Step kOuterBarArea{Ao, barArea(dOuter)};
inline constexpr Step kInnerBarArea{Ai, barArea(dInner)};
inline constexpr Step kHoopVolume{V, (Ao * Lo) + (Ai * Li)};

// Every shape but the rectangle, which divides by each side in turn.
inline constexpr Step kRatioOverGrossArea{rho, (As / A) * 100};
inline constexpr Step kHoopRatioOverCoreArea{rhoV, ((V / Ac) / s) * 100};

// L形转角柱 and 翼柱: a limb a long and c high, and a limb d wide reaching
// up to the total height b. The core of the upper limb is as high as the
// limb itself above c: no cover is taken off there.
inline constexpr Step kTwoLimbGrossArea{A, (a * c) + ((b - c) * d)};
inline constexpr Step kTwoLimbCoreArea{Ac, (aCore * cCore) + (dCore * (b - c))};

}  // namespace dravik::sections::formula
