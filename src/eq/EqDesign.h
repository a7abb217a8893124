#pragma once
// The EQ Design page: the response graph with its band handles, the four band
// sliders with their step arrows and value labels, the band buttons with
// Channel Copy, Channel Paste and Flat, the channel options, the EQ status and
// the preset buttons, and the band state they edit.  The handlers keep the
// names of the controls and events they serve; the main window owns the page
// and the page reaches the window's shared state (SendBuf, SendPacket,
// CurChannel, CurBand, the copy marker, the tables, the dialogs) through it.
//
// Files: EqDesignPage.cpp builds the controls, BandSliders.cpp holds the
// slider handlers and the curve, BandSelect.cpp band and channel selection,
// GraphHandles.cpp the handles and step arrows, EqPresets.cpp the status and
// preset buttons; the Qt-free rules they share live in BandRules.h.

#include <QObject>
#include <cstdint>
#include <string>

#include "app/FormControls.h"
#include "eq/EqBands.h"
#include "eq/EqMath.h"

class QFrame;

namespace calvetta {

class EqStoreSnapshot;
class PrivateDesign;
class ResponseGraph;
class ruqSlider;
struct BandReport;

// A QObject only so that its connections end with it.
class EqDesign : public QObject {
  public:
    // Builds the page's controls inside `container` (Picture5) in their design
    // state and binds them to the handlers below.
    EqDesign(PrivateDesign& window, PictureBox* container);
    ~EqDesign() override;
    EqDesign(const EqDesign&) = delete;
    EqDesign& operator=(const EqDesign&) = delete;

    // ---- Band editing sliders (BandSliders.cpp) ------------------------------
    void BandFreqSlider_ValueChanged();
    void BandGainSlider_ValueChanged();
    void BandQfactorOctSlider_ValueChanged();
    void BandQfactorSlider_ValueChanged();
    // Files the band designed last under CurBand and redraws the summed curve.
    void DrawResponseCurve();

    // ---- Band and channel selection (BandSelect.cpp) -------------------------
    // 0 to 9 select band Index + 1; 10 Channel Copy, 11 Channel Paste, 12 Flat.
    void PEQ_Cmd_Click(int Index);
    void Channel_Opt_Click(int Index);

    // ---- Graph handles and step arrows (GraphHandles.cpp) --------------------
    // Positions in twips relative to the handle; Button 1 is the left button.
    void BandMid_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void BandMid_MouseMove(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void BandMid_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void BandLeft_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void BandLeft_MouseMove(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void BandLeft_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void BandRight_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void BandRight_MouseMove(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void BandRight_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    // Arrows 0 (bandwidth), 30 (frequency), 31 (gain), 32 (beside the Q slider).
    void MainLeft_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void MainLeft_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void MainRight_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void MainRight_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);

    // ---- EQ status and presets (EqPresets.cpp) -------------------------------
    void EQ_Opt_Click(int Index);
    void EQ_Save_Click();
    void EQ_Call_Click(int Index);

    // ---- Operations of the window on the page ----------------------------
    // The settings loader: the EQ status and the stored bands at 0 dB. The
    // status option runs its handler when it changes; the bands show when a
    // band or channel is next selected.
    void LoadStoredEqualiser(const EqStoreSnapshot& store);
    // A band the device reported: stored, then shown by selecting its channel
    // and band as a user would.
    void ApplyBandReport(const BandReport& report);

    // ---- Editing state -----------------------------------------------------
    std::uint8_t CurChannel = 0;           // the channel edited (ChannelIndex)
    std::uint8_t CurBand = 1;              // the band edited, 1 to 10
    std::uint8_t EqCopySrcChannel = 250;   // Channel Copy's channel; 250 nothing copied
    std::uint8_t EqPasteDstChannel = 251;  // the channel a paste writes to; 251 none
    std::uint8_t EqSlot = 1;               // the preset slot of the last save, 1 to 5
    // PeqFreq, PeqGain, PeqQ of all channels: the one truth that sliders,
    // labels, handles and curve show.
    EqBands bands;
    // Inputs of the band's peak filter, set just before each design.
    double BandCalcFreq = 0.0;
    double BandCalcGain = 0.0;
    double BandCalcQ = 0.0;
    // The band designed last, filed under CurBand by DrawResponseCurve.
    calvetta::PeakCoef PeakCoef{};

    // ---- Controls ----------------------------------------------------------
    ControlArray<CommandButton> PEQ_Cmd;  // 0..9 "EQ1".."EQ10", 10 Copy, 11 Paste, 12 Flat
    Frame* Frame1 = nullptr;              // "EQ Channel"
    OptionGroup Channel_Opt;              // ChannelIndex 0..7: FL CEN FR SL SR BSL BSR SW

    ruqSlider* BandGainSlider = nullptr;        // GainStep 0..250
    ruqSlider* BandFreqSlider = nullptr;        // FreqIndex 0..255
    ruqSlider* BandQfactorOctSlider = nullptr;  // OctIndex 1..19 (bandwidth)
    ruqSlider* BandQfactorSlider = nullptr;     // QTenths 4..100, shown only
    Label* Label15 = nullptr;                   // "Q", caption of the bandwidth row
    Label* Label16 = nullptr;                   // "Gain"
    Label* Label17 = nullptr;                   // "Freq"
    Label* BandGainLabel = nullptr;
    Label* BandFreqLabel = nullptr;
    Label* BandQfactorLabel = nullptr;
    ControlArray<ImageControl> MainLeft;   // 0, 30, 31, 32
    ControlArray<ImageControl> MainRight;  // 0, 30, 31, 32

    PictureBox* Picture3 = nullptr;  // the dB scale
    ControlArray<Label> dBLabel;     // 0..6: "+05" "0dB" "-05" "-10" "-15" "-20" "-25"
    Label* Label93 = nullptr;
    PictureBox* Picture4 = nullptr;    // the frequency scale
    ControlArray<Label> FreqScaleLbl;  // 0..11: "20" "30" "50" ... "20k" "Hz"

    ResponseGraph* Show_Picture = nullptr;  // the response graph, 838 x 355 pixels
    ControlArray<ImageControl> BandMid;     // 0..9: centre handle of band k + 1
    ControlArray<ImageControl> BandLeft;    // 0..9: left bandwidth handle
    ControlArray<ImageControl> BandRight;   // 0..9: right bandwidth handle
    ControlArray<Label> BandLbl;            // 0..9: band numbers "1".."10"
    Label* DisplayLbl = nullptr;            // the readout while a handle is held
    Label* FreqLab = nullptr;
    ImageControl* BandMidGreen = nullptr;  // hidden picture sources of the handles
    ImageControl* BandMidRed = nullptr;
    ImageControl* BandLeftGreen = nullptr;
    ImageControl* BandLeftRed = nullptr;
    ImageControl* BandRightGreen = nullptr;
    ImageControl* BandRightRed = nullptr;

    CommandButton* EQ_Save = nullptr;
    ControlArray<CommandButton> EQ_Call;  // element 0 "EQ Recall"
    Frame* Frame2 = nullptr;              // "EQ Status"
    OptionGroup EQ_Opt;                   // 0 "Active", 1 "Bypass"
    Label* Label1 = nullptr;              // the slot of the last saved preset
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;

  private:
    void BuildScales(PictureBox* container);
    void BuildGraph(PictureBox* container);
    void BuildBandButtons(PictureBox* container);
    void BuildSliderRows(PictureBox* container);
    void BuildChannelAndStatus(PictureBox* container);
    void Bind();

    // Steps shared by the slider handlers.
    void ShowSideHandlesOfCurrentBand();
    void BandNumberFollowsHandle();
    void DesignAndDraw();
    void DrawMarker();
    void SendBand();
    // Steps of the handles and arrows.
    void StepBandwidth(int outward);
    void ShowReadout(int Index, const std::string& text);
    ruqSlider* ArrowSlider(int Index) const;

    PrivateDesign& w_;
};

}  // namespace calvetta
