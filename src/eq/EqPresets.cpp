// The EQ status options and the preset buttons: not built yet.

#include "eq/EqDesign.h"

namespace calvetta {

void EqDesign::EQ_Opt_Click(int /*Index*/) {}
void EqDesign::EQ_Save_Click() {}
void EqDesign::EQ_Call_Click(int /*Index*/) {}

}  // namespace calvetta
