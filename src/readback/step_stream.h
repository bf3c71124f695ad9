// Reading a CM pulse stream back: step words, one per enabled motor output per tick, with no
// header and no terminator. A word's length shows in bit 7 of its first byte:
//
//   0ddddddd             one byte: delta -64..63 as 7-bit two's complement
//   1hhhhhhh Mlllllll    two bytes: delta h:l as 14-bit two's complement, M the mark bit
//
// The stream may be far larger than memory is worth spending on, so StepSource reads it in
// blocks, from a file or from bytes already in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace pulsepost {

struct DecodedStepWord {
    int32_t delta = 0;  // pulses
    bool mark = false;
    int32_t length = 0;  // bytes: 1 or 2
};

// Decodes the word at data. Returns its length (1 or 2), or 0 when a two-byte word is cut off
// (available is 1).
int32_t decodeStepWord(const uint8_t* data, std::size_t available, DecodedStepWord& out);

// Bytes of a CM stream, read front to back.
struct StepSource {
    const uint8_t* memory = nullptr;  // bytes in memory, or
    FILE* file = nullptr;             // a file read in blocks
    std::size_t memorySize = 0;
    std::vector<uint8_t> block;  // the file's current block
    std::size_t blockStart = 0;  // offset of block[0] in the stream
    std::size_t blockUsed = 0;
    int64_t offset = 0;  // offset of the next byte
    bool atEnd = false;
};

StepSource stepSourceFromMemory(const uint8_t* data, std::size_t size);
StepSource stepSourceFromFile(FILE* file);

// Reads the next word. Returns 1, 0 at the clean end of the stream, -1 when the stream ends in
// the middle of a two-byte word.
int32_t readStepWord(StepSource& source, DecodedStepWord& out);

}  // namespace pulsepost
