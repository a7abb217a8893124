// System Reset: after a confirmation the window returns to its defaults and
// the device is told to reset. Each step goes through the handler that a user
// action would run, so only what changes is sent (the trims, the layout, the
// equaliser, the crossovers and the reset itself always are), and the burst
// always ends with the reset command.

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "link/Frames.h"
#include "platform/Dialogs.h"
#include "settings/MainPanel.h"
#include "settings/SetupPage.h"
#include "slider/ruqSlider.h"

namespace calvetta {

namespace {
constexpr int kDefaultMaster = -40;
constexpr int kDefaultDelay = 29;     // 2.9 m
constexpr int kDefaultCrossover = 4;  // "80 Hz"
constexpr int kFlat = 12;
}  // namespace

void PrivateDesign::SystemReset() {
    Dialogs* dialogs = services_.dialogs;
    if (dialogs == nullptr ||
        dialogs->MsgBox(QStringLiteral("Are you want to reset system to default？"),
                        vbYesNoQuestion, QStringLiteral("Message")) != vbYes) {
        return;
    }
    MainPanel& panel = Main();
    SetupPage& setup = Setup();
    panel.VOLSlider(0)->setValue(kDefaultMaster);
    for (int n = 1; n <= 8; ++n)
        panel.VOLSlider(n)->setValue(0);
    for (int n = 0; n < 8; ++n)
        setup.DelaySlider(n)->setValue(kDefaultDelay);
    Menu_Cmd_Click(7);
    panel.MuteCheck->setValue(0);
    Eq().PEQ_Cmd_Click(kFlat);
    for (OptionGroup* sizes :
         {&setup.SPKLR_Opt, &setup.SPKSLSR_Opt, &setup.SPKBSLSR_Opt, &setup.SPKC_Opt})
        sizes->select(0);
    setup.Sub_Opt.select(0);
    setup.Dynamic_Opt.select(0);
    Eq().EQ_Opt.select(0);
    for (int n = 0; n < 4; ++n)
        setup.Combo2(n)->setText(QString::fromStdString(tables_.XoverLabel[kDefaultCrossover]));
    setup.Combo2_Click(0);
    for (OptionGroup* phase : panel.PhasePairs())
        phase->select(0);

    FillSystemReset(SendBuf());
    SendPacket();
}

}  // namespace calvetta
