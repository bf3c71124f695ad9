#include "output/output_files.h"

#include <cerrno>
#include <cstring>

#include "config/axis_map.h"
#include "gcode/conversion_state.h"
#include "output/step_word.h"
#include "platform/files.h"
#include "report/message_sink.h"

namespace pulsepost {

bool writeChecked(const void* data, std::size_t itemSize, std::size_t itemCount, FILE* file) {
    if (std::fwrite(data, itemSize, itemCount, file) == itemCount) return true;
    // The stream could not push out its buffer. The seek by 0 tries once more, so that a direct
    // write to the descriptor lands after what it held; the stream keeps its error flag and its
    // first error is noted, so the conversion is not reported complete.
    noteWriteError(file);
    std::fseek(file, 0, SEEK_CUR);
    const std::size_t bytes = itemSize * itemCount;
    const long written = rawWrite(file, data, bytes);
    if (written >= 0 && static_cast<std::size_t>(written) == bytes) return true;
    std::fputs(kDiskFullMessage, stdout);
    std::fflush(stdout);
    return false;
}

FILE* openOutputFile(const char* programPath, const char* extension) {
    char path[kPathLimit + 1];
    if (!outputPath(path, programPath, extension)) {
        messageSinkf(MessageCode::FileOpen, "%s: the %s file name would exceed %d characters",
                     programPath, extension, kPathLimit);
        return nullptr;
    }
    FILE* file = openForWriting(path);
    if (file == nullptr) messageSinkf(MessageCode::FileOpen, "%s: %s", path, openFailure(errno));
    return file;
}

bool writeLimFile(const char* programPath) {
    char path[kPathLimit + 1];
    if (!outputPath(path, programPath, "LIM")) {
        messageSinkf(MessageCode::FileOpen, "%s: the LIM file name would exceed %d characters",
                     programPath, kPathLimit);
        return false;
    }
    FILE* lim = openTextForWriting(path);
    if (lim == nullptr) {
        messageSinkf(MessageCode::FileOpen, "%s: %s", path, openFailure(errno));
        return false;
    }
    const ConversionState& state = conversionState();
    const double bounds[6] = {state.maxX, state.maxY, state.minX,
                              state.minY, state.maxZ, state.minZ};
    for (double value : bounds)
        printText(lim, "%lf\n", value);
    return reportUnwritten(path, closeWritten(lim));
}

bool reportUnwritten(const char* path, int error) {
    if (error == 0) return true;
    messageSinkf(MessageCode::WriteFailed, "%s could not be written: %s", path,
                 std::strerror(error));
    return false;
}

uint8_t outputByte() {
    const AxisMap& map = axisMap();
    uint8_t byte = 0;
    for (int k = 0; k < 4; ++k) {
        const int axis = map.axisChannel[k];
        if (map.axisEnabled[axis] != 1) continue;
        byte |= static_cast<uint8_t>(1u << k);
        if (map.axisSign[axis] < 0) byte |= static_cast<uint8_t>(1u << (4 + k));
    }
    return byte;
}

void writeBrkHeader(int32_t tickTotal, double maxZ, FILE* brk) {
    const uint8_t tag = kBrkMotionHeader;
    const uint8_t outputs = outputByte();
    writeChecked(&tag, 1, 1, brk);
    writeChecked(&tickTotal, sizeof tickTotal, 1, brk);
    writeChecked(&maxZ, sizeof maxZ, 1, brk);
    writeChecked(&outputs, 1, 1, brk);
}

namespace {
void writeChunk(int32_t bytes, FILE* brk) {
    const uint8_t tag = kBrkChunkKind;
    writeChecked(&tag, 1, 1, brk);
    writeChecked(&bytes, sizeof bytes, 1, brk);
}
}  // namespace

// Record layouts after the kind byte:
//   Rapid 0x00         axisMask, end (4 doubles), length, speed     50 bytes in all
//   SpindleEvent 0x05  spindle                                       2
//   OutputEvent 0x06   outputs                                       2
//   ToolChange 0x07    tool                                          2
//   Pause 0x08         -                                             1
//   Dwell 0x09         pValue (int16)                                3
//   WaitInput 0x11     input number, level (1 on, 0 off)             3
//   SpindleSpeed 0xBB  sValue (int32)                                5
//   AuxValue 0xBC      sValue (int32)                                5
void writeRecord(const Segment& record, FILE* brk) {
    const uint8_t kind = static_cast<uint8_t>(record.kind);
    switch (record.kind) {
        case SegmentKind::Rapid:
            writeChecked(&kind, 1, 1, brk);
            writeChecked(&record.axisMask, 1, 1, brk);
            writeChecked(&record.end, sizeof(double), 4, brk);
            writeChecked(&record.length, sizeof(double), 1, brk);
            writeChecked(&record.speed, sizeof(double), 1, brk);
            return;
        case SegmentKind::SpindleEvent:
            writeChecked(&kind, 1, 1, brk);
            writeChecked(&record.spindle, 1, 1, brk);
            return;
        case SegmentKind::OutputEvent:
            writeChecked(&kind, 1, 1, brk);
            writeChecked(&record.outputs, 1, 1, brk);
            return;
        case SegmentKind::ToolChange:
            writeChecked(&kind, 1, 1, brk);
            writeChecked(&record.tool, 1, 1, brk);
            return;
        case SegmentKind::Pause:
            writeChecked(&kind, 1, 1, brk);
            return;
        case SegmentKind::Dwell:
            writeChecked(&kind, 1, 1, brk);
            writeChecked(&record.pValue, sizeof record.pValue, 1, brk);
            return;
        case SegmentKind::WaitInput: {
            const uint8_t level = record.has(SegmentFlags::MinorArc) ? 1 : 0;
            writeChecked(&kind, 1, 1, brk);
            writeChecked(&record.axisMask, 1, 1, brk);
            writeChecked(&level, 1, 1, brk);
            return;
        }
        case SegmentKind::SpindleSpeed:
        case SegmentKind::AuxValue:
            writeChecked(&kind, 1, 1, brk);
            writeChecked(&record.sValue, sizeof record.sValue, 1, brk);
            return;
        case SegmentKind::Feed:
        case SegmentKind::Placeholder:
            return;
    }
}

// Break spacing: the chunk that ends at a stop point is written only when the record brings a
// break point (an event or a rapid follows), or when the bytes since the last chunk exceed the
// spacing limit; the chunk then ends at the last stop passed before, so that every chunk ends
// where the machine is at rest.
//
//   lastMark ........ lastStop ........ byteTotal (now)
//   |<-- chunk written when now - lastMark > limit -->|
void passStopOrBreak(BreakWriter& writer, const Segment& record, int32_t byteTotal,
                     int32_t breakSpacingLimit, FILE* brk) {
    const bool feed = record.kind == SegmentKind::Feed;
    if (feed && record.has(SegmentFlags::StopAtEnd)) {
        if (byteTotal - writer.lastMark > breakSpacingLimit && writer.lastStop > writer.lastMark) {
            writeChunk(writer.lastStop - writer.lastMark, brk);
            writer.lastMark = writer.lastStop;
        }
        writer.lastStop = byteTotal;
    }
    if (record.has(SegmentFlags::BreakPoint)) {
        if (feed) {
            const int32_t n = writer.lastStop - writer.lastMark;
            if (n != 0) {
                writeChunk(n, brk);
                writer.lastMark = writer.lastStop;
            }
        } else {
            writeRecord(record, brk);
        }
        writer.lastStop = byteTotal;
    }
}

namespace {
void closeOut(BreakWriter& writer, const Segment& record, FILE* brk) {
    if (record.kind == SegmentKind::Feed) {
        const int32_t total = stepBuffer().byteTotal;
        const int32_t n = total - writer.lastMark;
        if (n != 0) {
            writeChunk(n, brk);
            writer.lastMark = total;
        }
    } else {
        writeRecord(record, brk);
    }
}
}  // namespace

void finishBreakStream(BreakWriter& writer, const Segment* current, SegmentStore& segments,
                       FILE* cm, FILE* brk) {
    if (current != nullptr) closeOut(writer, *current, brk);
    Segment record;
    while (read(&record, 1, segments) == 1)
        closeOut(writer, record, brk);
    writeChecked(&kBrkTerminator, 1, 1, brk);
    flushStepBuffer(cm);
}

void writeEventsOnlyBrk(SegmentStore& segments, FILE* brk) {
    rewind(segments);
    writeChecked(&kBrkEventsOnlyTag, sizeof kBrkEventsOnlyTag, 1, brk);
    writeChecked(&kBrkEventsOnlyByte, 1, 1, brk);
    Segment record;
    while (read(&record, 1, segments) == 1)
        writeRecord(record, brk);
    writeChecked(&kBrkTerminator, 1, 1, brk);
}

bool closeTimingLog(FILE* log) {
    return log == nullptr || reportUnwritten(kTimingLogName, closeWritten(log));
}

FILE* openTimingLog() {
    FILE* log = openTextForWriting(kTimingLogName);
    if (log == nullptr) {
        messageSinkf(MessageCode::FileOpen, "%s: %s", kTimingLogName, openFailure(errno));
    }
    return log;
}

namespace {
int wholeSecondsSince(std::time_t start) {
    return static_cast<int>(std::difftime(std::time(nullptr), start));
}
}  // namespace

void writeTimingLine1(FILE* log, std::time_t conversionStart) {
    if (log) printText(log, "progress bar 6 time =%d\n", wholeSecondsSince(conversionStart));
}

void writeTimingLine2(FILE* log, std::time_t conversionStart) {
    if (log) printText(log, "overall time =%d\n", wholeSecondsSince(conversionStart));
}

}  // namespace pulsepost
