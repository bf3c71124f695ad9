// Reading the two text files written beside the program back: LIM, the six program bounds one
// per line, and EV, the announced output events. Both have CR LF line ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "readback/readback_error.h"

namespace pulsepost {

// The LIM file's lines in file order.
struct LimBounds {
    double maxX = 0.0;  // units
    double maxY = 0.0;
    double minX = 0.0;
    double minY = 0.0;
    double maxZ = 0.0;
    double minZ = 0.0;
};

// One line of the EV file: "ONAT,<at>,<out>" or "OFFAT,<at>,<out>".
struct EvLine {
    bool on = false;
    int32_t at = 0;   // per cent of the announcing move's length
    int32_t out = 0;  // output number
};

// Each returns 0, or -1 with the byte offset and line of the first thing that is not as
// written: a missing or extra line, a line that is not a number (LIM) or not an event (EV),
// a line end other than CR LF.
int32_t parseLimText(const std::string& text, LimBounds& out, ReadbackError& error);
int32_t parseEvText(const std::string& text, std::vector<EvLine>& out, ReadbackError& error);

// Reads a whole file into text; false when it cannot be opened or is not a regular file (a FIFO
// is never waited on).
bool readWholeFile(const char* path, std::string& text);

}  // namespace pulsepost
