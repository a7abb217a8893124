#include "app/PrivateDesign.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include "app/Captions.h"
#include "app/Pictures.h"
#include "eq/EqDesign.h"
#include "link/DebugForm.h"
#include "platform/KeyboardFocus.h"
#include "platform/SerialControl.h"
#include "settings/MainPanel.h"
#include "settings/SetupPage.h"

namespace calvetta {

namespace {
// Client area of the window, in twips.
constexpr int kClientWidth = 12705;
constexpr int kClientHeight = 8025;
// Hidden pages are moved this far out of the client area.
constexpr int kAway = 14800;
// Where the shown page sits.
constexpr int kPageTop = 480;
}  // namespace

PrivateDesign::PrivateDesign(WindowServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
    setWindowTitle(QStringLiteral("RV-514KV05"));
    setWindowIcon(MakeWindowIcon());
    // The layout is fixed in twips: the window is not resized.
    setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));

    UARTCOM = services_.port;
    sender_.setWriter([this](std::span<const std::uint8_t> frame) {
        if (UARTCOM == nullptr) return false;
        return UARTCOM->Output(QByteArray(reinterpret_cast<const char*>(frame.data()),
                                          static_cast<qsizetype>(frame.size())));
    });
    sender_.setPause([this](int ms) {
        if (services_.pause) services_.pause(ms);
    });
    sender_.setLogShown([this](std::string_view line) {
        if (debugForm_) debugForm_->ShowSentLine(line);
    });
    sender_.setWriteFailed([this] { ShowLinkDown(); });

    // Hidden picture sources of the step arrows; the pages' arrows take
    // their gray pictures from here.
    auto hiddenImage = [this](ArrowKind kind) {
        return HiddenPicture(MakeArrowPicture(kind), this);
    };
    RightBright = hiddenImage(ArrowKind::RightBright);
    RightGray = hiddenImage(ArrowKind::RightGray);
    LeftGray = hiddenImage(ArrowKind::LeftGray);
    LeftBright = hiddenImage(ArrowKind::LeftBright);

    BuildPages();
    BuildTopBar();

    Command1 = new CommandButton(QStringLiteral("Command1"), this);
    SetTwipsGeometry(Command1, 15120, 0, 375, 615);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    // The keys reach only what the user sees, and the hidden reload button,
    // which the keyboard reaches outside the client area.
    keyboard_ = new KeyboardFocus(this);
    keyboard_->allowOutOfSight(Command1);

    EventTimer = new FormTimer(10, this);
    Read_Timer = new FormTimer(80, this);
    WireLink();
}

PrivateDesign::~PrivateDesign() = default;

void PrivateDesign::BuildTopBar() {
    Picture1 = new PictureBox(this);
    SetTwipsGeometry(Picture1, 0, 0, 12615, 495);

    const std::array<const char*, 3> tabs = {"Main Panel", "EQ Design", "Setup"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new CommandButton(QString::fromUtf8(tabs[static_cast<std::size_t>(i)]), Picture1);
        SetTwipsGeometry(b, i * 1800, 0, 1695, 375);
        Menu_Cmd.add(i, b);
    }
    Menu_Cmd(0)->setBackColor(vbRed);

    Frame16 = new Frame(QString(), Picture1);
    SetTwipsGeometry(Frame16, 5400, 0, 2010, 450);
    SetTwipsGeometry(Option1.add(0, QStringLiteral("中文"), Frame16), 75, 105, 780, 285);
    SetTwipsGeometry(Option1.add(1, QStringLiteral("English"), Frame16), 870, 105, 1095, 285);
    Option1.setHandler([this](int index) { Option1_Click(index); });

    auto* version = new Label(QStringLiteral("Ver:15.01.07"), Picture1);
    SetTwipsGeometry(version, 7320, 120, 1455, 255);
    version->hide();
    Label2.add(21, version);

    Com_Combo1 = new ComboBox(Picture1);
    SetTwipsGeometry(Com_Combo1, 9000, 30, 1095, 330);
    Com_Combo1->setText(QStringLiteral("COM1"));

    ConnectCmd = new CommandButton(QStringLiteral("Connect"), Picture1);
    SetTwipsGeometry(ConnectCmd, 10200, 0, 1215, 375);

    ConnectLab = new Label(QStringLiteral("Succeed/Unsuccess"), Picture1);
    SetTwipsGeometry(ConnectLab, 11520, 75, 1095, 255);
    ConnectLab->setForeColor(vbRed);

    for (const auto& [index, button] : Menu_Cmd.items()) {
        connect(button, &QPushButton::clicked, this, [this, i = index] { Menu_Cmd_Click(i); });
    }
}

void PrivateDesign::BuildPages() {
    // Design order: Main Panel, Setup, EQ Design; the Main Panel lies in front
    // of the EQ Design page where the two overlap at start.
    Picture2 = new PictureBox(this);
    SetTwipsGeometry(Picture2, 0, 600, 12650, 7455);
    Picture6 = new PictureBox(this);
    SetTwipsGeometry(Picture6, 12720, 600, 12650, 7335);
    Picture5 = new PictureBox(this);
    SetTwipsGeometry(Picture5, 0, 2400, 12650, 8295);
    Picture2->raise();

    // The window's controls on the pages, made before the pages' own: the
    // speaker-layout buttons, the read-back's label and progress bar on the
    // Main Panel, the reset button on Setup.
    const std::array<std::pair<int, int>, 3> layouts = {{{7, 4476}, {8, 4080}, {9, 3700}}};
    for (const auto& [index, top] : layouts) {
        auto* b = new CommandButton(QStringLiteral("%1 Mode").arg(index == 7   ? "7.1"
                                                                  : index == 8 ? "5.1"
                                                                               : "2.1"),
                                    Picture2);
        SetTwipsGeometry(b, 120, top, 1695, 340);
        Menu_Cmd.add(index, b);
    }
    auto* reading = new Label(QStringLiteral("Reading from the machine……"), Picture2);
    SetTwipsGeometry(reading, 120, 6600, 4215, 285);
    reading->hide();
    Label2.add(8, reading);
    Status_Bar = new ProgressBar(Picture2);
    SetTwipsGeometry(Status_Bar, 120, 6960, 11415, 375);
    Status_Bar->setRange(0, 470);
    Status_Bar->hide();

    auto* reset = new CommandButton(QStringLiteral(" System Reset"), Picture6);
    SetTwipsGeometry(reset, 11160, 6480, 1215, 735);
    Menu_Cmd.add(3, reset);

    main_ = std::make_unique<MainPanel>(*this, Picture2);
    setup_ = std::make_unique<SetupPage>(*this, Picture6);
    eq_ = std::make_unique<EqDesign>(*this, Picture5);
}

void PrivateDesign::Show() {
    Form_Load();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
}

void PrivateDesign::Form_Load() {
    // 1-2. Link and editing state.
    link().OsdMode = false;
    link().SendEnabled = true;
    ReadProgress = 0;
    eq_->EqSlot = 1;

    // 3. Debug switch.
    ShowDebugFormIfSwitchedOn();

    // 4. Nothing copied, nowhere to paste.
    eq_->EqCopySrcChannel = 250;
    eq_->EqPasteDstChannel = 251;

    // 5. Lookup tables, in this order.
    tables_.BuildFreqTable();
    tables_.BuildFreqText();
    tables_.BuildQLabel();
    tables_.BuildOctTables();
    tables_.BuildFormatName();
    tables_.ClearBandCoef();
    tables_.BuildCurveFreq();
    tables_.BuildCurveX();

    // 6. Link closed, FL band 1.
    link().Connected = 0;
    eq_->CurChannel = 0;
    eq_->CurBand = 1;

    // 7. Crossover texts.
    tables_.BuildXoverLabel();

    // 8. Port list: the fifteen names, whatever ports exist.
    Com_Combo1->Clear();
    for (int n = 1; n <= 15; ++n)
        Com_Combo1->AddItem(QStringLiteral("COM%1").arg(n));
    Com_Combo1->setText(QStringLiteral("COM1"));

    // 9. Link label.
    ConnectLab->setText(QStringLiteral("Unsuccess"));
    ConnectLab->setForeColor(vbRed);

    // 10. Crossover lists; setting the text runs no click handler.
    for (int k = 0; k < 4; ++k) {
        ComboBox* combo = Setup().Combo2(k);
        combo->Clear();
        for (const std::string& text : tables_.XoverLabel) {
            combo->AddItem(QString::fromStdString(text));
        }
        combo->setText(QString::fromStdString(tables_.XoverLabel[4]));
    }

    // 11. Starting settings (every command is dropped: the port is closed).
    LoadIniSettings();
    // The EQ page starts on FL's band 1 as stored, as selecting FL shows it:
    // sliders, labels, handles and the curve of FL's bands. Left on the
    // sliders' design values, a first slider move would send a band at
    // -20 dB and 0.1 octave that nobody set.
    eq_->Channel_Opt_Click(0);

    // 12. The reply timer starts only now.
    EventTimer->setEnabled(true);

    // 13. Chinese captions.
    Option1.select(0);
}

void PrivateDesign::ShowDebugFormIfSwitchedOn() {
    // Only a normal file counts: a directory or a hidden file of that name
    // does not.
    const QFileInfo debugSwitch(services_.programFolder + QStringLiteral("/Debug.txt"));
    if (debugSwitch.exists() && debugSwitch.isFile() && !debugSwitch.isHidden()) {
        link().DebugOn = true;
        sender_.ClearDebugLog();
        debugForm_ = std::make_unique<DebugForm>(sender_);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            debugForm_->move(screen->availableGeometry().topLeft() + QPoint(8, 8));
        }
        debugForm_->show();
    } else {
        link().DebugOn = false;
    }
}

void PrivateDesign::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    // The debug window goes with the main window; nothing is saved.
    if (debugForm_) {
        debugForm_->close();
        debugForm_.reset();
    }
}

void PrivateDesign::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void PrivateDesign::Command1_Click() {
    LoadIniSettings();
}

bool PrivateDesign::focusNextPrevChild(bool next) {
    return keyboard_->focusNext(next);
}

void PrivateDesign::Option1_Click(int /*Index*/) {
    // The selected option is the language; nothing is sent or stored.
    ApplyCaptions(*this, Option1.value(0));
}

void PrivateDesign::Menu_Cmd_Click(int Index) {
    auto page = [](PictureBox* p, int left, int top) {
        SetLeft(p, left);
        SetTop(p, top);
    };
    auto tabs = [this](int red, int face1, int face2) {
        Menu_Cmd(red)->setBackColor(vbRed);
        Menu_Cmd(face1)->setBackColor(vbButtonFace);
        Menu_Cmd(face2)->setBackColor(vbButtonFace);
        // A focus left on a page that went away moves to a control in sight.
        keyboard_->keepInSight();
    };
    switch (Index) {
        case 0:  // Main Panel
            page(Picture2, 0, kPageTop);
            page(Picture5, 0, kAway);
            page(Picture6, kAway, kPageTop);
            tabs(0, 1, 2);
            break;
        case 1:  // EQ Design
            page(Picture5, 0, kPageTop);
            page(Picture2, 0, kAway);
            page(Picture6, kAway, kPageTop);
            tabs(1, 0, 2);
            break;
        case 2:  // Setup
            page(Picture6, 0, kPageTop);
            page(Picture5, 0, kAway);
            page(Picture2, kAway, kPageTop);
            tabs(2, 1, 0);
            break;
        case 3:  // System Reset
            SystemReset();
            break;
        case 7:  // 7.1 Mode
        case 8:  // 5.1 Mode
        case 9:  // 2.1 Mode
            Main().SpeakerLayout_Click(Index);
            break;
        default:
            // Indices without a button do nothing.
            break;
    }
}

}  // namespace calvetta
