// The fast companion of FiniteOrNan: the same formulas in plain IEEE
// arithmetic, with a mark that tells afterwards whether the plain result is
// exactly the FiniteOrNan result.
#pragma once

namespace dravik::sections {

// A double whose + - * / are the plain IEEE operations, with no check on the
// value's path, and beside the value a mark ("poison") that is ±0 while every
// divisor the value was computed from was finite, and NaN as soon as one was
// not (y − y is NaN exactly for a divisor y of ±∞ or NaN, and NaN then survives
// every sum).
//
// Why a result r with a finite value and a zero mark is bit for bit the
// FiniteOrNan result of the same formula:
//   - +, −, × and a non-finite numerator keep a value non-finite (∞ + x is
//     ±∞ or NaN, ∞ × 0 is NaN, ∞ / x is ±∞ or NaN, NaN stays NaN). Only a
//     non-finite divisor can vanish (x / ∞ = 0), and that poisons the mark.
//     So every value r was computed from, inputs included, is finite.
//   - On finite operands with a finite result, every FiniteOrNan operation is
//     the plain operation. A zero divisor cannot have occurred: x / ±0 is ±∞
//     or NaN, a non-finite value on the way, which the first point excludes.
// Conversely, when the FiniteOrNan result is finite, every value it was
// computed from was finite (NaN carries through every FiniteOrNan operation),
// so the plain values are the same and the mark is clean. A marked or
// non-finite r therefore means the FiniteOrNan result is NaN; the caller
// evaluates the formula again in FiniteOrNan, which defines the result.
//
// A constant's or an input's mark is −0: x + (−0) and x − (+0) are x exactly,
// so the compiler drops the mark wherever it is known, and only the values
// downstream of a division by a variable carry one at run time.
class UncheckedNumber {
public:
    constexpr UncheckedNumber() = default;
    constexpr UncheckedNumber(double v) : v_(v) {}  // NOLINT: implicit on purpose, as FiniteOrNan
    constexpr double value() const { return v_; }

    friend constexpr UncheckedNumber operator+(UncheckedNumber x, UncheckedNumber y) {
        return {x.v_ + y.v_, x.poison_ + y.poison_};
    }
    friend constexpr UncheckedNumber operator-(UncheckedNumber x, UncheckedNumber y) {
        return {x.v_ - y.v_, x.poison_ + y.poison_};
    }
    friend constexpr UncheckedNumber operator*(UncheckedNumber x, UncheckedNumber y) {
        return {x.v_ * y.v_, x.poison_ + y.poison_};
    }
    // y − y is +0 for a finite y and NaN otherwise; taking +0 off keeps the
    // mark bit for bit, so a constant divisor costs nothing.
    friend constexpr UncheckedNumber operator/(UncheckedNumber x, UncheckedNumber y) {
        return {x.v_ / y.v_, (x.poison_ + y.poison_) - (y.v_ - y.v_)};
    }

    // ±0 when the value is finite and the mark clean; NaN otherwise. The
    // marks of several results add up to one test.
    friend constexpr double exactnessMark(UncheckedNumber x) { return (x.v_ - x.v_) + x.poison_; }

private:
    constexpr UncheckedNumber(double v, double poison) : v_(v), poison_(poison) {}
    double v_ = 0.0;
    double poison_ = -0.0;
};

}  // namespace dravik::sections
