// Tick interpolation (stage 5): samples the planned path 643 times per second and writes each
// enabled motor output's pulse delta as a step word into the CM stream, handing every record the
// path leaves behind to the break-stream writer.
#pragma once

#include <cstdint>
#include <cstdio>

#include "geometry/segment.h"
#include "output/output_files.h"
#include "report/progress.h"
#include "store/profile_store.h"
#include "store/segment_store.h"

namespace pulsepost {

// The longest stream one conversion writes: at most 8 CM bytes per tick keeps the byte count of
// the stream, which the break stream carries in 32 bits, in range (about 4.8 days of motion).
constexpr int32_t kMaxTickCount = 2147483647 / 8;

// N = trunc(T x 643 + 1) for a motion of T seconds: the first tick later than T. -1 when T is
// not a number or N would exceed kMaxTickCount.
int32_t tickCount(double motionSeconds);

enum class TickResult : int32_t { Done = 0, Aborted = -1, Refused = -2 };

// What the end of the stream needs from the tick stage.
struct TickRun {
    BreakWriter writer;  // chunk counters
    Segment current;     // the Feed record that holds the last tick's distance
    bool hasCurrent = false;
};

// Runs ticks 1..N. Done: finishBreakStream can follow; Aborted on Esc at a due progress report;
// Refused (message code 8) when a pulse delta does not fit a step word or a pulse position is
// out of range, so that no wrong word is ever written.
TickResult runTicks(int32_t tickTotal, int32_t breakSpacingLimit, SegmentStore& segments,
                    ProfileStore& profile, ProgressCallback progress, FILE* cm, FILE* brk,
                    TickRun& run);

}  // namespace pulsepost
