// MessageSink: the one hook for the library's fatal, file-open, refusal and warning messages. The
// library's own default discards them; a tool installs a sink to show them.
#pragma once

#include <cstdint>

#include "platform/printf_format.h"
#include "pulsepost/pulsepost.h"

namespace pulsepost {

namespace MessageCode {
constexpr int32_t SegmentStoreFirstPage = 1;  // "allocating %d bytes"
constexpr int32_t ProfileStoreFirstPage = 2;  // "allocating %d bytes"
constexpr int32_t SegmentStoreFull = 3;       // no text
constexpr int32_t SegmentStorePage = 4;       // "allocating page %d -- %d bytes"
constexpr int32_t ProfileStoreFull = 5;       // no text
constexpr int32_t ProfileStorePage = 6;       // "allocating page %d -- %d bytes"
constexpr int32_t FileOpen = 7;               // the C library's text for the error
constexpr int32_t Refused = 8;                // the conversion is refused: the text says why
constexpr int32_t WriteFailed = 9;            // an output file could not be written completely
constexpr int32_t Notice = 10;                // the conversion goes on: the text says what changed
constexpr int32_t Warning =
    PULSEPOST_MESSAGE_WARNING;  // a program line was not executed as written; result unchanged
}  // namespace MessageCode

using MessageSinkFn = void (*)(int32_t code, const char* text);

// Passes a message to the installed sink (nothing happens without one). text may be empty.
void messageSink(int32_t code, const char* text);

// printf-style form of messageSink.
void messageSinkf(int32_t code, const char* format, ...) PULSEPOST_PRINTF_FORMAT(2, 3);

// Installs the sink; nullptr restores the silent default.
void setMessageSink(MessageSinkFn sink);

}  // namespace pulsepost
