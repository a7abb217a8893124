#include "link/FrameSender.h"

#include "link/Protocol.h"

namespace calvetta {

void AppendHex(std::string& out, std::uint8_t byte) {
    static constexpr char digits[] = "0123456789ABCDEF";
    if (byte >= 0x10) out += digits[byte >> 4];
    out += digits[byte & 0x0F];
}

std::string SentFrameLine(std::span<const std::uint8_t> frame) {
    std::string line;
    line.reserve(frame.size() * 3 + 2);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        AppendHex(line, frame[i]);
        line += (i + 1 < frame.size()) ? "," : "\r\n";
    }
    return line;
}

std::string ReceivedFrameLine(std::span<const std::uint8_t> payload) {
    std::string line;
    line.reserve(payload.size() * 5 + 2);
    for (std::uint8_t b : payload) {
        line += "0x";
        AppendHex(line, b);
        line += ',';
    }
    line += "\r\n";
    return line;
}

void FrameSender::SendPacket() {
    // Guards, in this order; a dropped command consumes no sequence number,
    // writes and logs nothing and does not pause.
    if (link_.Connected == 0) return;
    if (!link_.SendEnabled) return;
    if (link_.OsdMode && SendBuf[2] < Id(ParamId::RemoteKey)) return;
    const std::size_t n = SendBuf[0];
    if (n == 0 || n > kMaxPayload) return;  // no sender writes such a count

    if (++sendSeq_ > 254) sendSeq_ = 0;  // 255 is never sent

    const std::span<std::uint8_t> frame(frame_.data(), n + 6);
    frame[0] = FrameStart;
    frame[1] = RequestMark;
    frame[2] = static_cast<std::uint8_t>(sendSeq_);
    frame[3] = static_cast<std::uint8_t>(n);
    std::uint16_t sum = FrameStart + RequestMark + frame[2] + frame[3];
    for (std::size_t i = 1; i <= n; ++i) {
        frame[3 + i] = SendBuf[i];
        sum = static_cast<std::uint16_t>(sum + SendBuf[i]);
    }
    frame[4 + n] = static_cast<std::uint8_t>(sum & 0xFF);
    frame[5 + n] = FrameEnd;

    // The line is in the log before the port is written.  Without the debug
    // switch nothing can ever show the log, so it is not kept: it would only
    // grow for the whole run.
    const std::size_t lineStart = debugLog_.size();
    if (link_.DebugOn) debugLog_ += SentFrameLine(frame);

    const bool written = writer_ ? writer_(frame) : false;
    if (link_.DebugOn && logShown_) {
        logShown_(std::string_view(debugLog_).substr(lineStart));
    }
    if (!written) {
        // Not retried, and the program goes on: the link is down until the
        // user connects again.
        link_.Connected = 0;
        if (writeFailed_) writeFailed_();
        return;
    }
    if (pause_) pause_(kPauseMs);
}

}  // namespace calvetta
