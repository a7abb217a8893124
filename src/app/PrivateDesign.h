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

    // ---- Main Panel page handlers (src/settings/MainPanel*.cpp) -------------

    // ---- end of Main Panel page handlers ------------------------------------

    // ---- Setup page handlers (src/settings/Setup*.cpp) ----------------------

    // ---- end of Setup page handlers -----------------------------------------

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

    // ---- end of Main Panel page controls ------------------------------------

    // ---- Setup page controls ------------------------------------------------

    // ---- end of Setup page controls -----------------------------------------

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
    bool unloaded_ = false;
};

}  // namespace calvetta
