#pragma once
// The equaliser of all eight channels as the EQ page edits it: for each
// ChannelIndex 0 to 7 and band 1 to 10, the frequency position (FreqIndex),
// the gain position (GainStep, 200 = 0 dB) and the bandwidth position
// (OctIndex).  Held as single-precision numbers, as they are stored in the
// equaliser store; element 0 of the band dimension is never stored.

#include <array>
#include <cstdint>

namespace calvetta {

inline constexpr int kEqChannels = 8;  // FL, CEN, FR, SL, SR, BSL, BSR, SW
inline constexpr int kEqBands = 10;    // bands 1 to 10
inline constexpr int kSwChannel = 7;

// The default FreqIndex of bands 1 to 10 (index 0 is band 1).
inline constexpr std::array<std::uint8_t, kEqBands> BandDefaultFreq = {26,  60,  77,  112, 139,
                                                                       155, 166, 197, 230, 248};

struct EqBands {
    using Row = std::array<float, kEqBands + 1>;  // element b is band b
    std::array<Row, kEqChannels> PeqFreq{};
    std::array<Row, kEqChannels> PeqGain{};
    std::array<Row, kEqChannels> PeqQ{};
};

}  // namespace calvetta
