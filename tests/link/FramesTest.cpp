#include "link/Frames.h"

#include <gtest/gtest.h>

#include <functional>

namespace calvetta {
namespace {

// Every shape into a buffer that still holds another frame's bytes (A0h +
// position): the shape's own bytes change, and exactly those.
TEST(FramesTest, EachShapeWritesItsOwnBytesAndLeavesTheRest) {
    struct Row {
        const char* shape;
        std::function<void(SendBuffer&)> fill;
        SendBuffer expected;
    };
    const Row rows[] = {
        {"set",
         [](SendBuffer& b) { FillSet(b, ParamId::MasterVolume, 0xD8); },
         {3, 0x06, 0x09, 0xD8, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8}},
        {"channel set",
         [](SendBuffer& b) { FillChannelSet(b, ParamId::ChannelTrim, 7, 0xF6); },
         {4, 0x06, 0x10, 7, 0xF6, 0xA5, 0xA6, 0xA7, 0xA8}},
        {"group set",
         [](SendBuffer& b) {
             FillGroupSet(b, ParamId::SpeakerConfig, {1, 2, 0, 2});
         },
         {6, 0x06, 0x0C, 1, 2, 0, 2, 0xA7, 0xA8}},
        {"group set, two groups left out",
         [](SendBuffer& b) {
             FillGroupSet(b, ParamId::Crossover, {4, std::nullopt, 12, std::nullopt});
         },
         {6, 0x06, 0x0D, 4, 0xA4, 12, 0xA6, 0xA7, 0xA8}},
        {"test tone, manual channel",
         [](SendBuffer& b) { FillTestTone(b, 1, 0, 8); },
         {5, 0x06, 0x0B, 1, 0, 8, 0xA6, 0xA7, 0xA8}},
        {"test tone, automatic",
         [](SendBuffer& b) { FillTestTone(b, 1, 1, std::nullopt); },
         {5, 0x06, 0x0B, 1, 1, 0xA5, 0xA6, 0xA7, 0xA8}},
        {"test tone, off",
         [](SendBuffer& b) { FillTestTone(b, 0, std::nullopt, std::nullopt); },
         {5, 0x06, 0x0B, 0, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8}},
        {"system reset",
         [](SendBuffer& b) { FillSystemReset(b); },
         {3, 0x06, 0x01, 1, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8}},
        {"band",
         [](SendBuffer& b) { FillPeqBand(b, 7, 2, 250, 94, 19); },
         {7, 0x06, 0x0E, 7, 2, 250, 94, 19, 0xA8}},
        {"query",
         [](SendBuffer& b) { FillQuery(b, ParamId::EqPresetSlot); },
         {2, 0x05, 0x13, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8}},
        {"channel query",
         [](SendBuffer& b) { FillChannelQuery(b, ParamId::ChannelDelay, 7); },
         {3, 0x05, 0x11, 7, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shape);
        SendBuffer buf{};
        for (std::size_t i = 0; i < buf.size(); ++i)
            buf[i] = static_cast<std::uint8_t>(0xA0 + i);
        row.fill(buf);
        EXPECT_EQ(buf, row.expected);
    }
}

}  // namespace
}  // namespace calvetta
