// What a machine can follow, checked on the decoded pulse stream tick by tick: no output steps
// more pulses in one tick than the machine's top speed allows, and no output changes its step
// from one tick to the next by more than the machine's acceleration allows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/vec4.h"

namespace pulsepost {

// The first few excesses of each kind are kept with their place; all are counted.
constexpr int32_t kStepExcessesKept = 5;

struct StepExcess {
    int64_t tick = 0;    // the tick whose step is too large (or changed too much)
    int32_t output = 0;  // motor output
    int32_t axis = 0;    // logical axis the output carries
    int32_t pulses = 0;  // the step, or the change of step, signed
    double bound = 0.0;  // pulses: what the machine allows
    Vec4 position;       // units, after the tick
};

struct StepLimitCheck {
    double stepBound[4] = {0, 0, 0, 0};    // pulses per tick, by motor output
    double changeBound[4] = {0, 0, 0, 0};  // pulses per tick per tick, by motor output
    int32_t lastStep[4] = {0, 0, 0, 0};    // pulses, by motor output: the previous tick's step
    int64_t stepCount = 0;                 // ticks x outputs above the step bound
    int64_t changeCount = 0;               // ticks x outputs above the change bound
    std::vector<StepExcess> steps;         // the first kStepExcessesKept of each kind
    std::vector<StepExcess> changes;
};

// Bounds for outputs of pulsesPerUnit (magnitude; 0 for an output not written) on a machine whose
// highest speed is topSpeed (units per second) and whose acceleration is acceleration (units per
// second squared).
void setStepBounds(StepLimitCheck& check, const double (&pulsesPerUnit)[4], double topSpeed,
                   double acceleration);

// The machine is at rest (the start of the stream, the end of a rapid move the controller runs
// itself): the next step changes from 0.
void restartSteps(StepLimitCheck& check);

// One tick's steps, by motor output (outputs that are not written have a zero bound and step 0).
void checkTickSteps(StepLimitCheck& check, int64_t tick, const int32_t (&steps)[4],
                    const int32_t (&axes)[4], const Vec4& position);

// The findings a machinist reads: a count of each kind, then its first excesses.
void appendStepFindings(const StepLimitCheck& check, std::vector<std::string>& findings);

}  // namespace pulsepost
