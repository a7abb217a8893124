// Master volume, the eight channel trims and mute. The controls are the
// state: every change rewrites its label and sends one command at once.

#include "app/PrivateDesign.h"
#include "app/StepArrow.h"
#include "link/Frames.h"
#include "slider/ruqSlider.h"

namespace calvetta {

void PrivateDesign::VOLSlider_ValueChanged(int Index) {
    ruqSlider* slider = VOLSlider(Index);
    if (slider == nullptr) return;
    if (Index == 0) {
        // The master ends at 0 dB, so it never carries a "+".
        VOLLab(0)->setText(QStringLiteral("%1 dB").arg(slider->Value()));
        FillSet(SendBuf(), ParamId::MasterVolume, VolumeByte(slider->Value()));
    } else {
        const int v = slider->Value();
        VOLLab(Index)->setText(v > 0 ? QStringLiteral("+%1 dB").arg(v)
                                     : QStringLiteral("%1 dB").arg(v));
        FillChannelSet(SendBuf(), ParamId::ChannelTrim, static_cast<std::uint8_t>(Index - 1),
                       VolumeByte(slider->Value()));
    }
    SendPacket();
}

// The arrows beside each slider step it once per click (StepArrow.h).
void PrivateDesign::VOLLeft_MouseDown(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                      float /*X*/, float /*Y*/) {
    StepArrowPressed(VOLLeft(Index), LeftBright, Button);
}

void PrivateDesign::VOLLeft_MouseUp(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                    float /*X*/, float /*Y*/) {
    StepArrowReleased(VOLLeft(Index), LeftGray, VOLSlider(Index), -1, Button);
}

void PrivateDesign::VOLRight_MouseDown(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                       float /*X*/, float /*Y*/) {
    StepArrowPressed(VOLRight(Index), RightBright, Button);
}

void PrivateDesign::VOLRight_MouseUp(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                     float /*X*/, float /*Y*/) {
    StepArrowReleased(VOLRight(Index), RightGray, VOLSlider(Index), +1, Button);
}

void PrivateDesign::MuteCheck_Click() {
    if (MuteCheck->Value() == 1) {
        MuteCheck->setForeColor(vbRed);
        FillSet(SendBuf(), ParamId::MuteState, 1);
    } else {
        MuteCheck->setForeColor(vbBlack);
        FillSet(SendBuf(), ParamId::MuteState, 0);
    }
    SendPacket();
}

}  // namespace calvetta
