// Corner fillets: the rounded corners' worked sizes, trimming of straight and arc neighbours,
// records rounded at both ends, corners that cannot be rounded, and the pass's progress and Esc.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gcode/conversion_state.h"
#include "platform/console.h"
#include "refine/fillet_pass.h"
#include "refine_fixtures.h"
#include "test_support.h"

namespace pulsepost {
namespace {

using testing::AccelerationScope;
using testing::angleBetween;
using testing::CornerWindow;
using testing::distanceBetween;
using testing::feedArc;
using testing::feedLine;
using testing::FilledStore;
using testing::FilletErrorScope;
using testing::gapToCorner;
using testing::isFiniteRecord;
using testing::ProgressLog;
using testing::withFilletBefore;

constexpr double kTight = 1e-12;
const double kSqrt2 = std::sqrt(2.0);

void expectPoint(const Vec4& v, double x, double y, double tol = kTight) {
    EXPECT_NEAR(v.x, x, tol);
    EXPECT_NEAR(v.y, y, tol);
    EXPECT_EQ(v.z, 0.0);
    EXPECT_EQ(v.a, 0.0);
}

class FilletTest : public ::testing::Test {
  protected:
    void SetUp() override { resetConversionState(); }
};

TEST_F(FilletTest, RightAngleCornerIsRoundedToPassExactlyTheErrorFromTheCorner) {
    FilletErrorScope error(0.01);
    CornerWindow w(feedLine(Vec4(-10, 0, 0), Vec4(0, 0, 0), 3.0),
                   feedLine(Vec4(0, 0, 0), Vec4(0, 10, 0), 2.0));
    filletCorner(w.records);

    const double reach = 0.01 * (1.0 + kSqrt2);  // R_e = D_e at 45 degrees: 0.0241421...
    expectPoint(w.prev().end, -reach, 0.0);
    expectPoint(w.next().start, 0.0, reach);
    EXPECT_NEAR(w.prev().length, 10.0 - reach, kTight);
    EXPECT_NEAR(w.next().length, 10.0 - reach, kTight);
    // The appended lengths stay until the distance pass.
    EXPECT_EQ(w.prev().distance, 10.0);
    EXPECT_EQ(w.next().distance, 10.0);

    const Segment& arc = w.slot();
    EXPECT_EQ(arc.kind, SegmentKind::Feed);
    EXPECT_EQ(arc.flags, SegmentFlags::Arc | SegmentFlags::MinorArc);
    expectPoint(arc.centre, -reach, reach);
    EXPECT_EQ(arc.start.x, w.prev().end.x);
    EXPECT_EQ(arc.end.y, w.next().start.y);
    EXPECT_NEAR(arc.length, reach * kPi / 2.0, kTight);
    EXPECT_EQ(arc.speed, 2.0);
    EXPECT_NEAR(gapToCorner(arc, Vec4(0, 0, 0)), 0.01, kTight);
    EXPECT_FALSE(w.prev().has(SegmentFlags::StopAtEnd));
}

TEST_F(FilletTest, ShortNeighbourLimitsTheFilletToAQuarterOfItsAppendedLength) {
    FilletErrorScope error(0.01);
    CornerWindow w(feedLine(Vec4(-0.04, 0, 0), Vec4(0, 0, 0)),
                   feedLine(Vec4(0, 0, 0), Vec4(0, 10, 0)));
    filletCorner(w.records);

    expectPoint(w.prev().end, -0.01, 0.0);
    expectPoint(w.next().start, 0.0, 0.01);
    expectPoint(w.slot().centre, -0.01, 0.01);
    EXPECT_NEAR(distanceBetween(w.slot().start, w.slot().centre), 0.01, kTight);
    EXPECT_NEAR(gapToCorner(w.slot(), Vec4(0, 0, 0)), 0.01 * (kSqrt2 - 1.0), kTight);  // 0.00414
    EXPECT_NEAR(w.prev().length, 0.03, kTight);
}

// Beside an arc the fillet is tangent to the arc itself: the direction of travel agrees at both
// of its ends, a trimmed arc end stays on the arc's curve, a straight neighbour is cut along its
// own line, and the fillet passes within the error of the corner.
TEST_F(FilletTest, FilletBesideAnArcIsTangentToItWithinTheError) {
    const double turn = 20.0 * kPi / 180.0;
    const Vec4 into(std::cos(-turn), std::sin(-turn), 0.0);
    const Vec4 origin(0, 0, 0);
    const double over = kPi - 0.005;  // start of an arc of half a turn plus 0.005 rad
    // An arc of radius 1 and 0.5 rad ending at the origin along into, turning left or right.
    const auto arcInto = [&](bool left) {
        const double side = left ? 1.0 : -1.0;
        const Vec4 centre(side * std::sin(turn), side * std::cos(turn), 0.0);
        const double back = -side * 0.5;
        const Vec4 r = subtract(origin, centre);
        const Vec4 start(centre.x + r.x * std::cos(back) - r.y * std::sin(back),
                         centre.y + r.x * std::sin(back) + r.y * std::cos(back), 0.0);
        return feedArc(start, origin, centre, 1);
    };
    struct Case {
        const char* what;
        Segment prev, next;
        double e;
    };
    const Case cases[] = {
        {"line into an arc turning the same way (fillet inside its circle)",
         feedLine(scale(-10.0, into), origin),
         feedArc(origin, Vec4(0.2, 0.2, 0), Vec4(0, 0.2, 0), 1), 0.01},
        {"line into an arc turning the other way (fillet outside its circle)",
         feedLine(scale(-10.0, into), origin),
         feedArc(origin, Vec4(0.2, -0.2, 0), Vec4(0, -0.2, 0), 1), 0.01},
        {"arc of a radius near the error", feedLine(scale(-10.0, into), origin),
         feedArc(origin, Vec4(0.02, 0.02, 0), Vec4(0, 0.02, 0), 1), 0.01},
        {"spiral whose end radius is 0.3 % longer", feedLine(scale(-10.0, into), origin),
         feedArc(origin, Vec4(0.2006, 0.2, 0), Vec4(0, 0.2, 0), 1), 0.001},
        {"arc of more than half a turn into a line",
         feedArc(Vec4(std::cos(over), std::sin(over), 0), Vec4(1, 0, 0), origin, 0),
         feedLine(Vec4(1, 0, 0), Vec4(11, 0, 0)), 0.01},
        {"arc into an arc, both turning left", arcInto(true),
         feedArc(origin, Vec4(0.2, 0.2, 0), Vec4(0, 0.2, 0), 1), 0.01},
        {"arc turning right into an arc turning left", arcInto(false),
         feedArc(origin, Vec4(0.2, 0.2, 0), Vec4(0, 0.2, 0), 1), 0.01},
        {"arc turning left into an arc turning right", arcInto(true),
         feedArc(origin, Vec4(0.2, -0.2, 0), Vec4(0, -0.2, 0), 1), 0.001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FilletErrorScope error(c.e);
        CornerWindow w(c.prev, c.next);
        const Vec4 corner = c.prev.end;
        filletCorner(w.records);
        ASSERT_EQ(w.slot().kind, SegmentKind::Feed);
        EXPECT_EQ(distanceBetween(w.slot().start, w.prev().end), 0.0);
        EXPECT_EQ(distanceBetween(w.slot().end, w.next().start), 0.0);
        EXPECT_LT(angleBetween(tangentAt(w.prev(), true), tangentAt(w.slot(), false)), 1e-9);
        EXPECT_LT(angleBetween(tangentAt(w.slot(), true), tangentAt(w.next(), false)), 1e-9);
        const double gap = gapToCorner(w.slot(), corner);
        EXPECT_GT(gap, 0.0);
        EXPECT_LE(gap, c.e * (1.0 + 1e-9));
        EXPECT_NEAR(arcEndRadius(w.slot()), arcStartRadius(w.slot()), 1e-9);
        for (const bool first : {true, false}) {
            const Segment& whole = first ? c.prev : c.next;
            const Segment& cut = first ? w.prev() : w.next();
            if (whole.has(SegmentFlags::Arc)) {
                // The trimmed end lies on the arc's curve at the angle it was cut at.
                const Vec4 end = first ? cut.end : cut.start;
                const double apart =
                    angleApart(subtract(end, whole.centre), subtract(corner, whole.centre));
                const double turned = first ? arcAngle(whole) - apart : apart;
                EXPECT_NEAR(distanceBetween(end, whole.centre), arcRadiusAt(whole, turned), 1e-12);
            } else {
                EXPECT_LT(
                    angleBetween(subtract(cut.end, cut.start), subtract(whole.end, whole.start)),
                    1e-9);
            }
        }
    }
}

TEST_F(FilletTest, ArcOfMoreThanHalfATurnTrimmedToLessBecomesMinor) {
    // A counter-clockwise arc of half a turn plus 0.005 rad ends at (1, 0) heading +y; the path
    // then turns right onto +x. The fillet takes more than 0.005 rad off its end.
    FilletErrorScope error(0.01);
    const double start = kPi - 0.005;
    const Vec4 origin(0, 0, 0);
    Segment prev = feedArc(Vec4(std::cos(start), std::sin(start), 0), Vec4(1, 0, 0), origin, 0);
    ASSERT_NEAR(prev.length, kPi + 0.005, kTight);
    CornerWindow w(prev, feedLine(Vec4(1, 0, 0), Vec4(11, 0, 0)));
    filletCorner(w.records);

    EXPECT_TRUE(w.prev().has(SegmentFlags::MinorArc));
    EXPECT_NEAR(distanceBetween(w.prev().end, origin), 1.0, 1e-15);
    EXPECT_LT(w.prev().length, kPi);
    // Still travelling counter-clockwise at its new end.
    const double at = std::atan2(w.prev().end.y, w.prev().end.x);
    EXPECT_LT(angleBetween(tangentAt(w.prev(), true), Vec4(-std::sin(at), std::cos(at), 0)), 1e-9);
    EXPECT_GT(w.next().start.x, 1.0);
}

TEST_F(FilletTest, RecordRoundedAtBothEndsKeepsItsMiddleHalf) {
    // Two right-angle corners 1 apart with a large error: each fillet is held to a quarter of the
    // middle record's appended length, the second computed after the first trimmed it.
    FilletErrorScope error(1.0);
    FilledStore s;
    s.add({feedLine(Vec4(-10, 0, 0), Vec4(0, 0, 0)),
           withFilletBefore(feedLine(Vec4(0, 0, 0), Vec4(0, 1, 0))),
           withFilletBefore(feedLine(Vec4(0, 1, 0), Vec4(10, 1, 0)))});
    ASSERT_EQ(runFilletPass(s.store, nullptr), 0);

    const std::vector<Segment> r = s.all();
    ASSERT_EQ(r.size(), 5u);
    for (const Segment& x : r)
        EXPECT_EQ(x.kind, SegmentKind::Feed);
    expectPoint(r[0].end, -0.25, 0.0);
    expectPoint(r[2].start, 0.0, 0.25);
    expectPoint(r[2].end, 0.0, 0.75);
    expectPoint(r[4].start, 0.25, 1.0);
    EXPECT_NEAR(r[2].length, 0.5, kTight);
    EXPECT_EQ(r[2].distance, 1.0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(distanceBetween(r[i].end, r[i + 1].start), 0.0) << "joint " << i;
        EXPECT_LT(angleBetween(tangentAt(r[i], true), tangentAt(r[i + 1], false)), 1e-9)
            << "joint " << i;
    }
    expectPoint(r[1].centre, -0.25, 0.25);
    expectPoint(r[3].centre, 0.25, 0.75);
}

// Corners where no fillet can be built keep their records whole and never leave a zero-length
// Feed record or a value that is not finite.
void expectSharpCorner(CornerWindow& w, const Segment& prev, const Segment& next, bool stop) {
    EXPECT_EQ(w.prev().end.x, prev.end.x);
    EXPECT_EQ(w.prev().end.y, prev.end.y);
    EXPECT_EQ(w.prev().length, prev.length);
    EXPECT_EQ(w.next().start.x, next.start.x);
    EXPECT_EQ(w.next().start.y, next.start.y);
    EXPECT_EQ(w.next().length, next.length);
    EXPECT_EQ(w.prev().has(SegmentFlags::StopAtEnd), stop);
    EXPECT_EQ(w.slot().kind, SegmentKind::Placeholder);
    EXPECT_EQ(w.slot().length, 0.0);
    EXPECT_EQ(w.slot().flags, 0u);
    EXPECT_EQ(distanceBetween(w.slot().start, prev.end), 0.0);
    EXPECT_EQ(distanceBetween(w.slot().end, prev.end), 0.0);
    for (const Segment& r : w.records)
        EXPECT_TRUE(isFiniteRecord(r));
}

// The direction of travel at an end of a minor arc traced as the spiral the tick stage runs: its
// radius goes linearly with the angle from the start radius to the end radius.
Vec4 spiralTravel(const Segment& arc, bool atEnd) {
    const Vec4 a = subtract(arc.start, arc.centre);
    const Vec4 b = subtract(arc.end, arc.centre);
    const double r0 = length(a);
    const double r1 = length(b);
    const Vec4 x = scale(1.0 / r0, a);
    const Vec4 across = subtract(b, scale(dot(b, x), x));
    const Vec4 y = scale(1.0 / length(across), across);
    const double theta = std::atan2(dot(b, y), dot(b, x));
    const double slope = (r1 - r0) / theta;
    if (!atEnd) return add(scale(slope, x), scale(r0, y));
    const Vec4 radial = add(scale(std::cos(theta), x), scale(std::sin(theta), y));
    const Vec4 along = subtract(scale(std::cos(theta), y), scale(std::sin(theta), x));
    return add(scale(slope, radial), scale(r1, along));
}

Vec4 travel(const Segment& s, bool atEnd) {
    return s.has(SegmentFlags::Arc) ? spiralTravel(s, atEnd) : subtract(s.end, s.start);
}

TEST_F(FilletTest, RampLeavingTheArcsPlaneTurnsNoMoreThanAStraightThroughCornerOrRests) {
    // Beside an arc in the XY plane, a line with a Z change has no fillet tangent to both: the
    // fillet's ends may turn, but cost no more change of speed than the minimum fillet angle (a
    // corner the motion runs straight through), or the motion rests there. The arc starts (or ends)
    // at the origin heading +X, counter-clockwise about (0, r); its end radius is grow times r. The
    // line comes down into it (or climbs out of it) at slope degrees, its track turned by track
    // degrees.
    const double kDeg = kPi / 180.0;
    const Vec4 origin(0, 0, 0);
    struct Case {
        const char* what;
        double radius, grow, sweep, slope, track, line;
        bool lineFirst;
        bool rests;  // the largest fillet, at rest where it turns
    };
    const Case cases[] = {
        {"ramp into an arc of 2.5 times the error (a CAM lead-in)", 0.0025, 1.0, 2.6, 6.5, 0.0,
         0.003, true, false},
        {"ramp into a wide arc turning the same way", 1.0, 1.0, 1.0, 3.0, -5.0, 1.0, true, false},
        {"ramp into a wide arc turning the other way", 1.0, 1.0, 1.0, 3.0, 5.0, 1.0, true, false},
        {"steep ramp into a narrow arc", 0.1, 1.0, 1.0, 12.0, 0.0, 0.5, true, false},
        {"wide arc into a line climbing out of its plane", 1.0, 1.0, 1.0, 4.0, 3.0, 1.0, false,
         false},
        {"ramp into a spiral traced only once the largest fillet cuts it short", 0.095, 1.0106,
         kPi / 2.0, 1.0, 0.0, 1.0, true, true},
    };
    const double limit = cutParams().minFilletAngle * kDeg;
    const AccelerationScope machine(15.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FilletErrorScope error(0.001, 10160.0);
        const Vec4 centre(0.0, c.radius, 0.0);
        const auto onArc = [&](double angle, double r) {
            return Vec4(r * std::sin(angle), c.radius - r * std::cos(angle), 0.0);
        };
        const Vec4 heading(std::cos(c.track * kDeg) * std::cos(c.slope * kDeg),
                           std::sin(c.track * kDeg) * std::cos(c.slope * kDeg),
                           (c.lineFirst ? -1.0 : 1.0) * std::sin(c.slope * kDeg));
        const Segment arc = c.lineFirst
                                ? feedArc(origin, onArc(c.sweep, c.grow * c.radius), centre, 1)
                                : feedArc(onArc(-c.sweep, c.radius), origin, centre, 1);
        const Segment line = c.lineFirst
                                 ? feedLine(subtract(origin, scale(c.line, heading)), origin)
                                 : feedLine(origin, add(origin, scale(c.line, heading)));
        CornerWindow w(c.lineFirst ? line : arc, c.lineFirst ? arc : line);
        filletCorner(w.records);
        ASSERT_EQ(w.slot().kind, SegmentKind::Feed);
        EXPECT_EQ(distanceBetween(w.slot().start, w.prev().end), 0.0);
        EXPECT_EQ(distanceBetween(w.slot().end, w.next().start), 0.0);
        EXPECT_EQ(w.prev().has(SegmentFlags::StopAtEnd), c.rests);
        EXPECT_EQ(w.slot().has(SegmentFlags::StopAtEnd), c.rests);
        if (!c.rests) {
            // A turn costs the speed the planner can have there times the angle: no more than
            // the straight-through turn at the records' speed.
            const double fastest = std::min(
                w.slot().speed,
                std::sqrt(15.0 * std::min(arcStartRadius(w.slot()), arcEndRadius(w.slot()))));
            EXPECT_LE(angleBetween(travel(w.prev(), true), travel(w.slot(), false)) * fastest,
                      limit * w.slot().speed * (1.0 + 1e-12));
            EXPECT_LE(angleBetween(travel(w.slot(), true), travel(w.next(), false)) * fastest,
                      limit * w.slot().speed * (1.0 + 1e-12));
        }
        for (const Segment& r : w.records) {
            if (r.has(SegmentFlags::Arc)) {
                EXPECT_LE(std::fabs(arcEndRadius(r) - arcStartRadius(r)),
                          kArcRadiusShare * arcStartRadius(r));
            }
        }
        // The arc keeps its curve, the line its direction.
        const Segment& cutArc = c.lineFirst ? w.next() : w.prev();
        const Vec4 cutEnd = c.lineFirst ? cutArc.start : cutArc.end;
        const double apart = angleApart(subtract(cutEnd, centre), subtract(origin, centre));
        EXPECT_NEAR(distanceBetween(cutEnd, centre),
                    arcRadiusAt(arc, c.lineFirst ? apart : arcAngle(arc) - apart), 1e-12);
        const Segment& cutLine = c.lineFirst ? w.prev() : w.next();
        EXPECT_LT(angleBetween(subtract(cutLine.end, cutLine.start), heading), 1e-9);
    }
}

TEST_F(FilletTest, ReversalOrCornerWithoutDirectionStopsSharp) {
    FilletErrorScope error(0.01);
    {
        SCOPED_TRACE("exact reversal");
        const Segment prev = feedLine(Vec4(-10, 0, 0), Vec4(0, 0, 0));
        const Segment next = feedLine(Vec4(0, 0, 0), Vec4(-5, 0, 0));
        CornerWindow w(prev, next);
        filletCorner(w.records);
        expectSharpCorner(w, prev, next, true);
    }
    {
        SCOPED_TRACE("half circle ends at the corner: no direction there");
        const Segment prev = feedArc(Vec4(-2, 0, 0), Vec4(0, 0, 0), Vec4(-1, 0, 0), 1);
        const Segment next = feedLine(Vec4(0, 0, 0), Vec4(0, 5, 0));
        CornerWindow w(prev, next);
        filletCorner(w.records);
        expectSharpCorner(w, prev, next, true);
    }
    {
        SCOPED_TRACE("neighbour without an appended length");
        Segment prev = feedLine(Vec4(-10, 0, 0), Vec4(0, 0, 0));
        prev.distance = 0.0;
        const Segment next = feedLine(Vec4(0, 0, 0), Vec4(0, 5, 0));
        CornerWindow w(prev, next);
        filletCorner(w.records);
        expectSharpCorner(w, prev, next, true);
    }
}

TEST_F(FilletTest, CornerStopsSharpWhenTheErrorCannotBeHad) {
    const Segment prev = feedLine(Vec4(-10, 0, 0), Vec4(0, 0, 0));
    const Segment next = feedLine(Vec4(0, 0, 0), Vec4(0, 5, 0));
    struct Case {
        const char* what;
        double error;          // units
        double pulsesPerUnit;  // of X
    };
    for (const Case& c : {Case{"zero error", 0.0, 100.0}, Case{"no X pulses per unit", 0.01, 0.0},
                          Case{"negative error", -0.01, 100.0}}) {
        SCOPED_TRACE(c.what);
        FilletErrorScope error(c.error, c.pulsesPerUnit);
        if (c.pulsesPerUnit == 0.0) cutParams().maxFilletError = 10.16;
        CornerWindow w(prev, next);
        filletCorner(w.records);
        expectSharpCorner(w, prev, next, true);
    }
}

TEST_F(FilletTest, NearlyStraightCornerRunsThroughSharpWithoutStopping) {
    FilletErrorScope error(0.01);
    const double turn = 1e-9;
    const Segment prev = feedLine(Vec4(-10, 0, 0), Vec4(0, 0, 0));
    const Segment next = feedLine(Vec4(0, 0, 0), Vec4(10 * std::cos(turn), 10 * std::sin(turn), 0));
    CornerWindow w(prev, next);
    filletCorner(w.records);
    expectSharpCorner(w, prev, next, false);
}

TEST_F(FilletTest, NearlyReversedCornersGiveASoundFilletOrAStop) {
    FilletErrorScope error(0.01);
    for (double gap : {1e-3, 1e-6, 1e-9, 1e-12, 1e-15}) {
        SCOPED_TRACE(gap);
        const double turn = kPi - gap;
        const Segment prev = feedLine(Vec4(-10, 0, 0), Vec4(0, 0, 0));
        const Segment next =
            feedLine(Vec4(0, 0, 0), Vec4(10 * std::cos(turn), 10 * std::sin(turn), 0));
        CornerWindow w(prev, next);
        filletCorner(w.records);
        for (const Segment& r : w.records)
            EXPECT_TRUE(isFiniteRecord(r));
        EXPECT_GT(w.prev().length, 0.0);
        EXPECT_GT(w.next().length, 0.0);
        if (w.slot().kind == SegmentKind::Feed) {
            EXPECT_GT(w.slot().length, 0.0);
            EXPECT_GT(length(tangentAt(w.slot(), false)), 0.0);
            EXPECT_GT(length(tangentAt(w.slot(), true)), 0.0);
            EXPECT_LE(gapToCorner(w.slot(), Vec4(0, 0, 0)), 0.01 + kTight);
        } else {
            EXPECT_EQ(w.slot().kind, SegmentKind::Placeholder);
            EXPECT_TRUE(w.prev().has(SegmentFlags::StopAtEnd));
        }
    }
}

TEST_F(FilletTest, PassOverAnEmptyProgramChangesNothing) {
    FilletErrorScope error(0.01);
    ProgressLog log;
    FilledStore s;
    Segment empty = placeholderRecord();
    empty.flags = SegmentFlags::StopAtEnd | SegmentFlags::BreakPoint;
    s.add(empty);
    EXPECT_EQ(runFilletPass(s.store, &ProgressLog::record), 0);
    const std::vector<Segment> r = s.all();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].kind, SegmentKind::Placeholder);
    EXPECT_EQ(r[0].flags, 0x14u);
    EXPECT_EQ(ProgressLog::reports(), (std::vector<std::pair<int, int>>{{1, 100}, {1, 100}}));
}

// The pass fillets a corner's three records where they lie in their page, and copies them out
// and back when they straddle two pages: both windows that cross the first page boundary (the
// placeholder on either side of it) must come out as a window filleted out of the store does.
TEST_F(FilletTest, CornersAcrossAPageBoundaryAreFilletedLikeAnyOther) {
    FilletErrorScope error(0.01);
    for (int shift = 0; shift < 2; ++shift) {
        FilledStore s;
        if (shift == 1) s.add(feedLine(Vec4(-1, 0, 0), Vec4(0, 0, 0)));  // placeholders move on one
        for (int k = 0; s.store.highWater < kRecordsPerPage + 4; ++k) {
            const Segment zig = feedLine(Vec4(k, k % 2, 0), Vec4(k + 1, (k + 1) % 2, 0));
            s.add(k == 0 ? zig : withFilletBefore(zig));
        }
        std::vector<Segment> expected = s.all();
        for (std::size_t i = 2; i < expected.size(); ++i) {
            if (!expected[i].has(SegmentFlags::FilletBefore)) continue;
            Segment window[3] = {expected[i - 2], expected[i - 1], expected[i]};
            filletCorner(window);
            std::copy(window, window + 3, expected.begin() + static_cast<std::ptrdiff_t>(i - 2));
        }
        ASSERT_EQ(runFilletPass(s.store, nullptr), 0);
        const std::vector<Segment> got = s.all();
        for (std::size_t i = kRecordsPerPage - 3; i < kRecordsPerPage + 3; ++i) {
            EXPECT_EQ(got[i].kind, expected[i].kind) << i;
            EXPECT_EQ(got[i].flags, expected[i].flags) << i;
            EXPECT_EQ(std::memcmp(&got[i].start, &expected[i].start, 3 * sizeof(Vec4)), 0) << i;
            EXPECT_EQ(got[i].length, expected[i].length) << i;
        }
        // The placeholder just before (shift 0) or just after (shift 1) the boundary: a fillet now.
        EXPECT_EQ(expected[kRecordsPerPage - 1 + shift].kind, SegmentKind::Feed);
    }
}

// Ten records of 152 bytes, the fourth a placeholder for a 45-degree corner: the countdown
// restarts at 15 bytes after each report, so a report is due at every other record.
void fillTenRecords(FilledStore& s) {
    const Vec4 points[] = {Vec4(0, 0, 0), Vec4(1, 0, 0), Vec4(2, 0, 0), Vec4(3, 0, 0),
                           Vec4(4, 1, 0), Vec4(5, 1, 0), Vec4(6, 1, 0), Vec4(7, 1, 0),
                           Vec4(8, 1, 0), Vec4(9, 1, 0)};
    for (int i = 0; i + 1 < 10; ++i) {
        const Segment line = feedLine(points[i], points[i + 1]);
        s.add(i == 3 ? withFilletBefore(line) : line);
    }
}

TEST_F(FilletTest, PassReportsProgressAboutEveryHundredthOfTheStore) {
    FilletErrorScope error(0.01);
    ProgressLog log;
    FilledStore s;
    fillTenRecords(s);
    ASSERT_EQ(s.store.highWater, 10);
    EXPECT_EQ(runFilletPass(s.store, &ProgressLog::record), 0);
    EXPECT_EQ(ProgressLog::reports(), (std::vector<std::pair<int, int>>{
                                          {1, 10}, {1, 30}, {1, 50}, {1, 70}, {1, 90}, {1, 100}}));
    EXPECT_EQ(s.all()[3].kind, SegmentKind::Feed);
}

TEST_F(FilletTest, EscAtADueReportEndsThePassOtherKeysAreIgnored) {
    FilletErrorScope error(0.01);
    ProgressLog log;
    testing::ScriptedKeys keys({'q', kEscKey, 'z'});
    FilledStore s;
    fillTenRecords(s);
    EXPECT_EQ(runFilletPass(s.store, &ProgressLog::record), -1);
    EXPECT_EQ(ProgressLog::reports(), (std::vector<std::pair<int, int>>{{1, 10}}));
    EXPECT_EQ(keys.consumed(), 2u);
    // The corner after the Esc point was not reached.
    EXPECT_EQ(s.all()[3].kind, SegmentKind::Placeholder);
}

}  // namespace
}  // namespace pulsepost
