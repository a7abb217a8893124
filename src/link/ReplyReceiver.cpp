#include "link/ReplyReceiver.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <utility>

#include "link/Protocol.h"

namespace calvetta {

namespace {

// Runs its action when the scope is left, by return or by exception.
template <typename F>
class ScopeExit {
  public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

  private:
    F f_;
};

constexpr int kHeaderAndTrailer = 6;  // FA 2A seq N ... checksum F5

}  // namespace

ReplyReceiver::ReplyReceiver(LinkState& link, ReceiverHooks hooks)
    : link_(link), hooks_(std::move(hooks)) {
    // Big enough for any burst the port hands over in one event, so taking
    // input does not allocate once the link is running.
    rxChunk_.reserve(4096);
}

int ReplyReceiver::Unread() const {
    const int diff = rxWrite_ - rxRead_;
    return diff >= 0 ? diff : diff + kRxRingSize;
}

std::uint8_t ReplyReceiver::At(int offset) const {
    return rxRing_[static_cast<std::size_t>((rxRead_ + offset) % kRxRingSize)];
}

void ReplyReceiver::Advance(int count) {
    rxRead_ = static_cast<std::int16_t>((rxRead_ + count) % kRxRingSize);
}

void ReplyReceiver::CopyIntoRing(std::span<const std::uint8_t> bytes) {
    // A full ring keeps what it has: overwriting unread bytes would make
    // RxWrite overtake RxRead and turn a full ring into an empty one.
    const std::size_t room = static_cast<std::size_t>(kRxMaxUnread - Unread());
    const std::size_t take = std::min(bytes.size(), room);
    droppedBytes_ += bytes.size() - take;

    const std::size_t write = static_cast<std::size_t>(rxWrite_);
    const std::size_t first = std::min(take, rxRing_.size() - write);
    std::memcpy(rxRing_.data() + write, bytes.data(), first);
    std::memcpy(rxRing_.data(), bytes.data() + first, take - first);
    rxWrite_ = static_cast<std::int16_t>((write + take) % rxRing_.size());
}

void ReplyReceiver::UARTCOM_OnComm(int commEvent) {
    if (commEvent != 2) return;  // only "data arrived"

    const bool wasEnabled = hooks_.timerEnabled ? hooks_.timerEnabled() : false;
    if (hooks_.setTimerEnabled) hooks_.setTimerEnabled(false);
    const ScopeExit restore([&] {
        if (hooks_.setTimerEnabled) hooks_.setTimerEnabled(wasEnabled);
    });

    // Every waiting byte is taken, however few: the last piece of a reply may
    // be short and nothing may follow it.  The parser waits for a frame that
    // is not yet complete.
    if (!hooks_.inBufferCount || hooks_.inBufferCount() < 1) return;
    if (!hooks_.takeInput) return;
    rxChunk_.clear();
    hooks_.takeInput(rxChunk_);
    CopyIntoRing(rxChunk_);
}

void ReplyReceiver::EventTimer_Timer() {
    if (hooks_.setTimerEnabled) hooks_.setTimerEnabled(false);
    // Whatever happens below, the next tick comes and the handlers may send.
    const ScopeExit endOfTick([this] {
        if (hooks_.setTimerInterval) hooks_.setTimerInterval(kReplyTimerMs);
        if (hooks_.setTimerEnabled) hooks_.setTimerEnabled(true);
        link_.SendEnabled = true;
    });

    rxPayload_.fill(0);
    frameValid_ = false;
    payloadLen_ = 0;
    ParseOneFrame();
    if (!frameValid_) return;

    // A handler that a reply reaches may refuse a value; that costs this reply
    // only, never the link.
    auto report = [this](std::string_view what) {
        if (!hooks_.error) return;
        try {
            hooks_.error(what);
        } catch (...) {  // a failing report must not take the tick down either
        }
    };
    try {
        HandOver();
    } catch (const std::exception& e) {
        report(e.what());
    } catch (...) {
        report("unknown error while applying a reply");
    }
}

void ReplyReceiver::ParseOneFrame() {
    // Search for FA 2A while more than 7 bytes are unread, one byte at a
    // time: the byte after a lone FAh may be the FAh of a valid reply.
    for (;;) {
        if (Unread() < kRxSmallestFrame) return;
        if (At(0) == FrameStart && At(1) == ReplyMark) break;
        Advance(1);
    }

    // A length that no frame can have (0, 1, or more than the payload buffer
    // holds) drops the FAh so the search moves on; a frame still arriving
    // leaves RxRead on its FAh for the next tick.
    const int n = At(3);
    if (n < 2 || n > static_cast<int>(kRxPayloadSize)) {
        Advance(1);
        return;
    }
    if (Unread() - kHeaderAndTrailer < n) return;

    std::uint16_t sum = static_cast<std::uint16_t>(FrameStart + ReplyMark + At(2) + n);
    for (int i = 0; i < n; ++i) {
        const std::uint8_t b = At(4 + i);
        rxPayload_[static_cast<std::size_t>(i)] = b;
        sum = static_cast<std::uint16_t>(sum + b);
    }
    // A bad frame costs only its FAh: the search of later ticks resumes on
    // the byte after it.  A truncated frame "ends" inside the replies that
    // follow it, and resuming at its checksum or end byte would cut into them.
    if (At(4 + n) != static_cast<std::uint8_t>(sum & 0xFF) || At(5 + n) != FrameEnd) {
        Advance(1);
        return;
    }
    Advance(kHeaderAndTrailer + n);
    payloadLen_ = static_cast<std::size_t>(n);
    frameValid_ = true;
}

void ReplyReceiver::HandOver() {
    if (hooks_.echo) {
        hooks_.echo(ReceivedFrameLine(std::span(rxPayload_.data(), payloadLen_)));
    }
    const std::uint8_t code = rxPayload_[0];
    if (code != ReplyCodeReport && code != ReplyCodeAck) return;
    link_.SendEnabled = false;
    if (hooks_.apply) hooks_.apply(rxPayload_);
}

}  // namespace calvetta
