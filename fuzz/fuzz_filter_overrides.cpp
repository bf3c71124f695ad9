// FILTER.CFG reader: records of a letter and five integers, any bytes around them. After the
// read the file is still there (it goes only once the configuration that holds its overrides is
// in place), it is gone after removeFilterOverrides, and every row of the filter table holds
// parameters 2 and 4 of at least 3 (the defaults do, and every record applied is raised to 3).
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "config/machine_config_layout.h"
#include "fuzz_support.h"

#include <unistd.h>

using namespace pulsepost;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzzing::scratchDirectory();  // the current directory from now on
    resetMachineConfig();
    setDefaultMachineConfig();
    fuzzing::writeInput("FILTER.CFG", data, size);
    if (!applyFilterOverrides()) fuzzing::propertyBroken("FILTER.CFG was not read");
    if (access("FILTER.CFG", F_OK) != 0) fuzzing::propertyBroken("FILTER.CFG went before use");
    removeFilterOverrides();
    if (access("FILTER.CFG", F_OK) == 0) fuzzing::propertyBroken("FILTER.CFG was not deleted");
    for (int axis = 0; axis < 4; ++axis) {
        const int32_t* row = machineConfig().filterTable[axis];
        if (row[1] < 3 || row[3] < 3) {
            fuzzing::propertyBroken("axis %d: parameters 2 and 4 are %d and %d", axis, row[1],
                                    row[3]);
        }
    }
    return 0;
}
