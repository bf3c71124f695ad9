// StepWord: the change of one motor output's position in pulses from one tick to the next, in
// one byte or two. Bit 7 of the first byte tells the length:
//
//   short  0ddddddd                      -64 <= delta <= 63, no mark (7-bit two's complement)
//   long   1hhhhhhh  Mlllllll            14-bit two's complement h:l, M = the mark bit
//
// The long form spans -8192 .. 8191; a delta outside that range has no word at all, and the
// encoder says so (length 0) instead of writing one that decodes to another value.
//
// StepBuffer: the process-wide buffer that collects words for the CM file and writes them in
// batches of kStepBufferSize words, while counting every byte the stream has produced.
#pragma once

#include <cstdint>
#include <cstdio>

namespace pulsepost {

constexpr int32_t kStepBufferSize = 100000;  // words per batch
constexpr int32_t kMinStepDelta = -8192;     // pulses per tick
constexpr int32_t kMaxStepDelta = 8191;

struct StepWord {
    uint8_t bytes[2] = {0, 0};
    uint8_t length = 0;  // 1 or 2; 0 when the delta does not fit a word
};

inline bool stepDeltaFits(int32_t delta) {
    return delta >= kMinStepDelta && delta <= kMaxStepDelta;
}

inline StepWord encodeStepWord(int32_t delta, bool mark) {
    StepWord w;
    if (!stepDeltaFits(delta)) return w;
    if (!mark && delta >= -64 && delta <= 63) {
        w.bytes[0] = static_cast<uint8_t>(delta & 0x7F);
        w.length = 1;
        return w;
    }
    w.bytes[0] = static_cast<uint8_t>(0x80 | ((delta >> 7) & 0x7F));
    w.bytes[1] = static_cast<uint8_t>((mark ? 0x80 : 0) | (delta & 0x7F));
    w.length = 2;
    return w;
}

struct StepBuffer {
    uint8_t bytes[2 * kStepBufferSize];  // the words in order, each 1 or 2 bytes
    int32_t usedBytes = 0;               // bytes of bytes[] in use
    int32_t count = 0;                   // words in the buffer
    int32_t byteTotal = 0;               // CM bytes produced this conversion, buffered included
};

StepBuffer& stepBuffer();

// Empties the buffer and sets byteTotal to 0, at the start of the tick stage.
void resetStepBuffer();

// Writes the buffered words to the CM file; count = 0, byteTotal unchanged. Returns false when
// the file took fewer bytes than given.
bool flushStepBuffer(FILE* cm);

// Appends a word (length 1 or 2) to b, the buffer stepBuffer() returns (a loop that pushes many
// words looks it up once); flushes when the buffer holds kStepBufferSize words.
inline void pushStepWord(const StepWord& word, StepBuffer& b, FILE* cm) {
    b.bytes[b.usedBytes] = word.bytes[0];
    b.bytes[b.usedBytes + 1] = word.bytes[1];
    b.usedBytes += word.length;
    b.count += 1;
    b.byteTotal += word.length;
    if (b.count == kStepBufferSize) flushStepBuffer(cm);
}

inline void pushStepWord(const StepWord& word, FILE* cm) {
    pushStepWord(word, stepBuffer(), cm);
}

}  // namespace pulsepost
