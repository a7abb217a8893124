#pragma once
// The equaliser store, Modules/ModeEffects.ini: the EQ switch and the 240
// band values of the eight channels in section "PEQ_Config", and the preset
// files (*.EQ) that are byte-for-byte copies of it.  The EQ Save writes the
// store with WriteEqStore and copies it to the preset (CopyFileAtomic); the
// EQ Recall copies a preset over the store and reads it back, and the
// settings loader reads it at start, both through one EqStoreSnapshot, so the
// value rules below are the same for both.
//
// Reading a value (the text as ReadINI gives it):
//   - PEQ_Active: "True" (exactly) is Active; any other text is Bypass.
//   - _Freq: a FreqIndex 0..255; otherwise 20 * band + 80 for bands 1 to 8,
//     and the band's default index for bands 9 and 10 (230 and 248), where
//     20 * band + 80 would leave the FreqIndex range.
//   - _Gain, as the recall takes it: any number up to 250, negative ones too
//     (the gain slider refuses them later and so ends the recall); above 250
//     it is 200.  Below -32,769 it reads as -32,769: still refused, and safe
//     to turn into any integer.  The loader always uses 200 (kEqLoadedGain).
//   - _Q: an OctIndex 1..19; otherwise 10.
//   - Bounds are in range.  A text that is not a plain decimal number ("abc",
//     "nan", "1e5", "0x1A"; see IniNumber) takes the key's fallback, as an
//     out-of-range number does.  A fractional number in range is kept as the
//     nearest single-precision number.
//
// Writing: PEQ_Active first, then for channel 0..7 and band 1..10 the keys
// _Freq, _Gain, _Q, which is also the key order of a store made from nothing.
// Values are the shortest decimal text that reads back as the same
// single-precision number, whole numbers without a point ("26", "200").

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/IniAccess.h"
#include "eq/EqBands.h"

namespace calvetta {

inline constexpr char kEqSection[] = "PEQ_Config";
inline constexpr char kEqActiveKey[] = "PEQ_Active";
// The gain the settings loader gives every band, whatever the store holds.
inline constexpr float kEqLoadedGain = 200;

// "PEQ_Ch<channel>_Band<band>_Freq", "_Gain" or "_Q".
std::string EqBandKey(int channel, int band, EqValue what);

// A band value as the store holds it.
std::string EqValueText(float value);

// The 241 keys and value texts of the store, in the order of writing.
std::vector<std::pair<std::string, std::string>> EqStoreEntries(const EqBands& bands, bool active);

// The EQ Save's write of the store: all 241 keys with one replacement of the
// file, leaving exactly the bytes that 241 WriteINI calls would.  False, with
// the file as it was, when it cannot be written (see WriteINIKeys).
bool WriteEqStore(const std::string& file, const EqBands& bands, bool active);

// The value rules above, for one value text.  band is 1 to 10.
bool EqActiveFromText(std::string_view text);
float EqFreqFromText(std::string_view text, int band);
float EqRecallGainFromText(std::string_view text);
float EqQFromText(std::string_view text);

// The store read once (a missing or unreadable file reads as all keys
// missing, "1"), for the recall and the loader.
class EqStoreSnapshot {
  public:
    explicit EqStoreSnapshot(const std::string& file) : ini_(file) {}

    bool Active() const { return EqActiveFromText(ini_.Read(kEqSection, kEqActiveKey)); }
    float Freq(int channel, int band) const {
        return EqFreqFromText(Read(channel, band, EqValue::Freq), band);
    }
    float RecallGain(int channel, int band) const {
        return EqRecallGainFromText(Read(channel, band, EqValue::Gain));
    }
    float Q(int channel, int band) const { return EqQFromText(Read(channel, band, EqValue::Q)); }

  private:
    std::string Read(int channel, int band, EqValue what) const {
        return ini_.Read(kEqSection, EqBandKey(channel, band, what));
    }
    IniSnapshot ini_;
};

}  // namespace calvetta
