#include "geometry/conversion_state.h"

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

}  // namespace pulsepost
