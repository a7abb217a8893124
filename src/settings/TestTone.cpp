// The test-tone generator: off, automatic (never offered) or manual on one
// channel. TestTone carries three value bytes: tone on, automatic, channel
// (ChannelIndex + 1).

#include "app/PrivateDesign.h"
#include "link/Protocol.h"

namespace calvetta {

namespace {
constexpr int kTestOff = 0;
constexpr int kTestAuto = 1;
constexpr int kTestManual = 2;
}  // namespace

void PrivateDesign::Test_Opt_Click(int Index) {
    auto& buf = SendBuf();
    buf[0] = 5;
    buf[1] = OpSet;
    buf[2] = Id(ParamId::TestTone);
    // Off writes only "tone off" and automatic leaves the channel: the bytes
    // not written go out as the previous command left them.
    if (Index == kTestOff) {
        buf[3] = 0;
    } else if (Index == kTestAuto) {
        buf[3] = 1;
        buf[4] = 1;
    } else {
        // Manual starts the tone on FL, whichever channel button is shown
        // selected; a channel press then moves it.
        buf[3] = 1;
        buf[4] = 0;
        buf[5] = 1;
    }
    SendPacket();

    // The channel buttons work only in manual mode; their selection stays.
    const bool manual = Index == kTestManual;
    for (int i = 0; i < Test_CH_Opt.count(); ++i)
        Test_CH_Opt(i)->setEnabled(manual);
}

void PrivateDesign::Test_CH_Opt_Click(int Index) {
    auto& buf = SendBuf();
    buf[0] = 5;
    buf[1] = OpSet;
    buf[2] = Id(ParamId::TestTone);
    buf[3] = 1;
    buf[4] = 0;
    buf[5] = static_cast<std::uint8_t>(Index + 1);
    SendPacket();
}

}  // namespace calvetta
