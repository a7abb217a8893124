#include "support/FakeDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <chrono>

#include "link/Protocol.h"
#include "link/ReplyReceiver.h"

namespace calvetta::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The program's end of the line.
class SlaveEnd {
  public:
    explicit SlaveEnd(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~SlaveEnd() {
        if (fd_ >= 0) ::close(fd_);
    }
    SlaveEnd(const SlaveEnd&) = delete;
    SlaveEnd& operator=(const SlaveEnd&) = delete;

    bool ok() const { return fd_ >= 0; }
    void write(const Bytes& b) {
        ASSERT_EQ(::write(fd_, b.data(), b.size()), static_cast<ssize_t>(b.size()));
    }
    // Reads until count bytes came, the line hung up, or timeoutMs passed.
    Bytes read(std::size_t count, int timeoutMs = 2000) {
        Bytes out;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (out.size() < count && std::chrono::steady_clock::now() < end) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            std::array<std::uint8_t, 256> buf{};
            const ssize_t n = ::read(fd_, buf.data(), buf.size());
            if (n > 0) {
                out.insert(out.end(), buf.begin(), buf.begin() + n);
            } else if (n == 0 || errno != EAGAIN) {
                hungUp_ = true;
                break;
            }
        }
        return out;
    }
    bool hungUp() const { return hungUp_; }

  private:
    int fd_;
    bool hungUp_ = false;
};

TEST(FakeDevice, AnswersQueriesFromItsStateInAFormTheReceiverApplies) {
    DeviceState state;
    state.masterVolume = -40;
    state.trims[3] = -10;
    FakeDevice device(state);
    SlaveEnd pc(device.slavePath());
    ASSERT_TRUE(pc.ok());

    pc.write(RequestFrameBytes(1, {OpQuery, Id(ParamId::MasterVolume)}));
    EXPECT_EQ(pc.read(9), (Bytes{0xFA, 0x2A, 0x00, 0x03, 0xF0, 0x09, 0xD8, 0xF8, 0xF5}));

    pc.write(RequestFrameBytes(2, {OpQuery, Id(ParamId::ChannelTrim), 3}));
    const Bytes trim = pc.read(10);
    EXPECT_EQ(trim, ReplyFrameBytes(1, {0xF0, 0x10, 0x03, 0xF6}));

    // The reply goes through the receive ring and parser unchanged.
    LinkState link;
    std::vector<RxPayloadBytes> applied;
    Bytes port = trim;
    ReplyReceiver rx(link, {.inBufferCount = [&] { return static_cast<int>(port.size()); },
                            .takeInput = [&](Bytes& chunk) { chunk.swap(port); },
                            .apply = [&](const RxPayloadBytes& p) { applied.push_back(p); }});
    rx.UARTCOM_OnComm(2);
    rx.EventTimer_Timer();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0][3], 0xF6);
    EXPECT_EQ(device.repliesSent(), 2);
}

TEST(FakeDevice, RecordsSetFramesAmidNoiseAndCountsBrokenOnes) {
    FakeDevice device;
    SlaveEnd pc(device.slavePath());
    ASSERT_TRUE(pc.ok());
    const auto before = std::chrono::steady_clock::now();

    Bytes broken = RequestFrameBytes(4, {OpSet, Id(ParamId::MuteState), 1});
    broken[6] ^= 0xFF;  // checksum
    const Bytes set = RequestFrameBytes(5, {OpSet, Id(ParamId::MuteState), 1});
    pc.write(Bytes{0x00, 0xFA, 0x13} + broken);
    pc.write(Bytes(set.begin(), set.begin() + 3));  // split across two writes
    pc.write(Bytes(set.begin() + 3, set.end()));

    ASSERT_TRUE(device.waitForRequests(1, 2s));
    const auto requests = device.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].seq, 5);
    EXPECT_EQ(requests[0].payload, (Bytes{OpSet, Id(ParamId::MuteState), 1}));
    EXPECT_GE(requests[0].at, before);
    EXPECT_LE(requests[0].at, std::chrono::steady_clock::now());
    EXPECT_EQ(device.badFrames(), 1);
    EXPECT_TRUE(pc.read(1, 100).empty()) << "a set command is not answered";
}

TEST(FakeDevice, InjectsRawBytesHangsUpAndComesBackUnderItsLink) {
    FakeDevice device;
    {
        SlaveEnd pc(device.linkPath());
        ASSERT_TRUE(pc.ok());
        EXPECT_TRUE(device.inject({0xFA, 0x2A, 0x00}));
        EXPECT_EQ(pc.read(3), (Bytes{0xFA, 0x2A, 0x00}));

        device.hangUp();
        EXPECT_FALSE(device.isOpen());
        EXPECT_FALSE(device.inject({0x00}));
        pc.read(1, 500);
        EXPECT_TRUE(pc.hungUp());
    }
    EXPECT_FALSE(SlaveEnd(device.linkPath()).ok()) << "nothing to open while hung up";

    device.reopen();
    SlaveEnd pc(device.linkPath());
    ASSERT_TRUE(pc.ok());
    pc.write(RequestFrameBytes(6, {OpQuery, Id(ParamId::EqPresetSlot)}));
    EXPECT_EQ(pc.read(8), ReplyFrameBytes(0, {0xF0, 0x13, 0x01}));
}

}  // namespace
}  // namespace calvetta::test
