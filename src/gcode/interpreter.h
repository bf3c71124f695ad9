// The G-code interpreter: reads the part program line by line (stage 0), turning every line into
// Segment records handed to the append, and writes the EV file of announced output events.
#pragma once

#include <cstdint>
#include <cstdio>

#include "report/progress.h"
#include "store/segment_store.h"

namespace pulsepost {

// Configured speeds and F words are per minute; the conversion works per second.
constexpr double kPerMinuteToPerSecond = 0.016666666666666666;

// What the driver hands the interpreter: the speeds in units per second, the acceleration in
// units per second², and whether the program's F words are ignored (option bit 0).
struct MotionLimits {
    double acceleration = 0.0;
    double rapidSpeed = 0.0;
    double rapidSpeedZ = 0.0;
    double feedSpeed = 0.0;
    double plungeSpeed = 0.0;
    bool ignoreFWords = false;
};

// Opens the part program for reading as the controller reads it. Only a regular file is read: a
// directory, a FIFO or a device (a link to /dev/zero) would read as an empty or an endless
// program. nullptr after message code 7 naming the path and the reason.
FILE* openProgram(const char* programPath);

// Stage 0: reads the open program into store, writes a line into events (the open EV file) for
// every announced output event and stores the last record (flushPending), reporting stage 0 up to
// its final 100. The conversion state must have been reset (resetConversionState) and
// rapidsAsFeeds set. 0 when done; -1 when aborted with Esc or refused (the message sink says
// why). The caller closes both files.
int32_t readProgram(FILE* program, const MotionLimits& limits, FILE* events, SegmentStore& store,
                    ProgressCallback progress);

}  // namespace pulsepost
