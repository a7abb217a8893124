#include "eq/EqStore.h"

#include <charconv>
#include <optional>
#include <system_error>

namespace calvetta {
namespace {

constexpr int kBands = 10;
// Lowest gain handed on: below any slider's range, inside every integer type.
constexpr double kLowestGain = -32769;

}  // namespace

std::string EqBandKey(int channel, int band, EqValue what) {
    const char* suffix = what == EqValue::Freq ? "_Freq" : what == EqValue::Gain ? "_Gain" : "_Q";
    return "PEQ_Ch" + std::to_string(channel) + "_Band" + std::to_string(band) + suffix;
}

std::string EqValueText(float value) {
    // Fixed notation only, as the reader takes no exponent; the longest float
    // text is about 50 characters (a sign, 39 digits, or "0." and 45 digits).
    char buf[128];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc()) return "0";
    return std::string(buf, end);
}

std::vector<std::pair<std::string, std::string>> EqStoreEntries(const EqBands& bands, bool active) {
    std::vector<std::pair<std::string, std::string>> entries;
    entries.reserve(1 + kEqChannels * kBands * 3);
    entries.emplace_back(kEqActiveKey, active ? "True" : "False");
    for (int c = 0; c < kEqChannels; ++c) {
        for (int b = 1; b <= kBands; ++b) {
            entries.emplace_back(EqBandKey(c, b, EqValue::Freq),
                                 EqValueText(bands.PeqFreq()[c][b]));
            entries.emplace_back(EqBandKey(c, b, EqValue::Gain),
                                 EqValueText(bands.PeqGain()[c][b]));
            entries.emplace_back(EqBandKey(c, b, EqValue::Q), EqValueText(bands.PeqQ()[c][b]));
        }
    }
    return entries;
}

bool WriteEqStore(const std::string& file, const EqBands& bands, bool active) {
    return WriteINIKeys(file, kEqSection, EqStoreEntries(bands, active));
}

bool EqActiveFromText(std::string_view text) {
    return text == "True";
}

float EqFreqFromText(std::string_view text, int band) {
    const double fallback =
        band >= 9 ? BandDefaultFreq[static_cast<std::size_t>(band - 1)] : 20.0 * band + 80;
    return static_cast<float>(IniNumberInRange(text, 0, 255, fallback));
}

float EqRecallGainFromText(std::string_view text) {
    const std::optional<double> gain = IniNumber(text);
    if (!gain || *gain > 250) return 200;
    return static_cast<float>(*gain < kLowestGain ? kLowestGain : *gain);
}

float EqQFromText(std::string_view text) {
    return static_cast<float>(IniNumberInRange(text, 1, 19, 10));
}

}  // namespace calvetta
