#include "readback/step_stream.h"

namespace pulsepost {

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;

int32_t signExtend(int32_t value, int bits) {
    const int32_t signBit = 1 << (bits - 1);
    return (value & signBit) ? value - (signBit << 1) : value;
}

// Next byte, or -1 at the end of the stream.
int nextByte(StepSource& s) {
    if (s.memory != nullptr || s.file == nullptr) {
        if (s.memory == nullptr || static_cast<std::size_t>(s.offset) >= s.memorySize) return -1;
        return s.memory[s.offset++];
    }
    std::size_t at = static_cast<std::size_t>(s.offset) - s.blockStart;
    if (at >= s.blockUsed) {
        if (s.atEnd) return -1;
        s.blockStart = static_cast<std::size_t>(s.offset);
        s.blockUsed = std::fread(s.block.data(), 1, s.block.size(), s.file);
        if (s.blockUsed < s.block.size()) s.atEnd = true;
        if (s.blockUsed == 0) return -1;
        at = 0;
    }
    ++s.offset;
    return s.block[at];
}

}  // namespace

int32_t decodeStepWord(const uint8_t* data, std::size_t available, DecodedStepWord& out) {
    out = DecodedStepWord{};
    if (available == 0) return 0;
    if ((data[0] & 0x80) == 0) {
        out.delta = signExtend(data[0] & 0x7F, 7);
        out.length = 1;
        return 1;
    }
    if (available < 2) return 0;
    out.delta = signExtend(((data[0] & 0x7F) << 7) | (data[1] & 0x7F), 14);
    out.mark = (data[1] & 0x80) != 0;
    out.length = 2;
    return 2;
}

StepSource stepSourceFromMemory(const uint8_t* data, std::size_t size) {
    StepSource s;
    s.memory = data;
    s.memorySize = size;
    return s;
}

StepSource stepSourceFromFile(FILE* file) {
    StepSource s;
    s.file = file;
    s.block.resize(kBlockBytes);
    return s;
}

int32_t readStepWord(StepSource& source, DecodedStepWord& out) {
    const int first = nextByte(source);
    if (first < 0) return 0;
    uint8_t bytes[2] = {static_cast<uint8_t>(first), 0};
    std::size_t available = 1;
    if (first & 0x80) {
        const int second = nextByte(source);
        if (second < 0) return -1;
        bytes[1] = static_cast<uint8_t>(second);
        available = 2;
    }
    decodeStepWord(bytes, available, out);
    return 1;
}

}  // namespace pulsepost
