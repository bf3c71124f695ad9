// ProfileStore: the paged store of velocity-profile knots.
#pragma once

#include "store/paged_store.h"

namespace pulsepost {

struct ProfilePoint {
    double time = 0.0;      // seconds from the start of the motion
    double velocity = 0.0;  // units per second
    double distance = 0.0;  // units travelled up to the knot
};
static_assert(sizeof(ProfilePoint) == 24, "the profile store pages hold 500000 knots of 24 bytes");

using ProfileStore = PagedStore<ProfilePoint>;

template <>
const StoreTraits& storeTraits<ProfilePoint>();

// Cuts the profile back to n knots (highWater = n); the cursor is not moved.
inline void setCount(ProfileStore& store, int32_t n) {
    store.highWater = n;
}

}  // namespace pulsepost
