// Reading a BRK break stream back: the header (with motion: 0xFF, tick count, maxZ, output
// byte; without motion: the 32-bit value 1 and the byte 1), then the entries in path order —
// chunk records that divide the CM stream, rapid moves and machine events — and the terminator
// 0xFF. Every field is little-endian; doubles are IEEE 754 binary64.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "geometry/vec4.h"
#include "readback/readback_error.h"

namespace pulsepost {

constexpr int32_t kBrkMotionHeaderBytes = 14;
constexpr int32_t kBrkEventsOnlyHeaderBytes = 5;

// One entry of the stream. kind is the entry's first byte: 0x10 for a chunk, otherwise the code
// of the record it was written from (SegmentKind).
struct BrkEntry {
    uint8_t kind = 0;
    int64_t offset = 0;      // byte offset of the kind byte in the BRK file
    int32_t chunkBytes = 0;  // chunk: CM bytes of the stretch of motion that ends here
    uint8_t value = 0;       // spindle code, output bits, tool, input number, or rapid axis mask
    uint8_t level = 0;       // WaitInput: 1 awaits the input on, 0 off
    int16_t pValue = 0;      // Dwell: the P value
    int32_t sValue = 0;      // SpindleSpeed, AuxValue
    Vec4 end;                // Rapid: end point, units
    double length = 0.0;     // Rapid: units
    double speed = 0.0;      // Rapid: units per second

    bool isChunk() const;
    bool isRapid() const;
};

struct BrkStream {
    bool hasMotion = false;  // motion header (0xFF) rather than the events-only header
    int32_t tickCount = 0;   // motion header: ticks in the CM stream
    double maxZ = 0.0;       // motion header: units, the program's highest z
    uint8_t outputByte = 0;  // motion header: bit k output k enabled, bit 4+k its sign negative
    std::vector<BrkEntry> entries;  // in stream order, the terminator excluded
    int64_t size = 0;               // bytes in the file
};

// Decodes a whole stream. Returns 0, or -1 with error naming the offset and what was expected
// there: an unknown header, an unknown entry kind, an entry cut short, a chunk that covers no
// bytes, a chunk in a stream without motion, a missing terminator, bytes after it.
int32_t decodeBreakStream(const uint8_t* data, std::size_t size, BrkStream& out,
                          ReadbackError& error);

// Size in bytes of the entry that starts with kind (kind byte included); 0 for an unknown kind.
int32_t brkEntrySize(uint8_t kind);

// Short name of an entry kind: "chunk", "rapid", "spindle", "output", ... or "unknown".
const char* brkEntryName(uint8_t kind);

// What a machinist reads for an event entry: "spindle on", "coolant on", "tool 4",
// "dwell P1500", "wait for input 3 on", "output 105 on", "spindle speed S12000", ...
std::string describeBrkEntry(const BrkEntry& entry);

}  // namespace pulsepost
