// Hand-built CM and BRK streams for the readback tests: byte for byte what a conversion writes,
// so that every malformation can be made on purpose.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "geometry/vec4.h"
#include "output/step_word.h"

namespace pulsepost::testing {

struct BrkBuilder {
    std::vector<uint8_t> bytes;

    BrkBuilder& u8(uint8_t v) {
        bytes.push_back(v);
        return *this;
    }
    BrkBuilder& i16(int16_t v) {
        const uint16_t u = static_cast<uint16_t>(v);
        return u8(u & 0xFF).u8(u >> 8);
    }
    BrkBuilder& i32(int32_t v) {
        const uint32_t u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            u8((u >> (8 * i)) & 0xFF);
        return *this;
    }
    BrkBuilder& f64(double v) {
        uint64_t u = 0;
        std::memcpy(&u, &v, sizeof u);
        for (int i = 0; i < 8; ++i)
            u8((u >> (8 * i)) & 0xFF);
        return *this;
    }
    BrkBuilder& motionHeader(int32_t ticks, double maxZ, uint8_t outputs) {
        return u8(0xFF).i32(ticks).f64(maxZ).u8(outputs);
    }
    BrkBuilder& eventsOnlyHeader() { return i32(1).u8(1); }
    BrkBuilder& chunk(int32_t n) { return u8(0x10).i32(n); }
    BrkBuilder& rapid(uint8_t mask, const Vec4& end, double length, double speed) {
        return u8(0x00).u8(mask).f64(end.x).f64(end.y).f64(end.z).f64(end.a).f64(length).f64(speed);
    }
    BrkBuilder& event(uint8_t kind, uint8_t value) { return u8(kind).u8(value); }
    BrkBuilder& pause() { return u8(0x08); }
    BrkBuilder& dwell(int16_t p) { return u8(0x09).i16(p); }
    BrkBuilder& wait(uint8_t input, uint8_t level) { return u8(0x11).u8(input).u8(level); }
    BrkBuilder& value32(uint8_t kind, int32_t v) { return u8(kind).i32(v); }
    BrkBuilder& terminator() { return u8(0xFF); }
};

struct CmBuilder {
    std::vector<uint8_t> bytes;
    int32_t ticks = 0;

    // One tick: a delta per enabled output, in output order; markOutput's word carries the mark.
    CmBuilder& tick(std::initializer_list<int32_t> deltas, int markOutput = -1) {
        int k = 0;
        for (int32_t d : deltas) {
            const StepWord w = encodeStepWord(d, k == markOutput);
            bytes.insert(bytes.end(), w.bytes, w.bytes + w.length);
            ++k;
        }
        ++ticks;
        return *this;
    }
    int32_t size() const { return static_cast<int32_t>(bytes.size()); }
};

}  // namespace pulsepost::testing
