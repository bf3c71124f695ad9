// conversion_table: whole conversions of generated programs through p, one child process per
// conversion, and a table of what each stage achieved.
//
//   conversion_table [SURFACING_LINES [POCKETING_LINES [DRILLING_LINES]]]
//
// (defaults 1000000, 50000 and 5000). Each program is written into a scratch folder and
// converted with the default configuration in a fresh child process, so that its peak memory is
// its own. The stage times come from the progress callback: a stage ends at its report of 100,
// and the next begins there. Stages 1 and 2 run as one walk over the store, which reports stage
// 2 after stage 1's 100: stage 1's time holds the work of both, stage 2's only its reports. Times
// are CPU seconds of the converting process (user + system, page faults included), which a shared
// machine disturbs far less than wall time; the wall time of the whole conversion is shown as well.
//
// After the conversion the child counts what it worked on, outside the measured time: the
// records of the segment store and the knots of the profile (by reading and planning the program
// again), the ticks from the BRK header and the step words from the enabled outputs.
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_support.h"
#include "config/configuration_setup.h"
#include "planner/velocity_profile.h"
#include "pulsepost/pulsepost.h"
#include "refine/refinement.h"

namespace pulsepost::bench {
namespace {

constexpr int kStages = 6;
constexpr double kBytesPerMB = 1e6;
constexpr double kBytesPerMiB = 1048576.0;
constexpr double kStoreSlack = 1.3;            // peak memory allowed per byte of the stores
constexpr double kFixedAllowanceMiB = 64.0;    // plus this much
constexpr double kLinesPerSecondTarget = 2e6;  // stage 0, surfacing
constexpr double kRecordsPerSecondTarget = 5e6;
constexpr double kWordsPerSecondTarget = 60e6;
constexpr double kSurfacingSecondsTarget = 1.0;  // 1M-line surfacing end to end
constexpr int64_t kTargetSurfacingLines = 1000000;

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double wallSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// What a child reports to the parent, written whole through a pipe.
struct Measurement {
    int32_t result = -1;
    double stageEndCpu[kStages] = {};  // CPU seconds from the call of p to the stage's 100
    double totalCpu = 0.0;             // CPU seconds of the whole call
    double totalWall = 0.0;
    double peakMiB = 0.0;  // ru_maxrss at the return of p
    int64_t records = 0;
    int64_t knots = 0;
    int64_t ticks = 0;
    int64_t words = 0;
    int64_t cmBytes = 0;
};

double gCallStartCpu = 0.0;
Measurement* gMeasuring = nullptr;

void PULSEPOST_CALL recordStageEnd(int32_t stage, int32_t percent) {
    if (percent == 100 && stage >= 0 && stage < kStages) {
        gMeasuring->stageEndCpu[stage] = cpuSeconds() - gCallStartCpu;
    }
}

int64_t fileBytes(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return 0;
    std::fseek(f, 0, SEEK_END);
    const long n = std::ftell(f);
    std::fclose(f);
    return n;
}

int32_t ticksInBrk(const std::string& path) {
    int32_t ticks = 0;
    unsigned char header[5] = {};
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        if (std::fread(header, 1, 5, f) == 5 && header[0] == 0xFF)
            std::memcpy(&ticks, header + 1, 4);
        std::fclose(f);
    }
    return ticks;
}

// Records and knots of the program, by running stages 0 to 3 again.
void countWork(const std::string& program, Measurement& m) {
    Stores stores;
    if (readInto(program, stores) != 0) return;
    runRefinementPasses(stores.segments, defaultLimits().acceleration, nullptr);
    m.records = stores.segments.highWater;
    ProfilePoint last;
    planVelocityProfile(stores.segments, stores.profile, defaultLimits().acceleration, nullptr,
                        last);
    m.knots = stores.profile.highWater;
}

// In the child: the conversion, then the counts.
Measurement convertAndCount(const std::string& dir, const std::string& program) {
    Measurement m;
    gMeasuring = &m;
    if (chdir(dir.c_str()) != 0) return m;  // timeMem.txt goes beside the program
    const double wall0 = wallSeconds();
    gCallStartCpu = cpuSeconds();
    m.result = p(program.c_str(), recordStageEnd, dir.c_str());
    m.totalCpu = cpuSeconds() - gCallStartCpu;
    m.totalWall = wallSeconds() - wall0;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    m.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;

    const std::string stem = program.substr(0, program.rfind('.'));
    m.ticks = ticksInBrk(stem + ".BRK");
    m.cmBytes = fileBytes(stem + ".CM");
    setUpConfiguration(dir.c_str());  // the configuration p used, for the counts
    int64_t outputs = 0;
    for (int axis = 0; axis < 4; ++axis)
        outputs += axisMap().axisEnabled[axis] == 1;
    m.words = m.ticks * outputs;
    countWork(program, m);
    return m;
}

bool measureInChild(const std::string& dir, const std::string& program, Measurement& m) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        close(fds[0]);
        const Measurement got = convertAndCount(dir, program);
        const bool sent = ::write(fds[1], &got, sizeof got) == static_cast<ssize_t>(sizeof got);
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    const bool received = ::read(fds[0], &m, sizeof m) == static_cast<ssize_t>(sizeof m);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return received && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Column {
    const char* name;
    ProgramKind kind;
    int64_t lines = 0;
    Measurement m;
    bool ok = false;
};

double stageCpu(const Measurement& m, int stage) {
    return m.stageEndCpu[stage] - (stage == 0 ? 0.0 : m.stageEndCpu[stage - 1]);
}

double storesMiB(const Measurement& m) {
    return (static_cast<double>(m.records) * sizeof(Segment) +
            static_cast<double>(m.knots) * sizeof(ProfilePoint)) /
           kBytesPerMiB;
}

void printRow(const char* label, const std::vector<Column>& columns, const char* format,
              double (*value)(const Column&)) {
    std::printf("%-28s", label);
    for (const Column& c : columns) {
        if (c.ok) {
            std::printf(format, value(c));
        } else {
            std::printf("%14s", "failed");
        }
    }
    std::printf("\n");
}

void printTable(const std::vector<Column>& columns) {
    std::printf("%-28s", "");
    for (const Column& c : columns)
        std::printf("%14s", c.name);
    std::printf("\n");
    printRow("lines", columns, "%14.0f", [](const Column& c) { return double(c.lines); });
    printRow("records", columns, "%14.0f", [](const Column& c) { return double(c.m.records); });
    printRow("profile knots", columns, "%14.0f", [](const Column& c) { return double(c.m.knots); });
    printRow("ticks", columns, "%14.0f", [](const Column& c) { return double(c.m.ticks); });
    printRow("step words", columns, "%14.0f", [](const Column& c) { return double(c.m.words); });
    printRow("CM MB", columns, "%14.1f", [](const Column& c) { return c.m.cmBytes / kBytesPerMB; });
    const char* stageNames[kStages] = {"stage 0 read (CPU s)",        "stage 1 fillets (CPU s)",
                                       "stage 2 distances (CPU s)",   "stage 3 planning (CPU s)",
                                       "stage 4 integration (CPU s)", "stage 5 ticks (CPU s)"};
    for (int stage = 0; stage < kStages; ++stage) {
        std::printf("%-28s", stageNames[stage]);
        for (const Column& c : columns) {
            if (c.ok) {
                std::printf("%14.3f", stageCpu(c.m, stage));
            } else {
                std::printf("%14s", "failed");
            }
        }
        std::printf("\n");
    }
    printRow("total (CPU s)", columns, "%14.3f", [](const Column& c) { return c.m.totalCpu; });
    printRow("total (wall s)", columns, "%14.3f", [](const Column& c) { return c.m.totalWall; });
    printRow("stage 0 lines/s", columns, "%14.3g",
             [](const Column& c) { return c.lines / stageCpu(c.m, 0); });
    printRow("stages 1-4 records/s", columns, "%14.3g", [](const Column& c) {
        return c.m.records / (c.m.stageEndCpu[4] - c.m.stageEndCpu[0]);
    });
    printRow("stage 5 ticks/s", columns, "%14.3g",
             [](const Column& c) { return c.m.ticks / stageCpu(c.m, 5); });
    printRow("stage 5 step words/s", columns, "%14.3g",
             [](const Column& c) { return c.m.words / stageCpu(c.m, 5); });
    printRow("stage 5 CM MB/s", columns, "%14.1f",
             [](const Column& c) { return c.m.cmBytes / kBytesPerMB / stageCpu(c.m, 5); });
    printRow("records/s end to end", columns, "%14.3g",
             [](const Column& c) { return c.m.records / c.m.totalCpu; });
    printRow("peak memory (MiB)", columns, "%14.1f", [](const Column& c) { return c.m.peakMiB; });
    printRow("stores (MiB)", columns, "%14.1f", [](const Column& c) { return storesMiB(c.m); });
    printRow("1.3 x stores + 64 (MiB)", columns, "%14.1f",
             [](const Column& c) { return kStoreSlack * storesMiB(c.m) + kFixedAllowanceMiB; });
}

void printTargets(const Column& surfacing, const std::vector<Column>& columns) {
    std::printf("\nTargets (CPU time):\n");
    auto verdict = [](bool met) { return met ? "met" : "MISSED"; };
    if (surfacing.ok) {
        const double linesPerSecond = surfacing.lines / stageCpu(surfacing.m, 0);
        std::printf("  stage 0 >= 2M lines/s on surfacing: %.3g  %s\n", linesPerSecond,
                    verdict(linesPerSecond >= kLinesPerSecondTarget));
        if (surfacing.lines >= kTargetSurfacingLines) {
            std::printf("  1M-line surfacing end to end <= 1.0 s: %.3f s CPU, %.3f s wall  %s\n",
                        surfacing.m.totalCpu, surfacing.m.totalWall,
                        verdict(surfacing.m.totalCpu <= kSurfacingSecondsTarget));
        }
    }
    for (const Column& c : columns) {
        if (!c.ok) continue;
        const double records = c.m.records / (c.m.stageEndCpu[4] - c.m.stageEndCpu[0]);
        const double words = c.m.words / stageCpu(c.m, 5);
        const double limit = kStoreSlack * storesMiB(c.m) + kFixedAllowanceMiB;
        std::printf(
            "  %-10s stages 1-4 >= 5M records/s: %.3g %s; stage 5 >= 60M words/s: %.3g "
            "%s; peak %.0f MiB <= %.0f MiB %s\n",
            c.name, records, verdict(records >= kRecordsPerSecondTarget), words,
            verdict(words >= kWordsPerSecondTarget), c.m.peakMiB, limit,
            verdict(c.m.peakMiB <= limit));
    }
}

int64_t argumentOr(int argc, char** argv, int index, int64_t fallback) {
    if (index >= argc) return fallback;
    const long long value = std::atoll(argv[index]);
    return value > 0 ? value : fallback;
}

}  // namespace
}  // namespace pulsepost::bench

int main(int argc, char** argv) {
    using namespace pulsepost::bench;
    std::vector<Column> columns = {
        {"surfacing", ProgramKind::Surfacing, argumentOr(argc, argv, 1, 1000000), {}, false},
        {"pocketing", ProgramKind::Pocketing, argumentOr(argc, argv, 2, 50000), {}, false},
        {"drilling", ProgramKind::Drilling, argumentOr(argc, argv, 3, 5000), {}, false},
    };
    const std::string dir = scratch().path();
    if (dir.empty()) {
        std::perror("scratch folder");
        return 1;
    }
    for (Column& c : columns) {
        const std::string program = dir + "/" + c.name + ".nc";
        c.lines = writeProgramFile(c.kind, program.c_str(), c.lines);
        if (c.lines < 0) {
            std::perror(program.c_str());
            return 1;
        }
        std::fprintf(stderr, "converting %s (%lld lines)...\n", c.name,
                     static_cast<long long>(c.lines));
        c.ok = measureInChild(dir, program, c.m) && c.m.result == 0;
        if (!c.ok) std::fprintf(stderr, "%s: the conversion returned %d\n", c.name, c.m.result);
        std::remove((dir + "/" + c.name + ".CM").c_str());  // keep the scratch folder small
    }
    printTable(columns);
    printTargets(columns[0], columns);
    for (const Column& c : columns) {
        if (!c.ok) return 1;
    }
    return 0;
}
