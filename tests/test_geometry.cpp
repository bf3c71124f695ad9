// Vectors and path records: snapping, length floor, cross products, quadrants, rounding, and the
// constructors' lengths, tangents and centre correction.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

#include "geometry/angle_limit.h"
#include "geometry/segment.h"
#include "geometry/vec4.h"
#include "platform/portable_math.h"
#include "test_support.h"

namespace pulsepost {
namespace {

void expectVec(const Vec4& v, double x, double y, double z, double a, double tol = 0.0) {
    EXPECT_NEAR(v.x, x, tol);
    EXPECT_NEAR(v.y, y, tol);
    EXPECT_NEAR(v.z, z, tol);
    EXPECT_NEAR(v.a, a, tol);
}

TEST(Vec4, ConstructionSnapsTinyComponentsToExactZero) {
    const Vec4 v(1e-15, -2e-14, 0.0, 5.0);
    EXPECT_EQ(v.x, 0.0);
    EXPECT_FALSE(std::signbit(v.x));
    EXPECT_EQ(v.y, -2e-14);
    EXPECT_EQ(v.a, 5.0);
    const Vec4 n(std::nan(""), -0.0, 1.0);
    EXPECT_EQ(n.x, 0.0);
    EXPECT_FALSE(std::signbit(n.y));
    EXPECT_EQ(n.a, 0.0);
    // Subtracting positions that differ by less than the snap gives exactly zero.
    const Vec4 d = subtract(Vec4(1.0 + 4e-15, 2.0, 0.0, 0.0), Vec4(1.0, 2.0, 0.0, 0.0));
    EXPECT_EQ(d.x, 0.0);
}

TEST(Vec4, LengthBelowFloorIsZeroButComponentIsKept) {
    const Vec4 v(1e-11, 0, 0, 0);
    EXPECT_EQ(v.x, 1e-11);
    EXPECT_EQ(length(v), 0.0);
    EXPECT_DOUBLE_EQ(length(Vec4(3, 4, 0, 0)), 5.0);
    EXPECT_DOUBLE_EQ(length(Vec4(1, 1, 1, 1)), 2.0);
}

TEST(Vec4, CrossProductChoosesItsThreeAxisSpace) {
    expectVec(cross(Vec4(1, 0, 0, 0), Vec4(0, 1, 0, 0)), 0, 0, 1, 0);
    expectVec(cross(Vec4(1, 0, 0, 0), Vec4(0, 0, 0, 1)), 0, -1, 0, 0);
    expectVec(cross(Vec4(0, 1, 0, 0), Vec4(0, 0, 0, 1)), 1, 0, 0, 0);
}

TEST(Vec4, CrossProductOverZAndAFailsWithMessageAndNeverWaitsForAKey) {
    testing::ScriptedKeys keys({'x'});
    ::testing::internal::CaptureStdout();
    const Vec4 r = cross(Vec4(0, 0, 1, 0), Vec4(0, 0, 0, 1));
    const std::string out = ::testing::internal::GetCapturedStdout();
    expectVec(r, 0, 0, 0, 0);
    EXPECT_EQ(out, "ERROR: Cross fed 4dim vectors\n");
    EXPECT_EQ(keys.consumed(), 0u);
    EXPECT_EQ(keys.checks(), 0u);
}

TEST(Vec4, ArcQuadrantAssignsAxesByDirectionOfTravel) {
    for (int direction : {2, 3})
        EXPECT_EQ(arcQuadrant(0, 0, direction), 4);
    EXPECT_EQ(arcQuadrant(1, 0, 3), 1);
    EXPECT_EQ(arcQuadrant(1, 0, 2), 4);
    EXPECT_EQ(arcQuadrant(0, 1, 3), 2);
    EXPECT_EQ(arcQuadrant(0, 1, 2), 1);
    EXPECT_EQ(arcQuadrant(-1, 0, 3), 3);
    EXPECT_EQ(arcQuadrant(-1, 0, 2), 2);
    EXPECT_EQ(arcQuadrant(0, -1, 3), 4);
    EXPECT_EQ(arcQuadrant(0, -1, 2), 3);
    EXPECT_EQ(arcQuadrant(-1, -1, 3), 3);
    EXPECT_EQ(arcQuadrant(1, -1, 2), 4);
}

TEST(Vec4, ClampedAcosAbsorbsRounding) {
    EXPECT_EQ(clampedAcos(1.0000001), 0.0);
    EXPECT_EQ(clampedAcos(-1.5), kPi);
    EXPECT_EQ(clampedAcos(std::nan("")), kPi);
    EXPECT_DOUBLE_EQ(clampedAcos(0.0), kPi / 2);
}

// The comparison through the cosine decides as the angle does, for the fillet angles a
// configuration may hold (0, negative, 180 degrees and beyond included), on the doubles around
// each threshold, over a sweep, and outside [-1, 1].
TEST(Vec4, AngleLimitDecidesAsTheAngleDoes) {
    const double limits[] = {0.1, 15.0, 45.0, 90.0, 179.99, 0.0, -1.0, 180.0, 200.0};
    for (double degrees : limits) {
        const double radians = degrees * 0.017453292519943295;
        const AngleLimit limit = angleLimit(radians);
        auto check = [&](double c) {
            ASSERT_EQ(angleAbove(limit, c), clampedAcos(c) > radians)
                << degrees << " degrees, cosine " << std::hexfloat << c;
        };
        double c = std::cos(radians);
        for (int i = 0; i < 40; ++i)
            c = std::nextafter(c, -2.0);
        for (int i = 0; i < 80; ++i, c = std::nextafter(c, 2.0))
            check(c);
        for (int i = -1000; i <= 1000; ++i)
            check(i / 1000.0);
        check(1.0 + 0x1p-52);
        check(-1.0 - 0x1p-52);
        check(std::numeric_limits<double>::quiet_NaN());
    }
}

TEST(Vec4, RoundHalfAwayFromZero) {
    EXPECT_EQ(roundHalfAway(2.5), 3);
    EXPECT_EQ(roundHalfAway(-2.5), -3);
    EXPECT_EQ(roundHalfAway(0.0), 0);
    EXPECT_EQ(roundHalfAway(-0.5), -1);
    EXPECT_EQ(roundHalfAway(0.4999), 0);
    EXPECT_EQ(roundHalfAway(1e10), 10000000000LL);
}

TEST(Vec4, SumSignAndDotUseAllFourComponents) {
    EXPECT_EQ(sumIsNonNegative(Vec4()), 1);
    EXPECT_EQ(sumIsNonNegative(Vec4(0, 0, -1, 0)), 0);
    EXPECT_DOUBLE_EQ(dot(Vec4(1, 2, 3, 4), Vec4(5, 6, 7, 8)), 70.0);
}

TEST(Segment, ConstructorsSetKindFlagsAndLength) {
    const Segment rapid = makeMove(SegmentKind::Rapid, Vec4(), Vec4(3, 4, 0, 0), 2.0);
    EXPECT_EQ(rapid.flags, 0x14u);
    EXPECT_DOUBLE_EQ(rapid.length, 5.0);
    EXPECT_EQ(rapid.speed, 2.0);
    const Segment feed = makeMove(SegmentKind::Feed, Vec4(), Vec4(3, 4, 0, 0), 2.0);
    EXPECT_EQ(feed.flags, 0u);
    const Segment event = makeEvent(SegmentKind::Pause, Vec4(5, 6, 7, 0));
    EXPECT_EQ(event.flags, 0x04u);
    expectVec(event.start, 5, 6, 7, 0);
    expectVec(event.end, 5, 6, 7, 0);
    EXPECT_EQ(event.length, 0.0);
    EXPECT_EQ(event.speed, 0.0);
}

TEST(Segment, QuarterArcLengthAndTangentsBothWays) {
    const Segment minor = makeArc(SegmentKind::Feed, Vec4(1, 0, 0), Vec4(0, 1, 0), Vec4(), 1, 1.0);
    EXPECT_EQ(minor.flags, 0x03u);
    EXPECT_NEAR(minor.length, kPi / 2, 1e-12);
    expectVec(tangentAt(minor, false), 0, 1, 0, 0, 1e-12);
    expectVec(tangentAt(minor, true), -1, 0, 0, 0, 1e-12);
    const Segment major = makeArc(SegmentKind::Feed, Vec4(1, 0, 0), Vec4(0, 1, 0), Vec4(), 0, 1.0);
    EXPECT_EQ(major.flags, 0x01u);
    EXPECT_NEAR(major.length, 3 * kPi / 2, 1e-12);
    expectVec(tangentAt(major, false), 0, -1, 0, 0, 1e-12);
    expectVec(tangentAt(major, true), 1, 0, 0, 0, 1e-12);
    EXPECT_TRUE(hasRadiusAndDirections(minor));
    EXPECT_TRUE(hasRadiusAndDirections(major));
}

TEST(Segment, FullCircleAndHalfCircleLengthsAndZeroTangents) {
    const Segment full = makeArc(SegmentKind::Feed, Vec4(2, 0, 0), Vec4(2, 0, 0), Vec4(), 0, 1.0);
    EXPECT_NEAR(full.length, 4 * kPi, 1e-12);
    // A chord a hair longer than the diameter is limited to it: half a circle.
    const Segment half =
        makeArc(SegmentKind::Feed, Vec4(1, 0, 0), Vec4(-1.0 - 1e-9, 0, 0), Vec4(), 1, 1.0);
    EXPECT_NEAR(half.length, kPi, 1e-9);
    EXPECT_EQ(length(tangentAt(half, false)), 0.0);
    EXPECT_FALSE(hasRadiusAndDirections(half));
    EXPECT_FALSE(hasRadiusAndDirections(full));
    const Segment noRadius =
        makeArc(SegmentKind::Feed, Vec4(0, 0, 0), Vec4(1, 1, 0), Vec4(0, 0, 0), 1, 1.0);
    EXPECT_FALSE(hasRadiusAndDirections(noRadius));
}

// An arc whose end lies off the circle through its start runs as a spiral: its radius goes
// linearly with the angle from the start radius to the end radius, and its length is that of the
// spiral. The angle comes from the radii's directions, also at nearly half a turn, where the chord
// is longer than the start diameter. An arc whose radii agree keeps its chord measure to the bit.
TEST(Segment, ArcsRunAsSpiralsOntoAnEndOffTheirCircle) {
    struct Case {
        const char* what;
        Vec4 start, end;
        int minor;
        double angle;  // radians, in the direction of travel
    };
    const double planar = [] {
        return std::atan2(-3.457 * 26.166 + 26.172 * 3.504, 3.457 * 3.504 + 26.172 * 26.166);
    }();
    const Case cases[] = {
        {"nearly half a turn, chord beyond the diameter", Vec4(3.457, -26.172, 0),
         Vec4(-3.504, 26.166, 0), 1, kPi - std::fabs(planar)},
        {"a quarter ending a little outside", Vec4(1, 0, 0), Vec4(0, 1.003, 0), 1, kPi / 2},
        {"three quarters ending outside", Vec4(1, 0, 0), Vec4(0, 1.01, 0), 0, 1.5 * kPi},
    };
    for (const Case& c : cases) {
        const Segment arc = makeArc(SegmentKind::Feed, c.start, c.end, Vec4(), c.minor, 1.0);
        const double r0 = length(c.start);
        const double r1 = length(c.end);
        EXPECT_NEAR(arcAngle(arc), c.angle, 1e-12) << c.what;
        EXPECT_EQ(arcEndRadius(arc), r1) << c.what;
        EXPECT_NEAR(arcRadiusAt(arc, c.angle / 2), 0.5 * (r0 + r1), 1e-12) << c.what;
        // The spiral, walked in small straight steps, has the record's length and ends at end.
        const double sense = c.minor ? (c.start.x * c.end.y - c.start.y * c.end.x < 0 ? -1 : 1)
                                     : (c.start.x * c.end.y - c.start.y * c.end.x < 0 ? 1 : -1);
        const double a0 = std::atan2(c.start.y, c.start.x);
        Vec4 at = c.start;
        double walked = 0.0;
        const int steps = 200000;
        for (int i = 1; i <= steps; ++i) {
            const double a = c.angle * i / steps;
            const double rho = r0 + (r1 - r0) * i / steps;
            const Vec4 p(rho * std::cos(a0 + sense * a), rho * std::sin(a0 + sense * a), 0);
            walked += length(subtract(p, at));
            at = p;
        }
        EXPECT_NEAR(arc.length, walked, 1e-8 * walked) << c.what;
        EXPECT_NEAR(at.x, c.end.x, 1e-9) << c.what;
        EXPECT_NEAR(at.y, c.end.y, 1e-9) << c.what;
    }
    const Segment quarter = makeArc(SegmentKind::Feed, Vec4(1, 0, 0), Vec4(0, 1, 0), Vec4(), 1, 1);
    EXPECT_EQ(quarter.length, 2.0 * portableAsin(length(Vec4(-1, 1, 0)) / 2.0));
}

// A circle's arc keeps the length that the comparison of its chord measure with its radius times
// its angle gives, to the bit, also where the two measures only just agree or disagree (end
// radii up to kCentreTolerance off the start radius, angles up to half a turn).
TEST(Segment, CircleArcLengthIsTheChordMeasureWhereItAgreesWithTheAngle) {
    struct Measures {
        double length;  // as the comparison gives it
        double gap;     // between the two measures, in units of their agreement 1e-9 r
    };
    const auto measures = [](const Segment& s) {
        const double r = arcStartRadius(s);
        const double theta = arcAngle(s);
        const double d = 2.0 * r;
        const double chord = d * portableAsin(std::min(length(subtract(s.end, s.start)), d) / d);
        const double gap = std::fabs(chord - r * theta) / (1e-9 * r);
        return Measures{std::fabs(chord - r * theta) <= 1e-9 * r ? chord : r * theta, gap};
    };
    std::mt19937_64 random(20);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int agreeing = 0;
    int nearTheEdge = 0;
    for (int i = 0; i < 40000; ++i) {
        const double r = 0.01 * std::pow(1000.0, unit(random));
        const double theta = kPi * std::pow(unit(random), 3.0);
        const double a0 = 2.0 * kPi * unit(random);
        const double off = i % 3 == 0 ? 0.0 : (2.0 * unit(random) - 1.0) * 0.99 * kCentreTolerance;
        const double cx = 10.0 * unit(random);
        const double cy = -5.0 * unit(random);
        // In the XY plane, or every other arc in the XZ plane.
        const auto at = [&](double x, double y) {
            return i % 2 == 0 ? Vec4(cx + x, cy + y, 0.0) : Vec4(cx + x, 0.0, cy + y);
        };
        Segment s;
        s.kind = SegmentKind::Feed;
        s.flags = SegmentFlags::Arc | SegmentFlags::MinorArc;
        s.centre = at(0.0, 0.0);
        s.start = at(r * std::cos(a0), r * std::sin(a0));
        s.end = at((r + off) * std::cos(a0 + theta), (r + off) * std::sin(a0 + theta));
        computeLength(s);
        const Measures want = measures(s);
        ASSERT_EQ(s.length, want.length) << i;
        agreeing += want.gap <= 1.0;
        nearTheEdge += want.gap > 0.5 && want.gap < 2.0;
    }
    EXPECT_GT(agreeing, 10000);
    EXPECT_LT(agreeing, 30000);
    EXPECT_GT(nearTheEdge, 1000);
}

// makeArcWithDirections makes makeArc's record and says what hasRadiusAndDirections says of it,
// also where a direction of travel lies at the length floor (tiny radii, angles near zero and
// near half a turn).
TEST(Segment, ArcWithDirectionsAgreesWithTheDirectionsOfTheArc) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int without = 0;
    int atTheFloor = 0;
    for (int i = 0; i < 40000; ++i) {
        const double r = 1e-9 * std::pow(1e13, unit(random));
        // The sine of the angle from 1e-16 to 1, at either end of the half turn.
        const double sine = std::pow(1e-16, unit(random));
        const double theta = i % 2 == 0 ? std::asin(sine) : kPi - std::asin(sine);
        const double a0 = 2.0 * kPi * unit(random);
        const Vec4 centre(3.0 * unit(random), 0.0, -2.0 * unit(random));
        const Vec4 start = add(centre, Vec4(r * std::cos(a0), r * std::sin(a0), 0.0));
        const Vec4 end = add(centre, Vec4(r * std::cos(a0 + theta), r * std::sin(a0 + theta), 0.0));
        bool hasDirections = false;
        const Segment arc = makeArcWithDirections(SegmentKind::Feed, start, end, centre, i % 3 != 0,
                                                  2.0, hasDirections);
        const Segment plain = makeArc(SegmentKind::Feed, start, end, centre, i % 3 != 0, 2.0);
        ASSERT_EQ(std::memcmp(&arc, &plain, sizeof(Segment)), 0) << i;
        ASSERT_EQ(hasDirections, hasRadiusAndDirections(arc)) << i;
        without += !hasDirections;
        atTheFloor += r * sine > 0.5 * kLengthFloor && r * sine < 1e-8;
    }
    EXPECT_GT(without, 4000);
    EXPECT_LT(without, 36000);
    EXPECT_GT(atTheFloor, 1000);
}

TEST(Segment, LineTangentIsTheChord) {
    const Segment s = makeMove(SegmentKind::Feed, Vec4(), Vec4(3, 4, 0, 0), 1.0);
    expectVec(tangentAt(s, false), 3, 4, 0, 0);
    expectVec(tangentAt(s, true), 3, 4, 0, 0);
}

TEST(Segment, CentreIsCorrectedOnlyWhenNearerTheEnd) {
    const Segment far =
        makeArc(SegmentKind::Feed, Vec4(1, 0, 0), Vec4(0, 1.00001, 0), Vec4(), 1, 1);
    expectVec(far.centre, 0, 0, 0, 0);
    const Segment near =
        makeArc(SegmentKind::Feed, Vec4(1, 0, 0), Vec4(0, 0.99999, 0), Vec4(), 1, 1);
    EXPECT_NEAR(near.centre.x, 0.000005, 1e-9);
    EXPECT_NEAR(near.centre.y, -0.000005, 1e-9);
    const double r1 = length(subtract(near.start, near.centre));
    const double r2 = length(subtract(near.end, near.centre));
    EXPECT_NEAR(r1, 0.999995, 1e-9);
    EXPECT_NEAR(r1, r2, 1e-12);
}

TEST(Segment, PlaceholderIsAllZero) {
    const Segment& p = placeholderRecord();
    EXPECT_EQ(p.kind, SegmentKind::Placeholder);
    EXPECT_EQ(p.flags, 0u);
    EXPECT_EQ(p.tool, 0);
    EXPECT_EQ(p.length, 0.0);
}

}  // namespace
}  // namespace pulsepost
