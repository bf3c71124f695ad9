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

// text with every control byte and every byte that is not part of a valid UTF-8 sequence
// written as \xNN (a backslash as \\), so that a quoted line of a file or a path can neither
// drive a terminal nor break the JSON or XML it is put into. Valid UTF-8 stays as it is.
std::string printableText(const std::string& text);

// A number for a message: six decimals while it is below 1e9 in magnitude, else the short
// exponent form, so that an absurd value from a damaged file does not become 300 digits.
std::string messageNumber(double value);

}  // namespace pulsepost
