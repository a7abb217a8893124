#include "link/ReplyReceiver.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "link/Protocol.h"

namespace calvetta {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Reply(std::uint8_t seq, const Bytes& payload) {
    Bytes f{FrameStart, ReplyMark, seq, static_cast<std::uint8_t>(payload.size())};
    f.insert(f.end(), payload.begin(), payload.end());
    unsigned sum = 0;
    for (auto b : f)
        sum += b;
    f.push_back(static_cast<std::uint8_t>(sum & 0xFF));
    f.push_back(FrameEnd);
    return f;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes kVolume = {0xFA, 0x2A, 0x00, 0x03, 0xF0, 0x09, 0xD8, 0xF8, 0xF5};  // -40 dB

// The window around the receiver: a port buffer, the reply timer, the debug
// text box and a recording reply table.
struct ReceiverFixture : ::testing::Test {
    FrameSender sender;
    ReplyReceiver rx{sender.link()};
    Bytes port;
    bool timerOn = true;
    int interval = 0;
    std::vector<std::string> echoed;
    std::vector<Bytes> applied;  // payload bytes up to the last non-zero one
    std::vector<std::string> errors;
    std::function<void(const RxPayloadBytes&)> onApply;

    void SetUp() override {
        sender.link().Connected = 1;
        rx.setHooks({
            .inBufferCount = [this] { return static_cast<int>(port.size()); },
            .takeInput =
                [this](Bytes& chunk) {
                    EXPECT_FALSE(timerOn) << "the ring is written with the timer off";
                    chunk = port;
                    port.clear();
                },
            .timerEnabled = [this] { return timerOn; },
            .setTimerEnabled = [this](bool on) { timerOn = on; },
            .setTimerInterval = [this](int ms) { interval = ms; },
            .echo = [this](std::string_view line) { echoed.emplace_back(line); },
            .apply =
                [this](const RxPayloadBytes& p) {
                    EXPECT_FALSE(sender.link().SendEnabled);
                    EXPECT_FALSE(timerOn);
                    Bytes b(p.begin(), p.end());
                    while (!b.empty() && b.back() == 0)
                        b.pop_back();
                    applied.push_back(b);
                    if (onApply) onApply(p);
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
        EXPECT_TRUE(sender.link().SendEnabled);
    }
};

TEST_F(ReceiverFixture, ValidReplyIsEchoedAndAppliedOnePerTick) {
    Arrive(kVolume + Reply(7, {0xF0, 0x08, 0x01}));
    Tick();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], (Bytes{0xF0, 0x09, 0xD8}));
    EXPECT_EQ(echoed, std::vector<std::string>{"0xF0,0x9,0xD8,\r\n"});
    EXPECT_EQ(rx.RxRead(), 9);

    Tick();  // the second frame of the same chunk waits for the next tick
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_EQ(applied[1], (Bytes{0xF0, 0x08, 0x01}));
    Tick();
    EXPECT_EQ(applied.size(), 2u);
    EXPECT_FALSE(rx.FrameValid());
    EXPECT_EQ(rx.RxPayload(), RxPayloadBytes{}) << "cleared at the start of every tick";
}

TEST_F(ReceiverFixture, PortBytesAreTakenOnlyFromEightAndOnlyOnDataEvents) {
    Arrive(Bytes(7, 0x00));
    EXPECT_EQ(rx.RxWrite(), 0);
    EXPECT_EQ(port.size(), 7u);
    port.push_back(0x00);
    rx.UARTCOM_OnComm(3);  // not "data arrived"
    EXPECT_EQ(rx.RxWrite(), 0);
    rx.UARTCOM_OnComm(2);
    EXPECT_EQ(rx.RxWrite(), 8);
    EXPECT_TRUE(port.empty());

    timerOn = false;  // the event restores the timer as it found it
    Arrive(Bytes(8, 0x00));
    EXPECT_FALSE(timerOn);
    timerOn = true;
    Arrive(Bytes(8, 0x00));
    EXPECT_TRUE(timerOn);
}

TEST_F(ReceiverFixture, SplitFrameIsAppliedOnceItsLastByteIsInTheRing) {
    const Bytes frame = Reply(1, {0xF0, 0x0C, 0x01, 0x00, 0x01, 0x01});  // 12 bytes
    Arrive(Bytes(frame.begin(), frame.begin() + 8));
    Tick();
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(rx.RxRead(), 0) << "an incomplete frame keeps RxRead on its FAh";

    Arrive(Bytes(frame.begin() + 8, frame.end()));  // 4 bytes stay in the port
    Tick();
    EXPECT_TRUE(applied.empty());
    Arrive(kVolume);
    Tick();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], (Bytes{0xF0, 0x0C, 0x01, 0x00, 0x01, 0x01}));
    Tick();
    EXPECT_EQ(applied.size(), 2u);
}

TEST_F(ReceiverFixture, SearchSkipsStraysAndDropsALoneFaWithItsFollower) {
    // FA 00 and FA 33 go in pairs; the 8-byte frame behind them is found.
    Arrive(Bytes{0x00, 0x11, 0xFA, 0x00, 0xFA, 0x33} + Reply(0, {0xF0, 0x06}));
    Tick();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], (Bytes{0xF0, 0x06}));

    // FA FA 2A: both FAh go together, so that frame is lost and only the
    // next one is applied, within the same tick.
    Arrive(Bytes{0xFA} + kVolume + Reply(2, {0xF0, 0x08, 0x01}));
    Tick();
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_EQ(applied[1], (Bytes{0xF0, 0x08, 0x01}));
    Tick();
    EXPECT_EQ(applied.size(), 2u);
}

TEST_F(ReceiverFixture, ImpossibleLengthsDropOnlyTheirFa) {
    for (std::uint8_t n : {0, 1, 66, 255}) {
        SCOPED_TRACE(n);
        const int start = rx.RxRead();
        // Enough bytes follow to "complete" even the longest length.
        Arrive(Bytes{0xFA, 0x2A, 0x00, n} + Bytes(300, 0xF0) + kVolume);
        Tick();
        EXPECT_TRUE(applied.empty());
        EXPECT_EQ(rx.RxRead(), start + 1);
        Tick();  // the rest is strays, then the valid frame
        ASSERT_EQ(applied.size(), 1u);
        applied.clear();
    }

    Bytes longest(65, 0x11);  // the largest payload the buffer holds
    longest[0] = 0x01;
    Arrive(Reply(3, longest));
    Tick();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], longest);
}

TEST_F(ReceiverFixture, BadChecksumOrEndByteIsSkippedUpToThatByte) {
    Bytes badSum = kVolume;
    badSum[7] ^= 0x01;
    Arrive(badSum + kVolume);
    Tick();
    EXPECT_TRUE(applied.empty());
    EXPECT_TRUE(echoed.empty());
    EXPECT_EQ(rx.RxRead(), 7) << "the search resumes at the checksum byte";
    Tick();
    EXPECT_EQ(applied.size(), 1u);

    Bytes badEnd = kVolume;
    badEnd[8] = 0xF4;
    const int start = rx.RxRead();
    Arrive(badEnd + kVolume);
    Tick();
    EXPECT_EQ(applied.size(), 1u);
    EXPECT_EQ(rx.RxRead(), start + 8) << "the search resumes at the end byte";
    Tick();
    EXPECT_EQ(applied.size(), 2u);
    EXPECT_EQ(echoed.size(), 2u);
}

TEST_F(ReceiverFixture, OnlyReportAndAckCodesAreApplied) {
    Arrive(Reply(0, {0x00, 0x09, 0xD8}) + Reply(0, {0x01, 0x09, 0xD8}) + Reply(0, {0x02, 0x09}));
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(echoed,
              (std::vector<std::string>{"0x0,0x9,0xD8,\r\n", "0x1,0x9,0xD8,\r\n", "0x2,0x9,\r\n"}));
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0][0], 0x01);
}

TEST_F(ReceiverFixture, RingWrapsAt16385) {
    Arrive(Bytes(16380, 0x00));
    Tick();
    EXPECT_EQ(rx.RxRead(), 16373) << "seven unread bytes are left for later";
    Arrive(kVolume);  // bytes 16380..16384, then 0..3
    EXPECT_EQ(rx.RxWrite(), 4);
    EXPECT_EQ(rx.Unread(), 16);
    Tick();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0], (Bytes{0xF0, 0x09, 0xD8}));
    EXPECT_EQ(rx.RxRead(), 4);
    EXPECT_EQ(rx.Unread(), 0);
}

TEST_F(ReceiverFixture, FullRingDropsIncomingBytesAndKeepsItsOwn) {
    Bytes flood = kVolume + Bytes(kRxMaxUnread - 2 * kVolume.size(), 0x00) + kVolume;
    ASSERT_EQ(flood.size(), static_cast<std::size_t>(kRxMaxUnread));
    Arrive(flood + Reply(9, {0xF0, 0x08, 0x01}));  // this frame does not fit
    EXPECT_EQ(rx.Unread(), kRxMaxUnread);
    EXPECT_EQ(rx.DroppedBytes(), 9u);
    EXPECT_EQ(rx.RxWrite(), kRxMaxUnread);
    Arrive(Bytes(8, 0xFA));  // a full ring takes nothing
    EXPECT_EQ(rx.DroppedBytes(), 17u);
    EXPECT_EQ(rx.Unread(), kRxMaxUnread);

    for (int i = 0; i < 4; ++i)
        Tick();
    ASSERT_EQ(applied.size(), 2u) << "the two frames kept in the ring, nothing else";
    EXPECT_EQ(applied[1], (Bytes{0xF0, 0x09, 0xD8}));
    EXPECT_EQ(rx.Unread(), 0);

    Arrive(Reply(9, {0xF0, 0x08, 0x01}));  // room again
    Tick();
    ASSERT_EQ(applied.size(), 3u);
    EXPECT_EQ(applied[2], (Bytes{0xF0, 0x08, 0x01}));
}

TEST_F(ReceiverFixture, HandlersReachedByAReplySendNothing) {
    std::vector<Bytes> written;
    sender.setWriter([&](std::span<const std::uint8_t> f) {
        written.emplace_back(f.begin(), f.end());
        return true;
    });
    sender.SendBuf = {3, OpSet, Id(ParamId::MasterVolume), VolumeByte(-40)};
    onApply = [&](const RxPayloadBytes&) { sender.SendPacket(); };
    Arrive(kVolume);
    Tick();
    EXPECT_EQ(applied.size(), 1u);
    EXPECT_TRUE(written.empty());
    sender.SendPacket();  // after the tick the same command goes out
    EXPECT_EQ(written.size(), 1u);
}

TEST_F(ReceiverFixture, ThrowingReplyActionCostsOnlyThatReply) {
    int calls = 0;
    onApply = [&](const RxPayloadBytes&) {
        if (++calls == 1) throw std::out_of_range("380: invalid property value");
        if (calls == 2) throw 6;
    };
    Arrive(kVolume + kVolume + kVolume);
    Tick();  // the fixture checks the timer and SendEnabled after each tick
    Tick();
    Tick();
    EXPECT_EQ(calls, 3);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0], "380: invalid property value");
    EXPECT_FALSE(errors[1].empty());

    // Without an error hook, and with a failing echo, the tick still ends well.
    ReceiverHooks bare;
    bare.inBufferCount = [this] { return static_cast<int>(port.size()); };
    bare.takeInput = [this](Bytes& chunk) { chunk.swap(port); };
    bare.setTimerEnabled = [this](bool on) { timerOn = on; };
    bare.setTimerInterval = [this](int ms) { interval = ms; };
    bare.echo = [](std::string_view) { throw std::runtime_error("text box gone"); };
    rx.setHooks(bare);
    Arrive(kVolume);
    EXPECT_NO_THROW(Tick());
    EXPECT_TRUE(rx.FrameValid());
}

}  // namespace
}  // namespace calvetta
