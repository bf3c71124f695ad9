// Canned cycles: the move sequence of each family, dwells, the first peck cycle's reference
// height, and the refusal of cycles that would never end.
#include <vector>

#include "gcode_fixture.h"

namespace pulsepost {
namespace {

using testing::expectPoint;
using testing::interpret;

// z of every move after the first record (the G0 that sets the start height).
std::vector<double> heights(const testing::Interpretation& run) {
    std::vector<double> z;
    const auto m = run.moves();
    for (std::size_t i = 1; i < m.size(); ++i)
        z.push_back(m[i].end.z);
    return z;
}

void expectHeights(const testing::Interpretation& run, const std::vector<double>& expected) {
    const auto z = heights(run);
    ASSERT_EQ(z.size(), expected.size());
    for (std::size_t i = 0; i < z.size(); ++i)
        EXPECT_NEAR(z[i], expected[i], 1e-6) << i;
}

int dwells(const testing::Interpretation& run) {
    int n = 0;
    for (const Segment& s : run.records)
        n += s.kind == SegmentKind::Dwell ? 1 : 0;
    return n;
}

TEST(GcodeCycles, DrillingCycleRepeatsFromTheRetractPlane) {
    const auto run = interpret("G0 Z10\nG81 X5 Y5 Z-2 R1\nX8\n");
    const auto m = run.moves();
    ASSERT_EQ(m.size(), 8u);  // the zero-length move to R of the second hole is dropped
    expectPoint(m[1].end, 5, 5, 10);
    EXPECT_EQ(m[1].speed, 100.0);
    expectPoint(m[2].end, 5, 5, 1);
    EXPECT_EQ(m[2].speed, 50.0);
    expectPoint(m[3].end, 5, 5, -2);
    EXPECT_EQ(m[3].speed, 5.0);
    expectPoint(m[4].end, 5, 5, 1);
    EXPECT_EQ(m[4].speed, 50.0);
    expectPoint(m[5].end, 8, 5, 1);  // second hole starts at z = 1
    expectPoint(m[6].end, 8, 5, -2);
    expectPoint(m[7].end, 8, 5, 1);
    EXPECT_EQ(dwells(run), 0);
    EXPECT_EQ(run.state.rapidsAsFeeds, 1);

    // G82 dwells at the bottom with the current P value; without R it retracts to the start.
    const auto g82 = interpret("G0 Z3\nG82 X0 Y0 Z-1 P300\n");
    expectHeights(g82, {3, -1, 3});
    ASSERT_EQ(dwells(g82), 1);
    for (const Segment& s : g82.records) {
        if (s.kind == SegmentKind::Dwell) {
            EXPECT_EQ(s.pValue, 300);
        }
    }
}

TEST(GcodeCycles, PeckFamiliesFollowTheirRetractRules) {
    // G83: full retract after every peck, a dwell after the last, back to the start height.
    auto run = interpret("G0 Z10\nG83 X0 Y0 Z-5 R1 Q2 V1.5\n");
    expectHeights(run, {10, 1, -1, 1, -2.5, 1, -4, 1, -5, 1, 10});
    EXPECT_EQ(dwells(run), 1);
    EXPECT_EQ(run.records[run.records.size() - 3].kind, SegmentKind::Dwell);

    // G86: returns at Z rapid to W above the new depth before feeding.
    run = interpret("G0 Z10\nG86 X0 Y0 Z-2 R1 Q1 V1 W0.5\n");
    expectHeights(run, {10, 1, 0, 1, -0.5, -1, 1, -1.5, -2, 1, 10});

    // G87: retracts only by W (chip breaking).
    run = interpret("G0 Z10\nG87 X0 Y0 Z-2 R1 Q1 V1 W0.5\n");
    expectHeights(run, {10, 1, 0, 0.5, -1, -0.5, -2, -1.5, 10});

    // G88: a dwell after every peck.
    run = interpret("G0 Z10\nG88 X0 Y0 Z-2 R1 Q1 V1\n");
    expectHeights(run, {10, 1, 0, 1, -1, 1, -2, 1, 10});
    EXPECT_EQ(dwells(run), 3);

    // A first peck deeper than the hole goes straight to the depth.
    run = interpret("G0 Z10\nG83 X0 Y0 Z-1 R1 Q5\n");
    expectHeights(run, {10, 1, -1, 1, 10});
    EXPECT_EQ(dwells(run), 1);
}

TEST(GcodeCycles, FirstPeckCycleStartsFromTheCurrentHeight) {
    const auto run = interpret("G92 Z0\nG0 Z3\nG83 X0 Y0 Z-1 Q2 V2\n");
    // Positioning stays at z = 3: no descent to an undefined reference before the hole.
    expectHeights(run, {3, 1, 3, -1, 3});
}

TEST(GcodeCycles, PecksThatWouldNeverEndAreRefused) {
    for (const char* line :
         {"G83 X0 Y0 Z-5 R1 Q0", "G83 X0 Y0 Z-5 R1 Q1 V0", "G87 X0 Y0 Z-5 R1 Q1 V-1",
          "G83 X0 Y0 Z-5 R1 Q1 V1e-300",
          // A peck too small to change the depth's floating-point value.
          "G83 X0 Y0 Z99999999999999934464 R1e20 Q1 V1", "G83 X0 Y0 Z-5 R1 Qinf"}) {
        const auto run = interpret(std::string("G0 Z10\n") + line + "\n");
        EXPECT_EQ(run.result, -1) << line;
        ASSERT_EQ(run.messages.size(), 1u) << line;
        EXPECT_EQ(run.messages[0].first, MessageCode::Refused);
        EXPECT_NE(run.messages[0].second.find("line 2"), std::string::npos) << line;
    }
    // A zero increment is harmless when the first peck already reaches the depth.
    EXPECT_EQ(interpret("G83 X0 Y0 Z-1 R1 Q5 V0\n").result, 0);
}

}  // namespace
}  // namespace pulsepost
