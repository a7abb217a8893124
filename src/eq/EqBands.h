#pragma once
// The equaliser of all eight channels as the EQ page edits it: for each
// ChannelIndex 0 to 7 and band 1 to 10, the frequency position (FreqIndex),
// the gain position (GainStep, 200 = 0 dB) and the bandwidth position
// (OctIndex).  Held as single-precision numbers, as they are stored in the
// equaliser store; element 0 of the band dimension is never stored.  They are
// read freely and changed only through the few operations below, so every
// change of the one truth the page shows can be found by name.

#include <array>
#include <cstdint>

namespace calvetta {

inline constexpr int kEqChannels = 8;  // FL, CEN, FR, SL, SR, BSL, BSR, SW
inline constexpr int kEqBands = 10;    // bands 1 to 10
inline constexpr int kSwChannel = 7;

// The default FreqIndex of bands 1 to 10 (index 0 is band 1).
inline constexpr std::array<std::uint8_t, kEqBands> BandDefaultFreq = {26,  60,  77,  112, 139,
                                                                       155, 166, 197, 230, 248};

// The three values of a band.
enum class EqValue { Freq, Gain, Q };

class EqStoreSnapshot;

class EqBands {
  public:
    using Row = std::array<float, kEqBands + 1>;  // element b is band b
    using Table = std::array<Row, kEqChannels>;

    const Table& PeqFreq() const { return freq_; }
    const Table& PeqGain() const { return gain_; }
    const Table& PeqQ() const { return q_; }
    float Value(int channel, int band, EqValue what) const { return table(what)[channel][band]; }

    // One value of one band: a band slider's position, a repair, a recalled value.
    void Store(int channel, int band, EqValue what, float value) {
        table(what)[channel][band] = value;
    }
    // A whole band, as the device reports it.
    void SetBand(int channel, int band, float freq, float gain, float q);
    // Band `band` of channel `to` becomes that of channel `from` (a paste).
    void CopyBand(int from, int to, int band);
    // Flat for one channel: the default frequencies, 0 dB and 1.0 octave,
    // element 0 of gain and bandwidth included.
    void Flatten(int channel);
    // The bands' default frequencies (SW starts from them whenever it is chosen).
    void DefaultFrequencies(int channel);
    // The store's frequencies and bandwidths at 0 dB, whatever gain it holds
    // (the settings loader's rule).
    void LoadFromStore(const EqStoreSnapshot& store);

  private:
    Table& table(EqValue what) {
        return what == EqValue::Freq ? freq_ : what == EqValue::Gain ? gain_ : q_;
    }
    const Table& table(EqValue what) const {
        return what == EqValue::Freq ? freq_ : what == EqValue::Gain ? gain_ : q_;
    }
    Table freq_{};
    Table gain_{};
    Table q_{};
};

}  // namespace calvetta
