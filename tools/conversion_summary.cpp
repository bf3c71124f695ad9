#include "conversion_summary.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/files.h"
#include "readback/append_format.h"
#include "readback/break_stream.h"
#include "readback/config_files.h"
#include "readback/configured_scale.h"
#include "readback/motion_readback.h"
#include "readback/readback_error.h"
#include "readback/text_outputs.h"

namespace pulsepost::cli {

namespace {

// The file's size from the file system, without reading it: a CM stream may be hundreds of MB.
OutputFile fileOf(const std::string& program, const char* extension) {
    OutputFile f;
    char path[kPathLimit + 1];
    if (!outputPath(path, program.c_str(), extension)) return f;
    f.path = path;
    struct stat info {};
    if (::stat(path, &info) == 0 && S_ISREG(info.st_mode))
        f.bytes = static_cast<long long>(info.st_size);
    return f;
}

// The header and the entries by kind, through the readback's decoder of the BRK layout. A
// stream that stops decoding still tells what it held up to there.
void readBrk(const std::string& path, ConversionSummary& s) {
    std::string bytes;
    if (path.empty() || !readWholeFile(path.c_str(), bytes)) return;
    BrkStream brk;
    ReadbackError error;
    s.brkReadable = decodeBreakStream(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                      brk, error) == 0;
    s.motion = brk.hasMotion;
    s.ticks = brk.tickCount;
    s.outputByte = brk.outputByte;
    for (const BrkEntry& entry : brk.entries) {
        if (entry.isChunk())
            s.chunks += 1;
        else if (entry.isRapid())
            s.rapids += 1;
        else
            s.events += 1;
    }
}

void readLim(const std::string& path, ConversionSummary& s) {
    std::string text;
    LimBounds lim;
    ReadbackError error;
    if (path.empty() || !readWholeFile(path.c_str(), text) || parseLimText(text, lim, error) != 0)
        return;
    s.haveBounds = true;
    const double bounds[6] = {lim.maxX, lim.maxY, lim.minX, lim.minY, lim.maxZ, lim.minZ};
    for (int i = 0; i < 6; ++i)
        s.bounds[i] = bounds[i];
}
// Event kinds of the BRK stream a machinist counts (the record kinds they were written from).
constexpr uint8_t kToolChange = 7;
constexpr uint8_t kPause = 8;
constexpr uint8_t kDwell = 9;
constexpr uint8_t kWaitInput = 17;

struct WalkTotals {
    Vec4 last;
    double feedDistance = 0.0;
};

double distanceXYZ(const Vec4& a, const Vec4& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                     (a.z - b.z) * (a.z - b.z));
}

// The motion read back: time, distances and the events a machinist plans for.
void walkStreams(const std::string& program, const std::string& configDir, ConversionSummary& s) {
    MotionScale scale;
    readConfiguredScale(configDir.c_str(), scale);
    WalkTotals totals;
    MotionObserver observer;
    observer.context = &totals;
    observer.onTick = [](void* c, const TickSample& t) {
        auto& w = *static_cast<WalkTotals*>(c);
        w.feedDistance += distanceXYZ(w.last, t.position);
        w.last = t.position;
    };
    observer.onRapid = [](void* c, const RapidMove& m) {
        static_cast<WalkTotals*>(c)->last = m.to;
    };
    Readback r;
    ReadbackError error;
    if (readbackProgram(program.c_str(), scale, r, error, &observer) != 0) return;
    s.walked = true;
    s.motionSeconds = r.motion.motionSeconds;
    s.rapidSeconds = r.motion.rapidSeconds;
    s.rapidDistance = r.motion.rapidTravel;
    s.feedDistance = totals.feedDistance;
    for (const MotionEvent& e : r.motion.events) {
        if (e.isMark) continue;
        switch (e.entry.kind) {
            case kToolChange:
                if (std::find(s.tools.begin(), s.tools.end(), e.entry.value) == s.tools.end())
                    s.tools.push_back(e.entry.value);
                break;
            case kDwell:
                s.dwells += 1;
                s.dwellP += e.entry.pValue;
                break;
            case kPause:
                s.pauses += 1;
                break;
            case kWaitInput:
                s.waits += 1;
                break;
            default:
                break;
        }
    }
}

// The program's lines; -1 when it is not a regular file that can be read: the summary of a
// program refused as a FIFO or a link to /dev/zero must not wait on it or read it forever.
long long countLines(const std::string& program) {
    OpenStatus status = OpenStatus::Opened;
    FILE* f = openRegularFile(program.c_str(), "rb", status);
    if (f == nullptr) return -1;
    long long lines = 0;
    int last = '\n';
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        for (std::size_t i = 0; i < n; ++i)
            lines += buffer[i] == '\n';
        last = static_cast<unsigned char>(buffer[n - 1]);
    }
    std::fclose(f);
    return lines + (last != '\n');
}

// The values the conversion ran with, from the configuration directory's files.
std::string configurationText(const std::string& configDir, bool& rapidsAsFeeds) {
    const ConfigurationFiles files = readConfigurationFiles(configDir);
    const SettingFileText& m = files.machine;
    std::string text = files.machine.path;
    if (!m.readable) return text + " not readable: the built-in defaults";
    const auto number = [&](int line) { return std::atof(m.valueText(line).c_str()); };
    static const char* const kAxes = "XYZA";
    text += ": pulses/unit";
    for (int axis = 0; axis < 4; ++axis) {
        if (number(3 + axis) != 0.0) appendf(text, " %c %g", kAxes[axis], number(3 + axis));
    }
    appendf(text, "; u/min feed %g plunge %g rapid %g rapid Z %g; %g u/s2", number(9), number(10),
            number(7), number(8), number(11));
    const long options = std::strtol(m.valueText(19).c_str(), nullptr, 10);
    if (std::atof(m.valueText(18).c_str()) != 0.0) text += "; X/Y swapped";
    text += (options & 0x01) != 0 ? "; F words ignored" : "; F words in effect";
    rapidsAsFeeds = (options & 0x20) != 0;
    if (rapidsAsFeeds) text += "; traverses planned as feeds";
    return text;
}

std::string fileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string sizeText(const OutputFile& f) {
    const std::string name = printableText(fileName(f.path));
    if (f.bytes < 0) return name + " (not written)";
    char text[64];
    if (f.bytes >= 10 * 1024 * 1024) {
        std::snprintf(text, sizeof text, " %.1f MB",
                      static_cast<double>(f.bytes) / (1024.0 * 1024.0));
    } else if (f.bytes >= 10 * 1024) {
        std::snprintf(text, sizeof text, " %.1f kB", static_cast<double>(f.bytes) / 1024.0);
    } else {
        std::snprintf(text, sizeof text, " %lld B", f.bytes);
    }
    return name + text;
}

}  // namespace

std::string clockText(double seconds) {
    std::string text;
    if (seconds < 60.0) {
        appendf(text, "0:00:%04.1f", seconds);
        return text;
    }
    appendClock(text, seconds);
    return text;
}

ConversionSummary summarizeConversion(const std::string& program, const std::string& configDir,
                                      int32_t result, bool aborted, double wallSeconds) {
    ConversionSummary s;
    s.program = program;
    s.result = result;
    s.aborted = aborted;
    s.wallSeconds = wallSeconds;
    s.cm = fileOf(program, "CM");
    s.brk = fileOf(program, "BRK");
    s.lim = fileOf(program, "LIM");
    s.ev = fileOf(program, "EV");
    readBrk(s.brk.path, s);
    readLim(s.lim.path, s);
    s.lines = countLines(program);
    if (result == 0 && !aborted) {
        walkStreams(program, configDir, s);
        s.configuration = configurationText(configDir, s.rapidsAsFeeds);
    }
    return s;
}

std::string formatSummary(const ConversionSummary& s) {
    std::string out;
    const char* outcome = s.result != 0        ? "FAILED"
                          : s.aborted          ? "ABORTED (Esc)"
                          : s.strictRefused    ? "REFUSED (--strict: not executed as written)"
                          : s.motion           ? "converted"
                          : s.noMotion.empty() ? "converted (events only, no motion)"
                                               : "converted";
    appendf(out, "%s: %s in %.2f s%s%s\n", printableText(s.program).c_str(), outcome, s.wallSeconds,
            s.noMotion.empty() ? "" : ", ", printableText(s.noMotion).c_str());
    if (s.result != 0 || s.aborted || s.strictRefused) return out;
    if (s.walked) {
        const double dwellSeconds = static_cast<double>(s.dwellP) / 1000.0;
        const double cycle = s.motionSeconds + s.rapidSeconds + dwellSeconds;
        appendf(out, "  cycle     %s: motion %s", clockText(cycle).c_str(),
                clockText(s.motionSeconds).c_str());
        if (s.rapidSeconds > 0.0)
            appendf(out, ", rapid moves %s", clockText(s.rapidSeconds).c_str());
        if (s.dwells > 0)
            appendf(out, ", %d dwell%s %s (P in ms)", s.dwells, s.dwells == 1 ? "" : "s",
                    clockText(dwellSeconds).c_str());
        if (s.pauses > 0)
            appendf(out, "; plus the operator at %d pause%s (M0)", s.pauses,
                    s.pauses == 1 ? "" : "s");
        if (s.waits > 0)
            appendf(out, "; plus %d wait%s for an input", s.waits, s.waits == 1 ? "" : "s");
        if (s.rapidsAsFeeds) {
            appendf(out, "\n  distance  %.3f along the path, traverses planned as feeds included",
                    s.feedDistance);
            if (s.rapidDistance > 0.0) appendf(out, ", rapid moves %.3f", s.rapidDistance);
            out += " (machine units)\n";
        } else {
            appendf(out, "\n  distance  feed %.3f, rapid moves %.3f (machine units)\n",
                    s.feedDistance, s.rapidDistance);
        }
        out += "  tools    ";
        for (const char tool : s.tools)  // tool numbers 0..255, kept as bytes
            appendf(out, " T%d", static_cast<unsigned char>(tool));
        out += s.tools.empty() ? " no tool change\n" : "\n";
    }
    appendf(out, "  break     %d chunks, %d rapid moves, %d events%s\n", s.chunks, s.rapids,
            s.events, s.brkReadable ? "" : " (BRK stream incomplete)");
    if (s.haveBounds) {
        appendf(out, "  bounds    X %.4f .. %.4f   Y %.4f .. %.4f   Z %.4f .. %.4f\n", s.bounds[2],
                s.bounds[0], s.bounds[3], s.bounds[1], s.bounds[5], s.bounds[4]);
    }
    if (!s.configuration.empty()) out += "  config    " + s.configuration + "\n";
    if (s.lines >= 0) appendf(out, "  program   %lld lines read\n", s.lines);
    if (s.diagnosticKinds == 0) {
        out += "  warnings  none: every line executed as written\n";
    } else {
        appendf(out, "  warnings  %zu kind%s, %llu line%s not executed as written (below)\n",
                s.diagnosticKinds, s.diagnosticKinds == 1 ? "" : "s", s.diagnosticLines,
                s.diagnosticLines == 1 ? "" : "s");
    }
    out += "  files     " + sizeText(s.cm) + ", " + sizeText(s.brk) + ", " + sizeText(s.lim) +
           ", " + sizeText(s.ev) + "\n";
    return out;
}

}  // namespace pulsepost::cli
