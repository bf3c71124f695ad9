// Motion words: the G words, the coordinate and parameter words, the modal motion state, and the
// motion of a line (traverses, feed moves, arcs, and the canned cycles of canned_cycles.h).
#pragma once

#include <cstdint>

#include "gcode/interpreter.h"
#include "geometry/segment.h"
#include "store/segment_store.h"

namespace pulsepost {

constexpr double kInitialWorkOffset = 1e-7;  // units, on every axis until a G92 sets it

// The interpreter's modal state, local to one read and set to its start values at the start.
struct MotionState {
    int32_t motionMode = 1;  // 0..3, 73, 80..89 (G80 turns into 0 when its line runs)
    int32_t plane = 17;      // 17 XY, 18 ZX, 19 YZ: the normal of half and full circles
    bool incremental = false;
    Vec4 workOffset{kInitialWorkOffset, kInitialWorkOffset, kInitialWorkOffset,
                    kInitialWorkOffset};  // units: machine position - program position
    double rapidSpeed = 0.0;              // units per second
    double rapidSpeedZ = 0.0;             // units per second
    double feedSpeed = 0.0;               // units per second
    double plungeSpeed = 0.0;             // units per second
    bool ignoreFWords = false;
    uint8_t disabledAxes = 0;   // bit i: axis i moves no motor
    double retractPlane = 0.0;  // units, machine z; never offset or incremental
    bool retractPlaneGiven = false;
    double cycleDepth = 0.0;     // units, machine z; never offset or incremental
    double firstPeck = 0.1;      // units
    double nextPeck = 0.1;       // units
    double peckClearance = 0.0;  // units
    double peckReference = 0.0;  // units: the height peck cycles start their pecks from
    bool peckReferenceSet = false;
    int32_t lineNumber = 0;  // program line being read (1-based), for refusal messages
    // G20/G21 with a declared machine unit: a length word's value times unitMultiplier divided by
    // unitDivisor is in the machine's unit (one of them is 25.4 when the units differ, both are 1
    // when they agree, so that a program in the machine's unit reads exactly as written).
    MachineUnit machineUnit = MachineUnit::Undeclared;
    double unitMultiplier = 1.0;
    double unitDivisor = 1.0;
};

// What the words of one line give: the target T and the arc centre C (machine coordinates once
// resolved), and whether the line is a G92 line.
struct LineTarget {
    Vec4 target;
    Vec4 centre;
    bool g92 = false;
};

void resetMotionState(MotionState& motion, const MotionLimits& limits);

inline bool isDrillingMode(int32_t mode) {
    return mode >= 81 && mode <= 89;
}

// The G words of the line, left to right (G4 appends its dwell here). Marks a G92 line.
void handleGWords(const char* line, MotionState& motion, LineTarget& words, SegmentStore& store);

// The coordinate and parameter words, in their fixed order (the S word appends its event on the
// way), and the resolution of the target: a G92 line sets the work offset instead. 0, or
// kRefused when a number is not finite.
int32_t readLineWords(const char* line, MotionState& motion, LineTarget& words,
                      SegmentStore& store);

// The motion of the line in the current motion mode. 0, or kRefused.
int32_t runLineMotion(MotionState& motion, const LineTarget& words, SegmentStore& store);

// Builds a straight record of the kind from the current position to end and appends it; a
// record whose geometry is not finite (coordinates too large to measure) is refused instead.
int32_t appendMoveTo(SegmentKind kind, const Vec4& end, double speed, const MotionState& motion,
                     SegmentStore& store);

}  // namespace pulsepost
