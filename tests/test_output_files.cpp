// The output files written around the tick stage: BRK records byte for byte, the chunk spacing
// at stop points, the events-only file, the LIM bounds, the timing log, the checked write.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "config/axis_map.h"
#include "gcode/conversion_state.h"
#include "output/output_files.h"
#include "output/step_word.h"
#include "report/message_sink.h"
#include "stream_decode.h"
#include "test_support.h"

namespace pulsepost {
namespace {

using Bytes = std::vector<uint8_t>;

// Runs fn with a BRK file in a scratch directory and returns the bytes written.
template <typename Fn>
Bytes brkBytesOf(Fn fn) {
    testing::ScratchDir dir;
    const std::string path = dir.file("part.BRK");
    FILE* brk = std::fopen(path.c_str(), "wb");
    EXPECT_NE(brk, nullptr);
    fn(brk);
    std::fclose(brk);
    return testing::readBytes(path);
}

Segment eventRecord(SegmentKind kind) {
    Segment s = makeEvent(kind, Vec4(1, 2, 3, 0));
    s.set(SegmentFlags::BreakPoint, true);
    return s;
}

TEST(BrkRecords, EachKindHasItsLayout) {
    Segment dwell = eventRecord(SegmentKind::Dwell);
    dwell.pValue = 1500;
    Segment wait = eventRecord(SegmentKind::WaitInput);
    wait.axisMask = 3;
    wait.set(SegmentFlags::MinorArc, true);
    Segment waitOff = wait;
    waitOff.set(SegmentFlags::MinorArc, false);
    Segment spindle = eventRecord(SegmentKind::SpindleEvent);
    spindle.spindle = 1;
    Segment outputs = eventRecord(SegmentKind::OutputEvent);
    outputs.outputs = 0x05;
    Segment tool = eventRecord(SegmentKind::ToolChange);
    tool.tool = 12;
    Segment speed = eventRecord(SegmentKind::SpindleSpeed);
    speed.sValue = 18000;
    Segment aux = eventRecord(SegmentKind::AuxValue);
    aux.sValue = -2;

    EXPECT_EQ(brkBytesOf([&](FILE* f) { writeRecord(dwell, f); }), (Bytes{0x09, 0xDC, 0x05}));
    EXPECT_EQ(brkBytesOf([&](FILE* f) { writeRecord(wait, f); }), (Bytes{0x11, 0x03, 0x01}));
    EXPECT_EQ(brkBytesOf([&](FILE* f) { writeRecord(waitOff, f); }), (Bytes{0x11, 0x03, 0x00}));
    EXPECT_EQ(brkBytesOf([&](FILE* f) { writeRecord(spindle, f); }), (Bytes{0x05, 0x01}));
    EXPECT_EQ(brkBytesOf([&](FILE* f) { writeRecord(outputs, f); }), (Bytes{0x06, 0x05}));
    EXPECT_EQ(brkBytesOf([&](FILE* f) { writeRecord(tool, f); }), (Bytes{0x07, 12}));
    EXPECT_EQ(brkBytesOf([&](FILE* f) { writeRecord(eventRecord(SegmentKind::Pause), f); }),
              (Bytes{0x08}));
    EXPECT_EQ(brkBytesOf([&](FILE* f) { writeRecord(speed, f); }),
              (Bytes{0xBB, 0x50, 0x46, 0x00, 0x00}));
    EXPECT_EQ(brkBytesOf([&](FILE* f) { writeRecord(aux, f); }),
              (Bytes{0xBC, 0xFE, 0xFF, 0xFF, 0xFF}));

    // Feed and Placeholder records have no entry of their own.
    const Segment feed = makeMove(SegmentKind::Feed, Vec4(0, 0, 0), Vec4(1, 0, 0), 1.0);
    EXPECT_TRUE(brkBytesOf([&](FILE* f) {
                    writeRecord(feed, f);
                    writeRecord(placeholderRecord(), f);
                }).empty());
}

TEST(BrkRecords, RapidCarriesMaskTargetLengthAndSpeed) {
    Segment rapid = makeMove(SegmentKind::Rapid, Vec4(0, 0, 0), Vec4(3, 4, -1.5, 0), 200.0);
    rapid.axisMask = 0x07;
    const Bytes bytes = brkBytesOf([&](FILE* f) { writeRecord(rapid, f); });
    ASSERT_EQ(bytes.size(), 50u);
    const testing::DecodedBrk brk = testing::decodeBrk([&] {
        Bytes b{0x01, 0x00, 0x00, 0x00, 0x01};
        b.insert(b.end(), bytes.begin(), bytes.end());
        b.push_back(0xFF);
        return b;
    }());
    ASSERT_TRUE(brk.ok);
    ASSERT_EQ(brk.entries.size(), 1u);
    const testing::BrkEntry& e = brk.entries[0];
    EXPECT_EQ(e.kind, 0x00);
    EXPECT_EQ(e.extra, 0x07);
    EXPECT_EQ(e.doubles[0], 3.0);
    EXPECT_EQ(e.doubles[1], 4.0);
    EXPECT_EQ(e.doubles[2], -1.5);
    EXPECT_EQ(e.doubles[3], 0.0);
    EXPECT_DOUBLE_EQ(e.doubles[4], rapid.length);
    EXPECT_EQ(e.doubles[5], 200.0);
}

class AxisMapGuard {
  public:
    AxisMapGuard() : saved_(axisMap()) {}
    ~AxisMapGuard() { axisMap() = saved_; }

  private:
    AxisMap saved_;
};

TEST(BrkHeader, CarriesTicksMaxZAndTheOutputsThatTakePart) {
    AxisMapGuard guard;
    AxisMap& map = axisMap();
    map = AxisMap{};
    map.axisEnabled[3] = 0;
    map.axisSign[3] = 1;
    const Bytes bytes = brkBytesOf([](FILE* f) { writeBrkHeader(7074, 0.0, f); });
    EXPECT_EQ(bytes, (Bytes{0xFF, 0xA2, 0x1B, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0x47}));

    // X and Y exchanged, Y counting negatively: output 0 carries Y.
    map.axisChannel[0] = 1;
    map.axisChannel[1] = 0;
    map.axisSign[1] = -1;
    EXPECT_EQ(outputByte(), 0x57);
    map.axisEnabled[2] = 0;
    EXPECT_EQ(outputByte(), 0x13);
    const Bytes withZ = brkBytesOf([](FILE* f) { writeBrkHeader(1, 2.5, f); });
    ASSERT_EQ(withZ.size(), 14u);
    EXPECT_EQ(testing::readLe<double>(withZ, 5), 2.5);
}

TEST(BrkStream, EventsOnlyFileOfSpindleOnAndOff) {
    resetConversionState();
    SegmentStore store;
    create(store);
    Segment on = eventRecord(SegmentKind::SpindleEvent);
    on.spindle = 1;
    Segment off = eventRecord(SegmentKind::SpindleEvent);
    off.spindle = 0;
    write(&on, 1, store);
    write(&off, 1, store);
    const Bytes bytes = brkBytesOf([&](FILE* f) { writeEventsOnlyBrk(store, f); });
    destroy(store);
    EXPECT_EQ(bytes, (Bytes{0x01, 0x00, 0x00, 0x00, 0x01, 0x05, 0x01, 0x05, 0x00, 0xFF}));
}

Segment stopFeed() {
    Segment s = makeMove(SegmentKind::Feed, Vec4(0, 0, 0), Vec4(1, 0, 0), 1.0);
    s.set(SegmentFlags::StopAtEnd, true);
    return s;
}

// Three stops without break points, left at byte totals 3000000, 5000000 and 6000000: the
// second one exceeds the spacing limit counted from the start, so the stream is cut at the first
// stop; the end of the stream covers the rest.
TEST(BrkStream, ChunksAreCutAtTheLastStopBeforeTheSpacingLimit) {
    SegmentStore store;
    create(store);
    const Bytes bytes = brkBytesOf([&](FILE* f) {
        BreakWriter writer;
        passRecord(writer, stopFeed(), 3000000, kBreakSpacingLimit, f);
        EXPECT_EQ(std::ftell(f), 0);
        passRecord(writer, stopFeed(), 5000000, kBreakSpacingLimit, f);
        EXPECT_EQ(writer.lastMark, 3000000);
        resetStepBuffer();
        stepBuffer().byteTotal = 6000000;
        const Segment last = stopFeed();
        finishBreakStream(writer, &last, store, nullptr, f);
        resetStepBuffer();
    });
    destroy(store);
    EXPECT_EQ(bytes, (Bytes{0x10, 0xC0, 0xC6, 0x2D, 0x00, 0x10, 0xC0, 0xC6, 0x2D, 0x00, 0xFF}));
}

TEST(BrkStream, BreakPointsWriteOneChunkPerStretchAndTheEventsBetween) {
    Segment feed = stopFeed();
    feed.set(SegmentFlags::BreakPoint, true);
    Segment coolant = eventRecord(SegmentKind::OutputEvent);
    coolant.outputs = 1;
    Segment dwell = eventRecord(SegmentKind::Dwell);
    dwell.pValue = 10;
    const Bytes bytes = brkBytesOf([&](FILE* f) {
        BreakWriter writer;
        passRecord(writer, feed, 120, kBreakSpacingLimit, f);
        passRecord(writer, coolant, 120, kBreakSpacingLimit, f);
        passRecord(writer, dwell, 120, kBreakSpacingLimit, f);
        // A second break point with nothing moved in between writes no empty chunk.
        passRecord(writer, feed, 120, kBreakSpacingLimit, f);
        // A feed without stop or break point is silent.
        passRecord(writer, makeMove(SegmentKind::Feed, Vec4(), Vec4(1, 0, 0), 1.0), 150,
                   kBreakSpacingLimit, f);
        passRecord(writer, feed, 200, kBreakSpacingLimit, f);
    });
    EXPECT_EQ(bytes, (Bytes{0x10, 120, 0, 0, 0, 0x06, 0x01, 0x09, 10, 0, 0x10, 80, 0, 0, 0}));
}

TEST(LimFile, SixBoundsWithCrLf) {
    testing::ScratchDir dir;
    resetConversionState();
    ConversionState& state = conversionState();
    state.maxX = 10.0;
    state.minY = -2.25;
    state.maxZ = 0.5;
    state.minZ = -12.5;
    ASSERT_TRUE(writeLimFile(dir.file("plate.nc").c_str()));
    EXPECT_EQ(testing::readFile(dir.file("plate.LIM")),
              "10.000000\r\n0.000000\r\n0.000000\r\n-2.250000\r\n0.500000\r\n-12.500000\r\n");
    resetConversionState();
}

std::vector<std::pair<int32_t, std::string>>& messages() {
    static std::vector<std::pair<int32_t, std::string>> list;
    return list;
}
void recordMessage(int32_t code, const char* text) {
    messages().emplace_back(code, text);
}

TEST(OutputFiles, NamesFollowTheProgramAndFailuresAreReported) {
    testing::ScratchDir dir;
    messages().clear();
    setMessageSink(recordMessage);
    // A "." in a directory name does not count: the names stay inside the program's directory.
    const std::string sub = dir.file("v1.2");
    ASSERT_TRUE(std::filesystem::create_directory(sub));
    FILE* cm = openOutputFile((sub + "/plate").c_str(), "CM");
    ASSERT_NE(cm, nullptr);
    std::fclose(cm);
    EXPECT_TRUE(testing::fileExists(sub + "/plate.CM"));
    EXPECT_FALSE(testing::fileExists(dir.file("v1.CM")));

    EXPECT_EQ(openOutputFile(dir.file("missing/plate.nc").c_str(), "BRK"), nullptr);
    EXPECT_FALSE(writeLimFile(dir.file("missing/plate.nc").c_str()));
    setMessageSink(nullptr);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].first, MessageCode::FileOpen);
    EXPECT_NE(messages()[0].second.find("missing/plate.BRK"), std::string::npos);
    EXPECT_NE(messages()[0].second.find("No such file"), std::string::npos);
    EXPECT_NE(messages()[1].second.find("plate.LIM"), std::string::npos);
}

TEST(TimingLog, TwoLinesOfWholeSeconds) {
    testing::ScratchDir dir;
    testing::WorkingDir cwd(dir.path());
    FILE* log = openTimingLog();
    ASSERT_NE(log, nullptr);
    const std::time_t start = std::time(nullptr) - 3;
    writeTimingLine1(log, start);
    writeTimingLine2(log, start);
    std::fclose(log);
    const std::string text = testing::readFile(dir.file("timeMem.txt"));
    EXPECT_TRUE(text == "progress bar 6 time =3\r\noverall time =3\r\n" ||
                text == "progress bar 6 time =4\r\noverall time =4\r\n" ||
                text == "progress bar 6 time =3\r\noverall time =4\r\n")
        << text;
}

TEST(CheckedWrite, ReportsAFullDiskAndGoesOn) {
    FILE* full = std::fopen("/dev/full", "wb");
    if (full == nullptr) GTEST_SKIP() << "no /dev/full";
    std::setvbuf(full, nullptr, _IONBF, 0);
    ::testing::internal::CaptureStdout();
    const uint8_t byte = 0xFF;
    EXPECT_FALSE(writeChecked(&byte, 1, 1, full));
    EXPECT_FALSE(writeChecked(&byte, 1, 1, full));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "\nERROR: DISK FULL.\n\nERROR: DISK FULL.\n");
    std::fclose(full);
}

}  // namespace
}  // namespace pulsepost
