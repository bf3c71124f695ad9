#include "config/axis_map.h"

#include <cmath>

#include "config/machine_config.h"

namespace pulsepost {

namespace {

AxisMap gAxisMap{};

// The sense in which each logical axis counts when its pulses-per-unit value is not negative:
// Z counts downward. Y takes the opposite sense when it drives the X motor output.
constexpr int32_t kAxisSense[4] = {1, 1, -1, 1};

}  // namespace

AxisMap& axisMap() {
    return gAxisMap;
}

void resetAxisMap() {
    gAxisMap = AxisMap{};
}

// The axis map from the configuration: swapXY exchanges the motor outputs of X and Y (the table
// stays its own inverse, so it maps outputs to axes and axes to outputs alike); the sign of each
// axis is its sense, reversed when its pulses per unit are negative; an axis with 0 pulses per
// unit takes no part. The scale is the magnitude of the pulses per unit. A disabled axis gets
// scale 0, so that a scale left by an earlier configuration never reaches the output.
void buildAxisMap() {
    const bool swap = swapXY() != 0;
    gAxisMap.axisChannel[0] = swap ? 1 : 0;
    gAxisMap.axisChannel[1] = swap ? 0 : 1;
    gAxisMap.axisChannel[2] = 2;
    gAxisMap.axisChannel[3] = 3;
    for (int axis = 0; axis < 4; ++axis) {
        const double v = stepsPerUnit(axis);  // pulses per unit
        int32_t sense = kAxisSense[axis];
        if (axis == 1 && swap) sense = -sense;
        gAxisMap.axisSign[axis] = v < 0.0 ? -sense : sense;
        gAxisMap.axisEnabled[axis] = v != 0.0 ? 1 : 0;
        gAxisMap.axisScale[axis] = v != 0.0 ? std::fabs(v) : 0.0;
    }
}

}  // namespace pulsepost
