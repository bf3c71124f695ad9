// Whole conversions through the exported entry point, on a generated 3D surfacing program of
// 240000 lines: a raster over a wavy surface, 0.01 units per move, so that most corners are a
// fraction of a degree to a few degrees and get fillets. The program and the default
// configuration are written once into a temporary directory; each iteration converts the
// program from scratch.
//
// Counters: lines/s and ticks/s are rates over the conversion time; peak_rss_MB is the process's
// peak resident set after the conversions (the program text itself is not held in memory).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "pulsepost/pulsepost.h"

namespace {

constexpr int kPasses = 240;          // raster passes along X
constexpr int kMovesPerPass = 999;    // moves per pass; each pass adds one step-over move
constexpr double kStep = 0.01;        // units along X per move
constexpr double kStepOver = 0.02;    // units along Y between passes
constexpr double kWaveHeight = 0.05;  // units of Z
constexpr double kWaveLength = 1.3;   // units

struct Workspace {
    std::string dir;
    std::string program;
    long lines = 0;

    Workspace() {
        char pattern[] = "/tmp/pulsepost-bench-XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        dir = pattern;
        program = dir + "/surface.nc";
        FILE* f = std::fopen(program.c_str(), "w");
        if (f == nullptr) std::abort();
        std::fputs("(surfacing: raster over a wavy surface)\nG90 G17\nM6 T1\nS15000 M3\n", f);
        std::fputs("G0 Z0.2\nG0 X0 Y0\nG1 Z0\n", f);
        lines = 7;
        for (int pass = 0; pass < kPasses; ++pass) {
            const double y = pass * kStepOver;
            for (int i = 1; i <= kMovesPerPass; ++i) {
                const int k = (pass % 2 == 0) ? i : kMovesPerPass - i;
                const double x = k * kStep;
                const double z = kWaveHeight * std::sin(x / kWaveLength * 6.283185307179586) *
                                 std::cos(y / kWaveLength * 3.141592653589793);
                std::fprintf(f, "G1 X%.4f Y%.4f Z%.4f\n", x, y, z);
                ++lines;
            }
            std::fprintf(f, "G1 Y%.4f\n", y + kStepOver);
            ++lines;
        }
        std::fputs("G0 Z1\nM5\nM30\n", f);
        lines += 3;
        std::fclose(f);
    }
    ~Workspace() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

int32_t ticksOf(const std::string& brkPath) {
    int32_t ticks = 0;
    unsigned char header[5] = {};
    if (FILE* f = std::fopen(brkPath.c_str(), "rb")) {
        if (std::fread(header, 1, 5, f) == 5 && header[0] == 0xFF)
            std::memcpy(&ticks, header + 1, 4);
        std::fclose(f);
    }
    return ticks;
}

void WholeConversion(benchmark::State& state) {
    static Workspace workspace;
    const std::string cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(workspace.dir);  // timeMem.txt goes beside the program
    int32_t ticks = 0;
    for (auto _ : state) {
        if (p(workspace.program.c_str(), nullptr, workspace.dir.c_str()) != 0) {
            state.SkipWithError("the conversion did not complete");
            break;
        }
        ticks = ticksOf(workspace.dir + "/surface.BRK");
    }
    std::filesystem::current_path(cwd);
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["lines/s"] =
        benchmark::Counter(workspace.lines * iterations, benchmark::Counter::kIsRate);
    state.counters["ticks/s"] = benchmark::Counter(ticks * iterations, benchmark::Counter::kIsRate);
    state.counters["lines"] = static_cast<double>(workspace.lines);
    state.counters["ticks"] = ticks;
    state.counters["cm_MB"] =
        static_cast<double>(std::filesystem::file_size(workspace.dir + "/surface.CM")) / 1e6;
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

BENCHMARK(WholeConversion)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
