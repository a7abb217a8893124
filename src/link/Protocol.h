#pragma once
// The two frame formats of the serial link and the parameter-id table, kept in
// this one place: every sender and the reply actions name ids from here.

#include <cstdint>
#include <string_view>

namespace calvetta {

// Payload byte 0 of a request.
inline constexpr std::uint8_t OpSet = 0x06;    // set a parameter
inline constexpr std::uint8_t OpQuery = 0x05;  // ask the device to report one

// RequestFrame: FA A2 seq N payload[N] checksum F5 (PC to device).
// ReplyFrame:   FA 2A seq N payload[N] checksum F5 (device to PC).
inline constexpr std::uint8_t FrameStart = 0xFA;
inline constexpr std::uint8_t RequestMark = 0xA2;
inline constexpr std::uint8_t ReplyMark = 0x2A;
inline constexpr std::uint8_t FrameEnd = 0xF5;

// A reply is applied only when its first payload byte (ReplyCode) is one of these.
inline constexpr std::uint8_t ReplyCodeReport = 0xF0;
inline constexpr std::uint8_t ReplyCodeAck = 0x01;

// The one-byte setting identifier shared by commands and replies.
enum class ParamId : std::uint8_t {
    SystemReset = 0x01,    // 06 01 01
    SourceSelect = 0x02,   // 06 02 s: 0 BD/DVD .. 6 ARC
    InputSelect = 0x03,    // 06 03 i: 0 ANALOG, 1-2 COAX, 3-4 OPT, 5-10 HDMI 1-6
    SpeakerLayout = 0x04,  // 06 04 x: 1 = 7.1, 0 = 5.1, 2 = 2.1
    AudioFormat = 0x05,    // reported only: index of FormatName
    SubwooferMode = 0x06,  // 06 06 b: 0 Off, 1 On
    ListeningMode = 0x07,  // 06 07 m: ModeCode = mode button index + 2
    MuteState = 0x08,      // 06 08 b: 1 muted
    MasterVolume = 0x09,   // 06 09 v: -90..0 dB, two's complement
    DynamicMode = 0x0A,    // 06 0A d: 0 Auto, 1 Off, 2 On
    TestTone = 0x0B,       // 06 0B t a c: on, automatic, channel + 1
    SpeakerConfig = 0x0C,  // 06 0C f c s b: SpeakerSize of each group
    Crossover = 0x0D,      // 06 0D f c s b: XoverIndex of each group
    PeqBand = 0x0E,        // 06 0E ch band gain freq bw (bw in tenths of an octave)
    EqActive = 0x0F,       // 06 0F b: 1 Active, 0 Bypass
    ChannelTrim = 0x10,    // 06 10 ch v: -10..10 dB, two's complement
    ChannelDelay = 0x11,   // 06 11 ch d: 0..100 tenths of a metre
    ChannelPhase = 0x12,   // 06 12 p: PhaseMask, bit set = 180 degrees
    EqPresetSlot = 0x13,   // 06 13 s: preset slot 1..5; a query reports the version
    RemoteKey = 0x14,      // 06 14 k: 0 on, 1 off, 2 OSD, 3 ENTER, 4 UP, 5 DOWN, 6 LEFT, 7 RIGHT
};

inline constexpr std::uint8_t Id(ParamId id) {
    return static_cast<std::uint8_t>(id);
}

// The name of an id for logs and messages; "" for a byte that is no id.
std::string_view ParamName(std::uint8_t id);

// A volume in whole decibels as the byte on the wire (two's complement).
inline constexpr std::uint8_t VolumeByte(int db) {
    return static_cast<std::uint8_t>(db < 0 ? db + 256 : db);
}

}  // namespace calvetta
