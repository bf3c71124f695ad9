// Tick interpolation (stage 5): samples the planned path 643 times per second and writes each
// enabled motor output's pulse delta as a step word into the CM stream, handing every record the
// path leaves behind to the break-stream writer.
#pragma once

#include <cstdint>
#include <cstdio>

#include "entry/progress.h"
#include "store/profile_store.h"
#include "store/segment_store.h"

namespace pulsepost {

constexpr int32_t kTicksPerSecond = 643;

// N = trunc(T x 643 + 1) for a motion of T seconds.
int32_t tickCount(double motionSeconds);

enum class TickResult : int32_t { Done = 0, Aborted = -1, Refused = -2 };

// Runs ticks 1..N. Done: the stream can be finished (the current record is in lastFeed);
// Aborted on Esc; Refused when a pulse delta does not fit a step word (message sink code 8).
TickResult runTicks(int32_t tickTotal, int32_t breakSpacingLimit, SegmentStore& segments,
                    ProfileStore& profile, ProgressCallback progress, FILE* cm, FILE* brk,
                    Segment& lastFeed);

}  // namespace pulsepost
