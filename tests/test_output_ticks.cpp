// The tick stage on paths and profiles put into the stores directly: the words of the one-line
// example, the break stream around rapids and events, the event mark, paths of moves shorter than
// one tick's travel, half and full circles, refusals and the Esc abort.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "config/axis_map.h"
#include "gcode/conversion_state.h"
#include "output/output_files.h"
#include "output/step_word.h"
#include "output/tick_interpolator.h"
#include "report/message_sink.h"
#include "stream_decode.h"
#include "test_support.h"

namespace pulsepost {
namespace {

using Bytes = std::vector<uint8_t>;

std::vector<std::pair<int32_t, std::string>> gMessages;
void recordMessage(int32_t code, const char* text) {
    gMessages.emplace_back(code, text);
}

std::vector<std::pair<int, int>> gProgress;
void recordProgress(int32_t stage, int32_t percent) {
    gProgress.emplace_back(stage, percent);
}

class TickStage : public ::testing::Test {
  protected:
    void SetUp() override {
        savedMap_ = axisMap();
        AxisMap& map = axisMap();
        map = AxisMap{};
        map.axisEnabled[3] = 0;
        map.axisSign[3] = 1;
        for (int i = 0; i < 3; ++i)
            map.axisScale[i] = 100.0;
        resetConversionState();
        create(segments);
        create(profile);
        gMessages.clear();
        gProgress.clear();
        setMessageSink(recordMessage);
    }
    void TearDown() override {
        setMessageSink(nullptr);
        destroy(segments);
        destroy(profile);
        axisMap() = savedMap_;
    }

    // Stores the records with the running distance of the feed moves, as the distance pass does.
    void storePath(std::vector<Segment> records) {
        double distance = 0.0;
        for (Segment& s : records) {
            if (s.kind != SegmentKind::Feed) continue;
            s.distance = distance;
            distance += s.length;
        }
        write(records.data(), static_cast<int32_t>(records.size()), segments);
    }

    // Appends the knots of a move of length L from rest to rest at cruise speed v under the
    // acceleration A, as the planner builds them.
    void restToRest(double L, double v, double A) {
        const double ta = v / A;
        const double da = 0.5 * v * ta;
        std::vector<ProfilePoint> knots;
        if (2 * da <= L) {
            knots = {{clock_ + ta, v, dist_ + da},
                     {clock_ + ta + (L - 2 * da) / v, v, dist_ + L - da},
                     {clock_ + 2 * ta + (L - 2 * da) / v, 0.0, dist_ + L}};
        } else {
            const double vp = std::sqrt(A * L);
            knots = {{clock_ + vp / A, vp, dist_ + L / 2}, {clock_ + 2 * vp / A, 0.0, dist_ + L}};
        }
        write(knots.data(), static_cast<int32_t>(knots.size()), profile);
        clock_ = knots.back().time;
        dist_ = knots.back().distance;
    }

    // Header, ticks and the end of the stream, as the conversion runs them.
    TickResult run(ProgressCallback progress = nullptr) {
        const std::string cmPath = dir.file("part.CM");
        const std::string brkPath = dir.file("part.BRK");
        FILE* cm = std::fopen(cmPath.c_str(), "wb");
        FILE* brk = std::fopen(brkPath.c_str(), "wb");
        const int32_t n = tickCount(clock_);
        writeBrkHeader(n, 0.0, brk);
        TickRun tickRun;
        const TickResult result =
            runTicks(n, kBreakSpacingLimit, segments, profile, progress, cm, brk, tickRun);
        if (result == TickResult::Done) {
            finishBreakStream(tickRun.writer, tickRun.hasCurrent ? &tickRun.current : nullptr,
                              segments, cm, brk);
        }
        std::fclose(cm);
        std::fclose(brk);
        cmBytes = testing::readBytes(cmPath);
        brkBytes = testing::readBytes(brkPath);
        return result;
    }

    int enabledOutputs() const {
        int n = 0;
        for (int k = 0; k < 4; ++k)
            n += axisMap().axisEnabled[axisMap().axisChannel[k]];
        return n;
    }

    testing::ScratchDir dir;
    SegmentStore segments;
    ProfileStore profile;
    Bytes cmBytes;
    Bytes brkBytes;
    double clock_ = 0.0;
    double dist_ = 0.0;

  private:
    AxisMap savedMap_;
};

Segment feed(Vec4 from, Vec4 to, double speed, uint32_t flags = 0) {
    Segment s = makeMove(SegmentKind::Feed, from, to, speed);
    s.flags |= flags;
    return s;
}

constexpr uint32_t kStop = SegmentFlags::StopAtEnd;
constexpr uint32_t kBreak = SegmentFlags::StopAtEnd | SegmentFlags::BreakPoint;

TEST_F(TickStage, OneLineGivesTheTwentyByteBreakStreamAndAThousandPulses) {
    storePath({feed(Vec4(0, 0, 0), Vec4(10, 0, 0), 1.0, kStop)});
    restToRest(10.0, 1.0, 1.0);
    ASSERT_EQ(clock_, 11.0);
    ASSERT_EQ(tickCount(11.0), 7074);
    ASSERT_EQ(run(), TickResult::Done);

    bool whole = false;
    const auto ticks = testing::decodeCm(cmBytes, 3, &whole);
    ASSERT_TRUE(whole);
    ASSERT_EQ(ticks.size(), 7074u);
    EXPECT_EQ(cmBytes[0], 0x00);
    int sumX = 0, sumY = 0, sumZ = 0;
    for (const auto& t : ticks) {
        sumX += t.delta[0];
        sumY += t.delta[1];
        sumZ += t.delta[2];
        EXPECT_EQ(t.markedOutput, -1);
    }
    EXPECT_EQ(sumX, 1000);
    EXPECT_EQ(sumY, 0);
    EXPECT_EQ(sumZ, 0);

    Bytes expected{0xFF, 0xA2, 0x1B, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0x47, 0x10};
    const uint32_t n = static_cast<uint32_t>(cmBytes.size());
    for (int i = 0; i < 4; ++i)
        expected.push_back(static_cast<uint8_t>(n >> (8 * i)));
    expected.push_back(0xFF);
    EXPECT_EQ(brkBytes, expected);
}

TEST_F(TickStage, OnlyEnabledOutputsWriteAndSwappedAxesComeFirst) {
    AxisMap& map = axisMap();
    map.axisEnabled[2] = 0;
    map.axisChannel[0] = 1;
    map.axisChannel[1] = 0;
    storePath({feed(Vec4(0, 0, 0), Vec4(1, 3, 0), 1.0, kStop)});
    restToRest(std::sqrt(10.0), 1.0, 1.0);
    ASSERT_EQ(run(), TickResult::Done);
    bool whole = false;
    const auto ticks = testing::decodeCm(cmBytes, 2, &whole);
    ASSERT_TRUE(whole);
    EXPECT_EQ(static_cast<int32_t>(ticks.size()), tickCount(clock_));
    int first = 0, second = 0;
    for (const auto& t : ticks) {
        first += t.delta[0];
        second += t.delta[1];
    }
    EXPECT_EQ(first, 300);  // output 0 carries Y
    EXPECT_EQ(second, 100);
}

TEST_F(TickStage, RapidBetweenFeedsResetsThePulsePositionsAndIsInTheBreakStream) {
    Segment rapid = makeMove(SegmentKind::Rapid, Vec4(5, 0, 0), Vec4(5, 5, 0), 50.0);
    rapid.axisMask = 0x02;
    storePath({feed(Vec4(0, 0, 0), Vec4(5, 0, 0), 1.0, kBreak), rapid,
               feed(Vec4(5, 5, 0), Vec4(10, 5, 0), 1.0, kStop)});
    restToRest(5.0, 1.0, 1.0);
    restToRest(5.0, 1.0, 1.0);
    ASSERT_EQ(run(), TickResult::Done);

    const auto ticks = testing::decodeCm(cmBytes, 3);
    int sumX = 0, sumY = 0;
    for (const auto& t : ticks) {
        sumX += t.delta[0];
        sumY += t.delta[1];
    }
    EXPECT_EQ(sumX, 1000);
    EXPECT_EQ(sumY, 0);  // the rapid's 500 pulses of Y are played from the break stream

    const testing::DecodedBrk brk = testing::decodeBrk(brkBytes);
    ASSERT_TRUE(brk.ok);
    ASSERT_EQ(brk.entries.size(), 3u);
    EXPECT_EQ(brk.entries[0].kind, 0x10);
    EXPECT_EQ(brk.entries[1].kind, 0x00);
    EXPECT_EQ(brk.entries[1].extra, 0x02);
    EXPECT_EQ(brk.entries[1].doubles[1], 5.0);
    EXPECT_EQ(brk.entries[2].kind, 0x10);
    EXPECT_EQ(brk.entries[0].value + brk.entries[2].value, static_cast<int32_t>(cmBytes.size()));
    // The first stretch ends where the first move has come to rest at X = 500 pulses.
    int x = 0;
    std::size_t bytes = 0;
    for (const auto& t : ticks) {
        if (bytes == static_cast<std::size_t>(brk.entries[0].value)) break;
        x += t.delta[0];
        for (int k = 0; k < 3; ++k)
            bytes += encodeStepWord(t.delta[k], false).length;
    }
    EXPECT_EQ(x, 500);
}

TEST_F(TickStage, CoolantBetweenTwoMovesSitsBetweenTheirChunks) {
    Segment coolant = makeEvent(SegmentKind::OutputEvent, Vec4(5, 0, 0));
    coolant.outputs = 1;
    coolant.set(SegmentFlags::BreakPoint, true);
    storePath({feed(Vec4(0, 0, 0), Vec4(5, 0, 0), 1.0, kBreak), coolant,
               feed(Vec4(5, 0, 0), Vec4(10, 0, 0), 1.0, kStop)});
    restToRest(5.0, 1.0, 1.0);
    restToRest(5.0, 1.0, 1.0);
    ASSERT_EQ(run(), TickResult::Done);
    const testing::DecodedBrk brk = testing::decodeBrk(brkBytes);
    ASSERT_TRUE(brk.ok);
    ASSERT_EQ(brk.entries.size(), 3u);
    EXPECT_EQ(brk.entries[0].kind, 0x10);
    EXPECT_EQ(brk.entries[1].kind, 0x06);
    EXPECT_EQ(brk.entries[1].value, 1);
    EXPECT_EQ(brk.entries[2].kind, 0x10);
    EXPECT_EQ(brk.entries[0].value + brk.entries[2].value, static_cast<int32_t>(cmBytes.size()));
    EXPECT_EQ(brk.ticks, tickCount(12.0));
}

// Returns the index of the marked tick, checking that there is exactly one mark.
int markedTick(const std::vector<testing::DecodedTick>& ticks) {
    int found = -1;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        if (ticks[i].markedOutput < 0) continue;
        EXPECT_EQ(found, -1) << "second mark at tick " << i + 1;
        EXPECT_EQ(ticks[i].markedOutput, 0);
        found = static_cast<int>(i);
    }
    return found;
}

// A move along X marked at a per cent of its length, alone or followed by an unmarked move, and
// the pulses of X at which the mark must go on the first word that reaches them.
struct MarkCase {
    const char* name;
    int16_t percent;     // of the marked move
    double length;       // units of the marked move
    double afterLength;  // units of the unmarked move after it; 0: none
    int markPulses;      // X pulses (100 per unit) of the event point
    int tick;            // the marked tick's index when it is pinned; kAnyTick, kLastTick
};
constexpr int kAnyTick = -1;
constexpr int kLastTick = -2;

void PrintTo(const MarkCase& c, std::ostream* os) {
    *os << c.name;
}

const MarkCase kMarkCases[] = {
    {"Halfway", 50, 10.0, 0.0, 500, kAnyTick},
    // AT100: the event point is the move's end, which the strict per-cent test never passes.
    {"EndOfAMoveWhereThePathLeavesIt", 100, 1.0, 1.0, 100, kAnyTick},
    {"EndOfTheLastMoveOnTheLastTick", 100, 1.0, 0.0, 100, kLastTick},
    {"ZeroPerCentOnTheFirstTick", 0, 10.0, 0.0, 0, 0},
};

class EventMark : public TickStage, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(EventMark, GoesOnTheFirstWordThatReachesTheEventPoint) {
    const MarkCase& c = GetParam();
    const bool last = c.afterLength == 0.0;
    Segment marked = feed(Vec4(0, 0, 0), Vec4(c.length, 0, 0), 1.0,
                          (last ? kStop : 0) | SegmentFlags::EventMark);
    marked.pValue = c.percent;
    std::vector<Segment> path = {marked};
    if (!last) {
        Segment after =
            feed(Vec4(c.length, 0, 0), Vec4(c.length + c.afterLength, 0, 0), 1.0, kStop);
        after.pValue = 100;
        path.push_back(after);
    }
    storePath(path);
    restToRest(c.length + c.afterLength, 1.0, 1.0);
    ASSERT_EQ(run(), TickResult::Done);
    const auto ticks = testing::decodeCm(cmBytes, 3);
    const int at = markedTick(ticks);
    ASSERT_GE(at, 0);
    if (c.tick != kAnyTick) {
        EXPECT_EQ(at, c.tick == kLastTick ? static_cast<int>(ticks.size()) - 1 : c.tick);
    }
    int x = 0;
    for (int i = 0; i < at; ++i)
        x += ticks[i].delta[0];
    EXPECT_LE(x, c.markPulses);  // not before the event point
    EXPECT_GE(x + ticks[at].delta[0], c.markPulses);
    // The marked word is long even for a small delta: one byte more than its short word.
    std::size_t longWords = 0;
    for (const auto& t : ticks)
        for (int k = 0; k < 3; ++k)
            if (t.delta[k] < -64 || t.delta[k] > 63) ++longWords;
    EXPECT_EQ(cmBytes.size(), ticks.size() * 3 + 1 + longWords);
    if (at == 0 && ticks[0].delta[0] == 0) {
        // A zero step marked: the long word of zero.
        EXPECT_EQ(cmBytes[0], 0x80);
        EXPECT_EQ(cmBytes[1], 0x80);
    }
}

INSTANTIATE_TEST_SUITE_P(TickStage, EventMark, ::testing::ValuesIn(kMarkCases),
                         [](const ::testing::TestParamInfo<MarkCase>& info) {
                             return std::string(info.param.name);
                         });

// A staircase of a thousand steps of 0.001 units, each far shorter than the 0.0156 units that
// one tick travels at 10 units per second: every sampled position must still lie on the stairs,
// the motion must end at the last step, and the events between the steps must reach the break
// stream in path order.
TEST_F(TickStage, MovesShorterThanATickStayOnThePathAndEndAtTheProgrammedPoint) {
    AxisMap& map = axisMap();
    map.axisScale[0] = map.axisScale[1] = 10160.0;
    constexpr int kSteps = 1000;
    constexpr double kStep = 0.001;
    std::vector<Segment> records;
    Vec4 at(0, 0, 0);
    for (int i = 0; i < kSteps; ++i) {
        const Vec4 to = (i % 2 == 0) ? Vec4(at.x + kStep, at.y, 0) : Vec4(at.x, at.y + kStep, 0);
        const bool last = i == kSteps - 1;
        const bool withEvent = (i + 1) % 100 == 0 && !last;
        records.push_back(feed(at, to, 10.0, last ? kStop : withEvent ? kBreak : 0));
        if (withEvent) {
            Segment aux = makeEvent(SegmentKind::AuxValue, to);
            aux.sValue = i + 1;
            aux.set(SegmentFlags::BreakPoint, true);
            records.push_back(aux);
        }
        at = to;
    }
    storePath(records);
    restToRest(kSteps * kStep, 10.0, 1000.0);
    ASSERT_EQ(run(), TickResult::Done);

    bool whole = false;
    const auto ticks = testing::decodeCm(cmBytes, 3, &whole);
    ASSERT_TRUE(whole);
    ASSERT_EQ(static_cast<int32_t>(ticks.size()), tickCount(clock_));
    // Expected point at time t from the same profile, on the stairs.
    std::vector<ProfilePoint> knots(profile.highWater);
    rewind(profile);
    read(knots.data(), profile.highWater, profile);
    auto distanceAt = [&](double t) {
        ProfilePoint k0{};
        for (const ProfilePoint& k : knots) {
            if (t <= k.time) {
                const double a = (k.velocity - k0.velocity) / (k.time - k0.time);
                const double dt = t - k0.time;
                return k0.distance + k0.velocity * dt + 0.5 * a * dt * dt;
            }
            k0 = k;
        }
        return k0.distance;
    };
    int64_t x = 0, y = 0;
    for (std::size_t n = 0; n < ticks.size(); ++n) {
        x += ticks[n].delta[0];
        y += ticks[n].delta[1];
        const double s = std::min(distanceAt((n + 1) / 643.0), kSteps * kStep);
        const int i = std::min(static_cast<int>(s / kStep), kSteps - 1);
        const double into = s - i * kStep;
        const double baseX = ((i + 1) / 2) * kStep, baseY = (i / 2) * kStep;
        const double ex = (i % 2 == 0) ? baseX + into : baseX;
        const double ey = (i % 2 == 0) ? baseY : baseY + into;
        ASSERT_NEAR(static_cast<double>(x), ex * 10160.0, 1.01) << "tick " << n + 1;
        ASSERT_NEAR(static_cast<double>(y), ey * 10160.0, 1.01) << "tick " << n + 1;
    }
    EXPECT_EQ(x, 5080);
    EXPECT_EQ(y, 5080);

    const testing::DecodedBrk brk = testing::decodeBrk(brkBytes);
    ASSERT_TRUE(brk.ok);
    int32_t chunkSum = 0;
    std::vector<int32_t> values;
    for (const testing::BrkEntry& e : brk.entries) {
        if (e.kind == 0x10) chunkSum += e.value;
        if (e.kind == 0xBC) values.push_back(e.value);
    }
    EXPECT_EQ(chunkSum, static_cast<int32_t>(cmBytes.size()));
    EXPECT_EQ(values, (std::vector<int32_t>{100, 200, 300, 400, 500, 600, 700, 800, 900}));
}

// Decoded positions in units, one per tick, for X and Y, from a start point in pulses.
std::vector<std::pair<double, double>> positionsOf(const std::vector<testing::DecodedTick>& ticks,
                                                   double scale, int64_t x, int64_t y) {
    std::vector<std::pair<double, double>> out;
    for (const auto& t : ticks) {
        x += t.delta[0];
        y += t.delta[1];
        out.emplace_back(x / scale, y / scale);
    }
    return out;
}

class FlatArc : public TickStage {
  protected:
    // Runs the path and returns the lowest and highest y seen on the arc, checking that every
    // position lies on the unit circle or on the given lines.
    std::pair<double, double> yRangeOnCircle(std::vector<Segment> records, double total) {
        AxisMap& map = axisMap();
        map.axisScale[0] = map.axisScale[1] = 10160.0;
        // A rapid move brings the machine from the origin to the start of the path.
        const Vec4 start = records.front().start;
        records.insert(records.begin(), makeMove(SegmentKind::Rapid, Vec4(), start, 50.0));
        storePath(std::move(records));
        restToRest(total, 1.0, 10.0);
        EXPECT_EQ(run(), TickResult::Done);
        bool whole = false;
        const auto pos =
            positionsOf(testing::decodeCm(cmBytes, 3, &whole), 10160.0,
                        std::lround(start.x * 10160.0), std::lround(start.y * 10160.0));
        EXPECT_TRUE(whole);
        double lo = 0.0, hi = 0.0;
        for (const auto& [x, y] : pos) {
            const double r = std::hypot(x, y);
            if (std::fabs(x) > 1.0 + 2e-4) continue;  // on a line beside the circle
            if ((r < 1.0 - 2e-4 || r > endRadius + 2e-4) && std::fabs(std::fabs(x) - 1.0) > 2e-4) {
                ADD_FAILURE() << "off the path at (" << x << ", " << y << ")";
                break;
            }
            if (r >= 1.0 - 2e-4 && r <= endRadius + 2e-4 && std::fabs(x) < 0.99) {
                lo = std::min(lo, y);
                hi = std::max(hi, y);
            }
        }
        finalPosition = pos.empty() ? std::pair<double, double>{} : pos.back();
        return {lo, hi};
    }
    std::pair<double, double> finalPosition;
    double endRadius = 1.0;  // units: a spiral's radius grows from 1 to this
};

Segment halfCircle() {
    Segment arc = makeArc(SegmentKind::Feed, Vec4(1, 0, 0), Vec4(-1, 0, 0), Vec4(0, 0, 0), 1, 1.0);
    arc.flags |= kStop;
    return arc;
}

TEST_F(FlatArc, HalfCircleAloneTurnsCounterClockwiseInXY) {
    const Segment arc = halfCircle();
    ASSERT_NEAR(arc.length, kPi, 1e-12);
    const auto [lo, hi] = yRangeOnCircle({arc}, arc.length);
    EXPECT_NEAR(hi, 1.0, 1e-3);
    EXPECT_NEAR(lo, 0.0, 1e-3);
    EXPECT_NEAR(finalPosition.first, -1.0, 1e-4);
    EXPECT_NEAR(finalPosition.second, 0.0, 1e-4);
}

TEST_F(FlatArc, HalfCircleTakesItsSenseFromTheMoveBefore) {
    // Coming down along x = 1 the arc goes on clockwise, through (0, -1).
    const Segment lead = feed(Vec4(1, 1, 0), Vec4(1, 0, 0), 1.0);
    const auto [lo, hi] = yRangeOnCircle({lead, halfCircle()}, 1.0 + kPi);
    EXPECT_NEAR(lo, -1.0, 1e-3);
    EXPECT_LE(hi, 1e-3 + 0.0);
    EXPECT_NEAR(finalPosition.first, -1.0, 1e-4);
}

TEST_F(FlatArc, HalfCircleTakesItsSenseFromTheMoveAfter) {
    // Leaving upwards along x = -1 means the half circle came clockwise, through (0, -1).
    Segment arc = halfCircle();
    arc.flags &= ~kStop;
    const Segment after = feed(Vec4(-1, 0, 0), Vec4(-1, 1, 0), 1.0, kStop);
    const auto [lo, hi] = yRangeOnCircle({arc, after}, kPi + 1.0);
    EXPECT_NEAR(lo, -1.0, 1e-3);
    EXPECT_NEAR(finalPosition.second, 1.0, 1e-4);
}

TEST_F(FlatArc, FullCircleGoesRoundAndEndsWhereItStarted) {
    Segment arc = makeArc(SegmentKind::Feed, Vec4(1, 0, 0), Vec4(1, 0, 0), Vec4(0, 0, 0), 0, 1.0);
    arc.flags |= kStop;
    ASSERT_NEAR(arc.length, 2 * kPi, 1e-12);
    const auto [lo, hi] = yRangeOnCircle({arc}, arc.length);
    EXPECT_NEAR(hi, 1.0, 1e-3);
    EXPECT_NEAR(lo, -1.0, 1e-3);
    EXPECT_NEAR(finalPosition.first, 1.0, 1e-4);
    EXPECT_NEAR(finalPosition.second, 0.0, 1e-4);
}

// An arc whose end lies far off the circle of its start (a rise the interpreter did not build as
// a helix) would swing out of the programmed plane when traced in the plane of its radii (here
// half a turn descending 0.5 would dive a whole radius). A centre merely rounded by a few
// thousandths makes a spiral that arrives at the programmed end.
TEST_F(FlatArc, ArcsThatCannotReachTheirEndAreRefusedRoundedCentresAreNot) {
    const Segment helix =
        makeArc(SegmentKind::Feed, Vec4(1, 0, 0), Vec4(-0.2, 0.98, -0.5), Vec4(0, 0, 0), 1, 1.0);
    storePath({makeMove(SegmentKind::Rapid, Vec4(), Vec4(1, 0, 0), 50.0), helix});
    restToRest(helix.length, 1.0, 10.0);
    EXPECT_EQ(run(), TickResult::Refused);
    ASSERT_EQ(gMessages.size(), 1u);
    EXPECT_EQ(gMessages[0].first, MessageCode::Refused);
    EXPECT_NE(gMessages[0].second.find("cannot be followed"), std::string::npos);

    TearDown();
    SetUp();
    clock_ = dist_ = 0.0;
    Segment rounded =
        makeArc(SegmentKind::Feed, Vec4(1, 0, 0), Vec4(0, 1.003, 0), Vec4(0, 0, 0), 1, 1.0);
    rounded.flags |= kStop;
    endRadius = 1.003;
    const auto range = yRangeOnCircle({rounded}, rounded.length);
    EXPECT_TRUE(gMessages.empty());
    EXPECT_NEAR(finalPosition.first, 0.0, 1e-4);  // at the programmed end, within a pulse
    EXPECT_NEAR(finalPosition.second, 1.003, 1e-4);
    EXPECT_GT(range.second, 0.9);
}

TEST_F(TickStage, AStepThatNoWordCarriesRefusesTheConversion) {
    axisMap().axisScale[0] = 10160.0;
    storePath({feed(Vec4(0, 0, 0), Vec4(100, 0, 0), 1000.0, kStop)});
    restToRest(100.0, 1000.0, 100000.0);
    EXPECT_EQ(run(), TickResult::Refused);
    ASSERT_EQ(gMessages.size(), 1u);
    EXPECT_EQ(gMessages[0].first, MessageCode::Refused);
    EXPECT_NE(gMessages[0].second.find("output 0 at tick"), std::string::npos)
        << gMessages[0].second;
    // Whatever reached the file decodes to steps that fit.
    for (const auto& t : testing::decodeCm(cmBytes, 3))
        EXPECT_LE(std::abs(t.delta[0]), 8191);
}

TEST_F(TickStage, ProgressComesEveryHundredthTickAndEscStopsAtADueReport) {
    storePath({feed(Vec4(0, 0, 0), Vec4(10, 0, 0), 1.0, kStop)});
    restToRest(10.0, 1.0, 1.0);
    {
        testing::ScriptedKeys keys({'x'});
        ASSERT_EQ(run(recordProgress), TickResult::Done);
        EXPECT_EQ(keys.consumed(), 1u);
    }
    // N = 7074: a report at tick 1 and then after every 70 further ticks.
    ASSERT_EQ(gProgress.size(), 100u);
    EXPECT_EQ(gProgress.front(), std::make_pair(5, 0));
    EXPECT_EQ(gProgress[1], std::make_pair(5, 1));       // tick 72
    EXPECT_EQ(gProgress.back(), std::make_pair(5, 99));  // tick 7030
    for (const auto& [stage, percent] : gProgress)
        EXPECT_EQ(stage, 5);

    gProgress.clear();
    rewind(segments);
    testing::ScriptedKeys keys({'x', 27});
    EXPECT_EQ(run(recordProgress), TickResult::Aborted);
    EXPECT_EQ(gProgress.size(), 1u);  // Esc at the second due report, before it is sent
    EXPECT_EQ(keys.consumed(), 2u);
}

}  // namespace
}  // namespace pulsepost
