// The four band sliders: every change of gain, frequency or bandwidth is
// stored, drawn and sent at once; the Q slider only reshapes the drawing.
// Each handler reads its slider afresh at every use, so a run that a nested
// assignment has overtaken carries on with the value the slider now holds.

#include <vector>

#include "app/PrivateDesign.h"
#include "eq/BandRules.h"
#include "eq/EqDesign.h"
#include "eq/GraphScale.h"
#include "eq/ResponseGraph.h"
#include "link/Frames.h"
#include "slider/ruqSlider.h"

namespace calvetta {

namespace {
QString Text(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

void EqDesign::BandFreqSlider_ValueChanged() {
    // The SW cap comes first: the run for 94 does all the work.
    if (SwCapApplies(Channel_Opt.value(kSwChannel), CurChannel, CurBand) &&
        BandFreqSlider->Value() > kSwFreqCap) {
        BandFreqSlider->setValue(kSwFreqCap);
        return;
    }
    // Outside the band's window: the run for the replacement does all the
    // work, then this one does it once more with the same value.
    if (!InBandWindow(CurBand, BandFreqSlider->Value())) {
        BandFreqSlider->setValue(BandWindowOf(CurBand).replacement);
    }
    const LookupTables& t = w_.tables();
    const int i = CurBand - 1;
    bands.Store(CurChannel, CurBand, EqValue::Freq, static_cast<float>(BandFreqSlider->Value()));
    ShowSideHandlesOfCurrentBand();
    BandFreqLabel->setText(Text(FreqLabelText(t.FreqText[BandFreqSlider->Value()])));

    // The bandwidth handles keep their distances from the centre handle.
    ImageControl* mid = BandMid(i);
    const int dL = Left(mid) - Left(BandLeft(i));
    const int dR = Left(BandRight(i)) - Left(mid);
    SetLeft(mid, MidLeftForFrequency(NumberOfText(t.FreqText[BandFreqSlider->Value()])));
    SetLeft(BandLeft(i), Left(mid) - dL);
    SetLeft(BandRight(i), Left(mid) + dR);

    BandNumberFollowsHandle();
    DesignAndDraw();
    DrawMarker();
    SendBand();
}

void EqDesign::BandGainSlider_ValueChanged() {
    const int i = CurBand - 1;
    bands.Store(CurChannel, CurBand, EqValue::Gain, static_cast<float>(BandGainSlider->Value()));
    for (int k = 0; k < kEqBands; ++k) {
        BandLeft(k)->hide();
        BandRight(k)->hide();
    }
    // The SW channel has bands 1 and 2 only.
    const bool sw = CurChannel == kSwChannel;
    for (int k = 2; k < kEqBands; ++k) {
        BandMid(k)->setVisible(!sw);
        BandLbl(k)->setVisible(!sw);
    }
    BandLeft(i)->show();
    BandRight(i)->show();
    BandGainLabel->setText(Text(GainLabelText(BandGainSlider->Value())));

    const int top = MidTopForGain(BandGainSlider->Value());
    SetTop(BandMid(i), top);
    SetTop(BandLeft(i), top);
    SetTop(BandRight(i), top);

    BandNumberFollowsHandle();
    DesignAndDraw();
    DrawMarker();
    SendBand();
}

void EqDesign::BandQfactorOctSlider_ValueChanged() {
    const LookupTables& t = w_.tables();
    bands.Store(CurChannel, CurBand, EqValue::Q, static_cast<float>(BandQfactorOctSlider->Value()));
    BandQfactorLabel->setText(Text(OctLabelText(t.OctLabel[BandQfactorOctSlider->Value()])));
    // The Q handler, run by this assignment, places the bandwidth handles and
    // draws; this one draws nothing itself.
    BandQfactorSlider->setValue(t.OctToQ[BandQfactorOctSlider->Value()]);
    SendBand();
}

void EqDesign::BandQfactorSlider_ValueChanged() {
    const int i = CurBand - 1;
    ShowSideHandlesOfCurrentBand();
    SetLeft(BandRight(i), RightHandleLeft(Left(BandMid(i)), BandQfactorSlider->Value()));
    SetLeft(BandLeft(i), LeftHandleLeft(Left(BandMid(i)), BandQfactorSlider->Value()));
    DesignAndDraw();
    DrawMarker();
}

void EqDesign::ShowSideHandlesOfCurrentBand() {
    for (int k = 0; k < kEqBands; ++k) {
        BandLeft(k)->hide();
        BandRight(k)->hide();
    }
    const int i = CurBand - 1;
    BandLeft(i)->show();
    BandRight(i)->show();
}

void EqDesign::BandNumberFollowsHandle() {
    const int i = CurBand - 1;
    SetLeft(BandLbl(i), Left(BandMid(i)));
    SetTop(BandLbl(i), Top(BandMid(i)) + kBandNumberBelow);
}

void EqDesign::DesignAndDraw() {
    const LookupTables& t = w_.tables();
    BandCalcFreq = NumberOfText(t.FreqText[BandFreqSlider->Value()]);
    BandCalcGain = CurveGainDb(BandGainSlider->Value());
    BandCalcQ = NumberOfText(t.QLabel[BandQfactorSlider->Value()]);
    PeakCoef = DesignPeakFilter(BandCalcFreq, BandCalcGain, BandCalcQ);
    DrawResponseCurve();
}

void EqDesign::DrawResponseCurve() {
    LookupTables& t = w_.tables();
    CurveSums sums;
    SumResponseCurve(CurBand, PeakCoef, t, sums);
    std::vector<QPointF> points;
    points.reserve(sums.size() - 1);
    for (std::size_t i = 1; i < sums.size(); ++i)
        points.emplace_back(t.CurveX[i], YOfDb(sums[i]));
    Show_Picture->Cls();
    Show_Picture->DrawCurve(std::move(points));
}

void EqDesign::DrawMarker() {
    const ImageControl* mid = BandMid(CurBand - 1);
    Show_Picture->DrawMarker(QPointF(Left(mid) + 30, Top(mid) + 50));
}

void EqDesign::SendBand() {
    FillPeqBand(w_.SendBuf(), CurChannel, CurBand, BandGainSlider->Value(), BandFreqSlider->Value(),
                w_.tables().OctTenths[BandQfactorOctSlider->Value()]);
    w_.SendPacket();
}

}  // namespace calvetta
