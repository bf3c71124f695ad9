#include "conversion_summary.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/files.h"
#include "readback/break_stream.h"
#include "readback/motion_readback.h"
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
std::string fileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string sizeText(const OutputFile& f) {
    if (f.bytes < 0) return fileName(f.path) + " (not written)";
    char text[64];
    if (f.bytes >= 10 * 1024 * 1024) {
        std::snprintf(text, sizeof text, " %.1f MB",
                      static_cast<double>(f.bytes) / (1024.0 * 1024.0));
    } else if (f.bytes >= 10 * 1024) {
        std::snprintf(text, sizeof text, " %.1f kB", static_cast<double>(f.bytes) / 1024.0);
    } else {
        std::snprintf(text, sizeof text, " %lld B", f.bytes);
    }
    return fileName(f.path) + text;
}

std::string outputsText(uint8_t byte) {
    static const char* const kNames[4] = {"out0", "out1", "out2", "out3"};
    std::string text;
    for (int k = 0; k < 4; ++k) {
        if ((byte & (1u << k)) == 0) continue;
        if (!text.empty()) text += ' ';
        text += kNames[k];
        if (byte & (1u << (4 + k))) text += "(-)";
    }
    return text.empty() ? "none" : text;
}

}  // namespace

ConversionSummary summarizeConversion(const std::string& program, int32_t result, bool aborted,
                                      double wallSeconds) {
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
    return s;
}

std::string formatSummary(const ConversionSummary& s) {
    std::string out;
    char line[512];
    const char* outcome = s.result != 0 ? "FAILED"
                          : s.aborted   ? "ABORTED (Esc)"
                          : s.motion    ? "converted"
                                        : "converted (events only, no motion)";
    std::snprintf(line, sizeof line, "%s: %s in %.2f s\n", s.program.c_str(), outcome,
                  s.wallSeconds);
    out += line;
    if (s.result != 0 || s.aborted) return out;
    if (s.motion) {
        std::snprintf(line, sizeof line,
                      "  motion  %.3f s, %d ticks at 643 per second, outputs %s\n",
                      (s.ticks - 1) / kTicksPerSecond, s.ticks, outputsText(s.outputByte).c_str());
        out += line;
    }
    if (s.haveBounds) {
        std::snprintf(line, sizeof line,
                      "  bounds  X %.4f .. %.4f   Y %.4f .. %.4f   Z %.4f .. %.4f\n", s.bounds[2],
                      s.bounds[0], s.bounds[3], s.bounds[1], s.bounds[5], s.bounds[4]);
        out += line;
    }
    std::snprintf(line, sizeof line, "  break   %d chunks, %d rapid moves, %d events%s\n", s.chunks,
                  s.rapids, s.events, s.brkReadable ? "" : " (BRK stream incomplete)");
    out += line;
    out += "  files   " + sizeText(s.cm) + ", " + sizeText(s.brk) + ", " + sizeText(s.lim) + ", " +
           sizeText(s.ev) + "\n";
    return out;
}

}  // namespace pulsepost::cli
