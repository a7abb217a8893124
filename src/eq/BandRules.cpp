#include "eq/BandRules.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "eq/EqBands.h"
#include "eq/GraphScale.h"

namespace calvetta {

namespace {
// Highest index of bands 1 to 9; band b's lowest is band b - 1's highest.
constexpr std::array<int, 9> kHighest = {51, 72, 85, 129, 149, 161, 171, 212, 243};

std::string OneDecimal(double v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}
}  // namespace

BandWindow BandWindowOf(int band) {
    if (band < 1 || band > 9) band = 10;
    const auto b = static_cast<std::size_t>(band - 1);
    return {b == 0 ? 0 : kHighest[b - 1], band == 10 ? 255 : kHighest[b], BandDefaultFreq[b]};
}

bool InBandWindow(int band, int freqIndex) {
    const BandWindow w = BandWindowOf(band);
    return freqIndex >= w.lowest && freqIndex <= w.highest;
}

bool SwCapApplies(bool swSelected, int channel, int band) {
    return swSelected && channel == kSwChannel && BandWindowOf(band).lowest <= kSwFreqCap;
}

std::string FreqLabelText(std::string_view freqText) {
    return std::string(freqText) + "(Hz)";
}

std::string GainLabelText(int gainStep) {
    if (gainStep >= 200) return OneDecimal((gainStep - 200) / 10.0) + "(dB)";
    // "00.0": two digits before the point.
    char buf[16];
    std::snprintf(buf, sizeof buf, "-%04.1f(dB)", (200 - gainStep) / 10.0);
    return buf;
}

std::string OctLabelText(std::string_view octLabel) {
    return std::string(octLabel) + "(Oct)";
}

std::string GainDbText(int gainStep) {
    return OneDecimal((gainStep - 200) / 10.0);
}

std::string CentreReadoutText(std::string_view freqText, int gainStep) {
    return FreqLabelText(freqText) + "\r\n" + GainDbText(gainStep);
}

double CurveGainDb(int gainStep) {
    return (gainStep - 200) * 0.099;
}

double NumberOfText(std::string_view text) {
    double v = 0.0;
    // from_chars reads a point as the decimal separator whatever the locale.
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    return ec == std::errc() ? v : 0.0;
}

int MidLeftForFrequency(double hz) {
    return static_cast<int>(std::lround(XOfFrequency(hz)));
}

int MidTopForGain(int gainStep) {
    return 1500 + 15 * (250 - gainStep);
}

int RightHandleLeft(int midLeft, int qTenths) {
    return midLeft + 100 + 10 * (100 - qTenths);
}

int LeftHandleLeft(int midLeft, int qTenths) {
    return static_cast<int>(std::lround(midLeft - 1100 + (qTenths - 4) / 0.096));
}

int PointerSide(float offsetPixels) {
    if (offsetPixels > 15.0f) return 1;
    if (offsetPixels < -15.0f) return -1;
    return 0;
}

std::optional<int> StepUp(int value, int max, int big) {
    if (value < max - big) return value + big;
    if (value < max) return value + 1;
    return std::nullopt;
}

std::optional<int> StepDown(int value, int min, int big) {
    if (value > min + big) return value - big;
    if (value > min) return value - 1;
    return std::nullopt;
}

std::optional<int> ArrowStep(int index, bool right, int value, bool swSelected) {
    switch (index) {
        case 0:  // bandwidth
            if (right) return value < 19 ? std::optional(value + 1) : std::nullopt;
            return value > 1 ? std::optional(value - 1) : std::nullopt;
        case 30: {  // frequency
            if (!right) return value > 0 ? std::optional(value - 1) : std::nullopt;
            const int n = value < 255 ? value + 1 : value;
            if (swSelected && n > kSwFreqCap) return std::nullopt;
            return n;
        }
        case 31:  // gain
            if (right) return value < 250 ? std::optional(value + 1) : std::nullopt;
            return value > 0 ? std::optional(value - 1) : std::nullopt;
        default:
            return std::nullopt;
    }
}

float RepairedGain(float stored) {
    return stored > 250.0f || stored < 0.0f ? 200.0f : stored;
}

float RepairedBandwidth(float stored) {
    return stored > 19.0f || stored < 1.0f ? 10.0f : stored;
}

int SliderPosition(float stored) {
    // lrint rounds in the current mode, which is to nearest with halves to even.
    return static_cast<int>(std::lrint(stored));
}

BandReport TakeBandReport(std::uint8_t p2, std::uint8_t p3, std::uint8_t p4, std::uint8_t p5,
                          std::uint8_t p6) {
    BandReport r{};
    r.channel = p2 > 7 ? 0 : p2;
    const int lastBand = r.channel == kSwChannel ? 2 : kEqBands;
    r.band = p3 >= 1 && p3 <= lastBand ? p3 : 1;
    r.gain = p4 > 250 ? 200 : p4;
    r.freq = p5;
    r.bandwidth = p6 >= 1 && p6 <= 19 ? p6 : 10;
    return r;
}

}  // namespace calvetta
