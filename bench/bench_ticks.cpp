// Stage 5 and the step words: the tick interpolation over the planned path of a generated
// 100000-line surfacing program (CM and BRK go to /dev/null), and the encoding and buffering of
// step words on their own.
#include <random>

#include "bench_support.h"
#include "output/step_word.h"
#include "output/tick_interpolator.h"
#include "planner/velocity_profile.h"
#include "refine/distance_pass.h"
#include "refine/fillet_pass.h"

namespace pulsepost::bench {
namespace {

constexpr int64_t kProgramLines = 100000;

void BM_RunTicksSurfacing(benchmark::State& state) {
    useDefaultConfiguration();
    Stores stores;
    const std::string program =
        generatedProgram(ProgramKind::Surfacing, kProgramLines, "surfacing-small.nc");
    const MotionLimits limits = defaultLimits();
    ProfilePoint last;
    if (readInto(program, stores) != 0 || runFilletPass(stores.segments, nullptr) != 0 ||
        runDistancePass(stores.segments, limits.acceleration, nullptr) != 0 ||
        planVelocityProfile(stores.segments, stores.profile, limits.acceleration, nullptr, last) !=
            PlanResult::Planned ||
        integrateProfileDistance(stores.profile, nullptr) != 0) {
        state.SkipWithError("the path could not be prepared");
        return;
    }
    const int32_t ticks = tickCount(last.time);
    FILE* cm = std::fopen("/dev/null", "wb");
    FILE* brk = std::fopen("/dev/null", "wb");
    int64_t outputs = 0;
    for (int axis = 0; axis < 4; ++axis)
        outputs += axisMap().axisEnabled[axis] == 1;
    int64_t words = 0;
    for (auto _ : state) {
        TickRun run;
        if (runTicks(ticks, kBreakSpacingLimit, stores.segments, stores.profile, nullptr, cm, brk,
                     run) != TickResult::Done) {
            state.SkipWithError("the ticks were refused");
            break;
        }
        flushStepBuffer(cm);
        words += static_cast<int64_t>(ticks) * outputs;
    }
    std::fclose(cm);
    std::fclose(brk);
    state.SetItemsProcessed(state.iterations() * ticks);
    state.counters["ticks"] = ticks;
    state.counters["words/s"] =
        benchmark::Counter(static_cast<double>(words), benchmark::Counter::kIsRate);
}

void BM_EncodeAndPushStepWords(benchmark::State& state) {
    // Deltas as a surfacing program gives them: mostly short words, some long ones.
    std::mt19937 random(7);
    std::normal_distribution<double> spread(0.0, 40.0);
    std::vector<int32_t> deltas(1 << 16);
    for (int32_t& d : deltas)
        d = static_cast<int32_t>(spread(random));
    FILE* cm = std::fopen("/dev/null", "wb");
    resetStepBuffer();
    for (auto _ : state) {
        for (std::size_t i = 0; i < deltas.size(); ++i)
            pushStepWord(encodeStepWord(deltas[i], (i & 1023) == 0), cm);
    }
    flushStepBuffer(cm);
    std::fclose(cm);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(deltas.size()));
}

BENCHMARK(BM_RunTicksSurfacing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeAndPushStepWords)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pulsepost::bench
