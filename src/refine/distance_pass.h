// The distance and arc speed pass (stage 2): every feed move gets its path distance from the
// start of the program, and every arc a speed limit of sqrt(acceleration x radius).
#pragma once

#include <cmath>
#include <cstdint>

#include "report/progress.h"
#include "store/segment_store.h"

namespace pulsepost {

// The pass's work on one Feed record: it gets the path distance of the feed motion before it,
// which then moves past it, and an arc's limit is held to sqrt(acceleration x radius).
inline void settleFeedRecord(Segment& record, double& pathDistance, double acceleration) {
    record.distance = pathDistance;
    pathDistance += record.length;
    if (record.has(SegmentFlags::Arc)) {
        const double arcSpeed = std::sqrt(acceleration * arcLeastRadius(record));  // units/s
        if (arcSpeed < record.speed) record.speed = arcSpeed;
    }
}

// acceleration in units per second². 0 when done, -1 on Esc.
int32_t runDistancePass(SegmentStore& store, double acceleration, ProgressCallback progress);

}  // namespace pulsepost
