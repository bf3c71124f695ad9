#include "refine/pass_progress.h"

namespace pulsepost {

int32_t reportPassProgress(PassProgress& pass, int32_t cursor, ProgressCallback progress) {
    if (escapeRequested()) return -1;
    reportProgress(progress, pass.stage, passPercent(pass, cursor));
    restartPassCountdown(pass);
    return 0;
}

}  // namespace pulsepost
