// Reconstructing the machine's motion from the written streams: the CM step words summed tick by
// tick into the four motor outputs' pulse positions, mapped back to axis coordinates, with the
// rapid moves and events of the BRK stream placed where the chunks put them, and the summary a
// machinist checks before running the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/vec4.h"
#include "platform/units.h"
#include "readback/break_stream.h"
#include "readback/readback_error.h"
#include "readback/step_limits.h"
#include "readback/step_stream.h"
#include "readback/text_outputs.h"

namespace pulsepost {

// Speed and acceleration are measured over this many ticks (about 25 ms): a single tick's
// delta is quantised to whole pulses, which would make the rates jitter.
constexpr int32_t kRateWindowTicks = 16;

// The speed of an axis with fewer pulses per unit than this is measured over a longer window,
// kRateWindowTicks times the ratio (rounded up, at most kMaxRateWindowFactor times), so that one
// pulse weighs no more in it than on an axis this fine. Over 16 ticks a single pulse of an axis
// at 100 pulses per unit would read as 0.4 units per second.
constexpr double kFineRatePulsesPerUnit = 1000.0;
constexpr int32_t kMaxRateWindowFactor = 64;

// What the streams do not carry: the configuration they were written with.
struct MotionScale {
    double stepsPerUnit[4] = {10160.0, 10160.0, 10160.0, 0.0};  // pulses per unit, X Y Z A
    int32_t swapXY = 0;              // non-zero: motor outputs 0 and 1 carry Y and X
    double topSpeed = 100.0 / 60.0;  // units per second: the highest configured speed
    double acceleration = 15.0;      // units per second squared
};

// The motor outputs as the header's output byte and the scale describe them.
struct OutputLayout {
    int32_t wordsPerTick = 0;
    bool enabled[4] = {false, false, false, false};  // by motor output
    int32_t axis[4] = {0, 1, 2, 3};                  // by motor output: logical axis it carries
    int32_t sign[4] = {1, 1, 1, 1};                  // by motor output: +1 or -1
    double scale[4] = {0.0, 0.0, 0.0, 0.0};          // by motor output: pulses per unit
};

// Builds the layout. Returns -1 when the output byte enables an output whose axis has no pulses
// per unit in the scale, or disables one that has (the configuration is not the one used).
int32_t buildOutputLayout(uint8_t outputByte, const MotionScale& scale, OutputLayout& layout,
                          ReadbackError& error);

struct TickSample {
    int64_t tick = 0;                  // 1 .. N
    int32_t pulses[4] = {0, 0, 0, 0};  // by motor output
    Vec4 position;                     // units
    double speed = 0.0;                // units per second, over the rate window
    bool marked = false;               // a word of this tick carries the mark bit
};

struct RapidMove {
    int64_t tick = 0;     // ticks run before it
    Vec4 from;            // units
    Vec4 to;              // units
    double length = 0.0;  // units, as recorded
    double speed = 0.0;   // units per second, as recorded
};

struct MotionEvent {
    int64_t tick = 0;  // ticks run before it (for a mark: the tick that carries it)
    Vec4 position;     // units
    BrkEntry entry;    // the event's entry; kind 0 with isMark for a mark
    bool isMark = false;
    int32_t markOutput = -1;  // motor output whose word carries the mark
    std::string text;         // as describeBrkEntry, or the mark's description
};

struct ChunkEnd {
    int32_t bytes = 0;  // CM bytes of the chunk
    int64_t tick = 0;   // last tick of the chunk
    Vec4 position;      // units, where the machine rests
};

// Callbacks for a tool that draws or checks the motion as it is read. Any may be null.
struct MotionObserver {
    void* context = nullptr;
    void (*onTick)(void* context, const TickSample& sample) = nullptr;
    void (*onRapid)(void* context, const RapidMove& move) = nullptr;
    void (*onEvent)(void* context, const MotionEvent& event) = nullptr;
    void (*onChunkEnd)(void* context, int32_t index, const ChunkEnd& end) = nullptr;
};

struct AxisSummary {
    bool enabled = false;
    double travel = 0.0;  // units moved, rapids included
    double min = 0.0;     // units; the start (0) included
    double max = 0.0;
    double final = 0.0;
};

struct MotionSummary {
    bool hasMotion = false;
    int32_t headerTicks = 0;
    int64_t ticks = 0;           // ticks in the CM stream
    double motionSeconds = 0.0;  // ticks / 643
    int64_t cmBytes = 0;
    int64_t brkBytes = 0;
    double maxZ = 0.0;  // units, from the header
    uint8_t outputByte = 0;
    OutputLayout layout;
    int32_t chunkCount = 0;
    int32_t largestChunkBytes = 0;
    int32_t largestChunkIndex = -1;
    std::vector<ChunkEnd> chunkEnds;
    AxisSummary axes[4];                    // by logical axis
    Vec4 finalPosition;                     // units
    int32_t largestStep[4] = {0, 0, 0, 0};  // by motor output: pulses in one tick (magnitude)
    int64_t largestStepTick[4] = {0, 0, 0, 0};
    double highestSpeed = 0.0;  // units per second
    int64_t highestSpeedTick = 0;
    double highestAcceleration = 0.0;  // units per second squared, magnitude of the vector
    int64_t highestAccelerationTick = 0;
    // Ticks each axis's speed is measured over (kRateWindowTicks, longer for a coarse axis).
    int32_t rateWindowTicks[4] = {kRateWindowTicks, kRateWindowTicks, kRateWindowTicks,
                                  kRateWindowTicks};
    int32_t rapidCount = 0;
    double rapidTravel = 0.0;   // units
    double rapidSeconds = 0.0;  // length / speed summed over the rapid moves
    int32_t markCount = 0;
    std::vector<MotionEvent> events;  // events and marks, in path order
    StepLimitCheck stepLimits;        // steps the machine's speed and acceleration do not allow
};

// Walks the CM stream against the BRK stream, calling the observer and filling the summary.
// Returns -1 at the first inconsistency: a tick cut short, chunks that do not add up to the CM
// length or end inside a tick, a tick count that differs from the header, a CM stream where
// the BRK stream has no motion.
int32_t walkMotion(const BrkStream& brk, StepSource& cm, const MotionScale& scale,
                   MotionSummary& summary, ReadbackError& error,
                   const MotionObserver* observer = nullptr);

// Everything read back for one program.
struct Readback {
    BrkStream brk;
    MotionSummary motion;
    bool hasLim = false;
    LimBounds lim;
    bool hasEv = false;
    std::vector<EvLine> ev;
    // Things a machinist should look at that do not make the streams unreadable: motion outside
    // the LIM bounds, marks without an EV line, steps faster than the top speed or changing
    // faster than the acceleration allows.
    std::vector<std::string> findings;
};

// Reads the CM, BRK, LIM and EV files beside programPath, walks the motion and checks the
// files against each other. Returns -1 with error when a stream is missing or malformed.
int32_t readbackProgram(const char* programPath, const MotionScale& scale, Readback& out,
                        ReadbackError& error, const MotionObserver* observer = nullptr);

}  // namespace pulsepost
