#include "readback/text_outputs.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/files.h"

namespace pulsepost {

namespace {

constexpr int kLimLines = 6;

// Splits text into CR LF lines. Returns the number of lines, or -1 with error at the first
// line end that is not CR LF or the text after the last line end.
int32_t splitCrLfLines(const std::string& text, const char* file, std::vector<std::string>& lines,
                       std::vector<int64_t>& offsets, ReadbackError& error) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string::npos) {
            return readbackFailure(error, file, static_cast<int64_t>(text.size()),
                                   "line %zu has no line end; expected CR LF", lines.size() + 1);
        }
        if (lf == start || text[lf - 1] != '\r') {
            return readbackFailure(error, file, static_cast<int64_t>(lf),
                                   "line %zu ends with LF alone; expected CR LF", lines.size() + 1);
        }
        const std::string line = text.substr(start, lf - 1 - start);
        if (line.find('\r') != std::string::npos) {
            return readbackFailure(error, file, static_cast<int64_t>(start + line.find('\r')),
                                   "a CR inside line %zu; expected CR only before LF",
                                   lines.size() + 1);
        }
        lines.push_back(line);
        offsets.push_back(static_cast<int64_t>(start));
        start = lf + 1;
    }
    return static_cast<int32_t>(lines.size());
}

// A decimal integer filling [begin, end), as the writer's %d prints it.
bool parseWholeInt(const char* begin, const char* end, int32_t& value) {
    if (begin == end) return false;
    char* stop = nullptr;
    errno = 0;
    const long v = std::strtol(begin, &stop, 10);
    if (stop != end || errno != 0 || v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int32_t>(v);
    return true;
}

}  // namespace

int32_t parseLimText(const std::string& text, LimBounds& out, ReadbackError& error) {
    std::vector<std::string> lines;
    std::vector<int64_t> offsets;
    if (splitCrLfLines(text, "LIM", lines, offsets, error) < 0) return -1;
    if (lines.size() != kLimLines) {
        return readbackFailure(error, "LIM", static_cast<int64_t>(text.size()),
                               "%zu lines; expected 6 (maxX, maxY, minX, minY, maxZ, minZ)",
                               lines.size());
    }
    double* fields[kLimLines] = {&out.maxX, &out.maxY, &out.minX, &out.minY, &out.maxZ, &out.minZ};
    for (int i = 0; i < kLimLines; ++i) {
        const char* begin = lines[i].c_str();
        char* stop = nullptr;
        const double v = std::strtod(begin, &stop);
        if (lines[i].empty() || stop != begin + lines[i].size() || !std::isfinite(v)) {
            return readbackFailure(error, "LIM", offsets[i],
                                   "line %d is \"%.40s\"; expected a finite number", i + 1, begin);
        }
        *fields[i] = v;
    }
    return 0;
}

int32_t parseEvText(const std::string& text, std::vector<EvLine>& out, ReadbackError& error) {
    out.clear();
    std::vector<std::string> lines;
    std::vector<int64_t> offsets;
    if (splitCrLfLines(text, "EV", lines, offsets, error) < 0) return -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        EvLine ev;
        std::size_t prefix = 0;
        if (line.rfind("ONAT,", 0) == 0) {
            ev.on = true;
            prefix = 5;
        } else if (line.rfind("OFFAT,", 0) == 0) {
            prefix = 6;
        }
        const std::size_t comma = line.find(',', prefix);
        const char* base = line.c_str();
        if (prefix == 0 || comma == std::string::npos ||
            !parseWholeInt(base + prefix, base + comma, ev.at) ||
            !parseWholeInt(base + comma + 1, base + line.size(), ev.out)) {
            return readbackFailure(error, "EV", offsets[i],
                                   "line %zu is \"%.40s\"; expected ONAT,<at>,<out> or "
                                   "OFFAT,<at>,<out>",
                                   i + 1, base);
        }
        out.push_back(ev);
    }
    return 0;
}

bool readWholeFile(const char* path, std::string& text) {
    text.clear();
    OpenStatus status = OpenStatus::Opened;
    FILE* f =
        openRegularFile(path, "rb", status);  // a FIFO in an output's place is never waited on
    if (f == nullptr) return false;
    char buffer[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    std::fclose(f);
    return true;
}

}  // namespace pulsepost
