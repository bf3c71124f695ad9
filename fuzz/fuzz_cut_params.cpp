// params.cfg reader: four numbers at the starts of lines and the optional fifth line's unit, any
// bytes around them. The reader must not crash or read past its line buffer, and the validation
// of what it read must not either. pulsepost config must show the file without crashing, and a
// unit it sets (in, mm or none, by the input's length) must be the unit the conversion then
// reads, with the four numbers unchanged.
#include <cstring>
#include <string>

#include "config/config_validation.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "fuzz_support.h"
#include "readback/config_files.h"

using namespace pulsepost;

namespace {

bool sameNumber(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string& dir = fuzzing::scratchDirectory();
    setConfigurationDirectory(dir.c_str());
    fuzzing::writeInput(paramsFilePath(), data, size);
    resetCutParams();
    readCutParams();
    ConfigProblem problem;
    validateConfiguration(problem);
    const CutParams before = cutParams();

    formatConfiguration(readConfigurationFiles(dir));
    constexpr const char* kUnitWords[] = {"in", "mm", "none"};
    constexpr MachineUnit kUnits[] = {MachineUnit::Inch, MachineUnit::Millimetre,
                                      MachineUnit::Undeclared};
    const std::size_t choice = size % 3;
    std::string message;
    if (setConfigurationValue(dir, "machine-unit", kUnitWords[choice], message) != 0) return 0;
    resetCutParams();
    readCutParams();
    const CutParams& after = cutParams();
    if (after.unit != kUnits[choice]) {
        fuzzing::propertyBroken("config set machine-unit %s, the conversion reads unit %d (%s)",
                                kUnitWords[choice], static_cast<int>(after.unit), message.c_str());
    }
    if (!sameNumber(before.toolHolderBackoff, after.toolHolderBackoff) ||
        !sameNumber(before.minFilletAngle, after.minFilletAngle) ||
        !sameNumber(before.maxFilletAngle, after.maxFilletAngle) ||
        !sameNumber(before.maxFilletError, after.maxFilletError)) {
        fuzzing::propertyBroken("config set machine-unit %s changed the four numbers",
                                kUnitWords[choice]);
    }
    return 0;
}
