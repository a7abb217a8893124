// The band handles on the graph and the step arrows beside the band sliders.
// Neither stores, draws or sends anything itself: a handle selects its band
// and steps the band's sliders, an arrow steps its slider once per click, and
// the sliders' handlers do the rest. A handle keeps no drag state: each move
// is judged by the pointer's offset from the handle alone.

#include "app/PrivateDesign.h"
#include "app/StepArrow.h"
#include "eq/BandRules.h"
#include "eq/EqDesign.h"
#include "slider/ruqSlider.h"

namespace calvetta {

namespace {

float ToPixels(float twips) {
    return twips / static_cast<float>(kTwipsPerPixel);
}

void Assign(ruqSlider* slider, std::optional<int> value) {
    if (value) slider->setValue(*value);
}

}  // namespace

// ---- Press and release: red while held, the readout shown meanwhile ---------

void EqDesign::BandMid_MouseDown(int Index, std::int16_t Button, std::int16_t, float, float) {
    if (Button != vbLeftButton) return;
    DisplayLbl->show();
    BandMid(Index)->setPicture(BandMidRed->Picture());
    PEQ_Cmd_Click(Index);
}

void EqDesign::BandLeft_MouseDown(int Index, std::int16_t Button, std::int16_t, float, float) {
    if (Button != vbLeftButton) return;
    DisplayLbl->show();
    BandLeft(Index)->setPicture(BandLeftRed->Picture());
    PEQ_Cmd_Click(Index);
}

void EqDesign::BandRight_MouseDown(int Index, std::int16_t Button, std::int16_t, float, float) {
    if (Button != vbLeftButton) return;
    DisplayLbl->show();
    BandRight(Index)->setPicture(BandRightRed->Picture());
    PEQ_Cmd_Click(Index);
}

void EqDesign::BandMid_MouseUp(int Index, std::int16_t Button, std::int16_t, float, float) {
    if (Button != vbLeftButton) return;
    DisplayLbl->hide();
    BandMid(Index)->setPicture(BandMidGreen->Picture());
}

void EqDesign::BandLeft_MouseUp(int Index, std::int16_t Button, std::int16_t, float, float) {
    if (Button != vbLeftButton) return;
    DisplayLbl->hide();
    BandLeft(Index)->setPicture(BandLeftGreen->Picture());
}

void EqDesign::BandRight_MouseUp(int Index, std::int16_t Button, std::int16_t, float, float) {
    if (Button != vbLeftButton) return;
    DisplayLbl->hide();
    BandRight(Index)->setPicture(BandRightGreen->Picture());
}

// ---- Moves with the left button held -----------------------------------------

void EqDesign::BandMid_MouseMove(int Index, std::int16_t Button, std::int16_t, float X, float Y) {
    if (Button != vbLeftButton) return;
    ruqSlider* freq = BandFreqSlider;
    switch (PointerSide(ToPixels(X))) {
        case 1:
            Assign(freq, StepUp(freq->Value(), freq->Max(), 4));
            break;
        case -1:
            Assign(freq, StepDown(freq->Value(), freq->Min(), 4));
            break;
        default:
            break;
    }
    // Up the screen is more gain.
    ruqSlider* gain = BandGainSlider;
    switch (PointerSide(ToPixels(Y))) {
        case -1:
            Assign(gain, StepUp(gain->Value(), gain->Max(), 6));
            break;
        case 1:
            Assign(gain, StepDown(gain->Value(), gain->Min(), 6));
            break;
        default:
            break;
    }
    const std::string text =
        CentreReadoutText(w_.tables().FreqText[BandFreqSlider->Value()], BandGainSlider->Value());
    ShowReadout(Index, text);
}

void EqDesign::BandLeft_MouseMove(int Index, std::int16_t Button, std::int16_t, float X, float) {
    if (Button != vbLeftButton) return;
    // Beyond the outer (left) side the band narrows, beyond the inner side it widens.
    StepBandwidth(-PointerSide(ToPixels(X)));
    ShowReadout(Index, w_.tables().OctLabel[BandQfactorOctSlider->Value()]);
}

void EqDesign::BandRight_MouseMove(int Index, std::int16_t Button, std::int16_t, float X, float) {
    if (Button != vbLeftButton) return;
    StepBandwidth(PointerSide(ToPixels(X)));
    ShowReadout(Index, w_.tables().OctLabel[BandQfactorOctSlider->Value()]);
}

void EqDesign::StepBandwidth(int outward) {
    ruqSlider* oct = BandQfactorOctSlider;
    if (outward > 0) Assign(oct, StepDown(oct->Value(), oct->Min(), 4));
    if (outward < 0) Assign(oct, StepUp(oct->Value(), oct->Max(), 4));
}

void EqDesign::ShowReadout(int Index, const std::string& text) {
    SetLeft(DisplayLbl, Left(BandMid(Index)) + kReadoutRight);
    SetTop(DisplayLbl, Top(BandMid(Index)));
    DisplayLbl->setText(QString::fromStdString(text));
}

// ---- Step arrows: one step on the release ------------------------------------

ruqSlider* EqDesign::ArrowSlider(int Index) const {
    switch (Index) {
        case 0:
            return BandQfactorOctSlider;
        case 30:
            return BandFreqSlider;
        case 31:
            return BandGainSlider;
        default:
            return nullptr;  // 32, beside the Q slider: pictures only
    }
}

void EqDesign::MainLeft_MouseDown(int Index, std::int16_t Button, std::int16_t, float, float) {
    StepArrowPressed(MainLeft(Index), w_.LeftBright, Button);
}

void EqDesign::MainRight_MouseDown(int Index, std::int16_t Button, std::int16_t, float, float) {
    StepArrowPressed(MainRight(Index), w_.RightBright, Button);
}

void EqDesign::MainLeft_MouseUp(int Index, std::int16_t Button, std::int16_t, float, float) {
    if (Button != vbLeftButton || MainLeft(Index) == nullptr) return;
    MainLeft(Index)->setPicture(w_.LeftGray->Picture());
    if (ruqSlider* slider = ArrowSlider(Index))
        Assign(slider, ArrowStep(Index, false, slider->Value(), Channel_Opt.value(kSwChannel)));
}

void EqDesign::MainRight_MouseUp(int Index, std::int16_t Button, std::int16_t, float, float) {
    if (Button != vbLeftButton || MainRight(Index) == nullptr) return;
    MainRight(Index)->setPicture(w_.RightGray->Picture());
    if (ruqSlider* slider = ArrowSlider(Index))
        Assign(slider, ArrowStep(Index, true, slider->Value(), Channel_Opt.value(kSwChannel)));
}

}  // namespace calvetta
