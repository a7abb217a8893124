// Channel delays: a distance of 0.0 to 10.0 m per output channel, one step
// of the slider a tenth of a metre. Every new value rewrites the row's label
// and goes to the device at once.

#include "settings/SetupPage.h"

#include "app/PrivateDesign.h"
#include "app/StepArrow.h"
#include "link/Frames.h"
#include "slider/ruqSlider.h"

namespace calvetta {

void SetupPage::DelaySlider_ValueChanged(int Index) {
    ruqSlider* slider = DelaySlider(Index);
    if (slider == nullptr) return;
    // "2.9m" for 29: whole metres, a point, the tenths, no blank.
    const int v = slider->Value();
    const QString whole = v > 9 ? QString::number(v).chopped(1) : QStringLiteral("0");
    DelayLab(Index)->setText(whole + QLatin1Char('.') + QString::number(v % 10) + QLatin1Char('m'));

    FillChannelSet(w_.SendBuf(), ParamId::ChannelDelay, static_cast<std::uint8_t>(Index),
                   static_cast<std::uint8_t>(slider->Value()));
    w_.SendPacket();
}

// The arrows beside each slider step it once per click (StepArrow.h).
void SetupPage::DelayLeft_MouseDown(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                    float /*X*/, float /*Y*/) {
    StepArrowPressed(DelayLeft(Index), w_.LeftBright, Button);
}

void SetupPage::DelayLeft_MouseUp(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                  float /*X*/, float /*Y*/) {
    StepArrowReleased(DelayLeft(Index), w_.LeftGray, DelaySlider(Index), -1, Button);
}

void SetupPage::DelayRight_MouseDown(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                     float /*X*/, float /*Y*/) {
    StepArrowPressed(DelayRight(Index), w_.RightBright, Button);
}

void SetupPage::DelayRight_MouseUp(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                   float /*X*/, float /*Y*/) {
    StepArrowReleased(DelayRight(Index), w_.RightGray, DelaySlider(Index), +1, Button);
}

}  // namespace calvetta
