// Stage 0: reading and interpreting a generated program into the segment store, and the append
// with its corner classification on its own.
//
// BM_ReadSurfacing / BM_ReadPocketing / BM_ReadDrilling: readProgram over 200000 generated lines
// (the EV file is written beside the program in a scratch folder). The store is reused, so the
// first touch of its pages is not measured here (the end-to-end benchmark sees it).
// BM_AppendSurfacingCorners: appendSegment over moves taken from the surfacing program's path,
// so that nearly every corner is judged and most are marked for a fillet.
#include "bench_support.h"
#include "gcode/segment_append.h"

namespace pulsepost::bench {
namespace {

constexpr int64_t kProgramLines = 200000;

void readGenerated(benchmark::State& state, ProgramKind kind, const char* name) {
    useDefaultConfiguration();
    const std::string program = generatedProgram(kind, kProgramLines, name);
    Stores stores;
    for (auto _ : state) {
        if (readInto(program, stores) != 0) state.SkipWithError("the read failed");
    }
    state.SetItemsProcessed(state.iterations() * kProgramLines);
    state.counters["records"] = static_cast<double>(stores.segments.highWater);
    state.counters["fillets"] = countKind(stores.segments, SegmentKind::Placeholder);
}

void BM_ReadSurfacing(benchmark::State& state) {
    readGenerated(state, ProgramKind::Surfacing, "surfacing.nc");
}
void BM_ReadPocketing(benchmark::State& state) {
    readGenerated(state, ProgramKind::Pocketing, "pocketing.nc");
}
void BM_ReadDrilling(benchmark::State& state) {
    readGenerated(state, ProgramKind::Drilling, "drilling.nc");
}

void BM_AppendSurfacingCorners(benchmark::State& state) {
    useDefaultConfiguration();
    Stores stores;
    readInto(generatedProgram(ProgramKind::Surfacing, kProgramLines, "surfacing.nc"), stores);
    // The moves as the interpreter built them: unmarked, with their appended lengths.
    std::vector<Segment> moves;
    for (int32_t i = 0; i < stores.segments.highWater; ++i) {
        Segment s = slotAt(stores.segments, i);
        if (s.kind != SegmentKind::Feed) continue;
        s.flags &= ~(SegmentFlags::StopAtEnd | SegmentFlags::FilletBefore);
        moves.push_back(s);
    }
    for (auto _ : state) {
        state.PauseTiming();
        resetConversionState();
        stores.clear();
        state.ResumeTiming();
        for (const Segment& move : moves) {
            Segment record = move;
            appendSegment(record, stores.segments);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(moves.size()));
    state.counters["fillets"] = countKind(stores.segments, SegmentKind::Placeholder);
}

BENCHMARK(BM_ReadSurfacing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPocketing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDrilling)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendSurfacingCorners)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pulsepost::bench
