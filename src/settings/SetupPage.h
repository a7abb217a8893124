#pragma once
// The Setup page: the eight channel delays with their step arrows, the
// speaker sizes with their crossover lists, the subwoofer, power, the remote
// keys, dynamic range and the test tones. The handlers keep the names of the
// controls and events they serve; the main window owns the page and the page
// reaches the link (SendBuf, SendPacket, the OSD flag) and the crossover
// texts through it. The window's System Reset button stands on this page but
// belongs to the window's Menu_Cmd array.
//
// Files: SetupPage.cpp builds the controls, Delays.cpp holds the delay
// handlers, Speakers.cpp sizes, subwoofer and crossovers, Keys.cpp power,
// keys and dynamic range, TestTone.cpp the test tones.

#include <QObject>
#include <cstdint>

#include "app/FormControls.h"

namespace calvetta {

class PrivateDesign;
class ruqSlider;

// A QObject only so that its connections end with it.
class SetupPage : public QObject {
  public:
    // Builds the page's controls inside `container` (Picture6) in their design
    // state and binds them to the handlers below.
    SetupPage(PrivateDesign& window, PictureBox* container);
    ~SetupPage() override;
    SetupPage(const SetupPage&) = delete;
    SetupPage& operator=(const SetupPage&) = delete;

    // ---- Channel delays (Delays.cpp) -----------------------------------------
    void DelaySlider_ValueChanged(int Index);
    void DelayLeft_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void DelayLeft_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void DelayRight_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void DelayRight_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);

    // ---- Speaker sizes, subwoofer and crossovers (Speakers.cpp) --------------
    void SPKLR_Opt_Click(int Index);
    void SPKC_Opt_Click(int Index);
    void SPKSLSR_Opt_Click(int Index);
    void SPKBSLSR_Opt_Click(int Index);
    void Sub_Opt_Click(int Index);
    void Combo2_Click(int Index);

    // ---- Power, remote keys and dynamic range (Keys.cpp) ---------------------
    void Option2_Click(int Index);
    void Command2_Click(int Index);
    void Dynamic_Opt_Click(int Index);

    // ---- Test tones (TestTone.cpp) -------------------------------------------
    void Test_Opt_Click(int Index);
    void Test_CH_Opt_Click(int Index);

    // ---- Controls ------------------------------------------------------------
    PictureBox* Picture6 = nullptr;  // the page, handed in by the window
    // 0 to 4, 10, 17, 31 the delay rows' captions; 19 "Cut Off".
    ControlArray<Label> Label2;
    // Delay rows, indexed by ChannelIndex (0 FL, 1 CEN, 2 FR, 3 SL, 4 SR,
    // 5 BSL, 6 BSR, 7 SW).
    ControlArray<ruqSlider> DelaySlider;
    ControlArray<ImageControl> DelayLeft;
    ControlArray<ImageControl> DelayRight;
    ControlArray<Label> DelayLab;
    // Speaker sizes: Frame3(0) front, (1) centre, (2) surround, (3) back.
    ControlArray<Frame> Frame3;
    OptionGroup SPKLR_Opt;
    OptionGroup SPKC_Opt;
    OptionGroup SPKSLSR_Opt;
    OptionGroup SPKBSLSR_Opt;
    // Crossover lists in the same group order.
    ControlArray<ComboBox> Combo2;
    Frame* Frame7 = nullptr;  // "Sub Woofer"
    OptionGroup Sub_Opt;
    Frame* Frame17 = nullptr;  // "POWER"
    OptionGroup Option2;
    ControlArray<CommandButton> Command2;  // UP, LEFT, ENTER, RIGHT, DOWN, OSD
    Frame* Frame6 = nullptr;               // "Dynamic"
    OptionGroup Dynamic_Opt;
    Frame* Frame4 = nullptr;  // "Testtone"
    OptionGroup Test_Opt;
    Frame* Frame5 = nullptr;  // "Manual Test"
    OptionGroup Test_CH_Opt;

  private:
    PrivateDesign& w_;
};

}  // namespace calvetta
