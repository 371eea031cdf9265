// The quantities every section formula is built from: π, the area of a bar,
// the steel area of the two bar groups and a core dimension.
#pragma once

#include "sections/finite_or_nan.h"

namespace dravik::sections {

// π as the formulas use it: this constant, not the full-precision value.
inline constexpr double kPi = 3.1415926;

// Cross-section area of one bar, mm²: ((π × d) × d) / 4, in that order.
inline FiniteOrNan barArea(FiniteOrNan diameter) { return ((kPi * diameter) * diameter) / 4.0; }

// Area of all longitudinal bars, mm²: group 1 first, then group 2 added.
inline FiniteOrNan steelArea(FiniteOrNan diameter1, FiniteOrNan count1, FiniteOrNan diameter2, FiniteOrNan count2) {
    return (barArea(diameter1) * count1) + (barArea(diameter2) * count2);
}

// A section dimension less the cover on both faces: x − (2 × cover).
inline FiniteOrNan coreDimension(FiniteOrNan x, FiniteOrNan cover) { return x - (2.0 * cover); }

}  // namespace dravik::sections
