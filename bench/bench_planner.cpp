// Planning (stage 3) and distance integration (stage 4) over one million short feed records.
//
// Without backtracking: records of 0.01 units at 4 units/s under 1000 units/s², with a stop only
// at the very end. Any record can brake from its limit within its own length (4² / 2000 < 0.01),
// so the planner never lowers a limit.
// With heavy backtracking: the same records at 100 units/s, with a stop after every hundred. The
// planner accelerates through each group and at its stop has to go back over about half of it,
// lowering every limit on the way, before planning those records again.
#include <benchmark/benchmark.h>

#include "planner/velocity_profile.h"

namespace pulsepost {
namespace {

constexpr int32_t kFeedRecords = 1000000;
constexpr double kRecordLength = 0.01;    // units
constexpr double kAcceleration = 1000.0;  // units per second²
constexpr double kGentleSpeed = 4.0;      // units per second
constexpr double kFastSpeed = 100.0;      // units per second
constexpr int32_t kRecordsBetweenStops = 100;

struct Stores {
    Stores() {
        create(segments);
        create(profile);
    }
    ~Stores() {
        destroy(segments);
        destroy(profile);
    }
    SegmentStore segments;
    ProfileStore profile;
};

void fillPath(SegmentStore& segments, double speed, int32_t recordsBetweenStops) {
    rewind(segments);
    segments.highWater = 0;
    Segment s;
    s.kind = SegmentKind::Feed;
    s.length = kRecordLength;
    s.speed = speed;
    for (int32_t i = 0; i < kFeedRecords; ++i) {
        const bool stops = recordsBetweenStops > 0 && (i + 1) % recordsBetweenStops == 0;
        s.flags = stops ? SegmentFlags::StopAtEnd : 0;
        write(&s, 1, segments);
    }
}

int32_t loweredLimits(SegmentStore& segments, double speed) {
    int32_t lowered = 0;
    for (int32_t i = 0; i < segments.highWater; ++i)
        lowered += slotAt(segments, i).speed < speed;
    return lowered;
}

void planPath(benchmark::State& state, double speed, int32_t recordsBetweenStops) {
    Stores stores;
    ProfilePoint last;
    for (auto _ : state) {
        state.PauseTiming();
        fillPath(stores.segments, speed, recordsBetweenStops);  // undo the lowered limits
        state.ResumeTiming();
        const PlanResult result =
            planVelocityProfile(stores.segments, stores.profile, kAcceleration, nullptr, last);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * kFeedRecords);
    state.counters["knots"] = static_cast<double>(stores.profile.highWater);
    state.counters["lowered_limits"] = loweredLimits(stores.segments, speed);
    state.counters["motion_s"] = last.time;
}

void BM_PlanWithoutBacktracking(benchmark::State& state) {
    planPath(state, kGentleSpeed, 0);
}
void BM_PlanWithHeavyBacktracking(benchmark::State& state) {
    planPath(state, kFastSpeed, kRecordsBetweenStops);
}

void BM_IntegrateProfileDistance(benchmark::State& state) {
    Stores stores;
    ProfilePoint last;
    fillPath(stores.segments, kFastSpeed, kRecordsBetweenStops);
    planVelocityProfile(stores.segments, stores.profile, kAcceleration, nullptr, last);
    for (auto _ : state)
        benchmark::DoNotOptimize(integrateProfileDistance(stores.profile, nullptr));
    state.SetItemsProcessed(state.iterations() * stores.profile.highWater);
    state.counters["knots"] = static_cast<double>(stores.profile.highWater);
}

BENCHMARK(BM_PlanWithoutBacktracking)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanWithHeavyBacktracking)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IntegrateProfileDistance)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pulsepost
