// The append: every record the interpreter builds passes through appendSegment in program order.
// It stamps the modal values into the record and holds the latest record back as the pending
// record so that the corner to the next one can be judged (stop, fillet, straight on); it keeps
// the program bounds, drops empty moves, marks break points, and writes records to the store.
#pragma once

#include "geometry/segment.h"
#include "store/segment_store.h"

namespace pulsepost {

void appendSegment(Segment& record, SegmentStore& store);

// Stores the pending record at the end of a read, with StopAtEnd (and BreakPoint unless Feed).
void flushPending(SegmentStore& store);

}  // namespace pulsepost
