// Progress of the two refinement passes over the segment store. Each pass counts down in bytes
// of records: a report (with the Esc check just before it) is due at the first record and then
// whenever the countdown has run below one byte again, about a hundred times per pass.
#pragma once

#include <cstdint>

#include "report/progress.h"
#include "store/segment_store.h"

namespace pulsepost {

struct PassProgress {
    Stage stage = Stage::Fillets;  // progress stage of the pass
    double totalBytes = 0;         // bytes: the store's highWater x kSegmentBytes
    ReportCountdown countdown;     // bytes still to pass before the next report
};

inline PassProgress startPassProgress(Stage stage, const SegmentStore& store) {
    return PassProgress{stage, store.highWater * static_cast<double>(kSegmentBytes), {}};
}

// The per cent a report at the cursor sends: the cursor's share of the total bytes, truncated.
inline int passPercent(const PassProgress& pass, int32_t cursor) {
    return static_cast<int>(cursor * static_cast<double>(kSegmentBytes) / pass.totalBytes * 100.0);
}

// After a report: the next is due once a hundredth of the total bytes has passed.
inline void restartPassCountdown(PassProgress& pass) {
    pass.countdown.remaining = static_cast<int64_t>(pass.totalBytes * 0.01);
}

// The due report: checks for Esc (-1) and sends (stage, passPercent); then restarts the
// countdown.
int32_t reportPassProgress(PassProgress& pass, int32_t cursor, ProgressCallback progress);

// Called after each record a pass handles, with the store's cursor. 0 to go on, -1 on Esc.
inline int32_t stepPassProgress(PassProgress& pass, int32_t cursor, ProgressCallback progress) {
    if (!pass.countdown.due(kSegmentBytes)) return 0;
    return reportPassProgress(pass, cursor, progress);
}

}  // namespace pulsepost
