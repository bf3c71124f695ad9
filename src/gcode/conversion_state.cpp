#include "gcode/conversion_state.h"

namespace pulsepost {

namespace {
ConversionState gState{};
}

ConversionState& conversionState() {
    return gState;
}

void resetConversionState() {
    gState = ConversionState{};
    gState.pending = placeholderRecord();
}

void stampModalValues(Segment& record) {
    record.tool = gState.tool;
    record.spindle = gState.spindle;
    record.outputs = gState.outputs;
    record.pValue = gState.pValue;
    record.sValue = gState.sValue;
    record.set(SegmentFlags::EventMark, (gState.eventFlags & SegmentFlags::EventMark) != 0);
}

}  // namespace pulsepost
