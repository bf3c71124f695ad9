// Shared set-up of the micro-benchmarks: the default machine configuration in memory, generated
// programs in a scratch folder, and the stores filled by reading one.
#pragma once

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "config/axis_map.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "entry/conversion_driver.h"
#include "gcode/conversion_state.h"
#include "gcode/interpreter.h"
#include "gcode/motion_words.h"
#include "platform/files.h"
#include "program_generator.h"
#include "store/profile_store.h"
#include "store/segment_store.h"

namespace pulsepost::bench {

// The default configuration, as a conversion with freshly written files has it.
inline void useDefaultConfiguration() {
    setDefaultMachineConfig();
    resetCutParams();
    buildAxisMap();
}

inline MotionLimits defaultLimits() {
    return interpreterLimits();
}

// A scratch folder for the benchmark's programs and the files written beside them; removed with
// its contents at exit.
class ScratchFolder {
  public:
    ScratchFolder() {
        char pattern[] = "/tmp/pulsepost-bench-XXXXXX";
        if (mkdtemp(pattern) != nullptr) path_ = pattern;
    }
    ~ScratchFolder() {
        if (!path_.empty()) std::system(("rm -rf '" + path_ + "'").c_str());
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

inline ScratchFolder& scratch() {
    static ScratchFolder folder;
    return folder;
}

// Writes the program once per process; returns its path.
inline std::string generatedProgram(ProgramKind kind, int64_t lines, const char* name) {
    const std::string path = scratch().path() + "/" + name;
    if (access(path.c_str(), R_OK) != 0) writeProgramFile(kind, path.c_str(), lines);
    return path;
}

struct Stores {
    Stores() {
        create(segments);
        create(profile);
    }
    ~Stores() {
        destroy(segments);
        destroy(profile);
    }
    Stores(const Stores&) = delete;
    Stores& operator=(const Stores&) = delete;

    void clear() {
        rewind(segments);
        segments.highWater = 0;
        rewind(profile);
        setCount(profile, 0);
    }

    SegmentStore segments;
    ProfileStore profile;
};

// Stage 0 as a conversion runs it: the conversion state reset, then the read.
inline int32_t readInto(const std::string& program, Stores& stores) {
    resetConversionState();
    conversionState().rapidsAsFeeds = (optionBits() & kOptionRapidsAsFeeds) != 0 ? 1 : 0;
    stores.clear();
    char eventsPath[kPathLimit + 1];
    if (!outputPath(eventsPath, program.c_str(), "EV")) return -1;
    FILE* file = openProgram(program.c_str());
    if (!file) return -1;
    FILE* events = openTextForWriting(eventsPath);
    const bool read = events && readProgram(file, defaultLimits(), events, stores.segments,
                                            nullptr) == InterpretResult::Read;
    std::fclose(file);
    if (events) std::fclose(events);
    return read ? 0 : -1;
}

// The records of a store, to put back before each pass that rewrites them in place.
inline std::vector<Segment> snapshot(SegmentStore& store) {
    std::vector<Segment> records(static_cast<std::size_t>(store.highWater));
    rewind(store);
    read(records.data(), store.highWater, store);
    return records;
}

inline void restore(const std::vector<Segment>& records, SegmentStore& store) {
    rewind(store);
    for (const Segment& record : records)
        write(&record, 1, store);
    rewind(store);
}

inline int32_t countKind(SegmentStore& store, SegmentKind kind) {
    int32_t n = 0;
    for (int32_t i = 0; i < store.highWater; ++i)
        n += slotAt(store, i).kind == kind;
    return n;
}

}  // namespace pulsepost::bench
