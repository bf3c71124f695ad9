// Shared by the fuzz targets: one scratch directory per fuzzing process, which is also made the
// current directory (FILTER.CFG and timeMem.txt live there), and a way to report a broken
// property so that libFuzzer keeps the input that shows it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pulsepost {
struct MachineConfig;
}

namespace pulsepost::fuzzing {

// The small machine of the G-code targets: 1000 pulses per unit on X, Y and Z, 500 on A; fast
// enough that short programs give short profiles; F words in effect, rapids as rapid moves.
void setSmallMachine(MachineConfig& c);

// The process's scratch directory, made on first use and removed when the process exits
// normally. The first call also moves the current directory into it.
const std::string& scratchDirectory();

// scratchDirectory() + "/" + name.
std::string scratchFile(const char* name);

// Creates or truncates path and writes the bytes. Aborts when that fails: a fuzz run that cannot
// write its input tests nothing.
void writeInput(const std::string& path, const uint8_t* data, std::size_t size);

// Prints what broke and aborts, so that libFuzzer saves the input as a crash.
[[noreturn]] void propertyBroken(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace pulsepost::fuzzing

namespace pulsepost::fuzzing {

// Limits one conversion of a fuzz input to what a fuzzer can afford: at most maxPages store pages
// (a peck cycle of a few bytes can ask for millions of records, which the design allows) and
// about maxSeconds of wall time (a short program can describe hours of motion). A conversion
// that wants more pages is stopped by an exception thrown from the page allocator; one that
// runs out of time is stopped with Esc at its next progress check, as a user would.
struct RunBudget {
    int maxPages = 4;
    double maxSeconds = 2.0;
};

// What happened during one guarded run.
struct RunOutcome {
    bool overBudget = false;  // stopped for want of pages
    bool escaped = false;     // Esc was pressed for want of time
    int refusals = 0;         // messages with code 8 (refused)
    int fileFailures = 0;     // messages with code 7 (a file could not be opened)
    int storeFailures = 0;    // messages with codes 1 to 6
    std::string lastMessage;
};

// Runs conversion() under the budget with a message sink, a key source and a page allocator
// installed, then checks that the run gave back what it took: every store page it allocated is
// released and no file descriptor stays open (when it was stopped for want of pages, what it
// left behind is released here instead). Leak detection is off inside the run, since a stopped
// run leaves its open streams behind; store pages are kept for reuse across runs.
RunOutcome guardedRun(const RunBudget& budget, void (*conversion)(void* context), void* context);

}  // namespace pulsepost::fuzzing
