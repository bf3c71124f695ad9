#include "output/step_word.h"

#include "platform/files.h"

namespace pulsepost {

namespace {
StepBuffer gStepBuffer;
}

StepBuffer& stepBuffer() {
    return gStepBuffer;
}

void resetStepBuffer() {
    gStepBuffer.usedBytes = 0;
    gStepBuffer.count = 0;
    gStepBuffer.byteTotal = 0;
}

bool flushStepBuffer(FILE* cm) {
    StepBuffer& b = gStepBuffer;
    const std::size_t n = static_cast<std::size_t>(b.usedBytes);
    const bool ok = n == 0 || std::fwrite(b.bytes, 1, n, cm) == n;
    if (!ok) noteWriteError(cm);
    b.usedBytes = 0;
    b.count = 0;
    return ok;
}

}  // namespace pulsepost
