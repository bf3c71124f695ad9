// "Is the angle between two directions above a limit?", decided from the cosine of the angle
// without computing the angle, and bit for bit as clampedAcos(c) > limit decides it.
//
// clampedAcos rounds correctly, so it never increases as its argument grows: the cosines whose
// angle is above the limit are exactly the doubles below one threshold. angleLimit finds that
// threshold once per limit, by bisection over the doubles of [-1, 1] (about 64 evaluations);
// each decision after that is one comparison. Cosines outside [-1, 1] (rounding just past a
// direction, or NaN) take the angle itself.
#pragma once

#include <cmath>

#include "geometry/vec4.h"

namespace pulsepost {

struct AngleLimit {
    double radians = std::nan("");   // the limit
    double firstCosineWithin = 2.0;  // the least c in [-1, 1] whose angle is not above; 2 if none
};

AngleLimit angleLimit(double radians);

inline bool angleAbove(const AngleLimit& limit, double cosine) {
    if (!(std::fabs(cosine) <= 1.0)) return clampedAcos(cosine) > limit.radians;
    return cosine < limit.firstCosineWithin;
}

}  // namespace pulsepost
