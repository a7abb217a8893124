#pragma once
// The only routine that writes to the port: SendPacket frames the shared
// command buffer SendBuf under the link's guards, logs it and pauses.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace calvetta {

// Link flags read by SendPacket and set by start-up, Connect, the reply tick
// and the remote keys.
struct LinkState {
    std::uint8_t Connected = 0;  // 1 once the port opened
    bool SendEnabled = true;     // false only while a reply is applied
    bool OsdMode = false;        // after the first remote key: only ids >= 14h pass
    bool DebugOn = false;        // Debug.txt was found at window load
};

// The sent-frame line of the debug log: bytes in upper-case hex without
// leading zeros, separated by ",", ending in CR LF ("FA,A2,1,2,5,13,B7,F5\r\n").
std::string SentFrameLine(std::span<const std::uint8_t> frame);
// The received-frame line: every payload byte as "0x" hex followed by ",",
// then CR LF ("0xF0,0x9,0xD8,\r\n").
std::string ReceivedFrameLine(std::span<const std::uint8_t> payload);
// Appends the upper-case hex of one byte without leading zeros.
void AppendHex(std::string& out, std::uint8_t byte);

class FrameSender {
  public:
    // Writes one whole frame; returns false when the port refused it
    // (device unplugged, port gone).
    using Writer = std::function<bool(std::span<const std::uint8_t>)>;
    // Blocks the calling thread for the given milliseconds.
    using Pause = std::function<void(int)>;
    // Shows the log after a frame was written (only while DebugOn): the line
    // just added, appended to what DebugLog held before it.
    using LogShown = std::function<void(std::string_view line)>;
    // Told once when a write failed; Connected is already 0 then.
    using WriteFailed = std::function<void()>;

    static constexpr int kPauseMs = 12;
    static constexpr std::size_t kMaxPayload = 8;

    LinkState& link() { return link_; }
    const LinkState& link() const { return link_; }

    void setWriter(Writer w) { writer_ = std::move(w); }
    void setPause(Pause p) { pause_ = std::move(p); }
    void setLogShown(LogShown l) { logShown_ = std::move(l); }
    void setWriteFailed(WriteFailed f) { writeFailed_ = std::move(f); }

    // Byte 0 = N, byte 1 = operation, byte 2 = ParamId, bytes 3..N = values.
    // Never cleared: bytes a sender does not write keep an earlier command's.
    std::array<std::uint8_t, 9> SendBuf{};

    // Frames SendBuf and writes it, or drops it silently under a guard.
    void SendPacket();

    std::int16_t SendSeq() const { return sendSeq_; }
    // Every sent-frame line since start-up or the last Clear, kept only while
    // DebugOn.
    const std::string& DebugLog() const { return debugLog_; }
    void ClearDebugLog() { debugLog_.clear(); }

  private:
    LinkState link_;
    std::int16_t sendSeq_ = 0;
    std::string debugLog_;
    std::array<std::uint8_t, kMaxPayload + 6> frame_{};
    Writer writer_;
    Pause pause_;
    LogShown logShown_;
    WriteFailed writeFailed_;
};

}  // namespace calvetta
