#include "link/FrameSender.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/Protocol.h"

namespace calvetta {
namespace {

using Bytes = std::vector<std::uint8_t>;

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
        sender.link().Connected = 1;
        sender.link().DebugOn = true;
    }

    void Send(std::initializer_list<std::uint8_t> payload) {
        sender.SendBuf[0] = static_cast<std::uint8_t>(payload.size());
        std::size_t i = 1;
        for (auto b : payload)
            sender.SendBuf[i++] = b;
        sender.SendPacket();
    }
};

TEST_F(SenderFixture, FramesTheWorkedExamples) {
    Send({OpQuery, Id(ParamId::EqPresetSlot)});
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0], (Bytes{0xFA, 0xA2, 0x01, 0x02, 0x05, 0x13, 0xB7, 0xF5}));
    EXPECT_EQ(sender.DebugLog(), "FA,A2,1,2,5,13,B7,F5\r\n");
    EXPECT_EQ(pauses, std::vector<int>{12});

    FrameSender fresh;  // a master volume of -40 dB as the first frame of a run
    Bytes frame;
    fresh.setWriter([&](std::span<const std::uint8_t> f) {
        frame.assign(f.begin(), f.end());
        return true;
    });
    fresh.link().Connected = 1;
    fresh.SendBuf = {3, OpSet, Id(ParamId::MasterVolume), VolumeByte(-40)};
    fresh.SendPacket();
    EXPECT_EQ(frame, (Bytes{0xFA, 0xA2, 0x01, 0x03, 0x06, 0x09, 0xD8, 0x87, 0xF5}));
}

TEST_F(SenderFixture, GuardsDropWithoutTrace) {
    auto expectDropped = [&](const char* why) {
        Send({OpSet, Id(ParamId::MuteState), 1});
        EXPECT_TRUE(written.empty()) << why;
        EXPECT_TRUE(pauses.empty()) << why;
        EXPECT_EQ(sender.DebugLog(), "") << why;
        EXPECT_EQ(sender.SendSeq(), 0) << why;
    };
    sender.link().Connected = 0;
    expectDropped("not connected");
    sender.link().Connected = 1;
    sender.link().SendEnabled = false;
    expectDropped("sending disabled");
    sender.link().SendEnabled = true;

    sender.link().OsdMode = true;
    Send({OpSet, Id(ParamId::EqPresetSlot), 1});
    EXPECT_TRUE(written.empty()) << "13h is below the remote-key id";
    Send({OpSet, Id(ParamId::RemoteKey), 2});
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0][2], 1) << "the first accepted frame carries sequence 1";

    // A count no sender writes is refused, not framed past the buffer.
    sender.SendBuf[0] = 9;
    sender.SendBuf[2] = Id(ParamId::RemoteKey);
    sender.SendPacket();
    sender.SendBuf[0] = 0;
    sender.SendPacket();
    EXPECT_EQ(written.size(), 1u);
}

TEST_F(SenderFixture, SequenceRunsTo254ThenWrapsToZero) {
    for (int i = 0; i < 256; ++i)
        Send({OpSet, Id(ParamId::MuteState), 0});
    ASSERT_EQ(written.size(), 256u);
    EXPECT_EQ(written[253][2], 0xFE);
    EXPECT_EQ(written[254][2], 0x00);
    EXPECT_EQ(written[255][2], 0x01);
    for (const Bytes& f : written)
        EXPECT_NE(f[2], 0xFF);
}

TEST_F(SenderFixture, OnlyNPayloadBytesAreFramedAndStaleBytesStay) {
    Send({OpSet, Id(ParamId::TestTone), 1, 0, 1});
    Send({OpSet, Id(ParamId::TestTone), 0});  // N = 3 now; bytes 4, 5 stay behind
    EXPECT_EQ(sender.SendBuf[4], 0);
    EXPECT_EQ(sender.SendBuf[5], 1);
    EXPECT_EQ(written[1].size(), 9u);
    sender.SendBuf = {8, 1, 2, 3, 4, 5, 6, 7, 8};
    sender.SendPacket();
    ASSERT_EQ(written[2].size(), 14u);
    EXPECT_EQ(written[2][11], 8);
    EXPECT_EQ(written[2][13], 0xF5);
}

TEST_F(SenderFixture, LogLinesUseHexWithoutLeadingZeros) {
    for (int i = 0; i < 9; ++i)
        Send({OpSet, Id(ParamId::MuteState), 0});
    Send({OpSet, Id(ParamId::MasterVolume), 0});  // sequence 0Ah
    EXPECT_EQ(SentFrameLine(written.back()), "FA,A2,A,3,6,9,0,B8,F5\r\n");
    EXPECT_TRUE(sender.DebugLog().ends_with("FA,A2,A,3,6,9,0,B8,F5\r\n"));
    const Bytes payload{0xF0, 0x09, 0xD8};
    EXPECT_EQ(ReceivedFrameLine(payload), "0xF0,0x9,0xD8,\r\n");
}

TEST_F(SenderFixture, LogIsKeptAndShownOnlyWhenDebugIsOn) {
    sender.link().DebugOn = false;
    Send({OpSet, Id(ParamId::MuteState), 1});
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(sender.DebugLog().empty()) << "nothing could ever show it";
    sender.link().DebugOn = true;
    Send({OpSet, Id(ParamId::MuteState), 0});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], sender.DebugLog());
}

TEST_F(SenderFixture, FailedWriteDropsTheLinkWithoutRetryOrPause) {
    portWorks = false;
    Send({OpSet, Id(ParamId::MuteState), 1});
    EXPECT_EQ(written.size(), 1u) << "written once, not retried";
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(sender.link().Connected, 0);
    EXPECT_TRUE(pauses.empty());
    Send({OpSet, Id(ParamId::MuteState), 1});
    EXPECT_EQ(written.size(), 1u) << "nothing more goes out until Connect";
}

}  // namespace
}  // namespace calvetta
