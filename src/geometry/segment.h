// Segment: the one record of the path, 152 bytes, copied by value. A straight move, a circular
// arc, or a machine event at a point of the path. Built by makeMove, makeArc and makeEvent, which
// set its geometry only: the modal values (tool, spindle, outputs, P, S, event mark) stay zero
// until the interpreter's append stamps them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "geometry/vec4.h"

namespace pulsepost {

// Fixed codes: the break stream carries the kind byte as the tag of its entries.
enum class SegmentKind : uint8_t {
    Rapid = 0,
    SpindleEvent = 5,
    OutputEvent = 6,
    ToolChange = 7,
    Pause = 8,
    Dwell = 9,
    Feed = 16,
    WaitInput = 17,
    SpindleSpeed = 187,
    AuxValue = 188,
    Placeholder = 255,
};

namespace SegmentFlags {
constexpr uint32_t Arc = 0x01;           // circular arc about centre
constexpr uint32_t MinorArc = 0x02;      // at most half a turn; in WaitInput: awaited level on
constexpr uint32_t StopAtEnd = 0x04;     // the motion comes to rest at the end
constexpr uint32_t FilletBefore = 0x08;  // a fillet arc goes at the corner where this begins
constexpr uint32_t BreakPoint = 0x10;    // has an entry in the break stream
constexpr uint32_t EventMark = 0x20;     // built while the one-shot output-event mark was set
}  // namespace SegmentFlags

constexpr double kCentreTolerance = 1e-7;
// The most an arc's end radius may differ from its start radius, as a share of the start radius,
// for the tick stage to trace it (beyond that only by a few pulses): more is no rounding of a
// centre but a programming fault.
constexpr double kArcRadiusShare = 0.01;  // units: start/end radius difference that is corrected

struct Segment {
    SegmentKind kind = SegmentKind::Rapid;
    uint32_t flags = 0;       // SegmentFlags bits; bits 6..31 always 0
    uint8_t tool = 0;         // tool number when built
    uint8_t spindle = 0;      // 1 on, 0 off; coded output number in an M90/M91 SpindleEvent
    uint8_t outputs = 0;      // output bits, bit 0 = coolant
    uint8_t axisMask = 0;     // Rapid: moved axes (bit i = axis i); WaitInput: input number
    int16_t pValue = 0;       // P value; on an EventMark Feed: per cent of length of the event
    int32_t sValue = 0;       // S word or M57 value
    Vec4 start;               // units
    Vec4 end;                 // units; equals start in events
    Vec4 centre;              // units; arc centre, zero in lines and events
    double length = 0.0;      // units: path length (0 in events)
    double distance = 0.0;    // units: appended length, then path distance to the start (feeds)
    double speed = 0.0;       // units per second: speed limit (0 in events)
    int32_t profileMark = 0;  // profile store byte offset when the planner began this record

    bool is(SegmentKind k) const { return kind == k; }
    bool has(uint32_t flag) const { return (flags & flag) != 0; }
    void set(uint32_t flag, bool on) { flags = on ? (flags | flag) : (flags & ~flag); }
};

constexpr int32_t kSegmentBytes = 152;  // bytes of one record, in the stores and their progress
static_assert(sizeof(Segment) == kSegmentBytes,
              "the segment store pages hold 500000 records of 152 bytes");
static_assert(offsetof(Segment, flags) == 4);
static_assert(offsetof(Segment, tool) == 8);
static_assert(offsetof(Segment, axisMask) == 11);
static_assert(offsetof(Segment, pValue) == 12);
static_assert(offsetof(Segment, sValue) == 16);
static_assert(offsetof(Segment, start) == 24);
static_assert(offsetof(Segment, end) == 56);
static_assert(offsetof(Segment, centre) == 88);
static_assert(offsetof(Segment, length) == 120);
static_assert(offsetof(Segment, distance) == 128);
static_assert(offsetof(Segment, speed) == 136);
static_assert(offsetof(Segment, profileMark) == 144);

inline bool isMove(const Segment& s) {
    return s.kind == SegmentKind::Rapid || s.kind == SegmentKind::Feed;
}
inline bool isEvent(const Segment& s) {
    switch (s.kind) {
        case SegmentKind::SpindleEvent:
        case SegmentKind::OutputEvent:
        case SegmentKind::ToolChange:
        case SegmentKind::Pause:
        case SegmentKind::Dwell:
        case SegmentKind::WaitInput:
        case SegmentKind::SpindleSpeed:
        case SegmentKind::AuxValue:
            return true;
        default:
            return false;
    }
}

// A straight record; Rapid records come with StopAtEnd | BreakPoint.
Segment makeMove(SegmentKind kind, const Vec4& start, const Vec4& end, double speed);

// An arc about centre; bit 0 of minor sets MinorArc. A centre nearer the start than the end by
// more than kCentreTolerance is moved onto the chord's perpendicular bisector first.
Segment makeArc(SegmentKind kind, const Vec4& start, const Vec4& end, const Vec4& centre, int minor,
                double speed);

// makeArc, and hasRadiusAndDirections of the arc it makes, taken from the radii makeArc measures
// where they make it sure.
Segment makeArcWithDirections(SegmentKind kind, const Vec4& start, const Vec4& end,
                              const Vec4& centre, int minor, double speed, bool& hasDirections);

// An event at the position, with StopAtEnd.
Segment makeEvent(SegmentKind kind, const Vec4& position);

// Sets length: the chord for a line; for an arc the length of its curve (see arcEndRadius), the
// shorter way when MinorArc is set, the longer way (a full circle when start = end) otherwise.
void computeLength(Segment& s);

// An arc's curve. Its radius changes linearly with the angle turned, from the start radius to the
// end radius (a spiral, as RS274 controllers run an arc whose end lies off the circle through its
// start), so that the curve arrives at the programmed end. Radii that differ by at most
// kCentreTolerance make a circle of the start radius.
double arcStartRadius(const Segment& s);  // units
double arcEndRadius(const Segment& s);    // units; the start radius for a circle
// Units: the smaller of arcStartRadius and arcEndRadius, each radius measured once.
double arcLeastRadius(const Segment& s);
// Radians turned from start to end in the direction of travel, 0 .. 2π (2π for a full circle),
// taken from the directions of the two radii.
double arcAngle(const Segment& s);
// Units: the radius of the curve after turning angle radians from the start.
double arcRadiusAt(const Segment& s, double angle);

// Radians between two vectors, 0 .. π, exact to rounding at any angle (no vector may be zero).
double angleApart(const Vec4& a, const Vec4& b);

// Direction of travel at the start (atEnd false) or the end; not normalised. For a line its
// magnitude is the length; for an arc r·|sin θ|, so zero for a half or a full circle.
Vec4 tangentAt(const Segment& s, bool atEnd);

// An arc with a start radius and a direction of travel at both ends: arcStartRadius and the
// lengths of tangentAt at both ends all above zero.
bool hasRadiusAndDirections(const Segment& arc);

// The record that reserves a fillet slot and marks "no record yet": kind Placeholder, all zero.
const Segment& placeholderRecord();

}  // namespace pulsepost
