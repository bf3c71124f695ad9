// Words of a program line and the numbers after them.
//
// The dialect finds a word by searching the cleaned line for its letter anywhere in it (upper
// case only): every occurrence of M and G, only the first of every other letter. The number is
// read from the character right after the letter with the C library's integer and decimal
// conversions: leading blanks are skipped, the longest number is taken, and a letter followed by
// no number reads as 0. Letters inside keywords are words too ("WAITFORON3" holds W, A, I, F).
//
// Integers are read as a 32-bit C library reads them (its long is 32 bits wide): a value out of
// range gives the nearest of -2147483648 and 2147483647, on every host.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "entry/message_sink.h"

namespace pulsepost {

constexpr int32_t kRefused = -1;  // status of a line whose conversion is refused

// The text right after the first occurrence of letter, or nullptr when the line has none.
inline const char* wordText(const char* line, char letter) {
    const char* at = std::strchr(line, letter);
    return at ? at + 1 : nullptr;
}

// atoi / atol of a 32-bit C library.
inline int32_t readInteger(const char* text) {
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

// atof.
inline double readDecimal(const char* text) {
    return std::strtod(text, nullptr);
}

// Reports a refused conversion with the program line it happened on; returns kRefused.
int32_t refuseLine(int32_t lineNumber, const char* reason);

// Reads the word's decimal number into value when the line holds the letter: 1 when read, 0 when
// the line has no such word (value untouched), kRefused when the number is not finite (an
// infinite or not-a-number value must never reach a coordinate, a speed or a cycle value).
inline int32_t readFiniteWord(const char* line, char letter, int32_t lineNumber, double& value) {
    const char* text = wordText(line, letter);
    if (!text) return 0;
    const double v = readDecimal(text);
    if (!std::isfinite(v)) {
        char reason[48];
        std::snprintf(reason, sizeof reason, "the number of the %c word is not finite", letter);
        return refuseLine(lineNumber, reason);
    }
    value = v;
    return 1;
}

}  // namespace pulsepost
