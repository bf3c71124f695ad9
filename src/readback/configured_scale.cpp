#include "readback/configured_scale.h"

#include "pulsepost/pulsepost.h"

namespace pulsepost {

bool readConfiguredScale(const char* configDir, MotionScale& scale) {
    return pulsepost_read_scale(configDir, scale.stepsPerUnit, &scale.swapXY) == 0;
}

}  // namespace pulsepost
