// Refinement in one walk: theory of operation
//
// The fillet at the corner marked on record i changes records i - 2, i - 1 and i only, and reads
// the appended lengths (distance fields) of i - 2 and i. So once the fillet pass has passed
// record i, record i - 2 is final, and the distance pass's work on it can be done at once, while
// the record is still in the cache: the walk runs the distance pass two records behind the
// fillet pass. The distance pass's sums run in store order as before, so every record gets the
// same bits.
//
// The host sees the reports of stage 1, its 100, then those of stage 2 and its 100, as the two
// passes make them: stage 2's countdown runs in the walk as in the distance pass, and the
// cursors at which its reports fall are kept and sent (each after its Esc check) once stage 1
// has reported 100. There are at most 100 of them: one at the first Feed record, then one every
// ceil(R / 152) + 1 Feed records, with R = floor(highWater x 152 / 100) > 1.52 highWater - 1.
#include "refine/refinement.h"

#include <algorithm>

#include "refine/distance_pass.h"
#include "refine/fillet_pass.h"
#include "refine/pass_progress.h"

namespace pulsepost {

namespace {

constexpr int32_t kMostDistanceReports = 100;

// Stage 2's work on the record at index, and its progress step: the cursor is kept when a report
// falls due there.
struct DistanceWalk {
    double acceleration = 0.0;  // units per second²
    double pathDistance = 0.0;  // units of feed motion before the next Feed record
    PassProgress pass;          // stage 2's countdown
    int32_t dueCursors[kMostDistanceReports] = {};
    int32_t dueCount = 0;

    void settle(SegmentStore& store, int32_t index) {
        Segment& record = slotAt(store, index);
        if (record.kind != SegmentKind::Feed) return;
        settleFeedRecord(record, pathDistance, acceleration);
        if (!pass.countdown.due(kSegmentBytes)) return;
        if (dueCount < kMostDistanceReports)
            dueCursors[dueCount++] = index + 1;  // always: see above
        restartPassCountdown(pass);
    }
};

}  // namespace

int32_t runRefinementPasses(SegmentStore& store, double acceleration, ProgressCallback progress) {
    rewind(store);
    PassProgress fillets = startPassProgress(Stage::Fillets, store);
    DistanceWalk distances;
    distances.acceleration = acceleration;
    distances.pass = startPassProgress(Stage::Distances, store);
    for (int32_t i = 0; i < store.highWater; ++i) {
        store.cursor = i + 1;
        if (slotAt(store, i).has(SegmentFlags::FilletBefore)) filletMarkedCorner(store, i);
        if (i >= 2) distances.settle(store, i - 2);
        if (stepPassProgress(fillets, store.cursor, progress) != 0) return -1;
    }
    for (int32_t i = std::max(store.highWater - 2, 0); i < store.highWater; ++i)
        distances.settle(store, i);
    reportProgress(progress, Stage::Fillets, kPercentDone);

    for (int32_t k = 0; k < distances.dueCount; ++k) {
        if (escapeRequested()) return -1;
        reportProgress(progress, Stage::Distances,
                       passPercent(distances.pass, distances.dueCursors[k]));
    }
    store.cursor = store.highWater;
    reportProgress(progress, Stage::Distances, kPercentDone);
    return 0;
}

}  // namespace pulsepost
