#include "eq/EqBands.h"

#include "eq/EqStore.h"

namespace calvetta {

void EqBands::SetBand(int channel, int band, float freq, float gain, float q) {
    gain_[channel][band] = gain;
    freq_[channel][band] = freq;
    q_[channel][band] = q;
}

void EqBands::CopyBand(int from, int to, int band) {
    freq_[to][band] = freq_[from][band];
    gain_[to][band] = gain_[from][band];
    q_[to][band] = q_[from][band];
}

void EqBands::Flatten(int channel) {
    DefaultFrequencies(channel);
    gain_[channel].fill(200.0f);
    q_[channel].fill(10.0f);
}

void EqBands::DefaultFrequencies(int channel) {
    for (int b = 1; b <= kEqBands; ++b)
        freq_[channel][b] = BandDefaultFreq[static_cast<std::size_t>(b - 1)];
}

void EqBands::LoadFromStore(const EqStoreSnapshot& store) {
    for (int c = 0; c < kEqChannels; ++c) {
        for (int b = 1; b <= kEqBands; ++b) {
            freq_[c][b] = store.Freq(c, b);
            gain_[c][b] = kEqLoadedGain;
            q_[c][b] = store.Q(c, b);
        }
    }
}

}  // namespace calvetta
