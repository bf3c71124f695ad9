// The decimal numbers of program words read exactly as the C library's atof reads them: the
// fast path for plain decimals must give the very same double, bit for bit, and every other form
// must behave as atof does.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "gcode/line_words.h"

namespace pulsepost {
namespace {

uint64_t bitsOf(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

void expectSameAsAtof(const char* text) {
    const double want = std::strtod(text, nullptr);
    const double got = readDecimal(text);
    if (std::isnan(want)) {
        EXPECT_TRUE(std::isnan(got)) << '"' << text << '"';
    } else {
        EXPECT_EQ(bitsOf(got), bitsOf(want)) << '"' << text << "\": " << got << " vs " << want;
    }
}

TEST(WordDecimals, EveryFormReadsAsAtofReadsIt) {
    const char* forms[] = {"1.2345 Y2",
                           "-0.0001",
                           "-0",
                           "-0.0000",
                           "+7.5",
                           "  \t3.25Z",
                           ".5",
                           "-.5",
                           "5.",
                           "-",
                           "+",
                           ".",
                           "",
                           "X",
                           "0.1",
                           "0.3",
                           "2.675",
                           "123456789012345678",
                           "1234567890123456789",
                           "12345678901234567890",
                           "9007199254740993",
                           "9007199254740992",
                           "0.30000000000000004",
                           "1.00000000000000000001",
                           "1e3",
                           "1.5E-3",
                           "2e",
                           "2e+",
                           "0x1A",
                           "0X1p3",
                           "00x1",
                           "0.5x",
                           "inf",
                           "-INF",
                           "nan",
                           "Infinity",
                           "1e999",
                           "-1e999",
                           "1e-400",
                           "0.0000000000000000000001",
                           "3.14159265358979323846",
                           "\n4",
                           "\r5",
                           "\v6",
                           "\f7",
                           "99999999999999999999.5",
                           "4503599627370497.5",
                           "0.1234567890123456789"};
    for (const char* text : forms)
        expectSameAsAtof(text);
}

TEST(WordDecimals, ProgramStyleDecimalsAreBitIdenticalToAtof) {
    // Random decimals of the lengths part programs use, with and without sign and point.
    std::mt19937_64 random(2024);
    char text[64];
    for (int i = 0; i < 200000; ++i) {
        const int places = static_cast<int>(random() % 9);
        const uint64_t whole = random() % 100000;
        const uint64_t fraction = random() % 1000000000;
        const char* sign = (random() & 1) ? "-" : "";
        if (places == 0) {
            std::snprintf(text, sizeof text, "%s%llu", sign,
                          static_cast<unsigned long long>(whole));
        } else {
            std::snprintf(text, sizeof text, "%s%llu.%0*llu", sign,
                          static_cast<unsigned long long>(whole), places,
                          static_cast<unsigned long long>(
                              fraction % 1000000000 % static_cast<uint64_t>(std::pow(10, places))));
        }
        const double want = std::strtod(text, nullptr);
        ASSERT_EQ(bitsOf(readDecimal(text)), bitsOf(want)) << text;
    }
    // Long mantissas near the exact-integer limit and many places.
    for (int i = 0; i < 100000; ++i) {
        std::snprintf(text, sizeof text, "%.*f", static_cast<int>(random() % 20),
                      static_cast<double>(random() % (uint64_t{1} << 54)) / 1e6);
        ASSERT_EQ(bitsOf(readDecimal(text)), bitsOf(std::strtod(text, nullptr))) << text;
    }
}

}  // namespace
}  // namespace pulsepost
