// The append: corner classification (straight on, fillet, stop), break points around rapids and
// events, fillet slots, dropped and discarded records, rapid axis masks and program bounds.
#include "gcode/segment_append.h"

#include "gcode_fixture.h"

namespace pulsepost {
namespace {

using testing::interpret;
using testing::InterpretOptions;
constexpr uint32_t kStop = SegmentFlags::StopAtEnd;
constexpr uint32_t kBreak = SegmentFlags::BreakPoint;
constexpr uint32_t kFillet = SegmentFlags::FilletBefore;

TEST(GcodeAppend, CornerAnglesDecideStraightFilletOrStop) {
    // Collinear: straight on, nothing marked.
    auto r = interpret("G1 X10\nG1 X20\n").records;
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].flags, 0u);
    EXPECT_EQ(r[1].flags, kStop);  // the last record stops

    // 90 degrees with the default 15 degree maximum: a stop, no fillet slot.
    r = interpret("G1 X10\nG1 Y10\n").records;
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].flags, kStop);
    EXPECT_FALSE(r[1].has(kFillet));

    // 5 degrees: the later record gets a fillet and its slot is written just before it.
    r = interpret("G1 X10\nG1 X20 Y0.874886635\n").records;
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].flags, 0u);
    EXPECT_EQ(r[1].kind, SegmentKind::Placeholder);
    EXPECT_EQ(r[1].flags, 0u);
    EXPECT_TRUE(r[2].has(kFillet));

    // Exactly the maximum is no stop; exactly the minimum is no fillet.
    InterpretOptions limits;
    limits.params.maxFilletAngle = 90.0;
    r = interpret("G1 X10\nG1 Y10\n", limits).records;
    ASSERT_EQ(r.size(), 3u);
    EXPECT_TRUE(r[2].has(kFillet));
    limits.params.minFilletAngle = 90.0;
    r = interpret("G1 X10\nG1 Y10\n", limits).records;
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].flags, 0u);
}

TEST(GcodeAppend, ReversalStopsEvenWhenTheMaximumAngleAllowsAFillet) {
    for (double maxAngle : {180.0, 200.0}) {
        SCOPED_TRACE(maxAngle);
        InterpretOptions options;
        options.params.maxFilletAngle = maxAngle;
        // Back along the same line.
        auto r = interpret("G1 X10\nG1 X4\n", options).records;
        ASSERT_EQ(r.size(), 2u);  // no fillet slot
        EXPECT_EQ(r[0].flags, kStop);
        EXPECT_FALSE(r[1].has(kFillet));
        // Back half way along a diagonal, after a corner that gets a fillet slot.
        r = interpret("G1 X1 Y1 Z1\nG1 X4 Y5 Z2\nG1 X2.5 Y3 Z1.5\n", options).records;
        ASSERT_EQ(r.size(), 4u);
        EXPECT_EQ(r[1].kind, SegmentKind::Placeholder);
        EXPECT_TRUE(r[2].has(kFillet));
        EXPECT_TRUE(r[2].has(kStop));  // the reversal
        EXPECT_FALSE(r[3].has(kFillet));
        // A sharp corner short of a reversal still gets its slot.
        r = interpret("G1 X10\nG1 X0 Y1\n", options).records;
        ASSERT_EQ(r.size(), 3u);
        EXPECT_EQ(r[0].flags, 0u);
        EXPECT_TRUE(r[2].has(kFillet));
    }
}

TEST(GcodeAppend, StampsTheModalValuesUntilTheStateIsReset) {
    resetConversionState();
    SegmentStore store;
    create(store);
    ConversionState& state = conversionState();
    state.tool = 4;
    state.spindle = 1;
    state.outputs = 5;
    state.pValue = -7;
    state.sValue = 12000;
    state.eventFlags = SegmentFlags::EventMark;
    Segment dwell = makeEvent(SegmentKind::Dwell, Vec4());
    EXPECT_EQ(dwell.tool, 0);  // the constructors set the geometry only
    appendSegment(dwell, store);
    const Segment& s = conversionState().pending;
    EXPECT_EQ(s.tool, 4);
    EXPECT_EQ(s.spindle, 1);
    EXPECT_EQ(s.outputs, 5);
    EXPECT_EQ(s.pValue, -7);
    EXPECT_EQ(s.sValue, 12000);
    EXPECT_EQ(s.flags, SegmentFlags::StopAtEnd | SegmentFlags::EventMark);
    resetConversionState();
    EXPECT_EQ(conversionState().pending.kind, SegmentKind::Placeholder);
    EXPECT_EQ(conversionState().tool, 0);
    EXPECT_EQ(conversionState().eventFlags, 0u);
    destroy(store);
}

TEST(GcodeAppend, RapidsAndEventsBreakThePath) {
    resetConversionState();
    cutParams() = CutParams{};
    SegmentStore store;
    create(store);
    Segment feed = makeMove(SegmentKind::Feed, Vec4(0, 0, 0), Vec4(10, 0, 0), 5);
    appendSegment(feed, store);
    EXPECT_EQ(store.highWater, 0);  // the first record waits for its successor
    Segment rapid = makeMove(SegmentKind::Rapid, Vec4(10, 0, 0), Vec4(15, 0, 2), 100);
    appendSegment(rapid, store);
    EXPECT_EQ(rapid.axisMask, 5);
    Segment feed2 = makeMove(SegmentKind::Feed, Vec4(15, 0, 2), Vec4(20, 0, 4), 5);
    appendSegment(feed2, store);
    Segment event = makeEvent(SegmentKind::Pause, Vec4(20, 0, 4));
    appendSegment(event, store);
    Segment feed3 = makeMove(SegmentKind::Feed, Vec4(20, 0, 4), Vec4(30, 0, 4), 5);
    appendSegment(feed3, store);
    // A move whose direction cannot be told is discarded; the position stays.
    Segment nowhere =
        makeArc(SegmentKind::Feed, Vec4(30, 0, 4), Vec4(30, 2, 4), Vec4(30, 1, 4), 1, 5);
    appendSegment(nowhere, store);
    flushPending(store);

    Segment r[6];
    rewind(store);
    ASSERT_EQ(read(r, 6, store), 5);
    EXPECT_EQ(r[0].flags, kStop | kBreak);  // move before a rapid
    EXPECT_EQ(r[1].flags, kStop | kBreak);  // the rapid
    EXPECT_EQ(r[2].flags, kStop | kBreak);  // move before an event
    EXPECT_EQ(r[3].flags, kStop | kBreak);  // the event
    EXPECT_EQ(r[4].flags, kStop);           // last feed: stops, no break
    EXPECT_EQ(r[4].end.x, 30.0);
    EXPECT_DOUBLE_EQ(r[2].distance, r[2].length);
    destroy(store);
}

TEST(GcodeAppend, EmptyMovesAreDroppedAndBoundsIncludeZero) {
    auto run = interpret("G0 X2\nG0 X8 Z-3\nG0 X8 Z-3\n");
    ASSERT_EQ(run.records.size(), 2u);
    EXPECT_EQ(run.records[1].axisMask, 5);
    EXPECT_EQ(run.state.minX, 0.0);
    EXPECT_NEAR(run.state.maxX, 8.0, 1e-6);
    EXPECT_NEAR(run.state.minZ, -3.0, 1e-6);
    EXPECT_EQ(run.state.maxZ, 0.0);

    // An empty first move is replaced by the event after it, or dropped before a move.
    EXPECT_EQ(interpret("G1\nM8\n").kinds(), std::vector<SegmentKind>{SegmentKind::OutputEvent});
    run = interpret("G1\nG1 X4\n");
    ASSERT_EQ(run.records.size(), 1u);
    EXPECT_NEAR(run.records[0].end.x, 4.0, 1e-6);
}

}  // namespace
}  // namespace pulsepost
