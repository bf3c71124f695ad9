// Motion words: the initial work offset, G90/G91/G92, traverses split when planned as feeds, feed
// and plunge speeds, and arcs: minor/major choice, half and full circles split, bounds.
#include <cmath>

#include "gcode_fixture.h"

namespace pulsepost {
namespace {

using testing::expectPoint;
using testing::interpret;
using testing::InterpretOptions;

TEST(GcodeMotion, SpecifiedCoordinatesCarryTheInitialWorkOffset) {
    const auto run = interpret("G1 X10\n");
    ASSERT_EQ(run.records.size(), 1u);
    const Segment& s = run.records[0];
    EXPECT_EQ(s.kind, SegmentKind::Feed);
    EXPECT_DOUBLE_EQ(s.end.x, 10.0 + 1e-7);
    EXPECT_EQ(s.end.y, 0.0);
    EXPECT_EQ(s.end.z, 0.0);
    EXPECT_EQ(s.speed, 10.0);
    EXPECT_DOUBLE_EQ(s.distance, s.length);  // the first record has its appended length too
}

TEST(GcodeMotion, IncrementalMovesAndG92Offset) {
    const auto run = interpret("G91 G1 X5\nX5\nG90 X12\nG92 X0\nG90 X3 Y2\n");
    const auto moves = run.moves();
    ASSERT_EQ(moves.size(), 4u);
    EXPECT_NEAR(moves[0].end.x, 5.0, 1e-12);
    EXPECT_NEAR(moves[1].end.x, 10.0, 1e-12);
    expectPoint(moves[2].end, 12.0, 0, 0);
    // G92 X0 at x = 12 shifts X only; Y keeps its initial offset.
    expectPoint(moves[3].end, 15.0, 2.0, 0);
    EXPECT_DOUBLE_EQ(moves[3].end.y, 2.0 + 1e-7);
    // The G92 line skips the report step: 4 line reports and the final one.
    EXPECT_EQ(run.reports.size(), 5u);
}

TEST(GcodeMotion, TraverseIsOneRapidUntilFeedsArePlanned) {
    const auto rapid = interpret("G0 X10 Z5\n");
    ASSERT_EQ(rapid.records.size(), 1u);
    EXPECT_EQ(rapid.records[0].kind, SegmentKind::Rapid);
    EXPECT_EQ(rapid.records[0].axisMask, 5);
    EXPECT_EQ(rapid.records[0].speed, 100.0);
    EXPECT_EQ(rapid.state.rapidsAsFeeds, 0);

    // After a G1, rising moves Z first at the Z rapid speed, then X/Y at the rapid speed.
    const auto rising = interpret("G1 X1\nG0 X10 Z5\n");
    auto m = rising.moves();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[1].kind, SegmentKind::Feed);
    expectPoint(m[1].end, 1, 0, 5);
    EXPECT_EQ(m[1].speed, 50.0);
    expectPoint(m[2].end, 10, 0, 5);
    EXPECT_EQ(m[2].speed, 100.0);

    // Descending moves X/Y first, then Z.
    const auto descending = interpret("G1 X1\nG0 X10 Z-5\n");
    m = descending.moves();
    ASSERT_EQ(m.size(), 3u);
    expectPoint(m[1].end, 10, 0, 0);
    EXPECT_EQ(m[1].speed, 100.0);
    expectPoint(m[2].end, 10, 0, -5);
    EXPECT_EQ(m[2].speed, 50.0);

    // The driver's option splits from the first line on.
    InterpretOptions options;
    options.rapidsAsFeeds = true;
    EXPECT_EQ(interpret("G0 X10 Z5\n", options).moves().size(), 2u);
}

TEST(GcodeMotion, FeedWordsSetFeedAndPlungeSpeeds) {
    // F1200 in G1 mode sets both; a Z-only move plunges; G80 leaves traverse mode.
    auto m = interpret("G1 X5 F1200\nZ-3\n").moves();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_DOUBLE_EQ(m[0].speed, 20.0);
    EXPECT_DOUBLE_EQ(m[1].speed, 20.0);
    m = interpret("G1 X5\nZ-3\n").moves();
    EXPECT_EQ(m[0].speed, 10.0);
    EXPECT_EQ(m[1].speed, 5.0);

    // F read in a cycle mode changes only the plunge speed.
    m = interpret("G81 X0 Y0 Z-1 F300\nG80\nG1 X5\nZ-2\n").moves();
    EXPECT_EQ(m[m.size() - 2].speed, 10.0);
    EXPECT_DOUBLE_EQ(m.back().speed, 5.0);

    // Ignored by the option, and ignored when not positive (the F of a WAITFOR keyword too).
    InterpretOptions ignore;
    ignore.limits.ignoreFWords = true;
    EXPECT_EQ(interpret("G1 X5 F1200\n", ignore).moves()[0].speed, 10.0);
    m = interpret("G1 X5 F0\nX6 F-100\nWAITFORON2\nG1 X7\n").moves();
    for (const Segment& s : m)
        EXPECT_EQ(s.speed, 10.0);
}

TEST(GcodeMotion, HalfCircleIsSplitIntoTwoQuarters) {
    const auto run = interpret("G0 X0 Y0\nG2 X0 Y10 J5\n");
    const auto m = run.moves();
    ASSERT_EQ(m.size(), 3u);
    for (int i : {1, 2}) {
        EXPECT_TRUE(m[i].has(SegmentFlags::Arc | SegmentFlags::MinorArc));
        EXPECT_NEAR(m[i].length, 2.5 * kPi, 1e-6);
        expectPoint(m[i].centre, 0, 5, 0);
    }
    expectPoint(m[1].end, -5, 5, 0);
    expectPoint(m[2].end, 0, 10, 0);
    EXPECT_NEAR(run.state.minX, -5.0, 1e-6);
    EXPECT_NEAR(run.state.maxY, 10.0, 1e-6);
    EXPECT_FALSE(m[2].has(SegmentFlags::FilletBefore));  // tangent continuation

    // From the start position itself the end lies 1e-7 off the diameter: one major arc.
    const auto off = interpret("G2 X0 Y10 J5\n").moves();
    ASSERT_EQ(off.size(), 1u);
    EXPECT_FALSE(off[0].has(SegmentFlags::MinorArc));
}

TEST(GcodeMotion, FullCircleIsAQuarterAndThreeQuarters) {
    const auto run = interpret("G2 I5\n");
    const auto m = run.moves();
    ASSERT_EQ(m.size(), 2u);
    expectPoint(m[0].end, 5, 5, 0);
    EXPECT_TRUE(m[0].has(SegmentFlags::MinorArc));
    expectPoint(m[1].end, 0, 0, 0);
    EXPECT_FALSE(m[1].has(SegmentFlags::MinorArc));
    EXPECT_NEAR(m[1].length, 7.5 * kPi, 1e-6);
    // Start and end share a quadrant: the bounds reach only the end points.
    EXPECT_NEAR(run.state.maxX, 5.0, 1e-6);
    EXPECT_NEAR(run.state.maxY, 5.0, 1e-6);
    EXPECT_EQ(run.state.minY, 0.0);
}

TEST(GcodeMotion, ArcSenseChoosesMinorOrMajorAndWalksQuadrants) {
    auto run = interpret("G0 X1 Y0\nG3 X0 Y1 I-1\n");
    auto m = run.moves();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_TRUE(m[1].has(SegmentFlags::MinorArc));
    EXPECT_NEAR(m[1].length, kPi / 2, 1e-6);
    EXPECT_NEAR(run.state.minX, 0.0, 1e-6);

    run = interpret("G0 X1 Y0\nG2 X0 Y1 I-1\n");
    m = run.moves();
    EXPECT_FALSE(m[1].has(SegmentFlags::MinorArc));
    EXPECT_NEAR(m[1].length, 1.5 * kPi, 1e-6);
    EXPECT_NEAR(run.state.minX, -1.0, 1e-6);
    EXPECT_NEAR(run.state.minY, -1.0, 1e-6);

    // An arc whose start lies on its centre is skipped.
    EXPECT_EQ(interpret("G2 X5\n").records[0].kind, SegmentKind::Placeholder);
}

TEST(GcodeMotion, G80AndG73MoveNothing) {
    const auto m = interpret("G1 X1\nG80 X10\nX3\nG73 X7\n").moves();
    ASSERT_EQ(m.size(), 2u);
    expectPoint(m[1].end, 3, 0, 0);  // G80 left traverse mode; X10 was never reached
    EXPECT_EQ(m[1].speed, 100.0);
}

TEST(GcodeMotion, NonFiniteOrUnmeasurableNumbersAreRefused) {
    for (const char* line : {"Xnan", "Xinf", "X1e999", "G2 Inan", "G1 X1 F1e999", "Y-inf"}) {
        const auto run = interpret(std::string("G1 X1\n") + line + "\n");
        EXPECT_EQ(run.result, -1) << line;
        ASSERT_EQ(run.messages.size(), 1u) << line;
        EXPECT_EQ(run.messages[0].first, MessageCode::Refused);
        EXPECT_NE(run.messages[0].second.find("line 2"), std::string::npos);
    }
    EXPECT_EQ(interpret("G1 X1e200 Y1e200\n").result, -1);
    EXPECT_EQ(interpret("G91 G1 X1.7e308\nX1.7e308\n").result, -1);
    // An ignored F word cannot reach a speed.
    InterpretOptions ignore;
    ignore.limits.ignoreFWords = true;
    EXPECT_EQ(interpret("G1 X1 Fnan\n", ignore).result, 0);
}

}  // namespace
}  // namespace pulsepost
