// Channel phase: one command carries all eight channels, so whichever pair
// is clicked, the mask is rebuilt from every pair as it stands.

#include "app/PrivateDesign.h"
#include "link/Protocol.h"

namespace calvetta {

std::array<OptionGroup*, 8> PrivateDesign::PhasePairs() {
    return {&FLPhase, &CENPhase, &FRPhase, &SLPhase, &SRPhase, &BSLPhase, &BSRPhase, &SWPhase};
}

void PrivateDesign::ChannelPhase_Click(int /*Index*/) {
    auto& buf = SendBuf();
    buf[0] = 3;
    buf[1] = OpSet;
    buf[2] = Id(ParamId::ChannelPhase);
    buf[3] = 0;
    // A set bit is 180 degrees: every channel whose "0°" is not selected.
    const std::array<OptionGroup*, 8> pairs = PhasePairs();
    for (std::size_t ch = 0; ch < pairs.size(); ++ch) {
        if (!pairs[ch]->value(0)) buf[3] = static_cast<std::uint8_t>(buf[3] | (1u << ch));
    }
    SendPacket();
}

}  // namespace calvetta
