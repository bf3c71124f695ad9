// The distance and arc speed pass (stage 2): every feed move gets its path distance from the
// start of the program, and every arc a speed limit of sqrt(acceleration x radius).
#pragma once

#include <cstdint>

#include "report/progress.h"
#include "store/segment_store.h"

namespace pulsepost {

// acceleration in units per second². 0 when done, -1 on Esc.
int32_t runDistancePass(SegmentStore& store, double acceleration, ProgressCallback progress);

}  // namespace pulsepost
