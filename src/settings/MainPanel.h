#pragma once
// The Main Panel page: master volume and the eight channel trims with their
// step arrows, mute, the phase pairs, the input connectors, the source
// functions and the listening modes, and the source function last applied.
// The handlers keep the names of the controls and events they serve; the main
// window owns the page and the page reaches the link (SendBuf, SendPacket) and
// the speaker-layout buttons, which belong to the window's Menu_Cmd array,
// through it.
//
// Files: MainPanel.cpp builds the controls, Volume.cpp holds the level and
// mute handlers, Phase.cpp the phase pairs, Inputs.cpp the connectors,
// sources, modes and speaker layouts.

#include <QObject>
#include <array>
#include <cstdint>

#include "app/FormControls.h"

namespace calvetta {

class PrivateDesign;
class ruqSlider;

// A QObject only so that its connections end with it.
class MainPanel : public QObject {
  public:
    // Builds the page's controls inside `container` (Picture2) in their design
    // state and binds them to the handlers below.
    MainPanel(PrivateDesign& window, PictureBox* container);
    ~MainPanel() override;
    MainPanel(const MainPanel&) = delete;
    MainPanel& operator=(const MainPanel&) = delete;

    // ---- Volume, trims and mute (Volume.cpp) --------------------------------
    // Index 0 the master, 1 to 8 the trim of channel Index - 1.
    void VOLSlider_ValueChanged(int Index);
    // The step arrows beside each level; only Index and Button (1 left) count.
    void VOLLeft_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void VOLLeft_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void VOLRight_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void VOLRight_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void MuteCheck_Click();

    // ---- Phase (Phase.cpp) ---------------------------------------------------
    // The click handler of all eight phase pairs: the clicked pair does not
    // matter, the whole mask is rebuilt and sent.
    void ChannelPhase_Click(int Index);
    // The eight phase pairs in ChannelIndex order (FL, CEN, FR, SL, SR, BSL, BSR, SW).
    std::array<OptionGroup*, 8> PhasePairs();

    // ---- Inputs, sources, modes and layouts (Inputs.cpp) --------------------
    void Input_Cmd_Click(int Index);
    void Input_Cmd1_Click(int Index);
    void Mode_Cmd_Click(int Index);
    // The window's Menu_Cmd 7, 8, 9: the 7.1, 5.1 and 2.1 speaker layouts.
    void SpeakerLayout_Click(int Index);

    // ---- State ---------------------------------------------------------------
    // The source function applied last; 255 after connecting, before the
    // device has reported one.
    std::uint8_t SourceFunction = 0;

    // ---- Controls ------------------------------------------------------------
    PictureBox* Picture2 = nullptr;          // the page, handed in by the window
    ControlArray<Label> Label2;              // 5, 6, 7 headings and the audio format;
                                             // 9, 11 to 16, 18 the trim captions
    ControlArray<CommandButton> Input_Cmd;   // connectors 0 to 10
    ControlArray<CommandButton> Input_Cmd1;  // source functions 0 to 6
    ControlArray<CommandButton> Mode_Cmd;    // listening modes 0 to 10
    ControlArray<ruqSlider> VOLSlider;       // 0 master, 1 to 8 trims
    ControlArray<ImageControl> VOLLeft;
    ControlArray<ImageControl> VOLRight;
    ControlArray<Label> VOLLab;  // 0 to 8 values; 9 to 24, 77, 87 fixed scale captions
    CheckBox* MuteCheck = nullptr;
    Label* Label72 = nullptr;       // "Volume" heading
    Label* VersionLabel = nullptr;  // the device's version, from its reply
    Frame* Frame8 = nullptr;        // phase frames: FL
    Frame* Frame9 = nullptr;        // CEN
    Frame* Frame10 = nullptr;       // FR
    Frame* Frame11 = nullptr;       // SL
    Frame* Frame12 = nullptr;       // SR
    Frame* Frame13 = nullptr;       // SW
    Frame* Frame14 = nullptr;       // BSR
    Frame* Frame15 = nullptr;       // BSL
    OptionGroup FLPhase;            // element 0 "0°", element 1 "180°"
    OptionGroup CENPhase;
    OptionGroup FRPhase;
    OptionGroup SLPhase;
    OptionGroup SRPhase;
    OptionGroup BSLPhase;
    OptionGroup BSRPhase;
    OptionGroup SWPhase;

  private:
    PrivateDesign& w_;
};

}  // namespace calvetta
