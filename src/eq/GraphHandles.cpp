// The band handles on the graph and the step arrows beside the band sliders.

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"

namespace calvetta {

void EqDesign::BandMid_MouseDown(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::BandMid_MouseMove(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::BandMid_MouseUp(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::BandLeft_MouseDown(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::BandLeft_MouseMove(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::BandLeft_MouseUp(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::BandRight_MouseDown(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::BandRight_MouseMove(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::BandRight_MouseUp(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::MainLeft_MouseDown(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::MainLeft_MouseUp(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::MainRight_MouseDown(int, std::int16_t, std::int16_t, float, float) {}
void EqDesign::MainRight_MouseUp(int, std::int16_t, std::int16_t, float, float) {}

}  // namespace calvetta
