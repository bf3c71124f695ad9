// A picture of the motion a program's streams will make the machine do, as one self-contained
// SVG: the XY toolpath with feed moves coloured by speed, rapid moves dashed and events marked;
// an XZ side view; and the speed over time, where every stop shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "readback/motion_readback.h"

namespace pulsepost {

constexpr int32_t kPlotSpeedWindowTicks = 4;

// What the plot keeps of the motion while it is read: a thinned path and the speed per time bin.
struct MotionPlotData {
    struct Point {
        float x, y, z;  // units
        float speed;    // units per second
        bool penUp;     // the point starts a new run (after a rapid move)
    };
    struct SpeedBin {
        float low = 1e30f;  // units per second
        float high = 0.0f;
        bool rest = false;  // a tick of the bin moved no output: the machine stood
    };
    double tolerance = 1e-4;     // units: points closer than this to the last kept are dropped
    double traverseSpeed = 0.0;  // units per second: moves this fast are traverses (0: none)
    int64_t ticksPerBin = 1;     // speed bins
    std::vector<Point> points;
    std::vector<SpeedBin> bins;
    std::vector<RapidMove> rapids;
    std::vector<ChunkEnd> chunkEnds;
    int32_t lastPulses[4] = {0, 0, 0, 0};
    bool penUp = true;
    // The last few positions: the speed panel measures over a short window so that the dips
    // at stops reach down to rest.
    Vec4 recent[kPlotSpeedWindowTicks + 1];
    int64_t recentCount = 0;
};

// Sets up the collection for a path of about span units and a stream of tickCount ticks.
void startMotionPlot(MotionPlotData& data, double span, int64_t tickCount);

// The observer that fills data while the motion is walked.
MotionObserver motionPlotObserver(MotionPlotData& data);

// Renders the picture; title is shown at the top (usually the program's path).
std::string renderMotionPlot(const MotionPlotData& data, const Readback& readback,
                             const std::string& title);

// Reads the program's streams and renders them; moves at traverseSpeed (units per second, the
// slower of the configured rapid speeds) are drawn as traverses, 0 for none. Returns -1 with
// error when they cannot be read.
int32_t plotProgram(const char* programPath, const MotionScale& scale, double traverseSpeed,
                    std::string& svg, Readback& readback, ReadbackError& error);

}  // namespace pulsepost
