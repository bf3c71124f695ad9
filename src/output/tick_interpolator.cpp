#include "output/tick_interpolator.h"

#include <algorithm>
#include <cmath>

#include "config/axis_map.h"
#include "geometry/vec4.h"
#include "output/step_word.h"
#include "platform/portable_math.h"
#include "platform/units.h"
#include "report/message_sink.h"

namespace pulsepost {

int32_t tickCount(double motionSeconds) {
    const double ticks = motionSeconds * kTicksPerSecond + 1.0;
    if (!(ticks < static_cast<double>(kMaxTickCount) + 1.0)) return -1;  // also NaN
    if (ticks < 0.0) return 0;
    return static_cast<int32_t>(ticks);
}

// Theory of operation
//
// The tick clock runs at 643 ticks per second. At tick n (time t = n / 643 s):
//
//  1. Profile: the knots K0, K that bracket t give the path distance s on the parabola of that
//     interval, s = K0.distance + K0.velocity * dt + a * dt^2 / 2 with dt = t - K0.time. After
//     the last knot s stays at the final distance.
//  2. Walk: the current Feed record holds s when distance <= s <= distance + length. When s has
//     gone past its end, the record is handed to the break-stream writer, and so are the rapid
//     moves and events that follow it in the store, up to the next Feed record, which becomes
//     current. A rapid move puts the pulse positions at its end point (the controller plays it
//     from the break stream). The walk repeats until the current record holds s, so that on a
//     path of moves shorter than one tick's travel every position still lies on the path; it
//     never leaves the last Feed record of the store (the rest belongs to the end of the stream).
//  3. Position at d = s - distance into the record: start + d * direction for a line; for an
//     arc centre + cos(d/R) * r0 + sin(d/R) * u, where r0 is the start radius and u the radius a
//     quarter turn further in the direction of travel:
//
//                 u  (length R, perpendicular to r0, towards the end point for a minor arc)
//                 ^
//                 |   . end
//                 |  /
//        centre   +------> r0 (start)
//
//     An arc whose end radius R1 differs from its start radius (a spiral) turns through its
//     angle theta at a steady rate along its length L and its radius grows steadily with it:
//     centre + (1 + d (R1 - R) / (R L)) * (cos(d theta / L) * r0 + sin(d theta / L) * u), which
//     reaches the programmed end at d = L.
//
//  4. Pulse targets: each motor output's axis position times its sign and pulses per unit,
//     rounded half away from zero. Each enabled output writes target - last target as a step
//     word, in output order; a delta that no step word can carry refuses the conversion rather
//     than write a word that decodes to another value.
//  5. Mark: a Feed record built right after an output event carries EventMark and a per cent in
//     pValue; the first word written after the path passes that point gets the mark bit.
//
// Invariants: the sum of an output's deltas is its last target; no tick allocates; each record
// is read once, forwards; every record left behind reaches the writer in store order.

namespace {

constexpr double kTangentialShare = 0.99;  // neighbour direction share across the arc's plane
constexpr double kPerCent = 100.0;
// How much an arc's end radius may differ from its start radius: both a share of the radius
// (centres rounded by the CAM system leave small differences) and a number of pulses.
constexpr double kArcEndTolerancePulses = 10.0;

// The motor outputs that take part, in output order, as the stage uses them, read once per run.
// An output that takes no part has target 0 throughout and writes no word.
struct Lane {
    int32_t output = 0;          // motor output 0..3
    int32_t axis = 0;            // its logical axis
    double factor = 1.0;         // direction sign of that axis (+1 or -1)
    double scale = 0.0;          // pulses per unit of that axis
    double pulsesPerUnit = 0.0;  // |factor x scale|
};

struct OutputLanes {
    Lane lane[4];
    int32_t count = 0;
};

OutputLanes buildOutputLanes() {
    const AxisMap& map = axisMap();
    OutputLanes out;
    for (int k = 0; k < 4; ++k) {
        const int32_t axis = map.axisChannel[k];
        if (map.axisEnabled[axis] != 1) continue;
        Lane& lane = out.lane[out.count++];
        lane.output = k;
        lane.axis = axis;
        lane.factor = static_cast<double>(map.axisSign[axis]);
        lane.scale = map.axisScale[axis];
        lane.pulsesPerUnit = std::fabs(lane.factor * lane.scale);
    }
    return out;
}

// The four components of v, to be indexed by logical axis.
struct Components {
    double c[4];
};

inline Components componentsOf(const Vec4& v) {
    return Components{{v.x, v.y, v.z, v.a}};
}

// Pulse positions of the kLanes lanes at a point. False when one would be out of the countable
// range (or the position is not a number); targets are then unchanged. The stage's functions take
// the number of lanes as a template argument, so that their loops over the lanes unroll.
template <int kLanes>
inline bool pulseTargets(const Vec4& position, const OutputLanes& lanes, int32_t (&targets)[4]) {
    const Components p = componentsOf(position);
    double values[4];
    for (int e = 0; e < kLanes; ++e) {
        const Lane& lane = lanes.lane[e];
        values[e] = lane.factor * p.c[lane.axis] * lane.scale;
        if (!(std::fabs(values[e]) < kPulseRange)) return false;
    }
    for (int e = 0; e < kLanes; ++e)
        targets[e] = static_cast<int32_t>(roundHalfAway(values[e]));
    return true;
}

// Geometry of the current record, set up once when it becomes current.
struct RecordFrame {
    bool arc = false;
    bool spiral = false;         // arc: the radius changes from the start radius to the end radius
    Vec4 direction;              // line: unit direction (zero for a record of no length)
    Vec4 r0;                     // arc: start radius
    Vec4 u;                      // arc: radius a quarter turn further in the direction of travel
    double radius = 0.0;         // units: start radius
    double turnPerUnit = 0.0;    // spiral: radians turned per unit of path
    double growthPerUnit = 0.0;  // spiral: radius growth, as a share of the start radius, per unit
    double endRadius = 0.0;      // arc: units
    double centreReach[4] = {};  // arc: |centre| by logical axis
    double radiusReach[4] = {};  // arc: |r0| + |u| by logical axis
    double laneAllowance[4] = {};  // circle: the bound of quickArcTargets by lane, less its share
                                   // of the value's magnitude (the reach does not vary)
};

// Part of v perpendicular to r (r not zero).
Vec4 perpendicularPart(const Vec4& v, const Vec4& r) {
    const double lr = length(r);
    return subtract(v, scale(dot(v, r) / (lr * lr), r));
}

// The direction of travel at the start of an arc whose end radius is parallel to its start
// radius (a half or a full circle): its two radii span no plane, so the plane and the sense come
// from a neighbour that meets the arc tangentially. The previous feed move counts when it ends
// at the arc's start, the next one when it starts at the arc's end; at the end of a half circle
// the direction of travel is the opposite of the one at its start, at the end of a full circle
// the same. A neighbour counts only when its direction lies almost wholly across the start
// radius (a neighbour that meets the arc at a corner says nothing about the arc). Without one,
// the arc turns counter-clockwise in the coordinate plane that holds its start radius (XY first,
// the default plane of the programs), and in a plane across the radius otherwise.
Vec4 travelDirectionOfFlatArc(const Segment& arc, const Vec4& r0, const Segment* previous,
                              const Segment* next) {
    auto across = [&](const Vec4& t) {
        const double lt = length(t);
        if (lt == 0.0) return Vec4{};
        const Vec4 p = perpendicularPart(t, r0);
        return length(p) >= kTangentialShare * lt ? p : Vec4{};
    };
    if (previous != nullptr && length(subtract(previous->end, arc.start)) == 0.0) {
        const Vec4 p = across(tangentAt(*previous, true));
        if (length(p) != 0.0) return p;
    }
    if (next != nullptr && length(subtract(next->start, arc.end)) == 0.0) {
        const Vec4 p = across(tangentAt(*next, false));
        const Vec4 r1 = subtract(arc.end, arc.centre);
        if (length(p) != 0.0) return dot(r1, r0) < 0.0 ? scale(-1.0, p) : p;
    }
    if (r0.z == 0.0 && r0.a == 0.0) return Vec4(-r0.y, r0.x, 0.0, 0.0);  // XY
    if (r0.y == 0.0 && r0.a == 0.0) return Vec4(r0.z, 0.0, -r0.x, 0.0);  // ZX
    if (r0.x == 0.0 && r0.a == 0.0) return Vec4(0.0, -r0.z, r0.y, 0.0);  // YZ
    // A radius off the coordinate planes: the first axis direction that has a part across it.
    const Vec4 axes[4] = {Vec4(1, 0, 0, 0), Vec4(0, 1, 0, 0), Vec4(0, 0, 1, 0), Vec4(0, 0, 0, 1)};
    for (const Vec4& e : axes) {
        const Vec4 p = perpendicularPart(e, r0);
        if (length(p) != 0.0) return p;
    }
    return Vec4{};
}

// Arcs, the quick way: the position from approximateSinCos lies within kApproximationShare x
// reach of the one portableSinCos gives, reach being the magnitude of the centre's component on
// the axis plus the spiral's growth times those of the start radius and the quarter radius (the
// sines and cosines differ by at most 2^-49.8, the roundings of the two evaluations add 2^-51 of
// each term, the snapping of tiny components below 1e-14 per operation). Where a decision stays
// the same anywhere within that distance, the approximate position decides it; elsewhere the
// exact one does.
constexpr double kApproximationShare = 0x1p-46;
constexpr double kSnapAllowance = 2e-13;  // units: the snaps of both evaluations

// The part of quickArcTargets' bound that does not depend on the value, for a lane, at the
// spiral's growth (1 on a circle).
inline double approximationAllowance(const RecordFrame& f, const Lane& lane, double growth) {
    const double reach = f.centreReach[lane.axis] + growth * f.radiusReach[lane.axis];
    return lane.pulsesPerUnit * (kApproximationShare * reach + kSnapAllowance);
}

// Sets f up for the record in place: a line's frame only sets what a line reads (arc false and
// its direction), so that the many short lines of a program cost little.
void setFrame(RecordFrame& f, const Segment& record, const Segment* previous, const Segment* next,
              const OutputLanes& lanes) {
    f.arc = false;
    if (!record.has(SegmentFlags::Arc)) {
        f.direction = scale(1.0 / record.length, subtract(record.end, record.start));
        if (record.length == 0.0) f.direction = Vec4{};
        return;
    }
    const Vec4 r0 = subtract(record.start, record.centre);
    const Vec4 r1 = subtract(record.end, record.centre);
    const double radius = length(r0);
    if (radius == 0.0) {  // no circle: the position stays at the start
        f.direction = Vec4{};
        return;
    }
    // Every length is measured once (the square root is the slow part of the set-up).
    Vec4 u = subtract(r1, scale(dot(r1, r0) / (radius * radius), r0));
    if (!record.has(SegmentFlags::MinorArc)) u = scale(-1.0, u);
    double quarterLength = length(u);
    if (quarterLength == 0.0) {
        u = travelDirectionOfFlatArc(record, r0, previous, next);
        quarterLength = length(u);
    }
    f.arc = true;
    f.r0 = r0;
    f.radius = radius;
    f.u = quarterLength == 0.0 ? Vec4{} : scale(radius / quarterLength, u);
    const Components centre = componentsOf(record.centre);
    const Components start = componentsOf(f.r0);
    const Components quarter = componentsOf(f.u);
    for (int axis = 0; axis < 4; ++axis) {
        f.centreReach[axis] = std::fabs(centre.c[axis]);
        f.radiusReach[axis] = std::fabs(start.c[axis]) + std::fabs(quarter.c[axis]);
    }
    // arcEndRadius from the radii measured here: the end radius when it differs from the start
    // radius by more than kCentreTolerance (a spiral), else the start radius (a circle).
    const double endLength = length(r1);
    const double endRadius = std::fabs(endLength - radius) > kCentreTolerance ? endLength : radius;
    f.endRadius = endRadius;
    f.spiral = endRadius != radius && record.length > 0.0;
    if (f.spiral) {
        f.turnPerUnit = arcAngle(record) / record.length;
        f.growthPerUnit = (endRadius - radius) / (radius * record.length);
        return;
    }
    for (int e = 0; e < lanes.count; ++e)
        f.laneAllowance[e] = approximationAllowance(f, lanes.lane[e], 1.0);
}

// The position at d into the record, with either sine and cosine: portableSinCos gives the
// position every pulse is decided from; approximateSinCos (within 2^-51) one that quickArcTargets
// may decide from where the rounding cannot depend on the difference.
using SinCos = void (*)(double, double*, double*);

template <SinCos sinCos>
inline Vec4 positionWith(const Segment& record, const RecordFrame& f, double d) {
    if (!f.arc) return add(record.start, scale(d, f.direction));
    double sine;
    double cosine;
    if (!f.spiral) {
        sinCos(d / f.radius, &sine, &cosine);
        return add(add(record.centre, scale(cosine, f.r0)), scale(sine, f.u));
    }
    sinCos(d * f.turnPerUnit, &sine, &cosine);
    const double growth = 1.0 + d * f.growthPerUnit;
    return add(record.centre, scale(growth, add(scale(cosine, f.r0), scale(sine, f.u))));
}

// pulseTargets at distance d along an arc, from the approximate position: true with the targets
// when every lane's value lies farther than the approximation can move it from a rounding
// boundary (half a pulse, give or take the rounding of the half added) and from the pulse limit;
// false (targets unchanged) when the exact position must decide.
template <int kLanes>
bool quickArcTargets(const Segment& record, const RecordFrame& f, double d,
                     const OutputLanes& lanes, int32_t (&targets)[4]) {
    const Components p = componentsOf(positionWith<approximateSinCos>(record, f, d));
    const double growth = f.spiral ? std::fabs(1.0 + d * f.growthPerUnit) : 1.0;
    int32_t decided[4];
    for (int e = 0; e < kLanes; ++e) {
        const Lane& lane = lanes.lane[e];
        const int32_t axis = lane.axis;
        const double value = lane.factor * p.c[axis] * lane.scale;
        const double magnitude = std::fabs(value);
        const double bound =
            (f.spiral ? approximationAllowance(f, lane, growth) : f.laneAllowance[e]) +
            magnitude * 0x1p-49;
        if (!(magnitude + bound < kPulseRange)) return false;
        const double fraction = magnitude - static_cast<double>(static_cast<int32_t>(magnitude));
        if (!(std::fabs(fraction - 0.5) > bound)) return false;
        decided[e] = static_cast<int32_t>(roundHalfAway(value));
    }
    for (int e = 0; e < kLanes; ++e)
        targets[e] = decided[e];
    return true;
}

int32_t lastFeedIndexOf(SegmentStore& segments) {
    for (int32_t i = segments.highWater - 1; i >= 0; --i) {
        if (slotAt(segments, i).kind == SegmentKind::Feed) return i;
    }
    return -1;
}

struct TickState {
    StepBuffer* words = nullptr;  // stepBuffer(), looked up once
    OutputLanes lanes;
    RecordFrame frame;
    const Segment* current = nullptr;      // the current Feed record, in its page
    double currentEnd = 0.0;               // its distance + length: the walk moves on beyond it
    const Segment* previous = nullptr;     // the Feed record left behind last, in its page
    int32_t currentIndex = -1;             // store index of the current record
    int32_t lastFeedIndex = -1;            // store index of the last Feed record
    int32_t lastPulses[4] = {0, 0, 0, 0};  // by lane
    bool markPending = false;
    bool markNow = false;
};

// An arc is traced from its start radius to its end radius in the plane of the two radii. A
// large difference of the radii is no rounding by the CAM system but a centre far from
// equidistant, or a rise the interpreter does not build as a helix (a centre off the start's
// plane): traced, it would swing off the programmed path. Refuse it rather than write that
// motion.
bool arcRadiiAgree(const Segment& arc, const RecordFrame& frame, const OutputLanes& lanes) {
    const double miss = std::fabs(frame.endRadius - frame.radius);
    if (miss <= kArcRadiusShare * frame.radius) return true;
    for (int e = 0; e < lanes.count; ++e) {
        if (miss * lanes.lane[e].scale > kArcEndTolerancePulses) {
            messageSinkf(MessageCode::Refused,
                         "the arc from (%g, %g, %g) to (%g, %g, %g) about (%g, %g, %g) cannot be "
                         "followed: its end is %g units farther from or nearer to its centre "
                         "than its start (its centre is not equidistant from its ends)",
                         arc.start.x, arc.start.y, arc.start.z, arc.end.x, arc.end.y, arc.end.z,
                         arc.centre.x, arc.centre.y, arc.centre.z, miss);
            return false;
        }
    }
    return true;
}

// The record after the current one when it is a Feed record (nullptr otherwise), where it lies
// in its page; the store's cursor does not move.
const Segment* feedAtCursor(SegmentStore& segments) {
    if (segments.cursor >= segments.highWater) return nullptr;
    const Segment& next = slotAt(segments, segments.cursor);
    return next.kind == SegmentKind::Feed ? &next : nullptr;
}

// The walk of step 2: false when a rapid move ends out of the countable pulse range, or the new
// current record is an arc that cannot be followed. The records are looked at where they lie in
// their pages (which never move); the frame is set up once, for the record the walk ends on.
template <int kLanes>
bool walkTo(double s, TickState& st, BreakWriter& writer, SegmentStore& segments,
            int32_t breakSpacingLimit, FILE* brk) {
    const Segment* const before = st.current;
    while (st.current == nullptr || st.currentEnd < s) {
        if (st.currentIndex >= st.lastFeedIndex) break;
        if (st.current != nullptr) {
            // The path leaves the record with its event point behind it: a record entered and
            // left within this walk, an event point passed between two ticks, or one at or beyond
            // the record's end (AT100). The mark goes on the next word rather than waiting for a
            // later record, so that no announced output event is lost or moved down the path.
            if (st.markPending) {
                st.markNow = true;
                st.markPending = false;
            }
            st.previous = st.current;
            passRecord(writer, *st.previous, st.words->byteTotal, breakSpacingLimit, brk);
        }
        int32_t i = segments.cursor;
        for (; i < segments.highWater; ++i) {
            const Segment& record = slotAt(segments, i);
            if (record.kind == SegmentKind::Feed) break;
            passRecord(writer, record, st.words->byteTotal, breakSpacingLimit, brk);
            if (record.kind == SegmentKind::Rapid && record.has(SegmentFlags::BreakPoint)) {
                if (!pulseTargets<kLanes>(record.end, st.lanes, st.lastPulses)) {
                    messageSinkf(MessageCode::Refused,
                                 "a rapid move ends at (%g, %g, %g, %g), outside the pulse range",
                                 record.end.x, record.end.y, record.end.z, record.end.a);
                    return false;
                }
            }
        }
        if (i >= segments.highWater) {
            segments.cursor = i;
            break;  // cannot happen: a Feed record lies ahead of the current one
        }
        segments.cursor = i + 1;
        st.currentIndex = i;
        st.current = &slotAt(segments, i);
        st.currentEnd = st.current->distance + st.current->length;
        if (st.current->has(SegmentFlags::EventMark)) st.markPending = true;
    }
    if (st.current != before) {
        const Segment& record = *st.current;
        const Segment* next = record.has(SegmentFlags::Arc) ? feedAtCursor(segments) : nullptr;
        setFrame(st.frame, record, st.previous, next, st.lanes);
        if (st.frame.arc && !arcRadiiAgree(record, st.frame, st.lanes)) return false;
    }
    return true;
}

// Step 1, the profile cursor: the knots K0 and K that bracket the tick's time, read forwards.
struct ProfileCursor {
    ProfilePoint k0{};
    ProfilePoint k{};
    double a = 0.0;     // units per second squared over the interval k0..k
    bool done = false;  // past the last knot
};

// The path distance at time t (seconds), in units. The knots are read where they lie in their
// pages, each once, as the store's cursor passes them.
inline double distanceAt(ProfileCursor& c, double t, ProfileStore& profile) {
    while (!c.done && t > c.k.time) {
        c.k0 = c.k;
        if (profile.cursor >= profile.highWater) {
            c.done = true;
            break;
        }
        c.k = slotAt(profile, profile.cursor);
        profile.cursor += 1;
        c.a = c.k.time != c.k0.time ? (c.k.velocity - c.k0.velocity) / (c.k.time - c.k0.time) : 0.0;
    }
    if (c.done) return c.k0.distance;
    const double dt = t - c.k0.time;
    return (dt * c.a + c.k0.velocity + c.k0.velocity) * dt * 0.5 + c.k0.distance;
}

[[gnu::noinline]] bool refusePosition(int32_t tick, const Vec4& position) {
    messageSinkf(MessageCode::Refused,
                 "tick %d: the position (%g, %g, %g, %g) is outside the pulse range", tick,
                 position.x, position.y, position.z, position.a);
    return false;
}

[[gnu::noinline]] bool refuseStep(int output, int32_t tick, int64_t delta) {
    messageSinkf(MessageCode::Refused,
                 "output %d at tick %d would step %lld pulses; a step word carries %d to %d (the "
                 "path jumps there, or moves faster than the pulse rate allows)",
                 output, tick, static_cast<long long>(delta), kMinStepDelta, kMaxStepDelta);
    return false;
}

// Steps 3 and 4 for the lanes at d into the current record: the quick arc targets where they
// decide, else the targets of the exact position. false, after the refusal, when a target is out
// of the countable range.
template <int kLanes>
inline bool tickTargets(const TickState& st, double d, int32_t tick, int32_t (&targets)[4]) {
    Vec4 position;  // the origin while there is no current record
    if (st.current != nullptr) {
        const Segment& record = *st.current;
        if (st.frame.arc && quickArcTargets<kLanes>(record, st.frame, d, st.lanes, targets)) {
            return true;
        }
        position = positionWith<portableSinCos>(record, st.frame, d);
    }
    return pulseTargets<kLanes>(position, st.lanes, targets) || refusePosition(tick, position);
}

// Steps 4 and 5, the words: one per lane, in output order, appended to the step buffer as a
// whole tick (the buffer is flushed after a tick that leaves no room for another). A pending mark
// is placed once the path at d into the current record has passed its event point; the last tick
// places a mark still pending (AT100 on the last move), so that it is not lost. The first word
// written after that carries the mark bit. false, after the refusal and with nothing written, when
// a lane's delta fits no step word. The common tick, every delta a short word and no mark, writes
// one byte per lane without looking at each word.
template <int kLanes>
inline bool writeWords(TickState& st, double d, bool lastTick, int32_t tick,
                       const int32_t (&targets)[4], FILE* cm) {
    int64_t deltas[4];
    uint64_t shortBits = 0;  // below 128 when every delta + 64 is: every word is short
    for (int e = 0; e < kLanes; ++e) {
        deltas[e] = static_cast<int64_t>(targets[e]) - st.lastPulses[e];
        shortBits |= static_cast<uint64_t>(deltas[e] + 64);
    }
    if (st.markPending && (static_cast<double>(static_cast<uint16_t>(st.current->pValue)) <
                               d / st.current->length * kPerCent ||
                           lastTick)) {
        st.markNow = true;
        st.markPending = false;
    }
    StepBuffer& b = *st.words;
    uint8_t* out = b.bytes + b.usedBytes;
    if (shortBits < 128 && !st.markNow) {
        for (int e = 0; e < kLanes; ++e)
            out[e] = static_cast<uint8_t>(deltas[e] & 0x7F);
        out += kLanes;
    } else {
        for (int e = 0; e < kLanes; ++e) {
            if (deltas[e] < kMinStepDelta || deltas[e] > kMaxStepDelta) {
                return refuseStep(st.lanes.lane[e].output, tick, deltas[e]);
            }
        }
        for (int e = 0; e < kLanes; ++e) {
            const StepWord word = encodeStepWord(static_cast<int32_t>(deltas[e]), st.markNow);
            st.markNow = false;
            out[0] = word.bytes[0];
            out[1] = word.bytes[1];
            out += word.length;
        }
    }
    for (int e = 0; e < kLanes; ++e)
        st.lastPulses[e] = targets[e];
    const int32_t used = static_cast<int32_t>(out - b.bytes);
    b.byteTotal += used - b.usedBytes;
    b.usedBytes = used;
    b.count += kLanes;
    if (b.count > kStepBufferSize - 4) flushStepBuffer(cm);
    return true;
}

// The due progress report of the tick stage: false on Esc.
[[gnu::noinline]] bool reportTickProgress(int32_t tick, int32_t tickTotal,
                                          ProgressCallback progress, ReportCountdown& countdown) {
    if (escapeRequested()) return false;
    reportProgress(progress, Stage::Ticks,
                   static_cast<int>(static_cast<double>(tick) / tickTotal * 100.0));
    countdown.remaining = static_cast<int32_t>(static_cast<float>(tickTotal) * 0.01f);
    return true;
}

template <int kLanes>
TickResult tickLoop(int32_t tickTotal, int32_t breakSpacingLimit, SegmentStore& segments,
                    ProfileStore& profile, ProgressCallback progress, FILE* cm, FILE* brk,
                    TickState& st, BreakWriter& writer) {
    ProfileCursor cursor;
    ReportCountdown countdown;  // ticks
    int32_t targets[4] = {0, 0, 0, 0};
    for (int32_t n = 1; n <= tickTotal; ++n) {
        const double s = distanceAt(cursor, static_cast<double>(n) / kTicksPerSecond, profile);
        if (st.current == nullptr || st.currentEnd < s) {
            if (!walkTo<kLanes>(s, st, writer, segments, breakSpacingLimit, brk)) {
                return TickResult::Refused;
            }
        }
        const double d = st.current != nullptr ? s - st.current->distance : s;
        if (!tickTargets<kLanes>(st, d, n, targets) ||
            !writeWords<kLanes>(st, d, n == tickTotal, n, targets, cm)) {
            return TickResult::Refused;
        }
        if (countdown.due(1) && !reportTickProgress(n, tickTotal, progress, countdown)) {
            return TickResult::Aborted;
        }
    }
    return TickResult::Done;
}

}  // namespace

TickResult runTicks(int32_t tickTotal, int32_t breakSpacingLimit, SegmentStore& segments,
                    ProfileStore& profile, ProgressCallback progress, FILE* cm, FILE* brk,
                    TickRun& run) {
    TickState st;
    st.words = &stepBuffer();
    st.lanes = buildOutputLanes();
    st.lastFeedIndex = lastFeedIndexOf(segments);
    resetStepBuffer();
    rewind(segments);
    rewind(profile);
    run = TickRun{};
    // One instance of the loop per number of lanes, so that its loops over them unroll.
    using TickLoop = TickResult (*)(int32_t, int32_t, SegmentStore&, ProfileStore&,
                                    ProgressCallback, FILE*, FILE*, TickState&, BreakWriter&);
    constexpr TickLoop kTickLoops[5] = {tickLoop<0>, tickLoop<1>, tickLoop<2>, tickLoop<3>,
                                        tickLoop<4>};
    const TickResult result = kTickLoops[std::clamp(st.lanes.count, 0, 4)](
        tickTotal, breakSpacingLimit, segments, profile, progress, cm, brk, st, run.writer);
    if (st.current != nullptr) {
        run.current = *st.current;
        run.hasCurrent = true;
    }
    return result;
}

}  // namespace pulsepost
