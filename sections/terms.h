// The quantities one evaluation of a section formula formed, kept as it
// evaluated them, so that a calculation sheet can show the very numbers the
// results were computed from.
#pragma once

#include <array>
#include <cstddef>

#include "sections/finite_or_nan.h"
#include "sections/quantity.h"
#include "sections/section_shape.h"

namespace dravik::sections {

// The terms one evaluation of a section formula formed (a term the shape
// never forms stays 0). The formula records each term as it forms it and uses
// the recorded value from then on, so the results are computed from exactly
// these numbers.
class SectionTerms {
public:
    // The arithmetic the terms are formed in: this evaluation defines the results.
    using Number = FiniteOrNan;

    void form(Term term, FiniteOrNan value) { values_[index(term)] = value.value(); }
    FiniteOrNan recorded(Term term) const { return values_[index(term)]; }
    // The recorded value; NaN where a divisor was zero or a value overflowed.
    double operator[](Term term) const { return values_[index(term)]; }

    // zjmj, zjl and tjpgl as recorded.
    SectionResults results() const;

private:
    static constexpr std::size_t index(Term term) { return static_cast<std::size_t>(term); }
    std::array<double, kTermCount> values_{};
};

}  // namespace dravik::sections
