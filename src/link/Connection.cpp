// Connecting, the read-back of the device's state, and the receive side as
// the window drives it: the serial control's receive event and the 10 ms
// reply timer.

#include <QDebug>
#include <optional>

#include "app/PrivateDesign.h"
#include "link/DebugForm.h"
#include "link/Frames.h"
#include "platform/SerialControl.h"
#include "settings/MainPanel.h"

namespace calvetta {

namespace {

// The port number of a port-list text: everything after its first three
// characters ("COM7" gives 7), as a whole number 1 to 255.
std::optional<int> PortNumberFromText(const QString& text) {
    if (text.size() <= 3) return std::nullopt;
    const QString rest = text.mid(3).trimmed();
    if (rest.isEmpty()) return std::nullopt;
    for (const QChar c : rest) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    }
    bool ok = false;
    const int n = rest.toInt(&ok);
    if (!ok || n < 1 || n > 255) return std::nullopt;
    return n;
}

constexpr int kOpenPauseMs = 100;
constexpr int kLastProgress = 47;
constexpr int kReadDone = 18;

}  // namespace

void PrivateDesign::WireLink() {
    ReceiverHooks hooks;
    hooks.inBufferCount = [this] { return UARTCOM->InBufferCount(); };
    hooks.takeInput = [this](std::vector<std::uint8_t>& chunk) {
        const QByteArray bytes = UARTCOM->Input();
        chunk.assign(bytes.begin(), bytes.end());
    };
    hooks.timerEnabled = [this] { return EventTimer->Enabled(); };
    hooks.setTimerEnabled = [this](bool on) { EventTimer->setEnabled(on); };
    hooks.setTimerInterval = [this](int ms) { EventTimer->setInterval(ms); };
    hooks.echo = [this](std::string_view line) {
        if (debugForm_) debugForm_->AppendReceivedLine(line);
    };
    hooks.apply = [this](const RxPayloadBytes& payload) { ApplyReply(payload); };
    hooks.error = [](std::string_view what) {
        qWarning("A reply could not be applied: %.*s", static_cast<int>(what.size()), what.data());
    };
    receiver_.setHooks(std::move(hooks));

    connect(EventTimer, &FormTimer::Timer, this, [this] { EventTimer_Timer(); });
    connect(Read_Timer, &FormTimer::Timer, this, [this] { Read_Timer_Timer(); });
    connect(ConnectCmd, &QPushButton::clicked, this, [this] { ConnectCmd_Click(); });
    if (UARTCOM != nullptr) {
        connect(UARTCOM, &SerialControl::OnComm, this, [this] { UARTCOM_OnComm(); });
        connect(UARTCOM, &SerialControl::PortLost, this, [this] { PortLost(); });
    }
}

void PrivateDesign::UARTCOM_OnComm() {
    receiver_.UARTCOM_OnComm(UARTCOM->CommEvent());
}

void PrivateDesign::EventTimer_Timer() {
    receiver_.EventTimer_Timer();
}

void PrivateDesign::ShowLinkDown() {
    // Nothing more can be sent: the port is closed and the link shown as down.
    // Connect opens it again once the device is back.
    if (UARTCOM != nullptr && UARTCOM->PortOpen()) UARTCOM->setPortOpen(false);
    link().Connected = 0;
    ConnectLab->setText(QStringLiteral("Unsuccess"));
    ConnectLab->setForeColor(vbRed);
}

void PrivateDesign::PortLost() {
    ShowLinkDown();
}

void PrivateDesign::ConnectCmd_Click() {
    if (UARTCOM == nullptr) return;
    // An open port stays in use whatever the text now says, so a text that
    // names no port 1 to 255 is refused only when a port is to be opened.
    if (!UARTCOM->PortOpen()) {
        const std::optional<int> port = PortNumberFromText(Com_Combo1->Text());
        if (!port) {
            ShowLinkDown();
            return;
        }
        UARTCOM->setCommPort(*port > 15 ? 15 : *port);
        UARTCOM->setInputMode(1);
        UARTCOM->setSettings(QStringLiteral("38400,n,8,1"));
        UARTCOM->setPortOpen(true);  // a port that does not open is reported below
        if (services_.pause) services_.pause(kOpenPauseMs);
    }

    if (UARTCOM->PortOpen()) {
        ConnectLab->setText(QStringLiteral("Succeed"));
        ConnectLab->setForeColor(vbGreen);
        UARTCOM->setRThreshold(1);
        link().Connected = 1;
        Read_Timer->setEnabled(true);
        ReadStep = 1;
        Label2(8)->show();
        Status_Bar->show();
        Status_Bar->setValue(10);
        Main().SourceFunction = 255;
    } else {
        ConnectLab->setText(QStringLiteral("Unsuccess"));
        ConnectLab->setForeColor(vbRed);
        link().Connected = 0;
    }
}

void PrivateDesign::Read_Timer_Timer() {
    Read_Timer->setEnabled(false);
    if (ReadProgress < kLastProgress) ++ReadProgress;
    Status_Bar->setValue(ReadProgress * 10);

    auto query = [this](ParamId id) {
        FillQuery(SendBuf(), id);
        SendPacket();
    };
    // Trims and delays are asked for one channel a tick, 0 to 7.
    auto queryChannel = [this](ParamId id, std::uint8_t next) {
        FillChannelQuery(SendBuf(), id, ReadChannel);
        SendPacket();
        if (ReadChannel < 7) {
            ++ReadChannel;
        } else {
            ReadStep = next;
            ReadChannel = 0;
        }
    };

    switch (ReadStep) {
        case 0:
        case 1:
            // The device answers this query with its version.
            query(ParamId::EqPresetSlot);
            ReadStep = 2;
            break;
        case 2:
            query(ParamId::SourceSelect);
            ReadStep = 3;
            break;
        case 3:
            query(ParamId::InputSelect);
            ReadStep = 4;
            break;
        case 4:
            query(ParamId::SpeakerLayout);
            ReadStep = 5;
            break;
        case 5:
            query(ParamId::AudioFormat);
            ReadStep = 6;
            break;
        case 6:
            query(ParamId::SubwooferMode);
            ReadStep = 7;
            break;
        case 7:
            query(ParamId::MuteState);
            ReadStep = 8;
            break;
        case 8:
            query(ParamId::MasterVolume);
            ReadStep = 9;
            break;
        case 9:
            query(ParamId::DynamicMode);
            ReadStep = 10;
            break;
        case 10:
            query(ParamId::SpeakerConfig);
            ReadStep = 11;
            break;
        case 11:
            query(ParamId::Crossover);
            ReadChannel = 0;
            ReadStep = 13;
            break;
        case 13:
            queryChannel(ParamId::ChannelTrim, 14);
            break;
        case 14:
            queryChannel(ParamId::ChannelDelay, 15);
            break;
        case 15:
            query(ParamId::ChannelPhase);
            ReadStep = 17;
            break;
        case 17:
            query(ParamId::ListeningMode);
            ReadStep = kReadDone;
            break;
        default:
            // The read-back is over: the timer stays off.
            Status_Bar->hide();
            Label2(8)->hide();
            return;
    }
    Read_Timer->setEnabled(true);
}

}  // namespace calvetta
