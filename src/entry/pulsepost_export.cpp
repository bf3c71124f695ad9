// The library's one entry point for hosts.
#include <cstring>

#include "config/configuration_setup.h"
#include "config/machine_config.h"
#include "entry/conversion_driver.h"
#include "output/output_files.h"
#include "platform/files.h"
#include "pulsepost/pulsepost.h"
#include "report/message_sink.h"

// One call converts one program: the configuration is rebuilt from its files in configDir, then
// the conversion runs. Paths longer than the library keeps are refused rather than cut, since a
// cut program path would name another file.
extern "C" PULSEPOST_API int32_t PULSEPOST_CALL p(const char* programPath,
                                                  PulsepostProgress progress,
                                                  const char* configDir) {
    using namespace pulsepost;
    if (programPath == nullptr || configDir == nullptr) {
        messageSink(MessageCode::Refused, "no program path or configuration directory given");
        return -1;
    }
    if (std::strlen(programPath) > static_cast<std::size_t>(kPathLimit)) {
        messageSinkf(MessageCode::Refused, "the program path is longer than %d characters",
                     kPathLimit);
        return -1;
    }
    try {
        setUpConfiguration(configDir);
        return runConversion(programPath, kBreakSpacingLimit, progress);
    } catch (...) {
        // Nothing in the conversion throws; an allocation failure of the C++ runtime must still
        // not unwind into a host that knows nothing of C++.
        messageSink(MessageCode::Refused, "internal failure");
        return -1;
    }
}

#if !defined(_WIN32)
// The scale a reader of the streams needs, through the same reader of ZORVAN.CFG the conversion
// uses. A file that does not read leaves the defaults in memory only: reading never writes.
extern "C" PULSEPOST_API int32_t pulsepost_read_scale(const char* configDir, double stepsPerUnit[4],
                                                      int32_t* swapXY) {
    using namespace pulsepost;
    if (configDir == nullptr || stepsPerUnit == nullptr || swapXY == nullptr) return -1;
    setConfigurationDirectory(configDir);
    const bool good = readMachineConfig() == 1;
    if (!good) setDefaultMachineConfig();
    for (int axis = 0; axis < 4; ++axis)
        stepsPerUnit[axis] = pulsepost::stepsPerUnit(axis);
    *swapXY = static_cast<int32_t>(pulsepost::swapXY());
    return good ? 0 : -1;
}
#endif
