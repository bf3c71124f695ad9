// Properties of the velocity profile over many random paths: within every record's limit, only
// +A, -A or 0 between knots, at rest at every stop and at the end, and distances that add up to
// the programmed lengths record by record.
#include <cmath>
#include <random>

#include "planner_test_support.h"

namespace pulsepost {
namespace {

using testing::eventRecord;
using testing::feedRecord;

struct PlannedFeed {
    int32_t index;  // in the segment store
    double length;  // units
    double limit;   // units per second, as programmed
    bool stops;
};

class PlannerProperties : public testing::PlannerStores {
  protected:
    std::vector<PlannedFeed> fillRandomPath(std::mt19937_64& random) {
        rewind(segments);
        segments.highWater = 0;
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        auto logUniform = [&](double low, double high) {
            return std::exp(std::log(low) + unit(random) * (std::log(high) - std::log(low)));
        };
        std::vector<PlannedFeed> feeds;
        const int count = 1 + static_cast<int>(unit(random) * 40);
        for (int i = 0; i < count; ++i) {
            if (!feeds.empty() && unit(random) < 0.1) {
                // An event or a rapid: the append has made the feed before it stop.
                Segment before = record(feeds.back().index);
                before.set(SegmentFlags::StopAtEnd, true);
                seek(segments, 0, feeds.back().index);
                write(&before, 1, segments);
                seek(segments, 0, segments.highWater);
                feeds.back().stops = true;
                if (unit(random) < 0.5) {
                    add(eventRecord(SegmentKind::OutputEvent));
                } else {
                    add(makeMove(SegmentKind::Rapid, Vec4{}, Vec4{0, 0, 1, 0}, 3.0));
                }
            }
            const double length = unit(random) < 0.03 ? 0.0 : logUniform(1e-3, 20.0);
            const double limit = logUniform(0.1, 50.0);
            const bool stops = unit(random) < 0.15;
            feeds.push_back({segments.highWater, length, limit, stops});
            add(feedRecord(length, limit, stops ? SegmentFlags::StopAtEnd : 0));
        }
        return feeds;
    }
};

// The stored times are absolute, so an interval's duration is known only to their rounding.
double timeRounding(double t0, double t1) {
    return 4.0 * (std::nextafter(t0, INFINITY) - t0 + std::nextafter(t1, INFINITY) - t1);
}

TEST_F(PlannerProperties, RandomPathsKeepLimitsAccelerationStopsAndDistances) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 3000; ++trial) {
        const std::vector<PlannedFeed> feeds = fillRandomPath(random);
        const double a = std::exp(std::log(0.5) + unit(random) * std::log(1000.0));
        SCOPED_TRACE(::testing::Message() << "trial " << trial << ", A " << a);
        planAndIntegrate(a);
        if (HasFatalFailure()) return;
        const std::vector<ProfilePoint> profile = knots();
        double totalLength = 0.0;
        for (const PlannedFeed& f : feeds)
            totalLength += f.length;
        if (totalLength == 0.0) {  // only records of length 0: no motion, no knot
            EXPECT_TRUE(profile.empty());
            continue;
        }

        // Every interval has a duration and runs at +A, -A or 0.
        ProfilePoint previous{};
        for (std::size_t k = 0; k < profile.size(); ++k) {
            const ProfilePoint& knot = profile[k];
            ASSERT_TRUE(std::isfinite(knot.time) && std::isfinite(knot.velocity)) << "knot " << k;
            ASSERT_GT(knot.time, previous.time) << "knot " << k;
            const double dv = knot.velocity - previous.velocity;
            const double dt = knot.time - previous.time;
            if (dv != 0.0) {
                const double expected = std::copysign(a, dv) * dt;
                EXPECT_LE(std::fabs(dv - expected),
                          1e-9 * std::fabs(dv) + a * timeRounding(previous.time, knot.time))
                    << "knot " << k << ": " << dv / dt << " units/s²";
            }
            previous = knot;
        }

        // Record by record: the knots between two marks belong to one record.
        const double distanceTolerance = 1e-9 * std::max(totalLength, 1.0);
        ProfilePoint end{};  // state at the end of the previous record
        for (std::size_t i = 0; i < feeds.size(); ++i) {
            SCOPED_TRACE(::testing::Message() << "feed " << i);
            const Segment& stored = record(feeds[i].index);
            const int32_t first = stored.profileMark / 24;
            const int32_t last = i + 1 < feeds.size() ? record(feeds[i + 1].index).profileMark / 24
                                                      : static_cast<int32_t>(profile.size());
            ASSERT_LE(first, last);
            ASSERT_EQ(first == 0 ? 0.0 : profile[first - 1].time, end.time);
            EXPECT_LE(stored.speed, feeds[i].limit);
            const double limit = feeds[i].limit * (1.0 + 1e-9);
            EXPECT_LE(end.velocity, limit) << "entry";
            for (int32_t k = first; k < last; ++k)
                EXPECT_LE(profile[k].velocity, limit);
            if (last > first) end = profile[last - 1];
            if (feeds[i].stops) {
                EXPECT_EQ(end.velocity, 0.0);
            }
            const double start = first == 0 ? 0.0 : profile[first - 1].distance;
            EXPECT_NEAR(end.distance - start, feeds[i].length, distanceTolerance);
        }
        EXPECT_EQ(profile.back().velocity, 0.0);
        EXPECT_NEAR(profile.back().distance, totalLength, 1e-9 * totalLength);
        EXPECT_EQ(lastKnot.time, profile.back().time);
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace pulsepost
