// Channel delays: a distance of 0.0 to 10.0 m per output channel, one step
// of the slider a tenth of a metre. Every new value rewrites the row's label
// and goes to the device at once.

#include "app/PrivateDesign.h"
#include "link/Protocol.h"
#include "slider/ruqSlider.h"

namespace calvetta {

namespace {
constexpr std::int16_t kLeftButton = 1;
}  // namespace

void PrivateDesign::DelaySlider_ValueChanged(int Index) {
    ruqSlider* slider = DelaySlider(Index);
    if (slider == nullptr) return;
    // "2.9m" for 29: whole metres, a point, the tenths, no blank.
    const int v = slider->Value();
    const QString whole = v > 9 ? QString::number(v).chopped(1) : QStringLiteral("0");
    DelayLab(Index)->setText(whole + QLatin1Char('.') + QString::number(v % 10) + QLatin1Char('m'));

    auto& buf = SendBuf();
    buf[0] = 4;
    buf[1] = OpSet;
    buf[2] = Id(ParamId::ChannelDelay);
    buf[3] = static_cast<std::uint8_t>(Index);
    buf[4] = static_cast<std::uint8_t>(slider->Value());
    SendPacket();
}

// The arrows: bright while pressed, gray again on release, which moves the
// slider one step while it is inside its range. Holding does not repeat.
void PrivateDesign::DelayLeft_MouseDown(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                        float /*X*/, float /*Y*/) {
    if (Button != kLeftButton || !DelayLeft.contains(Index)) return;
    DelayLeft(Index)->setPicture(LeftBright->Picture());
}

void PrivateDesign::DelayLeft_MouseUp(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                      float /*X*/, float /*Y*/) {
    if (Button != kLeftButton || !DelayLeft.contains(Index)) return;
    DelayLeft(Index)->setPicture(LeftGray->Picture());
    ruqSlider* slider = DelaySlider(Index);
    if (slider->Value() > slider->Min()) slider->setValue(slider->Value() - 1);
}

void PrivateDesign::DelayRight_MouseDown(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                         float /*X*/, float /*Y*/) {
    if (Button != kLeftButton || !DelayRight.contains(Index)) return;
    DelayRight(Index)->setPicture(RightBright->Picture());
}

void PrivateDesign::DelayRight_MouseUp(int Index, std::int16_t Button, std::int16_t /*Shift*/,
                                       float /*X*/, float /*Y*/) {
    if (Button != kLeftButton || !DelayRight.contains(Index)) return;
    DelayRight(Index)->setPicture(RightGray->Picture());
    ruqSlider* slider = DelaySlider(Index);
    if (slider->Value() < slider->Max()) slider->setValue(slider->Value() + 1);
}

}  // namespace calvetta
