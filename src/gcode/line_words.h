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

#include "report/message_sink.h"

namespace pulsepost {

constexpr int32_t kRefused = -1;  // status of a line whose conversion is refused

// The text right after the first occurrence of letter, or nullptr when the line has none.
inline const char* wordText(const char* line, char letter) {
    const char* at = std::strchr(line, letter);
    return at ? at + 1 : nullptr;
}

// The first occurrence of every upper-case letter of a line, found in one pass. A line's motion
// words are a dozen letters looked up one after another; searching the line once per letter cost
// more than reading their numbers. The lookups give exactly what wordText gives.
struct LineLetters {
    const char* line;
    uint32_t after[26];  // offset of the character after the letter's first occurrence; 0: none
};

inline LineLetters indexLetters(const char* line) {
    LineLetters letters{line, {}};
    for (uint32_t i = 0; line[i] != '\0'; ++i) {
        const uint32_t letter = static_cast<uint32_t>(static_cast<unsigned char>(line[i]) - 'A');
        if (letter < 26 && letters.after[letter] == 0) letters.after[letter] = i + 1;
    }
    return letters;
}

inline const char* wordText(const LineLetters& letters, char letter) {
    const uint32_t after = letters.after[letter - 'A'];
    return after != 0 ? letters.line + after : nullptr;
}

// atoi / atol of a 32-bit C library.
inline int32_t readInteger(const char* text) {
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

namespace line_words_detail {

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint64_t kExactMantissaLimit = uint64_t{1} << 53;  // every integer up to it is exact
constexpr int kMaxDigits = 19;  // digits that always fit the 64-bit mantissa

inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace line_words_detail

// atof. The plain decimals of a part program ("-12.3456": sign, at most 19 digits, a point, no
// exponent) are converted by the fast path: the digits as an integer m and the count k of digits
// after the point give m / 10^k, and when m and 10^k are both exact doubles that one division is
// correctly rounded, so it is the very value the C library's conversion gives. Everything else
// (exponents, hexadecimal, inf and nan, longer or larger numbers, no digits) goes to strtod.
inline double readDecimal(const char* text) {
    using namespace line_words_detail;
    const char* c = text;
    while (isBlank(*c))
        ++c;
    const bool negative = *c == '-';
    if (*c == '-' || *c == '+') ++c;
    uint64_t mantissa = 0;
    int digits = 0;
    int fractionDigits = 0;
    for (; isDigit(*c); ++c, ++digits)
        mantissa = mantissa * 10 + static_cast<uint64_t>(*c - '0');
    const bool integerDigits = digits > 0;
    if (*c == '.') {
        for (++c; isDigit(*c); ++c, ++digits, ++fractionDigits) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(*c - '0');
        }
    }
    const bool plain = digits > 0 && digits <= kMaxDigits && mantissa <= kExactMantissaLimit &&
                       fractionDigits <= 22 && *c != 'e' && *c != 'E' &&
                       !(integerDigits && (*c == 'x' || *c == 'X'));
    if (!plain) return std::strtod(text, nullptr);
    const double magnitude = static_cast<double>(mantissa) / kExactPowersOfTen[fractionDigits];
    return negative ? -magnitude : magnitude;
}

// Reports a refused conversion with the program line it happened on; returns kRefused.
int32_t refuseLine(int32_t lineNumber, const char* reason);

// Reads the decimal number of the word whose text (right after its letter) is text into value: 1
// when read, kRefused when the number is not finite (an infinite or not-a-number value must never
// reach a coordinate, a speed or a cycle value).
inline int32_t readFiniteWord(const char* text, char letter, int32_t lineNumber, double& value) {
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
