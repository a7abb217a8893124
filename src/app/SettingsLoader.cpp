// The settings loader: the starting settings and the equaliser store are put
// on the window's controls, whose handlers send what they would for a user's
// action. At window load the link is closed and nothing leaves; the reload
// button while connected sends the burst. The crossover lists only get their
// texts, which sends nothing.

#include "app/MainSettings.h"
#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "eq/EqStore.h"
#include "settings/MainPanel.h"
#include "settings/SetupPage.h"
#include "slider/ruqSlider.h"

namespace calvetta {

void PrivateDesign::LoadIniSettings() {
    const std::string modules =
        (services_.programFolder + QStringLiteral("/Modules/")).toStdString();
    const MainSettings main = ReadMainSettings(modules + "Main.ini");

    MainPanel& panel = Main();
    SetupPage& setup = Setup();
    panel.VOLSlider(0)->setValue(main.masterVolume);
    // The trims always start at 0, each after a short pause.
    for (int n = 1; n <= 8; ++n) {
        if (services_.pause) services_.pause(20);
        panel.VOLSlider(n)->setValue(0);
    }
    for (int n = 0; n < 8; ++n)
        setup.DelaySlider(n)->setValue(main.delays[static_cast<std::size_t>(n)]);
    for (int n = 0; n < 4; ++n) {
        const auto index = static_cast<std::size_t>(main.crossovers[static_cast<std::size_t>(n)]);
        setup.Combo2(n)->setText(QString::fromStdString(tables_.XoverLabel[index]));
    }

    // Input, layout, dynamic range, subwoofer and mute start the same way
    // whatever the file says.
    panel.Input_Cmd_Click(1);
    Menu_Cmd_Click(7);
    setup.Dynamic_Opt.select(0);
    setup.Sub_Opt.select(0);
    panel.MuteCheck->setValue(0);

    // The equaliser: its status, and the store's frequencies and bandwidths
    // at 0 dB.
    Eq().LoadStoredEqualiser(EqStoreSnapshot(modules + "ModeEffects.ini"));
}

}  // namespace calvetta
