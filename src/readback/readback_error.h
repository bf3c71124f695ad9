// ReadbackError: why a written stream cannot be read back, with the file, the byte offset where
// the reader stopped and what it expected there.
#pragma once

#include <cstdint>
#include <string>

namespace pulsepost {

struct ReadbackError {
    std::string file;     // "CM", "BRK", "LIM", "EV", or "configuration"
    int64_t offset = -1;  // byte offset in that file; -1 when no single byte is to blame
    std::string message;  // what was found, and what was expected
};

// Fills error and returns -1, so that a decoder can write `return readbackFailure(...)`.
int32_t readbackFailure(ReadbackError& error, const char* file, int64_t offset, const char* format,
                        ...) __attribute__((format(printf, 4, 5)));

// One line: "BRK byte 37: record kind 0x42 is unknown; expected ...".
std::string describeReadbackError(const ReadbackError& error);

}  // namespace pulsepost
