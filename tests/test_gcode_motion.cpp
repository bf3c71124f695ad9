// Motion words: the initial work offset, G90/G91/G92, traverses split when planned as feeds, feed
// and plunge speeds, and arcs: minor/major choice, half and full circles split, bounds, helices.
#include <cmath>
#include <vector>

#include "config/axis_map.h"
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
    // The bounds reach the whole circle, although start and end share a quadrant.
    EXPECT_NEAR(run.state.maxX, 10.0, 1e-6);
    EXPECT_NEAR(run.state.maxY, 5.0, 1e-6);
    EXPECT_NEAR(run.state.minY, -5.0, 1e-6);
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

// The pieces of a helix: Feed arcs of at most an eighth of a turn whose centres lie on the helix
// axis at the middle height of each piece, with ends on the helix (radius r about the axis at
// (cx, cy), height linear in the angle turned from the start).
void expectHelix(const std::vector<Segment>& pieces, double cx, double cy, double r, double z0,
                 double z1, double turned, bool clockwise) {
    ASSERT_GE(pieces.size(), 2u);
    double length = 0.0;
    double angle = 0.0;
    for (const Segment& s : pieces) {
        EXPECT_TRUE(s.has(SegmentFlags::Arc | SegmentFlags::MinorArc));
        EXPECT_FALSE(s.has(SegmentFlags::FilletBefore));  // the pieces meet without a corner
        expectPoint(s.centre, cx, cy, 0.5 * (s.start.z + s.end.z), 0.0, 1e-6);
        EXPECT_NEAR(std::hypot(s.end.x - cx, s.end.y - cy), r, 1e-6);
        double step =
            std::atan2(s.end.y - cy, s.end.x - cx) - std::atan2(s.start.y - cy, s.start.x - cx);
        if (clockwise) step = -step;
        if (step < 0.0) step += 2.0 * kPi;
        EXPECT_LE(step, kPi / 4.0 + 1e-9);
        angle += step;
        EXPECT_NEAR(s.end.z, z0 + (z1 - z0) * angle / turned, 1e-6);
        length += s.length;
    }
    EXPECT_NEAR(angle, turned, 1e-6);
    // Each piece is a circle a little wider than the helix: the length is over by a few parts in
    // a hundred thousand, so the planned speed is never exceeded.
    const double helix = std::hypot(r * turned, z1 - z0);
    EXPECT_GE(length, helix - 1e-9);
    EXPECT_NEAR(length, helix, 1e-4 * helix);
}

TEST(GcodeMotion, HelixIsBuiltFromPiecesOnItsAxis) {
    // A half turn with a rise: the circle through its ends about C would stand upright (it was
    // traced through the XZ plane, a whole radius below the work).
    auto run = interpret("G0 X5 Y0\nG3 X-5 Y0 Z-2 I-5\n");
    auto m = run.moves();
    m.erase(m.begin());
    expectHelix(m, 0, 0, 5, 0, -2, kPi, false);
    for (const Segment& s : m)
        EXPECT_GE(s.end.y, -1e-6);  // counter-clockwise from +X: through +Y
    expectPoint(m.back().end, -5, 0, -2);
    EXPECT_NEAR(run.state.maxY, 5.0, 1e-6);
    EXPECT_NEAR(run.state.minZ, -2.0, 1e-6);

    // A whole turn down (end over the start), clockwise.
    m = interpret("G0 X5 Y0\nG2 X5 Y0 Z-1 I-5\n").moves();
    m.erase(m.begin());
    expectHelix(m, 0, 0, 5, 0, -1, 2.0 * kPi, true);
    EXPECT_LT(m[0].end.y, 0.0);

    // A ramp over a third of a turn, as CAM systems write spiral entries.
    m = interpret("G0 X1.058 Y45.27\nG2 X-0.3108 Y44.4797 Z-0.0667 I-0.9125 J0.0\n").moves();
    m.erase(m.begin());
    ASSERT_GE(m.size(), 3u);
    expectPoint(m.back().end, -0.3108, 44.4797, -0.0667);

    // In G18 the helix axis is Y.
    m = interpret("G18\nG0 X5 Z0\nG2 X-5 Z0 Y3 I-5\n").moves();
    m.erase(m.begin());
    ASSERT_GE(m.size(), 4u);
    double y = 0.0;
    for (const Segment& s : m) {
        EXPECT_NEAR(std::hypot(s.end.x, s.end.z), 5.0, 1e-6);
        EXPECT_GT(s.end.y, y);
        y = s.end.y;
        EXPECT_NEAR(s.centre.y, 0.5 * (s.start.y + s.end.y), 1e-9);
    }
    EXPECT_NEAR(y, 3.0, 1e-6);
}

TEST(GcodeMotion, ArcsThatAreNoHelixStayOneRecord) {
    // A rise of the offset arithmetic's rounding: the end goes into the start's plane, and the
    // half circle is split into its two quarters as in the plane.
    auto m = interpret("G92 X0 Y0 Z0.3\nG2 X0 Y10 Z0.3000000000001 J5\n").moves();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[1].end.z, m[0].start.z);
    expectPoint(m[0].end, -5, 5, 0);
    // A centre off the start's plane (K): the arc is the circle through its three points.
    m = interpret("G0 X1 Y0\nG3 X0 Y1 Z-1 I-1 K-1\n").moves();
    ASSERT_EQ(m.size(), 2u);
    // An arc that moves A is built in pieces like a helix, A rising steadily to its end.
    m = interpret("G0 X1 Y0\nG3 X0 Y1 A10 I-1\n").moves();
    ASSERT_GT(m.size(), 2u);
    EXPECT_NEAR(m.back().end.a, 10.0, 1e-6);
    EXPECT_NEAR(m[m.size() / 2].end.a, 5.0, 0.01);
}

TEST(GcodeMotion, HelixTooLongToBuildIsRefused) {
    const struct {
        const char* program;
        const char* reason;
    } cases[] = {
        {"G0 X0.001\nG2 X0.001 Z-1e6 I-0.001\n", "line 2 refused: the helix is too long"},
        {"G0 X0.001\nG2 X0.001 A1e6 I-0.001\n", "line 2 refused: the arc moving A is too long"},
    };
    for (const auto& c : cases) {
        const auto run = interpret(c.program);
        EXPECT_EQ(run.result, -1) << c.program;
        ASSERT_EQ(run.messages.size(), 1u) << c.program;
        EXPECT_NE(run.messages[0].second.find(c.reason), std::string::npos)
            << run.messages[0].second;
    }
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

// An arc that starts or ends on its centre has no radius to run at: it is refused at its line,
// never handed to the planner with a speed limit of 0 (a program found by fuzzing).
TEST(GcodeMotion, ArcsWithoutARadiusAreRefusedAtTheirLine) {
    const auto run = interpret(
        "G19 G2 J7.071068 K-7.071068 X0.534927 Y-12.348194 Z15.990587\n"
        "G2 X130.56 Y-97.62 Z-1.75 I-0.4 J0\nG2 X130.56 Y-97.62 I-0.4\n");
    EXPECT_EQ(run.result, -1);
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_NE(run.messages[0].second.find("line 3"), std::string::npos) << run.messages[0].second;
    EXPECT_NE(run.messages[0].second.find("on its centre"), std::string::npos);
}

// Every move is refused at the line that programs it when an output could not count where it
// goes, rapids kept as rapid records or planned as feeds alike; an arc by its farthest reach.
TEST(GcodeMotion, TargetsBeyondThePulseRangeAreRefusedAtTheirLine) {
    const struct {
        const char* program;
        bool rapidsAsFeeds;
        const char* line;  // "" when the program is accepted
    } cases[] = {
        {"G0 X1e15\nM3\n", false, "line 1"},     {"G0 X1e15\nG1 Y1\n", true, "line 1"},
        {"G1 X1\nG1 Y-3e5\n", false, "line 2"},  {"G1 X1\nG2 X1 Y0 I0 J300000\n", false, "line 2"},
        {"G0 X200000\nG1 Y-200000\n", true, ""},  // 2.03e9 pulses: within the range
    };
    for (const auto& c : cases) {
        axisMap().axisScale[0] = axisMap().axisScale[1] = axisMap().axisScale[2] = 10160.0;
        InterpretOptions options;
        options.rapidsAsFeeds = c.rapidsAsFeeds;
        const auto run = interpret(c.program, options);
        resetAxisMap();
        if (*c.line == '\0') {
            EXPECT_EQ(run.result, 0) << c.program;
            continue;
        }
        EXPECT_EQ(run.result, -1) << c.program;
        ASSERT_EQ(run.messages.size(), 1u) << c.program;
        EXPECT_NE(run.messages[0].second.find(c.line), std::string::npos) << run.messages[0].second;
        EXPECT_NE(run.messages[0].second.find("pulses its output can count"), std::string::npos);
    }
}

}  // namespace
}  // namespace pulsepost
