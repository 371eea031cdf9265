// How a section formula, written once, is evaluated: checked for the
// calculation sheet, and fast with a checked fallback for the results.
//
// A shape writes its formula as a generic callable
//     formula(std::span<const double> numbers, Recorder& out)
// that reads its inputs through InputNumbers<Recorder::Number, N>, computes in
// Recorder::Number and hands every quantity it forms to out.form(term, value),
// going on with the value form() gives back.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "sections/finite_or_nan.h"
#include "sections/section_shape.h"
#include "sections/terms.h"
#include "sections/unchecked_number.h"

namespace dravik::sections {

// The numbers of a window's inputs, in the order of its input table, as the
// formula's number type. An input missing from `numbers` reads 0. A formula
// indexes it with its own enum of input positions.
template <class Number, std::size_t N>
class InputNumbers {
public:
    explicit InputNumbers(std::span<const double> numbers) : data_(numbers.data()) {
        if (numbers.size() >= N) return;
        for (std::size_t i = 0; i < N; ++i) padded_[i] = i < numbers.size() ? numbers[i] : 0.0;
        data_ = padded_.data();
    }
    InputNumbers(const InputNumbers&) = delete;
    InputNumbers& operator=(const InputNumbers&) = delete;

    Number operator[](std::size_t i) const { return Number(data_[i]); }

private:
    const double* data_;
    std::array<double, N> padded_;  // only for a short `numbers`
};

// A recorder that keeps only the three results: for calculate(), which needs
// no other term.
template <class N>
class ResultRecorder {
public:
    using Number = N;

    Number form(Term term, Number value) {
        switch (term) {
            case Term::SteelArea: steelArea_ = value; break;
            case Term::LongitudinalRatio: longitudinalRatio_ = value; break;
            case Term::HoopRatio: hoopRatio_ = value; break;
            default: break;
        }
        return value;
    }
    SectionResults results() const { return {steelArea_.value(), longitudinalRatio_.value(), hoopRatio_.value()}; }
    // Only for UncheckedNumber: whether the three results are exactly those
    // of the checked evaluation, that is, whether none of those is NaN.
    bool exact() const {
        return (exactnessMark(steelArea_) + exactnessMark(longitudinalRatio_)) + exactnessMark(hoopRatio_) == 0.0;
    }

private:
    Number steelArea_;
    Number longitudinalRatio_;
    Number hoopRatio_;
};

// The defining evaluation, every term recorded: what the calculation sheet
// shows and what the results are.
template <class Formula>
SectionTerms checkedTerms(std::span<const double> numbers, Formula formula) {
    SectionTerms out;
    formula(numbers, out);
    return out;
}

// The results of checkedTerms(numbers, formula), bit for bit: evaluated in
// plain arithmetic first, and checked again only when some value on the way
// was not finite (a zero divisor, an overflow, an input ±∞ or NaN), which is
// exactly when some result is NaN and shows the dash.
template <class Formula>
SectionResults fastResults(std::span<const double> numbers, Formula formula) {
    ResultRecorder<UncheckedNumber> fast;
    formula(numbers, fast);
    if (fast.exact()) [[likely]]
        return fast.results();
    ResultRecorder<FiniteOrNan> checked;
    formula(numbers, checked);
    return checked.results();
}

}  // namespace dravik::sections
