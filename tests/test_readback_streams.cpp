// Reading the written streams back: the BRK headers and entries, step words, the LIM and EV
// text files, and the precise complaint for every way a stream can be cut or damaged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readback/break_stream.h"
#include "readback/step_stream.h"
#include "readback/text_outputs.h"
#include "readback_builders.h"
#include "test_support.h"

namespace pulsepost {
namespace {

using testing::BrkBuilder;

int32_t decode(const std::vector<uint8_t>& bytes, BrkStream& out, ReadbackError& error) {
    return decodeBreakStream(bytes.data(), bytes.size(), out, error);
}

TEST(BreakStreamReadback, ReadsTheEventsOnlyExample) {
    const std::vector<uint8_t> bytes = {0x01, 0x00, 0x00, 0x00, 0x01, 0x05, 0x01, 0x05, 0x00, 0xFF};
    BrkStream brk;
    ReadbackError error;
    ASSERT_EQ(decode(bytes, brk, error), 0) << describeReadbackError(error);
    EXPECT_FALSE(brk.hasMotion);
    ASSERT_EQ(brk.entries.size(), 2u);
    EXPECT_EQ(describeBrkEntry(brk.entries[0]), "spindle on");
    EXPECT_EQ(describeBrkEntry(brk.entries[1]), "spindle off");
    EXPECT_EQ(brk.entries[1].offset, 7);
}

TEST(BreakStreamReadback, ReadsTheMotionHeaderAndEveryEntryKind) {
    BrkBuilder b;
    b.motionHeader(7074, 2.5, 0x47)
        .rapid(0x05, Vec4(5, 0, 2, 0), 5.385, 1.6667)
        .event(0x05, 1)
        .event(0x05, 138)  // coded output 105 on
        .event(0x06, 0x05)
        .event(0x07, 4)
        .pause()
        .dwell(1500)
        .wait(3, 1)
        .value32(0xBB, 12000)
        .value32(0xBC, -7)
        .chunk(321)
        .terminator();
    BrkStream brk;
    ReadbackError error;
    ASSERT_EQ(decode(b.bytes, brk, error), 0) << describeReadbackError(error);
    EXPECT_TRUE(brk.hasMotion);
    EXPECT_EQ(brk.tickCount, 7074);
    EXPECT_EQ(brk.maxZ, 2.5);
    EXPECT_EQ(brk.outputByte, 0x47);
    ASSERT_EQ(brk.entries.size(), 11u);
    const BrkEntry& rapid = brk.entries[0];
    EXPECT_EQ(rapid.offset, 14);
    EXPECT_EQ(rapid.value, 0x05);
    EXPECT_EQ(rapid.end.x, 5.0);
    EXPECT_EQ(rapid.end.z, 2.0);
    EXPECT_EQ(rapid.length, 5.385);
    EXPECT_EQ(brk.entries[1].offset, 64);  // a rapid entry is 50 bytes
    std::vector<std::string> texts;
    for (std::size_t i = 1; i < brk.entries.size(); ++i) {
        texts.push_back(describeBrkEntry(brk.entries[i]));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "spindle on", "output 105 on", "outputs on: 0 (coolant), 2", "tool 4",
                         "pause", "dwell P1500", "wait for input 3 on", "spindle speed S12000",
                         "value -7", "chunk of 321 CM bytes"}));
    EXPECT_EQ(brk.entries[10].chunkBytes, 321);
}

TEST(BreakStreamReadback, DwellAndWaitBytesAsWritten) {
    BrkStream brk;
    ReadbackError error;
    const std::vector<uint8_t> bytes = {0x01, 0,    0,    0,    0x01, 0x09,
                                        0xDC, 0x05, 0x11, 0x03, 0x01, 0xFF};
    ASSERT_EQ(decode(bytes, brk, error), 0) << describeReadbackError(error);
    EXPECT_EQ(brk.entries[0].pValue, 1500);
    EXPECT_EQ(brk.entries[1].value, 3);
    EXPECT_EQ(brk.entries[1].level, 1);
}

// Every damage names the byte where the reader stopped and what it expected there.
TEST(BreakStreamReadback, RejectsDamageWithOffsetAndExpectation) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int64_t offset;
        const char* phrase;
    };
    const std::vector<uint8_t> good =
        BrkBuilder().motionHeader(3, 0.0, 0x01).chunk(3).terminator().bytes;
    std::vector<uint8_t> noTerminator(good.begin(), good.end() - 1);
    std::vector<uint8_t> unknownKind = good;
    unknownKind.insert(unknownKind.begin() + 14, 0x42);
    std::vector<uint8_t> trailing = good;
    trailing.push_back(0x00);
    std::vector<uint8_t> cutRapid =
        BrkBuilder().motionHeader(3, 0.0, 0x01).rapid(1, Vec4(1, 0, 0), 1, 1).bytes;
    cutRapid.resize(cutRapid.size() - 9);
    const std::vector<Case> cases = {
        {"empty", {}, 0, "empty"},
        {"unknown header", {0x02, 0, 0, 0, 1, 0xFF}, 0, "header byte 0x02"},
        {"short motion header", {0xFF, 3, 0, 0}, 4, "needs 14 bytes"},
        {"bad events-only header", {0x01, 0, 0, 1, 1, 0xFF}, 3, "expected 0x00"},
        {"missing terminator", noTerminator, 19, "without the terminator"},
        {"unknown entry kind", unknownKind, 14, "kind 0x42 is unknown"},
        {"bytes after terminator", trailing, 20, "follow the terminator"},
        {"rapid cut short", cutRapid, 14, "rapid entry needs 50 bytes"},
        {"chunk without bytes", BrkBuilder().motionHeader(0, 0, 1).chunk(0).terminator().bytes, 15,
         "positive byte count"},
        {"chunk without motion", BrkBuilder().eventsOnlyHeader().chunk(4).terminator().bytes, 5,
         "without motion"},
        {"direction of a disabled output", BrkBuilder().motionHeader(0, 0, 0x21).terminator().bytes,
         13, "without enabling"},
        {"wait level", BrkBuilder().eventsOnlyHeader().wait(2, 7).terminator().bytes, 7,
         "expected 0 or 1"},
        {"rapid not finite",
         BrkBuilder().eventsOnlyHeader().rapid(1, Vec4(), 1.0 / 0.0, 1).terminator().bytes, 39,
         "not a finite number"},
    };
    for (const Case& c : cases) {
        BrkStream brk;
        ReadbackError error;
        EXPECT_EQ(decode(c.bytes, brk, error), -1) << c.what;
        EXPECT_EQ(error.file, "BRK") << c.what;
        EXPECT_EQ(error.offset, c.offset) << c.what << ": " << describeReadbackError(error);
        EXPECT_NE(error.message.find(c.phrase), std::string::npos)
            << c.what << ": " << describeReadbackError(error);
    }
}

TEST(StepWordReadback, DecodesBothFormsAndTheMark) {
    struct Case {
        std::vector<uint8_t> bytes;
        int32_t delta;
        bool mark;
    };
    const std::vector<Case> cases = {
        {{0x05}, 5, false},        {{0x7F}, -1, false},         {{0x40}, -64, false},
        {{0x80, 0x40}, 64, false}, {{0xFF, 0x3F}, -65, false},  {{0x80, 0x80}, 0, true},
        {{0xFF, 0xFF}, -1, true},  {{0xBF, 0x7F}, 8191, false}, {{0xC0, 0x00}, -8192, false},
        {{0x80, 0xBF}, 63, true},
    };
    for (const Case& c : cases) {
        DecodedStepWord w;
        EXPECT_EQ(decodeStepWord(c.bytes.data(), c.bytes.size(), w),
                  static_cast<int32_t>(c.bytes.size()));
        EXPECT_EQ(w.delta, c.delta);
        EXPECT_EQ(w.mark, c.mark);
    }
    // Every encodable delta comes back as itself, with and without the mark.
    for (int32_t d = kMinStepDelta; d <= kMaxStepDelta; ++d) {
        for (bool mark : {false, true}) {
            const StepWord enc = encodeStepWord(d, mark);
            DecodedStepWord w;
            ASSERT_EQ(decodeStepWord(enc.bytes, enc.length, w), enc.length);
            ASSERT_EQ(w.delta, d);
            ASSERT_EQ(w.mark, mark);
        }
    }
    const uint8_t cut[1] = {0x81};
    DecodedStepWord w;
    EXPECT_EQ(decodeStepWord(cut, 1, w), 0);
}

// A file is read in blocks; a two-byte word that straddles a block boundary must still read as
// one word.
TEST(StepWordReadback, FileBlocksSplitNoWord) {
    testing::ScratchDir dir;
    std::vector<uint8_t> bytes((1 << 20) - 1, 0x01);
    const StepWord big = encodeStepWord(-3000, false);
    bytes.insert(bytes.end(), big.bytes, big.bytes + 2);
    bytes.push_back(0x02);
    testing::writeFile(dir.file("s.CM"), std::string(bytes.begin(), bytes.end()));
    FILE* f = std::fopen(dir.file("s.CM").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    StepSource source = stepSourceFromFile(f);
    DecodedStepWord w;
    int64_t words = 0;
    int64_t sum = 0;
    while (readStepWord(source, w) == 1) {
        ++words;
        sum += w.delta;
    }
    std::fclose(f);
    EXPECT_EQ(words, (1 << 20) - 1 + 2);
    EXPECT_EQ(sum, (1 << 20) - 1 - 3000 + 2);
    EXPECT_EQ(source.offset, static_cast<int64_t>(bytes.size()));
}

TEST(TextOutputReadback, ReadsLimAndEvAsWritten) {
    LimBounds lim;
    ReadbackError error;
    ASSERT_EQ(parseLimText("10.000000\r\n2.500000\r\n-1.000000\r\n0.000000\r\n0.250000\r\n-"
                           "3.125000\r\n",
                           lim, error),
              0)
        << describeReadbackError(error);
    EXPECT_EQ(lim.maxX, 10.0);
    EXPECT_EQ(lim.maxY, 2.5);
    EXPECT_EQ(lim.minX, -1.0);
    EXPECT_EQ(lim.minY, 0.0);
    EXPECT_EQ(lim.maxZ, 0.25);
    EXPECT_EQ(lim.minZ, -3.125);

    std::vector<EvLine> ev;
    ASSERT_EQ(parseEvText("ONAT,120,3\r\nOFFAT,-5,0\r\n", ev, error), 0);
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_TRUE(ev[0].on);
    EXPECT_EQ(ev[0].at, 120);
    EXPECT_EQ(ev[0].out, 3);
    EXPECT_FALSE(ev[1].on);
    EXPECT_EQ(ev[1].at, -5);
    ASSERT_EQ(parseEvText("", ev, error), 0);
    EXPECT_TRUE(ev.empty());
}

TEST(TextOutputReadback, RejectsWhatTheWriterNeverWrites) {
    struct Case {
        const char* file;
        std::string text;
        int64_t offset;
        const char* phrase;
    };
    const std::string six = "1.0\r\n2.0\r\n3.0\r\n4.0\r\n5.0\r\n6.0\r\n";
    const std::vector<Case> cases = {
        {"LIM", "1.0\r\n2.0\r\n3.0\r\n4.0\r\n5.0\r\n", 25, "5 lines; expected 6"},
        {"LIM", six + "7.0\r\n", 35, "7 lines"},
        {"LIM", "1.0\n2.0\r\n", 3, "LF alone"},
        {"LIM", "1.0\r\n2.0\r\nabc\r\n4.0\r\n5.0\r\n6.0\r\n", 10, "line 3"},
        {"LIM", "1.0\r\n2.0\r\n3.0\r\n4.0\r\n5.0\r\nnan\r\n", 25, "finite"},
        {"LIM", "1.0\r\n2.0", 8, "no line end"},
        {"EV", "ONAT,1,2\r\nON,1,2\r\n", 10, "line 2"},
        {"EV", "OFFAT,1\r\n", 0, "line 1"},
        {"EV", "ONAT,1,2x\r\n", 0, "line 1"},
    };
    for (const Case& c : cases) {
        ReadbackError error;
        int32_t result = 0;
        if (std::string(c.file) == "LIM") {
            LimBounds lim;
            result = parseLimText(c.text, lim, error);
        } else {
            std::vector<EvLine> ev;
            result = parseEvText(c.text, ev, error);
        }
        EXPECT_EQ(result, -1) << c.text;
        EXPECT_EQ(error.file, c.file);
        EXPECT_EQ(error.offset, c.offset) << describeReadbackError(error);
        EXPECT_NE(error.message.find(c.phrase), std::string::npos) << describeReadbackError(error);
    }
}

}  // namespace
}  // namespace pulsepost
