#include "readback/step_limits.h"

#include <cmath>
#include <cstdio>

#include "platform/units.h"

namespace pulsepost {

// Theory of operation.
//
// The stream samples the path 643 times per second and each word is the difference of two
// rounded pulse positions. At a speed of at most v units per second an output of p pulses per
// unit moves at most p·v/643 pulses between two ticks, and the two roundings add at most one
// pulse: that is the step bound. The change of step between two ticks is the second difference
// of the positions: a path that accelerates at a along itself steps by at most p·a/643² more
// from one tick to the next. The planner holds the acceleration along the path and the
// centripetal acceleration of arcs each within the configured acceleration, so together an axis
// sees at most √2 times it; the three roundings in a second difference add at most two pulses.
// A step above either bound is a jump the motor cannot follow (lost steps, a stall).
//
//   position  x0     x1     x2          step  x1-x0, x2-x1      change  x2 - 2·x1 + x0

namespace {

const char* const kAxisNames[4] = {"X", "Y", "Z", "A"};
constexpr double kStepRoundingPulses = 1.0;    // two rounded positions
constexpr double kChangeRoundingPulses = 2.0;  // three rounded positions
const double kPathAndCentripetal = std::sqrt(2.0);

void keep(std::vector<StepExcess>& kept, int64_t tick, int32_t output, int32_t axis, int32_t pulses,
          double bound, const Vec4& position) {
    if (static_cast<int32_t>(kept.size()) >= kStepExcessesKept) return;
    StepExcess e;
    e.tick = tick;
    e.output = output;
    e.axis = axis;
    e.pulses = pulses;
    e.bound = bound;
    e.position = position;
    kept.push_back(e);
}

void describe(const StepExcess& e, const char* what, const char* limit,
              std::vector<std::string>& findings) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "output %d (%s) %s %d pulses at %.3f s (X%.4f Y%.4f Z%.4f); the %s allows %.1f",
                  e.output, kAxisNames[e.axis], what, e.pulses,
                  static_cast<double>(e.tick) / kTicksPerSecond, e.position.x, e.position.y,
                  e.position.z, limit, e.bound);
    findings.push_back(text);
}

}  // namespace

void setStepBounds(StepLimitCheck& check, const double (&pulsesPerUnit)[4], double topSpeed,
                   double acceleration) {
    constexpr double perTick = 1.0 / kTicksPerSecond;
    for (int k = 0; k < 4; ++k) {
        const double p = std::fabs(pulsesPerUnit[k]);
        check.stepBound[k] = p * topSpeed * perTick + kStepRoundingPulses;
        check.changeBound[k] =
            p * kPathAndCentripetal * acceleration * perTick * perTick + kChangeRoundingPulses;
    }
}

void restartSteps(StepLimitCheck& check) {
    for (int32_t& s : check.lastStep)
        s = 0;
}

void checkTickSteps(StepLimitCheck& check, int64_t tick, const int32_t (&steps)[4],
                    const int32_t (&axes)[4], const Vec4& position) {
    for (int k = 0; k < 4; ++k) {
        const int32_t step = steps[k];
        const int32_t change = step - check.lastStep[k];
        check.lastStep[k] = step;
        if (std::abs(step) > check.stepBound[k]) {
            ++check.stepCount;
            keep(check.steps, tick, k, axes[k], step, check.stepBound[k], position);
        }
        if (std::abs(change) > check.changeBound[k]) {
            ++check.changeCount;
            keep(check.changes, tick, k, axes[k], change, check.changeBound[k], position);
        }
    }
}

void appendStepFindings(const StepLimitCheck& check, std::vector<std::string>& findings) {
    if (check.stepCount > 0) {
        findings.push_back(std::to_string(check.stepCount) +
                           " steps above what the top speed allows");
        for (const StepExcess& e : check.steps)
            describe(e, "steps", "top speed", findings);
    }
    if (check.changeCount > 0) {
        findings.push_back(std::to_string(check.changeCount) +
                           " changes of step above what the acceleration allows");
        for (const StepExcess& e : check.changes)
            describe(e, "changes its step by", "acceleration", findings);
    }
}

}  // namespace pulsepost
