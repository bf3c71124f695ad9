#include "config/config_validation.h"

#include <cmath>
#include <cstdio>

#include "config/cut_params.h"
#include "config/machine_config.h"

namespace pulsepost {

namespace {

constexpr char kAxisLetters[4] = {'X', 'Y', 'Z', 'A'};

int32_t refuse(ConfigProblem& problem, const char* file, const char* what, double value,
               const char* expected) {
    std::snprintf(problem.text, sizeof problem.text, "%s: %s is %g; it must be %s", file, what,
                  value, expected);
    return -1;
}

}  // namespace

// The values are checked in the order a reader of the files meets them: ZORVAN.CFG (pulses per
// unit, speeds, acceleration), then params.cfg. Only values the conversion uses are checked;
// the carried ones may hold anything.
int32_t validateConfiguration(ConfigProblem& problem) {
    problem.text[0] = '\0';
    constexpr const char* kConfig = "ZORVAN.CFG";
    constexpr const char* kParams = "params.cfg";
    for (int axis = 0; axis < 4; ++axis) {
        const double v = stepsPerUnit(axis);
        if (!std::isfinite(v)) {
            char what[40];
            std::snprintf(what, sizeof what, "the pulses per unit of %c", kAxisLetters[axis]);
            return refuse(problem, kConfig, what, v, "a finite number");
        }
    }
    const struct {
        const char* what;
        double value;
    } positives[] = {
        {"the rapid speed", rapidSpeed()},    {"the Z rapid speed", rapidSpeedZ()},
        {"the feed speed", feedSpeed()},      {"the plunge speed", plungeSpeed()},
        {"the acceleration", acceleration()},
    };
    for (const auto& p : positives) {
        if (!(std::isfinite(p.value) && p.value > 0.0)) {
            return refuse(problem, kConfig, p.what, p.value, "positive and finite");
        }
    }
    const CutParams& cut = cutParams();
    const struct {
        const char* what;
        double value;
    } nonNegatives[] = {
        {"the minimum fillet angle", cut.minFilletAngle},
        {"the maximum fillet angle", cut.maxFilletAngle},
        {"the maximum fillet error", cut.maxFilletError},
    };
    for (const auto& p : nonNegatives) {
        if (!(std::isfinite(p.value) && p.value >= 0.0)) {
            return refuse(problem, kParams, p.what, p.value, "finite and not negative");
        }
    }
    return 0;
}

}  // namespace pulsepost
