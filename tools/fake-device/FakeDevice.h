#pragma once
// A stand-in for the decoder on the far end of the serial line, for tests and
// for trying the window by hand: on a pseudo-terminal it decodes the request
// frames the program sends, records them, and answers every query with a
// report (ReplyCode F0h) taken from a configurable device state.  It can also
// put any raw bytes on the line, hang up and come back.

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "fake-device/Pty.h"

namespace calvetta::fake {

// What the device reports when queried, as the values go on the wire.
struct DeviceState {
    std::uint8_t version = 1;                     // reported under EqPresetSlot (13h)
    std::uint8_t source = 0;                      // SourceSelect: 0 BD/DVD .. 6 ARC
    std::uint8_t input = 0;                       // InputSelect: 0 ANALOG .. 10 HDMI 6
    std::uint8_t layout = 1;                      // SpeakerLayout: 1 = 7.1, 0 = 5.1, 2 = 2.1
    std::uint8_t formatCode = 0;                  // AudioFormat: index of the format name
    std::uint8_t subwoofer = 1;                   // SubwooferMode: 0 Off, 1 On
    std::uint8_t listeningMode = 2;               // ListeningMode: the mode code (button + 2)
    std::uint8_t mute = 0;                        // MuteState: 1 muted
    int masterVolume = -40;                       // MasterVolume, dB, -90..0
    std::uint8_t dynamic = 0;                     // DynamicMode: 0 Auto, 1 Off, 2 On
    std::array<std::uint8_t, 4> speakerConfig{};  // front, centre, surround, back
    std::array<std::uint8_t, 4> crossovers{};     // same channel-group order
    std::array<int, 8> trims{};                   // ChannelTrim, dB, -10..10
    std::array<std::uint8_t, 8> delays{};         // ChannelDelay steps 0..100
    std::uint8_t phase = 0;                       // ChannelPhase mask, bit = 180 degrees
};

// One request frame as the device decoded it.
struct DeviceRequest {
    std::chrono::steady_clock::time_point at;
    std::uint8_t seq = 0;
    std::vector<std::uint8_t> payload;  // operation, ParamId, values
};

// Whole frames in the two formats of the link, as the device and tests write them.
std::vector<std::uint8_t> RequestFrameBytes(std::uint8_t seq,
                                            const std::vector<std::uint8_t>& payload);
std::vector<std::uint8_t> ReplyFrameBytes(std::uint8_t seq,
                                          const std::vector<std::uint8_t>& payload);

class FakeDevice {
  public:
    // Called on the device's own thread for every decoded request.
    using Observer = std::function<void(const DeviceRequest&)>;

    explicit FakeDevice(DeviceState state = {}, Observer observer = {});
    ~FakeDevice();
    FakeDevice(const FakeDevice&) = delete;
    FakeDevice& operator=(const FakeDevice&) = delete;

    // The pseudo-terminal the program opens; changes with every reopen().
    std::string slavePath() const;
    // A symbolic link to the current slave that stays the same across
    // reopen() (gone while the line is hung up), for CALVETTA_COM<n>.
    const std::string& linkPath() const { return linkPath_; }

    DeviceState state() const;
    void setState(const DeviceState& state);

    // Puts raw bytes on the line (noise, split or broken frames); false while
    // the line is hung up.
    bool inject(const std::vector<std::uint8_t>& bytes);
    // Closes the line: the program's end sees a hang-up.
    void hangUp();
    // Opens a fresh line after hangUp(); does nothing while one is open.
    void reopen();
    bool isOpen() const;

    std::vector<DeviceRequest> requests() const;
    // Waits until at least count requests were decoded; false on timeout.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;
    void clearRequests();
    // Frames with a wrong checksum or end byte.
    int badFrames() const { return badFrames_.load(); }
    int repliesSent() const { return repliesSent_.load(); }

  private:
    void start();
    void stop();
    void run(int masterFd);
    void decode(std::vector<std::uint8_t>& pending);
    void answer(const DeviceRequest& request);
    bool writeLine(const std::vector<std::uint8_t>& bytes);

    Observer observer_;
    std::string linkDir_;
    std::string linkPath_;

    mutable std::mutex lineMutex_;  // the pty and writes to it
    std::unique_ptr<Pty> pty_;
    std::thread thread_;
    int wake_[2] = {-1, -1};  // a pipe that interrupts the thread's poll
    std::atomic<bool> stopping_{false};

    mutable std::mutex mutex_;  // state and records
    mutable std::condition_variable recorded_;
    DeviceState state_;
    std::vector<DeviceRequest> requests_;
    std::uint8_t replySeq_ = 0;
    std::atomic<int> badFrames_{0};
    std::atomic<int> repliesSent_{0};
};

}  // namespace calvetta::fake
