// A whole conversion of an arbitrary program through the exported p, with one of four small fixed
// configurations in a scratch directory: inputs of even length run on a quick machine (1000
// pulses per unit, fast speeds, F words in effect, rapids as rapid moves), inputs of odd length
// on the default configuration (A moves no motor); every second input of each declares the
// machine's unit in params.cfg (millimetres for the quick machine, inches for the default one),
// so that G20 and G21 scale the program's lengths. Whatever the program:
//   - p returns 0 or -1, and -1 only with a message that says why (or after Esc);
//   - a refusal is never reported as a success;
//   - every file it opened is closed and both stores are released at every end;
//   - when the conversion completed, the CM, BRK, LIM and EV files read back as one consistent
//     set of streams (the readback validation).
// Runs are bounded by store pages and by time (Esc after half a second), see RunBudget.
#include <cstdio>
#include <filesystem>
#include <string>

#include "config/cut_params.h"
#include "config/machine_config.h"
#include "config/machine_config_layout.h"
#include "fuzz_support.h"
#include "pulsepost/pulsepost.h"
#include "readback/configured_scale.h"
#include "readback/motion_readback.h"

using namespace pulsepost;

namespace {

struct Machine {
    std::string configDir;
    MotionScale scale;
};

Machine gMachines[4];

void writeConfiguration(Machine& machine, const char* name, bool quick, const char* unitLine) {
    machine.configDir = fuzzing::scratchFile(name);
    std::filesystem::create_directories(machine.configDir);
    setConfigurationDirectory(machine.configDir.c_str());
    resetMachineConfig();
    setDefaultMachineConfig();
    if (quick) fuzzing::setSmallMachine(machineConfig());
    if (!writeMachineConfig()) fuzzing::propertyBroken("cannot write %s", name);
    if (!writeDefaultCutParams()) fuzzing::propertyBroken("cannot write params.cfg in %s", name);
    if (unitLine != nullptr) {
        FILE* params = std::fopen(paramsFilePath(), "ab");
        if (params == nullptr || std::fputs(unitLine, params) < 0 || std::fclose(params) != 0) {
            fuzzing::propertyBroken("cannot declare the unit in %s", name);
        }
    }
    if (!readConfiguredScale(machine.configDir.c_str(), machine.scale)) {
        fuzzing::propertyBroken("the configuration %s does not read back", name);
    }
}

struct Run {
    const char* programPath;
    const char* configDir;
    int32_t result = 0;
};

void convert(void* context) {
    Run& run = *static_cast<Run*>(context);
    run.result = p(run.programPath, nullptr, run.configDir);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const std::string program = fuzzing::scratchFile("program.nc");
    static bool configured = false;
    if (!configured) {
        writeConfiguration(gMachines[0], "quick", true, nullptr);
        writeConfiguration(gMachines[1], "default", false, nullptr);
        writeConfiguration(gMachines[2], "quick-mm", true, "mm\r\n");
        writeConfiguration(gMachines[3], "default-in", false, "in\r\n");
        configured = true;
    }
    const Machine& machine = gMachines[size % 4];
    fuzzing::writeInput(program, data, size);
    Run run{program.c_str(), machine.configDir.c_str()};
    fuzzing::RunBudget budget;
    budget.maxSeconds = 0.5;
    const fuzzing::RunOutcome outcome = fuzzing::guardedRun(budget, &convert, &run);
    if (outcome.overBudget || outcome.escaped) return 0;

    const bool explained = outcome.refusals + outcome.fileFailures + outcome.storeFailures > 0 ||
                           !outcome.lastMessage.empty();
    if (run.result != 0 && run.result != -1) {
        fuzzing::propertyBroken("p returned %d", run.result);
    }
    if (run.result == -1 && !explained) fuzzing::propertyBroken("p failed without a message");
    if (run.result == 0 && outcome.refusals > 0) {
        fuzzing::propertyBroken("a refusal reported as success: %s", outcome.lastMessage.c_str());
    }
    if (run.result != 0) return 0;

    static Readback readback;
    ReadbackError error;
    if (readbackProgram(program.c_str(), machine.scale, readback, error) != 0) {
        fuzzing::propertyBroken("a completed conversion does not read back: %s",
                                describeReadbackError(error).c_str());
    }
    return 0;
}
