// Machine events of a program line: the wait-for-input keywords, the M words, the S word and the
// M57 value. Each event is a record at the current position, built after its state change (so it
// carries the new modal values) and appended at once. M50 and M51 build no record: they write a
// line of the EV file and set the one-shot output-event mark.
#pragma once

#include <cstdint>
#include <cstdio>

#include "geometry/segment.h"
#include "store/segment_store.h"

namespace pulsepost {

// The current position: the end of the append's pending record.
Vec4 currentPosition();

// Builds an event of the kind at the current position and appends it.
void appendEventHere(SegmentKind kind, SegmentStore& store);

// "WAITFORON<n>" and "WAITFOROFF<n>" anywhere in the line: one WaitInput record each, WAITFORON
// first, awaiting input n at level on (MinorArc set) or off.
void handleWaitKeywords(const char* line, SegmentStore& store);

// Every M word of the line, left to right. events is the open EV file. M2 and M30 set programEnd:
// the lines after this one are not executed. 0, or kRefused (with the message sent) when a tool
// number is not finite.
int32_t handleMWords(const char* line, int32_t lineNumber, FILE* events, SegmentStore& store,
                     bool& programEnd);

// sValue = value and a SpindleSpeed record.
void emitSpindleSpeed(int32_t value, SegmentStore& store);

// sValue = value and an AuxValue record.
void emitAuxValue(int32_t value, SegmentStore& store);

}  // namespace pulsepost
