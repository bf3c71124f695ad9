// Hostile streams for the readback: pulse positions that leave the 32-bit range in which the
// controller counts them must be reported as malformed, never wrap around or overflow.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readback/break_stream.h"
#include "readback/motion_plot.h"
#include "readback/motion_readback.h"
#include "readback/readback_error.h"
#include "readback/step_stream.h"
#include "readback/text_outputs.h"
#include "readback_builders.h"

namespace pulsepost {
namespace {

using testing::BrkBuilder;
using testing::CmBuilder;

constexpr uint8_t kOutputsXYZ = 0x47;  // outputs 0, 1, 2 enabled, Z counting down

int32_t walk(const std::vector<uint8_t>& brkBytes, const std::vector<uint8_t>& cmBytes,
             const MotionScale& scale, ReadbackError& error) {
    BrkStream brk;
    if (decodeBreakStream(brkBytes.data(), brkBytes.size(), brk, error) != 0) return -1;
    StepSource cm = stepSourceFromMemory(cmBytes.data(), cmBytes.size());
    MotionSummary summary;
    return walkMotion(brk, cm, scale, summary, error);
}

TEST(HardeningReadback, RapidEndBeyondTheCountableRangeIsMalformed) {
    for (double x : {1e30, -1e30, 211400.0, 1e308}) {
        CmBuilder cm;
        cm.tick({1, 0, 0});
        BrkBuilder brk;
        brk.motionHeader(1, 0.0, kOutputsXYZ)
            .rapid(0x01, Vec4(x, 0.0, 0.0, 0.0), 1.0, 1.0)
            .chunk(cm.size())
            .terminator();
        ReadbackError error;
        EXPECT_EQ(walk(brk.bytes, cm.bytes, MotionScale{}, error), -1) << x;
        EXPECT_EQ(error.file, "BRK");
        EXPECT_EQ(error.offset, kBrkMotionHeaderBytes);
        EXPECT_NE(error.message.find("32 bits"), std::string::npos) << error.message;
    }
    // Just inside the range the rapid is an ordinary one.
    CmBuilder cm;
    cm.tick({1, 0, 0});
    BrkBuilder brk;
    brk.motionHeader(1, 0.0, kOutputsXYZ)
        .rapid(0x01, Vec4(211000.0, 0.0, 0.0, 0.0), 1.0, 1.0)
        .chunk(cm.size())
        .terminator();
    ReadbackError error;
    EXPECT_EQ(walk(brk.bytes, cm.bytes, MotionScale{}, error), 0) << error.message;
}

TEST(HardeningReadback, StepsThatCarryAPositionPastTheRangeAreMalformed) {
    MotionScale scale;
    scale.stepsPerUnit[0] = 1e6;  // a rapid to x = 2147.48 ends 3647 pulses below the limit
    CmBuilder cm;
    cm.tick({3000, 0, 0}).tick({8000, 0, 0});
    BrkBuilder brk;
    brk.motionHeader(cm.ticks, 0.0, kOutputsXYZ)
        .rapid(0x01, Vec4(2147.48, 0.0, 0.0, 0.0), 1.0, 1.0)
        .chunk(cm.size())
        .terminator();
    ReadbackError error;
    EXPECT_EQ(walk(brk.bytes, cm.bytes, scale, error), -1);
    EXPECT_EQ(error.file, "CM");
    EXPECT_NE(error.message.find("tick 2"), std::string::npos) << error.message;
    EXPECT_NE(error.message.find("output 0"), std::string::npos) << error.message;
}

// Text from a damaged file or a hostile path reaches a terminal, JSON and XML: control bytes and
// bytes that are not UTF-8 are written as \xNN, valid UTF-8 stays, and a number from a damaged
// file is written short rather than as hundreds of digits.
TEST(HardeningReadback, MessagesEscapeControlBytesAndShortenAbsurdNumbers) {
    const std::pair<std::string, std::string> texts[] = {
        {"plain \xC3\x96l \xE2\x82\xAC", "plain \xC3\x96l \xE2\x82\xAC"},  // Öl €
        {"\x1B[31mred\x07", "\\x1B[31mred\\x07"},
        {"\xFF\xC3 \xC0\xAF \xED\xA0\x80", "\\xFF\\xC3 \\xC0\\xAF \\xED\\xA0\\x80"},
        {"a\\b", "a\\\\b"},
    };
    for (const auto& [text, printable] : texts)
        EXPECT_EQ(printableText(text), printable);
    EXPECT_EQ(messageNumber(-2.5), "-2.500000");
    EXPECT_EQ(messageNumber(1e300), "1e+300");

    LimBounds lim;
    ReadbackError error;
    ASSERT_EQ(parseLimText("1\r\n\x1B]0;title\x07\r\n1\r\n1\r\n1\r\n1\r\n", lim, error), -1);
    EXPECT_EQ(error.message.find('\x1B'), std::string::npos) << error.message;
    EXPECT_NE(error.message.find("\\x1B]0;title\\x07"), std::string::npos) << error.message;

    MotionPlotData data;
    Readback r;
    const std::string svg = renderMotionPlot(data, r, "job\xFF\x01<1>");
    EXPECT_NE(svg.find("job\\xFF\\x01&lt;1&gt;"), std::string::npos);
}

}  // namespace
}  // namespace pulsepost
