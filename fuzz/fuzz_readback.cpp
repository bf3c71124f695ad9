// Readback decoders. One input holds a BRK stream and a CM stream:
//
//   byte 0      scale variant: bit 0 swaps X and Y, bit 1 gives A 100 pulses per unit,
//               bit 2 makes X count backwards
//   bytes 1..2  n, the BRK stream's length (little-endian, cut to what the input holds)
//   n bytes     the BRK stream
//   the rest    the CM stream
//
// The decoders must reject anything malformed with an error that names an offset inside the
// stream, never crash or read past it; a motion walk that succeeds must have consumed the whole
// CM stream, tick by tick, in as many ticks as the header says. The whole input is also read as
// LIM and EV text.
#include <string>

#include "fuzz_support.h"
#include "readback/break_stream.h"
#include "readback/motion_readback.h"
#include "readback/step_stream.h"
#include "readback/text_outputs.h"

using namespace pulsepost;

namespace {

void checkErrorOffset(const ReadbackError& error, std::size_t size) {
    if (error.message.empty()) fuzzing::propertyBroken("a failure without a message");
    if (error.offset > static_cast<int64_t>(size)) {
        fuzzing::propertyBroken("error offset %lld past the %zu bytes: %s",
                                static_cast<long long>(error.offset), size,
                                describeReadbackError(error).c_str());
    }
}

void walk(const BrkStream& brk, const uint8_t* cm, std::size_t cmSize, uint8_t variant) {
    MotionScale scale;
    if (variant & 1) scale.swapXY = 1;
    if (variant & 2) scale.stepsPerUnit[3] = 100.0;
    if (variant & 4) scale.stepsPerUnit[0] = -scale.stepsPerUnit[0];
    StepSource source = stepSourceFromMemory(cm, cmSize);
    MotionSummary summary;
    ReadbackError error;
    if (walkMotion(brk, source, scale, summary, error) != 0) {
        checkErrorOffset(error, error.file == "BRK" ? static_cast<std::size_t>(brk.size) : cmSize);
        return;
    }
    if (summary.cmBytes != static_cast<int64_t>(cmSize)) {
        fuzzing::propertyBroken("walk accepted %lld of %zu CM bytes",
                                static_cast<long long>(summary.cmBytes), cmSize);
    }
    if (brk.hasMotion && summary.ticks != brk.tickCount) {
        fuzzing::propertyBroken("walk accepted %lld ticks, the header says %d",
                                static_cast<long long>(summary.ticks), brk.tickCount);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    {
        LimBounds lim;
        ReadbackError error;
        if (parseLimText(text, lim, error) != 0) checkErrorOffset(error, size);
        std::vector<EvLine> ev;
        if (parseEvText(text, ev, error) != 0) checkErrorOffset(error, size);
    }
    if (size < 3) return 0;
    const uint8_t variant = data[0];
    std::size_t brkSize =
        static_cast<std::size_t>(data[1]) | (static_cast<std::size_t>(data[2]) << 8);
    if (brkSize > size - 3) brkSize = size - 3;
    const uint8_t* brkData = data + 3;
    const uint8_t* cm = brkData + brkSize;
    const std::size_t cmSize = size - 3 - brkSize;

    BrkStream brk;
    ReadbackError error;
    if (decodeBreakStream(brkData, brkSize, brk, error) != 0) {
        checkErrorOffset(error, brkSize);
        return 0;
    }
    if (brk.size != static_cast<int64_t>(brkSize)) {
        fuzzing::propertyBroken("decoded %lld of %zu BRK bytes", static_cast<long long>(brk.size),
                                brkSize);
    }
    for (const BrkEntry& entry : brk.entries) {
        if (entry.offset < 0 || entry.offset + brkEntrySize(entry.kind) > brk.size) {
            fuzzing::propertyBroken("entry at %lld lies outside the stream",
                                    static_cast<long long>(entry.offset));
        }
        (void)describeBrkEntry(entry);
    }
    walk(brk, cm, cmSize, variant);
    return 0;
}
