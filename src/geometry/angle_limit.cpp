#include "geometry/angle_limit.h"

#include <cstdint>
#include <cstring>

namespace pulsepost {

namespace {

// The doubles in their numeric order as integers (both zeros at 0).
int64_t orderKey(double d) {
    int64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits >= 0 ? bits : -(bits & INT64_MAX);
}

double fromOrderKey(int64_t key) {
    const int64_t bits = key >= 0 ? key : (-key | INT64_MIN);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

}  // namespace

AngleLimit angleLimit(double radians) {
    AngleLimit limit;
    limit.radians = radians;
    auto above = [radians](double c) { return clampedAcos(c) > radians; };
    if (above(1.0)) {
        limit.firstCosineWithin = 2.0;
    } else if (!above(-1.0)) {
        limit.firstCosineWithin = -1.0;
    } else {
        int64_t low = orderKey(-1.0);  // above
        int64_t high = orderKey(1.0);  // not above
        while (high - low > 1) {
            const int64_t middle = low + (high - low) / 2;
            if (above(fromOrderKey(middle))) {
                low = middle;
            } else {
                high = middle;
            }
        }
        limit.firstCosineWithin = fromOrderKey(high);
    }
    return limit;
}

}  // namespace pulsepost
