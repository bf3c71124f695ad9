// The output files: the LIM bounds, the BRK break stream (header, rapid moves and events in path
// order, chunk records dividing the CM stream at rest points, terminator), and timeMem.txt.
//
// BRK layout, little-endian, doubles in IEEE 754 binary64:
//
//   motion header   FF | N (int32 ticks) | maxZ (double) | output byte        14 bytes
//   events only     01 00 00 00 | 01                                            5 bytes
//   records         kind byte, then the payload of that kind (see writeRecord)
//   terminator      FF
//
// The output byte has bit k set for every motor output k whose axis takes part, and bit 4 + k
// as well when that axis counts negatively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "geometry/segment.h"
#include "store/segment_store.h"

namespace pulsepost {

constexpr int32_t kBreakSpacingLimit = 3970000;  // CM bytes per chunk, as far as stops allow
constexpr uint8_t kBrkTerminator = 0xFF;
constexpr uint8_t kBrkMotionHeader = 0xFF;
constexpr uint8_t kBrkChunkKind = 0x10;
constexpr int32_t kBrkEventsOnlyTag = 1;  // the events-only header: int32 1, then the byte 1
constexpr uint8_t kBrkEventsOnlyByte = 1;

constexpr const char* kTimingLogName = "timeMem.txt";  // in the current directory
constexpr const char* kDiskFullMessage = "\nERROR: DISK FULL.\n";

// Every BRK write: into the stream's buffer (kBrkBufferBytes, so that the fields go out in
// blocks), then a raw write to the descriptor when that falls short, then
// "\nERROR: DISK FULL.\n" on standard output when that too falls short. Returns false in that
// last case.
constexpr std::size_t kBrkBufferBytes = 1 << 16;
bool writeChecked(const void* data, std::size_t itemSize, std::size_t itemCount, FILE* file);

// Opens a file beside the program, named after it with the given extension, for binary writing.
// A name that cannot be formed or a file that cannot be created: message code 7 and nullptr.
FILE* openOutputFile(const char* programPath, const char* extension);

// Writes the six program bounds (maxX, maxY, minX, minY, maxZ, minZ, "%lf" each, CR LF). False
// after message code 7 when the file cannot be created, or code 9 when it was not written whole:
// the streams would otherwise go out beside missing, stale or cut bounds.
bool writeLimFile(const char* programPath);

// Message code 9 with the file's path and the C library's text for error, when error is not 0.
// True when there was nothing to report.
bool reportUnwritten(const char* path, int error);

// The output byte of the motion header, from the axis map.
uint8_t outputByte();

void writeBrkHeader(int32_t tickTotal, double maxZ, FILE* brk);

// One BRK record, field by field: rapid moves and events. Feed and Placeholder records write
// nothing here (a Feed is represented by chunk records).
void writeRecord(const Segment& record, FILE* brk);

// The break-stream writer's counters, zero at the start of the tick stage.
struct BreakWriter {
    int32_t lastMark = 0;  // byteTotal at the end of the last chunk written
    int32_t lastStop = 0;  // byteTotal at the last stop point passed
};

// A record the tick walk has left behind, when the CM stream holds byteTotal bytes. Only a stop
// point or a break point changes anything (most Feed records are neither).
void passStopOrBreak(BreakWriter& writer, const Segment& record, int32_t byteTotal,
                     int32_t breakSpacingLimit, FILE* brk);
inline void passRecord(BreakWriter& writer, const Segment& record, int32_t byteTotal,
                       int32_t breakSpacingLimit, FILE* brk) {
    if (record.has(SegmentFlags::StopAtEnd | SegmentFlags::BreakPoint)) {
        passStopOrBreak(writer, record, byteTotal, breakSpacingLimit, brk);
    }
}

// After the last tick: the current record (nullptr when there is none) and every record left in
// the store, the terminator, and the last step words into CM. The files stay open.
void finishBreakStream(BreakWriter& writer, const Segment* current, SegmentStore& segments,
                       FILE* cm, FILE* brk);

// The whole BRK file of a path without feed moves: events-only header, records, terminator.
void writeEventsOnlyBrk(SegmentStore& segments, FILE* brk);

// timeMem.txt: opened at the start of a conversion (nullptr, after message code 7, when it
// cannot be created); the two lines carry whole seconds since conversionStart.
FILE* openTimingLog();
void writeTimingLine1(FILE* log, std::time_t conversionStart);
void writeTimingLine2(FILE* log, std::time_t conversionStart);
// Closes timeMem.txt (nothing to do for nullptr); false after message code 9 when a line of it
// could not be written.
bool closeTimingLog(FILE* log);

}  // namespace pulsepost
