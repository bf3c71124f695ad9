// The conversion driver: the order of one conversion, from the configured speeds to the closed
// output files, with its progress stages and every way it can end.
#pragma once

#include <cstdint>

#include "gcode/interpreter.h"
#include "report/progress.h"

namespace pulsepost {

// What the interpreter is handed from the configuration in force: speeds per second, the
// acceleration, and whether F words are ignored.
MotionLimits interpreterLimits();

// Converts the program with the configuration already set up. 0: completed, no feed move, or Esc
// in stages 3 to 5; -1: Esc in stages 0 to 2, refused (message code 8), a file that could not be
// created or written (codes 7 and 9). Every end closes the files and releases both stores.
int32_t runConversion(const char* programPath, int32_t breakSpacingLimit,
                      ProgressCallback progress);

}  // namespace pulsepost
