// Progress reports and the Esc abort, shared by every stage of a conversion.
#pragma once

#include <cstdint>

#include "pulsepost/pulsepost.h"

namespace pulsepost {

using ProgressCallback = PulsepostProgress;

// The stages of a conversion, numbered as the host's callback receives them.
enum class Stage : int32_t {
    Reading = 0,           // the program read into the segment store
    Fillets = 1,           // the corner fillet pass
    Distances = 2,         // the distance and arc speed pass
    Planning = 3,          // the velocity profile
    ProfileDistances = 4,  // the distances of the profile's knots
    Ticks = 5,             // the pulse stream
};

constexpr int kPercentDone = 100;  // the last report of every completed stage

// Sends (stage, percent) to the host's callback, if there is one.
inline void reportProgress(ProgressCallback progress, Stage stage, int percent) {
    if (progress) progress(static_cast<int32_t>(stage), percent);
}

// The check made at every due progress report: true when the host asked for an abort
// (requestAbort), or when a key is waiting and it is Esc. Any other key is consumed and ignored.
bool escapeRequested();

// Asks the running conversion to end at its next check, as Esc does; async-signal-safe.
void requestAbort();
// Drops a request left from before, at the start of a conversion.
void clearAbortRequest();

// The throttle of a stage's progress reports. A report, with the Esc check just before it, is
// due at the first step and then whenever the countdown has run out again; the stage then
// restarts it at about a hundredth of its total. Each stage counts in its own unit (program
// lines, bytes of records, ticks) and computes its percent its own way, as hosts have always
// seen it.
struct ReportCountdown {
    int64_t remaining = 0;  // the stage's units until the next report

    // One step of the given size: true when a report is due (the countdown is left as it is).
    bool due(int64_t step) {
        if (remaining >= 1) {
            remaining -= step;
            return false;
        }
        return true;
    }
};

}  // namespace pulsepost
