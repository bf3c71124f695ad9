// Whether the configuration just set up can drive a conversion. The configuration readers accept
// every number the C library converts, and that includes "nan", "inf" and hexadecimal floats: a
// damaged ZORVAN.CFG or params.cfg can therefore hold values that would turn every pulse target,
// speed or fillet into NaN or infinity. Such a configuration is refused, never silently repaired.
#pragma once

#include <cstdint>

namespace pulsepost {

constexpr int kConfigProblemSize = 160;  // bytes of a refusal text, NUL included

struct ConfigProblem {
    char text[kConfigProblemSize] = "";  // what is wrong, in which file, with the value
};

// Checks the machine configuration and the cutting parameters: every pulses-per-unit value
// finite (0 disables an axis, a negative value reverses it); the four speeds and the
// acceleration positive and finite; the fillet angles and the fillet error finite and not
// negative. Returns 0 when all hold, else -1 with the first problem described in problem.
int32_t validateConfiguration(ConfigProblem& problem);

}  // namespace pulsepost
