// ZORVAN.CFG reader. Any bytes may be in the file; the reader must neither crash nor overrun a
// field. When the file reads good, writing the configuration back and reading it again must be
// good too, with the same values (doubles as six decimals give them back), or the next call
// would throw the user's settings away; and the validation of what was read must not fail.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/axis_map.h"
#include "config/config_validation.h"
#include "config/machine_config.h"
#include "config/machine_config_layout.h"
#include "fuzz_support.h"

using namespace pulsepost;

namespace {

// What a double reads back as after it was written with "%f".
double throughSixDecimals(double value) {
    static char text[512];
    std::snprintf(text, sizeof text, "%f", value);
    return std::strtod(text, nullptr);
}

bool sameDouble(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return a == b;
}

void checkRoundTrip() {
    static MachineConfig first;
    first = machineConfig();
    if (!writeMachineConfig()) fuzzing::propertyBroken("a good configuration cannot be written");
    resetMachineConfig();
    if (readMachineConfig() != 0) fuzzing::propertyBroken("a rewritten good file reads damaged");
    MachineConfig& second = machineConfig();
    ConfigValueList before = configValues(first);
    ConfigValueList after = configValues(second);
    for (int i = 0; i < kConfigValueCount; ++i) {
        const ConfigValue& a = before[i];
        const ConfigValue& b = after[i];
        bool same = true;
        switch (a.kind) {
            case ConfigKind::Hex:
            case ConfigKind::Unsigned:
                same = *static_cast<uint32_t*>(a.field) == *static_cast<uint32_t*>(b.field);
                break;
            case ConfigKind::Unsigned16:
                same = *static_cast<uint16_t*>(a.field) == *static_cast<uint16_t*>(b.field);
                break;
            case ConfigKind::Long:
            case ConfigKind::Int:
                same = *static_cast<int32_t*>(a.field) == *static_cast<int32_t*>(b.field);
                break;
            case ConfigKind::Double:
                same = sameDouble(throughSixDecimals(*static_cast<double*>(a.field)),
                                  *static_cast<double*>(b.field));
                break;
            case ConfigKind::Text: {
                char text[kConfigTextSize];
                storableText(text, static_cast<char*>(a.field));
                same = std::strcmp(text, static_cast<char*>(b.field)) == 0;
                break;
            }
        }
        if (!same) fuzzing::propertyBroken("value %d changed on the round trip", i + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string& dir = fuzzing::scratchDirectory();
    setConfigurationDirectory(dir.c_str());
    fuzzing::writeInput(configFilePath(), data, size);
    resetMachineConfig();
    if (readMachineConfig() == 0) {
        checkRoundTrip();
        buildAxisMap();
        ConfigProblem problem;
        validateConfiguration(problem);
    }
    return 0;
}
