// Stages 1 and 2 of a conversion in one walk over the segment store: the fillet pass and the
// distance pass give the records, and the progress reports, that the two passes run one after
// the other give, while each record is read from memory once instead of twice.
#pragma once

#include <cstdint>

#include "report/progress.h"
#include "store/segment_store.h"

namespace pulsepost {

// acceleration in units per second². 0 when done, -1 on Esc (stage 1's or stage 2's check).
int32_t runRefinementPasses(SegmentStore& store, double acceleration, ProgressCallback progress);

}  // namespace pulsepost
