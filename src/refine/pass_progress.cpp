#include "refine/pass_progress.h"

namespace pulsepost {

int32_t reportPassProgress(PassProgress& pass, int32_t cursor, ProgressCallback progress) {
    if (escapeRequested()) return -1;
    const double percent = cursor * static_cast<double>(kSegmentBytes) / pass.totalBytes * 100.0;
    reportProgress(progress, pass.stage, static_cast<int>(percent));
    pass.countdown.remaining = static_cast<int64_t>(pass.totalBytes * 0.01);
    return 0;
}

}  // namespace pulsepost
