#pragma once
// The fixed tables that translate the device's small integers (frequency
// index, bandwidth index, Q in tenths, crossover index, audio-format code)
// into numbers and texts, and the sampling grid of the EQ response curve.
// Built once by the window load, in the order it calls the Build routines;
// afterwards only CurveFreq (single points lowered by the curve drawer) and
// BandCoef (the curve's working store) change.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace calvetta {

// One centre frequency as the device's table holds it: a whole number of Hz
// or a number with one decimal digit.  The distinction decides the text.
struct FreqValue {
    double Hz = 0.0;
    bool Fractional = false;
};

class LookupTables {
  public:
    static constexpr int kFreqCount = 256;    // FreqIndex 0..255
    static constexpr int kQCount = 101;       // QTenths 0..100
    static constexpr int kOctCount = 21;      // OctIndex 0..20
    static constexpr int kFormatCount = 256;  // audio-format code 0..255
    static constexpr int kXoverCount = 13;    // XoverIndex 0..12
    static constexpr int kCurvePoints = 611;  // curve point 0..610
    static constexpr int kCoefRows = 19;      // band 0..18
    static constexpr int kCoefColumns = 6;    // column 0 unused, then b0 a1 b1 a2 b2

    std::array<FreqValue, kFreqCount> FreqTable{};
    std::array<std::string, kFreqCount> FreqText{};
    std::array<std::string, kQCount> QLabel{};
    std::array<std::string, kOctCount> OctLabel{};
    std::array<std::uint8_t, kOctCount> OctTenths{};
    std::array<std::uint8_t, kOctCount> OctToQ{};
    std::array<std::string, kFormatCount> FormatName{};
    std::array<std::string, kXoverCount> XoverLabel{};
    std::array<double, kCurvePoints> CurveFreq{};
    std::array<std::int16_t, kCurvePoints> CurveX{};
    std::array<std::array<double, kCoefColumns>, kCoefRows> BandCoef{};

    void BuildFreqTable();
    // Needs FreqTable.  The texts are made from the digits, so the decimal
    // separator is a point whatever the system's regional settings are.
    void BuildFreqText();
    void BuildQLabel();
    // OctLabel, OctTenths and OctToQ.
    void BuildOctTables();
    void BuildFormatName();
    void ClearBandCoef();
    void BuildCurveFreq();
    void BuildCurveX();
    void BuildXoverLabel();

    // Index of the first XoverLabel entry equal to text, byte for byte (the
    // blanks before "Hz" count), or -1 when none is.
    int XoverIndexOf(std::string_view text) const;
};

}  // namespace calvetta
