// The library's one entry point for hosts.
#include <algorithm>
#include <atomic>
#include <cstring>

#include "config/axis_map.h"
#include "config/configuration_setup.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "entry/conversion_driver.h"
#include "output/output_files.h"
#include "platform/files.h"
#include "platform/units.h"
#include "pulsepost/pulsepost.h"
#include "report/message_sink.h"
#include "report/progress.h"
#include "store/paged_store.h"

namespace {

// The conversion keeps its state process-wide, so a second call while one runs (from another
// thread, or from the progress callback) would corrupt both: it is refused instead.
std::atomic<bool> gConversionRunning{false};

class RunningConversion {
  public:
    RunningConversion() : owner_(!gConversionRunning.exchange(true)) {}
    ~RunningConversion() {
        if (owner_) gConversionRunning.store(false);
    }
    RunningConversion(const RunningConversion&) = delete;
    RunningConversion& operator=(const RunningConversion&) = delete;
    bool owner() const { return owner_; }

  private:
    bool owner_;
};

// The configuration and the conversion, with every exception stopped here.
int32_t convertGuarded(const char* programPath, PulsepostProgress progress, const char* configDir) {
    using namespace pulsepost;
    try {
        if (setUpConfiguration(configDir) != 0) return -1;
        return runConversion(programPath, kBreakSpacingLimit, progress);
    } catch (const StoreExhausted&) {
        // Reported with its code (1 to 6) where the store failed; the conversion's files are
        // closed and its stores released on the way here.
        return -1;
    } catch (...) {
        // Nothing in the conversion throws otherwise; an allocation failure of the C++ runtime
        // or a host's callback that throws must still not unwind into a host that knows nothing
        // of C++.
        messageSink(MessageCode::Refused, "internal failure");
        return -1;
    }
}

}  // namespace

// One call converts one program: the configuration is rebuilt from its files in configDir, then
// the conversion runs. Paths longer than the library keeps are refused rather than cut, since a
// cut program path would name another file; so is a program that is one of the conversion's own
// files, before anything is touched. A conversion that does not complete leaves no earlier CM
// and BRK pair beside the program.
extern "C" PULSEPOST_API int32_t PULSEPOST_CALL p(const char* programPath,
                                                  PulsepostProgress progress,
                                                  const char* configDir) {
    using namespace pulsepost;
    const RunningConversion running;
    if (!running.owner()) {
        messageSink(MessageCode::Refused, "a conversion is already running");
        return -1;
    }
    clearAbortRequest();
    if (programPath == nullptr || configDir == nullptr) {
        messageSink(MessageCode::Refused, "no program path or configuration directory given");
        return -1;
    }
    if (std::strlen(programPath) > static_cast<std::size_t>(kPathLimit)) {
        messageSinkf(MessageCode::Refused, "the program path is longer than %d characters",
                     kPathLimit);
        return -1;
    }
    if (refuseProgramAmongOutputs(programPath, configDir) != 0) return -1;
    const int32_t result = convertGuarded(programPath, progress, configDir);
    if (result != 0) emptyEarlierStreams(programPath);
    return result;
}

#if !defined(_WIN32)
// The scale a reader of the streams needs, through the same reader of ZORVAN.CFG the conversion
// uses. A file that does not read leaves the defaults in memory only: reading never writes.
extern "C" PULSEPOST_API int32_t pulsepost_read_scale(const char* configDir, double stepsPerUnit[4],
                                                      int32_t* swapXY) {
    using namespace pulsepost;
    if (configDir == nullptr || stepsPerUnit == nullptr || swapXY == nullptr) return -1;
    const RunningConversion running;  // the configuration in memory is the running conversion's
    if (!running.owner()) return -1;
    setConfigurationDirectory(configDir);
    const bool good = readMachineConfig() == 0;
    if (!good) setDefaultMachineConfig();
    for (int axis = 0; axis < 4; ++axis)
        stepsPerUnit[axis] = pulsepost::stepsPerUnit(axis);
    *swapXY = static_cast<int32_t>(pulsepost::swapXY());
    return good ? 0 : -1;
}

extern "C" PULSEPOST_API void pulsepost_request_abort(void) {
    pulsepost::requestAbort();
}

// The diagnostics of a program without converting it: the configuration is read as the scale
// is (never written), then stage 0 runs with no output file.
extern "C" PULSEPOST_API int32_t pulsepost_check_program(const char* programPath,
                                                         const char* configDir) {
    using namespace pulsepost;
    if (programPath == nullptr || configDir == nullptr) return -1;
    const RunningConversion running;
    if (!running.owner()) return -1;
    setConfigurationDirectory(configDir);
    if (readMachineConfig() != 0) setDefaultMachineConfig();
    // The reader measures by pulses (an arc's full turn, its A move, the countable range).
    buildAxisMap();
    resetCutParams();
    readExistingCutParams();  // the machine's unit, which G20/G21 read against
    try {
        return checkProgram(programPath);
    } catch (...) {
        messageSink(MessageCode::Refused, "internal failure");
        return -1;
    }
}

// The unit a host declares for its conversions, in place of params.cfg's fifth line.
extern "C" PULSEPOST_API int32_t pulsepost_declare_unit(const char* unit) {
    using namespace pulsepost;
    MachineUnit declared = MachineUnit::Undeclared;
    if (unit != nullptr && std::strcmp(unit, "in") == 0) {
        declared = MachineUnit::Inch;
    } else if (unit != nullptr && std::strcmp(unit, "mm") == 0) {
        declared = MachineUnit::Millimetre;
    } else if (unit != nullptr && unit[0] != '\0') {
        return -1;
    }
    const RunningConversion running;  // a conversion reads the unit while it runs
    if (!running.owner()) return -1;
    setUnitOverride(declared);
    return 0;
}

extern "C" PULSEPOST_API const char* pulsepost_version(void) {
    return PULSEPOST_VERSION;
}

extern "C" PULSEPOST_API int32_t pulsepost_read_motion_limits(const char* configDir,
                                                              double* topSpeed,
                                                              double* acceleration) {
    using namespace pulsepost;
    if (configDir == nullptr || topSpeed == nullptr || acceleration == nullptr) return -1;
    const RunningConversion running;
    if (!running.owner()) return -1;
    setConfigurationDirectory(configDir);
    const bool good = readMachineConfig() == 0;
    if (!good) setDefaultMachineConfig();
    *topSpeed = perSecond(std::max({rapidSpeed(), rapidSpeedZ(), feedSpeed(), plungeSpeed()}));
    *acceleration = pulsepost::acceleration();
    return good ? 0 : -1;
}
#endif
