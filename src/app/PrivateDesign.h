#pragma once
// The main window: the top bar, the three pages, the timers, the serial
// control and the shared state of the link and the equaliser. Handlers keep
// the names of the controls and events they serve, so a frame can be followed
// from the click to the wire.

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/FormControls.h"
#include "app/Tables.h"
#include "link/FrameSender.h"
#include "link/ReplyReceiver.h"

namespace calvetta {

class DebugForm;
class EqDesign;
class ruqSlider;
class Dialogs;
class SerialControl;

// What the window needs of its surroundings; tests hand in fakes.
struct WindowServices {
    SerialControl* port = nullptr;   // the serial control UARTCOM
    Dialogs* dialogs = nullptr;      // message boxes and file dialogs
    std::function<void(int)> pause;  // blocking pause in ms
    QString programFolder;           // the executable's folder
};

class PrivateDesign : public QWidget {
    Q_OBJECT
  public:
    explicit PrivateDesign(WindowServices services, QWidget* parent = nullptr);
    ~PrivateDesign() override;

    // Runs the load step, then shows the window centred on the screen.
    void Show();

    // ---- Load and unload -------------------------------------------------
    void Form_Load();
    void Form_Unload();
    void Command1_Click();
    void LoadIniSettings();

    // ---- Top bar and pages -----------------------------------------------
    void Menu_Cmd_Click(int Index);
    void Option1_Click(int Index);

    // ---- Link --------------------------------------------------------------
    void SendPacket() { sender_.SendPacket(); }
    void EventTimer_Timer();
    void UARTCOM_OnComm();
    void ConnectCmd_Click();
    void Read_Timer_Timer();
    // The port went away while open (unplugged adapter, hang-up).
    void PortLost();
    // The reply actions: one valid reply (ReplyCode F0h or 01h) applied to the
    // window while SendEnabled is false. RxPayload(1) is the ParamId.
    virtual void ApplyReply(const RxPayloadBytes& RxPayload);

    // ---- EQ Design page (src/eq) -------------------------------------------
    EqDesign& Eq() { return *eq_; }

    // ---- Main Panel page handlers (src/settings) ----------------------------
    // Volume and trims (Index 0 master, 1 to 8 the trim of channel Index - 1).
    void VOLSlider_ValueChanged(int Index);
    // The step arrows beside each level; only Index and Button (1 left) count.
    void VOLLeft_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void VOLLeft_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void VOLRight_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void VOLRight_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void MuteCheck_Click();
    // The click handler of all eight phase pairs: the clicked pair does not
    // matter, the whole mask is rebuilt and sent.
    void ChannelPhase_Click(int Index);
    // The eight phase pairs in ChannelIndex order (FL, CEN, FR, SL, SR, BSL, BSR, SW).
    std::array<OptionGroup*, 8> PhasePairs();
    void Input_Cmd_Click(int Index);
    void Input_Cmd1_Click(int Index);
    void Mode_Cmd_Click(int Index);
    // Menu_Cmd 7, 8, 9: the 7.1, 5.1 and 2.1 speaker layouts.
    void SpeakerLayout_Click(int Index);

    // ---- Setup page handlers (src/settings) ---------------------------------
    // Channel delays (Delays.cpp).
    void DelaySlider_ValueChanged(int Index);
    void DelayLeft_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void DelayLeft_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void DelayRight_MouseDown(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void DelayRight_MouseUp(int Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    // Speaker sizes, subwoofer and crossovers (Speakers.cpp).
    void SPKLR_Opt_Click(int Index);
    void SPKC_Opt_Click(int Index);
    void SPKSLSR_Opt_Click(int Index);
    void SPKBSLSR_Opt_Click(int Index);
    void Sub_Opt_Click(int Index);
    void Combo2_Click(int Index);
    // Power, remote keys and dynamic range (Keys.cpp).
    void Option2_Click(int Index);
    void Command2_Click(int Index);
    void Dynamic_Opt_Click(int Index);
    // Test tones (TestTone.cpp).
    void Test_Opt_Click(int Index);
    void Test_CH_Opt_Click(int Index);

    // ---- Shared state (plain data, reached by the handlers directly) -------
    FrameSender& sender() { return sender_; }
    std::array<std::uint8_t, 9>& SendBuf() { return sender_.SendBuf; }
    LinkState& link() { return sender_.link(); }
    LookupTables& tables() { return tables_; }
    ReplyReceiver& receiver() { return receiver_; }
    DebugForm* debugForm() const { return debugForm_.get(); }
    const WindowServices& services() const { return services_; }

    std::int32_t ReadProgress = 0;
    std::uint8_t EqSlot = 1;
    std::uint8_t EqCopySrcChannel = 250;
    std::uint8_t EqPasteDstChannel = 251;
    std::uint8_t CurChannel = 0;
    std::uint8_t CurBand = 1;
    std::uint8_t SourceFunction = 0;
    std::uint8_t ReadStep = 0;
    std::uint8_t ReadChannel = 0;

    // ---- Controls ----------------------------------------------------------
    PictureBox* Picture1 = nullptr;     // top bar
    PictureBox* Picture2 = nullptr;     // Main Panel page
    PictureBox* Picture5 = nullptr;     // EQ Design page
    PictureBox* Picture6 = nullptr;     // Setup page
    CommandButton* Command1 = nullptr;  // hidden reload button
    ControlArray<CommandButton> Menu_Cmd;
    Frame* Frame16 = nullptr;
    OptionGroup Option1;
    ControlArray<Label> Label2;
    ComboBox* Com_Combo1 = nullptr;
    CommandButton* ConnectCmd = nullptr;
    Label* ConnectLab = nullptr;
    ControlArray<ComboBox> Combo2;
    ImageControl* RightBright = nullptr;
    ImageControl* RightGray = nullptr;
    ImageControl* LeftGray = nullptr;
    ImageControl* LeftBright = nullptr;
    FormTimer* EventTimer = nullptr;
    FormTimer* Read_Timer = nullptr;
    ProgressBar* Status_Bar = nullptr;
    SerialControl* UARTCOM = nullptr;

    // ---- Main Panel page controls -------------------------------------------
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

    // ---- Setup page controls ------------------------------------------------
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

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildTopBar();
    void BuildPages();
    void BuildMainPanelPage();  // src/settings: the Main Panel page's controls
    void BuildSetupPage();      // src/settings: the Setup page's controls
    void ShowDebugFormIfSwitchedOn();
    void WireLink();
    void ShowLinkDown();

    WindowServices services_;
    FrameSender sender_;
    LookupTables tables_;
    ReplyReceiver receiver_{sender_.link()};
    std::unique_ptr<DebugForm> debugForm_;
    std::unique_ptr<EqDesign> eq_;
    bool unloaded_ = false;
};

}  // namespace calvetta
