#pragma once
// One function per shape of request that the window sends. Each writes the
// count, the operation, the id and its own value bytes into SendBuf and
// nothing else: SendBuf is never cleared, so the bytes after a shape's own
// (and a value a caller leaves out) keep what the frame before put there.
// Handlers call one of these, then SendPacket.

#include <array>
#include <cstdint>
#include <optional>

#include "link/Protocol.h"

namespace calvetta {

using SendBuffer = std::array<std::uint8_t, 9>;

// 03 06 id v: one value (master volume, mute, phase mask, input, source, mode,
// layout, subwoofer, dynamic range, remote key, EQ status, preset slot).
void FillSet(SendBuffer& SendBuf, ParamId id, std::uint8_t value);
// 04 06 id ch v: one value of one channel (trims, delays).
void FillChannelSet(SendBuffer& SendBuf, ParamId id, std::uint8_t channel, std::uint8_t value);
// 06 06 id f c s b: one value per speaker group, front, centre, surround,
// back surround (sizes, crossovers). A group without a value keeps its byte.
using GroupValues = std::array<std::optional<std::uint8_t>, 4>;
void FillGroupSet(SendBuffer& SendBuf, ParamId id, const GroupValues& groups);
// 05 06 0B t a c: tone on, automatic, channel + 1. A value left out keeps
// its byte: "off" writes only the tone, "automatic" no channel.
void FillTestTone(SendBuffer& SendBuf, std::uint8_t on, std::optional<std::uint8_t> automatic,
                  std::optional<std::uint8_t> channel);
// 03 06 01 01: the device returns to its defaults.
void FillSystemReset(SendBuffer& SendBuf);
// 07 06 0E ch band gain freq bw: one equaliser band.
void FillPeqBand(SendBuffer& SendBuf, int channel, int band, int gainStep, int freqIndex,
                 int bandwidthTenths);
// 02 05 id: ask the device to report one setting.
void FillQuery(SendBuffer& SendBuf, ParamId id);
// 03 05 id ch: ask for one channel's setting (trims, delays).
void FillChannelQuery(SendBuffer& SendBuf, ParamId id, std::uint8_t channel);

}  // namespace calvetta
