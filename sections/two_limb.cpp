#include "sections/two_limb.h"
#include "sections/common_quantities.h"

namespace dravik::sections::two_limb {

SectionResults calculate(std::span<const double> numbers, double outerLegsAlongC) {
    const auto v = asFiniteOrNan<kInputCount>(numbers);
    const FiniteOrNan t = v[bhhd];
    const FiniteOrNan S = steelArea(v[zj1zj], v[zj1sl], v[zj2zj], v[zj2sl]);
    const FiniteOrNan gross = (v[a] * v[c]) + ((v[b] - v[c]) * v[d]);
    const FiniteOrNan ratio = (S / gross) * 100.0;

    const FiniteOrNan coreA = coreDimension(v[a], t);
    const FiniteOrNan coreB = coreDimension(v[b], t);
    const FiniteOrNan coreC = coreDimension(v[c], t);
    const FiniteOrNan coreD = coreDimension(v[d], t);
    const FiniteOrNan n = outerLegsAlongC;
    const FiniteOrNan outer = (((2.0 * coreA) + (2.0 * coreB)) + (n * coreC)) + coreD;
    const FiniteOrNan inner =
        ((((v[asl] - 2.0) * coreA) + ((v[bsl] - 2.0) * coreB)) + ((v[csl] - n) * coreC)) + ((v[dsl] - 1.0) * coreD);
    const FiniteOrNan numerator = (barArea(v[dgzj]) * outer) + (barArea(v[xgzj]) * inner);
    // The upper limb's (the web's) core is b − c high: the plain difference,
    // no cover taken off.
    const FiniteOrNan core = (coreA * coreC) + (coreD * (v[b] - v[c]));
    const FiniteOrNan hoop = ((numerator / core) / v[gjjj]) * 100.0;
    return {S.value(), ratio.value(), hoop.value()};
}

}  // namespace dravik::sections::two_limb
