// The Main Panel page: volume, trims, mute, phase, inputs, sources, modes.

#include "app/PrivateDesign.h"

namespace calvetta {

void PrivateDesign::BuildMainPanelPage() {}

}  // namespace calvetta
