// The arithmetic of the section formulas: every value is finite or NaN.
#pragma once

#include <cmath>
#include <limits>

namespace dravik::sections {

// A double whose + - * / are the plain IEEE double operations, except that a
// result that is not finite (an overflow, a division by zero, 0/0) becomes
// NaN, and NaN then carries through every later operation: hence the name,
// a value is always finite or NaN, never infinite. So a result is
// either the exact double of its formula or NaN: an overflowed divisor can
// never turn into a misleading 0, and the display shows the dash instead.
//
// Each operator is one rounding step; formulas built from FiniteOrNan keep
// exactly the order in which they are written (C++ evaluates a + b + c as
// (a + b) + c).
class FiniteOrNan {
public:
    constexpr FiniteOrNan() = default;
    constexpr FiniteOrNan(double v) : v_(checked(v)) {}  // NOLINT: implicit on purpose
    constexpr double value() const { return v_; }

    friend constexpr FiniteOrNan operator+(FiniteOrNan x, FiniteOrNan y) { return FiniteOrNan(x.v_ + y.v_); }
    friend constexpr FiniteOrNan operator-(FiniteOrNan x, FiniteOrNan y) { return FiniteOrNan(x.v_ - y.v_); }
    friend constexpr FiniteOrNan operator*(FiniteOrNan x, FiniteOrNan y) { return FiniteOrNan(x.v_ * y.v_); }
    friend constexpr FiniteOrNan operator/(FiniteOrNan x, FiniteOrNan y) {
        if (y.v_ == 0.0) return FiniteOrNan(std::numeric_limits<double>::quiet_NaN());
        return FiniteOrNan(x.v_ / y.v_);
    }

private:
    static constexpr double checked(double v) {
        return (v - v == 0.0) ? v : std::numeric_limits<double>::quiet_NaN();  // finite test
    }
    double v_ = 0.0;
};

}  // namespace dravik::sections
