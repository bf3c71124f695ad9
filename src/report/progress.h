// Progress reports and the Esc abort, shared by every stage of a conversion.
#pragma once

#include "pulsepost/pulsepost.h"

namespace pulsepost {

using ProgressCallback = PulsepostProgress;

// Sends (stage, percent) to the host's callback, if there is one.
inline void reportProgress(ProgressCallback progress, int stage, int percent) {
    if (progress) progress(stage, percent);
}

// The check made at every due progress report: when a key is waiting it is read; true when it
// is Esc. Any other key is consumed and ignored.
bool escapeRequested();

}  // namespace pulsepost
