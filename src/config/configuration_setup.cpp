#include "config/configuration_setup.h"

#include "config/axis_map.h"
#include "config/cut_params.h"
#include "config/machine_config.h"

namespace pulsepost {

// The configuration of one call, rebuilt from its files every time: a good ZORVAN.CFG is taken
// as it is and FILTER.CFG is left alone; a missing or damaged one is replaced by the defaults
// with the FILTER.CFG overrides, written back. Then params.cfg (created when missing) and the
// axis map. A file that cannot be written or opened never stops the call: the values in memory
// are then the defaults.
void setUpConfiguration(const char* configDir) {
    setConfigurationDirectory(configDir);
    resetMachineConfig();
    resetCutParams();
    if (readMachineConfig() == 0) {
        setDefaultMachineConfig();
        applyFilterOverrides();
        writeMachineConfig();
    }
    readCutParams();
    buildAxisMap();
}

}  // namespace pulsepost
