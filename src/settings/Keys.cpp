// Power, the remote-control key pad and the dynamic-range choice. Power and
// keys share the RemoteKey command; the first key press of a run puts the
// link into OSD mode for good, after which only RemoteKey commands and above
// leave (the guard is in SendPacket).

#include "settings/SetupPage.h"

#include "app/PrivateDesign.h"
#include "link/Frames.h"

namespace calvetta {

namespace {

constexpr std::uint8_t kKeyOsd = 2;

// RemoteKey value of each key of the pad by its index.
std::uint8_t KeyCode(int Index) {
    switch (Index) {
        case 0:  // UP
            return 4;
        case 1:  // LEFT
            return 6;
        case 2:  // ENTER
            return 3;
        case 3:  // RIGHT
            return 7;
        case 4:  // DOWN
            return 5;
        default:  // OSD
            return kKeyOsd;
    }
}

void SendRemoteKey(PrivateDesign& w, std::uint8_t value) {
    FillSet(w.SendBuf(), ParamId::RemoteKey, value);
    w.SendPacket();
}

}  // namespace

void SetupPage::Option2_Click(int Index) {
    // 0 power on, 1 power off.
    SendRemoteKey(w_, Index == 1 ? 1 : 0);
}

void SetupPage::Command2_Click(int Index) {
    if (!w_.link().OsdMode) {
        // The first press opens the device's on-screen menu, whatever the
        // key; the flag is set first, and RemoteKey passes its guard.
        w_.link().OsdMode = true;
        SendRemoteKey(w_, kKeyOsd);
        return;
    }
    SendRemoteKey(w_, KeyCode(Index));
}

void SetupPage::Dynamic_Opt_Click(int Index) {
    // 0 Auto, 1 Off, 2 On.
    FillSet(w_.SendBuf(), ParamId::DynamicMode, static_cast<std::uint8_t>(Index));
    w_.SendPacket();
}

}  // namespace calvetta
