// Step words and the step buffer: every encoding example, the range the words can carry, the
// batch flush and the byte count.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "output/step_word.h"
#include "test_support.h"

namespace pulsepost {
namespace {

std::vector<uint8_t> bytesOf(const StepWord& w) {
    return std::vector<uint8_t>(w.bytes, w.bytes + w.length);
}

// Decodes one word as the controller does.
int32_t decode(const StepWord& w) {
    if (w.length == 1)
        return (w.bytes[0] & 0x40) ? static_cast<int32_t>(w.bytes[0]) - 128 : w.bytes[0];
    const int32_t raw = ((w.bytes[0] & 0x7F) << 7) | (w.bytes[1] & 0x7F);
    return raw >= 8192 ? raw - 16384 : raw;
}

TEST(StepWord, EncodesTheShortAndLongForms) {
    using B = std::vector<uint8_t>;
    EXPECT_EQ(bytesOf(encodeStepWord(5, false)), (B{0x05}));
    EXPECT_EQ(bytesOf(encodeStepWord(-1, false)), (B{0x7F}));
    EXPECT_EQ(bytesOf(encodeStepWord(0, false)), (B{0x00}));
    EXPECT_EQ(bytesOf(encodeStepWord(63, false)), (B{0x3F}));
    EXPECT_EQ(bytesOf(encodeStepWord(-64, false)), (B{0x40}));
    EXPECT_EQ(bytesOf(encodeStepWord(64, false)), (B{0x80, 0x40}));
    EXPECT_EQ(bytesOf(encodeStepWord(-65, false)), (B{0xFF, 0x3F}));
    EXPECT_EQ(bytesOf(encodeStepWord(8191, false)), (B{0xBF, 0x7F}));
    EXPECT_EQ(bytesOf(encodeStepWord(-8192, false)), (B{0xC0, 0x00}));
}

TEST(StepWord, MarkForcesTheLongForm) {
    using B = std::vector<uint8_t>;
    EXPECT_EQ(bytesOf(encodeStepWord(0, true)), (B{0x80, 0x80}));
    EXPECT_EQ(bytesOf(encodeStepWord(-1, true)), (B{0xFF, 0xFF}));
    EXPECT_EQ(bytesOf(encodeStepWord(63, true)), (B{0x80, 0xBF}));
}

TEST(StepWord, EveryRepresentableDeltaDecodesBackAndNoOtherIsEncoded) {
    for (int32_t d = kMinStepDelta; d <= kMaxStepDelta; ++d) {
        for (bool mark : {false, true}) {
            const StepWord w = encodeStepWord(d, mark);
            ASSERT_GT(w.length, 0);
            ASSERT_EQ(decode(w), d);
            ASSERT_EQ(w.length == 2 && (w.bytes[1] & 0x80) != 0, mark);
        }
    }
    for (int32_t d : {8192, -8193, 100000, -2147483647 - 1, 2147483647}) {
        EXPECT_FALSE(stepDeltaFits(d));
        EXPECT_EQ(encodeStepWord(d, false).length, 0) << d;
    }
}

TEST(StepBuffer, FlushesEveryHundredThousandWordsAndKeepsCounting) {
    testing::ScratchDir dir;
    const std::string path = dir.file("out.CM");
    FILE* cm = std::fopen(path.c_str(), "wb");
    ASSERT_NE(cm, nullptr);
    resetStepBuffer();
    for (int i = 0; i < 10; ++i)
        pushStepWord(encodeStepWord(i % 2 ? 100 : 1, false), cm);
    EXPECT_EQ(stepBuffer().byteTotal, 15);
    EXPECT_EQ(stepBuffer().count, 10);
    resetStepBuffer();
    for (int i = 0; i < kStepBufferSize - 1; ++i)
        pushStepWord(encodeStepWord(1, false), cm);
    std::fflush(cm);
    EXPECT_EQ(testing::readBytes(path).size(), 0u);
    pushStepWord(encodeStepWord(64, false), cm);
    std::fflush(cm);
    EXPECT_EQ(stepBuffer().count, 0);
    EXPECT_EQ(stepBuffer().byteTotal, kStepBufferSize + 1);
    const auto bytes = testing::readBytes(path);
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(kStepBufferSize + 1));
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes[kStepBufferSize - 1], 0x80);
    EXPECT_EQ(bytes[kStepBufferSize], 0x40);
    pushStepWord(encodeStepWord(-1, false), cm);
    EXPECT_TRUE(flushStepBuffer(cm));
    std::fclose(cm);
    EXPECT_EQ(testing::readBytes(path).size(), static_cast<std::size_t>(kStepBufferSize + 2));
    EXPECT_EQ(stepBuffer().byteTotal, kStepBufferSize + 2);
    resetStepBuffer();
}

}  // namespace
}  // namespace pulsepost
