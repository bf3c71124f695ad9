// The conversion's first four stages over an arbitrary program: reading and interpretation,
// fillets, distances, velocity planning and the profile distances, with a small fixed
// configuration. Whatever the program, no record may carry a position, length, distance or speed
// that is not a finite number, no Feed record may reach the planner with a speed it cannot plan
// (the planner would refuse it), and no knot of the profile may be other than finite with a
// speed of at least 0. The input's length chooses the machine's unit (undeclared, inches or
// millimetres, so that G20 and G21 scale the lengths) and whether Y moves a motor (0 pulses per
// unit on Y every second choice, so that arcs in a plane with a disabled axis are read too).
#include <cmath>
#include <cstdio>

#include "config/axis_map.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "config/machine_config_layout.h"
#include "entry/conversion_driver.h"
#include "fuzz_support.h"
#include "gcode/conversion_state.h"
#include "gcode/interpreter.h"
#include "planner/velocity_profile.h"
#include "refine/distance_pass.h"
#include "refine/fillet_pass.h"
#include "store/profile_store.h"
#include "store/segment_store.h"

using namespace pulsepost;

namespace {

bool finite(const Vec4& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && std::isfinite(v.a);
}

void checkRecords(SegmentStore& store) {
    rewind(store);
    for (int32_t i = 0; i < store.highWater; ++i) {
        Segment s;
        read(&s, 1, store);
        if (s.kind != SegmentKind::Rapid && s.kind != SegmentKind::Feed) continue;
        if (!finite(s.start) || !finite(s.end) || !finite(s.centre) || !std::isfinite(s.length) ||
            !std::isfinite(s.distance) || !std::isfinite(s.speed)) {
            fuzzing::propertyBroken("record %d (kind %d) is not finite", i,
                                    static_cast<int>(s.kind));
        }
        if (s.kind == SegmentKind::Feed && !(s.speed > 0.0)) {
            fuzzing::propertyBroken("feed record %d has speed %g", i, s.speed);
        }
    }
}

void checkKnots(ProfileStore& profile) {
    rewind(profile);
    for (int32_t i = 0; i < profile.highWater; ++i) {
        ProfilePoint k;
        read(&k, 1, profile);
        if (!std::isfinite(k.time) || !std::isfinite(k.velocity) || !std::isfinite(k.distance) ||
            k.velocity < 0.0) {
            fuzzing::propertyBroken("knot %d: time %g velocity %g distance %g", i, k.time,
                                    k.velocity, k.distance);
        }
    }
}

struct Run {
    const char* programPath;
    MachineUnit unit;
    FILE* events;  // the EV lines are written but not kept: the file would grow with every input
    bool planned = false;
    bool refusedByPlanner = false;
};

void interpretAndPlan(void* context) {
    Run& run = *static_cast<Run*>(context);
    MotionLimits limits = interpreterLimits();
    limits.unit = run.unit;
    resetConversionState();
    conversionState().rapidsAsFeeds = (optionBits() & kOptionRapidsAsFeeds) != 0 ? 1 : 0;

    SegmentStore segments;
    ProfileStore profile;
    create(segments);
    create(profile);
    FILE* program = openProgram(run.programPath);
    const bool read = program && readProgram(program, limits, run.events, segments, nullptr) ==
                                     InterpretResult::Read;
    if (program) std::fclose(program);
    if (read && runFilletPass(segments, nullptr) == 0 &&
        runDistancePass(segments, limits.acceleration, nullptr) == 0) {
        checkRecords(segments);
        ProfilePoint last;
        const PlanResult plan =
            planVelocityProfile(segments, profile, limits.acceleration, nullptr, last);
        if (plan == PlanResult::Refused) run.refusedByPlanner = true;
        if (plan == PlanResult::Planned && integrateProfileDistance(profile, nullptr) == 0) {
            run.planned = true;
            checkKnots(profile);
        }
    }
    destroy(profile);
    destroy(segments);
}

void configure(bool movesY) {
    resetMachineConfig();
    setDefaultMachineConfig();
    fuzzing::setSmallMachine(machineConfig());
    if (!movesY) machineConfig().stepsPerUnit[1] = 0.0;
    buildAxisMap();
    resetCutParams();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const std::string path = fuzzing::scratchFile("program.nc");
    constexpr MachineUnit kUnits[] = {MachineUnit::Undeclared, MachineUnit::Inch,
                                      MachineUnit::Millimetre};
    const bool movesY = (size / 3) % 2 == 0;
    static int configured = -1;
    if (configured != (movesY ? 1 : 0)) {
        configure(movesY);
        configured = movesY ? 1 : 0;
    }
    fuzzing::writeInput(path, data, size);
    // Opened once, before the first guarded run, so that it never counts as a file left open.
    static FILE* const events = std::fopen("/dev/null", "w");
    Run run{path.c_str(), kUnits[size % 3], events};
    const fuzzing::RunOutcome outcome = fuzzing::guardedRun({}, &interpretAndPlan, &run);
    if (run.refusedByPlanner && !outcome.overBudget && !outcome.escaped) {
        fuzzing::propertyBroken("the planner refused a record: %s", outcome.lastMessage.c_str());
    }
    return 0;
}
