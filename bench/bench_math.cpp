// The portable trigonometry against the C library, per call, over arguments of the kind the
// conversion forms (angles of a few turns, cosines in [-1, 1]), and the share of arguments whose
// quick evaluation cannot prove the rounding and takes the exact one (counter fallback_share).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/portable_math.h"
#include "platform/portable_math_paths.h"

namespace pulsepost::bench {
namespace {

using portable_math_paths::Function;

constexpr int kArguments = 4096;

std::vector<double> arguments(Function f) {
    uint64_t state = 0x9e3779b97f4a7c15ULL;
    std::vector<double> values(kArguments);
    for (double& v : values) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const double unit = static_cast<double>(state >> 11) * 0x1p-53 * 2.0 - 1.0;
        v = (f == Function::Asin || f == Function::Acos) ? unit : unit * 13.0;
    }
    return values;
}

template <typename Fn>
void perCall(benchmark::State& state, Function f, Fn fn) {
    const std::vector<double> values = arguments(f);
    for (auto _ : state) {
        for (double x : values)
            benchmark::DoNotOptimize(fn(x));
    }
    state.SetItemsProcessed(state.iterations() * kArguments);
    state.counters["ns_per_call"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kArguments,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

double sinCosSum(double x) {
    double s = 0.0;
    double c = 0.0;
    portableSinCos(x, &s, &c);
    return s + c;
}

double librarySinCosSum(double x) {
    return std::sin(x) + std::cos(x);
}

void BM_PortableSin(benchmark::State& s) {
    perCall(s, Function::Sin, portableSin);
}
void BM_LibrarySin(benchmark::State& s) {
    perCall(s, Function::Sin, [](double x) { return std::sin(x); });
}
void BM_PortableCos(benchmark::State& s) {
    perCall(s, Function::Cos, portableCos);
}
void BM_LibraryCos(benchmark::State& s) {
    perCall(s, Function::Cos, [](double x) { return std::cos(x); });
}
void BM_PortableSinCos(benchmark::State& s) {
    perCall(s, Function::Sin, sinCosSum);
}
void BM_LibrarySinCos(benchmark::State& s) {
    perCall(s, Function::Sin, librarySinCosSum);
}
void BM_PortableTan(benchmark::State& s) {
    perCall(s, Function::Tan, portableTan);
}
void BM_LibraryTan(benchmark::State& s) {
    perCall(s, Function::Tan, [](double x) { return std::tan(x); });
}
void BM_PortableAsin(benchmark::State& s) {
    perCall(s, Function::Asin, portableAsin);
}
void BM_LibraryAsin(benchmark::State& s) {
    perCall(s, Function::Asin, [](double x) { return std::asin(x); });
}
void BM_PortableAcos(benchmark::State& s) {
    perCall(s, Function::Acos, portableAcos);
}
void BM_LibraryAcos(benchmark::State& s) {
    perCall(s, Function::Acos, [](double x) { return std::acos(x); });
}

BENCHMARK(BM_PortableSin);
BENCHMARK(BM_LibrarySin);
BENCHMARK(BM_PortableCos);
BENCHMARK(BM_LibraryCos);
BENCHMARK(BM_PortableSinCos);
BENCHMARK(BM_LibrarySinCos);
BENCHMARK(BM_PortableTan);
BENCHMARK(BM_LibraryTan);
BENCHMARK(BM_PortableAsin);
BENCHMARK(BM_LibraryAsin);
BENCHMARK(BM_PortableAcos);
BENCHMARK(BM_LibraryAcos);

// The share of a million arguments that the quick evaluation leaves to the exact one.
void BM_FallbackShare(benchmark::State& state) {
    const auto f = static_cast<Function>(state.range(0));
    const bool inverse = f == Function::Asin || f == Function::Acos;
    constexpr int kSamples = 1000000;
    double fallbacks = 0.0;
    for (auto _ : state) {
        fallbacks = 0.0;
        for (int i = 0; i < kSamples; ++i) {
            const double unit = (i + 0.5) / kSamples * 2.0 - 1.0;
            const double x = inverse ? unit : unit * 13.0;
            double result;
            if (!portable_math_paths::quick(f, x, &result)) fallbacks += 1.0;
        }
    }
    state.counters["fallback_share"] = fallbacks / kSamples;
}

BENCHMARK(BM_FallbackShare)
    ->ArgName("sin_cos_tan_asin_acos")
    ->DenseRange(0, 4)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pulsepost::bench
