#include "sections/terms.h"

namespace dravik::sections {

SectionResults SectionTerms::results() const {
    return {(*this)[Term::SteelArea], (*this)[Term::LongitudinalRatio], (*this)[Term::HoopRatio]};
}

}  // namespace dravik::sections
