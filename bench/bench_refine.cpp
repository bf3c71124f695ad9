// Stages 1 and 2 over the path of a generated 200000-line surfacing program: the corner fillet
// pass (most corners are rounded), the distance / arc speed pass, and the two in the one walk a
// conversion makes. Each iteration starts from the store as the read (or the fillet pass) left it.
#include "bench_support.h"
#include "refine/distance_pass.h"
#include "refine/fillet_pass.h"
#include "refine/refinement.h"

namespace pulsepost::bench {
namespace {

constexpr int64_t kProgramLines = 200000;

struct ReadPath {
    ReadPath() {
        useDefaultConfiguration();
        readInto(generatedProgram(ProgramKind::Surfacing, kProgramLines, "surfacing.nc"), stores);
        afterRead = snapshot(stores.segments);
        runFilletPass(stores.segments, nullptr);
        afterFillets = snapshot(stores.segments);
    }
    Stores stores;
    std::vector<Segment> afterRead;
    std::vector<Segment> afterFillets;
};

void BM_FilletPass(benchmark::State& state) {
    ReadPath path;
    for (auto _ : state) {
        state.PauseTiming();
        restore(path.afterRead, path.stores.segments);
        state.ResumeTiming();
        benchmark::DoNotOptimize(runFilletPass(path.stores.segments, nullptr));
    }
    state.SetItemsProcessed(state.iterations() * path.stores.segments.highWater);
    state.counters["placeholders_left"] = countKind(path.stores.segments, SegmentKind::Placeholder);
}

void BM_DistancePass(benchmark::State& state) {
    ReadPath path;
    for (auto _ : state) {
        state.PauseTiming();
        restore(path.afterFillets, path.stores.segments);
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            runDistancePass(path.stores.segments, defaultLimits().acceleration, nullptr));
    }
    state.SetItemsProcessed(state.iterations() * path.stores.segments.highWater);
}

// Both passes as a conversion runs them: one walk (runRefinementPasses).
void BM_RefinementPasses(benchmark::State& state) {
    ReadPath path;
    for (auto _ : state) {
        state.PauseTiming();
        restore(path.afterRead, path.stores.segments);
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            runRefinementPasses(path.stores.segments, defaultLimits().acceleration, nullptr));
    }
    state.SetItemsProcessed(state.iterations() * path.stores.segments.highWater);
}

BENCHMARK(BM_FilletPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DistancePass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefinementPasses)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pulsepost::bench
