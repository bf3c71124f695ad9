// The read followed by the refinement stages: stages 0, 1 and 2 report in order and each ends
// with 100, the store holds fillet arcs and path distances, and Esc in stage 1 or 2 ends the read
// with -1 with the EV file complete and closed.
#include <gtest/gtest.h>

#include <string>

#include "config/axis_map.h"
#include "gcode_fixture.h"
#include "platform/console.h"

namespace pulsepost {
namespace {

using testing::Interpretation;
using testing::InterpretOptions;

// The whole interpretation with a fillet error of 0.001 units (10.16 of 10160 X pulses).
Interpretation interpret(const std::string& program) {
    InterpretOptions options;
    options.refine = true;
    axisMap().axisScale[0] = 10160.0;
    Interpretation run = testing::interpret(program, options);
    resetAxisMap();
    return run;
}

std::vector<std::pair<int, int>> stageReports(const Interpretation& run, int stage) {
    std::vector<std::pair<int, int>> out;
    for (const auto& r : run.reports) {
        if (r.first == stage) out.push_back(r);
    }
    return out;
}

// Three 5-degree corners (headings 0, 5, 10, 5 degrees; rounded with the default angles) and an
// announced output event.
const std::string kProgram =
    "M50 AT50 OUT3\n"
    "G1 X10 F600\n"
    "G1 X20 Y0.874886635\n"
    "G1 X30 Y2.638156442\n"
    "G1 X40 Y3.513043077\n";

TEST(RefineStages, ReadFilletAndDistanceStagesRunInOrderAndLeaveAFinishedPath) {
    const auto run = interpret(kProgram);
    ASSERT_EQ(run.result, 0);
    int stage = 0;
    for (const auto& [s, percent] : run.reports) {
        EXPECT_GE(s, stage);
        stage = s;
        EXPECT_GE(percent, 0);
        EXPECT_LE(percent, 100);
    }
    for (int s : {0, 1, 2}) {
        ASSERT_FALSE(stageReports(run, s).empty()) << s;
        EXPECT_EQ(stageReports(run, s).back().second, 100) << s;
    }
    EXPECT_EQ(run.reports.back(), std::make_pair(2, 100));

    double pathDistance = 0.0;
    int fillets = 0;
    for (const Segment& r : run.records) {
        EXPECT_NE(r.kind, SegmentKind::Placeholder);
        if (r.kind != SegmentKind::Feed) continue;
        EXPECT_NEAR(r.distance, pathDistance, 1e-12);
        pathDistance += r.length;
        if (r.has(SegmentFlags::Arc)) fillets += 1;
    }
    EXPECT_EQ(fillets, 3);
    EXPECT_EQ(run.events, "ONAT,50,3\r\n");
}

// Each due report checks for a key first; the final 100 of a stage does not.
std::size_t keyChecksBefore(const Interpretation& run, int stage) {
    std::size_t checks = 0;
    for (int s = 0; s < stage; ++s)
        checks += stageReports(run, s).size() - 1;
    return checks;
}

TEST(RefineStages, EscInTheFilletOrDistanceStageEndsTheReadWithTheEventFileClosed) {
    const auto full = interpret(kProgram);
    for (int stage : {1, 2}) {
        SCOPED_TRACE(stage);
        std::vector<int> keys(keyChecksBefore(full, stage), 'a');
        keys.push_back(kEscKey);
        testing::ScriptedKeys scripted(keys);
        const auto run = interpret(kProgram);
        EXPECT_EQ(run.result, -1);
        EXPECT_EQ(scripted.consumed(), keys.size());
        ASSERT_FALSE(run.reports.empty());
        EXPECT_EQ(run.reports.back(), std::make_pair(stage - 1, 100));  // no report of the stage
        EXPECT_EQ(run.events, "ONAT,50,3\r\n");
    }
}

}  // namespace
}  // namespace pulsepost
