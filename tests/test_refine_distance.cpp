// Path distances and arc speed limits: feed moves counted in path order with rapids and events
// left out, arcs held to sqrt(acceleration x radius), and the pass's progress and Esc.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "gcode/conversion_state.h"
#include "platform/console.h"
#include "refine/distance_pass.h"
#include "refine/fillet_pass.h"
#include "refine_fixtures.h"
#include "test_support.h"

namespace pulsepost {
namespace {

using testing::feedArc;
using testing::feedLine;
using testing::FilledStore;
using testing::FilletErrorScope;
using testing::isFiniteRecord;
using testing::ProgressLog;
using testing::withFilletBefore;

using Reports = std::vector<std::pair<int, int>>;

class DistancePassTest : public ::testing::Test {
  protected:
    void SetUp() override { resetConversionState(); }
};

TEST_F(DistancePassTest, FeedMovesGetThePathDistanceOfTheFeedMovesBeforeThem) {
    FilledStore s;
    Segment rapid = makeMove(SegmentKind::Rapid, Vec4(2, 0, 0), Vec4(2, 7, 0), 50.0);
    rapid.distance = rapid.length;
    s.add({feedLine(Vec4(0, 0, 0), Vec4(2, 0, 0)),
           makeEvent(SegmentKind::SpindleEvent, Vec4(2, 0, 0)), rapid,
           feedLine(Vec4(2, 7, 0), Vec4(5, 7, 0)), feedLine(Vec4(5, 7, 0), Vec4(5, 11, 0))});
    ProgressLog log;
    ASSERT_EQ(runDistancePass(s.store, 15.0, &ProgressLog::record), 0);

    const std::vector<Segment> r = s.all();
    EXPECT_EQ(r[0].distance, 0.0);
    EXPECT_EQ(r[3].distance, 2.0);
    EXPECT_EQ(r[4].distance, 5.0);
    EXPECT_EQ(r[1].distance, 0.0);  // the event keeps 0
    EXPECT_EQ(r[2].distance, 7.0);  // the rapid keeps its appended length
    EXPECT_EQ(r[2].speed, 50.0);
    for (int i : {0, 3, 4})
        EXPECT_EQ(r[i].speed, 1.0);
    EXPECT_EQ(ProgressLog::reports().back(), (std::pair<int, int>{2, 100}));
}

TEST_F(DistancePassTest, ArcSpeedIsHeldToTheSpeedOfItsCentripetalAcceleration) {
    // Radius 4, acceleration 15: sqrt(60) = 7.746 units per second.
    const Vec4 origin(0, 0, 0);
    FilledStore s;
    s.add({feedArc(Vec4(4, 0, 0), Vec4(0, 4, 0), origin, 1, 10.0),
           feedArc(Vec4(0, 4, 0), Vec4(-4, 0, 0), origin, 1, 5.0),
           feedLine(Vec4(-4, 0, 0), Vec4(-4, -1, 0), 10.0)});
    ASSERT_EQ(runDistancePass(s.store, 15.0, nullptr), 0);
    const std::vector<Segment> r = s.all();
    EXPECT_DOUBLE_EQ(r[0].speed, std::sqrt(60.0));
    EXPECT_EQ(r[1].speed, 5.0);
    EXPECT_EQ(r[2].speed, 10.0);
    EXPECT_DOUBLE_EQ(r[1].distance, 2.0 * kPi);
    EXPECT_DOUBLE_EQ(r[2].distance, 4.0 * kPi);
}

TEST_F(DistancePassTest, PathWithoutFeedMovesIsLeftAlone) {
    FilledStore s;
    s.add({makeEvent(SegmentKind::SpindleEvent, Vec4(0, 0, 0)),
           makeMove(SegmentKind::Rapid, Vec4(0, 0, 0), Vec4(1, 0, 0), 50.0),
           makeEvent(SegmentKind::Pause, Vec4(1, 0, 0))});
    const std::vector<Segment> before = s.all();
    ProgressLog log;
    ASSERT_EQ(runDistancePass(s.store, 15.0, &ProgressLog::record), 0);
    const std::vector<Segment> after = s.all();
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(std::memcmp(&before[i], &after[i], sizeof(Segment)), 0) << i;
    }
    EXPECT_EQ(ProgressLog::reports(), (Reports{{2, 100}}));
}

void fillTenLines(FilledStore& s) {
    double x = 0.0;
    for (int i = 1; i <= 10; ++i) {
        s.add(feedLine(Vec4(x, 0, 0), Vec4(x + i, 0, 0)));
        x += i;
    }
}

TEST_F(DistancePassTest, ProgressAndEscFollowTheStoreCountdown) {
    {
        ProgressLog log;
        FilledStore s;
        fillTenLines(s);
        ASSERT_EQ(runDistancePass(s.store, 15.0, &ProgressLog::record), 0);
        EXPECT_EQ(ProgressLog::reports(),
                  (Reports{{2, 10}, {2, 30}, {2, 50}, {2, 70}, {2, 90}, {2, 100}}));
    }
    {
        ProgressLog log;
        testing::ScriptedKeys keys({'q', kEscKey});
        FilledStore s;
        fillTenLines(s);
        ASSERT_EQ(runDistancePass(s.store, 15.0, &ProgressLog::record), -1);
        EXPECT_EQ(ProgressLog::reports(), (Reports{{2, 10}}));
        const std::vector<Segment> r = s.all();
        // Rewritten up to the Esc point (the third record); the rest keep appended lengths.
        EXPECT_EQ(r[1].distance, 1.0);
        EXPECT_EQ(r[2].distance, 3.0);
        EXPECT_EQ(r[3].distance, 4.0);
    }
}

TEST_F(DistancePassTest, FilletArcIsHeldToTheSpeedOfItsOwnRadius) {
    FilletErrorScope error(0.01);
    FilledStore s;
    s.add({feedLine(Vec4(-10, 0, 0), Vec4(0, 0, 0), 10.0),
           withFilletBefore(feedLine(Vec4(0, 0, 0), Vec4(0, 10, 0), 10.0))});
    ASSERT_EQ(runFilletPass(s.store, nullptr), 0);
    ASSERT_EQ(runDistancePass(s.store, 15.0, nullptr), 0);
    const std::vector<Segment> r = s.all();
    const double radius = 0.01 * (1.0 + std::sqrt(2.0));
    EXPECT_NEAR(r[1].speed, std::sqrt(15.0 * radius), 1e-12);
    EXPECT_NEAR(r[1].distance, 10.0 - radius, 1e-12);
    EXPECT_NEAR(r[2].distance, 10.0 - radius + radius * kPi / 2.0, 1e-12);
    EXPECT_EQ(r[2].speed, 10.0);
}

TEST_F(DistancePassTest, ReversedCornerLeavesNoEmptyOrNonFiniteFeedRecord) {
    // A reversal that reached the fillet pass stays a sharp stop; the slot is passed over.
    FilletErrorScope error(0.01);
    FilledStore s;
    s.add({feedLine(Vec4(-10, 0, 0), Vec4(0, 0, 0)),
           withFilletBefore(feedLine(Vec4(0, 0, 0), Vec4(-4, 0, 0)))});
    ASSERT_EQ(runFilletPass(s.store, nullptr), 0);
    ASSERT_EQ(runDistancePass(s.store, 15.0, nullptr), 0);
    const std::vector<Segment> r = s.all();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[1].kind, SegmentKind::Placeholder);
    EXPECT_TRUE(r[0].has(SegmentFlags::StopAtEnd));
    for (const Segment& x : r) {
        EXPECT_TRUE(isFiniteRecord(x));
        if (x.kind == SegmentKind::Feed) {
            EXPECT_GT(x.length, 0.0);
        }
    }
    EXPECT_EQ(r[2].distance, 10.0);
}

}  // namespace
}  // namespace pulsepost
