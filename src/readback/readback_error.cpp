#include "readback/readback_error.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace pulsepost {

int32_t readbackFailure(ReadbackError& error, const char* file, int64_t offset, const char* format,
                        ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    error.file = file;
    error.offset = offset;
    error.message = printableText(text);
    return -1;
}

std::string describeReadbackError(const ReadbackError& error) {
    std::string line = error.file;
    if (error.offset >= 0) line += " byte " + std::to_string(error.offset);
    line += ": ";
    line += error.message;
    return line;
}

namespace {

// The length of the valid UTF-8 sequence at s[i] (1 to 4), or 0 when the byte there starts none:
// no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t utf8SequenceAt(const std::string& s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0) low = 0xA0;
        if (b0 == 0xED) high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0) low = 0x90;
        if (b0 == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    return length;
}

}  // namespace

std::string printableText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8SequenceAt(text, i);
        if (length > 1) {
            out.append(text, i, length);
            i += length;
            continue;
        }
        if (length == 0 || c < 0x20 || c == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
    return out;
}

std::string messageNumber(double value) {
    constexpr double kPlainLimit = 1e9;
    char text[64];
    std::snprintf(text, sizeof text, std::fabs(value) < kPlainLimit ? "%.6f" : "%.6g", value);
    return text;
}

}  // namespace pulsepost
