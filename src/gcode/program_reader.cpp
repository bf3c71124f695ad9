#include <cerrno>
#include <cstdio>
#include <cstring>

#include "gcode/conversion_state.h"
#include "gcode/diagnostics.h"
#include "gcode/interpreter.h"
#include "gcode/line_words.h"
#include "gcode/machine_events.h"
#include "gcode/motion_words.h"
#include "gcode/segment_append.h"
#include "platform/files.h"
#include "report/message_sink.h"

namespace pulsepost {

// Theory of operation: the line loop (stage 0).
//
// The program is read with a 128-byte buffer: a line of more than 127 characters arrives in
// pieces, and every piece is handled as a line of its own. A line is cut at the first of "*(%/;"
// (checksum, comment, tape mark, block delete: everything after is ignored, in the pieces that
// follow too, so that a comment is never executed); lower-case letters read as upper case. Then, in
// this order: the wait-for-input keywords, the M words, the G words, the other words, and the
// motion of the line. Each record is appended as soon as it is built, so the current position
// (the pending record's end) follows every accepted record. A G92 line only sets the work
// offset and skips the progress step.
//
// Progress counts down lines: the first line reports, then one line in every
// (file length x 0.001 + 1), computed in single precision; the Esc check is made at each report.
//
// Failure: Esc ends the read (Aborted); a refused line (a number that is not finite, a cycle
// that would never end) ends it too (Refused), with a message naming the line. The program and the
// EV file belong to the caller, which opens the program first (so that a program that cannot be
// opened leaves no EV file) and closes both. What the dialect did not execute as written is counted
// per kind while reading and reported once per kind at the end (gcode/diagnostics.h).

namespace {

constexpr int kLineBufferBytes = 128;              // one piece: at most 127 characters
constexpr float kReportCountdownPerByte = 0.001f;  // lines between reports per byte of program
constexpr double kPercent = 100.0;

// Binary on every host: the read position is then the count of bytes consumed, which measures
// stage 0 the same everywhere (the Windows runtime's text-mode position is no byte count for a
// file with LF line ends). Text mode's two translations are made by the reader itself: CR LF is
// read as LF, and on Windows a Ctrl-Z byte ends the program.
constexpr const char* kProgramReadMode = "rb";

char gProgramBuffer[std::size_t{1} << 16];

// How far into a program its line ends are looked for.
constexpr std::size_t kLineEndProbeBytes = 4096;

// True when the program's lines end with a CR alone (files from old Macintosh systems and some
// controllers): its start holds a CR and no LF at all. In any other file a CR not followed by LF
// is an ordinary character of its line, as in the controller's text mode. Leaves the file at its
// start; a file that cannot be repositioned (a pipe) is not looked into.
bool endsLinesWithCr(FILE* program) {
    if (std::fseek(program, 0, SEEK_SET) != 0) return false;
    char probe[kLineEndProbeBytes];
    const std::size_t n = std::fread(probe, 1, sizeof probe, program);
    std::rewind(program);
    return std::memchr(probe, '\r', n) != nullptr && std::memchr(probe, '\n', n) == nullptr;
}

// Reads the next piece of a program whose lines end at CR (or LF): the line end is read as LF.
bool readPieceEndingAtCr(char (&buffer)[kLineBufferBytes], FILE* program) {
    std::size_t n = 0;
    int c = EOF;
    while (n < kLineBufferBytes - 1 && (c = std::getc(program)) != EOF) {
        if (c == '\r' || c == '\n') {
            buffer[n++] = '\n';
            break;
        }
        buffer[n++] = static_cast<char>(c);
    }
    buffer[n] = '\0';
    return n > 0;
}

// Where the host's text mode ends a file at a byte (Ctrl-Z on Windows), the piece is cut there
// and the program ends: nothing after it is read. False when nothing is left of the piece.
bool cutAtTextEnd(char (&buffer)[kLineBufferBytes], bool& ended) {
    if (kTextEndByte < 0) return true;
    char* end = std::strchr(buffer, kTextEndByte);
    if (end == nullptr) return true;
    *end = '\0';
    ended = true;
    return end != buffer;
}

bool readPieceAsText(char (&buffer)[kLineBufferBytes], FILE* program, bool crLineEnds) {
    if (crLineEnds) return readPieceEndingAtCr(buffer, program);
    if (!std::fgets(buffer, kLineBufferBytes, program)) return false;
    std::size_t n = std::strlen(buffer);
    if (n >= 2 && buffer[n - 2] == '\r' && buffer[n - 1] == '\n') {
        buffer[n - 2] = '\n';
        buffer[n - 1] = '\0';
    } else if (n == kLineBufferBytes - 1 && buffer[n - 1] == '\r') {
        const int next = std::fgetc(program);
        if (next == '\n') {
            buffer[n - 1] = '\n';
        } else if (next != EOF) {
            std::ungetc(next, program);
        }
    }
    return true;
}

// Reads the next piece of the program. A CR LF line end is read as LF, so that a program
// written on either platform reads the same as in the controller's text mode.
bool readPiece(char (&buffer)[kLineBufferBytes], FILE* program, bool crLineEnds, bool& ended) {
    if (ended || !readPieceAsText(buffer, program, crLineEnds)) return false;
    return cutAtTextEnd(buffer, ended);
}

// Units: a shorter move is no motion. Words the dialect reads as 0 still move by the initial
// work offset (1e-7); a pulse is about 1e-4 units.
constexpr double kMotionFloor = 1e-6;

// True once the read has accepted a move of some length: the pending record is one.
bool movePending() {
    const Segment& pending = conversionState().pending;
    return (pending.kind == SegmentKind::Feed || pending.kind == SegmentKind::Rapid) &&
           pending.length > kMotionFloor;
}

bool hasText(const char* line) {
    return line[std::strspn(line, " \t\r\n")] != '\0';
}

// The diagnostics of a read that completed, once at its end; a program with words that moved
// nothing says so. A refused read reports only its refusal.
void endDiagnostics(bool hasWords, bool sawMotion) {
    if (hasWords && !sawMotion) noteDiagnostic(DiagnosticKind::NoMotion, 0, nullptr);
    reportDiagnostics();
}

// One line: keywords, M words, G words, the other words and the motion. 0 done, 1 done and the
// line was a G92 line (no report step), kRefused.
int32_t interpretLine(const char* line, MotionState& motion, FILE* events, SegmentStore& store,
                      bool& programEnd) {
    handleWaitKeywords(line, store);
    if (handleMWords(line, motion.lineNumber, events, store, programEnd) != 0) return kRefused;
    LineTarget words;
    handleGWords(line, motion, words, store);
    if (readLineWords(line, motion, words, store) != 0) return kRefused;
    if (words.g92) return 1;
    // The dialect reads G73 as a motion mode whose lines move nothing: each is a hole not drilled.
    if (motion.motionMode == 73 && hasText(line)) {
        noteDiagnostic(DiagnosticKind::CycleNotRun, motion.lineNumber, "G73");
    }
    // A cycle always drills along Z to R and Z taken as machine heights, whatever the plane, the
    // distance mode and the work offset (RS274 readers take them in the program's frame).
    if (isDrillingMode(motion.motionMode) && hasText(line) &&
        (motion.plane != 17 || motion.incremental || motion.workOffset.z != kInitialWorkOffset)) {
        char cycle[8];
        std::snprintf(cycle, sizeof cycle, "G%d", static_cast<int>(motion.motionMode));
        noteDiagnostic(DiagnosticKind::CycleHeights, motion.lineNumber, cycle);
    }
    return runLineMotion(motion, words, store);
}

}  // namespace

int32_t refuseLine(int32_t lineNumber, const char* reason) {
    messageSinkf(MessageCode::Refused, "program line %d refused: %s", static_cast<int>(lineNumber),
                 reason);
    return kRefused;
}

FILE* openProgram(const char* programPath) {
    OpenStatus status = OpenStatus::Missing;
    FILE* program = openRegularFile(programPath, kProgramReadMode, status);
    if (program != nullptr) {
        // The lines are read in large batches: the host's default buffer would ask the system
        // for every few thousand bytes of the program. One program is open at a time, as one
        // conversion runs at a time in the process.
        std::setvbuf(program, gProgramBuffer, _IOFBF, sizeof gProgramBuffer);
        return program;
    }
    if (status == OpenStatus::NotRegular) {
        messageSinkf(MessageCode::FileOpen, "%s is not a regular file", programPath);
    } else {
        messageSinkf(MessageCode::FileOpen, "%s: %s", programPath, std::strerror(errno));
    }
    return nullptr;
}

InterpretResult readProgram(FILE* program, const MotionLimits& limits, FILE* events,
                            SegmentStore& store, ProgressCallback progress) {
    const long fileBytes = fileLength(program);
    const bool crLineEnds = endsLinesWithCr(program);
    const float fileBytesF = static_cast<float>(fileBytes);
    resetDiagnostics();
    MotionState motion;
    resetMotionState(motion, limits);

    char line[kLineBufferBytes];
    ReportCountdown countdown;  // lines
    bool lineStarts = true;
    bool ended = false;
    bool hasWords = false;
    bool sawMotion = false;
    bool programEnd = false;  // M2 or M30 was read: the lines after it are only counted
    bool lineCut = false;     // the line was cut in an earlier piece: the rest of it is ignored
    while (readPiece(line, program, crLineEnds, ended)) {
        // Pieces of one long line share its number.
        if (lineStarts) {
            motion.lineNumber += 1;
            lineCut = false;
        }
        lineStarts = std::strchr(line, '\n') != nullptr;

        if (lineCut) {
            line[0] = '\0';
        } else {
            lineCut = cutLine(line, motion.lineNumber);
        }
        if (!hasWords) hasWords = hasText(line);
        if (programEnd) {
            if (hasText(line)) {
                noteDiagnostic(DiagnosticKind::AfterProgramEnd, motion.lineNumber, nullptr);
            }
        } else {
            const int32_t result = interpretLine(line, motion, events, store, programEnd);
            if (!sawMotion) sawMotion = movePending();
            if (result == kRefused) return InterpretResult::Refused;
            if (result == 1) continue;
        }
        if (!countdown.due(1)) continue;

        if (escapeRequested()) return InterpretResult::Aborted;
        const long position = std::ftell(program);
        const float fraction = fileBytes > 0 ? static_cast<float>(position) / fileBytesF : 0.0f;
        reportProgress(progress, Stage::Reading, static_cast<int>(fraction * kPercent));
        countdown.remaining = static_cast<int32_t>(fileBytesF * kReportCountdownPerByte);
    }

    reportProgress(progress, Stage::Reading, kPercentDone);
    flushPending(store);
    endDiagnostics(hasWords, sawMotion);
    return InterpretResult::Read;
}

}  // namespace pulsepost
