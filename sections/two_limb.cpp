#include "sections/two_limb.h"

#include "sections/terms.h"

namespace dravik::sections::two_limb {

SectionTerms terms(std::span<const double> numbers, double outerLegsAlongC) {
    const auto v = asReals<kInputCount>(numbers);
    SectionTerms out;
    const Real t = v[bhhd];
    const Real S = formSteelArea(out, v[zj1zj], v[zj1sl], v[zj2zj], v[zj2sl]);
    const Real gross = out.form(Term::GrossArea, (v[a] * v[c]) + ((v[b] - v[c]) * v[d]));
    out.form(Term::LongitudinalRatio, (S / gross) * 100.0);

    const Real coreA = out.form(Term::CoreA, coreDimension(v[a], t));
    const Real coreB = out.form(Term::CoreB, coreDimension(v[b], t));
    const Real coreC = out.form(Term::CoreC, coreDimension(v[c], t));
    const Real coreD = out.form(Term::CoreD, coreDimension(v[d], t));
    const Real n = outerLegsAlongC;
    const Real outer = out.form(Term::OuterHoopLength, (((2.0 * coreA) + (2.0 * coreB)) + (n * coreC)) + coreD);
    const Real inner = out.form(
        Term::InnerLegLength,
        ((((v[asl] - 2.0) * coreA) + ((v[bsl] - 2.0) * coreB)) + ((v[csl] - n) * coreC)) + ((v[dsl] - 1.0) * coreD));
    const Real outerBar = out.form(Term::OuterBarArea, barArea(v[dgzj]));
    const Real innerBar = out.form(Term::InnerBarArea, barArea(v[xgzj]));
    const Real numerator = out.form(Term::Numerator, (outerBar * outer) + (innerBar * inner));
    // The upper limb's (the web's) core is b − c high: the plain difference,
    // no cover taken off.
    const Real core = out.form(Term::CoreArea, (coreA * coreC) + (coreD * (v[b] - v[c])));
    out.form(Term::HoopRatio, ((numerator / core) / v[gjjj]) * 100.0);
    return out;
}

}  // namespace dravik::sections::two_limb
