// Channel phase: one command carries all eight channels, so whichever pair
// is clicked, the mask is rebuilt from every pair as it stands.

#include "settings/MainPanel.h"

#include "app/PrivateDesign.h"
#include "link/Frames.h"

namespace calvetta {

std::array<OptionGroup*, 8> MainPanel::PhasePairs() {
    return {&FLPhase, &CENPhase, &FRPhase, &SLPhase, &SRPhase, &BSLPhase, &BSRPhase, &SWPhase};
}

void MainPanel::ChannelPhase_Click(int /*Index*/) {
    // A set bit is 180 degrees: every channel whose "0°" is not selected.
    std::uint8_t mask = 0;
    const std::array<OptionGroup*, 8> pairs = PhasePairs();
    for (std::size_t ch = 0; ch < pairs.size(); ++ch) {
        if (!pairs[ch]->value(0)) mask = static_cast<std::uint8_t>(mask | (1u << ch));
    }
    FillSet(w_.SendBuf(), ParamId::ChannelPhase, mask);
    w_.SendPacket();
}

}  // namespace calvetta
