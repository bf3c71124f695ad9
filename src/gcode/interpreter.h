// The G-code interpreter: reads the part program line by line (stage 0), turning every line into
// Segment records handed to the append, and writes the EV file of announced output events.
#pragma once

#include <cstdint>
#include <cstdio>

#include "config/cut_params.h"
#include "report/progress.h"
#include "store/segment_store.h"

namespace pulsepost {

// What the driver hands the interpreter: the speeds in units per second, the acceleration in
// units per second², whether the program's F words are ignored (option bit 0), and the machine's
// unit, to which G20 and G21 scale the program's lengths when it is declared.
struct MotionLimits {
    double acceleration = 0.0;
    double rapidSpeed = 0.0;
    double rapidSpeedZ = 0.0;
    double feedSpeed = 0.0;
    double plungeSpeed = 0.0;
    bool ignoreFWords = false;
    uint8_t disabledAxes = 0;  // bit i: logical axis i (X, Y, Z, A) has 0 pulses per unit
    MachineUnit unit = MachineUnit::Undeclared;
};

// Read: the program is in the store. Aborted: Esc at a progress report. Refused: a line cannot be
// executed (message code 8 names it and its number).
enum class InterpretResult : int32_t { Read = 0, Aborted = -1, Refused = -2 };

// Opens the part program for reading as the controller reads it. Only a regular file is read: a
// directory, a FIFO or a device (a link to /dev/zero) would read as an empty or an endless
// program. nullptr after message code 7 naming the path and the reason.
FILE* openProgram(const char* programPath);

// Stage 0: reads the open program into store, writes a line into events (the open EV file) for
// every announced output event and stores the last record (flushPending), reporting stage 0 up to
// its final 100. The conversion state must have been reset (resetConversionState) and
// rapidsAsFeeds set. The caller closes both files. What the program holds that the dialect does
// not execute as written is reported through the message sink (code Warning) when the read
// completes; see gcode/diagnostics.h.
// events may be nullptr: the events are then not listed.
InterpretResult readProgram(FILE* program, const MotionLimits& limits, FILE* events,
                            SegmentStore& store, ProgressCallback progress);

}  // namespace pulsepost
