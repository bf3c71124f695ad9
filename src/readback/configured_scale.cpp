#include "readback/configured_scale.h"

#include "config/machine_config.h"

namespace pulsepost {

bool readConfiguredScale(const char* configDir, MotionScale& scale) {
    setConfigurationDirectory(configDir);
    const bool good = readMachineConfig() == 1;
    if (!good) setDefaultMachineConfig();  // in memory only: a readback never writes the file
    for (int axis = 0; axis < 4; ++axis)
        scale.stepsPerUnit[axis] = stepsPerUnit(axis);
    scale.swapXY = swapXY();
    return good;
}

}  // namespace pulsepost
