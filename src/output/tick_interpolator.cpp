#include "output/tick_interpolator.h"

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

// The axis map as the stage uses it, by motor output, read once per run.
struct OutputMap {
    int32_t axis[4];   // logical axis of the output
    double factor[4];  // direction sign of that axis (+1 or -1)
    double scale[4];   // pulses per unit of that axis
    bool enabled[4];   // the output writes a word every tick (and has a target)
};

OutputMap buildOutputMap() {
    const AxisMap& map = axisMap();
    OutputMap out{};
    for (int k = 0; k < 4; ++k) {
        const int32_t axis = map.axisChannel[k];
        out.axis[k] = axis;
        out.factor[k] = static_cast<double>(map.axisSign[axis]);
        out.scale[k] = map.axisScale[axis];
        out.enabled[k] = map.axisEnabled[axis] == 1;
    }
    return out;
}

// Pulse positions of the motor outputs at a point. False when an output that takes part would
// be out of the countable range (or the position is not a number); targets are then unchanged.
inline bool pulseTargets(const Vec4& position, const OutputMap& map, int32_t (&targets)[4]) {
    double values[4];
    for (int k = 0; k < 4; ++k) {
        if (!map.enabled[k]) {
            values[k] = 0.0;
            continue;
        }
        const int32_t axis = map.axis[k];
        values[k] = map.factor[k] * position[axis] * map.scale[k];
        if (!(std::fabs(values[k]) < kPulseRange)) return false;
    }
    for (int k = 0; k < 4; ++k)
        targets[k] = static_cast<int32_t>(roundHalfAway(values[k]));
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

RecordFrame frameOf(const Segment& record, const Segment* previous, const Segment* next) {
    RecordFrame f;
    if (!record.has(SegmentFlags::Arc)) {
        f.direction = scale(1.0 / record.length, subtract(record.end, record.start));
        if (record.length == 0.0) f.direction = Vec4{};
        return f;
    }
    const Vec4 r0 = subtract(record.start, record.centre);
    const Vec4 r1 = subtract(record.end, record.centre);
    const double radius = length(r0);
    if (radius == 0.0) return f;  // no circle: the position stays at the start (direction 0)
    Vec4 u = subtract(r1, scale(dot(r1, r0) / (length(r0) * length(r0)), r0));
    if (!record.has(SegmentFlags::MinorArc)) u = scale(-1.0, u);
    if (length(u) == 0.0) u = travelDirectionOfFlatArc(record, r0, previous, next);
    f.arc = true;
    f.r0 = r0;
    f.radius = radius;
    f.u = length(u) == 0.0 ? Vec4{} : scale(radius / length(u), u);
    const double endRadius = arcEndRadius(record);
    f.endRadius = endRadius;
    if (endRadius != radius && record.length > 0.0) {
        f.spiral = true;
        f.turnPerUnit = arcAngle(record) / record.length;
        f.growthPerUnit = (endRadius - radius) / (radius * record.length);
    }
    return f;
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

// Arcs, the quick way: the position from approximateSinCos lies within kApproximationShare x
// reach of the one portableSinCos gives, reach being the magnitude of the centre's component on
// the axis plus the spiral's growth times those of the start radius and the quarter radius (the
// sines and cosines differ by at most 2^-49.8, the roundings of the two evaluations add 2^-51 of
// each term, the snapping of tiny components below 1e-14 per operation). Where a decision stays
// the same anywhere within that distance, the approximate position decides it; elsewhere the
// exact one does.
constexpr double kApproximationShare = 0x1p-46;
constexpr double kSnapAllowance = 2e-13;  // units: the snaps of both evaluations

double approximationReach(const Segment& record, const RecordFrame& f, double d, int axis) {
    const double growth = f.spiral ? std::fabs(1.0 + d * f.growthPerUnit) : 1.0;
    return std::fabs(record.centre[axis]) + growth * (std::fabs(f.r0[axis]) + std::fabs(f.u[axis]));
}

// pulseTargets at distance d along an arc, from the approximate position: true with the targets
// when every enabled output's value lies farther than the approximation can move it from a
// rounding boundary (half a pulse, give or take the rounding of the half added) and from the
// pulse limit; false (targets unchanged) when the exact position must decide.
bool quickArcTargets(const Segment& record, const RecordFrame& f, double d, const OutputMap& map,
                     int32_t (&targets)[4]) {
    const Vec4 position = positionWith<approximateSinCos>(record, f, d);
    int32_t decided[4] = {0, 0, 0, 0};
    for (int k = 0; k < 4; ++k) {
        if (!map.enabled[k]) continue;
        const int32_t axis = map.axis[k];
        const double value = map.factor[k] * position[axis] * map.scale[k];
        const double magnitude = std::fabs(value);
        const double bound =
            std::fabs(map.factor[k] * map.scale[k]) *
                (kApproximationShare * approximationReach(record, f, d, axis) + kSnapAllowance) +
            magnitude * 0x1p-49;
        if (!(magnitude + bound < kPulseRange)) return false;
        const double fraction = magnitude - static_cast<double>(static_cast<int32_t>(magnitude));
        if (!(std::fabs(fraction - 0.5) > bound)) return false;
        decided[k] = static_cast<int32_t>(roundHalfAway(value));
    }
    for (int k = 0; k < 4; ++k)
        targets[k] = decided[k];
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
    OutputMap map;
    RecordFrame frame;
    const Segment* previous = nullptr;  // the Feed record left behind last, in its page
    int32_t currentIndex = -1;          // store index of the current record
    int32_t lastFeedIndex = -1;         // store index of the last Feed record
    int32_t lastPulses[4] = {0, 0, 0, 0};
    bool markPending = false;
    bool markNow = false;
};

// An arc is traced from its start radius to its end radius in the plane of the two radii. A
// large difference of the radii is no rounding by the CAM system but a centre far from
// equidistant, or a rise the interpreter does not build as a helix (a centre off the start's
// plane): traced, it would swing off the programmed path. Refuse it rather than write that
// motion.
bool arcRadiiAgree(const Segment& arc, const RecordFrame& frame, const OutputMap& map) {
    const double miss = std::fabs(frame.endRadius - frame.radius);
    if (miss <= kArcRadiusShare * frame.radius) return true;
    for (int k = 0; k < 4; ++k) {
        if (!map.enabled[k]) continue;
        if (miss * map.scale[k] > kArcEndTolerancePulses) {
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

// The walk of step 2: false when a rapid move ends out of the countable pulse range. The records
// are looked at where they lie in their pages (which never move); only the record that becomes
// current is copied, once, at the end of the walk.
bool walkTo(double s, TickState& st, TickRun& run, SegmentStore& segments,
            int32_t breakSpacingLimit, FILE* brk) {
    const Segment* current = run.hasCurrent ? &run.current : nullptr;
    while (current == nullptr || current->distance + current->length < s) {
        if (st.currentIndex >= st.lastFeedIndex) break;
        if (current != nullptr) {
            // The path leaves the record with its event point behind it: a record entered and
            // left within this walk, an event point passed between two ticks, or one at or beyond
            // the record's end (AT100). The mark goes on the next word rather than waiting for a
            // later record, so that no announced output event is lost or moved down the path.
            if (st.markPending) {
                st.markNow = true;
                st.markPending = false;
            }
            st.previous = &slotAt(segments, st.currentIndex);
            passRecord(run.writer, *st.previous, st.words->byteTotal, breakSpacingLimit, brk);
        }
        int32_t i = segments.cursor;
        for (; i < segments.highWater; ++i) {
            const Segment& record = slotAt(segments, i);
            if (record.kind == SegmentKind::Feed) break;
            passRecord(run.writer, record, st.words->byteTotal, breakSpacingLimit, brk);
            if (record.kind == SegmentKind::Rapid && record.has(SegmentFlags::BreakPoint)) {
                if (!pulseTargets(record.end, st.map, st.lastPulses)) {
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
        current = &slotAt(segments, i);
        if (current->has(SegmentFlags::EventMark)) st.markPending = true;
    }
    if (current != nullptr && current != &run.current) {
        run.current = *current;
        run.hasCurrent = true;
        const Segment* next = run.current.has(SegmentFlags::Arc) ? feedAtCursor(segments) : nullptr;
        st.frame = frameOf(run.current, st.previous, next);
        if (st.frame.arc && !arcRadiiAgree(run.current, st.frame, st.map)) return false;
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

// The path distance at time t (seconds), in units.
inline double distanceAt(ProfileCursor& c, double t, ProfileStore& profile) {
    while (!c.done && t > c.k.time) {
        c.k0 = c.k;
        if (read(&c.k, 1, profile) != 1) {
            c.done = true;
            break;
        }
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

// Step 4, the checks: the pulse targets at the position (unless quickArcTargets has decided them)
// and every output's delta. false, after the refusal, when a target is out of the countable range
// or an enabled output's delta fits no step word.
inline bool stepDeltas(const Vec4& position, bool targetsDecided, const TickState& st, int32_t tick,
                       int32_t (&targets)[4], int64_t (&deltas)[4]) {
    if (!targetsDecided && !pulseTargets(position, st.map, targets)) {
        return refusePosition(tick, position);
    }
    for (int out = 0; out < 4; ++out) {
        deltas[out] = static_cast<int64_t>(targets[out]) - st.lastPulses[out];
        if (st.map.enabled[out] && (deltas[out] < kMinStepDelta || deltas[out] > kMaxStepDelta)) {
            return refuseStep(out, tick, deltas[out]);
        }
    }
    return true;
}

// Steps 4 and 5, the words: one per enabled output, in output order. A pending mark is placed
// once the path at d into the current record has passed its event point; the last tick places a
// mark still pending (AT100 on the last move), so that it is not lost. The first word written
// after that carries the mark bit.
inline void writeWords(TickState& st, const Segment& current, double d, bool lastTick,
                       const int32_t (&targets)[4], const int64_t (&deltas)[4], FILE* cm) {
    if (st.markPending && (static_cast<double>(static_cast<uint16_t>(current.pValue)) <
                               d / current.length * kPerCent ||
                           lastTick)) {
        st.markNow = true;
        st.markPending = false;
    }
    for (int out = 0; out < 4; ++out) {
        if (!st.map.enabled[out]) continue;
        pushStepWord(encodeStepWord(static_cast<int32_t>(deltas[out]), st.markNow), *st.words, cm);
        st.markNow = false;
        st.lastPulses[out] = targets[out];
    }
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

}  // namespace

TickResult runTicks(int32_t tickTotal, int32_t breakSpacingLimit, SegmentStore& segments,
                    ProfileStore& profile, ProgressCallback progress, FILE* cm, FILE* brk,
                    TickRun& run) {
    TickState st;
    st.words = &stepBuffer();
    st.map = buildOutputMap();
    st.lastFeedIndex = lastFeedIndexOf(segments);
    resetStepBuffer();
    rewind(segments);
    rewind(profile);
    run = TickRun{};

    ProfileCursor cursor;
    ReportCountdown countdown;  // ticks
    int32_t targets[4] = {0, 0, 0, 0};
    int64_t deltas[4] = {0, 0, 0, 0};
    for (int32_t n = 1; n <= tickTotal; ++n) {
        const double s = distanceAt(cursor, static_cast<double>(n) / kTicksPerSecond, profile);
        if (!run.hasCurrent || run.current.distance + run.current.length < s) {
            if (!walkTo(s, st, run, segments, breakSpacingLimit, brk)) return TickResult::Refused;
        }
        const double d = s - run.current.distance;
        const bool decided = st.frame.arc && run.hasCurrent &&
                             quickArcTargets(run.current, st.frame, d, st.map, targets);
        const Vec4 position = run.hasCurrent && !decided
                                  ? positionWith<portableSinCos>(run.current, st.frame, d)
                                  : Vec4{};
        if (!stepDeltas(position, decided, st, n, targets, deltas)) return TickResult::Refused;
        writeWords(st, run.current, d, n == tickTotal, targets, deltas, cm);
        if (countdown.due(1) && !reportTickProgress(n, tickTotal, progress, countdown)) {
            return TickResult::Aborted;
        }
    }
    return TickResult::Done;
}

}  // namespace pulsepost
