// The readback summary as the text a machinist reads before running a program: the streams,
// the motion time, each axis's travel and extremes, the chunks, the events, the largest steps
// and the highest rates.
#pragma once

#include <string>

#include "readback/motion_readback.h"

namespace pulsepost {

// Lists at most maxEvents events (the count is always given).
std::string formatReadbackSummary(const Readback& readback, const std::string& programPath,
                                  int maxEvents = 200);

}  // namespace pulsepost
