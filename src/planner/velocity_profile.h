// Velocity profile planning (stages 3 and 4): knots of a piecewise-linear speed profile over the
// feed moves, under one path acceleration, with one move of look-ahead and backtracking.
#pragma once

#include <cstdint>

#include "report/progress.h"
#include "store/profile_store.h"
#include "store/segment_store.h"

namespace pulsepost {

// Planned: the profile is in the store. NoFeedMove: the path holds no Feed record (nothing was
// planned or reported). Aborted: Esc at a progress report. Refused: the acceleration or a Feed
// record cannot be planned (not positive or not finite); the message sink names the value.
enum class PlanResult : int32_t { Planned = 0, NoFeedMove = 1, Aborted = -1, Refused = -2 };

// Stage 3. acceleration in units per second²; lastKnot receives the last knot appended. The
// profile store is emptied first; Feed records get their profile mark and lowered speed limit.
PlanResult planVelocityProfile(SegmentStore& segments, ProfileStore& profile, double acceleration,
                               ProgressCallback progress, ProfilePoint& lastKnot);

// Stage 4: the distance of every knot. 0 when done, -1 on Esc.
int32_t integrateProfileDistance(ProfileStore& profile, ProgressCallback progress);

}  // namespace pulsepost
