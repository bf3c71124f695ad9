// Velocity profiles of small paths: each shape a Feed record can take, backtracking when a record
// is too short to brake, stops at events, and the refusal of values that cannot be planned.
#include <cmath>
#include <limits>

#include "planner_test_support.h"

namespace pulsepost {
namespace {

using testing::eventRecord;
using testing::feedRecord;
using testing::MessageLog;

struct Knot {
    double time;
    double velocity;
    double distance;
};

void expectKnots(const std::vector<ProfilePoint>& actual, const std::vector<Knot>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "knot " << i);
        EXPECT_NEAR(actual[i].time, expected[i].time, 1e-6);
        EXPECT_NEAR(actual[i].velocity, expected[i].velocity, 1e-6);
        EXPECT_NEAR(actual[i].distance, expected[i].distance, 1e-6);
    }
}

class PlannerProfile : public testing::PlannerStores {};

TEST_F(PlannerProfile, SingleLineAcceleratesCruisesAndStops) {
    add(feedRecord(10.0, 1.0));
    planAndIntegrate(1.0);
    expectKnots(knots(), {{1, 1, 0.5}, {10, 1, 9.5}, {11, 0, 10}});
    EXPECT_EQ(lastKnot.time, 11.0);
    EXPECT_EQ(lastKnot.velocity, 0.0);
    EXPECT_EQ(record(0).profileMark, 0);
}

TEST_F(PlannerProfile, ShortLineRisesToAPeakAndFallsBack) {
    add(feedRecord(0.25, 1.0));
    planAndIntegrate(1.0);
    expectKnots(knots(), {{0.5, 0.5, 0.125}, {1, 0, 0.25}});
}

TEST_F(PlannerProfile, RecordTooShortToBrakeLowersItsLimitAndReplansTheOneBefore) {
    add(feedRecord(10.0, 2.0));
    add(feedRecord(0.1, 2.0));
    planAndIntegrate(1.0);
    expectKnots(knots(), {{2, 2, 2},
                          {5.0499, 2, 8.0998},
                          {6.603134, 0.446766, 10},
                          {6.603581, 0.446766, 10.0002},
                          {7.050347, 0, 10.1}});
    EXPECT_NEAR(lastKnot.time, 7.050347, 1e-6);
    // The lowered limit and both marks stay in the store for the interpolator.
    EXPECT_EQ(record(0).speed, 2.0);
    EXPECT_NEAR(record(1).speed, 0.4467663819, 1e-10);
    EXPECT_EQ(record(0).profileMark, 0);
    EXPECT_EQ(record(1).profileMark, 3 * 24);
}

TEST_F(PlannerProfile, BacktrackingRunsBackOverSeveralRecords) {
    add(feedRecord(10.0, 10.0));
    add(feedRecord(0.5, 10.0));
    add(feedRecord(0.5, 10.0));
    planAndIntegrate(1.0);
    expectKnots(knots(), {{3.316173020, 3.316173020, 5.498501749},
                          {5.220252914, 1.412093126, 10.0},
                          {5.221667128, 1.412093126, 10.001997002},
                          {5.634760254, 0.999, 10.5},
                          {5.635760754, 0.999, 10.5009995},
                          {6.634760754, 0, 11.0}});
    EXPECT_EQ(record(0).speed, 10.0);
    EXPECT_NEAR(record(1).speed, 1.4120931258, 1e-9);
    EXPECT_NEAR(record(2).speed, 0.999, 1e-12);
    EXPECT_EQ(record(1).profileMark, 2 * 24);
    EXPECT_EQ(record(2).profileMark, 4 * 24);
}

TEST_F(PlannerProfile, RecordTooShortToReachItsExitEndsAtTheReachableSpeed) {
    add(feedRecord(1.0, 2.0));
    add(feedRecord(10.0, 2.0));
    planAndIntegrate(1.0);
    expectKnots(knots(), {{1.414214, 1.414214, 1}, {2, 2, 2}, {5.5, 2, 9}, {7.5, 0, 11}});
    EXPECT_EQ(record(1).profileMark, 24);
}

TEST_F(PlannerProfile, RecordEnteredAndLeftAtItsLimitOnlyCruises) {
    add(feedRecord(10.0, 1.0));
    add(feedRecord(5.0, 1.0));
    add(feedRecord(10.0, 1.0));
    planAndIntegrate(1.0);
    expectKnots(knots(), {{1, 1, 0.5}, {10.5, 1, 10}, {15.5, 1, 15}, {25, 1, 24.5}, {26, 0, 25}});
    EXPECT_EQ(record(1).profileMark, 2 * 24);
    EXPECT_EQ(record(2).profileMark, 3 * 24);  // one knot for the middle record
}

TEST_F(PlannerProfile, FeedAfterAnEventStartsAgainFromRest) {
    add(feedRecord(10.0, 1.0, SegmentFlags::StopAtEnd));
    add(eventRecord(SegmentKind::ToolChange));
    add(feedRecord(10.0, 1.0));
    planAndIntegrate(1.0);
    expectKnots(
        knots(),
        {{1, 1, 0.5}, {10, 1, 9.5}, {11, 0, 10}, {12, 1, 10.5}, {21, 1, 19.5}, {22, 0, 20}});
    EXPECT_EQ(record(1).kind, SegmentKind::ToolChange);
    EXPECT_EQ(record(1).profileMark, 0);  // events are not planned
    EXPECT_EQ(record(2).profileMark, 3 * 24);
}

TEST_F(PlannerProfile, PathWithoutFeedMovesPlansAndReportsNothing) {
    add(makeMove(SegmentKind::Rapid, Vec4{}, Vec4{1, 0, 0, 0}, 5.0));
    add(eventRecord(SegmentKind::SpindleEvent));
    add(eventRecord(SegmentKind::Dwell));
    EXPECT_EQ(plan(1.0, &testing::recordProgress), PlanResult::NoFeedMove);
    EXPECT_EQ(profile.highWater, 0);
    EXPECT_TRUE(testing::progressLog().empty());
}

TEST_F(PlannerProfile, PlanningTwiceGivesTheSameProfile) {
    add(feedRecord(10.0, 2.0));
    add(feedRecord(0.1, 2.0));
    planAndIntegrate(1.0);
    const std::vector<ProfilePoint> first = knots();
    planAndIntegrate(1.0);
    const std::vector<ProfilePoint> second = knots();
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i].time, second[i].time);
}

// A record of length 0 that must stop, reached at speed: its limit is lowered to 0 and the
// record before brakes for it. It must add no knot, least of all one with a time of 0 / 0.
TEST_F(PlannerProfile, ZeroLengthStopAfterMotionAddsNoKnot) {
    add(feedRecord(10.0, 1.0));
    add(feedRecord(0.0, 1.0, SegmentFlags::StopAtEnd));
    add(feedRecord(10.0, 1.0));
    planAndIntegrate(1.0);
    expectKnots(
        knots(),
        {{1, 1, 0.5}, {10, 1, 9.5}, {11, 0, 10}, {12, 1, 10.5}, {21, 1, 19.5}, {22, 0, 20}});
    EXPECT_EQ(record(1).speed, 0.0);
    EXPECT_EQ(record(1).profileMark, 3 * 24);
    EXPECT_EQ(record(2).profileMark, 3 * 24);
}

TEST_F(PlannerProfile, RefusesAnAccelerationThatIsNotPositiveAndFinite) {
    add(feedRecord(10.0, 1.0));
    for (double acceleration : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(acceleration);
        MessageLog messages;
        testing::progressLog().clear();
        EXPECT_EQ(plan(acceleration, &testing::recordProgress), PlanResult::Refused);
        ASSERT_EQ(MessageLog::entries().size(), 1u);
        EXPECT_EQ(MessageLog::entries()[0].first, MessageCode::Refused);
        EXPECT_NE(MessageLog::entries()[0].second.find("acceleration"), std::string::npos);
        EXPECT_EQ(profile.highWater, 0);
        EXPECT_TRUE(testing::progressLog().empty());
    }
}

TEST_F(PlannerProfile, RefusesAFeedRecordThatCannotBePlanned) {
    struct Case {
        double length;
        double speed;
        const char* named;  // the value as the message shows it
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {{1.0, 0.0, "speed limit 0 "},   {1.0, -2.0, "speed limit -2 "},
                          {1.0, nan, "speed limit nan "}, {1.0, inf, "speed limit inf "},
                          {nan, 1.0, "length nan "},      {inf, 1.0, "length inf "},
                          {-1.0, 1.0, "length -1 "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        rewind(segments);
        segments.highWater = 0;
        // Rapids and events carry no feed speed and are never refused.
        add(feedRecord(10.0, 1.0, SegmentFlags::StopAtEnd));
        add(eventRecord(SegmentKind::Pause));
        add(feedRecord(5.0, 1.0));
        add(feedRecord(5.0, 1.0));
        add(feedRecord(c.length, c.speed));  // index 4, met as the look-ahead
        add(feedRecord(5.0, 1.0));
        MessageLog messages;
        EXPECT_EQ(plan(1.0), PlanResult::Refused);
        ASSERT_EQ(MessageLog::entries().size(), 1u);
        EXPECT_EQ(MessageLog::entries()[0].first, MessageCode::Refused);
        const std::string& text = MessageLog::entries()[0].second;
        EXPECT_NE(text.find("feed record 4 "), std::string::npos) << text;
        EXPECT_NE(text.find(c.named), std::string::npos) << text;
    }
}

TEST_F(PlannerProfile, RefusesAFirstFeedRecordWithoutSpeed) {
    add(feedRecord(1.0, 0.0));
    MessageLog messages;
    EXPECT_EQ(plan(1.0, &testing::recordProgress), PlanResult::Refused);
    ASSERT_EQ(MessageLog::entries().size(), 1u);
    EXPECT_NE(MessageLog::entries()[0].second.find("feed record 0 "), std::string::npos);
    EXPECT_TRUE(testing::progressLog().empty());
    EXPECT_EQ(profile.highWater, 0);
}

}  // namespace
}  // namespace pulsepost
