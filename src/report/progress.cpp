#include "report/progress.h"

#include <csignal>

#include "platform/console.h"

namespace pulsepost {

namespace {
volatile std::sig_atomic_t gAbortRequested = 0;  // set from a signal handler
}

void requestAbort() {
    gAbortRequested = 1;
}

void clearAbortRequest() {
    gAbortRequested = 0;
}

bool escapeRequested() {
    if (gAbortRequested != 0) return true;
    if (consoleKeyWaiting() == 0) return false;
    return consoleReadKey() == kEscKey;
}

}  // namespace pulsepost
