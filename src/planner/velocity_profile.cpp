// Velocity profile planning.
//
// Theory of operation
// -------------------
// The profile is a list of knots (time, speed, distance) that starts from rest at (0, 0, 0).
// Between two knots the path speed changes linearly in time, so every interval runs at +A, -A
// or 0, where A is the one path acceleration of the machine. Only Feed records are planned;
// rapids and events take no time in the profile (the record before each of them stops).
//
// Feed records are planned one at a time in store order. A record starts at the speed the
// previous one ended with (v0) and must end at no more than its exit speed (ve): the next Feed
// record's limit (the one record of look-ahead), or 0 when it stops (StopAtEnd) or is the last;
// never above its own limit vm. Over its length L it takes one of four shapes:
//
//   speed                      trapezoid: accelerate to vm, cruise, brake to ve. A phase of
//    vm |    ______________    zero duration gives no knot, so a record entered and left at
//       |   /              \   its limit has a single cruise knot.
//    v0 |__/                \ ve
//
//       |        /\            peak: no room to cruise. The ramps from v0 and to ve meet
//       |       /  \           below vm, at the speed where they use up exactly L.
//    v0 |______/    \__ ve
//
//       |          __ ve       too short to reach ve: the record ends at the highest speed
//    v0 |_______/              it can reach, sqrt(v0^2 + 2AL); the next record starts there.
//
//       |____                  too short to brake from v0 to ve: the record's limit is
//    v0 |    \                 lowered to 0.999 sqrt(ve^2 + 2AL), just below the highest
//       |     \ . . ve         entry speed it can still brake from, and the record before
//                              it is planned again with that lower limit as its exit limit.
//
// Backtracking. Before any knot of a record is appended, the record is written back to its
// place in the segment store with its profile mark (the byte offset of its first knot, 24 x the
// knots before it) and its current limit. So a record that cannot brake (C) finds the point to
// cut the profile back to in the record before it (B):
//
//   segment store   ... A  B  C  D ...          profile   [ .. A's knots | B's knots | ]
//                          ^  ^ cannot brake                             ^ B.profileMark
//
//   C's lowered limit is written back, the profile is cut to B's mark, the current point
//   becomes the knot before it, and B is planned again with C as its look-ahead. If B cannot
//   brake to C's new limit either, the same happens one record further back. The chain ends at
//   the latest at a record that starts from rest (the first one, or the one after a stop): from
//   v0 = 0 every exit speed is reachable, so it never backtracks. Each step back costs O(1).
//
// Known limits: the planner accelerates greedily and only ever lowers limits, so the profile is
// not time-optimal where a later record forces a long braking chain; 0.999 leaves a small
// margin so that rounding cannot make a lowered record fail to brake again.
//
// Stage 4 walks the knots once and fills in each knot's path distance with the trapezoid sum of
// its interval, exact because the speed is linear within an interval.
#include "planner/velocity_profile.h"

#include <cmath>
#include <cstddef>

#include "report/message_sink.h"

namespace pulsepost {

namespace {

// The record this many slots after the one the walk stops at is fetched into the cache (its kind,
// its length and limit), so that the walk seldom waits for memory.
constexpr int32_t kPrefetchAhead = 12;
constexpr int32_t kKnotBytes = static_cast<int32_t>(sizeof(ProfilePoint));
// A lowered limit stays this far below the highest entry speed that can still brake in time.
constexpr double kBrakeMargin = 0.999;
constexpr double kPercentPerFraction = 100.0;
// A report is due about every hundredth of the stage's total.
constexpr float kReportShare = 0.01f;

// Progress of a stage in bytes of its records. The total is single precision, as the host has
// always seen it.
struct ByteProgress {
    Stage stage;
    int32_t stepBytes;  // bytes one progress step stands for
    float totalBytes;
    ReportCountdown countdown;
};

ByteProgress startByteProgress(Stage stage, int32_t recordBytes, int32_t records) {
    const int64_t total = static_cast<int64_t>(records) * recordBytes;
    return ByteProgress{stage, recordBytes, static_cast<float>(total), ReportCountdown{}};
}

// The report that is due: Esc check, then the percentage. false on Esc.
[[gnu::noinline]] bool dueReport(ByteProgress& bytes, int64_t doneBytes,
                                 ProgressCallback progress) {
    if (escapeRequested()) return false;
    const float fraction = static_cast<float>(doneBytes) / bytes.totalBytes;
    reportProgress(progress, bytes.stage, static_cast<int32_t>(fraction * kPercentPerFraction));
    bytes.countdown.remaining = static_cast<int32_t>(bytes.totalBytes * kReportShare);
    return true;
}

// One progress step; false on Esc.
inline bool progressStep(ByteProgress& bytes, int64_t doneBytes, ProgressCallback progress) {
    if (!bytes.countdown.due(bytes.stepBytes)) return true;
    return dueReport(bytes, doneBytes, progress);
}

// The profile mark is the record field's 32 bits of the byte offset; it is read back unsigned
// so that a profile longer than 2^31 bytes still finds its knots.
int32_t markAt(int32_t knots) {
    return static_cast<int32_t>(static_cast<uint32_t>(knots) * static_cast<uint32_t>(kKnotBytes));
}
int32_t knotsBefore(int32_t mark) {
    return static_cast<int32_t>(static_cast<uint32_t>(mark) / static_cast<uint32_t>(kKnotBytes));
}

// If dt is not exactly 0: advances the current point by dt to speed v and appends it.
void appendKnot(ProfilePoint& current, double dt, double v, ProfileStore& profile) {
    if (dt == 0.0) return;
    current.time += dt;
    current.velocity = v;
    current.distance = 0.0;
    write(&current, 1, profile);
}

// The current and look-ahead records are planned where they lie in the store's pages, which never
// move: a record's mark and lowered limit are written into it directly, and no record is copied.
struct Planner {
    SegmentStore& segments;
    ProfileStore& profile;
    double acceleration;           // units per second²
    ProfilePoint point{};          // last knot appended; its velocity is the current record's entry
    Segment* current = nullptr;    // the Feed record being planned
    Segment* lookahead = nullptr;  // the next Feed record, when hasLookahead
    int32_t currentIndex = 0;      // store index of the current record
    int32_t lookaheadIndex = 0;    // store index of the look-ahead, when hasLookahead
    bool hasLookahead = false;
    int32_t checkedUpTo = 0;  // Feed records at store indices below this have been checked
};

// Tells the message sink why the Feed record at the store index cannot be planned.
[[gnu::noinline]] void refuseRecord(const Segment& s, int32_t index) {
    if (!(s.speed > 0.0) || !std::isfinite(s.speed)) {
        messageSinkf(MessageCode::Refused,
                     "feed record %d has the speed limit %g units/s: the velocity profile needs "
                     "a positive finite speed",
                     index, s.speed);
    } else {
        messageSinkf(MessageCode::Refused,
                     "feed record %d has the length %g units: the velocity profile needs a "
                     "finite length that is not negative",
                     index, s.length);
    }
}

// The next Feed record from the cursor, as readNextFeedMove finds it and leaves the cursor, but
// where it lies; each is checked the first time it is met (a limit lowered by backtracking is
// never checked again). index becomes the record's store index. 1 found, 0 at the end, -1
// refused.
inline int32_t nextFeedMove(Planner& p, Segment*& into, int32_t& index) {
    SegmentStore& store = p.segments;
    int32_t i = store.cursor;
    while (i < store.highWater && slotAt(store, i).kind != SegmentKind::Feed)
        ++i;
    if (i >= store.highWater) {
        if (i > store.cursor) store.cursor = i;
        return 0;
    }
    store.cursor = i + 1;
    into = &slotAt(store, i);
    index = i;
    // Only within the record's page, which is allocated whole.
    if (i % kRecordsPerPage < kRecordsPerPage - kPrefetchAhead) {
        const char* ahead = reinterpret_cast<const char*>(into + kPrefetchAhead);
        __builtin_prefetch(ahead);
        __builtin_prefetch(ahead + offsetof(Segment, length));
    }
    if (index < p.checkedUpTo) return 1;
    p.checkedUpTo = index + 1;
    const Segment& s = *into;
    const bool plannable =
        s.speed > 0.0 && s.length >= 0.0 && std::isfinite(s.speed) && std::isfinite(s.length);
    if (plannable) return 1;
    refuseRecord(s, index);
    return -1;
}

// Gives the current record its mark before any of its knots is appended; the cursor ends after
// the look-ahead (or after the current record when there is none).
inline void storeMark(Planner& p) {
    p.current->profileMark = markAt(p.profile.cursor);
    p.segments.cursor = (p.hasLookahead ? p.lookaheadIndex : p.currentIndex) + 1;
}

inline double exitSpeed(const Planner& p) {
    double exit = 0.0;
    if (p.hasLookahead && !p.current->has(SegmentFlags::StopAtEnd)) exit = p.lookahead->speed;
    if (exit > p.current->speed) exit = p.current->speed;
    return exit;
}

// Appends the knots of the current record. false when it is too short to brake: its limit has
// been lowered and the record before it must be planned again.
inline bool planRecord(Planner& p) {
    const double a = p.acceleration;
    const double v0 = p.point.velocity;  // units per second
    const double vm = p.current->speed;
    const double ve = exitSpeed(p);
    const double length = p.current->length;  // units
    const double accelTime = (vm - v0) / a;   // seconds
    const double brakeTime = (vm - ve) / a;
    const double cruise = length - (vm + v0) * accelTime * 0.5 - (vm + ve) * brakeTime * 0.5;

    if (cruise >= 0.0) {
        appendKnot(p.point, accelTime, vm, p.profile);
        // No cruise is no phase, also when backtracking has lowered the limit of a record of
        // length 0 to 0 (cruise / vm would be 0 / 0).
        appendKnot(p.point, cruise > 0.0 ? cruise / vm : 0.0, vm, p.profile);
        appendKnot(p.point, brakeTime, ve, p.profile);
        return true;
    }

    const double changeTime = std::fabs(v0 - ve) / a;
    const double changeDistance = (ve + v0) * changeTime * 0.5;
    if (changeDistance <= length) {
        const double rest = length - changeDistance;  // shared by the ramp up and down again
        if (v0 < ve) {
            const double peak = std::sqrt(ve * ve + a * rest);
            const double rampTime = (peak - ve) / a;
            appendKnot(p.point, rampTime + changeTime, peak, p.profile);
            appendKnot(p.point, rampTime, ve, p.profile);
        } else {
            const double peak = std::sqrt(v0 * v0 + a * rest);
            const double rampTime = (peak - v0) / a;
            appendKnot(p.point, rampTime, peak, p.profile);
            appendKnot(p.point, rampTime + changeTime, ve, p.profile);
        }
        return true;
    }
    if (v0 < ve) {
        const double reached = std::sqrt(v0 * v0 + 2.0 * a * length);
        appendKnot(p.point, (reached - v0) / a, reached, p.profile);
        return true;
    }
    p.current->speed = kBrakeMargin * std::sqrt(ve * ve + 2.0 * a * length);
    return false;
}

// The current record C could not brake (its lowered limit is in place): make it the look-ahead,
// cut the profile back to where the Feed record B before it began, and make B current again.
[[gnu::noinline]] void backtrack(Planner& p) {
    p.lookahead = p.current;
    p.lookaheadIndex = p.currentIndex;

    p.segments.cursor = p.currentIndex + 1;
    skipFeedMoves(p.segments, -2);
    nextFeedMove(p, p.current, p.currentIndex);

    const int32_t kept = knotsBefore(p.current->profileMark);
    rewind(p.profile);
    setCount(p.profile, kept);
    p.point = ProfilePoint{};
    if (kept > 0) {
        seek(p.profile, 0, kept - 1);
        read(&p.point, 1, p.profile);
    }
    seek(p.profile, 0, kept);

    skipFeedMoves(p.segments, 1);
    p.hasLookahead = true;
}

[[gnu::noinline]] bool refuseAcceleration(double acceleration) {
    if (acceleration > 0.0 && std::isfinite(acceleration)) return false;
    messageSinkf(MessageCode::Refused,
                 "the acceleration %g units/s^2 cannot be planned: it must be positive and finite",
                 acceleration);
    return true;
}

}  // namespace

PlanResult planVelocityProfile(SegmentStore& segments, ProfileStore& profile, double acceleration,
                               ProgressCallback progress, ProfilePoint& lastKnot) {
    lastKnot = ProfilePoint{};
    if (refuseAcceleration(acceleration)) return PlanResult::Refused;

    rewind(segments);
    rewind(profile);
    setCount(profile, 0);
    ByteProgress bytes = startByteProgress(Stage::Planning, kSegmentBytes, segments.highWater);
    Planner p{segments, profile, acceleration};

    int32_t found = nextFeedMove(p, p.current, p.currentIndex);
    if (found == 0) return PlanResult::NoFeedMove;
    if (found < 0) return PlanResult::Refused;
    found = nextFeedMove(p, p.lookahead, p.lookaheadIndex);
    if (found < 0) return PlanResult::Refused;
    p.hasLookahead = found == 1;

    PlanResult result = PlanResult::Planned;
    for (;;) {
        storeMark(p);
        if (!planRecord(p)) {
            backtrack(p);  // no progress step on this path
            continue;
        }
        if (!p.hasLookahead) break;
        p.current = p.lookahead;
        p.currentIndex = p.lookaheadIndex;
        found = nextFeedMove(p, p.lookahead, p.lookaheadIndex);
        if (found < 0) {
            result = PlanResult::Refused;
            break;
        }
        p.hasLookahead = found == 1;
        const int64_t doneBytes = static_cast<int64_t>(segments.cursor) * kSegmentBytes;
        if (!progressStep(bytes, doneBytes, progress)) {
            result = PlanResult::Aborted;
            break;
        }
    }
    lastKnot = p.point;
    if (result == PlanResult::Planned) reportProgress(progress, Stage::Planning, kPercentDone);
    return result;
}

int32_t integrateProfileDistance(ProfileStore& profile, ProgressCallback progress) {
    rewind(profile);
    ByteProgress bytes = startByteProgress(Stage::ProfileDistances, kKnotBytes, profile.highWater);
    // Each knot is rewritten where it lies in its page.
    ProfilePoint previous{};
    for (int32_t i = 0; i < profile.highWater; ++i) {
        ProfilePoint& knot = slotAt(profile, i);
        knot.distance = (knot.velocity + previous.velocity) * (knot.time - previous.time) * 0.5 +
                        previous.distance;
        previous = knot;
        profile.cursor = i + 1;
        const int64_t doneBytes = static_cast<int64_t>(profile.cursor) * kKnotBytes;
        if (!progressStep(bytes, doneBytes, progress)) return -1;
    }
    reportProgress(progress, Stage::ProfileDistances, kPercentDone);
    return 0;
}

}  // namespace pulsepost
