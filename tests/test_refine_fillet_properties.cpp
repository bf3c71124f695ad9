// Fillet geometry over many random corners: tangency, distance from the corner, the quarter
// limit, arcs kept on their circles and turning the same way, and nothing that is not finite.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "gcode/conversion_state.h"
#include "refine/fillet_pass.h"
#include "refine_fixtures.h"

namespace pulsepost {
namespace {

using testing::angleBetween;
using testing::CornerWindow;
using testing::distanceBetween;
using testing::feedArc;
using testing::feedLine;
using testing::FilletErrorScope;
using testing::gapToCorner;
using testing::isFiniteRecord;

constexpr double kPulsesPerUnit = 10160.0;
constexpr double kDegree = kPi / 180.0;

class RandomCorners {
  public:
    explicit RandomCorners(uint64_t seed) : gen_(seed) {}
    double uniform(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(gen_);
    }
    double logUniform(double lo, double hi) {
        return std::exp(uniform(std::log(lo), std::log(hi)));
    }
    bool coin() { return uniform(0.0, 1.0) < 0.5; }
    Vec4 point(double extent) {
        return Vec4(uniform(-extent, extent), uniform(-extent, extent), uniform(-extent, extent));
    }
    Vec4 unit() {
        for (;;) {
            const Vec4 v = point(1.0);
            const double l = length(v);
            if (l > 0.1 && l <= 1.0) return scale(1.0 / l, v);
        }
    }
    // A unit vector perpendicular to d.
    Vec4 perpendicular(const Vec4& d) {
        for (;;) {
            const Vec4 v = unit();
            const Vec4 p = subtract(v, scale(dot(v, d), d));
            const double l = length(p);
            if (l > 0.1) return scale(1.0 / l, p);
        }
    }

  private:
    std::mt19937_64 gen_;
};

Vec4 rotateInPlane(const Vec4& v, double angle) {  // about z
    return Vec4(v.x * std::cos(angle) - v.y * std::sin(angle),
                v.x * std::sin(angle) + v.y * std::cos(angle), v.z);
}
Vec4 leftOf(const Vec4& d) {
    return Vec4(-d.y, d.x, 0.0);
}

// Corners up to 170 degrees: beyond that the fillet approaches a half turn of radius about
// e x h, whose end directions are known only to position rounding over r sin 2h; the sharper
// corners are covered by the soundness property below.
TEST(FilletProperties, FilletsBetweenStraightRecordsAreTangentWithinTheErrorAndTheQuarter) {
    RandomCorners rnd(20261208);
    for (int i = 0; i < 20000; ++i) {
        const double e = rnd.logUniform(1e-4, 1e-1);
        FilletErrorScope error(e, kPulsesPerUnit);
        const double turn = rnd.uniform(0.1, 170.0) * kDegree;
        const Vec4 d1 = rnd.unit();
        const Vec4 d2 =
            add(scale(std::cos(turn), d1), scale(std::sin(turn), rnd.perpendicular(d1)));
        const Vec4 corner = rnd.point(10.0);
        const Segment prev =
            feedLine(subtract(corner, scale(rnd.logUniform(1e-3, 100.0), d1)), corner);
        const Segment next =
            feedLine(prev.end, add(prev.end, scale(rnd.logUniform(1e-3, 100.0), d2)));
        CornerWindow w(prev, next);
        filletCorner(w.records);

        SCOPED_TRACE(::testing::Message() << "corner " << i << " turn " << turn << " e " << e);
        ASSERT_EQ(w.slot().kind, SegmentKind::Feed);
        for (const Segment& r : w.records) {
            ASSERT_TRUE(isFiniteRecord(r));
            ASSERT_GT(r.length, 0.0);
        }
        ASSERT_EQ(distanceBetween(w.prev().end, w.slot().start), 0.0);
        ASSERT_EQ(distanceBetween(w.slot().end, w.next().start), 0.0);
        const double in = angleBetween(tangentAt(w.prev(), true), tangentAt(w.slot(), false));
        const double out = angleBetween(tangentAt(w.slot(), true), tangentAt(w.next(), false));
        ASSERT_LE(in, 1e-9);
        ASSERT_LE(out, 1e-9);
        const double gap = gapToCorner(w.slot(), prev.end);
        ASSERT_LE(gap, e * (1.0 + 1e-9));
        ASSERT_GT(gap, 0.0);
        ASSERT_LE(prev.length - w.prev().length, 0.25 * prev.distance + 1e-12);
        ASSERT_LE(next.length - w.next().length, 0.25 * next.distance + 1e-12);
    }
}

TEST(FilletProperties, SharpAndLopsidedCornersGiveASoundFilletOrAStop) {
    RandomCorners rnd(31337);
    for (int i = 0; i < 20000; ++i) {
        const double e = rnd.logUniform(1e-6, 1.0);
        FilletErrorScope error(e, kPulsesPerUnit);
        const double turn = kPi - rnd.logUniform(1e-16, 0.2);
        const Vec4 d1 = rnd.unit();
        const Vec4 d2 =
            add(scale(std::cos(turn), d1), scale(std::sin(turn), rnd.perpendicular(d1)));
        const Vec4 corner = rnd.point(1000.0);
        const Segment prev =
            feedLine(subtract(corner, scale(rnd.logUniform(1e-9, 1e3), d1)), corner);
        const Segment next =
            feedLine(prev.end, add(prev.end, scale(rnd.logUniform(1e-9, 1e3), d2)));
        if (prev.length == 0.0 || next.length == 0.0) continue;  // the append drops these
        CornerWindow w(prev, next);
        filletCorner(w.records);

        SCOPED_TRACE(::testing::Message() << "corner " << i << " turn " << turn << " e " << e);
        for (const Segment& r : w.records)
            ASSERT_TRUE(isFiniteRecord(r));
        ASSERT_GT(w.prev().length, 0.0);
        ASSERT_GT(w.next().length, 0.0);
        if (w.slot().kind == SegmentKind::Feed) {
            ASSERT_GT(w.slot().length, 0.0);
            ASSERT_GT(length(tangentAt(w.slot(), false)), 0.0);
            ASSERT_GT(length(tangentAt(w.slot(), true)), 0.0);
            ASSERT_EQ(distanceBetween(w.prev().end, w.slot().start), 0.0);
            ASSERT_EQ(distanceBetween(w.slot().end, w.next().start), 0.0);
        } else {
            ASSERT_EQ(w.slot().kind, SegmentKind::Placeholder);
            ASSERT_TRUE(w.prev().has(SegmentFlags::StopAtEnd));
            ASSERT_EQ(w.prev().length, prev.length);
            ASSERT_EQ(w.next().length, next.length);
        }
    }
}

// An arc of radius r and central angle sweep (the longer way past half a turn) that ends at
// the corner travelling along d (prev), or starts there (next); turning left or right.
Segment arcInto(const Vec4& corner, const Vec4& d, double r, double sweep, bool left) {
    const Vec4 centre = add(corner, scale(left ? r : -r, leftOf(d)));
    const Vec4 start = add(centre, rotateInPlane(subtract(corner, centre), left ? -sweep : sweep));
    return feedArc(start, corner, centre, sweep < kPi ? 1 : 0);
}
Segment arcOutOf(const Vec4& corner, const Vec4& d, double r, double sweep, bool left) {
    const Vec4 centre = add(corner, scale(left ? r : -r, leftOf(d)));
    const Vec4 end = add(centre, rotateInPlane(subtract(corner, centre), left ? sweep : -sweep));
    return feedArc(corner, end, centre, sweep < kPi ? 1 : 0);
}

double randomSweep(RandomCorners& rnd) {
    for (;;) {
        const double s = rnd.uniform(0.05, 2.0 * kPi - 0.05);
        if (std::fabs(s - kPi) > 0.05) return s;
    }
}

TEST(FilletProperties, ArcNeighboursStayOnTheirCirclesAndKeepTheirSense) {
    RandomCorners rnd(8121620);
    int sharp = 0;
    for (int i = 0; i < 5000; ++i) {
        const double e = rnd.logUniform(1e-4, 1e-2);
        FilletErrorScope error(e, kPulsesPerUnit);
        const double turn = rnd.uniform(0.1, 170.0) * kDegree * (rnd.coin() ? 1.0 : -1.0);
        const double heading = rnd.uniform(0.0, 2.0 * kPi);
        const Vec4 d1(std::cos(heading), std::sin(heading), 0.0);
        const Vec4 d2 = rotateInPlane(d1, turn);
        const Vec4 corner(rnd.uniform(-10, 10), rnd.uniform(-10, 10), rnd.uniform(-10, 10));
        const int shape = i % 3;  // 0: arc then line, 1: line then arc, 2: arc then arc
        const Segment prev =
            shape == 1
                ? feedLine(subtract(corner, scale(rnd.logUniform(1e-2, 100.0), d1)), corner)
                : arcInto(corner, d1, rnd.logUniform(1e-2, 100.0), randomSweep(rnd), rnd.coin());
        const Segment next =
            shape == 0
                ? feedLine(prev.end, add(prev.end, scale(rnd.logUniform(1e-2, 100.0), d2)))
                : arcOutOf(prev.end, d2, rnd.logUniform(1e-2, 100.0), randomSweep(rnd), rnd.coin());
        CornerWindow w(prev, next);
        filletCorner(w.records);

        SCOPED_TRACE(::testing::Message() << "corner " << i << " shape " << shape);
        if (w.slot().kind == SegmentKind::Placeholder) {
            // No fillet meets the arc closely enough: the corner stays sharp, with a stop.
            ++sharp;
            ASSERT_TRUE(w.prev().has(SegmentFlags::StopAtEnd));
            ASSERT_EQ(distanceBetween(w.prev().end, corner), 0.0);
            ASSERT_EQ(distanceBetween(w.next().start, corner), 0.0);
            continue;
        }
        ASSERT_EQ(w.slot().kind, SegmentKind::Feed);
        ASSERT_LE(std::fabs(arcEndRadius(w.slot()) - arcStartRadius(w.slot())),
                  kArcRadiusShare * arcStartRadius(w.slot()));
        for (const Segment& r : w.records) {
            ASSERT_TRUE(isFiniteRecord(r));
            ASSERT_GT(r.length, 0.0);
        }
        ASSERT_EQ(distanceBetween(w.prev().end, w.slot().start), 0.0);
        ASSERT_EQ(distanceBetween(w.slot().end, w.next().start), 0.0);
        ASSERT_LE(prev.length - w.prev().length, 0.25 * prev.distance + 1e-12);
        ASSERT_LE(next.length - w.next().length, 0.25 * next.distance + 1e-12);
        if (prev.has(SegmentFlags::Arc)) {
            const double r = distanceBetween(prev.start, prev.centre);
            ASSERT_NEAR(distanceBetween(w.prev().end, prev.centre), r, 1e-12 * (1.0 + r));
            // Same circle, same sense: the direction at the untouched start is unchanged.
            ASSERT_LE(angleBetween(tangentAt(prev, false), tangentAt(w.prev(), false)), 1e-9);
            ASSERT_LE(distanceBetween(w.prev().end, prev.end),
                      std::sqrt(e * (2.0 * r + e)) * (1.0 + 1e-9));
        }
        if (next.has(SegmentFlags::Arc)) {
            const double r = distanceBetween(next.end, next.centre);
            ASSERT_NEAR(distanceBetween(w.next().start, next.centre), r, 1e-12 * (1.0 + r));
            ASSERT_LE(angleBetween(tangentAt(next, true), tangentAt(w.next(), true)), 1e-9);
            ASSERT_LE(distanceBetween(w.next().start, next.start),
                      std::sqrt(e * (2.0 * r + e)) * (1.0 + 1e-9));
        }
    }
    // Sharp corners are the exception, even among these corners with errors up to the arcs' radii.
    EXPECT_LT(sharp, 5000 / 4);
}

}  // namespace
}  // namespace pulsepost
