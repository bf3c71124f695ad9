// The output files: the LIM bounds, the BRK break stream (header, rapid moves and events in path
// order, chunk records dividing the CM stream at rest points, terminator), and timeMem.txt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "geometry/segment.h"
#include "store/segment_store.h"

namespace pulsepost {

constexpr int32_t kBreakSpacingLimit = 3970000;  // CM bytes per chunk, as far as stops allow
constexpr uint8_t kBrkTerminator = 0xFF;
constexpr uint8_t kBrkChunkKind = 0x10;

// Every BRK write: buffered write, then a raw write to the descriptor when that falls short,
// then "\nERROR: DISK FULL.\n" on standard output when that too falls short.
void writeChecked(const void* data, std::size_t itemSize, std::size_t itemCount, FILE* file);

// Writes the six program bounds; false when the file could not be created.
bool writeLimFile(const char* programPath);

void writeBrkHeader(int32_t tickTotal, double maxZ, FILE* brk);
void writeRecord(const Segment& record, FILE* brk);
void writeChunk(int32_t bytes, FILE* brk);

// The break-stream writer's counters, zero at the start of the tick stage.
struct BreakWriter {
    int32_t lastMark = 0;  // byteTotal at the end of the last chunk written
    int32_t lastStop = 0;  // byteTotal at the last stop point passed
};

void passRecord(BreakWriter& writer, const Segment& record, int32_t byteTotal,
                int32_t breakSpacingLimit, FILE* brk);

// After the last tick: the rest of the records, the terminator, the last step words.
void finishBreakStream(BreakWriter& writer, const Segment& current, SegmentStore& segments,
                       FILE* cm, FILE* brk);

// The whole BRK file of a path without feed moves.
void writeEventsOnlyBrk(SegmentStore& segments, FILE* brk);

}  // namespace pulsepost
