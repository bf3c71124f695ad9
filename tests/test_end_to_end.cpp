// Whole conversions through the exported entry point, in scratch directories: the output files
// byte for byte, the progress protocol, Esc in every stage, refusals and files that cannot be
// created, and conversions that follow each other in one process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "config/configuration_setup.h"
#include "config/machine_config.h"
#include "config/machine_config_layout.h"
#include "conversion_fixture.h"
#include "platform/console.h"
#include "pulsepost/pulsepost.h"
#include "report/message_sink.h"
#include "store/paged_store.h"
#include "stream_decode.h"
#include "test_support.h"

namespace pulsepost {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::Reports;

// The exported p on the machine of the worked examples, by default.
class EndToEnd : public testing::ConversionTest {
  protected:
    void exampleMachine() { configure(testing::exampleMachine); }
    bool exists(const std::string& extension) const {
        return testing::fileExists(outputFile(extension));
    }
};

Bytes le32(int32_t v) {
    Bytes b;
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    return b;
}

// Each stage from 0 to 5 appears, in order, and ends with 100 before the next begins.
void expectCompleteProgress(const Reports& reports) {
    int stage = 0;
    bool ended = false;
    for (const auto& [s, percent] : reports) {
        ASSERT_GE(s, stage) << "stage " << s << " after " << stage;
        if (s > stage) {
            ASSERT_TRUE(ended) << "stage " << stage << " did not end with 100";
            ASSERT_EQ(s, stage + 1);
            stage = s;
        }
        ASSERT_GE(percent, 0);
        ASSERT_LE(percent, 100);
        ended = percent == 100;
    }
    EXPECT_EQ(stage, 5);
    EXPECT_TRUE(ended);
}

TEST_F(EndToEnd, OneLineProgramGivesTheWorkedExampleFiles) {
    exampleMachine();
    ASSERT_EQ(convert("G1 X10\n"), 0);

    const Bytes cm = output("CM");
    bool whole = false;
    const auto ticks = testing::decodeCm(cm, 3, &whole);
    ASSERT_TRUE(whole);
    ASSERT_EQ(ticks.size(), 7074u);
    EXPECT_EQ(cm[0], 0x00);
    int sumX = 0;
    for (const auto& t : ticks)
        sumX += t.delta[0];
    EXPECT_EQ(sumX, 1000);

    Bytes brk{0xFF, 0xA2, 0x1B, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0x47, 0x10};
    const Bytes n = le32(static_cast<int32_t>(cm.size()));
    brk.insert(brk.end(), n.begin(), n.end());
    brk.push_back(0xFF);
    EXPECT_EQ(output("BRK"), brk);

    EXPECT_EQ(testing::readFile(programPath.substr(0, programPath.size() - 2) + "LIM"),
              "10.000000\r\n0.000000\r\n0.000000\r\n0.000000\r\n0.000000\r\n0.000000\r\n");
    EXPECT_TRUE(output("EV").empty());
    const std::string timing = testing::readFile(dir.file("timeMem.txt"));
    EXPECT_EQ(timing.rfind("progress bar 6 time =", 0), 0u) << timing;
    EXPECT_NE(timing.find("\r\noverall time ="), std::string::npos) << timing;
    expectCompleteProgress(testing::progressReports());
    // One line, one record, three knots: every stage up to 4 reports at its first due step.
    const Reports head = {{0, 100}, {0, 100}, {1, 100}, {1, 100}, {2, 100}, {2, 100},
                          {3, 100}, {4, 33},  {4, 66},  {4, 100}, {4, 100}};
    ASSERT_EQ(testing::progressReports().size(), head.size() + 101);
    EXPECT_EQ(Reports(testing::progressReports().begin(),
                      testing::progressReports().begin() + head.size()),
              head);
    // Stage 5: tick 1 and every 71st tick after it (0 .. 99 per cent), then the final 100.
    for (std::size_t i = 0; i < 100; ++i) {
        EXPECT_EQ(testing::progressReports()[head.size() + i],
                  std::make_pair(5, static_cast<int>(i)))
            << i;
    }
    EXPECT_EQ(testing::progressReports().back(), std::make_pair(5, 100));
    EXPECT_TRUE(testing::conversionMessages().empty());
}

TEST_F(EndToEnd, ProgramOfEventsOnlyGivesTheEventsOnlyBreakStream) {
    exampleMachine();
    ASSERT_EQ(convert("M3\nM5\n"), 0);
    EXPECT_EQ(output("BRK"), (Bytes{0x01, 0x00, 0x00, 0x00, 0x01, 0x05, 0x01, 0x05, 0x00, 0xFF}));
    EXPECT_TRUE(exists("CM"));
    EXPECT_TRUE(output("CM").empty());
    EXPECT_EQ(output("LIM").size(), 6u * 10u);
    for (const auto& [stage, percent] : testing::progressReports())
        EXPECT_LE(stage, 2);
    EXPECT_TRUE(testing::readFile(dir.file("timeMem.txt")).empty());
}

TEST_F(EndToEnd, CoolantBetweenTwoMovesSitsBetweenTheirChunks) {
    exampleMachine();
    ASSERT_EQ(convert("G1 X5\nM8\nG1 X10\n"), 0);
    const testing::DecodedBrk brk = testing::decodeBrk(output("BRK"));
    ASSERT_TRUE(brk.ok);
    ASSERT_EQ(brk.entries.size(), 3u);
    EXPECT_EQ(brk.entries[0].kind, 0x10);
    EXPECT_EQ(brk.entries[1].kind, 0x06);
    EXPECT_EQ(brk.entries[1].value, 0x01);
    EXPECT_EQ(brk.entries[2].kind, 0x10);
    EXPECT_EQ(brk.entries[0].value + brk.entries[2].value,
              static_cast<int32_t>(output("CM").size()));
}

TEST_F(EndToEnd, DwellAndWaitRecordsSitAtTheirPointOfThePath) {
    exampleMachine();
    // "G1 A0" first: the A of WAITFORON is a word, and A then stays on its offset.
    ASSERT_EQ(convert("G1 A0\nG1 X1\nG4P1500\nWAITFORON3\nG1 X2\n"), 0);
    const Bytes bytes = output("BRK");
    const testing::DecodedBrk brk = testing::decodeBrk(bytes);
    ASSERT_TRUE(brk.ok);
    std::vector<uint8_t> kinds;
    for (const auto& e : brk.entries)
        kinds.push_back(e.kind);
    EXPECT_EQ(kinds, (std::vector<uint8_t>{0x10, 0x09, 0x11, 0x10}));
    // The records themselves, byte for byte, right after the first chunk.
    ASSERT_GE(bytes.size(), 14u + 5u + 6u);
    EXPECT_EQ(Bytes(bytes.begin() + 19, bytes.begin() + 25),
              (Bytes{0x09, 0xDC, 0x05, 0x11, 0x03, 0x01}));
}

TEST_F(EndToEnd, OutputEventMarkSitsAtItsPerCentOfTheNextMove) {
    exampleMachine();
    ASSERT_EQ(convert("G1 A0\nM50 AT50 OUT3\nG1 X10\n"), 0);
    EXPECT_EQ(testing::readFile(programPath.substr(0, programPath.size() - 2) + "EV"),
              "ONAT,50,3\r\n");
    const auto ticks = testing::decodeCm(output("CM"), 3);
    int marks = 0;
    int x = 0;
    for (const auto& t : ticks) {
        if (t.markedOutput >= 0) {
            ++marks;
            EXPECT_EQ(t.markedOutput, 0);
            EXPECT_LE(x, 500);  // not yet half way before the marked tick
            EXPECT_GE(x + t.delta[0], 500);
        }
        x += t.delta[0];
    }
    EXPECT_EQ(marks, 1);
    EXPECT_EQ(x, 1000);
}

TEST_F(EndToEnd, OutputNamesStayInTheProgramsDirectory) {
    exampleMachine();
    std::filesystem::create_directories(dir.file("jobs/v1.2"));
    programPath = dir.file("jobs/v1.2/plate");
    testing::writeFile(programPath, "G1 X1\n");
    ASSERT_EQ(p(programPath.c_str(), nullptr, dir.path().c_str()), 0);
    for (const char* ext : {"CM", "BRK", "LIM", "EV"}) {
        EXPECT_TRUE(testing::fileExists(programPath + "." + ext)) << ext;
        EXPECT_FALSE(testing::fileExists(dir.file(std::string("jobs/v1.") + ext))) << ext;
    }
}

TEST_F(EndToEnd, ConfigurationThatCannotDriveAConversionIsRefusedBeforeAnyFile) {
    configure([](MachineConfig& c) { c.feedSpeed = 0.0; });
    EXPECT_EQ(convert("G1 X10\n"), -1);
    ASSERT_FALSE(testing::conversionMessages().empty());
    EXPECT_EQ(testing::conversionMessages().back().first, MessageCode::Refused);
    EXPECT_NE(testing::conversionMessages().back().second.find("feed speed"), std::string::npos);
    for (const char* ext : {"CM", "BRK", "LIM", "EV"})
        EXPECT_FALSE(exists(ext)) << ext;
    EXPECT_FALSE(testing::fileExists(dir.file("timeMem.txt")));
    EXPECT_TRUE(testing::progressReports().empty());
}

TEST_F(EndToEnd, StepTooLargeForAWordRefusesAndLeavesNoPlayableStream) {
    configure([](MachineConfig& c) {
        c.feedSpeed = 120000.0;  // 2000 units per second: 31600 pulses per tick
        c.acceleration = 100000.0;
        c.optionBits = kOptionIgnoreFWords;
    });
    EXPECT_EQ(convert("G1 X100\n"), -1);
    ASSERT_FALSE(testing::conversionMessages().empty());
    EXPECT_EQ(testing::conversionMessages().back().first, MessageCode::Refused);
    EXPECT_NE(testing::conversionMessages().back().second.find("output 0 at tick"),
              std::string::npos);
    EXPECT_TRUE(output("CM").empty());
    EXPECT_TRUE(output("BRK").empty());
}

TEST_F(EndToEnd, PulseStreamThatCannotBeCreatedEndsTheConversion) {
    exampleMachine();
    std::filesystem::create_directory(dir.file("part.CM"));  // a directory in the way
    EXPECT_EQ(convert("G1 X10\n"), -1);
    ASSERT_FALSE(testing::conversionMessages().empty());
    EXPECT_EQ(testing::conversionMessages().back().first, MessageCode::FileOpen);
    EXPECT_NE(testing::conversionMessages().back().second.find("part.CM"), std::string::npos);
    EXPECT_FALSE(exists("BRK"));
    for (const auto& [stage, percent] : testing::progressReports())
        EXPECT_LE(stage, 2);
}

// A key source that presses Esc at the first check after the first report of a chosen stage.
struct EscInStage {
    int stage = 0;
    bool armed = false;
    static int waiting(void* self) { return static_cast<EscInStage*>(self)->armed ? 1 : 0; }
    static int read(void* self) {
        static_cast<EscInStage*>(self)->armed = false;
        return kEscKey;
    }
};
EscInStage* gEsc = nullptr;
void PULSEPOST_CALL armingReport(int32_t stage, int32_t percent) {
    if (gEsc && stage == gEsc->stage && percent < 100) {
        gEsc->armed = true;
        gEsc = nullptr;  // once
    }
    testing::recordConversionProgress(stage, percent);
}

TEST_F(EndToEnd, EscEndsTheConversionWithTheResultOfItsStage) {
    exampleMachine();
    // Corners of 5 degrees get fillets: stage 1 has work. Enough lines for several reports.
    std::string program = "G1 A0\n";
    for (int i = 1; i <= 40; ++i) {
        program += "G1 X" + std::to_string(i) + " Y" + std::to_string(i % 2 ? 0.05 : 0.0) + "\n";
    }
    programPath = dir.file("part.nc");
    testing::writeFile(programPath, program);
    ASSERT_EQ(p(programPath.c_str(), testing::recordConversionProgress, dir.path().c_str()), 0);
    const Bytes fullCm = output("CM");
    const Bytes fullBrk = output("BRK");

    const int expected[6] = {-1, -1, -1, 0, 0, 0};
    for (int stage = 0; stage < 6; ++stage) {
        SCOPED_TRACE(stage);
        testing::progressReports().clear();
        EscInStage esc{stage};
        gEsc = &esc;
        const KeySource source{&EscInStage::waiting, &EscInStage::read, &esc};
        setKeySource(&source);
        const int32_t result = p(programPath.c_str(), armingReport, dir.path().c_str());
        setKeySource(nullptr);
        EXPECT_EQ(result, expected[stage]);
        ASSERT_FALSE(testing::progressReports().empty());
        EXPECT_EQ(testing::progressReports().back().first,
                  stage);  // nothing after the aborted stage
        EXPECT_NE(testing::progressReports().back().second, 100);
        if (stage == 3 || stage == 4) {
            EXPECT_TRUE(output("BRK").empty());
        }
        if (stage == 5) {
            const Bytes brk = output("BRK");
            ASSERT_GE(brk.size(), 14u);
            EXPECT_EQ(brk[0], 0xFF);
            EXPECT_FALSE(testing::decodeBrk(brk).terminated);
        }
    }

    // A later conversion in the same process starts clean: the same bytes as the first.
    testing::progressReports().clear();
    ASSERT_EQ(p(programPath.c_str(), testing::recordConversionProgress, dir.path().c_str()), 0);
    EXPECT_EQ(output("CM"), fullCm);
    EXPECT_EQ(output("BRK"), fullBrk);
    expectCompleteProgress(testing::progressReports());
}

// A C++ host whose progress callback throws: the exception stops at the entry point, which
// reports it and returns -1. Both stores are released, and the pulse and break streams the
// conversion had begun are left empty rather than stopping in the middle of a move.
int gLivePages = 0;
int gPageLimit = 1 << 30;  // pages that may be live at once; the next allocation fails
void* countedAllocate(std::size_t bytes) {
    if (gLivePages >= gPageLimit) return nullptr;
    ++gLivePages;
    return std::malloc(bytes);
}
void countedRelease(void* page) {
    --gLivePages;
    std::free(page);
}
int gThrowInStage = -1;
void PULSEPOST_CALL throwingReport(int32_t stage, int32_t percent) {
    testing::recordConversionProgress(stage, percent);
    if (stage == gThrowInStage) throw std::runtime_error("host failure");
}

TEST_F(EndToEnd, ExceptionFromTheHostEndsTheConversionAndReleasesEverything) {
    exampleMachine();
    programPath = dir.file("part.nc");
    testing::writeFile(programPath, "G1 X10\nG1 Y10\n");
    ASSERT_EQ(p(programPath.c_str(), testing::recordConversionProgress, dir.path().c_str()), 0);
    const Bytes fullCm = output("CM");
    setPageAllocator(countedAllocate);
    setPageReleaser(countedRelease);
    for (int stage : {0, 3, 5}) {
        SCOPED_TRACE(stage);
        testing::conversionMessages().clear();
        gThrowInStage = stage;
        EXPECT_EQ(p(programPath.c_str(), throwingReport, dir.path().c_str()), -1);
        EXPECT_EQ(gLivePages, 0);
        ASSERT_FALSE(testing::conversionMessages().empty());
        EXPECT_EQ(testing::conversionMessages().back().second, "internal failure");
        if (stage == 5) {
            EXPECT_TRUE(output("CM").empty());
            EXPECT_TRUE(output("BRK").empty());
        }
    }
    gThrowInStage = -1;
    setPageAllocator(nullptr);
    setPageReleaser(nullptr);
    ASSERT_EQ(p(programPath.c_str(), testing::recordConversionProgress, dir.path().c_str()), 0);
    EXPECT_EQ(output("CM"), fullCm);
}

// A store that cannot get its memory refuses the conversion with its code: the host's process
// goes on, and every page already taken is released.
TEST_F(EndToEnd, StoreWithoutMemoryRefusesTheConversionAndTheHostGoesOn) {
    exampleMachine();
    setPageAllocator(countedAllocate);
    setPageReleaser(countedRelease);
    for (int limit : {0, 1}) {
        testing::conversionMessages().clear();
        gPageLimit = limit;
        EXPECT_EQ(convert("G1 X1\n"), -1);
        EXPECT_EQ(gLivePages, 0);
        ASSERT_EQ(testing::conversionMessages().size(), 1u);
        EXPECT_EQ(testing::conversionMessages()[0].first,
                  limit + 1);  // SegmentStore, then ProfileStore
    }
    gPageLimit = 1 << 30;
    setPageAllocator(nullptr);
    setPageReleaser(nullptr);
    EXPECT_EQ(convert("G1 X1\n"), 0);
}

// The library keeps one conversion's state for the whole process: a second call while one runs
// (here from the progress callback; another thread is refused the same way) is refused rather
// than corrupting both, and the running conversion completes.
int32_t gNestedResult = 0;
std::string gNestedPath;
void PULSEPOST_CALL nestedCall(int32_t stage, int32_t percent) {
    testing::recordConversionProgress(stage, percent);
    if (stage == 1 && percent == 100) gNestedResult = p(gNestedPath.c_str(), nullptr, ".");
}

TEST_F(EndToEnd, SecondCallWhileAConversionRunsIsRefused) {
    exampleMachine();
    programPath = dir.file("part.nc");
    gNestedPath = programPath;
    testing::writeFile(programPath, "G1 X1\n");
    ASSERT_EQ(p(programPath.c_str(), nestedCall, dir.path().c_str()), 0);
    EXPECT_EQ(gNestedResult, -1);
    ASSERT_FALSE(testing::conversionMessages().empty());
    EXPECT_EQ(testing::conversionMessages()[0],
              std::make_pair(MessageCode::Refused, std::string("a conversion is already running")));
    EXPECT_FALSE(output("CM").empty());
    testing::conversionMessages().clear();
    EXPECT_EQ(p(programPath.c_str(), nullptr, dir.path().c_str()), 0);  // free again
    EXPECT_TRUE(testing::conversionMessages().empty());
}

TEST_F(EndToEnd, PathsTheLibraryCannotKeepAreRefused) {
    const std::string longPath(300, 'a');
    EXPECT_EQ(p(longPath.c_str(), nullptr, dir.path().c_str()), -1);
    EXPECT_EQ(p(nullptr, nullptr, dir.path().c_str()), -1);
    ASSERT_EQ(testing::conversionMessages().size(), 2u);
    EXPECT_EQ(testing::conversionMessages()[0].first, MessageCode::Refused);
    EXPECT_FALSE(testing::fileExists(dir.file("ZORVAN.CFG")));  // refused before the set-up
}

// Constructions CAM systems write that the controller would misread: each program converts to the
// same pulses as the plain program it means, on a machine that runs the program's F words. A case
// with a unit converts both programs with params.cfg declaring it on its fifth line.
TEST_F(EndToEnd, CamReadingsConvertLikeTheProgramTheyMean) {
    configure([](MachineConfig& c) {
        testing::quickMachine(c);
        c.optionBits &= ~kOptionIgnoreFWords;
    });
    struct Case {
        std::string written;
        std::string meant;
        std::string unit = "";
    };
    const std::string longComment(125, 'c');
    const Case cases[] = {
        // Lower-case words; the e of an exponent stays an exponent, keywords fold too, the
        // letters of expressions and parameter names do not.
        {"g0 x10 y5\ng1 z-1e-1 f100\nG1 x20\n", "G0 X10 Y5\nG1 Z-0.1 F100\nG1 X20\n"},
        {"G1 X5\nwaitforon2\ng1 x7 y[sin[30]] z#<depth>\n", "G1 X5\nWAITFORON2\nG1 X7 Y[] Z#\n"},
        // A comment is never executed: after a ;, or however far past a 127-byte piece it runs; a
        // line cut at a * stays cut in its later pieces.
        {"G1 X1 ; now plunge Z-2 was too deep\nG1 Z-0.05;Z-2\n", "G1 X1\nG1 Z-0.05\n"},
        {"G1 Z-1 (" + longComment + " then go to X50 Y50 )\nG1 X1 ;" + longComment + " Z-9\n",
         "G1 Z-1\nG1 X1\n"},
        {"G1 Z-1 (" + longComment + " normalized) G1 X3\nG1 X1 Y[1*" + longComment + "] X50\n",
         "G1 Z-1\nG1 X1 Y0\n"},
        // M2 and M30 end the program: their own line still runs, the lines after it do not.
        {"G1 X1\nM2 G1 X2\nG1 Z-5\n\nG0 X9\n", "G1 X1\nG1 X2\n"},
        {"G1 X1\nG1 Y2 M30\nG1 Z-5\n", "G1 X1\nG1 Y2\n"},
        // R arcs: a positive R the short way, a negative R the long way, in G17 and G18.
        {"G0 X0 Y0\nG2 X6 Y0 R5\nG3 X12 Y0 R-5\n", "G0 X0 Y0\nG2 X6 Y0 I3 J-4\nG3 X12 Y0 I3 J-4\n"},
        {"G18\nG0 X0 Z0\nG2 X6 Z0 R5\n", "G18\nG0 X0 Z0\nG2 X6 Z0 I3 K4\n"},
        // G91.1 keeps the coordinates absolute.
        {"G90 G91.1\nG0 X5\nG1 X6\n", "G90\nG0 X5\nG1 X6\n"},
        // An arc ending within a tenth of a pulse of its start (Y unprogrammed: 1e-7 off) is the
        // full circle its exact twin is, in both directions.
        {"G0 X10 Z1\nG1 Z-1\nG2 X10 Y0 I5 J0\n", "G0 X10 Y0 Z1\nG1 Z-1\nG2 X10 Y0 I5 J0\n"},
        {"G0 X10 Z1\nG1 Z-1\nG3 X10 Y0 I5 J0\n", "G0 X10 Y0 Z1\nG1 Z-1\nG3 X10 Y0 I5 J0\n"},
        // Units: every length word (coordinates, incremental moves, arc centres and radii, cycle
        // depths and retracts, feeds) is scaled to the machine's unit from the G20/G21 on; a
        // program in the machine's unit reads as written; undeclared, G20/G21 change nothing.
        {"G21 G0 X25.4 Y50.8\nG1 Z-12.7 F254\nG2 X50.8 Y50.8 I12.7 J0\nG3 X0 Y50.8 R25.4\n",
         "G0 X1 Y2\nG1 Z-0.5 F10\nG2 X2 Y2 I0.5 J0\nG3 X0 Y2 R1\n", "in"},
        {"G20 G91\nG0 X1 Y0.5\nG1 Z-0.25 F2\nG90 G81 X2 Y2 Z-0.5 R0.125\n",
         "G91\nG0 X25.4 Y12.7\nG1 Z-6.35 F50.8\nG90 G81 X50.8 Y50.8 Z-12.7 R3.175\n", "mm"},
        {"G20\nG0 X1\nG21\nG1 X30 F100\nG20 G92 X0\nG1 X1\n",
         "G0 X25.4\nG1 X30 F100\nG92 X0\nG1 X25.4\n", "mm"},
        {"G20 G0 X1\nG1 Y2\n", "G0 X1\nG1 Y2\n", "in"},
        {"G21 G0 X1\nG20 G1 Y2\n", "G0 X1\nG1 Y2\n"},
    };
    for (const Case& c : cases) {
        std::string params = "7000\n0.1\n15.0\n10.16\n";
        if (!c.unit.empty()) params += c.unit + "        //Machine unit\n";
        testing::writeFile(dir.file("params.cfg"), params);
        ASSERT_EQ(convert(c.meant, "meant.nc"), 0) << c.meant;
        const Bytes meant[] = {output("CM"), output("BRK")};
        ASSERT_EQ(convert(c.written, "written.nc"), 0) << c.written;
        EXPECT_EQ(output("CM"), meant[0]) << c.written;
        EXPECT_EQ(output("BRK"), meant[1]) << c.written;
        EXPECT_FALSE(meant[0].empty()) << c.meant;
    }
    // The rounding an R arc may carry past a half circle is the program's: 0.001 inch in G20.
    testing::writeFile(dir.file("params.cfg"), "7000\n0.1\n15.0\n10.16\nmm\n");
    EXPECT_EQ(convert("G20\nG0 X0 Y0\nG2 X2.001 Y0 R1\n"), 0) << refusal();
    // An end farther than 2R from the start is refused with its line.
    EXPECT_NE(convert("G0 X0 Y0\nG2 X20 Y0 R5\n"), 0);
    EXPECT_NE(refusal().find("program line 2 refused: the arc's end is more than twice its radius"),
              std::string::npos)
        << refusal();
}

// Full circles turn a whole turn in both directions, and arcs that move A turn in their plane
// while A (and Z, in a helix) move steadily with the angle: each arrives at its programmed end
// with no step the machine cannot make.
TEST_F(EndToEnd, FullCirclesAndArcsThatMoveAFollowTheirPrograms) {
    configure([](MachineConfig& c) {
        testing::quickMachine(c);
        c.stepsPerUnit[3] = 100.0;
    });
    struct Sample {
        Vec4 position;
    };
    std::vector<Sample> ticks;
    MotionObserver observer;
    observer.context = &ticks;
    observer.onTick = [](void* context, const TickSample& t) {
        static_cast<std::vector<Sample>*>(context)->push_back({t.position});
    };
    // Converts, reads back with every tick kept, and checks the steps.
    const auto run = [&](const std::string& program) {
        ticks.clear();
        Readback r;
        ReadbackError error;
        EXPECT_EQ(convert(program), 0) << program << refusal();
        EXPECT_EQ(ScratchConversion::readBack(r, error, &observer), 0)
            << describeReadbackError(error);
        EXPECT_EQ(r.motion.stepLimits.stepCount, 0) << program;
        EXPECT_EQ(r.motion.stepLimits.changeCount, 0) << program;
        return r;
    };

    // G2 and G3: the same circle the other way round, the same time, the same bounds, back at the
    // start (the end 1e-7 off it on the unprogrammed Y).
    const Readback cw = run("G0 X10 Z1\nG1 Z-1\nG2 X10 Y0 I5 J0\n");
    const Bytes cwSteps = output("CM");
    const Readback ccw = run("G0 X10 Z1\nG1 Z-1\nG3 X10 Y0 I5 J0\n");
    EXPECT_NE(output("CM"), cwSteps);
    EXPECT_EQ(ccw.motion.ticks, cw.motion.ticks);
    for (const Readback* r : {&cw, &ccw}) {
        EXPECT_NEAR(r->motion.axes[0].max, 20.0, 1e-3);
        EXPECT_NEAR(r->motion.axes[1].min, -5.0, 1e-3);
        EXPECT_NEAR(r->motion.axes[1].max, 5.0, 1e-3);
        EXPECT_NEAR(r->lim.maxX, 20.0, 1e-6);
        EXPECT_NEAR(r->lim.minY, -5.0, 1e-6);
        EXPECT_NEAR(r->lim.maxY, 5.0, 1e-6);
        EXPECT_NEAR(r->motion.finalPosition.x, 10.0, 1e-3);
        EXPECT_NEAR(r->motion.finalPosition.y, 0.0, 1e-3);
    }

    // An arc that moves A, in its plane and as a helix: A (and Z) follow the angle turned about
    // the centre (15, 0), and the arc ends at its programmed X, Y, Z and A.
    for (const double depth : {-1.0, -3.0}) {
        const std::string program =
            "G0 X10 Z1\nG1 Z-1\nG2 X20 Y0 Z" + std::to_string(depth) + " A30 I5 J0\n";
        const Readback r = run(program);
        EXPECT_NEAR(r.motion.finalPosition.x, 20.0, 1e-3) << program;
        EXPECT_NEAR(r.motion.finalPosition.y, 0.0, 1e-3) << program;
        EXPECT_NEAR(r.motion.finalPosition.z, depth, 1e-3) << program;
        EXPECT_NEAR(r.motion.finalPosition.a, 30.0, 0.01) << program;
        int onArc = 0;
        for (const Sample& t : ticks) {
            const Vec4& q = t.position;
            if (q.a < 0.05) continue;  // before the arc
            const double turned = kPi - std::atan2(q.y, q.x - 15.0);
            ASSERT_NEAR(std::hypot(q.x - 15.0, q.y), 5.0, 2e-3) << program;
            ASSERT_NEAR(q.a, 30.0 * turned / kPi, 0.02) << program;
            ASSERT_NEAR(q.z, -1.0 + (depth + 1.0) * turned / kPi, 2e-3) << program;
            ++onArc;
        }
        EXPECT_GT(onArc, 100) << program;
    }
    // A line that meets such a helix almost tangentially is rounded into it like any corner; no
    // cross product over Z and A is asked for (its failure would print on standard output).
    ::testing::internal::CaptureStdout();
    const Readback lead = run("G0 X9.9 Y-2 Z1\nG1 Z-1\nG1 X10 Y0\nG2 X20 Y0 Z-1.2 A1 I5 J0\n");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_NEAR(lead.motion.finalPosition.a, 1.0, 0.01);
    // An arc that moves A about a centre off its plane is refused at its line.
    EXPECT_NE(convert("G0 X10 Z1\nG2 X20 Y0 Z0 A30 I5 K1\n"), 0);
    EXPECT_NE(refusal().find("program line 2 refused: the arc moves A while its centre lies off"),
              std::string::npos)
        << refusal();
}

}  // namespace
}  // namespace pulsepost
