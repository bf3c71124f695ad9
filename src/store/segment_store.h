// SegmentStore: the paged store of Segment records, with the walks over feed moves that the
// refinement passes, the planner and the interpolator use.
#pragma once

#include "geometry/segment.h"
#include "store/paged_store.h"

namespace pulsepost {

using SegmentStore = PagedStore<Segment>;

template <>
const StoreTraits& storeTraits<Segment>();

// Reads records until a Feed record has been read into destination: 1, or 0 when the store ends
// first (destination then holds the last record read, or is untouched).
int32_t readNextFeedMove(Segment& destination, SegmentStore& store);

// n > 0: reads forward until n Feed records have been read (or the store ends). n < 0: steps
// back until -n Feed records have been passed, leaving the cursor on the last one passed (or at
// 0). n = 0: nothing.
void skipFeedMoves(SegmentStore& store, int32_t n);

}  // namespace pulsepost
