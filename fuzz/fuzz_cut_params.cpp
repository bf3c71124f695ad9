// params.cfg reader: four numbers at the starts of lines, any bytes around them. The reader must
// not crash or read past its line buffer, and the validation of what it read must not either.
#include "config/config_validation.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "fuzz_support.h"

using namespace pulsepost;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string& dir = fuzzing::scratchDirectory();
    setConfigurationDirectory(dir.c_str());
    fuzzing::writeInput(paramsFilePath(), data, size);
    resetCutParams();
    readCutParams();
    ConfigProblem problem;
    validateConfiguration(problem);
    return 0;
}
