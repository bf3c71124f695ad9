#include "gcode/canned_cycles.h"

#include <algorithm>

#include "gcode/conversion_state.h"
#include "gcode/line_words.h"
#include "gcode/machine_events.h"

namespace pulsepost {

// Theory of operation: the cycles.
//
// Every cycle line (also one without coordinate words) drills one hole at the line's X, Y (and
// A), starting from h, the tool's height when the line begins. Cycle heights are machine z as
// read: neither the work offset nor incremental mode applies to the retract plane R or the
// depth Z. All moves are Feed records; positioning runs at the rapid speed, vertical traverses
// at the Z rapid speed, cutting at the plunge speed.
//
//   drilling (G81 G82 G84 G85 G89)      peck (G83 G86 G87 G88)
//   h  ->--+                            reference --+   (R plane once given)
//          | (to R when given)                      |   feed to each new depth,
//          |                                        |   retract (G83/G86/G88 fully,
//          v depth  (dwell: G82, G89)               |   G87 by W); G86 returns at Z rapid
//          ^ back to R (or h)                       v   to W above the new depth first
//
// The peck loop ends by exact equality with the depth, which limiting every new depth to it
// guarantees as long as each peck makes progress. A peck that makes none (V0, Q0 without V,
// a negative peck, or one too small to change the depth's floating-point value) would loop
// forever; such a cycle is refused, as is one with more pecks than the path store could ever
// hold.

namespace {

// Pecks of one cycle beyond which its records could never fit the store (each peck stores at
// least two records).
constexpr double kMaxPecksPerCycle =
    static_cast<double>(kMaxPages) * static_cast<double>(kRecordsPerPage) / 2.0;

Vec4 onAxis(const Vec4& target, double z) {
    return Vec4(target.x, target.y, z, target.a);
}

int32_t move(const Vec4& end, double speed, const MotionState& motion, SegmentStore& store) {
    return appendMoveTo(SegmentKind::Feed, end, speed, motion, store);
}

// After every peck: a dwell at the bottom (every peck for G88, the last for the others), then the
// retract to the point the mode keeps (top).
int32_t finishPeck(const MotionState& motion, const Vec4& target, double depth, Vec4& top,
                   SegmentStore& store) {
    const int32_t mode = motion.motionMode;
    if (mode == 88 || depth == motion.cycleDepth) appendEventHere(SegmentKind::Dwell, store);
    if (mode == 83 || mode == 86) top = onAxis(target, motion.peckReference);
    if (mode == 87) top = onAxis(target, depth + motion.peckClearance);
    return move(top, motion.rapidSpeedZ, motion, store);
}

int32_t refuseEndlessPecks(const MotionState& motion) {
    return refuseLine(motion.lineNumber,
                      "the peck cycle would never reach its depth (the peck increment is too "
                      "small or not positive)");
}

}  // namespace

int32_t runDrillingCycle(MotionState& motion, const Vec4& target, SegmentStore& store) {
    const double h = currentPosition().z;
    const double retract = motion.retractPlaneGiven ? motion.retractPlane : h;
    if (move(onAxis(target, h), motion.rapidSpeed, motion, store) != 0) return kRefused;
    if (motion.retractPlaneGiven &&
        move(onAxis(target, motion.retractPlane), motion.rapidSpeedZ, motion, store) != 0) {
        return kRefused;
    }
    if (move(onAxis(target, motion.cycleDepth), motion.plungeSpeed, motion, store) != 0) {
        return kRefused;
    }
    if (motion.motionMode == 82 || motion.motionMode == 89) {
        appendEventHere(SegmentKind::Dwell, store);
    }
    return move(onAxis(target, retract), motion.rapidSpeedZ, motion, store);
}

int32_t runPeckCycle(MotionState& motion, const Vec4& target, SegmentStore& store) {
    const double h = currentPosition().z;
    // The first peck cycle of a read starts from the tool's height; later ones from the height
    // the previous one left.
    if (!motion.peckReferenceSet) {
        motion.peckReference = h;
        motion.peckReferenceSet = true;
    }
    Vec4 top = onAxis(target, motion.peckReference);
    if (move(top, motion.rapidSpeed, motion, store) != 0) return kRefused;
    if (motion.retractPlaneGiven) {
        top = onAxis(target, motion.retractPlane);
        if (move(top, motion.rapidSpeedZ, motion, store) != 0) return kRefused;
        motion.peckReference = motion.retractPlane;
    } else {
        motion.peckReference = currentPosition().z;
    }

    double depth = std::max(motion.peckReference - motion.firstPeck, motion.cycleDepth);
    if (depth != motion.cycleDepth) {
        if (!(motion.nextPeck > 0.0)) return refuseEndlessPecks(motion);
        if ((depth - motion.cycleDepth) / motion.nextPeck > kMaxPecksPerCycle) {
            return refuseLine(motion.lineNumber,
                              "the peck cycle has more pecks than a program can hold");
        }
    }
    if (move(onAxis(target, depth), motion.plungeSpeed, motion, store) != 0) return kRefused;
    if (finishPeck(motion, target, depth, top, store) != 0) return kRefused;

    while (depth != motion.cycleDepth) {
        const double next = std::max(depth - motion.nextPeck, motion.cycleDepth);
        if (!(next < depth)) return refuseEndlessPecks(motion);
        depth = next;
        if (motion.motionMode == 86) {
            top = onAxis(target, depth + motion.peckClearance);
            if (move(top, motion.rapidSpeedZ, motion, store) != 0) return kRefused;
        }
        if (move(onAxis(target, depth), motion.plungeSpeed, motion, store) != 0) return kRefused;
        if (finishPeck(motion, target, depth, top, store) != 0) return kRefused;
    }

    motion.peckReference = h;
    return move(onAxis(target, h), motion.rapidSpeedZ, motion, store);
}

}  // namespace pulsepost
