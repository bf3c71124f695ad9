// Reconstructing the motion from hand-built streams: pulse positions back to axis coordinates,
// rapids and events placed between chunks, marks, the summary figures, and the checks that tie
// the CM stream, the BRK stream and the configuration together.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "config/machine_config_layout.h"
#include "readback/configured_scale.h"
#include "readback/motion_readback.h"
#include "readback_builders.h"
#include "test_support.h"

namespace pulsepost {
namespace {

using testing::BrkBuilder;
using testing::CmBuilder;

MotionScale scaleOf(double x, double y, double z, double a, int32_t swap = 0) {
    MotionScale s;
    s.stepsPerUnit[0] = x;
    s.stepsPerUnit[1] = y;
    s.stepsPerUnit[2] = z;
    s.stepsPerUnit[3] = a;
    s.swapXY = swap;
    s.topSpeed = 1e6;  // the streams built here jump at will: a machine that follows them
    s.acceleration = 1e12;
    return s;
}

int32_t walk(const std::vector<uint8_t>& brkBytes, const std::vector<uint8_t>& cmBytes,
             const MotionScale& scale, MotionSummary& summary, ReadbackError& error) {
    BrkStream brk;
    if (decodeBreakStream(brkBytes.data(), brkBytes.size(), brk, error) != 0) return -1;
    StepSource cm = stepSourceFromMemory(cmBytes.data(), cmBytes.size());
    return walkMotion(brk, cm, scale, summary, error);
}

// Distance along the one-line program's profile: up to speed 1 at 1 per second squared, cruise,
// down to rest at 10 units after 11 seconds.
double oneLineDistance(double t) {
    if (t <= 1.0) return 0.5 * t * t;
    if (t <= 10.0) return 0.5 + (t - 1.0);
    if (t <= 11.0) return 9.5 + (t - 10.0) - 0.5 * (t - 10.0) * (t - 10.0);
    return 10.0;
}

TEST(MotionReadback, OneLineProgramComesBackAsWritten) {
    // 10 units along X at 100 pulses per unit; outputs X, Y, Z enabled, Z counting negative.
    const int32_t ticks = 7074;
    CmBuilder cm;
    int64_t last = 0;
    for (int n = 1; n <= ticks; ++n) {
        const int64_t target = roundHalfAway(100.0 * oneLineDistance(n / 643.0));
        cm.tick({static_cast<int32_t>(target - last), 0, 0});
        last = target;
    }
    const std::vector<uint8_t> brk =
        BrkBuilder().motionHeader(ticks, 0.0, 0x47).chunk(cm.size()).terminator().bytes;
    ASSERT_EQ(brk.size(), 20u);
    EXPECT_EQ(std::vector<uint8_t>(brk.begin(), brk.begin() + 5),
              (std::vector<uint8_t>{0xFF, 0xA2, 0x1B, 0x00, 0x00}));

    MotionSummary m;
    ReadbackError error;
    ASSERT_EQ(walk(brk, cm.bytes, scaleOf(100, 100, 100, 0), m, error), 0)
        << describeReadbackError(error);
    EXPECT_EQ(m.ticks, 7074);
    EXPECT_NEAR(m.motionSeconds, 11.0016, 1e-4);
    EXPECT_EQ(m.layout.wordsPerTick, 3);
    EXPECT_EQ(m.layout.sign[2], -1);
    EXPECT_EQ(m.finalPosition.x, 10.0);
    EXPECT_EQ(m.finalPosition.y, 0.0);
    EXPECT_EQ(m.axes[0].travel, 10.0);
    EXPECT_EQ(m.axes[0].min, 0.0);
    EXPECT_EQ(m.axes[0].max, 10.0);
    EXPECT_TRUE(m.axes[2].enabled);
    EXPECT_FALSE(m.axes[3].enabled);
    EXPECT_EQ(m.chunkCount, 1);
    EXPECT_EQ(m.largestChunkBytes, cm.size());
    ASSERT_EQ(m.chunkEnds.size(), 1u);
    EXPECT_EQ(m.chunkEnds[0].tick, 7074);
    EXPECT_EQ(m.largestStep[0], 1);
    // One pulse in a 16-tick window would be 0.4 units per second at this coarse scale: X's
    // speed is measured over 160 ticks, where a pulse is 0.04.
    EXPECT_EQ(m.rateWindowTicks[0], 160);
    EXPECT_NEAR(m.highestSpeed, 1.0, 0.045);
    EXPECT_TRUE(m.events.empty());
}

TEST(MotionReadback, EventsAndRapidsHappenBetweenChunks) {
    // Two stretches with M8 between them, a rapid, a third stretch; X and Y at 1000 pulses per
    // unit with swapXY: output 0 carries Y.
    CmBuilder cm;
    for (int i = 0; i < 20; ++i)
        cm.tick({0, 50});  // X +1.0
    const int32_t first = cm.size();
    for (int i = 0; i < 20; ++i) {
        cm.tick({-100, 0});  // Y -2.0
    }
    const int32_t second = cm.size() - first;
    for (int i = 0; i < 4; ++i)
        cm.tick({0, 25});  // X +0.1 from the rapid's end
    const int32_t third = cm.size() - first - second;
    const std::vector<uint8_t> brk = BrkBuilder()
                                         .motionHeader(cm.ticks, 0.0, 0x03)
                                         .event(0x05, 1)
                                         .chunk(first)
                                         .event(0x06, 0x01)
                                         .chunk(second)
                                         .rapid(0x03, Vec4(3.0, 2.0, 0, 0), 3.6, 1.5)
                                         .event(0x07, 2)
                                         .chunk(third)
                                         .event(0x05, 0)
                                         .terminator()
                                         .bytes;
    MotionSummary m;
    ReadbackError error;
    ASSERT_EQ(walk(brk, cm.bytes, scaleOf(1000, 1000, 0, 0, 1), m, error), 0)
        << describeReadbackError(error);
    ASSERT_EQ(m.events.size(), 4u);
    EXPECT_EQ(m.events[0].text, "spindle on");
    EXPECT_EQ(m.events[0].tick, 0);
    EXPECT_EQ(m.events[1].text, "outputs on: 0 (coolant)");
    EXPECT_EQ(m.events[1].tick, 20);
    EXPECT_EQ(m.events[1].position.x, 1.0);
    EXPECT_EQ(m.events[2].text, "tool 2");
    EXPECT_EQ(m.events[2].tick, 40);
    EXPECT_EQ(m.events[2].position.x, 3.0);  // after the rapid
    EXPECT_EQ(m.events[2].position.y, 2.0);
    EXPECT_EQ(m.events[3].tick, 44);
    EXPECT_NEAR(m.finalPosition.x, 3.1, 1e-12);
    EXPECT_EQ(m.finalPosition.y, 2.0);
    EXPECT_EQ(m.rapidCount, 1);
    EXPECT_NEAR(m.rapidSeconds, 2.4, 1e-12);
    ASSERT_EQ(m.chunkEnds.size(), 3u);
    EXPECT_EQ(m.chunkEnds[1].position.y, -2.0);
    EXPECT_EQ(m.axes[1].min, -2.0);
    EXPECT_NEAR(m.axes[1].travel, 2.0 + 4.0, 1e-12);  // fed down 2, the rapid up 4
    EXPECT_EQ(m.largestStep[0], 100);
    EXPECT_EQ(m.largestStep[1], 50);
    // 0.1 unit per tick at full speed: 64.3 units per second.
    EXPECT_NEAR(m.highestSpeed, 64.3, 1e-9);
}

TEST(MotionReadback, MarkBitBecomesAnEventAtItsTick) {
    CmBuilder cm;
    cm.tick({5, 0}).tick({5, 0}, 0).tick({5, 0});
    const std::vector<uint8_t> brk =
        BrkBuilder().motionHeader(3, 0.0, 0x03).chunk(cm.size()).terminator().bytes;
    MotionSummary m;
    ReadbackError error;
    ASSERT_EQ(walk(brk, cm.bytes, scaleOf(10, 10, 0, 0), m, error), 0)
        << describeReadbackError(error);
    ASSERT_EQ(m.markCount, 1);
    ASSERT_EQ(m.events.size(), 1u);
    EXPECT_TRUE(m.events[0].isMark);
    EXPECT_EQ(m.events[0].tick, 2);
    EXPECT_EQ(m.events[0].markOutput, 0);
    EXPECT_EQ(m.events[0].position.x, 1.0);
}

TEST(MotionReadback, RejectsStreamsThatDisagree) {
    CmBuilder cm;
    for (int i = 0; i < 5; ++i)
        cm.tick({1, -70, 2});  // 1 + 2 + 1 bytes per tick
    const int32_t n = cm.size();
    std::vector<uint8_t> cutWord = cm.bytes;
    cutWord.pop_back();
    cutWord.pop_back();  // tick 5 ends after the first byte of its Y word
    std::vector<uint8_t> cutTick = cm.bytes;
    cutTick.pop_back();  // tick 5 lacks its Z word
    struct Case {
        const char* what;
        std::vector<uint8_t> brk;
        std::vector<uint8_t> cm;
        const char* file;
        int64_t offset;
        const char* phrase;
    };
    const auto header = [](int32_t ticks) { return BrkBuilder().motionHeader(ticks, 0.0, 0x07); };
    const std::vector<Case> cases = {
        {"truncated CM inside a word", header(5).chunk(n).terminator().bytes, cutWord, "CM", 17,
         "two-byte step word of tick 5"},
        {"truncated CM inside a tick", header(5).chunk(n).terminator().bytes, cutTick, "CM", 19,
         "2 of its 3 step words"},
        {"chunks longer than CM", header(5).chunk(n).chunk(8).terminator().bytes, cm.bytes, "BRK",
         19, "holds 20 bytes"},
        {"chunks shorter than CM", header(5).chunk(n - 4).terminator().bytes, cm.bytes, "CM", 16,
         "cover 16 bytes"},
        {"chunk ending inside a tick", header(5).chunk(6).chunk(n - 6).terminator().bytes, cm.bytes,
         "BRK", 14, "inside tick 2"},
        {"header tick count", header(6).chunk(n).terminator().bytes, cm.bytes, "CM", 20,
         "the BRK header says 6"},
        {"CM without motion", BrkBuilder().eventsOnlyHeader().terminator().bytes, cm.bytes, "CM", 0,
         "no motion"},
        {"configuration disagrees",
         BrkBuilder().motionHeader(5, 0, 0x0F).chunk(n).terminator().bytes, cm.bytes,
         "configuration", -1, "enables output 3"},
    };
    for (const Case& c : cases) {
        MotionSummary m;
        ReadbackError error;
        EXPECT_EQ(walk(c.brk, c.cm, scaleOf(100, 100, 100, 0), m, error), -1) << c.what;
        EXPECT_EQ(error.file, c.file) << c.what << ": " << describeReadbackError(error);
        EXPECT_EQ(error.offset, c.offset) << c.what << ": " << describeReadbackError(error);
        EXPECT_NE(error.message.find(c.phrase), std::string::npos)
            << c.what << ": " << describeReadbackError(error);
    }
}

TEST(MotionReadback, AccelerationIsMeasuredOverTheRateWindow) {
    // Constant acceleration of 15 units per second squared at 10160 pulses per unit for one
    // second: the windowed second difference finds it within the pulse rounding.
    CmBuilder cm;
    int64_t last = 0;
    for (int n = 1; n <= 643; ++n) {
        const double t = n / 643.0;
        const int64_t target = roundHalfAway(10160.0 * 7.5 * t * t);
        cm.tick({static_cast<int32_t>(target - last)});
        last = target;
    }
    const std::vector<uint8_t> brk =
        BrkBuilder().motionHeader(643, 0.0, 0x01).chunk(cm.size()).terminator().bytes;
    MotionSummary m;
    ReadbackError error;
    ASSERT_EQ(walk(brk, cm.bytes, scaleOf(10160, 0, 0, 0), m, error), 0)
        << describeReadbackError(error);
    EXPECT_NEAR(m.highestAcceleration, 15.0, 0.7);
    EXPECT_NEAR(m.highestSpeed, 15.0 * (1.0 - 8.0 / 643.0), 0.01);  // centred in its window
    EXPECT_NEAR(m.finalPosition.x, 7.5, 1e-4);
}

// The default machine (10160 pulses per unit, top speed 100 units per minute, 15 units per
// second squared) allows 27.3 pulses per tick and a change of 2.5 pulses between ticks (0.5 of
// acceleration and 2 of rounding). Each stream here is output 0's steps, tick by tick.
TEST(MotionReadback, StepsBeyondTheMachinesSpeedAndAccelerationAreFound) {
    struct Case {
        const char* what;
        std::vector<int32_t> steps;
        int64_t stepCount, changeCount;
        std::vector<std::string> firstFindings;
    };
    std::vector<int32_t> ramp;  // up by 2 per tick to 26, down again: what the machine can do
    for (int32_t v = 2; v <= 26; v += 2)
        ramp.push_back(v);
    for (int32_t v = 26; v >= 0; v -= 2)
        ramp.push_back(v);
    std::vector<int32_t> spike = ramp;
    spike[14] = 84;  // one tick jumps ahead (an arc's end off its circle), the next comes back
    const Case cases[] = {
        {"a ramp to the top speed", ramp, 0, 0, {}},
        {"a one-tick spike",
         spike,
         1,
         2,
         {"1 steps above what the top speed allows",
          "output 0 (X) steps 84 pulses at 0.023 s (X0.0287 Y0.0000 Z0.0000); the top speed "
          "allows 27.3",
          "2 changes of step above what the acceleration allows",
          "output 0 (X) changes its step by 58 pulses at 0.023 s (X0.0287 Y0.0000 Z0.0000); the "
          "acceleration allows 2.5"}},
        {"a start at full speed", std::vector<int32_t>(8, 30), 8, 1, {}},
    };
    for (const Case& c : cases) {
        CmBuilder cm;
        for (int32_t step : c.steps)
            cm.tick({step});
        const std::vector<uint8_t> brk =
            BrkBuilder().motionHeader(cm.ticks, 0.0, 0x01).chunk(cm.size()).terminator().bytes;
        MotionScale machine;
        machine.stepsPerUnit[1] = machine.stepsPerUnit[2] = 0.0;
        MotionSummary m;
        ReadbackError error;
        ASSERT_EQ(walk(brk, cm.bytes, machine, m, error), 0) << describeReadbackError(error);
        const StepLimitCheck& limits = m.stepLimits;
        EXPECT_EQ(limits.stepCount, c.stepCount) << c.what;
        EXPECT_EQ(limits.changeCount, c.changeCount) << c.what;
        EXPECT_EQ(limits.steps.size(), std::min<std::size_t>(c.stepCount, kStepExcessesKept));
        std::vector<std::string> findings;
        appendStepFindings(limits, findings);
        EXPECT_EQ(findings.size(), (c.stepCount > 0 ? 1 + limits.steps.size() : 0) +
                                       (c.changeCount > 0 ? 1 + limits.changes.size() : 0))
            << c.what;
        const std::size_t firstChange = c.stepCount > 0 ? 2 + limits.steps.size() - 1 : 0;
        if (c.firstFindings.empty()) continue;
        EXPECT_EQ(findings[0], c.firstFindings[0]);
        EXPECT_EQ(findings[1], c.firstFindings[1]);
        EXPECT_EQ(findings[firstChange], c.firstFindings[2]);
        EXPECT_EQ(findings[firstChange + 1], c.firstFindings[3]);
    }
}

TEST(MotionReadback, ReadsTheFilesBesideAProgram) {
    testing::ScratchDir dir;
    CmBuilder cm;
    cm.tick({10}).tick({10}, 0);
    const std::vector<uint8_t> brk =
        BrkBuilder().motionHeader(2, 0.5, 0x01).chunk(cm.size()).terminator().bytes;
    testing::writeFile(dir.file("job.CM"), std::string(cm.bytes.begin(), cm.bytes.end()));
    testing::writeFile(dir.file("job.BRK"), std::string(brk.begin(), brk.end()));
    testing::writeFile(dir.file("job.LIM"),
                       "0.150000\r\n0.000000\r\n0.000000\r\n0.000000\r\n0.500000\r\n0.000000\r\n");
    testing::writeFile(dir.file("job.EV"), "ONAT,50,3\r\nOFFAT,60,3\r\n");
    Readback r;
    ReadbackError error;
    ASSERT_EQ(readbackProgram(dir.file("job.nc").c_str(), scaleOf(100, 0, 0, 0), r, error), 0)
        << describeReadbackError(error);
    EXPECT_TRUE(r.hasLim);
    EXPECT_TRUE(r.hasEv);
    ASSERT_EQ(r.motion.events.size(), 1u);
    EXPECT_EQ(r.motion.events[0].text, "output event mark (ONAT,50,3)");
    // X reached 0.2 where LIM says 0.15; one EV line has no mark.
    ASSERT_EQ(r.findings.size(), 2u) << r.findings[0];
    EXPECT_NE(r.findings[0].find("above the LIM maximum"), std::string::npos);

    testing::writeFile(dir.file("job.LIM"),
                       "0.200000\r\n0.000000\r\n0.000000\r\n0.000000\r\n0.400000\r\n0.000000\r\n");
    EXPECT_EQ(readbackProgram(dir.file("job.nc").c_str(), scaleOf(100, 0, 0, 0), r, error), -1);
    EXPECT_NE(error.message.find("LIM line 5"), std::string::npos);

    std::remove(dir.file("job.CM").c_str());
    EXPECT_EQ(readbackProgram(dir.file("job.nc").c_str(), scaleOf(100, 0, 0, 0), r, error), -1);
    EXPECT_EQ(error.file, "CM");
}

}  // namespace
}  // namespace pulsepost

namespace pulsepost {
namespace {

TEST(ConfiguredScale, ReadsTheScaleWithoutTouchingTheFiles) {
    testing::ScratchDir dir;
    MotionScale scale;
    EXPECT_FALSE(readConfiguredScale(dir.path().c_str(), scale));
    EXPECT_EQ(scale.stepsPerUnit[0], 10160.0);
    EXPECT_EQ(scale.stepsPerUnit[3], 0.0);
    EXPECT_FALSE(testing::fileExists(dir.file("ZORVAN.CFG")));

    setConfigurationDirectory(dir.path().c_str());
    setDefaultMachineConfig();
    machineConfig().stepsPerUnit[0] = -5000.0;
    machineConfig().stepsPerUnit[3] = 200.0;
    machineConfig().swapXY = 1;
    ASSERT_TRUE(writeMachineConfig());
    setDefaultMachineConfig();
    EXPECT_TRUE(readConfiguredScale(dir.path().c_str(), scale));
    EXPECT_EQ(scale.stepsPerUnit[0], -5000.0);
    EXPECT_EQ(scale.stepsPerUnit[3], 200.0);
    EXPECT_EQ(scale.swapXY, 1);
    setDefaultMachineConfig();
}

}  // namespace
}  // namespace pulsepost
