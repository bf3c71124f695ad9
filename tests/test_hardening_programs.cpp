// Hostile part programs through p: whatever the bytes, the conversion completes with streams that
// read back, or refuses with a message naming the line; it never crashes, hangs or writes a
// stream that is silently wrong.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "geometry/segment.h"
#include "hardening_fixture.h"

namespace pulsepost {
namespace {

using testing::expectAt;
using testing::Hardening;

int countEvents(const Readback& r, SegmentKind kind) {
    int n = 0;
    for (const MotionEvent& e : r.motion.events) {
        if (!e.isMark && e.entry.kind == static_cast<uint8_t>(kind)) ++n;
    }
    return n;
}

TEST_F(Hardening, BinaryGarbageConvertsOrIsRefusedWithAReason) {
    quickMachine();
    uint32_t state = 12345;
    for (int program = 0; program < 8; ++program) {
        std::string bytes(4096, '\0');
        for (char& c : bytes) {
            state = state * 1664525u + 1013904223u;
            c = static_cast<char>(state >> 24);
        }
        testing::conversionMessages().clear();
        const int32_t result = convert(bytes);
        if (result == 0) {
            readBack();
        } else {
            EXPECT_EQ(result, -1);
            EXPECT_NE(refusal().find("program line"), std::string::npos) << refusal();
        }
    }
}

TEST_F(Hardening, NulByteEndsTheLineItIsIn) {
    quickMachine();
    ASSERT_EQ(convert(std::string("G1 X1\0 Y5\nG1 Y2\n", 17)), 0);
    expectAt(readBack().motion.finalPosition, 1, 2, 0);
}

TEST_F(Hardening, TenMegabyteLineIsReadInPiecesWithoutGrowing) {
    quickMachine();
    // "G1" and the padding fill whole 127-byte pieces, so that " X5" starts a piece of its own.
    const std::size_t pieces = 82570;
    std::string line = "G1" + std::string(127 * pieces - 2, ' ') + " X5\n";
    ASSERT_GT(line.size(), 10u * 1000 * 1000);
    ASSERT_EQ(convert(line + "G1 Y1\n"), 0);
    expectAt(readBack().motion.finalPosition, 5, 1, 0);
}

TEST_F(Hardening, LastLineWithoutNewlineIsRead) {
    quickMachine();
    ASSERT_EQ(convert("G1 X1\nG1 X2"), 0);
    expectAt(readBack().motion.finalPosition, 2, 0, 0);
}

TEST_F(Hardening, CrLfLineEndsGiveTheSameStreamsAsLf) {
    quickMachine();
    ASSERT_EQ(convert("G1 X1\nG1 Y1\nG1 X0\n", "lf.nc"), 0);
    const std::vector<uint8_t> cm = testing::readBytes(dir.file("lf.CM"));
    const std::vector<uint8_t> brk = testing::readBytes(dir.file("lf.BRK"));
    ASSERT_EQ(convert("G1 X1\r\nG1 Y1\r\nG1 X0\r\n", "crlf.nc"), 0);
    EXPECT_EQ(testing::readBytes(dir.file("crlf.CM")), cm);
    EXPECT_EQ(testing::readBytes(dir.file("crlf.BRK")), brk);
    expectAt(readBack().motion.finalPosition, 0, 1, 0);
}

// A file whose lines end with a CR alone reads as the same lines. In a file that has LF line
// ends a CR alone stays an ordinary character of its line: "G1 X1\rY5" is one line to (1, 5).
TEST_F(Hardening, CarriageReturnsAloneEndLinesOnlyInFilesThatUseThem) {
    quickMachine();
    ASSERT_EQ(convert("G1 X1\nG1 Y1\nG1 X0\n", "lf.nc"), 0);
    ASSERT_EQ(convert("G1 X1\rG1 Y1\rG1 X0\r", "cr.nc"), 0);
    EXPECT_EQ(testing::readBytes(dir.file("cr.CM")), testing::readBytes(dir.file("lf.CM")));
    EXPECT_EQ(testing::readBytes(dir.file("cr.BRK")), testing::readBytes(dir.file("lf.BRK")));
    expectAt(readBack().motion.finalPosition, 0, 1, 0);
    // Without a CR at the end, and with a line longer than a piece.
    const std::string longLine = "G1 X2" + std::string(300, ' ') + "Y3";
    ASSERT_EQ(convert("G1 X1\r" + longLine), 0);
    expectAt(readBack().motion.finalPosition, 2, 3, 0);

    ASSERT_EQ(convert("G1 X1\rY5\nG1 X3\n"), 0);
    EXPECT_NEAR(readBack().motion.axes[1].max, 5.0, 1e-3);
    expectAt(readBack().motion.finalPosition, 3, 5, 0);
}

TEST_F(Hardening, NumbersThatAreNotFiniteOrTooLargeAreRefusedNamingTheLine) {
    quickMachine();
    const struct {
        const char* program;
        const char* line;
    } cases[] = {
        {"G1 X1\nG1 Xnan\n", "line 2"},
        {"G1 Yinf\n", "line 1"},
        {"G1 X1\nG1 Z1e999\n", "line 2"},
        {"G1 X1\nG1 X2\nG1 Y1e300\n", "line 3"},
        {"G2 X1 I1e300\n", "line 1"},
        // An arc on its centre is skipped, but its far end would have made the bounds infinite.
        {"G1 X1\nG3 X1e200 Y1e200\n", "line 2"},
    };
    for (const auto& c : cases) {
        testing::conversionMessages().clear();
        EXPECT_EQ(convert(c.program), -1) << c.program;
        EXPECT_NE(refusal().find(c.line), std::string::npos) << c.program << ": " << refusal();
        EXPECT_FALSE(exists("part.CM")) << c.program;
    }
    // Where F words take effect, an F that is not finite is refused too; one that is not
    // positive cannot be executed and is ignored.
    configure([](MachineConfig& c) { c.optionBits = 0; });
    testing::conversionMessages().clear();
    EXPECT_EQ(convert("G1 X1\nG1 X2 F-inf\n"), -1);
    EXPECT_NE(refusal().find("line 2"), std::string::npos) << refusal();
    EXPECT_EQ(convert("G1 X1 F0\nG1 X2 F-60\n"), 0);
    expectAt(readBack().motion.finalPosition, 2, 0, 0);
    // On a millimetre machine G20 multiplies by 25.4: a finite F or coordinate may not stay so.
    testing::writeFile(dir.file("params.cfg"), "7000\n0.1\n15.0\n10.16\nmm\n");
    for (const char* program : {"G1 X1\nG20 G1 X2 F1e307\n", "G1 X1\nG20 G2 X1 I-1e307\n"}) {
        testing::conversionMessages().clear();
        EXPECT_EQ(convert(program), -1) << program;
        EXPECT_NE(refusal().find("line 2 refused: the number of the"), std::string::npos)
            << program << ": " << refusal();
    }
}

TEST_F(Hardening, ArcsWithTinyAndEnormousRadiiConvert) {
    quickMachine();
    ASSERT_EQ(convert("G1 X1\nG2 X1.000002 I0.000001\nG1 Y1\n"), 0);
    expectAt(readBack().motion.finalPosition, 1.000002, 1, 0);
    ASSERT_EQ(convert("G1 X1\nG2 X2 I0.5 J-1e6\nG1 Y1\n"), 0);
    expectAt(readBack().motion.finalPosition, 2, 1, 0);
}

TEST_F(Hardening, ArcWithItsCentreOnTheStartPointIsSkipped) {
    quickMachine();
    ASSERT_EQ(convert("G1 X1\nG2 X2 Y0\nG1 Y1\n"), 0);
    expectAt(readBack().motion.finalPosition, 1, 1, 0);
}

TEST_F(Hardening, CyclesThatCouldNeverEndOrNeverFitAreRefused) {
    quickMachine();
    const struct {
        const char* program;
        const char* reason;
    } cases[] = {
        {"G0 Z1\nG83 X0 Y0 Z-5 R1 Q1 V0\n", "never reach its depth"},
        {"G0 Z1\nG83 X0 Y0 Z-5 R1 Q0\n", "never reach its depth"},
        {"G0 Z1\nG83 X0 Y0 Z-1e9 R0 Q1e-9\n", "more pecks"},
        {"G0 Z1\nG81 X0 Y0 Z-1e300 R1\n", "too large"},
    };
    for (const auto& c : cases) {
        testing::conversionMessages().clear();
        EXPECT_EQ(convert(c.program), -1) << c.program;
        EXPECT_NE(refusal().find("line 2"), std::string::npos) << refusal();
        EXPECT_NE(refusal().find(c.reason), std::string::npos) << refusal();
    }
    // A deep hole of many pecks is an ordinary cycle.
    ASSERT_EQ(convert("G0 Z1\nG83 X0 Y0 Z-2 R1 Q0.01\n"), 0);
    const Readback r = readBack();
    expectAt(r.motion.finalPosition, 0, 0, 1);
    EXPECT_EQ(countEvents(r, SegmentKind::Dwell), 1);
}

TEST_F(Hardening, ThousandsOfToolChangesAreAllInTheBreakStream) {
    quickMachine();
    std::string program;
    for (int i = 0; i < 3000; ++i) {
        program += "M6 T1\nG1 X" + std::to_string(i % 2) + "\nM6 T2\n";
    }
    ASSERT_EQ(convert(program), 0);
    EXPECT_EQ(countEvents(readBack(), SegmentKind::ToolChange), 6000);
}

TEST_F(Hardening, ProgramOfOnlyEventsGivesAnEmptyPulseStream) {
    quickMachine();
    ASSERT_EQ(convert("M3\nM8\nG4P100\nM9\nM5\n"), 0);
    const Readback r = readBack();
    EXPECT_FALSE(r.brk.hasMotion);
    EXPECT_EQ(r.motion.cmBytes, 0);
    EXPECT_EQ(countEvents(r, SegmentKind::SpindleEvent), 2);
    EXPECT_EQ(countEvents(r, SegmentKind::OutputEvent), 2);
    EXPECT_EQ(countEvents(r, SegmentKind::Dwell), 1);
}

TEST_F(Hardening, EmptyProgramGivesEmptyStreams) {
    quickMachine();
    ASSERT_EQ(convert(""), 0);
    const Readback r = readBack();
    EXPECT_FALSE(r.brk.hasMotion);
    EXPECT_TRUE(r.brk.entries.empty());
    EXPECT_EQ(r.motion.cmBytes, 0);
}

}  // namespace
}  // namespace pulsepost
