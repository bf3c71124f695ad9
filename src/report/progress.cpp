#include "report/progress.h"

#include "platform/console.h"

namespace pulsepost {

bool escapeRequested() {
    if (consoleKeyWaiting() == 0) return false;
    return consoleReadKey() == kEscKey;
}

}  // namespace pulsepost
