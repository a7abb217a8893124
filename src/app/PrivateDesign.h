#pragma once
// The main window's shell: the top bar (page tabs, language, port list,
// Connect, link label), page switching, System Reset, the load and unload
// steps, and the link with its shared state (SendBuf, sequence, flags), the
// reply tick and the read-back. Each page is a unit of its own folder that
// the window owns and that the reply actions, the settings loader and the
// reset reach it through: Main() (src/settings), Setup() (src/settings) and
// Eq() (src/eq). Handlers keep the names of the controls and events they
// serve, so a frame can be followed from the click to the wire.

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
class MainPanel;
class SetupPage;
class Dialogs;
class KeyboardFocus;
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
    void Form_Load();

    // ---- The pages ---------------------------------------------------------
    MainPanel& Main() { return *main_; }    // src/settings
    SetupPage& Setup() { return *setup_; }  // src/settings
    EqDesign& Eq() { return *eq_; }         // src/eq
    // Tabs 0 to 2 switch pages, 3 is System Reset, 7 to 9 the speaker layouts.
    void Menu_Cmd_Click(int Index);

    // ---- The link ----------------------------------------------------------
    // The handlers fill SendBuf with one of the shapes of link/Frames.h, then
    // call SendPacket.
    std::array<std::uint8_t, 9>& SendBuf() { return sender_.SendBuf; }
    void SendPacket() { sender_.SendPacket(); }
    FrameSender& sender() { return sender_; }
    LinkState& link() { return sender_.link(); }
    LookupTables& tables() { return tables_; }
    DebugForm* debugForm() const { return debugForm_.get(); }
    const WindowServices& services() const { return services_; }
    // The reply actions: one valid reply (ReplyCode F0h or 01h) applied to the
    // pages while SendEnabled is false. RxPayload(1) is the ParamId.
    void ApplyReply(const RxPayloadBytes& RxPayload);

    // ---- Controls of the window --------------------------------------------
    // One array over three containers: the tabs 0 to 2 on the top bar, System
    // Reset 3 on the Setup page, the layouts 7 to 9 on the Main Panel page.
    ControlArray<CommandButton> Menu_Cmd;
    OptionGroup Option1;  // the caption language: 0 Chinese, 1 English
    // The window's elements of Label2 (the pages hold the rest): 8 the
    // read-back's caption on the Main Panel page, 21 the hidden version.
    ControlArray<Label> Label2;
    ComboBox* Com_Combo1 = nullptr;  // the port list
    CommandButton* ConnectCmd = nullptr;
    Label* ConnectLab = nullptr;
    CommandButton* Command1 = nullptr;  // hidden reload button
    ProgressBar* Status_Bar = nullptr;  // the read-back's, on the Main Panel page
    FormTimer* EventTimer = nullptr;    // the 10 ms reply tick
    FormTimer* Read_Timer = nullptr;    // the read-back's tick
    std::uint8_t ReadStep = 0;          // the read-back's next query
    PictureBox* Picture5 = nullptr;     // the EQ Design page
    // Hidden picture sources of the step arrows; every page's arrows take
    // their pictures from here.
    ImageControl* RightBright = nullptr;
    ImageControl* RightGray = nullptr;
    ImageControl* LeftGray = nullptr;
    ImageControl* LeftBright = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Tab, Shift+Tab and the arrows on a button move the focus only to
    // controls in sight (platform/KeyboardFocus.h).
    bool focusNextPrevChild(bool next) override;

  private:
    // ---- Load and unload ---------------------------------------------------
    void Form_Unload();
    void Command1_Click();
    void LoadIniSettings();  // SettingsLoader.cpp
    void ShowDebugFormIfSwitchedOn();
    // ---- Top bar and pages -------------------------------------------------
    void Option1_Click(int Index);
    void BuildTopBar();
    void BuildPages();
    void SystemReset();  // Menu_Cmd 3, after a confirmation (SystemReset.cpp)
    // ---- Link (src/link/Connection.cpp) ------------------------------------
    void WireLink();
    void EventTimer_Timer();
    void UARTCOM_OnComm();
    void ConnectCmd_Click();
    void Read_Timer_Timer();
    // The port went away while open (unplugged adapter, hang-up).
    void PortLost();
    void ShowLinkDown();

    PictureBox* Picture1 = nullptr;  // top bar
    PictureBox* Picture2 = nullptr;  // Main Panel page
    PictureBox* Picture6 = nullptr;  // Setup page
    Frame* Frame16 = nullptr;        // the language options
    SerialControl* UARTCOM = nullptr;
    std::int32_t ReadProgress = 0;
    std::uint8_t ReadChannel = 0;

    WindowServices services_;
    FrameSender sender_;
    LookupTables tables_;
    ReplyReceiver receiver_{sender_.link()};
    std::unique_ptr<DebugForm> debugForm_;
    std::unique_ptr<MainPanel> main_;
    std::unique_ptr<SetupPage> setup_;
    std::unique_ptr<EqDesign> eq_;
    KeyboardFocus* keyboard_ = nullptr;
    bool unloaded_ = false;
};

}  // namespace calvetta
