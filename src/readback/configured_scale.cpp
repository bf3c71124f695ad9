#include "readback/configured_scale.h"

#include "pulsepost/pulsepost.h"

namespace pulsepost {

bool readConfiguredScale(const char* configDir, MotionScale& scale) {
    const bool scaleRead = pulsepost_read_scale(configDir, scale.stepsPerUnit, &scale.swapXY) == 0;
    const bool limitsRead =
        pulsepost_read_motion_limits(configDir, &scale.topSpeed, &scale.acceleration) == 0;
    return scaleRead && limitsRead;
}

}  // namespace pulsepost
