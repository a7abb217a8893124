// Band and channel selection, Channel Copy, Channel Paste and Flat.

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"

namespace calvetta {

void EqDesign::PEQ_Cmd_Click(int /*Index*/) {}
void EqDesign::Channel_Opt_Click(int /*Index*/) {}

}  // namespace calvetta
