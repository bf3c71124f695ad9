#include "conversion_summary.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace pulsepost::cli {

std::string outputPathOf(const std::string& program, const char* extension) {
    const std::size_t slash = program.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = program.rfind('.');
    const std::string stem =
        (dot != std::string::npos && dot >= nameStart) ? program.substr(0, dot) : program;
    return stem + "." + extension;
}

namespace {

std::vector<uint8_t> readAll(const std::string& path, long long& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        bytes = -1;
        return {};
    }
    std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    bytes = static_cast<long long>(data.size());
    return data;
}

OutputFile fileOf(const std::string& program, const char* extension) {
    OutputFile f;
    f.path = outputPathOf(program, extension);
    readAll(f.path, f.bytes);
    return f;
}

// Payload bytes after the kind byte, or -1 for a kind the stream does not have.
int payloadOf(uint8_t kind) {
    switch (kind) {
        case 0x10:
            return 4;  // chunk
        case 0x00:
            return 49;  // rapid
        case 0x05:
        case 0x06:
        case 0x07:
            return 1;
        case 0x08:
            return 0;
        case 0x09:
        case 0x11:
            return 2;
        case 0xBB:
        case 0xBC:
            return 4;
        default:
            return -1;
    }
}

void readBrk(const std::vector<uint8_t>& b, ConversionSummary& s) {
    std::size_t i = 0;
    if (b.size() >= 14 && b[0] == 0xFF) {
        s.motion = true;
        std::memcpy(&s.ticks, b.data() + 1, 4);
        s.outputByte = b[13];
        i = 14;
    } else if (b.size() >= 5 && b[0] == 1 && b[1] == 0 && b[2] == 0 && b[3] == 0 && b[4] == 1) {
        i = 5;
    } else {
        return;
    }
    while (i < b.size()) {
        const uint8_t kind = b[i++];
        if (kind == 0xFF) {
            s.brkReadable = i == b.size();
            return;
        }
        const int payload = payloadOf(kind);
        if (payload < 0 || i + static_cast<std::size_t>(payload) > b.size()) return;
        i += static_cast<std::size_t>(payload);
        if (kind == 0x10)
            s.chunks += 1;
        else if (kind == 0x00)
            s.rapids += 1;
        else
            s.events += 1;
    }
}

void readLim(const std::string& path, ConversionSummary& s) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return;
    int n = 0;
    while (n < 6 && std::fscanf(f, "%lf", &s.bounds[n]) == 1)
        ++n;
    std::fclose(f);
    s.haveBounds = n == 6;
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
    s.lim = fileOf(program, "LIM");
    s.ev = fileOf(program, "EV");
    s.brk.path = outputPathOf(program, "BRK");
    readBrk(readAll(s.brk.path, s.brk.bytes), s);
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
