// Distance and arc speed pass: theory of operation
//
// The planner works along the path as one line of feed moves: each Feed record needs the path
// distance from the start of the program to its start, and a speed limit it can actually be
// run at. This pass visits the Feed records in store order, after the fillet pass has trimmed
// them, and rewrites each in place:
//
//   distance = sum of the lengths of all Feed records before it (rapids and events add nothing:
//              the profile only covers feed motion)
//   speed    = min(speed, sqrt(a r)) for an arc of radius r (the smaller of its start and end
//              radii), the speed at which the centripetal acceleration v^2 / r equals the
//              machine's acceleration a
//
// Other records are passed over unchanged: a Rapid keeps its appended length in distance,
// events keep 0. A fillet arc is limited by its own, usually small, radius like any other arc.
#include "refine/distance_pass.h"

#include "refine/pass_progress.h"

namespace pulsepost {

// Each Feed record is rewritten where it lies in its page: the pass copies no record.
int32_t runDistancePass(SegmentStore& store, double acceleration, ProgressCallback progress) {
    rewind(store);
    PassProgress pass = startPassProgress(Stage::Distances, store);
    double pathDistance = 0.0;  // units of feed motion before the record
    for (int32_t i = 0; i < store.highWater; ++i) {
        Segment& record = slotAt(store, i);
        if (record.kind != SegmentKind::Feed) continue;
        settleFeedRecord(record, pathDistance, acceleration);
        store.cursor = i + 1;
        if (stepPassProgress(pass, store.cursor, progress) != 0) return -1;
    }
    store.cursor = store.highWater;
    reportProgress(progress, Stage::Distances, kPercentDone);
    return 0;
}

}  // namespace pulsepost
