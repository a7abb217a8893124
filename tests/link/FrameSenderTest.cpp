#include "link/FrameSender.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/Protocol.h"

namespace calvetta {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Buf = std::array<std::uint8_t, 9>;

// A connected sender with the debug switch on; port, pause and log display record.
struct SenderFixture : ::testing::Test {
    FrameSender sender;
    std::vector<Bytes> written;
    std::vector<int> pauses;
    std::vector<std::string> shown;
    bool portWorks = true;
    int failures = 0;

    void SetUp() override {
        sender.setWriter([this](std::span<const std::uint8_t> f) {
            written.emplace_back(f.begin(), f.end());
            return portWorks;
        });
        sender.setPause([this](int ms) { pauses.push_back(ms); });
        sender.setLogShown([this](std::string_view line) { shown.emplace_back(line); });
        sender.setWriteFailed([this] { ++failures; });
        sender.link() = {.Connected = 1, .DebugOn = true};
    }

    void Send(const Buf& buf) {
        sender.SendBuf = buf;
        sender.SendPacket();
    }
};

TEST_F(SenderFixture, FramesLogsAndPausesEveryAcceptedCommand) {
    const struct {
        Buf buf;
        Bytes frame;
        const char* line;
    } rows[] = {
        {{3, OpSet, 0x09, 0xD8},  // -40 dB as the first frame of a run
         {0xFA, 0xA2, 0x01, 0x03, 0x06, 0x09, 0xD8, 0x87, 0xF5},
         "FA,A2,1,3,6,9,D8,87,F5\r\n"},
        {{2, OpQuery, 0x13, 0xEE},  // only N payload bytes go out
         {0xFA, 0xA2, 0x02, 0x02, 0x05, 0x13, 0xB8, 0xF5},
         "FA,A2,2,2,5,13,B8,F5\r\n"},
        {{4, OpSet, 0x10, 0x01, 0x0A},
         {0xFA, 0xA2, 0x03, 0x04, 0x06, 0x10, 0x01, 0x0A, 0xC4, 0xF5},
         "FA,A2,3,4,6,10,1,A,C4,F5\r\n"},
        {{8, 1, 2, 3, 4, 5, 6, 7, 8},
         {0xFA, 0xA2, 0x04, 0x08, 1, 2, 3, 4, 5, 6, 7, 8, 0xCC, 0xF5},
         "FA,A2,4,8,1,2,3,4,5,6,7,8,CC,F5\r\n"},
    };
    std::string log;
    for (const auto& r : rows) {
        Send(r.buf);
        EXPECT_EQ(written.back(), r.frame);
        log += r.line;
        EXPECT_EQ(shown.back(), r.line);
    }
    EXPECT_EQ(sender.DebugLog(), log);
    EXPECT_EQ(pauses, std::vector<int>(4, 12));

    // Without the debug switch nothing could ever show the log: it is not kept.
    sender.link().DebugOn = false;
    Send(rows[0].buf);
    EXPECT_EQ(sender.DebugLog(), log);
    EXPECT_EQ(shown.size(), 4u);
}

TEST_F(SenderFixture, GuardsDropWithoutTrace) {
    const Buf mute{3, OpSet, 0x08, 1};
    const struct {
        const char* why;
        std::uint8_t connected;
        bool enabled, osd;
        Buf buf;
        bool sent;
    } cases[] = {
        {"not connected", 0, true, false, mute, false},
        {"sending disabled", 1, false, false, mute, false},
        {"remote-key mode, 13h", 1, true, true, {3, OpSet, 0x13, 1}, false},
        {"count 0", 1, true, false, {0, OpSet, 0x14}, false},
        {"count 9", 1, true, false, {9, OpSet, 0x14, 1, 1, 1, 1, 1, 1}, false},
        {"remote-key mode, 14h", 1, true, true, {3, OpSet, 0x14, 2}, true},
    };
    for (const auto& c : cases) {
        sender.link() = {c.connected, c.enabled, c.osd, true};
        Send(c.buf);
        EXPECT_EQ(written.size(), c.sent ? 1u : 0u) << c.why;
        EXPECT_EQ(pauses.size(), written.size()) << c.why;
        EXPECT_EQ(sender.DebugLog().empty(), written.empty()) << c.why;
    }
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0][2], 1) << "a dropped command takes no sequence number";
}

TEST_F(SenderFixture, SequenceRunsTo254ThenWrapsToZero) {
    for (int i = 0; i < 256; ++i)
        Send({3, OpSet, 0x08, 0});
    EXPECT_EQ(written[253][2], 0xFE);
    EXPECT_EQ(written[254][2], 0x00);
    EXPECT_EQ(written[255][2], 0x01);
}

TEST_F(SenderFixture, FailedWriteDropsTheLinkWithoutRetryOrPause) {
    portWorks = false;
    Send({3, OpSet, 0x08, 1});
    Send({3, OpSet, 0x08, 1});
    EXPECT_EQ(written.size(), 1u) << "written once; nothing more until Connect";
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(sender.link().Connected, 0);
    EXPECT_TRUE(pauses.empty());
}

}  // namespace
}  // namespace calvetta
