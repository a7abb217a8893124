// Master volume, the eight channel trims and mute. The controls are the
// state: every change rewrites its label and sends one command at once.

#include "settings/MainPanel.h"

#include "app/PrivateDesign.h"
#include "app/StepArrow.h"
#include "link/Frames.h"
#include "slider/ruqSlider.h"

namespace calvetta {

void MainPanel::VOLSlider_ValueChanged(int Index) {
    ruqSlider* slider = VOLSlider(Index);
    if (slider == nullptr) return;
    if (Index == 0) {
        // The master ends at 0 dB, so it never carries a "+".
        VOLLab(0)->setText(QStringLiteral("%1 dB").arg(slider->Value()));
        FillSet(w_.SendBuf(), ParamId::MasterVolume, VolumeByte(slider->Value()));
    } else {
        const int v = slider->Value();
        VOLLab(Index)->setText(v > 0 ? QStringLiteral("+%1 dB").arg(v)
                                     : QStringLiteral("%1 dB").arg(v));
        FillChannelSet(w_.SendBuf(), ParamId::ChannelTrim, static_cast<std::uint8_t>(Index - 1),
                       VolumeByte(slider->Value()));
    }
    w_.SendPacket();
}

// The arrows beside each slider step it once per click (StepArrow.h).
void MainPanel::VOLLeft_MouseDown(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                  float /*X*/, float /*Y*/) {
    StepArrowPressed(VOLLeft(Index), w_.LeftBright, Button);
}

void MainPanel::VOLLeft_MouseUp(int Index, std::int16_t Button, std::int16_t /*Shift*/, float /*X*/,
                                float /*Y*/) {
    StepArrowReleased(VOLLeft(Index), w_.LeftGray, VOLSlider(Index), -1, Button);
}

void MainPanel::VOLRight_MouseDown(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                   float /*X*/, float /*Y*/) {
    StepArrowPressed(VOLRight(Index), w_.RightBright, Button);
}

void MainPanel::VOLRight_MouseUp(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                 float /*X*/, float /*Y*/) {
    StepArrowReleased(VOLRight(Index), w_.RightGray, VOLSlider(Index), +1, Button);
}

void MainPanel::MuteCheck_Click() {
    if (MuteCheck->Value() == 1) {
        MuteCheck->setForeColor(vbRed);
        FillSet(w_.SendBuf(), ParamId::MuteState, 1);
    } else {
        MuteCheck->setForeColor(vbBlack);
        FillSet(w_.SendBuf(), ParamId::MuteState, 0);
    }
    w_.SendPacket();
}

}  // namespace calvetta
