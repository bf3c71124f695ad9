// What a conversion left beside the program, read back from the files: sizes, the BRK header
// (tick count, outputs), the BRK records by kind, and the bounds of the LIM file. The streams are
// decoded by the readback library; the sizes come from the file system.
#pragma once

#include <cstdint>
#include <string>

namespace pulsepost::cli {

struct OutputFile {
    std::string path;      // empty when the program's path leaves no room for the name
    long long bytes = -1;  // -1: not there
};

struct ConversionSummary {
    std::string program;
    int32_t result = 0;    // what p returned
    bool aborted = false;  // Esc after the path was interpreted (the result is then 0)
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
};

// Reads the files of a conversion that has ended.
ConversionSummary summarizeConversion(const std::string& program, int32_t result, bool aborted,
                                      double wallSeconds);

// A few lines for the terminal; the first names the program and the outcome.
std::string formatSummary(const ConversionSummary& summary);

}  // namespace pulsepost::cli
