// The corner fillet pass (stage 1): replaces every Placeholder with a tangent fillet arc and
// trims the two records that meet at its corner.
#pragma once

#include <cstdint>

#include "report/progress.h"
#include "store/segment_store.h"

namespace pulsepost {

// window: prev (ends at the corner), slot (the Placeholder), next (has FilletBefore).
void filletCorner(Segment (&window)[3]);

// The pass's work at a record marked FilletBefore, at index: when the record before it is the
// corner's Placeholder, the corner of the two records before it and itself is filleted. It
// changes those three records only.
void filletMarkedCorner(SegmentStore& store, int32_t index);

// 0 when done, -1 on Esc.
int32_t runFilletPass(SegmentStore& store, ProgressCallback progress);

}  // namespace pulsepost
