// What a conversion left beside the program, read back from the files: sizes, the BRK header
// (tick count, outputs), the BRK records by kind, and the bounds of the LIM file. The streams are
// decoded by the readback library; the sizes come from the file system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pulsepost::cli {

struct OutputFile {
    std::string path;      // empty when the program's path leaves no room for the name
    long long bytes = -1;  // -1: not there
};

// One per conversion, its fields grouped by the file they are read from rather than packed by size.
struct ConversionSummary {  // NOLINT(clang-analyzer-optin.performance.Padding)
    std::string program;
    int32_t result = 0;               // what p returned
    bool aborted = false;             // Esc after the path was interpreted (the result is then 0)
    bool strictRefused = false;       // converted with diagnostics, refused by --strict
    std::string noMotion;             // the reason a program with words yields no motion, or empty
    std::size_t diagnosticKinds = 0;  // kinds of lines not executed as written
    unsigned long long diagnosticLines = 0;  // lines not executed as written, all kinds
    double wallSeconds = 0.0;
    OutputFile cm, brk, lim, ev;

    bool brkReadable = false;  // the BRK file decodes, terminator included
    bool motion = false;       // motion header (else events only)
    int32_t ticks = 0;         // from the header
    uint8_t outputByte = 0;    // motor outputs that take part, and their directions
    int chunks = 0;
    int rapids = 0;
    int events = 0;

    bool haveBounds = false;
    double bounds[6] = {};  // maxX, maxY, minX, minY, maxZ, minZ (units)

    // The motion read back (when the streams read back).
    bool walked = false;
    double motionSeconds = 0.0;  // the CM stream's ticks
    double rapidSeconds = 0.0;   // rapid moves played from the BRK stream
    double feedDistance = 0.0;   // units along the path of the CM stream
    double rapidDistance = 0.0;  // units of the BRK stream's rapid moves
    std::string tools;           // "T1 T4", in the order of use
    int dwells = 0;
    long long dwellP = 0;  // sum of the dwells' P values (milliseconds)
    int pauses = 0;
    int waits = 0;

    long long lines = -1;        // lines of the program file; -1 when it cannot be read
    std::string configuration;   // one line: what the conversion was configured with
    bool rapidsAsFeeds = false;  // traverses in the CM stream, counted with the feeds
};

// Reads the files of a conversion that has ended with the configuration of configDir.
ConversionSummary summarizeConversion(const std::string& program, const std::string& configDir,
                                      int32_t result, bool aborted, double wallSeconds);

// h:mm:ss, with tenths below a minute ("0:00:02.5").
std::string clockText(double seconds);

// A few lines for the terminal; the first names the program and the outcome.
std::string formatSummary(const ConversionSummary& summary);

}  // namespace pulsepost::cli
