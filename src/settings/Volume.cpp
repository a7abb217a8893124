// Master volume, the eight channel trims and mute. The controls are the
// state: every change rewrites its label and sends one command at once.

#include "app/PrivateDesign.h"
#include "link/Protocol.h"
#include "slider/ruqSlider.h"

namespace calvetta {

namespace {
constexpr std::int16_t kLeftButton = 1;
}  // namespace

void PrivateDesign::VOLSlider_ValueChanged(int Index) {
    ruqSlider* slider = VOLSlider(Index);
    if (slider == nullptr) return;
    auto& buf = SendBuf();
    if (Index == 0) {
        // The master ends at 0 dB, so it never carries a "+".
        VOLLab(0)->setText(QStringLiteral("%1 dB").arg(slider->Value()));
        buf[0] = 3;
        buf[1] = OpSet;
        buf[2] = Id(ParamId::MasterVolume);
        buf[3] = VolumeByte(slider->Value());
    } else {
        const int v = slider->Value();
        VOLLab(Index)->setText(v > 0 ? QStringLiteral("+%1 dB").arg(v)
                                     : QStringLiteral("%1 dB").arg(v));
        buf[0] = 4;
        buf[1] = OpSet;
        buf[2] = Id(ParamId::ChannelTrim);
        buf[3] = static_cast<std::uint8_t>(Index - 1);
        buf[4] = VolumeByte(slider->Value());
    }
    SendPacket();
}

// The arrows show the bright picture while the left button is down and step
// the slider once on its release, only while the slider has room to move.
void PrivateDesign::VOLLeft_MouseDown(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                      float /*X*/, float /*Y*/) {
    if (Button != kLeftButton || !VOLLeft.contains(Index)) return;
    VOLLeft(Index)->setPicture(LeftBright->Picture());
}

void PrivateDesign::VOLLeft_MouseUp(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                    float /*X*/, float /*Y*/) {
    if (Button != kLeftButton || !VOLLeft.contains(Index)) return;
    VOLLeft(Index)->setPicture(LeftGray->Picture());
    ruqSlider* slider = VOLSlider(Index);
    if (slider->Value() > slider->Min()) slider->setValue(slider->Value() - 1);
}

void PrivateDesign::VOLRight_MouseDown(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                       float /*X*/, float /*Y*/) {
    if (Button != kLeftButton || !VOLRight.contains(Index)) return;
    VOLRight(Index)->setPicture(RightBright->Picture());
}

void PrivateDesign::VOLRight_MouseUp(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                     float /*X*/, float /*Y*/) {
    if (Button != kLeftButton || !VOLRight.contains(Index)) return;
    VOLRight(Index)->setPicture(RightGray->Picture());
    ruqSlider* slider = VOLSlider(Index);
    if (slider->Value() < slider->Max()) slider->setValue(slider->Value() + 1);
}

void PrivateDesign::MuteCheck_Click() {
    auto& buf = SendBuf();
    buf[0] = 3;
    buf[1] = OpSet;
    buf[2] = Id(ParamId::MuteState);
    if (MuteCheck->Value() == 1) {
        MuteCheck->setForeColor(vbRed);
        buf[3] = 1;
    } else {
        MuteCheck->setForeColor(vbBlack);
        buf[3] = 0;
    }
    SendPacket();
}

}  // namespace calvetta
