#include "readback/break_stream.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "geometry/segment.h"

namespace pulsepost {

namespace {

// The spindle byte of a SpindleEvent is 1 (on) or 0 (off), or a coded output: the output's
// number minus 100 in bits 1..6 and the wanted state in bit 7.
constexpr uint8_t kCodedOutputBits = 0x7E;
constexpr uint8_t kCodedOutputOn = 0x80;
constexpr int kCodedOutputBase = 100;

constexpr uint8_t kTerminator = 0xFF;  // ends the entries
// A chunk entry carries the code of the feed moves it divides.
constexpr uint8_t kChunkKind = static_cast<uint8_t>(SegmentKind::Feed);

int32_t readInt32(const uint8_t* p) {
    const uint32_t u = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                       (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    return static_cast<int32_t>(u);
}

int16_t readInt16(const uint8_t* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

double readDouble(const uint8_t* p) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

int32_t decodeHeader(const uint8_t* data, std::size_t size, BrkStream& out, ReadbackError& error) {
    if (size == 0) {
        return readbackFailure(error, "BRK", 0,
                               "the stream is empty; expected a header (0xFF with motion, "
                               "01 00 00 00 01 without)");
    }
    if (data[0] == 0xFF) {
        if (size < static_cast<std::size_t>(kBrkMotionHeaderBytes)) {
            return readbackFailure(error, "BRK", static_cast<int64_t>(size),
                                   "the motion header needs %d bytes; the stream ends after %zu",
                                   kBrkMotionHeaderBytes, size);
        }
        out.hasMotion = true;
        out.tickCount = readInt32(data + 1);
        out.maxZ = readDouble(data + 5);
        out.outputByte = data[13];
        if (out.tickCount < 0) {
            return readbackFailure(error, "BRK", 1, "tick count %d; expected 0 or more",
                                   out.tickCount);
        }
        if (!std::isfinite(out.maxZ)) {
            return readbackFailure(error, "BRK", 5, "maxZ is not a finite number");
        }
        for (int k = 0; k < 4; ++k) {
            const bool enabled = (out.outputByte >> k) & 1;
            const bool negative = (out.outputByte >> (4 + k)) & 1;
            if (negative && !enabled) {
                return readbackFailure(error, "BRK", 13,
                                       "output byte 0x%02X gives output %d a direction without "
                                       "enabling it",
                                       out.outputByte, k);
            }
        }
        return kBrkMotionHeaderBytes;
    }
    if (data[0] == 0x01) {
        static const uint8_t kEventsOnly[kBrkEventsOnlyHeaderBytes] = {1, 0, 0, 0, 1};
        for (int i = 1; i < kBrkEventsOnlyHeaderBytes; ++i) {
            if (static_cast<std::size_t>(i) >= size) {
                return readbackFailure(error, "BRK", i,
                                       "the header without motion needs 5 bytes (01 00 00 00 "
                                       "01); the stream ends after %zu",
                                       size);
            }
            if (data[i] != kEventsOnly[i]) {
                return readbackFailure(error, "BRK", i,
                                       "byte 0x%02X in the header; expected 0x%02X (01 00 00 "
                                       "00 01)",
                                       data[i], kEventsOnly[i]);
            }
        }
        out.hasMotion = false;
        return kBrkEventsOnlyHeaderBytes;
    }
    return readbackFailure(error, "BRK", 0,
                           "header byte 0x%02X; expected 0xFF (with motion) or 0x01 (without)",
                           data[0]);
}

// Fills the payload of an entry whose bytes are all present.
int32_t decodePayload(const uint8_t* p, BrkEntry& e, ReadbackError& error) {
    switch (static_cast<SegmentKind>(e.kind)) {
        case SegmentKind::Feed:  // the chunk record shares the code 0x10
            e.chunkBytes = readInt32(p + 1);
            if (e.chunkBytes <= 0) {
                return readbackFailure(error, "BRK", e.offset + 1,
                                       "chunk of %d bytes; expected a positive byte count",
                                       e.chunkBytes);
            }
            return 0;
        case SegmentKind::Rapid: {
            e.value = p[1];
            e.end =
                Vec4(readDouble(p + 2), readDouble(p + 10), readDouble(p + 18), readDouble(p + 26));
            e.length = readDouble(p + 34);
            e.speed = readDouble(p + 42);
            for (int i = 0; i < 6; ++i) {
                if (!std::isfinite(readDouble(p + 2 + 8 * i))) {
                    return readbackFailure(error, "BRK", e.offset + 2 + 8 * i,
                                           "a rapid move's double is not a finite number");
                }
            }
            if (e.value > 0x0F) {
                return readbackFailure(error, "BRK", e.offset + 1,
                                       "rapid axis mask 0x%02X; expected bits 0..3 only", e.value);
            }
            return 0;
        }
        case SegmentKind::SpindleEvent:
        case SegmentKind::OutputEvent:
        case SegmentKind::ToolChange:
            e.value = p[1];
            return 0;
        case SegmentKind::Pause:
            return 0;
        case SegmentKind::Dwell:
            e.pValue = readInt16(p + 1);
            return 0;
        case SegmentKind::WaitInput:
            e.value = p[1];
            e.level = p[2];
            if (e.level > 1) {
                return readbackFailure(error, "BRK", e.offset + 2,
                                       "awaited input level %u; expected 0 or 1", e.level);
            }
            return 0;
        case SegmentKind::SpindleSpeed:
        case SegmentKind::AuxValue:
            e.sValue = readInt32(p + 1);
            return 0;
        default:
            return readbackFailure(error, "BRK", e.offset, "entry kind 0x%02X is unknown", e.kind);
    }
}

}  // namespace

bool BrkEntry::isChunk() const {
    return kind == kChunkKind;
}

bool BrkEntry::isRapid() const {
    return kind == static_cast<uint8_t>(SegmentKind::Rapid);
}

int32_t brkEntrySize(uint8_t kind) {
    switch (static_cast<SegmentKind>(kind)) {
        case SegmentKind::Feed:
            return 5;  // chunk
        case SegmentKind::Rapid:
            return 50;
        case SegmentKind::SpindleEvent:
        case SegmentKind::OutputEvent:
        case SegmentKind::ToolChange:
            return 2;
        case SegmentKind::Pause:
            return 1;
        case SegmentKind::Dwell:
        case SegmentKind::WaitInput:
            return 3;
        case SegmentKind::SpindleSpeed:
        case SegmentKind::AuxValue:
            return 5;
        default:
            return 0;
    }
}

const char* brkEntryName(uint8_t kind) {
    switch (static_cast<SegmentKind>(kind)) {
        case SegmentKind::Feed:
            return "chunk";
        case SegmentKind::Rapid:
            return "rapid";
        case SegmentKind::SpindleEvent:
            return "spindle";
        case SegmentKind::OutputEvent:
            return "outputs";
        case SegmentKind::ToolChange:
            return "tool";
        case SegmentKind::Pause:
            return "pause";
        case SegmentKind::Dwell:
            return "dwell";
        case SegmentKind::WaitInput:
            return "wait";
        case SegmentKind::SpindleSpeed:
            return "speed";
        case SegmentKind::AuxValue:
            return "value";
        default:
            return "unknown";
    }
}

int32_t decodeBreakStream(const uint8_t* data, std::size_t size, BrkStream& out,
                          ReadbackError& error) {
    out = BrkStream{};
    out.size = static_cast<int64_t>(size);
    const int32_t header = decodeHeader(data, size, out, error);
    if (header < 0) return -1;
    std::size_t at = static_cast<std::size_t>(header);
    while (at < size) {
        const uint8_t kind = data[at];
        if (kind == kTerminator) {
            if (at + 1 != size) {
                return readbackFailure(error, "BRK", static_cast<int64_t>(at + 1),
                                       "%zu bytes follow the terminator; expected the end of "
                                       "the stream",
                                       size - at - 1);
            }
            return 0;
        }
        const int32_t entrySize = brkEntrySize(kind);
        if (entrySize == 0) {
            return readbackFailure(error, "BRK", static_cast<int64_t>(at),
                                   "entry kind 0x%02X is unknown; expected a chunk (0x10), a "
                                   "rapid (0x00), an event (0x05-0x09, 0x11, 0xBB, 0xBC) or "
                                   "the terminator 0xFF",
                                   kind);
        }
        if (at + static_cast<std::size_t>(entrySize) > size) {
            return readbackFailure(error, "BRK", static_cast<int64_t>(at),
                                   "a %s entry needs %d bytes; the stream ends after %zu",
                                   brkEntryName(kind), entrySize, size - at);
        }
        BrkEntry entry;
        entry.kind = kind;
        entry.offset = static_cast<int64_t>(at);
        if (decodePayload(data + at, entry, error) != 0) return -1;
        if (entry.isChunk() && !out.hasMotion) {
            return readbackFailure(error, "BRK", entry.offset,
                                   "a chunk in a stream without motion; expected events only");
        }
        out.entries.push_back(entry);
        at += static_cast<std::size_t>(entrySize);
    }
    return readbackFailure(error, "BRK", static_cast<int64_t>(size),
                           "the stream ends without the terminator 0xFF");
}

std::string describeBrkEntry(const BrkEntry& e) {
    char text[128];
    switch (static_cast<SegmentKind>(e.kind)) {
        case SegmentKind::Feed:
            std::snprintf(text, sizeof text, "chunk of %d CM bytes", e.chunkBytes);
            break;
        case SegmentKind::Rapid:
            std::snprintf(text, sizeof text, "rapid to X%.4f Y%.4f Z%.4f A%.4f at %.4f/s", e.end.x,
                          e.end.y, e.end.z, e.end.a, e.speed);
            break;
        case SegmentKind::SpindleEvent:
            if (e.value & kCodedOutputBits) {
                std::snprintf(text, sizeof text, "output %d %s",
                              ((e.value & kCodedOutputBits) >> 1) + kCodedOutputBase,
                              (e.value & kCodedOutputOn) ? "on" : "off");
            } else {
                std::snprintf(text, sizeof text, "spindle %s", (e.value & 1) ? "on" : "off");
            }
            break;
        case SegmentKind::OutputEvent: {
            std::string on;
            for (int bit = 0; bit < 8; ++bit) {
                if (!((e.value >> bit) & 1)) continue;
                if (!on.empty()) on += ", ";
                on += bit == 0 ? "0 (coolant)" : std::to_string(bit);
            }
            std::snprintf(text, sizeof text, "outputs on: %s", on.empty() ? "none" : on.c_str());
            break;
        }
        case SegmentKind::ToolChange:
            std::snprintf(text, sizeof text, "tool %u", e.value);
            break;
        case SegmentKind::Pause:
            std::snprintf(text, sizeof text, "pause");
            break;
        case SegmentKind::Dwell:
            std::snprintf(text, sizeof text, "dwell P%d", e.pValue);
            break;
        case SegmentKind::WaitInput:
            std::snprintf(text, sizeof text, "wait for input %u %s", e.value,
                          e.level ? "on" : "off");
            break;
        case SegmentKind::SpindleSpeed:
            std::snprintf(text, sizeof text, "spindle speed S%d", e.sValue);
            break;
        case SegmentKind::AuxValue:
            std::snprintf(text, sizeof text, "value %d", e.sValue);
            break;
        default:
            std::snprintf(text, sizeof text, "entry 0x%02X", e.kind);
            break;
    }
    return text;
}

}  // namespace pulsepost
