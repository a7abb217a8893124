#include "fake-device/FakeDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>

#include "link/Protocol.h"

namespace calvetta::fake {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The program's end of the line.
struct SlaveEnd {
    int fd;
    explicit SlaveEnd(const std::string& path)
        : fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~SlaveEnd() {
        if (fd >= 0) ::close(fd);
    }
    SlaveEnd(const SlaveEnd&) = delete;
    SlaveEnd& operator=(const SlaveEnd&) = delete;

    void write(const Bytes& b) {
        ASSERT_EQ(::write(fd, b.data(), b.size()), static_cast<ssize_t>(b.size()));
    }
    Bytes read(std::size_t count) {
        Bytes out;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (out.size() < count && std::chrono::steady_clock::now() < end) {
            pollfd p{fd, POLLIN, 0};
            std::uint8_t buf[64];
            if (::poll(&p, 1, 20) <= 0) continue;
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n <= 0) break;
            out.insert(out.end(), buf, buf + n);
        }
        return out;
    }
};

TEST(FakeDevice, AnswersQueriesRecordsSetsAndCountsBadChecksums) {
    FakeDevice device;  // reports -40 dB
    SlaveEnd pc(device.slavePath());
    ASSERT_GE(pc.fd, 0);

    pc.write(RequestFrameBytes(1, {OpQuery, Id(ParamId::MasterVolume)}));
    EXPECT_EQ(pc.read(9), (Bytes{0xFA, 0x2A, 0x00, 0x03, 0xF0, 0x09, 0xD8, 0xF8, 0xF5}));

    const Bytes set = RequestFrameBytes(3, {OpSet, Id(ParamId::MuteState), 1});
    Bytes broken = RequestFrameBytes(2, {OpSet, Id(ParamId::MuteState), 1});
    broken[broken.size() - 2] ^= 0xFF;
    pc.write(broken);
    pc.write(set);
    ASSERT_TRUE(device.waitForRequests(2, std::chrono::seconds(2)));
    const auto requests = device.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].seq, 3);
    EXPECT_EQ(requests[1].payload, (Bytes{OpSet, Id(ParamId::MuteState), 1}));
    EXPECT_EQ(device.badFrames(), 1);
    EXPECT_EQ(device.repliesSent(), 1) << "a set command is not answered";
}

}  // namespace
}  // namespace calvetta::fake
