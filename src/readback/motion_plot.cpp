#include "readback/motion_plot.h"
#include "readback/append_format.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "geometry/segment.h"
#include "platform/files.h"
#include "readback/readback_error.h"

namespace pulsepost {

namespace {

constexpr double kPlotWidth = 1200.0;  // SVG user units (pixels)
constexpr double kPlotHeight = 925.0;
constexpr double kSpanDivisions = 1500.0;  // path resolution: the span over this many steps
constexpr std::size_t kPointBudget = 400000;
constexpr int kMinRunSegments = 8;  // segments a run of one colour has before it changes
constexpr std::size_t kEventBudget = 5000;
constexpr int kSpeedBins = 4400;  // four per pixel column of the speed panel
constexpr int kColourBuckets = 12;

struct Box {
    double x, y, w, h;
};

// Maps two coordinates into a panel with the same scale on both, the first to the right and
// the second upwards; exaggerate stretches the second when the drawing would be too flat.
struct View {
    Box box;
    double minU = 0, minV = 0, k = 1, kv = 1, offU = 0, offV = 0;
    double exaggerate = 1.0;

    void fit(double u0, double u1, double v0, double v1) {
        const double pad = 0.04;
        double su = std::max(u1 - u0, 1e-6), sv = std::max(v1 - v0, 1e-6);
        u0 -= su * pad;
        u1 += su * pad;
        v0 -= sv * pad;
        v1 += sv * pad;
        su = u1 - u0;
        sv = v1 - v0;
        k = std::min(box.w / su, box.h / sv);
        kv = k;
        if (sv * kv < box.h * 0.25) {
            exaggerate = std::floor(box.h * 0.25 / (sv * k));
            if (exaggerate < 1.0) exaggerate = 1.0;
            kv = std::min(k * exaggerate, box.h / sv);
            exaggerate = kv / k;
        }
        minU = u0;
        minV = v0;
        offU = box.x + (box.w - su * k) / 2;
        offV = box.y + box.h - (box.h - sv * kv) / 2;
    }
    double px(double u) const { return offU + (u - minU) * k; }
    double py(double v) const { return offV - (v - minV) * kv; }
};

// Text for an SVG element: control bytes and bytes that are not UTF-8 written as \xNN first
// (XML admits neither), then the markup characters as entities.
std::string escapeXml(const std::string& text) {
    const std::string s = printableText(text);
    std::string out;
    for (char c : s) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// The colour at fraction (0 to 1) of a ramp through N evenly spaced RGB stops, each channel
// interpolated linearly between the two stops around it.
template <int N>
std::string rampColour(const int (&stops)[N][3], double fraction) {
    fraction = std::clamp(fraction, 0.0, 1.0) * (N - 1);
    const int i = std::min(N - 2, static_cast<int>(fraction));
    const double t = fraction - i;
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x",
                  static_cast<int>(stops[i][0] + t * (stops[i + 1][0] - stops[i][0])),
                  static_cast<int>(stops[i][1] + t * (stops[i + 1][1] - stops[i][1])),
                  static_cast<int>(stops[i][2] + t * (stops[i + 1][2] - stops[i][2])));
    return text;
}

// Colour of a speed as a fraction of the highest: dark blue (slow) over teal and green to
// yellow (fastest).
std::string speedColour(double fraction) {
    static constexpr int kStops[5][3] = {
        {68, 1, 84}, {59, 82, 139}, {33, 145, 140}, {94, 201, 98}, {253, 231, 37}};
    return rampColour(kStops, fraction);
}

int bucketOf(double speed, double highest) {
    if (highest <= 0.0) return 0;
    return std::clamp(static_cast<int>(speed / highest * kColourBuckets), 0, kColourBuckets - 1);
}

double niceStep(double span, int divisions) {
    const double raw = std::max(span, 1e-9) / divisions;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (raw <= m * mag) return m * mag;
    }
    return 10.0 * mag;
}

// Drops points closer than the tolerance to the last one kept, keeping the first of every run.
void thinPoints(MotionPlotData& d) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < d.points.size(); ++i) {
        const MotionPlotData::Point& p = d.points[i];
        if (kept > 0 && !p.penUp) {
            const MotionPlotData::Point& q = d.points[kept - 1];
            if (std::fabs(p.x - q.x) + std::fabs(p.y - q.y) + std::fabs(p.z - q.z) < d.tolerance) {
                continue;
            }
        }
        d.points[kept++] = p;
    }
    d.points.resize(kept);
}

void keepPoint(MotionPlotData& d, const Vec4& p, double speed, bool penUp) {
    if (!penUp && !d.points.empty()) {
        const MotionPlotData::Point& q = d.points.back();
        if (std::fabs(p.x - q.x) + std::fabs(p.y - q.y) + std::fabs(p.z - q.z) < d.tolerance) {
            return;
        }
    }
    d.points.push_back({static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z),
                        static_cast<float>(speed), penUp});
    if (d.points.size() > kPointBudget) {
        d.tolerance *= 2.0;
        thinPoints(d);
    }
}

// Speed over the last kPlotSpeedWindowTicks ticks (fewer just after a jump).
double shortWindowSpeed(MotionPlotData& d, const Vec4& position) {
    constexpr int64_t kRing = kPlotSpeedWindowTicks + 1;
    d.recent[d.recentCount % kRing] = position;
    ++d.recentCount;
    const int64_t span = std::min<int64_t>(d.recentCount - 1, kPlotSpeedWindowTicks);
    if (span == 0) return 0.0;
    const Vec4& old = d.recent[(d.recentCount - 1 - span) % kRing];
    return length(subtract(position, old)) * kTicksPerSecond / static_cast<double>(span);
}

void onTick(void* context, const TickSample& s) {
    MotionPlotData& d = *static_cast<MotionPlotData*>(context);
    bool rest = true;
    for (int k = 0; k < 4; ++k) {
        if (s.pulses[k] != d.lastPulses[k]) rest = false;
        d.lastPulses[k] = s.pulses[k];
    }
    const double speed = rest ? 0.0 : shortWindowSpeed(d, s.position);
    if (rest) shortWindowSpeed(d, s.position);
    const std::size_t bin = static_cast<std::size_t>((s.tick - 1) / d.ticksPerBin);
    if (bin >= d.bins.size()) d.bins.resize(bin + 1);
    MotionPlotData::SpeedBin& b = d.bins[bin];
    b.low = std::min(b.low, static_cast<float>(speed));
    b.high = std::max(b.high, static_cast<float>(speed));
    b.rest = b.rest || rest;
    keepPoint(d, s.position, s.speed, d.penUp);
    d.penUp = false;
}

void onRapid(void* context, const RapidMove& m) {
    MotionPlotData& d = *static_cast<MotionPlotData*>(context);
    d.rapids.push_back(m);
    keepPoint(d, m.to, 0.0, true);
    d.penUp = false;
    d.recentCount = 0;
    shortWindowSpeed(d, m.to);
}

void onChunkEnd(void* context, int32_t, const ChunkEnd& end) {
    MotionPlotData& d = *static_cast<MotionPlotData*>(context);
    d.chunkEnds.push_back(end);
    if (!d.points.empty()) {
        const MotionPlotData::Point& q = d.points.back();
        if (q.x != static_cast<float>(end.position.x) ||
            q.y != static_cast<float>(end.position.y) ||
            q.z != static_cast<float>(end.position.z)) {
            d.points.push_back({static_cast<float>(end.position.x),
                                static_cast<float>(end.position.y),
                                static_cast<float>(end.position.z), 0.0f, false});
        }
    }
}

// An event's marker: its shape and colour tell the kind, its tooltip the details.
void drawEvent(std::string& out, const MotionEvent& e, double x, double y) {
    std::string shape;
    const std::string tip = escapeXml(e.text);
    char buf[256];
    const SegmentKind kind = static_cast<SegmentKind>(e.entry.kind);
    if (e.isMark) {
        std::snprintf(buf, sizeof buf,
                      "<path d=\"M%.1f %.1fl4 4m0 -4l-4 4\" stroke=\"#1a9641\" stroke-width=\"2\" "
                      "transform=\"translate(-2 -2)\"/>",
                      x, y);
    } else if (kind == SegmentKind::SpindleEvent) {
        std::snprintf(buf, sizeof buf,
                      "<path d=\"M%.1f %.1fl5 5l-5 5l-5 -5z\" fill=\"#fd8d3c\" stroke=\"#000\" "
                      "stroke-width=\"0.5\"/>",
                      x, y - 5);
    } else if (kind == SegmentKind::OutputEvent) {
        std::snprintf(buf, sizeof buf,
                      "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"4.5\" fill=\"#3182bd\" stroke=\"#000\" "
                      "stroke-width=\"0.5\"/>",
                      x, y);
    } else if (kind == SegmentKind::ToolChange) {
        std::snprintf(buf, sizeof buf,
                      "<rect x=\"%.1f\" y=\"%.1f\" width=\"9\" height=\"9\" fill=\"#9e58c5\" "
                      "stroke=\"#000\" stroke-width=\"0.5\"/>",
                      x - 4.5, y - 4.5);
    } else if (kind == SegmentKind::Pause || kind == SegmentKind::Dwell ||
               kind == SegmentKind::WaitInput) {
        std::snprintf(buf, sizeof buf,
                      "<path d=\"M%.1f %.1fl5 9h-10z\" fill=\"#e31a1c\" stroke=\"#000\" "
                      "stroke-width=\"0.5\"/>",
                      x, y - 5);
    } else {
        std::snprintf(buf, sizeof buf, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"2.5\" fill=\"#777\"/>",
                      x, y);
    }
    appendf(out, "<g><title>%.3f s: %s at X%.4f Y%.4f Z%.4f</title>%s</g>\n",
            static_cast<double>(e.tick) / kTicksPerSecond, tip.c_str(), e.position.x, e.position.y,
            e.position.z, buf);
}

void drawGrid(std::string& out, const View& v, double u0, double u1, double w0, double w1,
              const char* uName, const char* vName) {
    const Box& b = v.box;
    appendf(out,
            "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"#fbfbfb\" "
            "stroke=\"#999\"/>\n",
            b.x, b.y, b.w, b.h);
    const double su = niceStep(b.w / v.k, 7), sv = niceStep(b.h / v.kv, 6);
    const double uLeft = u0 - (b.w / v.k), uRight = u1 + (b.w / v.k);
    // Grid values counted in whole steps, so that no rounding accumulates along the axis.
    const double uFirst = std::ceil(uLeft / su);
    for (int i = 0; (uFirst + i) * su <= uRight; ++i) {
        const double u = (uFirst + i) * su;
        const double x = v.px(u);
        if (x < b.x || x > b.x + b.w) continue;
        appendf(out,
                "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#e4e4e4\"/>"
                "<text x=\"%.1f\" y=\"%.1f\" class=\"tick\" text-anchor=\"middle\">%g</text>\n",
                x, b.y, x, b.y + b.h, x, b.y + b.h + 13, std::fabs(u) < su * 1e-6 ? 0.0 : u);
    }
    const double vBottom = w0 - (b.h / v.kv), vTop = w1 + (b.h / v.kv);
    const double wFirst = std::ceil(vBottom / sv);
    for (int i = 0; (wFirst + i) * sv <= vTop; ++i) {
        const double w = (wFirst + i) * sv;
        const double y = v.py(w);
        if (y < b.y || y > b.y + b.h) continue;
        appendf(out,
                "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#e4e4e4\"/>"
                "<text x=\"%.1f\" y=\"%.1f\" class=\"tick\" text-anchor=\"end\">%g</text>\n",
                b.x, y, b.x + b.w, y, b.x - 3, y + 4, std::fabs(w) < sv * 1e-6 ? 0.0 : w);
    }
    appendf(out, "<text x=\"%.1f\" y=\"%.1f\" class=\"axis\">%s</text>\n", b.x + b.w - 10,
            b.y + b.h + 28, uName);
    appendf(out, "<text x=\"%.1f\" y=\"%.1f\" class=\"axis\">%s</text>\n", b.x - 30, b.y + 12,
            vName);
}

// The thinned path in one view, in runs of one colour; which picks the vertical coordinate. On
// paths of many short moves the speed changes colour at almost every point: a run keeps its
// colour until it has kMinRunSegments segments (a few pixels), so that such a picture is tens
// of thousands of paths rather than one per segment.
// Points at the traverse speed or faster are drawn as traverses: moves planned at the rapid
// speed look the same whether they travel as rapid records or as feeds.
constexpr int kTraverseBucket = kColourBuckets;
constexpr double kTraverseSpeedShare = 0.98;  // of the slower rapid speed: planned at rapid speed

// Colour of a height as a fraction of the Z range, for the view from above: deep cuts dark red,
// over orange, to pale yellow at the top.
std::string depthColour(double fraction) {
    static constexpr int kStops[4][3] = {
        {103, 0, 13}, {203, 24, 29}, {253, 141, 60}, {255, 237, 160}};
    return rampColour(kStops, fraction);
}

// What colours a view's feed moves: their speed, or (the view from above) their height.
struct PathColour {
    bool byDepth = false;
    double highest = 0.0;          // speed: units per second at the top of the scale
    double low = 0.0, high = 0.0;  // depth: the Z range
};

int bucketOf(const MotionPlotData& d, double speed, double highest) {
    if (d.traverseSpeed > 0.0 && speed >= d.traverseSpeed * kTraverseSpeedShare)
        return kTraverseBucket;
    return bucketOf(speed, highest);
}

void drawPath(std::string& out, const MotionPlotData& d, const View& v, bool sideView,
              const PathColour& colour, double strokeWidth) {
    std::string run;
    int runBucket = -1;
    int runSegments = 0;
    const auto flush = [&]() {
        if (!run.empty() && runBucket == kTraverseBucket) {
            appendf(out, "<path d=\"%s\" class=\"rapid\"/>\n", run.c_str());
        } else if (!run.empty()) {
            appendf(out,
                    "<path d=\"%s\" stroke=\"%s\" stroke-width=\"%.1f\" fill=\"none\" "
                    "stroke-linejoin=\"round\"/>\n",
                    run.c_str(),
                    (colour.byDepth ? depthColour((runBucket + 0.5) / kColourBuckets)
                                    : speedColour((runBucket + 0.5) / kColourBuckets))
                        .c_str(),
                    strokeWidth);
        }
        run.clear();
    };
    for (std::size_t i = 1; i < d.points.size(); ++i) {
        const MotionPlotData::Point& p = d.points[i];
        if (p.penUp) {
            flush();  // the next segment starts where the jump ended
            continue;
        }
        const MotionPlotData::Point& q = d.points[i - 1];
        int bucket = bucketOf(d, p.speed, colour.highest);
        if (colour.byDepth && bucket != kTraverseBucket) {
            const double range = std::max(colour.high - colour.low, 1e-9);
            bucket = std::clamp(static_cast<int>((p.z - colour.low) / range * kColourBuckets), 0,
                                kColourBuckets - 1);
        }
        const double qy = sideView ? q.z : q.y, py = sideView ? p.z : p.y;
        char seg[96];
        // A traverse starts and ends where it does: it never shares a run with a cut.
        const bool traverseEdge = (bucket == kTraverseBucket) != (runBucket == kTraverseBucket);
        const bool recolour =
            bucket != runBucket && (traverseEdge || runSegments >= kMinRunSegments);
        if (recolour || run.empty() || run.size() > 60000) {
            flush();
            runBucket = bucket;
            runSegments = 0;
            std::snprintf(seg, sizeof seg, "M%.1f %.1f", v.px(q.x), v.py(qy));
            run += seg;
        }
        std::snprintf(seg, sizeof seg, "L%.1f %.1f", v.px(p.x), v.py(py));
        run += seg;
        ++runSegments;
    }
    flush();
}

// Seconds as h:mm:ss (tenths below a minute), for the time axis and the title.
std::string clockText(double seconds) {
    std::string text;
    if (seconds < 60.0) {
        appendf(text, "%.1f s", seconds);
        return text;
    }
    appendClock(text, seconds);
    return text;
}

void drawSpeedPanel(std::string& out, const MotionPlotData& d, const Readback& r, const Box& b,
                    double highest) {
    appendf(out,
            "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"#fbfbfb\" "
            "stroke=\"#999\"/>\n",
            b.x, b.y, b.w, b.h);
    const double seconds = std::max(r.motion.motionSeconds, 1e-3);
    const double top = std::max(highest * 1.08, 1e-6);
    const auto tx = [&](double t) { return b.x + t / seconds * b.w; };
    const auto sy = [&](double s) { return b.y + b.h - s / top * b.h; };
    const double ts = niceStep(seconds, 10), ss = niceStep(top, 4);
    for (int i = 0; i * ts <= seconds + 1e-9; ++i) {
        const double t = i * ts;
        std::string label;
        if (seconds >= 60.0) {
            const long long whole = std::llround(t);
            appendf(label, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
        } else {
            appendf(label, "%g", t);
        }
        appendf(out,
                "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#e4e4e4\"/>"
                "<text x=\"%.1f\" y=\"%.1f\" class=\"tick\" text-anchor=\"middle\">%s</text>\n",
                tx(t), b.y, tx(t), b.y + b.h, tx(t), b.y + b.h + 24, label.c_str());
    }
    for (int i = 0; i * ss <= top; ++i) {
        const double s = i * ss;
        appendf(out,
                "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#e4e4e4\"/>"
                "<text x=\"%.1f\" y=\"%.1f\" class=\"tick\" text-anchor=\"end\">%g</text>\n",
                b.x, sy(s), b.x + b.w, sy(s), b.x - 3, sy(s) + 4, s);
    }
    // Columns of the panel: each shows the lowest and highest speed of its ticks.
    const int columns = static_cast<int>(b.w);
    std::vector<float> low(static_cast<std::size_t>(columns), 1e30f);
    std::vector<float> high(static_cast<std::size_t>(columns), -1.0f);
    std::vector<bool> rest(static_cast<std::size_t>(columns), false);
    for (std::size_t i = 0; i < d.bins.size(); ++i) {
        const double t = static_cast<double>(i * d.ticksPerBin) / kTicksPerSecond;
        const int c = std::clamp(static_cast<int>(t / seconds * columns), 0, columns - 1);
        if (d.bins[i].high < d.bins[i].low) continue;
        low[c] = std::min(low[c], d.bins[i].low);
        high[c] = std::max(high[c], d.bins[i].high);
        if (d.bins[i].rest) rest[c] = true;
    }
    std::string band, stops, line;
    char seg[96];
    for (int c = 0; c < columns; ++c) {
        if (high[c] < 0) continue;
        const double x = b.x + c + 0.5;
        std::snprintf(seg, sizeof seg, "M%.1f %.1fV%.1f", x, sy(low[c]), sy(high[c]) - 0.6);
        band += seg;
        std::snprintf(seg, sizeof seg, "%s%.1f %.1f", line.empty() ? "M" : "L", x, sy(high[c]));
        line += seg;
        if (rest[c]) {
            std::snprintf(seg, sizeof seg, "M%.1f %.1fv7", x, b.y + b.h + 2);
            stops += seg;
        }
    }
    if (!band.empty()) {
        appendf(out, "<path d=\"%s\" stroke=\"#9ecae1\" stroke-width=\"1\" fill=\"none\"/>\n",
                band.c_str());
        appendf(out, "<path d=\"%s\" stroke=\"#08519c\" stroke-width=\"1.2\" fill=\"none\"/>\n",
                line.c_str());
    }
    if (!stops.empty()) {
        appendf(out,
                "<path d=\"%s\" stroke=\"#e31a1c\" stroke-width=\"1\" fill=\"none\">"
                "<title>the machine stands at these times</title></path>\n",
                stops.c_str());
    }
    for (const RapidMove& m : d.rapids) {
        const double x = tx(static_cast<double>(m.tick) / kTicksPerSecond);
        appendf(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"rapid\"/>\n", x,
                b.y, x, b.y + b.h);
    }
    for (std::size_t i = 0; i < r.motion.events.size() && i < kEventBudget; ++i) {
        const MotionEvent& e = r.motion.events[i];
        drawEvent(out, e, tx(static_cast<double>(e.tick) / kTicksPerSecond), b.y + 8);
    }
    appendf(out, "<text x=\"%.1f\" y=\"%.1f\" class=\"axis\">time, %s</text>\n", b.x + b.w - 80,
            b.y + b.h + 38, seconds >= 60.0 ? "h:mm:ss" : "s");
    appendf(out, "<text x=\"%.1f\" y=\"%.1f\" class=\"axis\">speed, machine units/s</text>\n", b.x,
            b.y - 6);
}

// The depth scale of the view from above, on its own row below the legend.
void drawDepthLegend(std::string& out, double low, double high, double y) {
    appendf(out, "<text x=\"60\" y=\"%.1f\" class=\"axis\">XY: Z</text>\n", y + 11);
    for (int i = 0; i < 60; ++i) {
        appendf(out, "<rect x=\"%d\" y=\"%.1f\" width=\"4\" height=\"12\" fill=\"%s\"/>",
                135 + 4 * i, y, depthColour(i / 59.0).c_str());
    }
    appendf(out,
            "\n<text x=\"135\" y=\"%.1f\" class=\"tick\">%.4g</text>"
            "<text x=\"375\" y=\"%.1f\" class=\"tick\" text-anchor=\"end\">%.4g</text>"
            "<text x=\"400\" y=\"%.1f\" class=\"tick\">the view from above is coloured by the "
            "height of the cut; the side view and the speed panel by the speed</text>\n",
            y + 23, low, y + 23, high, y + 10);
}

void drawLegend(std::string& out, double highest, double y) {
    appendf(out, "<text x=\"60\" y=\"%.1f\" class=\"axis\">feed speed</text>\n", y + 11);
    for (int i = 0; i < 60; ++i) {
        appendf(out, "<rect x=\"%d\" y=\"%.1f\" width=\"4\" height=\"12\" fill=\"%s\"/>",
                135 + 4 * i, y, speedColour(i / 59.0).c_str());
    }
    appendf(out,
            "\n<text x=\"135\" y=\"%.1f\" class=\"tick\">0</text>"
            "<text x=\"375\" y=\"%.1f\" class=\"tick\" text-anchor=\"end\">%.4g units/s</text>\n",
            y + 25, y + 25, highest);
    appendf(out,
            "<line x1=\"400\" y1=\"%.1f\" x2=\"430\" y2=\"%.1f\" class=\"rapid\"/>"
            "<text x=\"434\" y=\"%.1f\" class=\"tick\">traverse</text>"
            "<path d=\"M484 %.1fv9\" stroke=\"#e31a1c\" stroke-width=\"1\"/>"
            "<text x=\"488\" y=\"%.1f\" class=\"tick\">stop</text>\n",
            y + 6, y + 6, y + 10, y + 2, y + 10);
    MotionEvent e;
    const struct {
        uint8_t kind;
        bool mark;
        const char* name;
    } keys[] = {{5, false, "spindle"},          {6, false, "outputs"}, {7, false, "tool"},
                {8, false, "pause/dwell/wait"}, {187, false, "value"}, {0, true, "output mark"}};
    double x = 540;
    for (const auto& k : keys) {
        e.entry.kind = k.kind;
        e.isMark = k.mark;
        e.text = k.name;
        drawEvent(out, e, x, y + 6);
        appendf(out, "<text x=\"%.1f\" y=\"%.1f\" class=\"tick\">%s</text>\n", x + 8, y + 10,
                k.name);
        x += 30 + 6.5 * static_cast<double>(std::string(k.name).size());
    }
    appendf(out,
            "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"5\" fill=\"none\" stroke=\"#1a9641\" "
            "stroke-width=\"2\"/><text x=\"%.1f\" y=\"%.1f\" class=\"tick\">start</text>"
            "<rect x=\"%.1f\" y=\"%.1f\" width=\"9\" height=\"9\" fill=\"none\" stroke=\"#000\" "
            "stroke-width=\"2\"/><text x=\"%.1f\" y=\"%.1f\" class=\"tick\">end</text>\n",
            x, y + 6, x + 8, y + 10, x + 45, y + 1.5, x + 58, y + 10);
}

}  // namespace

void startMotionPlot(MotionPlotData& data, double span, int64_t tickCount) {
    data = MotionPlotData{};
    data.tolerance = std::max(span, 1e-3) / kSpanDivisions;
    data.ticksPerBin = std::max<int64_t>(1, tickCount / kSpeedBins);
    data.points.push_back({0.0f, 0.0f, 0.0f, 0.0f, true});
    data.penUp = false;
    shortWindowSpeed(data, Vec4());
}

MotionObserver motionPlotObserver(MotionPlotData& data) {
    MotionObserver o;
    o.context = &data;
    o.onTick = onTick;
    o.onRapid = onRapid;
    o.onChunkEnd = onChunkEnd;
    return o;
}

std::string renderMotionPlot(const MotionPlotData& d, const Readback& r, const std::string& title) {
    const MotionSummary& m = r.motion;
    double highest = 0.0;
    for (const MotionPlotData::Point& p : d.points)
        highest = std::max(highest, double(p.speed));
    for (const MotionPlotData::SpeedBin& b : d.bins)
        highest = std::max(highest, double(b.high));
    // The feed colours span the feeds alone; traverses have their own style.
    // So does the height map: the Z range of the feed moves.
    double highestFeed = 0.0;
    double feedLowZ = 1e300, feedHighZ = -1e300;
    for (std::size_t i = 1; i < d.points.size(); ++i) {
        const MotionPlotData::Point& p = d.points[i];
        if (p.penUp || bucketOf(d, p.speed, highest) == kTraverseBucket) continue;
        highestFeed = std::max(highestFeed, double(p.speed));
        feedLowZ = std::min(feedLowZ, double(p.z));
        feedHighZ = std::max(feedHighZ, double(p.z));
    }
    if (feedLowZ > feedHighZ) feedLowZ = feedHighZ = 0.0;

    // Extents of everything drawn, the origin included.
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0, z0 = 0, z1 = 0;
    const auto extend = [&](double x, double y, double z) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
        z0 = std::min(z0, z);
        z1 = std::max(z1, z);
    };
    for (const MotionPlotData::Point& p : d.points)
        extend(p.x, p.y, p.z);
    for (const RapidMove& rm : d.rapids)
        extend(rm.from.x, rm.from.y, rm.from.z);

    std::string out;
    appendf(out,
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
            "viewBox=\"0 0 %.0f %.0f\">\n",
            kPlotWidth, kPlotHeight, kPlotWidth, kPlotHeight);
    out +=
        "<style>text{font-family:DejaVu Sans,Arial,sans-serif;fill:#222}"
        ".title{font-size:17px;font-weight:bold}.sub{font-size:12px}.tick{font-size:10px;"
        "fill:#555}.axis{font-size:12px;font-weight:bold}.tool{font-size:11px;font-weight:bold;"
        "fill:#6a3d9a}.rapid{stroke:#e31a1c;stroke-width:0.8;stroke-dasharray:5 4;fill:none}"
        "</style>\n";
    out += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
    appendf(out, "<text x=\"40\" y=\"26\" class=\"title\">%s</text>\n", escapeXml(title).c_str());
    appendf(out,
            "<text x=\"40\" y=\"46\" class=\"sub\">motion %s (%lld ticks), %d chunks, "
            "%d rapids, %zu events, highest speed %.4g units/s (%.4g units/min), "
            "highest acceleration %.3g units/s&#178;, %zu findings</text>\n",
            clockText(m.motionSeconds).c_str(), static_cast<long long>(m.ticks), m.chunkCount,
            m.rapidCount, m.events.size(), m.highestSpeed, perMinute(m.highestSpeed),
            m.highestAcceleration, r.findings.size());

    if (!m.hasMotion || (x1 - x0) + (y1 - y0) + (z1 - z0) < 1e-9) {
        // Nothing moves: say so instead of axes scaled to nothing.
        out +=
            "<rect x=\"60\" y=\"80\" width=\"1110\" height=\"500\" fill=\"#fbfbfb\" "
            "stroke=\"#999\"/><text x=\"615\" y=\"330\" class=\"title\" "
            "text-anchor=\"middle\">no motion</text>\n";
        for (std::size_t i = 0; i < m.events.size() && i < kEventBudget; ++i)
            drawEvent(out, m.events[i], 80.0 + 14.0 * static_cast<double>(i % 78), 100.0);
        drawLegend(out, highestFeed, 868);
        out += "</svg>\n";
        return out;
    }

    View xy{{60, 80, 680, 500}};
    xy.fit(x0, x1, y0, y1);
    drawGrid(out, xy, x0, x1, y0, y1, "X", "Y");
    out += "<text x=\"600\" y=\"72\" class=\"tick\">lengths in the machine's unit</text>\n";
    appendf(out, "<text x=\"60\" y=\"72\" class=\"axis\">XY, from above</text>\n");
    // The view from above is a height map, so that a relief or a raster shows its depth.
    PathColour byDepth{true, highestFeed, feedLowZ, feedHighZ};
    drawPath(out, d, xy, false, byDepth, 1.3);
    for (const RapidMove& rm : d.rapids) {
        appendf(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"rapid\"/>\n",
                xy.px(rm.from.x), xy.py(rm.from.y), xy.px(rm.to.x), xy.py(rm.to.y));
    }
    for (std::size_t i = 0; i < m.events.size() && i < kEventBudget; ++i) {
        drawEvent(out, m.events[i], xy.px(m.events[i].position.x), xy.py(m.events[i].position.y));
        if (!m.events[i].isMark &&
            static_cast<SegmentKind>(m.events[i].entry.kind) == SegmentKind::ToolChange) {
            appendf(out, "<text x=\"%.1f\" y=\"%.1f\" class=\"tool\">T%u</text>\n",
                    xy.px(m.events[i].position.x) + 7, xy.py(m.events[i].position.y) - 6,
                    m.events[i].entry.value);
        }
    }
    appendf(out,
            "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"5\" fill=\"none\" stroke=\"#1a9641\" "
            "stroke-width=\"2\"/>\n",
            xy.px(0), xy.py(0));
    appendf(out,
            "<rect x=\"%.1f\" y=\"%.1f\" width=\"9\" height=\"9\" fill=\"none\" stroke=\"#000\" "
            "stroke-width=\"2\"/>\n",
            xy.px(m.finalPosition.x) - 4.5, xy.py(m.finalPosition.y) - 4.5);

    View xz{{810, 80, 360, 500}};
    xz.fit(x0, x1, z0, z1);
    drawGrid(out, xz, x0, x1, z0, z1, "X", "Z");
    if (xz.exaggerate > 1.01) {
        appendf(out,
                "<text x=\"810\" y=\"72\" class=\"axis\">XZ, from the front (Z x%.3g)</text>\n",
                xz.exaggerate);
    } else {
        out += "<text x=\"810\" y=\"72\" class=\"axis\">XZ, from the front</text>\n";
    }
    drawPath(out, d, xz, true, PathColour{false, highestFeed, 0.0, 0.0}, 1.0);
    for (const RapidMove& rm : d.rapids) {
        appendf(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"rapid\"/>\n",
                xz.px(rm.from.x), xz.py(rm.from.z), xz.px(rm.to.x), xz.py(rm.to.z));
    }

    drawSpeedPanel(out, d, r, Box{60, 640, 1110, 170}, highest);
    drawLegend(out, highestFeed, 868);
    drawDepthLegend(out, feedLowZ, feedHighZ, 897);
    out += "</svg>\n";
    return out;
}

int32_t plotProgram(const char* programPath, const MotionScale& scale, double traverseSpeed,
                    std::string& svg, Readback& readback, ReadbackError& error) {
    // The LIM bounds and the BRK header size the collection before the motion is walked.
    double span = 1.0;
    int64_t ticks = 0;
    char path[kPathLimit + 1];
    std::string text;
    LimBounds lim;
    ReadbackError ignored;
    if (outputPath(path, programPath, "LIM") && readWholeFile(path, text) &&
        parseLimText(text, lim, ignored) == 0) {
        span = std::max({lim.maxX - lim.minX, lim.maxY - lim.minY, lim.maxZ - lim.minZ});
    }
    BrkStream brk;
    if (outputPath(path, programPath, "BRK") && readWholeFile(path, text) &&
        decodeBreakStream(reinterpret_cast<const uint8_t*>(text.data()), text.size(), brk,
                          ignored) == 0) {
        ticks = brk.tickCount;
    }
    MotionPlotData data;
    startMotionPlot(data, span, ticks);
    data.traverseSpeed = traverseSpeed;
    const MotionObserver observer = motionPlotObserver(data);
    if (readbackProgram(programPath, scale, readback, error, &observer) != 0) return -1;
    svg = renderMotionPlot(data, readback, programPath);
    return 0;
}

}  // namespace pulsepost
