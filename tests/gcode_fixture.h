// Runs the interpreter over a small program written into a scratch directory and reads back what
// it produced: the records of the store, the progress reports, the messages and the EV file.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "config/cut_params.h"
#include "gcode/conversion_state.h"
#include "gcode/interpreter.h"
#include "platform/files.h"
#include "refine/refinement.h"
#include "report/message_sink.h"
#include "store/segment_store.h"
#include "test_support.h"

namespace pulsepost::testing {

inline MotionLimits testLimits() {
    MotionLimits limits;
    limits.acceleration = 1000.0;
    limits.rapidSpeed = 100.0;
    limits.rapidSpeedZ = 50.0;
    limits.feedSpeed = 10.0;
    limits.plungeSpeed = 5.0;
    limits.ignoreFWords = false;
    return limits;
}

struct Collected {
    std::vector<std::pair<int, int>> reports;
    std::vector<std::pair<int, std::string>> messages;
};

inline Collected& collected() {
    static Collected c;
    return c;
}

inline void collectProgress(int32_t stage, int32_t percent) {
    collected().reports.emplace_back(stage, percent);
}

inline void collectMessage(int32_t code, const char* text) {
    collected().messages.emplace_back(code, text);
}

struct Interpretation {
    int32_t result = 0;
    std::vector<Segment> records;  // the whole store, in order
    std::vector<std::pair<int, int>> reports;
    std::vector<std::pair<int, std::string>> messages;
    std::string events;  // the EV file's bytes
    ConversionState state;

    // The records that move the machine, in order.
    std::vector<Segment> moves() const {
        std::vector<Segment> out;
        for (const Segment& s : records) {
            if (s.kind == SegmentKind::Rapid || s.kind == SegmentKind::Feed) out.push_back(s);
        }
        return out;
    }
    std::vector<SegmentKind> kinds() const {
        std::vector<SegmentKind> out;
        for (const Segment& s : records)
            out.push_back(s.kind);
        return out;
    }
};

struct InterpretOptions {
    MotionLimits limits = testLimits();
    bool rapidsAsFeeds = false;
    CutParams params{};
    bool refine = false;  // run the fillet and distance passes too
};

// Stages 0 to 2 in the driver's order (stage 0 alone unless refine), the EV file beside the
// program: 0, or -1 when a stage ends early or the EV file cannot be created.
inline int32_t readAndRefine(const std::string& program, const MotionLimits& limits,
                             SegmentStore& store, ProgressCallback progress, bool refine = true) {
    char eventsPath[kPathLimit + 1];
    if (!outputPath(eventsPath, program.c_str(), "EV")) return -1;
    FILE* file = openProgram(program.c_str());
    if (!file) return -1;
    FILE* events = openTextForWriting(eventsPath);
    const bool read =
        events && readProgram(file, limits, events, store, progress) == InterpretResult::Read;
    std::fclose(file);
    if (events) std::fclose(events);
    if (!read) return -1;
    if (!refine) return 0;
    return runRefinementPasses(store, limits.acceleration, progress);
}

// Reads program (written as program.nc) and collects everything it produced: stage 0 alone,
// or the whole interpretation with options.refine.
inline Interpretation interpret(const std::string& program, const InterpretOptions& options = {}) {
    ScratchDir dir;
    const std::string path = dir.file("program.nc");
    writeFile(path, program);
    cutParams() = options.params;
    resetConversionState();
    conversionState().rapidsAsFeeds = options.rapidsAsFeeds ? 1 : 0;
    collected() = Collected{};
    setMessageSink(&collectMessage);

    SegmentStore store;
    create(store);
    Interpretation out;
    out.result = readAndRefine(path, options.limits, store, &collectProgress, options.refine);
    setMessageSink(nullptr);
    rewind(store);
    out.records.resize(static_cast<std::size_t>(store.highWater));
    if (store.highWater > 0) read(out.records.data(), store.highWater, store);
    destroy(store);
    out.reports = collected().reports;
    out.messages = collected().messages;
    out.events = readFile(dir.file("program.EV"));
    out.state = conversionState();
    return out;
}

inline void expectPoint(const Vec4& v, double x, double y, double z, double a = 0.0,
                        double tolerance = 1e-6) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
    EXPECT_NEAR(v.a, a, tolerance);
}

}  // namespace pulsepost::testing
