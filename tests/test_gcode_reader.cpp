// The program reader: line pieces and cuts, M words and their state rules, the EV file, the
// event mark, dwells and waits, progress and Esc, and programs that cannot be read.
#include <cerrno>
#include <cstring>
#include <string>

#include "config/axis_map.h"
#include "gcode_fixture.h"

namespace pulsepost {
namespace {

using testing::interpret;
using K = SegmentKind;

TEST(GcodeReader, LinesAreCutAndLongLinesReadInPieces) {
    EXPECT_EQ(interpret("G1 X10 (move) Y5\n").records[0].end.y, 0.0);
    EXPECT_EQ(interpret("G1 X5\n/G1 X10\nG1 X5 *Y3\n%G1 X2\n").moves().size(), 1u);

    // 127 characters, then the rest of the line as a line of its own: two moves, not one.
    const std::string head = "G1 X1" + std::string(122, ' ');
    const auto run = interpret(head + "Y5\n");
    const auto m = run.moves();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].end.y, 0.0);
    EXPECT_NEAR(m[1].end.y, 5.0, 1e-6);
    EXPECT_EQ(run.reports.size(), 3u);  // each piece reports (file below 1000 bytes)

    // CR LF line ends read like LF ones; an extra empty piece would drill the hole again.
    const std::string program = "G81 X1 Y1 Z-1 R1" + std::string(110, ' ') + "\nX2\n";
    std::string crlf;
    for (char c : program)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(interpret(crlf).kinds().size(), interpret(program).kinds().size());
    EXPECT_EQ(interpret(crlf).moves().back().end.x, interpret(program).moves().back().end.x);

    // A G4 ending a full buffer has no text three characters on: it dwells 0.
    const auto dwell = interpret(std::string(125, ' ') + "G4");
    EXPECT_EQ(dwell.records[0].kind, K::Dwell);
    EXPECT_EQ(dwell.records[0].pValue, 0);
}

TEST(GcodeReader, SpindleCoolantAndToolRules) {
    const auto run = interpret("M3 M8\nM8\nM6 T3\nM6 T3\nM6 T4\nM6\nM6 T259\nM9\nM5\nM0\n");
    const std::vector<K> expected = {K::SpindleEvent, K::OutputEvent, K::ToolChange,
                                     K::ToolChange,   K::ToolChange,  K::OutputEvent,
                                     K::SpindleEvent, K::Pause};
    EXPECT_EQ(run.kinds(), expected);
    const auto& r = run.records;
    EXPECT_EQ(r[0].spindle, 1);
    EXPECT_EQ(r[1].outputs, 1);
    EXPECT_EQ(r[2].tool, 3);
    EXPECT_EQ(r[3].tool, 4);
    EXPECT_EQ(r[4].tool, 3);  // T259: low 8 bits
    EXPECT_EQ(r[5].outputs, 0);
    EXPECT_EQ(r[6].spindle, 0);
    for (const Segment& s : r)
        EXPECT_TRUE(s.has(SegmentFlags::StopAtEnd | SegmentFlags::BreakPoint));
    EXPECT_EQ(interpret("M6 Tinf\n").result, -1);
}

TEST(GcodeReader, NumberedAndCodedOutputs) {
    const auto run = interpret(
        "M3\nM91 OUT2\nM91 OUT2\nM90 OUT2\nM91 OUT8\nM90 OUT100\n"
        "M91 OUT105\nM90 OUT105\nM91\n");
    const std::vector<K> expected = {K::SpindleEvent, K::OutputEvent, K::OutputEvent,
                                     K::SpindleEvent, K::SpindleEvent};
    ASSERT_EQ(run.kinds(), expected);
    EXPECT_EQ(run.records[1].outputs, 4);
    EXPECT_EQ(run.records[2].outputs, 0);
    EXPECT_EQ(run.records[3].spindle, 138);
    EXPECT_EQ(run.records[4].spindle, 10);
    EXPECT_EQ(run.state.spindle, 1);  // the coded switch leaves the spindle state alone
}

TEST(GcodeReader, SpindleSpeedAuxValueWaitsAndDwells) {
    const auto run = interpret(
        "S1200\nM57,1500\nM57\nWAITFORON3\nWAITFOROFF4\nG4P500\nG4 P700\n"
        "G1 X1\n");
    // The A of WAITFORON is a word: A0 moves the A axis onto its work offset (1e-7) once.
    const std::vector<K> expected = {K::SpindleSpeed, K::AuxValue, K::WaitInput, K::Feed,
                                     K::WaitInput,    K::Dwell,    K::Dwell,     K::Feed};
    ASSERT_EQ(run.kinds(), expected);
    const auto& r = run.records;
    EXPECT_EQ(r[0].sValue, 1200);
    EXPECT_EQ(r[1].sValue, 1500);
    EXPECT_TRUE(r[2].has(SegmentFlags::MinorArc));
    EXPECT_EQ(r[2].axisMask, 3);
    EXPECT_DOUBLE_EQ(r[3].end.a, 1e-7);
    EXPECT_EQ(r[3].speed, 10.0);  // the keyword's F reads 0 and is ignored
    EXPECT_FALSE(r[4].has(SegmentFlags::MinorArc));
    EXPECT_EQ(r[4].axisMask, 4);
    EXPECT_EQ(r[5].pValue, 500);
    EXPECT_EQ(r[6].pValue, 0);    // "G4 P700": three characters on, the text is "P700"
    EXPECT_EQ(r[7].pValue, 700);  // the P word of the line holds for what follows
}

TEST(GcodeReader, OutputEventsAreListedAndMarkTheNextMove) {
    // The first line puts A on its offset, so that the A of "AT" moves nothing later.
    const auto run =
        interpret("G1 A0\nM50 AT120 OUT3\nM8\nG1 X5\nG1 X5 Y5\nM51 OUT3\nM51 AT40 OUT2\n");
    EXPECT_EQ(run.events, "ONAT,120,3\r\nOFFAT,40,2\r\n");
    ASSERT_EQ(run.records.size(), 4u);
    EXPECT_FALSE(run.records[0].has(SegmentFlags::EventMark));
    const Segment* r = &run.records[1];
    EXPECT_EQ(r[0].kind, K::OutputEvent);
    EXPECT_TRUE(r[0].has(SegmentFlags::EventMark));
    EXPECT_EQ(r[1].kind, K::Feed);
    EXPECT_TRUE(r[1].has(SegmentFlags::EventMark));
    EXPECT_EQ(r[1].pValue, 120);
    EXPECT_FALSE(r[2].has(SegmentFlags::EventMark));
    EXPECT_NE(run.state.eventFlags & SegmentFlags::EventMark,
              0u);  // M51 set it again, no move followed
}

TEST(GcodeReader, ProgressCountsDownLinesAndEscAborts) {
    std::string program;
    for (int i = 0; i < 1000; ++i) {
        std::string line = "G1 X" + std::to_string(i % 7);
        program += line + std::string(49 - line.size(), ' ') + "\n";  // 50 bytes a line
    }
    const auto run = interpret(program);
    ASSERT_EQ(run.reports.size(), 21u);  // lines 1, 52, 103, ... and the final 100
    EXPECT_EQ(run.reports[0], std::make_pair(0, 0));
    EXPECT_EQ(run.reports[1], std::make_pair(0, 5));  // 2600 of 50000 bytes
    EXPECT_EQ(run.reports.back(), std::make_pair(0, 100));

    testing::ScriptedKeys keys({'a', 27});
    const auto aborted = interpret("G1 X1\nG1 X2\nG1 X3\n");
    EXPECT_EQ(aborted.result, -1);
    EXPECT_EQ(aborted.reports.size(), 1u);  // no final 100
    EXPECT_EQ(keys.consumed(), 2u);
}

TEST(GcodeReader, EmptyAndUnreadablePrograms) {
    const auto empty = interpret("");
    EXPECT_EQ(empty.result, 0);
    ASSERT_EQ(empty.records.size(), 1u);
    EXPECT_EQ(empty.records[0].kind, K::Placeholder);
    EXPECT_EQ(empty.records[0].flags, SegmentFlags::StopAtEnd | SegmentFlags::BreakPoint);
    EXPECT_EQ(empty.reports, (std::vector<std::pair<int, int>>{{0, 100}}));

    // A missing program: code 7, -1 and nothing stored.
    testing::ScratchDir dir;
    std::vector<std::pair<int, std::string>> messages;
    static std::vector<std::pair<int, std::string>>* sink = nullptr;
    sink = &messages;
    setMessageSink([](int32_t code, const char* text) { sink->emplace_back(code, text); });
    SegmentStore store;
    create(store);
    resetConversionState();
    EXPECT_EQ(testing::readAndRefine(dir.file("gone.nc"), testing::testLimits(), store, nullptr),
              -1);
    EXPECT_EQ(store.highWater, 0);
    destroy(store);
    setMessageSink(nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], std::make_pair(int{MessageCode::FileOpen},
                                          dir.file("gone.nc") + ": " + std::strerror(ENOENT)));
}

TEST(GcodeReader, WholeInterpretationRoundsCornersAndReportsThreeStages) {
    testing::InterpretOptions options;
    options.refine = true;
    axisMap().axisScale[0] = 10160.0;  // pulses per unit on X: fillet error 0.001 units
    const auto run = interpret("G1 X10\nG1 X20 Y0.874886635\nG1 X30 Y0.874886635\n", options);
    EXPECT_EQ(run.result, 0);
    for (const Segment& s : run.records)
        EXPECT_NE(s.kind, K::Placeholder);
    ASSERT_EQ(run.records.size(), 5u);  // two fillet arcs
    EXPECT_TRUE(run.records[1].has(SegmentFlags::Arc));
    EXPECT_EQ(run.records[0].distance, 0.0);  // path distances from the start now
    EXPECT_NEAR(run.records[4].distance + run.records[4].length, 30.0382, 1e-3);
    std::vector<int> stages;  // the stages that ended with 100, in order
    int last = 0;
    for (const auto& [stage, percent] : run.reports) {
        EXPECT_GE(stage, last);
        last = stage;
        if (percent == 100 && (stages.empty() || stages.back() != stage)) stages.push_back(stage);
    }
    EXPECT_EQ(stages, (std::vector<int>{0, 1, 2}));

    // Esc at stage 1's first report ends the interpretation with -1.
    testing::ScriptedKeys keys({'a', 27});
    const auto aborted = interpret("G1 X10\n", options);
    EXPECT_EQ(aborted.result, -1);
    EXPECT_EQ(aborted.reports.back(), std::make_pair(0, 100));
    resetAxisMap();
}

// A fillet runs into the record after it: it takes that record's modal values, and it never
// carries an output-event mark, neither one announced after the program's last move nor the one
// of the record after it.
TEST(GcodeReader, FilletsTakeTheModalValuesOfTheRecordAfterThem) {
    testing::InterpretOptions options;
    options.refine = true;
    axisMap().axisScale[0] = 10160.0;
    struct Case {
        const char* program;
        int16_t pValue;  // of the fillet and the record after it
        bool nextMarked;
    };
    for (const Case& c : {Case{"G90\nG1 X1 F60\nG1 X2 Y0.05\nM51\n", 0, false},
                          Case{"G1 X1 P3\nG1 X2 Y0.05 P7\nG1 X3 Y0.05 P9\n", 7, false},
                          Case{"G1 A0 X1\nM50 AT40 OUT2\nG1 X2 Y0.05\nG1 X3 Y0.05\n", 40, true}}) {
        const auto run = interpret(c.program, options);
        ASSERT_EQ(run.result, 0) << c.program;
        const auto moves = run.moves();
        ASSERT_GE(moves.size(), 3u) << c.program;
        const Segment& fillet = moves[1];
        ASSERT_TRUE(fillet.has(SegmentFlags::Arc)) << c.program;
        EXPECT_FALSE(fillet.has(SegmentFlags::EventMark)) << c.program;
        EXPECT_EQ(fillet.pValue, c.pValue) << c.program;
        EXPECT_EQ(moves[2].pValue, c.pValue) << c.program;
        EXPECT_EQ(moves[2].has(SegmentFlags::EventMark), c.nextMarked) << c.program;
    }
}

}  // namespace
}  // namespace pulsepost
