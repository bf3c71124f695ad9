// ConversionState: the interpreter's process-wide state for the running conversion. The modal
// values are stamped into every record the append receives; the reader sets them, the append
// clears the event mark and keeps the pending record and the program bounds. The driver resets
// it at the start of every conversion; the driver and the LIM writer read the bounds afterwards.
#pragma once

#include <cstdint>

#include "geometry/segment.h"

namespace pulsepost {

struct ConversionState {
    Segment pending;            // record held back by the append; its end is the current position
    uint8_t tool = 0;           // current tool number
    uint8_t spindle = 0;        // 1 on, 0 off (a coded output number while an M90/M91 is built)
    uint8_t outputs = 0;        // output bits, bit 0 = coolant
    int16_t pValue = 0;         // current P value
    int32_t sValue = 0;         // current S (or M57) value
    uint32_t eventFlags = 0;    // SegmentFlags::EventMark: the one-shot output-event mark
    uint8_t rapidsAsFeeds = 0;  // straight traverses are planned as feed moves
    double minX = 0.0, maxX = 0.0;  // program bounds, units
    double minY = 0.0, maxY = 0.0;
    double minZ = 0.0, maxZ = 0.0;
};

ConversionState& conversionState();

// Everything back to its start value, at the start of a conversion: the pending record becomes
// the placeholder; the modal values, rapidsAsFeeds and the six bounds become 0.
void resetConversionState();

// Copies the modal values (tool, spindle, outputs, P, S and the event mark) into the record.
void stampModalValues(Segment& record);

}  // namespace pulsepost
