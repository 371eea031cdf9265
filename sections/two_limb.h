// What the L-shaped and the flanged column share: the same sixteen inputs in
// the same order, the same gross and core areas, and hoop lengths that differ
// only in the legs along c.
#pragma once

#include <span>

#include "sections/section_shape.h"
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
SectionTerms terms(std::span<const double> numbers, double outerLegsAlongC);

}  // namespace dravik::sections::two_limb
