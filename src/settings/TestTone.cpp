// The test-tone generator: off, automatic (never offered) or manual on one
// channel. TestTone carries three value bytes: tone on, automatic, channel
// (ChannelIndex + 1).

#include "settings/SetupPage.h"

#include "app/PrivateDesign.h"
#include "link/Frames.h"

namespace calvetta {

namespace {
constexpr int kTestOff = 0;
constexpr int kTestAuto = 1;
constexpr int kTestManual = 2;
}  // namespace

void SetupPage::Test_Opt_Click(int Index) {
    // Off writes only "tone off" and automatic leaves the channel: the bytes
    // not written go out as the previous command left them.
    if (Index == kTestOff) {
        FillTestTone(w_.SendBuf(), 0, std::nullopt, std::nullopt);
    } else if (Index == kTestAuto) {
        FillTestTone(w_.SendBuf(), 1, 1, std::nullopt);
    } else {
        // Manual starts the tone on FL, whichever channel button is shown
        // selected; a channel press then moves it.
        FillTestTone(w_.SendBuf(), 1, 0, 1);
    }
    w_.SendPacket();

    // The channel buttons work only in manual mode; their selection stays.
    const bool manual = Index == kTestManual;
    for (int i = 0; i < Test_CH_Opt.count(); ++i)
        Test_CH_Opt(i)->setEnabled(manual);
}

void SetupPage::Test_CH_Opt_Click(int Index) {
    FillTestTone(w_.SendBuf(), 1, 0, static_cast<std::uint8_t>(Index + 1));
    w_.SendPacket();
}

}  // namespace calvetta
