// The intermediate quantities of the section formulas, kept as each formula
// evaluated them, so that a calculation sheet can show the very numbers the
// results were computed from.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>

#include "sections/common_quantities.h"
#include "sections/finite_or_nan.h"
#include "sections/section_shape.h"

namespace dravik::sections {

// The quantities a section formula may form. Not every shape forms every
// one: the rectangle never forms its gross or core area (it divides by each
// side in turn), and only the Z-shaped section has sides e and f.
enum class Term : std::size_t {
    BarArea1,   // one bar of zj1zj, mm²
    BarArea2,   // one bar of zj2zj, mm²
    SteelArea,  // all longitudinal bars, mm² (the result zjmj)
    GrossArea,  // concrete section, mm²
    CoreA,      // a − (2 × cover), and so on for b … f, mm
    CoreB,
    CoreC,
    CoreD,
    CoreE,
    CoreF,
    OuterHoopLength,    // outer hoop of one hoop set, mm
    InnerLegLength,     // all inner legs of one hoop set, mm
    OuterBarArea,       // one bar of dgzj, mm²
    InnerBarArea,       // one bar of xgzj, mm²
    Numerator,          // hoop and tie volume per unit of spacing, mm³/mm
    CoreArea,           // confined core, mm²
    LongitudinalRatio,  // the result zjl, %
    HoopRatio,          // the result tjpgl, %
};
inline constexpr std::size_t kTermCount = static_cast<std::size_t>(Term::HoopRatio) + 1;

// The terms one evaluation of a section formula formed. A formula records
// each term as it forms it and uses the recorded value from then on, so the
// results are computed from exactly these numbers.
class SectionTerms {
public:
    // The arithmetic the terms are formed in: this evaluation defines the results.
    using Number = FiniteOrNan;

    // Records `value` as `term` and gives it back for the next operation.
    FiniteOrNan form(Term term, FiniteOrNan value) {
        values_[index(term)] = value.value();
        formed_.set(index(term));
        return value;
    }
    bool formed(Term term) const { return formed_.test(index(term)); }
    // The recorded value; NaN where a divisor was zero or a value overflowed.
    double operator[](Term term) const { return values_[index(term)]; }

    // zjmj, zjl and tjpgl as recorded.
    SectionResults results() const;

private:
    static constexpr std::size_t index(Term term) { return static_cast<std::size_t>(term); }
    std::array<double, kTermCount> values_{};
    std::bitset<kTermCount> formed_;
};

// The steel area of every section, its two bar areas recorded first:
// (Ab1 × zj1sl) + (Ab2 × zj2sl), group 1 first. `out` is a SectionTerms or any
// other recorder of the same form (sections/formula.h).
template <class Recorder, class Number = typename Recorder::Number>
Number formSteelArea(Recorder& out, Number diameter1, Number count1, Number diameter2, Number count2) {
    const Number area1 = out.form(Term::BarArea1, barArea(diameter1));
    const Number area2 = out.form(Term::BarArea2, barArea(diameter2));
    return out.form(Term::SteelArea, (area1 * count1) + (area2 * count2));
}

}  // namespace dravik::sections
