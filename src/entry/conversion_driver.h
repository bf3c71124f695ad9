// The conversion driver: the order of one conversion, from the configured speeds to the closed
// output files, with its progress stages and every way it can end.
#pragma once

#include <cstdint>

#include "entry/progress.h"

namespace pulsepost {

// Configured speeds are per minute; the conversion works per second.
constexpr double kPerMinuteToPerSecond = 0.016666666666666666;

// Converts the program with the configuration already set up. 0: completed, no feed move, or Esc
// in stages 3 to 5; -1: Esc in stages 0 to 2, refused (message code 8), a file that could not be
// created or written (codes 7 and 9). Every end closes the files and releases both stores.
int32_t runConversion(const char* programPath, int32_t breakSpacingLimit,
                      ProgressCallback progress);

}  // namespace pulsepost
