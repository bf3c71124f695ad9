// Round trip: programs converted through the library's entry and read back from the files it
// wrote. The decoded motion must come to rest at programmed points, end at the programmed end
// point, stay within the fillet error and one pulse of the programmed path, and never run faster
// than the configuration allows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "config/configuration_setup.h"
#include "config/cut_params.h"
#include "config/machine_config_layout.h"
#include "conversion_fixture.h"
#include "entry/conversion_driver.h"
#include "gcode/conversion_state.h"
#include "gcode_fixture.h"
#include "pulsepost/pulsepost.h"
#include "readback/configured_scale.h"
#include "readback/motion_readback.h"
#include "report/message_sink.h"
#include "store/segment_store.h"
#include "test_support.h"

namespace pulsepost {
namespace {

// Defaults of a fresh configuration directory.
constexpr double kPulsesPerUnit = 10160.0;
constexpr double kFeedSpeed = 50.0 / 60.0;               // units per second
constexpr double kPlungeSpeed = 25.0 / 60.0;             // units per second
constexpr double kRapidSpeed = 100.0 / 60.0;             // units per second, rapids run as feeds
constexpr double kAcceleration = 15.0;                   // units per second squared
constexpr double kFilletError = 10.16 / kPulsesPerUnit;  // units
constexpr double kPulse = 1.0 / kPulsesPerUnit;          // units
// The windowed speed of the readback is quantised to whole pulses over its window.
constexpr double kSpeedSlack = 2.0 * kPulse * kTicksPerSecond / kRateWindowTicks;

// One programmed move: a line, or an arc in the XY plane.
struct Piece {
    Vec4 start;
    Vec4 end;
    bool arc = false;
    Vec4 centre;
    bool clockwise = false;
    double speedLimit = 0.0;  // units per second
};

double planarAngle(double y, double x) {
    const double a = std::atan2(y, x);
    return a < 0 ? a + 2 * kPi : a;
}

double distanceToPiece(const Vec4& p, const Piece& s) {
    if (!s.arc) {
        const Vec4 d = subtract(s.end, s.start);
        const double l2 = dot(d, d);
        double t = l2 > 0 ? dot(subtract(p, s.start), d) / l2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        return length(subtract(p, add(s.start, scale(t, d))));
    }
    // Arc about centre in XY, z moving linearly with the angle (a helix when z changes).
    const double r = std::hypot(s.start.x - s.centre.x, s.start.y - s.centre.y);
    const double a0 = planarAngle(s.start.y - s.centre.y, s.start.x - s.centre.x);
    const double a1 = planarAngle(s.end.y - s.centre.y, s.end.x - s.centre.x);
    const double ap = planarAngle(p.y - s.centre.y, p.x - s.centre.x);
    const double sweep = std::fmod((s.clockwise ? a0 - a1 : a1 - a0) + 4 * kPi, 2 * kPi);
    const double into = std::fmod((s.clockwise ? a0 - ap : ap - a0) + 4 * kPi, 2 * kPi);
    if (into <= sweep) {
        const double z = s.start.z + (s.end.z - s.start.z) * (sweep > 0 ? into / sweep : 0);
        return std::hypot(std::hypot(p.x - s.centre.x, p.y - s.centre.y) - r, p.z - z);
    }
    return std::min(length(subtract(p, s.start)), length(subtract(p, s.end)));
}

// Writes G-code and keeps the programmed path beside it.
struct ProgramWriter {
    std::string text;
    std::vector<Piece> path;
    Vec4 at;
    double feedSpeed = kFeedSpeed;      // units per second: G1 with X or Y, G2, G3
    double plungeSpeed = kPlungeSpeed;  // units per second: G1 along Z alone
    bool rapidRecords = false;          // G0 is a rapid move of its own, not interpolated

    void line(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        char buffer[256];
        va_list args;
        va_start(args, format);
        std::vsnprintf(buffer, sizeof buffer, format, args);
        va_end(args);
        text += buffer;
        text += "\n";
    }
    // Coordinates go through the printed text, so that the path holds what the program says.
    static double printed(double v) {
        char b[64];
        std::snprintf(b, sizeof b, "%.6f", v);
        return std::atof(b);
    }
    void feed(double x, double y, double z) {
        const Vec4 to(printed(x), printed(y), printed(z));
        line("G1 X%.6f Y%.6f Z%.6f", to.x, to.y, to.z);
        const bool plunge = to.x == at.x && to.y == at.y;
        path.push_back({at, to, false, Vec4(), false, plunge ? plungeSpeed : feedSpeed});
        at = to;
        rapidRecords = false;  // a G1 makes every later traverse a feed move
    }
    // F words set both the feed and the plunge speed, when the configuration honours them.
    void feedWord(double unitsPerMinute) {
        line("F%.1f", unitsPerMinute);
        feedSpeed = plungeSpeed = unitsPerMinute / 60.0;
    }
    void rapid(double x, double y, double z) {  // one axis group at a time: no split
        const Vec4 to(printed(x), printed(y), printed(z));
        line("G0 X%.6f Y%.6f Z%.6f", to.x, to.y, to.z);
        path.push_back({at, to, false, Vec4(), false, rapidRecords ? 0.0 : kRapidSpeed});
        at = to;
    }
    // An arc in the XY plane, or a helix when it rises.
    void arc(bool clockwise, double cx, double cy, double sweep, double rise = 0.0) {
        const Vec4 c(printed(cx), printed(cy), at.z);
        const double r = std::hypot(at.x - c.x, at.y - c.y);
        const double a = std::atan2(at.y - c.y, at.x - c.x) + (clockwise ? -sweep : sweep);
        const Vec4 to(printed(c.x + r * std::cos(a)), printed(c.y + r * std::sin(a)),
                      printed(at.z + rise));
        line("G%d X%.6f Y%.6f Z%.6f I%.6f J%.6f", clockwise ? 2 : 3, to.x, to.y, to.z, c.x - at.x,
             c.y - at.y);
        path.push_back({at, to, true, c, clockwise, feedSpeed});
        at = to;
        rapidRecords = false;
    }
};

// A random part program: lines turning by angles from straight on to reversal, arcs and helical
// ramps, moves far shorter than one tick's travel, plunges, rapids and events.
ProgramWriter randomProgram(unsigned seed, int moves, bool feedWords = false) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double turns[] = {0.0, 0.05, 3.0, 12.0, 30.0, 90.0, 150.0};  // degrees
    const double lengths[] = {0.0004, 0.003, 0.05, 0.3, 1.0};          // units
    ProgramWriter w;
    w.line("G90 G17");
    w.line("M3");
    double heading = 0.0;
    for (int i = 0; i < moves; ++i) {
        const double roll = unit(rng);
        if (feedWords && roll > 0.95) {
            w.feedWord(10.0 + 50.0 * unit(rng));
        } else if (roll < 0.06) {
            w.line(unit(rng) < 0.5 ? "M8" : "M9");
        } else if (roll < 0.08) {
            w.line("G4P100");
        } else if (roll < 0.11) {
            const double z = w.at.z;
            w.rapid(w.at.x, w.at.y, z + 0.2);
            w.rapid(w.at.x + unit(rng) - 0.5, w.at.y + unit(rng) - 0.5, z + 0.2);
            w.rapid(w.at.x, w.at.y, z);
        } else if (roll < 0.14) {
            w.feed(w.at.x, w.at.y, w.at.z - 0.05 * unit(rng));
        } else if (roll < 0.30) {
            // An arc leaving tangentially (or nearly), turning up to 170 degrees.
            const bool cw = unit(rng) < 0.5;
            const double r = 0.05 + unit(rng);
            const double side = heading + (cw ? -kPi / 2 : kPi / 2);
            const double sweep = (0.1 + unit(rng) * 2.8);
            const double rise = unit(rng) < 0.3 ? -0.1 * unit(rng) : 0.0;  // a helical ramp
            w.arc(cw, w.at.x + r * std::cos(side), w.at.y + r * std::sin(side), sweep, rise);
            heading += cw ? -sweep : sweep;
        } else {
            const double turn = turns[rng() % 7] * kPi / 180.0 * (unit(rng) < 0.5 ? -1 : 1);
            heading += turn;
            const double l = lengths[rng() % 5];
            w.feed(w.at.x + l * std::cos(heading), w.at.y + l * std::sin(heading), w.at.z);
        }
    }
    w.line("M5");
    return w;
}

struct TickTrace {
    std::vector<Vec4> positions;
    std::vector<double> speeds;
};

void collectTick(void* context, const TickSample& s) {
    TickTrace& t = *static_cast<TickTrace*>(context);
    t.positions.push_back(s.position);
    t.speeds.push_back(s.speed);
}

void ignoreProgress(int32_t, int32_t) {}

// Converts program in a fresh directory with the default configuration and reads it back.
struct RoundTrip {
    int32_t result = -1;
    Readback readback;
    ReadbackError error;
    TickTrace trace;
};

// optionBits of the configuration written for the conversion; the defaults ignore F words and
// plan rapids as feed moves.
constexpr uint16_t kDefaultOptionBits = 0x61;

RoundTrip convertAndReadBack(testing::ScratchConversion& run, const std::string& program,
                             uint16_t optionBits = kDefaultOptionBits) {
    RoundTrip rt;
    run.configure([&](MachineConfig& c) { c.optionBits = optionBits; });
    rt.result = run.convert(program);
    if (rt.result != 0) {
        for (const auto& [code, text] : testing::conversionMessages()) {
            char line[512];
            std::snprintf(line, sizeof line, "[%d] %s ", code, text.c_str());
            rt.error.message += line;
        }
        return rt;
    }
    MotionObserver observer;
    observer.context = &rt.trace;
    observer.onTick = collectTick;
    if (run.readBack(rt.readback, rt.error, &observer) != 0) rt.result = -2;
    return rt;
}

bool withinOnePulse(const Vec4& a, const Vec4& b) {
    const double tol = kPulse * (1.0 + 1e-6);
    return std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol &&
           std::fabs(a.z - b.z) <= tol;
}

// The checks every round trip must pass against its programmed path.
// Every program must stay within the top speed and the acceleration tick by tick (the readback's
// findings).
void expectFaithfulMotion(const RoundTrip& rt, const std::vector<Piece>& path,
                          const std::string& what) {
    ASSERT_EQ(rt.result, 0) << what << ": " << describeReadbackError(rt.error);
    const MotionSummary& m = rt.readback.motion;
    EXPECT_EQ(m.stepLimits.stepCount, 0) << what;
    EXPECT_EQ(m.stepLimits.changeCount, 0) << what;
    EXPECT_TRUE(rt.readback.findings.empty()) << what << ": " << rt.readback.findings[0];
    ASSERT_FALSE(path.empty());

    // Every stretch of motion ends at a programmed point.
    for (std::size_t c = 0; c < m.chunkEnds.size(); ++c) {
        const Vec4& p = m.chunkEnds[c].position;
        bool atPoint = withinOnePulse(p, Vec4());
        for (const Piece& s : path)
            atPoint = atPoint || withinOnePulse(p, s.end);
        EXPECT_TRUE(atPoint) << what << ": chunk " << c + 1 << " ends at " << p.x << " " << p.y
                             << " " << p.z;
    }
    EXPECT_TRUE(withinOnePulse(m.finalPosition, path.back().end))
        << what << ": ends at " << m.finalPosition.x << " " << m.finalPosition.y << " "
        << m.finalPosition.z << ", programmed " << path.back().end.x << " " << path.back().end.y
        << " " << path.back().end.z;

    // Every tick lies on the path within the fillet error and the pulse rounding, and runs no
    // faster than the moves it came through allow.
    // A fillet beside an arc is sized from the tangents at the corner, and trimming the arc moves
    // its tangent point: such fillets pass up to about 1.6 times the fillet error from the
    // corner. Beside lines they stay within it.
    const double tolerance = kFilletError + std::sqrt(3.0) * kPulse;
    const double besideArcs = 2.0 * kFilletError + std::sqrt(3.0) * kPulse;
    std::size_t piece = 0;
    std::vector<std::size_t> recent;
    double worst = 0.0;
    int64_t worstTick = 0;
    std::size_t worstPiece = 0;
    int64_t tooFast = 0;
    for (std::size_t t = 0; t < rt.trace.positions.size(); ++t) {
        const Vec4& p = rt.trace.positions[t];
        double best = 1e30;
        std::size_t bestPiece = piece;
        // The path is walked forward: search near the last piece first.
        const std::size_t from = piece > 2 ? piece - 2 : 0;
        for (std::size_t i = from; i < path.size() && i < piece + 64; ++i) {
            const double d = distanceToPiece(p, path[i]);
            if (d < best) {
                best = d;
                bestPiece = i;
            }
            if (d <= tolerance) break;
        }
        if (best > tolerance) {
            for (std::size_t i = 0; i < path.size(); ++i) {
                const double d = distanceToPiece(p, path[i]);
                if (d < best) {
                    best = d;
                    bestPiece = i;
                }
            }
        }
        piece = bestPiece;
        const bool nearArc = path[piece].arc || (piece > 0 && path[piece - 1].arc) ||
                             (piece + 1 < path.size() && path[piece + 1].arc);
        if (nearArc) best *= tolerance / besideArcs;  // measured against the looser bound
        if (best > worst) {
            worst = best;
            worstTick = static_cast<int64_t>(t) + 1;
            worstPiece = piece;
        }
        recent.push_back(piece);
        if (recent.size() > static_cast<std::size_t>(kRateWindowTicks + 1)) {
            recent.erase(recent.begin());
        }
        double allowed = 0.0;
        for (std::size_t i : recent) {
            for (std::size_t j = i > 0 ? i - 1 : 0; j <= i + 1 && j < path.size(); ++j) {
                allowed = std::max(allowed, path[j].speedLimit);
            }
        }
        if (rt.trace.speeds[t] > allowed + kSpeedSlack) ++tooFast;
    }
    EXPECT_LE(worst, tolerance)
        << what << ": tick " << worstTick << " is " << worst
        << " units (scaled) from the path, nearest programmed move " << worstPiece
        << (path[worstPiece].arc ? " (arc)" : " (line)") << " between "
        << (worstPiece > 0 && path[worstPiece - 1].arc ? "an arc" : "a line") << " and "
        << (worstPiece + 1 < path.size() && path[worstPiece + 1].arc ? "an arc" : "a line");
    EXPECT_EQ(tooFast, 0) << what;
    EXPECT_LE(m.highestSpeed, kRapidSpeed + kSpeedSlack) << what;
}

TEST(RoundTrip, RandomProgramsComeBackOnTheirPath) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        testing::ScratchConversion run;
        const ProgramWriter w = randomProgram(seed, 120);
        const RoundTrip rt = convertAndReadBack(run, w.text);
        expectFaithfulMotion(rt, w.path, "seed " + std::to_string(seed));
        // Tangential and centripetal acceleration together stay within A·√2, plus the pulse
        // rounding of the rate window.
        EXPECT_LE(rt.readback.motion.highestAcceleration, kAcceleration * std::sqrt(2.0) + 1.0)
            << "seed " << seed;
    }
}

TEST(RoundTrip, FeedWordsSetTheSpeedsWhenTheConfigurationHonoursThem) {
    for (unsigned seed = 21; seed <= 24; ++seed) {
        testing::ScratchConversion run;
        const ProgramWriter w = randomProgram(seed, 120, true);
        const RoundTrip rt = convertAndReadBack(run, w.text, kDefaultOptionBits & ~0x01);
        expectFaithfulMotion(rt, w.path, "F words, seed " + std::to_string(seed));
    }
}

TEST(RoundTrip, RapidMovesBeforeTheFirstFeedAreJumpsBetweenChunks) {
    // Rapids not planned as feeds: the G0 lines before the first G1 become rapid records of the
    // break stream, run by the controller itself; the pulse stream resumes at their end points.
    testing::ScratchConversion run;
    ProgramWriter w;
    w.rapidRecords = true;
    w.line("G90");
    w.rapid(1.5, 0.5, 0.0);
    w.rapid(1.5, 0.5, -0.2);
    w.line("M3");
    w.feed(2.5, 0.5, -0.2);
    w.feed(2.5, 1.5, -0.2);
    w.line("M8");
    w.arc(false, 2.0, 1.5, kPi);
    w.feed(1.5, 0.5, -0.2);
    w.line("M5");
    const RoundTrip rt = convertAndReadBack(run, w.text, kDefaultOptionBits & ~0x20);
    expectFaithfulMotion(rt, w.path, "rapids first");
    const MotionSummary& m = rt.readback.motion;
    EXPECT_EQ(m.rapidCount, 2);
    EXPECT_NEAR(m.rapidTravel, std::hypot(1.5, 0.5) + 0.2, 1e-6);
    ASSERT_GE(m.events.size(), 3u);
    EXPECT_EQ(m.events[0].text, "spindle on");
    EXPECT_EQ(m.events[0].tick, 0);
    EXPECT_NEAR(m.events[0].position.x, 1.5, kPulse);
    EXPECT_NEAR(m.events[0].position.z, -0.2, kPulse);
    EXPECT_EQ(m.events[1].text, "outputs on: 0 (coolant)");
    EXPECT_NEAR(m.events[1].position.y, 1.5, kPulse);
    EXPECT_EQ(m.chunkCount, 2);  // the two stretches on either side of M8
}

TEST(RoundTrip, MovesShorterThanATickStayOnThePath) {
    // A gentle curve of 1000 moves of 0.0004 units, each a third of one tick's travel at feed
    // speed, turning by less than the smallest fillet angle: the machine runs through them.
    testing::ScratchConversion run;
    ProgramWriter w;
    w.line("G90");
    double heading = 0.0;
    for (int i = 1; i <= 1000; ++i) {
        heading += 0.05 * kPi / 180.0;
        w.feed(w.at.x + 0.0004 * std::cos(heading), w.at.y + 0.0004 * std::sin(heading), 0.0);
    }
    const RoundTrip curve = convertAndReadBack(run, w.text);
    expectFaithfulMotion(curve, w.path, "gentle curve");
    EXPECT_GT(curve.readback.motion.highestSpeed, 0.9 * kFeedSpeed);

    // The same steps as a zigzag that stops at every corner.
    testing::ScratchConversion run2;
    ProgramWriter z;
    z.line("G90");
    for (int i = 1; i <= 300; ++i)
        z.feed(i * 0.0004, (i % 2) * 0.0001, 0.0);
    expectFaithfulMotion(convertAndReadBack(run2, z.text), z.path, "zigzag");
}

TEST(RoundTrip, ArcsEndingOffTheirCircleArriveWithoutAJump) {
    // CAM rounding puts an arc's end off the circle through its start: nearly half a turn whose
    // chord is longer than the start diameter, and an end radius 0.0096 units longer. The motion
    // arrives at the programmed end with no step above the machine's speed or acceleration.
    const struct {
        const char* program;
        Vec4 end;
    } cases[] = {
        {"G90\nG1 X3.457 Y-26.172\nG2 X-3.504 Y26.166 I-3.457 J26.172\n", Vec4(-3.504, 26.166, 0)},
        {"G90\nG1 X2 Y0\nG3 X0 Y2.0096 I-2 J0\n", Vec4(0, 2.0096, 0)},
    };
    for (const auto& c : cases) {
        testing::ScratchConversion run;
        const RoundTrip rt = convertAndReadBack(run, c.program);
        ASSERT_EQ(rt.result, 0) << c.program << describeReadbackError(rt.error);
        for (const std::string& finding : rt.readback.findings)
            ADD_FAILURE() << c.program << finding;
        EXPECT_TRUE(withinOnePulse(rt.readback.motion.finalPosition, c.end)) << c.program;
    }
}

TEST(RoundTrip, HelicesFollowTheHelixAndStayBetweenTheirHeights) {
    // A spiral entry in thirds of a turn (as CAM systems write it), a steep half-turn ramp in each
    // sense, and a shallow one: the tool turns about the axis and sinks steadily, never below the
    // depth the program goes to.
    testing::ScratchConversion run;
    ProgramWriter w;
    w.line("G90 G17");
    w.feed(1.0, 0.0, 0.0);
    for (int i = 0; i < 9; ++i)
        w.arc(true, 0.0, 0.0, 2.0 * kPi / 3.0, -0.0667);
    w.arc(false, 0.0, 0.0, kPi - 0.01, -0.5);
    w.arc(true, 0.0, 0.0, kPi - 0.01, 0.25);
    w.arc(false, 0.0, 0.0, 1.0, -0.001);
    const RoundTrip rt = convertAndReadBack(run, w.text);
    expectFaithfulMotion(rt, w.path, "helices");
    double deepest = 0.0;
    for (const Piece& s : w.path)
        deepest = std::min(deepest, s.end.z);
    EXPECT_GE(rt.readback.motion.axes[2].min, deepest - kPulse);
    EXPECT_LE(rt.readback.motion.axes[2].max, kPulse);
}

}  // namespace
}  // namespace pulsepost

namespace pulsepost {
namespace {

// The path as the conversion planned it: the interpreter's records after the fillet and distance
// passes, read from a separate interpretation of the same program.
std::vector<Segment> plannedMoves(const testing::ScratchDir& dir, const std::string& program) {
    setUpConfiguration(dir.path().c_str());
    resetConversionState();
    conversionState().rapidsAsFeeds = (optionBits() & kOptionRapidsAsFeeds) ? 1 : 0;
    const MotionLimits limits = interpreterLimits();
    SegmentStore store;
    create(store);
    std::vector<Segment> records;
    if (testing::readAndRefine(program, limits, store, &ignoreProgress) == 0) {
        rewind(store);
        records.resize(static_cast<std::size_t>(store.highWater));
        if (!records.empty()) read(records.data(), store.highWater, store);
    }
    destroy(store);
    std::erase_if(records, [](const Segment& s) { return !isMove(s); });
    return records;
}

// Distance from p to a record as the interpolator runs it: a line, or an arc in the plane of its
// start and end radii, the short way when MinorArc is set, its radius going from the start radius
// to the end radius.
double distanceToRecord(const Vec4& p, const Segment& s) {
    if (!s.has(SegmentFlags::Arc)) {
        Piece line;
        line.start = s.start;
        line.end = s.end;
        return distanceToPiece(p, line);
    }
    const Vec4 r0 = subtract(s.start, s.centre);
    const Vec4 r1 = subtract(s.end, s.centre);
    const double radius = length(r0);
    Vec4 u = subtract(r1, scale(dot(r1, r0) / (radius * radius), r0));
    const Vec4 q = subtract(p, s.centre);
    const double ends = std::min(length(subtract(p, s.start)), length(subtract(p, s.end)));
    if (length(u) == 0.0) return std::min(ends, std::fabs(length(q) - radius));
    if (!s.has(SegmentFlags::MinorArc)) u = scale(-1.0, u);
    u = scale(radius / length(u), u);
    const double x = dot(q, r0) / radius, y = dot(q, u) / radius;
    const Vec4 inPlane = add(scale(x / radius, r0), scale(y / radius, u));
    const double angle = planarAngle(y, x);
    if (angle > arcAngle(s) + 1e-12) return ends;
    return std::hypot(length(subtract(q, inPlane)), std::hypot(x, y) - arcRadiusAt(s, angle));
}

TEST(RoundTrip, ExamplesRunOnThePlannedPathAndEndWhereTheyEnd) {
    const std::filesystem::path examples = std::filesystem::path(PULSEPOST_SOURCE_DIR) / "examples";
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(examples)) {
        if (entry.path().extension() != ".nc") continue;
        ++seen;
        const std::string name = entry.path().filename().string();
        testing::ScratchConversion run;
        const RoundTrip rt = convertAndReadBack(run, testing::readFile(entry.path().string()));
        ASSERT_EQ(rt.result, 0) << name << ": " << describeReadbackError(rt.error);
        const std::vector<Segment> moves = plannedMoves(run.dir, run.dir.file("part.nc"));
        ASSERT_FALSE(moves.empty()) << name;
        const MotionSummary& m = rt.readback.motion;
        // Every announced output event has its mark, AT100 (fixture_job's M51) included.
        for (const std::string& finding : rt.readback.findings)
            ADD_FAILURE() << name << ": " << finding;
        EXPECT_TRUE(withinOnePulse(m.finalPosition, moves.back().end)) << name;
        for (const ChunkEnd& c : m.chunkEnds) {
            bool atEnd = false;
            for (const Segment& s : moves)
                atEnd = atEnd || withinOnePulse(c.position, s.end);
            EXPECT_TRUE(atEnd) << name << ": a stretch ends at " << c.position.x << " "
                               << c.position.y << " " << c.position.z;
        }
        // Every tick on the planned path within the rounding of one pulse per axis.
        double worst = 0.0;
        std::size_t at = 0;
        for (const Vec4& p : rt.trace.positions) {
            double best = 1e30;
            for (std::size_t i = at > 2 ? at - 2 : 0; i < moves.size(); ++i) {
                const double d = distanceToRecord(p, moves[i]);
                // The path is walked forward: the first record within a pulse is kept, so that a
                // later one over the same point (a program may come back over its own path) does
                // not pull the walk ahead, and the search ends a few records later.
                if (d < best && best > kPulse) {
                    best = d;
                    at = i;
                }
                if (best <= kPulse && i > at + 8) break;
            }
            worst = std::max(worst, best);
        }
        EXPECT_LE(worst, std::sqrt(3.0) * kPulse) << name;
        EXPECT_LE(m.highestSpeed, kRapidSpeed + kSpeedSlack) << name;
    }
    EXPECT_GE(seen, 3);
}

}  // namespace
}  // namespace pulsepost
