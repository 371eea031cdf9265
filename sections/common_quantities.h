// The quantities every section formula is built from: π, the area of a bar
// and a core dimension. Each is written once for any number type of the
// formulas (FiniteOrNan, UncheckedNumber).
#pragma once

namespace dravik::sections {

// π as the formulas use it: this constant, not the full-precision value.
inline constexpr double kPi = 3.1415926;

// Cross-section area of one bar, mm²: ((π × d) × d) / 4, in that order.
template <class Number>
Number barArea(Number diameter) {
    return ((kPi * diameter) * diameter) / 4.0;
}

// A section dimension less the cover on both faces: x − (2 × cover).
template <class Number>
Number coreDimension(Number x, Number cover) {
    return x - (2.0 * cover);
}

}  // namespace dravik::sections
