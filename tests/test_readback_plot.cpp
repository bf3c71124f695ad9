// The motion picture and the text summary: a well-formed SVG that a browser shows, with the
// toolpath, the rapid moves, the event markers and the speed panel, however long the path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "readback/motion_plot.h"
#include "readback/summary_text.h"
#include "readback_builders.h"
#include "test_support.h"

namespace pulsepost {
namespace {

using testing::BrkBuilder;
using testing::CmBuilder;

// Elements open and close in order, attribute values are quoted and hold no '<'. Returns the
// first problem, or an empty string.
std::string xmlProblem(const std::string& xml) {
    std::vector<std::string> open;
    std::size_t i = 0;
    while ((i = xml.find('<', i)) != std::string::npos) {
        const std::size_t end = xml.find('>', i);
        if (end == std::string::npos) return "unclosed tag at " + std::to_string(i);
        std::string tag = xml.substr(i + 1, end - i - 1);
        bool quoted = false;
        for (char c : tag) {
            if (c == '"') quoted = !quoted;
            if (c == '<') return "'<' inside a tag at " + std::to_string(i);
        }
        if (quoted) return "unbalanced quote at " + std::to_string(i);
        if (tag[0] == '/') {
            const std::string name = tag.substr(1);
            if (open.empty() || open.back() != name) {
                return "</" + name + "> closes " + (open.empty() ? "nothing" : open.back());
            }
            open.pop_back();
        } else if (tag.back() != '/') {
            open.push_back(tag.substr(0, tag.find_first_of(" \n")));
        }
        i = end + 1;
    }
    return open.empty() ? "" : "<" + open.back() + "> never closed";
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t i = text.find(what); i != std::string::npos; i = text.find(what, i + 1))
        ++n;
    return n;
}

// A spiral of many short moves (a long path), a rapid, events, and a stop in between.
void writeSpiralProgram(const testing::ScratchDir& dir) {
    CmBuilder cm;
    BrkBuilder brk;
    brk.motionHeader(0, 0.0, 0x03).event(0x05, 1).event(0x07, 3);
    int64_t last[2] = {0, 0};
    const double scale = 10160.0;
    for (int n = 1; n <= 6000; ++n) {
        const double t = n / 643.0;
        const double r = 0.05 * t;
        const int64_t x = roundHalfAway(scale * r * std::cos(3 * t));
        const int64_t y = roundHalfAway(scale * r * std::sin(3 * t));
        cm.tick({static_cast<int32_t>(x - last[0]), static_cast<int32_t>(y - last[1])},
                n == 3000 ? 0 : -1);
        last[0] = x;
        last[1] = y;
    }
    for (int n = 0; n < 30; ++n)
        cm.tick({0, 0});  // standing
    brk.chunk(cm.size()).event(0x06, 1).rapid(0x03, Vec4(1, 1, 0, 0), 1.2, 1.6);
    const int32_t first = cm.size();
    for (int n = 0; n < 200; ++n)
        cm.tick({20, 0});
    brk.chunk(cm.size() - first).event(0x05, 0).terminator();
    for (int i = 0; i < 4; ++i)
        brk.bytes[1 + i] = static_cast<uint8_t>(cm.ticks >> (8 * i));
    testing::writeFile(dir.file("spiral.CM"), std::string(cm.bytes.begin(), cm.bytes.end()));
    testing::writeFile(dir.file("spiral.BRK"), std::string(brk.bytes.begin(), brk.bytes.end()));
    testing::writeFile(dir.file("spiral.EV"), "ONAT,50,2\r\n");
}

TEST(MotionPlot, DrawsAWellFormedPictureOfTheWholeMotion) {
    testing::ScratchDir dir;
    writeSpiralProgram(dir);
    std::string svg;
    Readback r;
    ReadbackError error;
    MotionScale scale;
    scale.stepsPerUnit[2] = 0.0;
    ASSERT_EQ(plotProgram(dir.file("spiral.nc").c_str(), scale, 0.0, svg, r, error), 0)
        << describeReadbackError(error);
    EXPECT_EQ(xmlProblem(svg), "");
    EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
    EXPECT_NE(svg.find("XY, from above"), std::string::npos);
    EXPECT_NE(svg.find("XZ, from the front"), std::string::npos);
    EXPECT_NE(svg.find("speed, machine units/s"), std::string::npos);
    // The rapid: once in each view, once in the speed panel and once in the legend.
    EXPECT_EQ(count(svg, "class=\"rapid\""), 4u);
    // Events carry their text as tooltips: spindle on and off, tool, coolant, the mark.
    EXPECT_NE(svg.find("spindle on at X"), std::string::npos);
    EXPECT_NE(svg.find("tool 3 at X"), std::string::npos);
    EXPECT_NE(svg.find("output event mark (ONAT,50,2) at X"), std::string::npos);
    // The machine stands for 30 ticks: the speed panel shows it.
    EXPECT_NE(svg.find("the machine stands at these times"), std::string::npos);
    // The spiral needs many points, far beyond one formatted line.
    EXPECT_GT(svg.size(), 20000u);
}

// The longest straight segment of the solid (feed) paths, in picture units.
double longestFeedSegment(const std::string& svg) {
    double longest = 0.0;
    for (std::size_t i = svg.find("<path d=\""); i != std::string::npos;
         i = svg.find("<path d=\"", i + 1)) {
        const std::size_t end = svg.find('>', i);
        if (svg.substr(i, end - i).find("stroke-linejoin=\"round\"") == std::string::npos) continue;
        const char* d = svg.c_str() + i + 9;
        double x = 0.0, y = 0.0;
        while (*d == 'M' || *d == 'L') {
            const char op = *d;
            char* next = nullptr;
            const double nx = std::strtod(d + 1, &next);
            const double ny = std::strtod(next, &next);
            if (op == 'L') longest = std::max(longest, std::hypot(nx - x, ny - y));
            x = nx;
            y = ny;
            d = next;
        }
    }
    return longest;
}

// Feed moves at one speed on either side of a rapid move: the feed path stops where the rapid
// begins and starts again where it ends.
TEST(MotionPlot, ARapidMoveIsNeverDrawnAsAFeedLine) {
    MotionPlotData data;
    startMotionPlot(data, 10.0, 2000);
    const MotionObserver o = motionPlotObserver(data);
    TickSample s;
    s.speed = 1.0;
    auto feedAlongX = [&](double y, int from, int to) {
        for (int n = from; n <= to; ++n) {
            s.tick = n;
            s.position = Vec4(n * 0.005, y, 0);
            s.pulses[0] = n;
            s.pulses[1] = static_cast<int32_t>(y * 1000);
            o.onTick(o.context, s);
        }
    };
    feedAlongX(0.0, 1, 1000);
    RapidMove jump;
    jump.tick = 1000;
    jump.from = s.position;
    jump.to = Vec4(1001 * 0.005, 8.0, 0);
    o.onRapid(o.context, jump);
    feedAlongX(8.0, 1001, 2000);
    Readback r;
    r.motion.hasMotion = true;
    const std::string svg = renderMotionPlot(data, r, "jump");
    // Feed segments are a few picture units long; the jump is hundreds.
    EXPECT_GT(longestFeedSegment(svg), 0.0);
    EXPECT_LT(longestFeedSegment(svg), 40.0);
}

TEST(MotionPlot, ThinsTheToolpathToTheResolutionOfThePicture) {
    MotionPlotData data;
    startMotionPlot(data, 10.0, 1000000);
    const MotionObserver o = motionPlotObserver(data);
    TickSample s;
    for (int n = 1; n <= 200000; ++n) {
        s.tick = n;
        s.position = Vec4(n * 1e-5, 0, 0);  // 2 units in steps far below a pixel
        s.pulses[0] = n;
        o.onTick(o.context, s);
    }
    // 2 units at 10 / 1500 per point.
    EXPECT_LE(data.points.size(), 2u * 1500u / 10u + 3u);
    EXPECT_GE(data.points.size(), 2u * 1500u / 10u - 3u);
    EXPECT_LE(data.bins.size(), static_cast<std::size_t>(200000 / data.ticksPerBin + 1));
}

TEST(ReadbackSummaryText, ListsWhatTheMachinistChecks) {
    testing::ScratchDir dir;
    writeSpiralProgram(dir);
    Readback r;
    ReadbackError error;
    MotionScale scale;
    scale.stepsPerUnit[2] = 0.0;
    ASSERT_EQ(readbackProgram(dir.file("spiral.nc").c_str(), scale, r, error), 0);
    const std::string text = formatReadbackSummary(r, "spiral.nc", 3);
    for (const char* line :
         {"program      spiral.nc\n", "motion       9.689 s, 6230 ticks at 643 per second\n",
          "chunks       2, largest #1 with", "rapids       1, 1.2000 units, 0.750 s",
          "events       5 (1 output event marks)\n", "  ... 2 more\n", "highest speed",
          "LIM missing", "findings     4\n",
          // The spiral stops dead and the last stretch starts at full speed: the default
          // machine's acceleration allows neither.
          "  3 changes of step above what the acceleration allows\n",
          "  output 0 (X) changes its step by 20 pulses at 9.379 s (X1.0020 Y1.0000 Z0.0000); the "
          "acceleration allows 2.5\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    }
    // A coarse A axis: its speed window and the weight of one of its pulses are named.
    r.motion.layout.enabled[3] = true;
    r.motion.layout.axis[3] = 3;
    r.motion.layout.scale[3] = 100.0;
    r.motion.rateWindowTicks[3] = 160;
    const std::string coarse = formatReadbackSummary(r, "spiral.nc", 3);
    for (const char* part :
         {"s (A over 160-tick windows: coarse pulses)\n",
          "(over 16-tick windows; a pulse of A weighs 16.2 units/s^2 in them)\n"})
        EXPECT_NE(coarse.find(part), std::string::npos) << part << "\n" << coarse;
}

}  // namespace
}  // namespace pulsepost
