// The trigonometric functions on both builds: writes sin, cos, tan, asin and acos of a fixed
// sweep of arguments, from the portable functions and from the C library, as raw doubles. Given
// the file of the other build (--reference), it requires the portable results to be the same bits
// and reports how many of the C library's results differ, per function.
//
// Usage: math_agreement OUTPUT [--reference FILE]
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/portable_math.h"

namespace {

constexpr int kArguments = 100000;
constexpr int kFunctions = 5;
const char* const kNames[kFunctions] = {"sin", "cos", "tan", "asin", "acos"};

uint64_t gState = 0x2545f4914f6cdd1dULL;
double nextUnit() {
    gState ^= gState << 13;
    gState ^= gState >> 7;
    gState ^= gState << 17;
    return static_cast<double>(gState >> 11) * 0x1p-53;
}

// Per argument: the five portable results, then the five C library results.
std::vector<double> compute() {
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(kArguments) * 2 * kFunctions);
    for (int i = 0; i < kArguments; ++i) {
        // Angles of a few turns, with every tenth one near a multiple of pi/2; cosines in [-1, 1].
        double x = (nextUnit() * 2.0 - 1.0) * 13.0;
        if (i % 10 == 0) x = std::round(x) * 1.5707963267948966 + (nextUnit() - 0.5) * 1e-12;
        const double c = nextUnit() * 2.0 - 1.0;
        const double portable[kFunctions] = {pulsepost::portableSin(x), pulsepost::portableCos(x),
                                             pulsepost::portableTan(x), pulsepost::portableAsin(c),
                                             pulsepost::portableAcos(c)};
        const double library[kFunctions] = {std::sin(x), std::cos(x), std::tan(x), std::asin(c),
                                            std::acos(c)};
        out.insert(out.end(), portable, portable + kFunctions);
        out.insert(out.end(), library, library + kFunctions);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--reference") == 0)) {
        std::fprintf(stderr, "usage: %s OUTPUT [--reference FILE]\n", argv[0]);
        return 2;
    }
    const std::vector<double> values = compute();
    FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(values.data(), sizeof(double), values.size(), f) != values.size()) {
        std::printf("FAIL: cannot write %s\n", argv[1]);
        return 1;
    }
    std::fclose(f);
    if (argc == 2) return 0;

    std::vector<double> reference(values.size());
    FILE* r = std::fopen(argv[3], "rb");
    if (!r ||
        std::fread(reference.data(), sizeof(double), reference.size(), r) != reference.size()) {
        std::printf("FAIL: cannot read %s\n", argv[3]);
        return 1;
    }
    std::fclose(r);
    int portableDiffer[kFunctions] = {};
    int libraryDiffer[kFunctions] = {};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t slot = i % (2 * kFunctions);
        if (std::memcmp(&values[i], &reference[i], sizeof(double)) == 0) continue;
        if (slot < kFunctions) {
            ++portableDiffer[slot];
        } else {
            ++libraryDiffer[slot - kFunctions];
        }
    }
    int failed = 0;
    for (int k = 0; k < kFunctions; ++k) {
        std::printf("%-4s: portable results differing %d, C library results differing %d of %d\n",
                    kNames[k], portableDiffer[k], libraryDiffer[k], kArguments);
        if (portableDiffer[k] != 0) ++failed;
    }
    std::printf("math agreement: %d passed, %d failed\n", kFunctions - failed, failed);
    return failed == 0 ? 0 : 1;
}
