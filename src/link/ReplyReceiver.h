#pragma once
// The receive side of the link: the port's receive event copies waiting bytes
// into a fixed ring, and the 10 ms reply timer takes at most one ReplyFrame per
// tick out of it, checks it, echoes it and hands it to the reply actions with
// sending disabled.  Everything the window owns (the serial control, the timer,
// the debug text box, the reply table) is reached through ReceiverHooks.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "link/FrameSender.h"

namespace calvetta {

inline constexpr int kRxRingSize = 16385;             // RxRing holds bytes 0..16384
inline constexpr int kRxMaxUnread = kRxRingSize - 1;  // read == write means empty
inline constexpr std::size_t kRxPayloadSize = 65;     // RxPayload holds bytes 0..64
inline constexpr int kReplyTimerMs = 10;
inline constexpr int kRxSmallestFrame = 8;  // fewer unread bytes than this wait for more

using RxPayloadBytes = std::array<std::uint8_t, kRxPayloadSize>;

struct ReceiverHooks {
    // The serial control: the count of bytes waiting in the port, and taking
    // all of them (the chunk is replaced by exactly the waiting bytes).
    std::function<int()> inBufferCount{};
    std::function<void(std::vector<std::uint8_t>& chunk)> takeInput{};
    // The reply timer EventTimer.
    std::function<bool()> timerEnabled{};
    std::function<void(bool)> setTimerEnabled{};
    std::function<void(int ms)> setTimerInterval{};
    // Appends the received-frame line of a valid reply to the debug text box.
    std::function<void(std::string_view line)> echo{};
    // The reply actions: the 65 payload bytes of a valid reply whose ReplyCode
    // is F0h or 01h (bytes beyond N are zero), called with SendEnabled false.
    std::function<void(const RxPayloadBytes& payload)> apply{};
    // Told when the echo or the reply actions threw; the tick goes on.
    std::function<void(std::string_view what)> error{};
};

class ReplyReceiver {
  public:
    // The link flags are the sender's: SendEnabled is cleared here while a
    // reply is applied so that the handlers it reaches send nothing back.
    explicit ReplyReceiver(LinkState& link, ReceiverHooks hooks = {});

    void setHooks(ReceiverHooks hooks) { hooks_ = std::move(hooks); }

    // The receive event: acts only on event code 2 (data arrived) and then
    // takes every waiting byte; the reply timer is off meanwhile and back in
    // its former state afterwards.
    void UARTCOM_OnComm(int commEvent);

    // The reply timer's tick: takes at most one frame from the ring.  Always
    // ends with the timer at 10 ms and enabled and SendEnabled true, also when
    // the reply actions throw (the error is reported, not rethrown).
    void EventTimer_Timer();

    // Copies bytes into the ring at RxWrite.  The ring holds at most 16,384
    // unread bytes; incoming bytes that do not fit are dropped (and counted)
    // so that no unread byte is ever overwritten.
    void CopyIntoRing(std::span<const std::uint8_t> bytes);

    std::int16_t RxWrite() const { return rxWrite_; }
    std::int16_t RxRead() const { return rxRead_; }
    const RxPayloadBytes& RxPayload() const { return rxPayload_; }
    const std::array<std::uint8_t, kRxRingSize>& RxRing() const { return rxRing_; }
    // True when the last tick took a valid frame.
    bool FrameValid() const { return frameValid_; }
    int Unread() const;
    // Bytes lost because the ring was full when they arrived.
    std::uint64_t DroppedBytes() const { return droppedBytes_; }

  private:
    void ParseOneFrame();
    void HandOver();
    std::uint8_t At(int offset) const;
    void Advance(int count);

    LinkState& link_;
    ReceiverHooks hooks_;
    std::array<std::uint8_t, kRxRingSize> rxRing_{};
    std::int16_t rxWrite_ = 0;
    std::int16_t rxRead_ = 0;
    RxPayloadBytes rxPayload_{};
    std::size_t payloadLen_ = 0;
    bool frameValid_ = false;
    std::vector<std::uint8_t> rxChunk_;
    std::uint64_t droppedBytes_ = 0;
};

}  // namespace calvetta
