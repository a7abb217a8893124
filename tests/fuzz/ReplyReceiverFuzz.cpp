// Feeds arbitrary byte chunks through the receive event and the reply tick.
// The input decides chunk sizes, event codes, the number of ticks, the timer
// state and whether the reply actions or the echo throw.  Checked after every
// step: indices inside the ring, at most 16,384 unread bytes, the ring never
// growing past what arrived, every tick ending with SendEnabled true and the
// timer on at 10 ms, and every applied payload well formed.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "link/Protocol.h"
#include "link/ReplyReceiver.h"

namespace {

using calvetta::kRxMaxUnread;
using calvetta::kRxPayloadSize;
using calvetta::kRxRingSize;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

void CheckIndices(const calvetta::ReplyReceiver& rx) {
    Check(rx.RxRead() >= 0 && rx.RxRead() < kRxRingSize, "RxRead in range");
    Check(rx.RxWrite() >= 0 && rx.RxWrite() < kRxRingSize, "RxWrite in range");
    Check(rx.Unread() >= 0 && rx.Unread() <= kRxMaxUnread, "unread count in range");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    calvetta::LinkState link;
    std::vector<std::uint8_t> port;
    bool timerOn = in.ConsumeBool();
    int interval = 0;
    bool throwInApply = false;
    bool throwInEcho = false;
    std::size_t echoedLength = 0;

    calvetta::ReplyReceiver rx(link);
    rx.setHooks({
        .inBufferCount = [&] { return static_cast<int>(port.size()); },
        .takeInput =
            [&](std::vector<std::uint8_t>& chunk) {
                chunk.swap(port);
                port.clear();
            },
        .timerEnabled = [&] { return timerOn; },
        .setTimerEnabled = [&](bool on) { timerOn = on; },
        .setTimerInterval = [&](int ms) { interval = ms; },
        .echo =
            [&](std::string_view line) {
                // "0xHH," per payload byte and CR LF: 2 to 65 bytes.
                Check(line.size() >= 2 * 4 + 2 && line.size() <= kRxPayloadSize * 5 + 2,
                      "echoed payload length within 2..65");
                echoedLength = line.size();
                if (throwInEcho) throw std::runtime_error("echo");
            },
        .apply =
            [&](const calvetta::RxPayloadBytes& p) {
                Check(!link.SendEnabled, "sending off while a reply is applied");
                Check(!timerOn, "timer off while a reply is applied");
                Check(p[0] == calvetta::ReplyCodeReport || p[0] == calvetta::ReplyCodeAck,
                      "only F0h and 01h replies are applied");
                Check(echoedLength > 0, "an applied reply was echoed first");
                if (throwInApply) throw 380;
            },
        .error = [](std::string_view) {},
    });

    while (in.remaining_bytes() > 0) {
        if (in.ConsumeBool()) {
            // Bytes arrive, possibly many times over to reach a full ring.
            const int code = in.ConsumeIntegralInRange(0, 3);
            const auto chunk = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange(0, 300));
            const int repeat = in.ConsumeIntegralInRange(1, 80);
            for (int i = 0; i < repeat; ++i)
                port.insert(port.end(), chunk.begin(), chunk.end());
            const bool timerBefore = timerOn;
            const int unreadBefore = rx.Unread();
            const std::size_t waiting = port.size();
            rx.UARTCOM_OnComm(code);
            CheckIndices(rx);
            Check(timerOn == timerBefore, "receive event restores the timer");
            const bool taken = code == 2 && waiting > 0;
            Check(port.empty() == (taken || waiting == 0), "every waiting byte taken on code 2");
            const int expected =
                taken ? std::min<int>(unreadBefore + static_cast<int>(waiting), kRxMaxUnread)
                      : unreadBefore;
            Check(rx.Unread() == expected, "ring keeps exactly what fits");
        } else {
            const int ticks = in.ConsumeIntegralInRange(1, 40);
            throwInApply = in.ConsumeBool();
            throwInEcho = in.ConsumeBool();
            for (int i = 0; i < ticks; ++i) {
                const int unreadBefore = rx.Unread();
                echoedLength = 0;
                link.SendEnabled = in.ConsumeBool();  // whatever it was, the tick ends it true
                rx.EventTimer_Timer();
                CheckIndices(rx);
                Check(rx.Unread() <= unreadBefore, "a tick only consumes");
                Check(link.SendEnabled, "tick ends with sending on");
                Check(timerOn, "tick ends with timer on");
                Check(interval == calvetta::kReplyTimerMs, "tick ends with the timer at 10 ms");
                Check(rx.FrameValid() == (echoedLength > 0), "valid frames and only they echo");
            }
        }
    }
    return 0;
}
