// What the L-shaped and the flanged column share: the same sixteen inputs in
// the same order, the same gross and core areas, and hoop lengths that differ
// only in the legs along c.
#pragma once

#include <span>

#include "sections/common_quantities.h"
#include "sections/formula.h"
#include "sections/terms.h"

namespace dravik::sections::two_limb {

// Positions of the inputs in both windows' input tables.
// clang-format off
enum Input { a, b, c, d, zj1zj, zj2zj, zj1sl, zj2sl, dgzj, xgzj, asl, bsl, csl, dsl, gjjj, bhhd, kInputCount };
// clang-format on

// The terms and results of a section made of a limb a long and c high and a limb
// d wide reaching up to the total height b, in the written order:
//   gross area  (a × c) + ((b − c) × d)
//   outer hoop  (((2 × (a − 2t)) + (2 × (b − 2t))) + (n × (c − 2t))) + (d − 2t)
//   inner legs  ((((asl − 2) × (a − 2t)) + ((bsl − 2) × (b − 2t))) + ((csl − n) × (c − 2t)))
//               + ((dsl − 1) × (d − 2t))
//   core area   ((a − 2t) × (c − 2t)) + ((d − 2t) × (b − c))
// where n is the number of outer hoop legs along c: 1 for the L (the end of
// its lower limb), 2 for the flanged column (both ends of its flange). n × x
// with n = 1 is x exactly, so the L's sums are unchanged bit for bit.
//
// Written once for every number type (sections/formula.h). Inlined into each
// shape, so that n is a constant there and the fast evaluation keeps its
// values in registers instead of passing them through a recorder in memory.
template <class Recorder>
[[gnu::always_inline]] inline void formula(std::span<const double> numbers, double outerLegsAlongC, Recorder& out) {
    using Number = typename Recorder::Number;
    const InputNumbers<Number, kInputCount> v(numbers);
    const Number t = v[bhhd];
    const Number S = formSteelArea(out, v[zj1zj], v[zj1sl], v[zj2zj], v[zj2sl]);
    const Number gross = out.form(Term::GrossArea, (v[a] * v[c]) + ((v[b] - v[c]) * v[d]));
    out.form(Term::LongitudinalRatio, (S / gross) * 100.0);

    const Number coreA = out.form(Term::CoreA, coreDimension(v[a], t));
    const Number coreB = out.form(Term::CoreB, coreDimension(v[b], t));
    const Number coreC = out.form(Term::CoreC, coreDimension(v[c], t));
    const Number coreD = out.form(Term::CoreD, coreDimension(v[d], t));
    const Number n = outerLegsAlongC;
    const Number outer = out.form(Term::OuterHoopLength, (((2.0 * coreA) + (2.0 * coreB)) + (n * coreC)) + coreD);
    const Number inner = out.form(
        Term::InnerLegLength,
        ((((v[asl] - 2.0) * coreA) + ((v[bsl] - 2.0) * coreB)) + ((v[csl] - n) * coreC)) + ((v[dsl] - 1.0) * coreD));
    const Number outerBar = out.form(Term::OuterBarArea, barArea(v[dgzj]));
    const Number innerBar = out.form(Term::InnerBarArea, barArea(v[xgzj]));
    const Number numerator = out.form(Term::Numerator, (outerBar * outer) + (innerBar * inner));
    // The upper limb's (the web's) core is b − c high: the plain difference,
    // no cover taken off.
    const Number core = out.form(Term::CoreArea, (coreA * coreC) + (coreD * (v[b] - v[c])));
    out.form(Term::HoopRatio, ((numerator / core) / v[gjjj]) * 100.0);
}

}  // namespace dravik::sections::two_limb
