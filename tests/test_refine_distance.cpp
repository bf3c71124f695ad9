// Path distances and arc speed limits: feed moves counted in path order with rapids and events
// left out, arcs held to sqrt(acceleration x radius), and the pass's progress and Esc.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "gcode/conversion_state.h"
#include "platform/console.h"
#include "refine/distance_pass.h"
#include "refine/fillet_pass.h"
#include "refine/refinement.h"
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

// A path of n records: corners between lines and between a line and an arc marked for
// fillets, rapids and events between them.
void fillMixedPath(FilledStore& s, int n) {
    Vec4 at(0, 0, 0);
    for (int k = 0; k < n; ++k) {
        const Vec4 to(at.x + 1.0 + (k % 7) * 0.25, at.y + ((k % 2) ? 0.5 : -0.5), 0.0);
        switch (k % 5) {
            case 0:
                s.add(withFilletBefore(feedLine(at, to, 10.0)));
                break;
            case 1:
                s.add(withFilletBefore(feedArc(at, Vec4(at.x + 3.0, at.y + 3.0, 0.0),
                                               Vec4(at.x, at.y + 3.0, 0.0), 1, 20.0)));
                at = Vec4(at.x + 3.0, at.y + 3.0, 0.0);
                continue;
            case 2:
                s.add(makeMove(SegmentKind::Rapid, at, to, 50.0));
                break;
            case 3:
                s.add(makeEvent(SegmentKind::SpindleEvent, at));
                continue;
            default:
                s.add(feedLine(at, to, 10.0));
                break;
        }
        at = to;
    }
}

TEST_F(DistancePassTest, OneWalkGivesTheRecordsAndReportsOfTheTwoPasses) {
    FilletErrorScope error(0.01);
    for (int n : {1, 2, 3, 6, 101, 2500}) {
        SCOPED_TRACE(n);
        FilledStore apart;
        FilledStore together;
        fillMixedPath(apart, n);
        fillMixedPath(together, n);
        ProgressLog log;
        ASSERT_EQ(runFilletPass(apart.store, &ProgressLog::record), 0);
        ASSERT_EQ(runDistancePass(apart.store, 15.0, &ProgressLog::record), 0);
        const Reports expected = ProgressLog::reports();
        ProgressLog::reports().clear();
        ASSERT_EQ(runRefinementPasses(together.store, 15.0, &ProgressLog::record), 0);
        EXPECT_EQ(ProgressLog::reports(), expected);
        EXPECT_EQ(together.store.cursor, apart.store.cursor);
        const std::vector<Segment> a = apart.all();
        const std::vector<Segment> b = together.all();
        ASSERT_EQ(a.size(), b.size());
        EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(Segment)), 0);
    }
}

}  // namespace
}  // namespace pulsepost
