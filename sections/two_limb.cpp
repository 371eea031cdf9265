#include "sections/two_limb.h"

namespace dravik::sections::two_limb {

SectionResults calculate(std::span<const double> numbers, double outerLegsAlongC) {
    const auto v = asReals<kInputCount>(numbers);
    const Real t = v[bhhd];
    const Real S = steelArea(v[zj1zj], v[zj1sl], v[zj2zj], v[zj2sl]);
    const Real gross = (v[a] * v[c]) + ((v[b] - v[c]) * v[d]);
    const Real ratio = (S / gross) * 100.0;

    const Real coreA = coreDimension(v[a], t);
    const Real coreB = coreDimension(v[b], t);
    const Real coreC = coreDimension(v[c], t);
    const Real coreD = coreDimension(v[d], t);
    const Real n = outerLegsAlongC;
    const Real outer = (((2.0 * coreA) + (2.0 * coreB)) + (n * coreC)) + coreD;
    const Real inner =
        ((((v[asl] - 2.0) * coreA) + ((v[bsl] - 2.0) * coreB)) + ((v[csl] - n) * coreC)) + ((v[dsl] - 1.0) * coreD);
    const Real numerator = (barArea(v[dgzj]) * outer) + (barArea(v[xgzj]) * inner);
    // The upper limb's (the web's) core is b − c high: the plain difference,
    // no cover taken off.
    const Real core = (coreA * coreC) + (coreD * (v[b] - v[c]));
    const Real hoop = ((numerator / core) / v[gjjj]) * 100.0;
    return {S.value(), ratio.value(), hoop.value()};
}

}  // namespace dravik::sections::two_limb
