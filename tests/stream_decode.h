// Test-side decoding of the CM and BRK streams, written from the stream layouts independently of
// the writer, so that the tests compare what a controller would read.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace pulsepost::testing {

struct DecodedTick {
    std::array<int32_t, 4> delta{};  // by enabled output, in output order
    int markedOutput = -1;           // index into delta of the word with the mark bit, or -1
};

// Splits a CM stream into ticks of `outputs` words each. ok is false when the stream does not
// end on a tick boundary.
inline std::vector<DecodedTick> decodeCm(const std::vector<uint8_t>& cm, int outputs,
                                         bool* ok = nullptr) {
    std::vector<DecodedTick> ticks;
    std::size_t i = 0;
    int k = 0;
    DecodedTick tick;
    while (i < cm.size()) {
        const uint8_t b0 = cm[i];
        int32_t delta = 0;
        if ((b0 & 0x80) == 0) {
            delta = (b0 & 0x40) ? static_cast<int32_t>(b0) - 128 : b0;
            i += 1;
        } else {
            if (i + 1 >= cm.size()) break;
            const uint8_t b1 = cm[i + 1];
            const int32_t raw = ((b0 & 0x7F) << 7) | (b1 & 0x7F);
            delta = raw >= 8192 ? raw - 16384 : raw;
            if (b1 & 0x80) tick.markedOutput = k;
            i += 2;
        }
        tick.delta[k] = delta;
        if (++k == outputs) {
            ticks.push_back(tick);
            tick = DecodedTick{};
            k = 0;
        }
    }
    if (ok) *ok = (k == 0 && i == cm.size());
    return ticks;
}

// One BRK entry after the header.
struct BrkEntry {
    uint8_t kind = 0;
    int32_t value = 0;       // chunk bytes, sValue, pValue, spindle, outputs, tool, input
    uint8_t extra = 0;       // rapid axis mask, wait level
    double doubles[6] = {};  // rapid: end x, y, z, a, length, speed
};

struct DecodedBrk {
    bool motionHeader = false;
    int32_t ticks = 0;
    double maxZ = 0.0;
    uint8_t outputByte = 0;
    std::vector<BrkEntry> entries;
    bool terminated = false;
    bool ok = false;  // the bytes follow the layout to the terminator and no further
};

template <typename T>
T readLe(const std::vector<uint8_t>& b, std::size_t at) {
    T v;
    std::memcpy(&v, b.data() + at, sizeof v);
    return v;
}

inline DecodedBrk decodeBrk(const std::vector<uint8_t>& b) {
    DecodedBrk out;
    std::size_t i = 0;
    if (b.size() >= 14 && b[0] == 0xFF) {
        out.motionHeader = true;
        out.ticks = readLe<int32_t>(b, 1);
        out.maxZ = readLe<double>(b, 5);
        out.outputByte = b[13];
        i = 14;
    } else if (b.size() >= 5 && readLe<int32_t>(b, 0) == 1 && b[4] == 1) {
        i = 5;
    } else {
        return out;
    }
    auto need = [&](std::size_t n) { return i + n <= b.size(); };
    while (need(1)) {
        BrkEntry e;
        e.kind = b[i++];
        switch (e.kind) {
            case 0xFF:
                out.terminated = true;
                out.ok = i == b.size();
                return out;
            case 0x10:
            case 0xBB:
            case 0xBC:
                if (!need(4)) return out;
                e.value = readLe<int32_t>(b, i);
                i += 4;
                break;
            case 0x00:
                if (!need(49)) return out;
                e.extra = b[i];
                for (int k = 0; k < 6; ++k)
                    e.doubles[k] = readLe<double>(b, i + 1 + 8 * k);
                i += 49;
                break;
            case 0x05:
            case 0x06:
            case 0x07:
                if (!need(1)) return out;
                e.value = b[i++];
                break;
            case 0x08:
                break;
            case 0x09:
                if (!need(2)) return out;
                e.value = readLe<int16_t>(b, i);
                i += 2;
                break;
            case 0x11:
                if (!need(2)) return out;
                e.value = b[i];
                e.extra = b[i + 1];
                i += 2;
                break;
            default:
                return out;
        }
        out.entries.push_back(e);
    }
    return out;
}

}  // namespace pulsepost::testing
