// generate_programs: writes a large realistic part program for the benchmarks.
//
//   generate_programs surfacing|pocketing|drilling LINES OUTPUT
//
// LINES may carry a k or M suffix (thousands, millions). Prints the number of lines written.
#include <cstdio>
#include <cstdlib>

#include "program_generator.h"

namespace {

bool parseLines(const char* text, long long& lines) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    double factor = 1.0;
    if (*end == 'k' || *end == 'K') {
        factor = 1e3;
        ++end;
    } else if (*end == 'M' || *end == 'm') {
        factor = 1e6;
        ++end;
    }
    if (end == text || *end != '\0' || !(value > 0.0) || value * factor > 1e10) return false;
    lines = static_cast<long long>(value * factor);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace pulsepost::bench;
    ProgramKind kind;
    long long lines = 0;
    if (argc != 4 || !programKindNamed(argv[1], kind) || !parseLines(argv[2], lines)) {
        std::fprintf(stderr, "usage: %s surfacing|pocketing|drilling LINES OUTPUT\n", argv[0]);
        return 2;
    }
    const long long written = writeProgramFile(kind, argv[3], lines);
    if (written < 0) {
        std::perror(argv[3]);
        return 1;
    }
    std::printf("%s: %lld lines\n", argv[3], written);
    return 0;
}
