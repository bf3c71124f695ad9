#include "gcode/segment_append.h"

#include <cmath>

#include "config/cut_params.h"
#include "gcode/conversion_state.h"
#include "geometry/angle_limit.h"

namespace pulsepost {

// Theory of operation: one record of look-behind.
//
// The append holds the latest accepted record back as the pending record; its end is the
// interpreter's current position. When the next record arrives, the corner between the two is
// judged from the directions of travel at the pending record's end (t1) and the new record's
// start (t2):
//
//        pending          theta = angle between t1 and t2
//   ---------------->*
//                     `-.  new
//                        `-.
//                           v
//
//   theta <= minFilletAngle                 straight on: nothing marked
//   minFilletAngle < theta <= maxFilletAngle  rounded later: the new record gets FilletBefore
//                                           and a Placeholder is stored before it
//   theta > maxFilletAngle                  the motion stops: the pending record gets StopAtEnd
//   a reversal (theta = 180 degrees)        a stop as well, even when maxFilletAngle allows it:
//                                           opposite directions have no fillet
//
// Rapids and events always stop the motion at their neighbours and carry a BreakPoint (an entry
// of the break stream); a move followed by a rapid gets one as well. Only then is the pending
// record written, so the store receives every record exactly once, in program order. Moves of
// zero length are dropped; a move whose direction at the corner has zero length cannot be judged
// and is discarded. The program bounds grow with every record's end point.

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kAxisMoveTolerance = 1e-10;  // units: an axis moves when it changes by more

constexpr uint32_t kStopAndBreak = SegmentFlags::StopAtEnd | SegmentFlags::BreakPoint;

void extendBounds(ConversionState& state, const Vec4& end) {
    if (end.z > state.maxZ) state.maxZ = end.z;
    if (end.z < state.minZ) state.minZ = end.z;
    if (end.x > state.maxX) state.maxX = end.x;
    if (end.x < state.minX) state.minX = end.x;
    if (end.y > state.maxY) state.maxY = end.y;
    if (end.y < state.minY) state.minY = end.y;
}

uint8_t movedAxes(const Segment& record) {
    uint8_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        if (std::fabs(record.end[i] - record.start[i]) > kAxisMoveTolerance) {
            mask = static_cast<uint8_t>(mask | (1u << i));
        }
    }
    return mask;
}

// Writes the record, preceded by the slot of its fillet arc when it has one.
void emit(const Segment& record, SegmentStore& store) {
    if (record.has(SegmentFlags::FilletBefore)) write(&placeholderRecord(), 1, store);
    write(&record, 1, store);
}

// Directions exactly opposite (to rounding): such a corner has no fillet, whatever the maximum
// fillet angle allows, so the motion stops there.
bool isReversal(const Vec4& t1, const Vec4& t2) {
    return length(add(scale(1.0 / length(t1), t1), scale(1.0 / length(t2), t2))) == 0.0;
}

// The cosine thresholds of the fillet angles, worked out again only when an angle changes (once
// per conversion at most).
const AngleLimit& limitFor(AngleLimit& limit, double degrees) {
    const double radians = degrees * kRadiansPerDegree;
    if (!(limit.radians == radians)) limit = angleLimit(radians);
    return limit;
}

// The corner between the pending move and a new move, both of non-zero length. Returns false
// when a direction has zero length: the new record is then discarded. The angle between the
// directions is compared with the fillet angles through its cosine (angle_limit.h).
bool judgeCorner(Segment& pending, Segment& record) {
    static AngleLimit maxFillet;
    static AngleLimit minFillet;
    const Vec4 t1 = tangentAt(pending, true);
    const Vec4 t2 = tangentAt(record, false);
    const double l = length(t1) * length(t2);
    if (l == 0.0) return false;
    const double cosine = dot(t1, t2) / l;
    const CutParams& params = cutParams();
    const bool stop = pending.has(SegmentFlags::BreakPoint) ||
                      angleAbove(limitFor(maxFillet, params.maxFilletAngle), cosine) ||
                      pending.has(SegmentFlags::StopAtEnd) || isReversal(t1, t2);
    pending.set(SegmentFlags::StopAtEnd, stop);
    record.set(SegmentFlags::FilletBefore,
               !stop && angleAbove(limitFor(minFillet, params.minFilletAngle), cosine));
    return true;
}

}  // namespace

void appendSegment(Segment& record, SegmentStore& store) {
    ConversionState& state = conversionState();
    Segment& pending = state.pending;

    stampModalValues(record);
    extendBounds(state, record.end);
    if (record.is(SegmentKind::Rapid)) record.axisMask = movedAxes(record);

    if (pending.is(SegmentKind::Placeholder)) {
        // The first record of the read. A move gets its appended length as every later move
        // does, so that a fillet at the program's first corner is limited by it too.
        if (isMove(record)) record.distance = record.length;
        pending = record;
        return;
    }

    const bool move = isMove(record);
    if (move && record.length == 0.0) return;

    if (!move) {
        if (pending.is(SegmentKind::Feed) && pending.length == 0.0) {
            pending = record;
            return;
        }
        pending.flags |= kStopAndBreak;
        record.set(SegmentFlags::FilletBefore, false);
        emit(pending, store);
        pending = record;
        return;
    }

    record.distance = record.length;
    if (pending.length != 0.0) {
        if (record.is(SegmentKind::Rapid)) pending.set(SegmentFlags::BreakPoint, true);
        if (!judgeCorner(pending, record)) return;
        emit(pending, store);
    } else if (isEvent(pending)) {
        pending.flags |= kStopAndBreak;
        record.set(SegmentFlags::FilletBefore, false);
        emit(pending, store);
    }
    // Otherwise the pending record is an empty first move: it is dropped unwritten.
    state.eventFlags &= ~SegmentFlags::EventMark;
    pending = record;
}

void flushPending(SegmentStore& store) {
    Segment& pending = conversionState().pending;
    pending.set(SegmentFlags::StopAtEnd, true);
    if (!pending.is(SegmentKind::Feed)) pending.set(SegmentFlags::BreakPoint, true);
    emit(pending, store);
}

}  // namespace pulsepost
