// The scale a readback needs from the machine configuration: pulses per unit of each axis, the
// X/Y swap, the highest speed and the acceleration, read from ZORVAN.CFG in a configuration
// directory without changing any file. It asks the library's public pulsepost_read_scale and
// pulsepost_read_motion_limits, so that the file has one reader: whatever links the readback
// links the conversion too (libpulsepost.so, or the static core in tests).
#pragma once

#include "readback/motion_readback.h"

namespace pulsepost {

// Fills scale from configDir's ZORVAN.CFG. When the file is missing or damaged the built-in
// defaults are used (the conversion would have written those) and the result is false.
bool readConfiguredScale(const char* configDir, MotionScale& scale);

}  // namespace pulsepost
