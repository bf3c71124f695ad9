#include "gcode/machine_events.h"

#include <cmath>
#include <cstring>

#include "gcode/conversion_state.h"
#include "gcode/diagnostics.h"
#include "gcode/line_words.h"
#include "gcode/segment_append.h"
#include "platform/files.h"

namespace pulsepost {

namespace {

constexpr uint8_t kCoolantBit = 0x01;      // outputs bit switched by M7, M8, M9
constexpr int32_t kCodedOutputBase = 100;  // M90/M91 outputs 101..127 are coded outputs
constexpr int32_t kLastCodedOutput = 127;
constexpr int32_t kLastNumberedOutput = 7;   // M90/M91 outputs 0..7 are bits of outputs
constexpr uint8_t kCodedOutputOnBit = 0x80;  // in a coded output's code: the wanted state is on

// The low 8 bits of value truncated toward zero (value finite). fmod is exact, so this holds for
// every finite value, however large.
uint8_t lowByteOfTruncated(double value) {
    const double wrapped = std::fmod(std::trunc(value), 256.0);
    return static_cast<uint8_t>(static_cast<int32_t>(wrapped) & 0xFF);
}

void toolChange(const char* line, int32_t lineNumber, int32_t& status, SegmentStore& store) {
    const char* text = wordText(line, 'T');
    if (!text) return;
    const double value = readDecimal(text);
    if (!std::isfinite(value)) {
        status = refuseLine(lineNumber, "the tool number is not finite");
        return;
    }
    ConversionState& state = conversionState();
    const uint8_t tool = lowByteOfTruncated(value);
    if (tool == state.tool) return;
    state.tool = tool;
    appendEventHere(SegmentKind::ToolChange, store);
}

void coolant(bool on, SegmentStore& store) {
    ConversionState& state = conversionState();
    const bool isOn = (state.outputs & kCoolantBit) != 0;
    if (isOn == on) return;
    state.outputs =
        static_cast<uint8_t>(on ? (state.outputs | kCoolantBit) : (state.outputs & ~kCoolantBit));
    appendEventHere(SegmentKind::OutputEvent, store);
}

// M50 (on) and M51 (off): the mark in any case; with both "AT" and "OUT" in the line, the AT
// value becomes the P value (the per cent of the next feed move where the output switches) and
// the event is listed in the EV file.
void announceOutputEvent(const char* line, bool on, FILE* events) {
    ConversionState& state = conversionState();
    state.eventFlags |= SegmentFlags::EventMark;
    const char* at = std::strstr(line, "AT");
    const char* out = std::strstr(line, "OUT");
    if (!at || !out) return;
    const int32_t atValue = readInteger(at + 2);
    const int32_t outValue = readInteger(out + 3);
    state.pValue = static_cast<int16_t>(atValue);
    if (!events) return;  // a read that writes no files
    printText(events, on ? "ONAT,%d,%d\n" : "OFFAT,%d,%d\n", static_cast<int>(atValue),
              static_cast<int>(outValue));
}

// M90 (off) and M91 (on) with "OUT<n>": outputs 0..7 switch a bit of outputs (a record only when
// the bit changes); coded outputs 101..127 always give a SpindleEvent whose spindle byte carries
// (n - 100) in bits 1..6 and the wanted state in bit 7, the spindle state itself unchanged.
void switchOutput(const char* line, bool on, SegmentStore& store) {
    const char* out = std::strstr(line, "OUT");
    if (!out) return;
    // The low 8 bits of the number, as a signed value -128..127.
    const int32_t lowByte = readInteger(out + 3) & 0xFF;
    const int32_t n = lowByte >= 128 ? lowByte - 256 : lowByte;
    ConversionState& state = conversionState();
    if (n >= 0 && n <= kLastNumberedOutput) {
        const uint8_t bit = static_cast<uint8_t>(1u << n);
        const bool isOn = (state.outputs & bit) != 0;
        if (isOn == on) return;
        state.outputs = static_cast<uint8_t>(on ? (state.outputs | bit) : (state.outputs & ~bit));
        appendEventHere(SegmentKind::OutputEvent, store);
    } else if (n > kCodedOutputBase && n <= kLastCodedOutput) {
        const uint8_t spindle = state.spindle;
        state.spindle =
            static_cast<uint8_t>(2 * (n - kCodedOutputBase) + (on ? kCodedOutputOnBit : 0));
        appendEventHere(SegmentKind::SpindleEvent, store);
        state.spindle = spindle;
    }
}

void waitKeyword(const char* line, const char* keyword, bool level, SegmentStore& store) {
    const char* at = std::strstr(line, keyword);
    if (!at) return;
    Segment record = makeEvent(SegmentKind::WaitInput, currentPosition());
    record.set(SegmentFlags::MinorArc, level);
    record.axisMask = static_cast<uint8_t>(readInteger(at + std::strlen(keyword)));
    appendSegment(record, store);
}

}  // namespace

Vec4 currentPosition() {
    return conversionState().pending.end;
}

void appendEventHere(SegmentKind kind, SegmentStore& store) {
    Segment record = makeEvent(kind, currentPosition());
    appendSegment(record, store);
}

void handleWaitKeywords(const char* line, SegmentStore& store) {
    // Most lines have no W at all; one search for it spares the two keyword searches.
    if (std::strchr(line, 'W') == nullptr) return;
    waitKeyword(line, "WAITFORON", true, store);
    waitKeyword(line, "WAITFOROFF", false, store);
}

int32_t handleMWords(const char* line, int32_t lineNumber, FILE* events, SegmentStore& store,
                     bool& programEnd) {
    ConversionState& state = conversionState();
    int32_t status = 0;
    for (const char* m = std::strchr(line, 'M'); m && status == 0; m = std::strchr(m + 1, 'M')) {
        switch (readInteger(m + 1)) {
            case 0:
                appendEventHere(SegmentKind::Pause, store);
                break;
            case 3:
            case 4:
                state.spindle = 1;
                appendEventHere(SegmentKind::SpindleEvent, store);
                break;
            case 5:
                state.spindle = 0;
                appendEventHere(SegmentKind::SpindleEvent, store);
                break;
            case 6:
                toolChange(line, lineNumber, status, store);
                break;
            case 7:
            case 8:
                coolant(true, store);
                break;
            case 9:
                coolant(false, store);
                break;
            case 50:
                announceOutputEvent(line, true, events);
                break;
            case 51:
                announceOutputEvent(line, false, events);
                break;
            case 57:
                if (const char* comma = std::strchr(line, ',')) {
                    emitAuxValue(readInteger(comma + 1), store);
                }
                break;
            case 90:
                switchOutput(line, false, store);
                break;
            case 91:
                switchOutput(line, true, store);
                break;
            case 2:
            case 30:
                programEnd = true;
                break;
            default:
                noteUnknownCode(DiagnosticKind::UnknownMCode, lineNumber, m);
                break;
        }
    }
    return status;
}

void emitSpindleSpeed(int32_t value, SegmentStore& store) {
    conversionState().sValue = value;
    appendEventHere(SegmentKind::SpindleSpeed, store);
}

void emitAuxValue(int32_t value, SegmentStore& store) {
    conversionState().sValue = value;
    appendEventHere(SegmentKind::AuxValue, store);
}

}  // namespace pulsepost
