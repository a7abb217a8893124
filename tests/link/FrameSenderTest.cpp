#include "link/FrameSender.h"

#include <gtest/gtest.h>

#include <tuple>
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
    const std::tuple<Buf, Bytes, const char*> rows[] = {
        {{3, OpQuery, 0x10, 0x0A, 0xEE},  // only N payload bytes go out
         {0xFA, 0xA2, 0x01, 0x03, 0x05, 0x10, 0x0A, 0xBF, 0xF5},
         "FA,A2,1,3,5,10,A,BF,F5\r\n"},
        {{8, 1, 2, 3, 4, 5, 6, 7, 8},
         {0xFA, 0xA2, 0x02, 0x08, 1, 2, 3, 4, 5, 6, 7, 8, 0xCA, 0xF5},
         "FA,A2,2,8,1,2,3,4,5,6,7,8,CA,F5\r\n"},
    };
    std::string log;
    for (const auto& [buf, frame, line] : rows) {
        Send(buf);
        EXPECT_EQ(written.back(), frame);
        log += line;
        EXPECT_EQ(shown.back(), line);
    }
    EXPECT_EQ(sender.DebugLog(), log);
    EXPECT_EQ(pauses, std::vector<int>(2, 12));

    // Without the debug switch nothing could ever show the log: it is not kept.
    sender.link().DebugOn = false;
    Send(std::get<Buf>(rows[0]));
    EXPECT_EQ(sender.DebugLog(), log);
    EXPECT_EQ(shown.size(), 2u);

    // The sequence number runs to 254, then wraps to 0.
    while (written.size() < 256)
        Send({3, OpSet, 0x08, 0});
    EXPECT_EQ((Bytes{written[253][2], written[254][2], written[255][2]}), (Bytes{0xFE, 0, 1}));
}

TEST_F(SenderFixture, GuardsDropWithoutTrace) {
    const Buf mute{3, OpSet, 0x08, 1};
    // Why, Connected, SendEnabled, OsdMode, the command, whether it goes out.
    const std::tuple<const char*, std::uint8_t, bool, bool, Buf, bool> cases[] = {
        {"not connected", 0, true, false, mute, false},
        {"sending disabled", 1, false, false, mute, false},
        {"remote-key mode, 13h", 1, true, true, {3, OpSet, 0x13, 1}, false},
        {"count 0", 1, true, false, {0, OpSet, 0x14}, false},
        {"count 9", 1, true, false, {9, OpSet, 0x14, 1, 1, 1, 1, 1, 1}, false},
        {"remote-key mode, 14h", 1, true, true, {3, OpSet, 0x14, 2}, true},
    };
    for (const auto& [why, connected, enabled, osd, buf, sent] : cases) {
        sender.link() = {connected, enabled, osd, true};
        Send(buf);
        EXPECT_EQ(written.size(), sent ? 1u : 0u) << why;
        EXPECT_EQ(pauses.size(), written.size()) << why;
        EXPECT_EQ(sender.DebugLog().empty(), written.empty()) << why;
    }
    EXPECT_EQ(written.at(0)[2], 1) << "a dropped command takes no sequence number";
}

TEST_F(SenderFixture, FailedWriteDropsTheLinkWithoutRetryOrPause) {
    portWorks = false;
    Send({3, OpSet, 0x08, 1});
    Send({3, OpSet, 0x08, 1});
    EXPECT_EQ(written.size(), 1u) << "written once; nothing more until Connect";
    EXPECT_EQ(failures, 1);
    EXPECT_TRUE(pauses.empty());
}

}  // namespace
}  // namespace calvetta
