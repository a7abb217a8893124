#pragma once
// The rules of the EQ page that need no window: each band's frequency window
// and the subwoofer's cap, the texts of the value labels and of the handle
// readout, where the handles stand (in twips on the graph), how far one
// handle move or arrow click steps a slider and the repairs of band
// selection. The handlers and the tests both ask this one unit.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace calvetta {

// ---- Frequency windows ------------------------------------------------------
// The SW channel's frequency index may not exceed 94 (253 Hz).
inline constexpr int kSwFreqCap = 94;
// Whether the cap holds for an edit: the SW option is selected, the SW
// channel is the one edited, and the band's window reaches down to the cap.
// Otherwise (the SW option left selected by Flat or a recall while another
// channel is loaded, or a band SW does not have) cap and window would undo
// each other without end.
bool SwCapApplies(bool swSelected, int channel, int band);

// Both bounds inclusive; neighbouring bands share their boundary index.
struct BandWindow {
    int lowest;
    int highest;
    int replacement;  // the band's default index
};
// Band 1 to 10; any other band takes band 10's window.
BandWindow BandWindowOf(int band);
bool InBandWindow(int band, int freqIndex);

// ---- Label and readout texts ------------------------------------------------
// "40.3(Hz)": the frequency text followed by "(Hz)".
std::string FreqLabelText(std::string_view freqText);
// "0.0(dB)" to "5.0(dB)" from 200 up; "-00.1(dB)" to "-20.0(dB)" below.
std::string GainLabelText(int gainStep);
// "1.0(Oct)".
std::string OctLabelText(std::string_view octLabel);
// The gain in dB with one decimal ("0.0", "-3.5", "5.0").
std::string GainDbText(int gainStep);
// The centre handle's readout: "1000(Hz)", CR LF, "-3.5".
std::string CentreReadoutText(std::string_view freqText, int gainStep);

// ---- Numbers for the curve --------------------------------------------------
// The gain drawn for a GainStep: 0.099 dB a step (+4.95 dB at 250, -19.8 at 0).
double CurveGainDb(int gainStep);
// The number a table text shows ("40.3", "1.4"); 0 for a text that is none.
double NumberOfText(std::string_view text);

// ---- Handle placement, in twips on the graph --------------------------------
// Centre handle: Left from the frequency (20 Hz at 340, 20 kHz at 12540),
// Top from the gain (1500 at +5 dB, 2250 at 0 dB, 5250 at -20 dB).
int MidLeftForFrequency(double hz);
int MidTopForGain(int gainStep);
// Side handles from the Q slider's QTenths: 1100 and 1060 twips out at Q 0.4,
// 100 either side at Q 10.0.
int RightHandleLeft(int midLeft, int qTenths);
int LeftHandleLeft(int midLeft, int qTenths);
// The readout stands 400 twips right of the centre handle, level with it.
inline constexpr int kReadoutRight = 400;
// The band number stands 240 twips below the centre handle.
inline constexpr int kBandNumberBelow = 240;
// Flat puts every centre handle here.
inline constexpr int kFlatMidTop = 2240;

// ---- Handle steps -----------------------------------------------------------
// A pointer offset from -15 to +15 pixels changes nothing on its axis.
// Returns +1 beyond +15, -1 beyond -15, else 0.
int PointerSide(float offsetPixels);
// One step up or down by `big` positions, by one near the end, or none at
// the end: the rules of the handles (4 for frequency and bandwidth, 6 for
// gain).
std::optional<int> StepUp(int value, int max, int big);
std::optional<int> StepDown(int value, int min, int big);

// The step arrows (Index 0 bandwidth, 30 frequency, 31 gain; 32 and any other
// none): the value to assign for one click, or nothing. The limits are fixed
// numbers; the right frequency arrow stays at 94 and below while the SW
// option is selected, and at 255 assigns 255 again.
std::optional<int> ArrowStep(int index, bool right, int value, bool swSelected);

// ---- Band selection ---------------------------------------------------------
// A stored gain outside 0 to 250 loads as 200; a bandwidth outside 1 to 19 as
// 10. Everything else is taken as stored.
float RepairedGain(float stored);
float RepairedBandwidth(float stored);
// A stored position as the slider takes it: rounded, halves to even.
int SliderPosition(float stored);

// ---- The band report --------------------------------------------------------
// A PeqBand reply as the window takes it: a channel above 7 is 0; a band
// outside 1 to 10 (1 to 2 on SW) is 1; a gain above 250 is 200; the frequency
// byte as it came; a bandwidth outside 1 to 19 is 10. The bandwidth byte is
// taken as an OctIndex.
struct BandReport {
    int channel;
    int band;
    int gain;
    int freq;
    int bandwidth;
};
BandReport TakeBandReport(std::uint8_t p2, std::uint8_t p3, std::uint8_t p4, std::uint8_t p5,
                          std::uint8_t p6);

}  // namespace calvetta
