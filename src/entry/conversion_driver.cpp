#include "entry/conversion_driver.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <initializer_list>

#include "config/config_validation.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "gcode/conversion_state.h"
#include "gcode/interpreter.h"
#include "output/output_files.h"
#include "output/step_word.h"
#include "output/tick_interpolator.h"
#include "planner/velocity_profile.h"
#include "platform/files.h"
#include "platform/units.h"
#include "refine/refinement.h"
#include "report/message_sink.h"
#include "store/profile_store.h"
#include "store/segment_store.h"

namespace pulsepost {

// Theory of operation
//
// One conversion runs in a fixed order on the caller's thread:
//
//   speeds per second, option bits, bounds at 0   (configuration already set up)
//   stores created, timeMem.txt opened, clock read, program opened, EV file created
//   stage 0    readProgram             program -> SegmentStore, EV file (both closed after)
//   stage 1    runFilletPass           corners rounded in place        } one walk:
//   stage 2    runDistancePass         path distances, arc speed limits } runRefinementPasses
//              CM, BRK created; LIM written
//   stage 3    planVelocityProfile     -> ProfileStore   (no feed move: events-only BRK, done)
//   stage 4    integrateProfileDistance
//              BRK header with N = trunc(T x 643 + 1)
//   stage 5    runTicks                -> CM words, BRK records
//              finishBreakStream, files closed, timing lines, (5, 100), stores released
//
// Results: Esc in stages 0 to 2 gives -1, in stages 3 to 5 it gives 0 with the CM and BRK files
// closed as they stand. A refusal (configuration that cannot drive a conversion, a program line
// that cannot be executed, a step too large for a word) gives -1 with message code 8; a program
// or a file that cannot be opened or created gives -1 with code 7 naming it, for the program, EV,
// CM, BRK and LIM (timeMem.txt, a log, is only reported). The
// program is opened before the EV file, so a program that cannot be read leaves nothing beside
// it. Every write and close of EV, CM, BRK, LIM and timeMem.txt is checked: a file that lost
// bytes gives -1 with code 9, its path and the C library's reason for the first failure.
// Whatever the end, every file the conversion opened is closed and both stores are released, so
// the next call starts clean.

namespace {

// Everything one conversion owns, released by endConversion on every path out. Every return
// ends the conversion itself; the destructor covers a conversion left by an exception (a host's
// callback that throws, the C++ runtime out of memory), which must neither leak the stores nor
// leave a stream that stops in the middle of a move.
struct Conversion {
    explicit Conversion(const char* path) : programPath(path) {}
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;
    ~Conversion();

    const char* programPath;
    SegmentStore segments;
    ProfileStore profile;
    bool storesCreated = false;
    FILE* timeLog = nullptr;
    FILE* program = nullptr;
    FILE* events = nullptr;
    FILE* cm = nullptr;
    FILE* brk = nullptr;
    std::time_t start = 0;
};

// Closes a file on a way out where its state no longer matters (its noted error is dropped).
void closeIfOpen(FILE*& file) {
    if (file) closeWritten(file);
    file = nullptr;
}

void endConversion(Conversion& c) {
    closeIfOpen(c.program);
    closeIfOpen(c.events);
    closeIfOpen(c.cm);
    closeIfOpen(c.brk);
    closeIfOpen(c.timeLog);
    if (c.storesCreated) {
        destroy(c.segments);
        destroy(c.profile);
        c.storesCreated = false;
    }
}

// The EV file beside the program, as text; nullptr after message code 7 with the C library's
// reason when it cannot be created.
FILE* openEventsFile(const char* programPath) {
    char path[kPathLimit + 1];
    int error = ENAMETOOLONG;
    if (outputPath(path, programPath, "EV")) {
        if (FILE* events = openTextForWriting(path)) return events;
        error = errno;
    }
    messageSinkf(MessageCode::FileOpen, "%s: %s", path, openFailure(error));
    return nullptr;
}

// Closes a file written beside the program; true when it reached the disk whole, else false
// after message code 9 with its path and the reason of the first failure.
bool closeOutput(FILE*& file, const char* programPath, const char* extension) {
    const int error = closeWritten(file);
    file = nullptr;
    char path[kPathLimit + 1];
    outputPath(path, programPath, extension);
    return reportUnwritten(path, error);
}

// Closes CM and BRK; true when both streams reached the disk whole.
bool closeStreams(Conversion& c, const char* programPath) {
    const bool cm = closeOutput(c.cm, programPath, "CM");
    const bool brk = closeOutput(c.brk, programPath, "BRK");
    return cm && brk;
}

// After a refusal in the tick stage the partial streams are emptied, as after an Esc before the
// first tick, so that no controller can play a stream that stops in the middle of a move.
void emptyStreams(Conversion& c, const char* programPath) {
    closeIfOpen(c.cm);
    closeIfOpen(c.brk);
    for (const char* extension : {"CM", "BRK"}) {
        char path[kPathLimit + 1];
        if (!outputPath(path, programPath, extension)) continue;
        if (FILE* f = openForWriting(path)) std::fclose(f);
    }
}

Conversion::~Conversion() {
    if (cm != nullptr || brk != nullptr) emptyStreams(*this, programPath);
    endConversion(*this);
}

int32_t finishConversion(Conversion& c, const char* programPath, ProgressCallback progress,
                         TickRun& run) {
    finishBreakStream(run.writer, run.hasCurrent ? &run.current : nullptr, c.segments, c.cm, c.brk);
    const bool written = closeStreams(c, programPath);
    writeTimingLine1(c.timeLog, c.start);
    reportProgress(progress, Stage::Ticks, kPercentDone);
    writeTimingLine2(c.timeLog, c.start);
    const bool logged = closeTimingLog(c.timeLog);
    c.timeLog = nullptr;
    endConversion(c);
    return written && logged ? 0 : -1;
}

}  // namespace

int32_t refuseProgramAmongOutputs(const char* programPath, const char* configDir) {
    char path[kReplacementPathLimit + 1];
    const auto clashes = [&](const char* name) {
        if (!sameFile(programPath, path)) return false;
        messageSinkf(MessageCode::Refused,
                     "%s is also the conversion's %s file; refused before any file is touched",
                     programPath, name);
        return true;
    };
    for (const char* extension : {"EV", "CM", "BRK", "LIM"}) {
        char output[kPathLimit + 1];
        if (!outputPath(output, programPath, extension)) continue;
        std::snprintf(path, sizeof path, "%s", output);
        if (clashes(extension)) return -1;
    }
    for (const char* name : {kTimingLogName, kFilterFileName}) {
        std::snprintf(path, sizeof path, "%s", name);
        if (clashes(name)) return -1;
    }
    for (const char* name : {"ZORVAN.CFG", "params.cfg"}) {
        char joined[kPathLimit + 1];
        joinPathCut(joined, configDir, name);
        for (const char* suffix : {"", ".bak", ".new"}) {
            std::snprintf(path, sizeof path, "%s%s", joined, suffix);
            if (clashes(name)) return -1;
        }
    }
    return 0;
}

void emptyEarlierStreams(const char* programPath) {
    for (const char* extension : {"CM", "BRK"}) {
        char path[kPathLimit + 1];
        if (outputPath(path, programPath, extension)) truncateIfExists(path);
    }
}

MotionLimits interpreterLimits() {
    MotionLimits limits;
    limits.acceleration = acceleration();
    limits.rapidSpeed = perSecond(rapidSpeed());
    limits.rapidSpeedZ = perSecond(rapidSpeedZ());
    limits.feedSpeed = perSecond(feedSpeed());
    limits.plungeSpeed = perSecond(plungeSpeed());
    limits.ignoreFWords = (optionBits() & kOptionIgnoreFWords) != 0;
    for (int axis = 0; axis < 4; ++axis) {
        if (stepsPerUnit(axis) == 0.0) limits.disabledAxes |= static_cast<uint8_t>(1u << axis);
    }
    limits.unit = machineUnit();
    return limits;
}

int32_t checkProgram(const char* programPath) {
    const MotionLimits limits = interpreterLimits();
    resetConversionState();
    conversionState().rapidsAsFeeds = (optionBits() & kOptionRapidsAsFeeds) != 0 ? 1 : 0;
    FILE* program = openProgram(programPath);
    if (!program) return -1;
    SegmentStore store;
    create(store);
    const InterpretResult read = readProgram(program, limits, nullptr, store, nullptr);
    std::fclose(program);
    destroy(store);
    return read == InterpretResult::Read ? 0 : -1;
}

int32_t runConversion(const char* programPath, int32_t breakSpacingLimit,
                      ProgressCallback progress) {
    const MotionLimits limits = interpreterLimits();
    ConfigProblem problem;
    if (validateConfiguration(problem) != 0) {
        messageSink(MessageCode::Refused, problem.text);
        return -1;
    }

    resetConversionState();  // modal values, pending record and the six bounds at 0
    conversionState().rapidsAsFeeds = (optionBits() & kOptionRapidsAsFeeds) != 0 ? 1 : 0;
    forgetWriteErrors();

    Conversion c(programPath);
    c.storesCreated = true;  // a store whose first page failed holds nothing to release
    create(c.segments);
    create(c.profile);
    c.timeLog = openTimingLog();
    c.start = std::time(nullptr);

    c.program = openProgram(programPath);
    if (c.program) c.events = openEventsFile(programPath);
    if (!c.program || !c.events) {
        endConversion(c);
        return -1;
    }
    const InterpretResult read = readProgram(c.program, limits, c.events, c.segments, progress);
    closeIfOpen(c.program);
    const bool eventsWritten = closeOutput(c.events, programPath, "EV");
    if (read != InterpretResult::Read || !eventsWritten ||
        runRefinementPasses(c.segments, limits.acceleration, progress) != 0) {
        endConversion(c);
        return -1;
    }

    c.cm = openOutputFile(programPath, "CM");
    if (c.cm) c.brk = openOutputFile(programPath, "BRK");
    if (!c.cm || !c.brk) {
        endConversion(c);
        return -1;
    }
    std::setvbuf(c.brk, nullptr, _IOFBF, kBrkBufferBytes);
    if (!writeLimFile(programPath)) {
        endConversion(c);
        return -1;
    }

    ProfilePoint lastKnot{};
    const PlanResult plan =
        planVelocityProfile(c.segments, c.profile, limits.acceleration, progress, lastKnot);
    if (plan == PlanResult::NoFeedMove) {
        writeEventsOnlyBrk(c.segments, c.brk);
        const bool written = closeStreams(c, programPath);
        endConversion(c);
        return written ? 0 : -1;
    }
    if (plan != PlanResult::Planned) {
        endConversion(c);
        return plan == PlanResult::Aborted ? 0 : -1;
    }
    if (integrateProfileDistance(c.profile, progress) != 0) {
        endConversion(c);
        return 0;
    }

    const int32_t tickTotal = tickCount(lastKnot.time);
    if (tickTotal < 0) {
        messageSinkf(MessageCode::Refused,
                     "the motion takes %g s; one pulse stream holds at most %d ticks",
                     lastKnot.time, kMaxTickCount);
        endConversion(c);
        return -1;
    }
    writeBrkHeader(tickTotal, conversionState().maxZ, c.brk);

    TickRun run;
    switch (
        runTicks(tickTotal, breakSpacingLimit, c.segments, c.profile, progress, c.cm, c.brk, run)) {
        case TickResult::Done:
            return finishConversion(c, programPath, progress, run);
        case TickResult::Aborted:
            endConversion(c);
            return 0;
        case TickResult::Refused:
            emptyStreams(c, programPath);
            endConversion(c);
            return -1;
    }
    endConversion(c);
    return -1;
}

}  // namespace pulsepost
