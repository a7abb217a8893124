#include "link/ReplyReceiver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fake-device/FakeDevice.h"
#include "link/Protocol.h"

namespace calvetta {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr auto Reply = fake::ReplyFrameBytes;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes kVolume = {0xFA, 0x2A, 0x00, 0x03, 0xF0, 0x09, 0xD8, 0xF8, 0xF5};  // -40 dB

// The window around the receiver: port buffer, reply timer, debug box, reply table.
struct ReceiverFixture : ::testing::Test {
    LinkState link;
    ReplyReceiver rx{link};
    Bytes port;
    bool timerOn = true;
    int interval = 0;
    std::vector<std::string> echoed, errors;
    std::vector<Bytes> applied;  // payload bytes up to the last non-zero one
    std::function<void()> onApply;

    void SetUp() override {
        rx.setHooks({
            .inBufferCount = [this] { return static_cast<int>(port.size()); },
            .takeInput =
                [this](Bytes& chunk) {
                    EXPECT_FALSE(timerOn) << "the ring is written with the timer off";
                    chunk = std::exchange(port, {});
                },
            .timerEnabled = [this] { return timerOn; },
            .setTimerEnabled = [this](bool on) { timerOn = on; },
            .setTimerInterval = [this](int ms) { interval = ms; },
            .echo = [this](std::string_view line) { echoed.emplace_back(line); },
            .apply =
                [this](const RxPayloadBytes& p) {
                    EXPECT_FALSE(link.SendEnabled);
                    EXPECT_FALSE(timerOn);
                    Bytes& b = applied.emplace_back(p.begin(), p.end());
                    while (!b.empty() && b.back() == 0)
                        b.pop_back();
                    if (onApply) onApply();
                },
            .error = [this](std::string_view what) { errors.emplace_back(what); },
        });
    }

    void Arrive(const Bytes& bytes) {
        port.insert(port.end(), bytes.begin(), bytes.end());
        rx.UARTCOM_OnComm(2);
    }

    void Tick() {
        rx.EventTimer_Timer();
        EXPECT_TRUE(timerOn);
        EXPECT_EQ(interval, kReplyTimerMs);
        EXPECT_TRUE(link.SendEnabled);
    }
};

TEST_F(ReceiverFixture, OneFramePerTickAndOnlyReportOrAckIsApplied) {
    Bytes longest(kRxPayloadSize, 0x11);  // the largest payload the buffer holds
    longest[0] = 0x01;
    Arrive(Reply(0, {0x00, 0x09, 0xD8}) + kVolume + Reply(1, {0x01, 0x09}) +
           Reply(2, {0x02, 0x09}) + Reply(3, longest));
    for (std::size_t i = 1; i <= 6; ++i) {
        Tick();
        EXPECT_EQ(echoed.size(), std::min<std::size_t>(i, 5)) << "one frame per tick";
    }
    EXPECT_EQ(echoed[0], "0x0,0x9,0xD8,\r\n") << "code 00h is echoed, not applied";
    EXPECT_EQ(applied, (std::vector<Bytes>{{0xF0, 0x09, 0xD8}, {0x01, 0x09}, longest}));
}

TEST_F(ReceiverFixture, ReceiveEventTakesEveryWaitingByteOnCodeTwoOnly) {
    const Bytes frame = Reply(1, {0xF0, 0x0C, 0x01, 0x00, 0x01, 0x01});  // 12 bytes
    port.assign(frame.begin(), frame.begin() + 8);
    for (int code : {0, 1, 3, 7})
        rx.UARTCOM_OnComm(code);
    EXPECT_EQ(port.size(), 8u);
    timerOn = false;
    rx.UARTCOM_OnComm(2);
    EXPECT_FALSE(timerOn) << "the timer is left as it was";
    Tick();
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(rx.RxRead(), 0) << "an incomplete frame keeps RxRead on its FAh";

    // A last piece under 8 bytes is taken too: nothing more may ever come.
    Arrive(Bytes(frame.begin() + 8, frame.end()));
    EXPECT_EQ(port.size(), 0u);
    EXPECT_TRUE(timerOn);
    Tick();
    EXPECT_EQ(applied, (std::vector<Bytes>{{0xF0, 0x0C, 0x01, 0x00, 0x01, 0x01}}));
}

TEST_F(ReceiverFixture, DamagedBytesBeforeAFrameCostOnlyThemselves) {
    // Enough bytes follow a bad length to "complete" even the longest one.
    const Bytes tail(300, 0xF0);
    const Bytes mute{0xF0, 0x08, 0x01}, volume{0xF0, 0x09, 0xD8};
    // What, the bytes before a valid reply, how far a first tick that applies
    // nothing moves RxRead (0: applied at once), the replies applied.
    const std::tuple<const char*, Bytes, int, std::vector<Bytes>> cases[] = {
        {"strays, FA 00 and FA 33 pairs", {0x00, 0x11, 0xFA, 0x00, 0xFA, 0x33}, 0, {volume}},
        {"FA FA 2A: the lone FAh only", Bytes{0xFA} + Reply(2, mute), 0, {mute, volume}},
        {"N = 66", Bytes{0xFA, 0x2A, 0x00, 66} + tail, 1, {volume}},
        {"N = 1, sums right", {0xFA, 0x2A, 0x00, 0x01, 0xF0, 0x15, 0xF5}, 1, {volume}},
        {"wrong checksum", {0xFA, 0x2A, 0x00, 0x03, 0xF0, 0x09, 0xD8, 0xF9, 0xF5}, 1, {volume}},
        {"wrong end byte", {0xFA, 0x2A, 0x00, 0x03, 0xF0, 0x09, 0xD8, 0xF8, 0xF4}, 1, {volume}},
        // Its "checksum" falls on the length byte of the reply after it.
        {"truncated frame", {0xFA, 0x2A, 0x00, 0x05, 0xF0, 0x09}, 1, {volume}},
    };
    for (const auto& [what, before, advance, replies] : cases) {
        SCOPED_TRACE(what);
        applied.clear();
        const int start = rx.RxRead();
        Arrive(before + kVolume);
        Tick();
        if (advance > 0) {
            EXPECT_TRUE(applied.empty());
            EXPECT_EQ(rx.RxRead(), start + advance);
        }
        for (int i = 0; i < 3 && rx.Unread() > 0; ++i)
            Tick();
        EXPECT_EQ(applied, replies);
        EXPECT_EQ(rx.Unread(), 0);
    }
}

TEST_F(ReceiverFixture, RingWrapsAt16385AndAFullRingDropsIncomingBytes) {
    Arrive(Bytes(16380, 0x00));
    Tick();
    EXPECT_EQ(rx.RxRead(), 16373) << "seven unread bytes are left for later";
    Arrive(kVolume);  // bytes 16380..16384, then 0..3
    EXPECT_EQ(rx.RxWrite(), 4);
    Tick();
    EXPECT_EQ(applied, (std::vector<Bytes>{{0xF0, 0x09, 0xD8}}));
    EXPECT_EQ(rx.RxRead(), 4);

    // A full ring keeps the bytes it has; the last frame does not fit.
    const Bytes late = Reply(9, {0xF0, 0x08, 0x01});
    Arrive(kVolume + Bytes(kRxMaxUnread - 2 * kVolume.size(), 0x00) + kVolume + late);
    EXPECT_EQ(rx.Unread(), kRxMaxUnread);
    EXPECT_EQ(rx.DroppedBytes(), late.size());
    for (int i = 0; i < 4; ++i)
        Tick();
    EXPECT_EQ(applied.size(), 3u) << "the two frames kept in the ring, nothing else";
    Arrive(late);  // room again
    Tick();
    EXPECT_EQ(applied.back(), (Bytes{0xF0, 0x08, 0x01}));
}

TEST_F(ReceiverFixture, ThrowingReplyActionCostsOnlyThatReply) {
    int calls = 0;
    onApply = [&] {
        if (++calls == 1) throw std::out_of_range("380: invalid property value");
        if (calls == 2) throw 6;
    };
    Arrive(kVolume + kVolume + kVolume);
    for (int i = 0; i < 3; ++i)
        Tick();  // each checks the timer at 10 ms and SendEnabled back on
    ASSERT_EQ(errors.size(), 2u) << "the third reply is applied";
    EXPECT_EQ(errors[0], "380: invalid property value");
}

}  // namespace
}  // namespace calvetta
