#include "sections/two_limb.h"
#include "sections/common_quantities.h"

#include "sections/terms.h"

namespace dravik::sections::two_limb {

SectionTerms terms(std::span<const double> numbers, double outerLegsAlongC) {
    const auto v = asFiniteOrNan<kInputCount>(numbers);
    SectionTerms out;
    const FiniteOrNan t = v[bhhd];
    const FiniteOrNan S = formSteelArea(out, v[zj1zj], v[zj1sl], v[zj2zj], v[zj2sl]);
    const FiniteOrNan gross = out.form(Term::GrossArea, (v[a] * v[c]) + ((v[b] - v[c]) * v[d]));
    out.form(Term::LongitudinalRatio, (S / gross) * 100.0);

    const FiniteOrNan coreA = out.form(Term::CoreA, coreDimension(v[a], t));
    const FiniteOrNan coreB = out.form(Term::CoreB, coreDimension(v[b], t));
    const FiniteOrNan coreC = out.form(Term::CoreC, coreDimension(v[c], t));
    const FiniteOrNan coreD = out.form(Term::CoreD, coreDimension(v[d], t));
    const FiniteOrNan n = outerLegsAlongC;
    const FiniteOrNan outer = out.form(Term::OuterHoopLength, (((2.0 * coreA) + (2.0 * coreB)) + (n * coreC)) + coreD);
    const FiniteOrNan inner = out.form(
        Term::InnerLegLength,
        ((((v[asl] - 2.0) * coreA) + ((v[bsl] - 2.0) * coreB)) + ((v[csl] - n) * coreC)) + ((v[dsl] - 1.0) * coreD));
    const FiniteOrNan outerBar = out.form(Term::OuterBarArea, barArea(v[dgzj]));
    const FiniteOrNan innerBar = out.form(Term::InnerBarArea, barArea(v[xgzj]));
    const FiniteOrNan numerator = out.form(Term::Numerator, (outerBar * outer) + (innerBar * inner));
    // The upper limb's (the web's) core is b − c high: the plain difference,
    // no cover taken off.
    const FiniteOrNan core = out.form(Term::CoreArea, (coreA * coreC) + (coreD * (v[b] - v[c])));
    out.form(Term::HoopRatio, ((numerator / core) / v[gjjj]) * 100.0);
    return out;
}

}  // namespace dravik::sections::two_limb
