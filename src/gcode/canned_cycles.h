// The drilling cycles (G81, G82, G84, G85, G89) and the peck cycles (G83, G86, G87, G88): fixed
// sequences of feed moves along the hole axis at the line's X and Y.
#pragma once

#include <cstdint>

#include "gcode/motion_words.h"

namespace pulsepost {

// One drilling cycle at the target's X, Y and A. 0, or kRefused.
int32_t runDrillingCycle(MotionState& motion, const Vec4& target, SegmentStore& store);

// One peck cycle at the target's X, Y and A. 0, or kRefused when the pecks would never reach the
// depth (or could never fit the store).
int32_t runPeckCycle(MotionState& motion, const Vec4& target, SegmentStore& store);

}  // namespace pulsepost
