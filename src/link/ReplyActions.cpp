// The reply actions: each reply of the device sets the controls that show the
// reported value, or calls their click handlers, exactly as a user would; the
// pages' controls and handlers are reached through the page units. The
// reply tick holds SendEnabled false meanwhile, so nothing is sent back.

#include "app/PrivateDesign.h"
#include "eq/BandRules.h"
#include "eq/EqDesign.h"
#include "link/Protocol.h"
#include "settings/MainPanel.h"
#include "settings/SetupPage.h"
#include "slider/ruqSlider.h"

namespace calvetta {

void PrivateDesign::ApplyReply(const RxPayloadBytes& RxPayload) {
    MainPanel& panel = Main();
    SetupPage& setup = Setup();
    switch (static_cast<ParamId>(RxPayload[1])) {
        case ParamId::SourceSelect: {
            const std::uint8_t p2 = RxPayload[2];
            panel.Input_Cmd1_Click(p2 < 7 ? p2 : 0);
            break;
        }
        case ParamId::InputSelect: {
            // Every connector, ANALOG to HDMI 6 (0 to 10); anything above
            // shows "ANALOG".
            const std::uint8_t p2 = RxPayload[2];
            panel.Input_Cmd_Click(p2 <= 10 ? p2 : 0);
            break;
        }
        case ParamId::SpeakerLayout: {
            const std::uint8_t p2 = RxPayload[2];
            Menu_Cmd_Click(p2 == 2 ? 9 : p2 == 0 ? 8 : 7);
            break;
        }
        case ParamId::AudioFormat:
            panel.Label2(7)->setText(QString::fromStdString(tables().FormatName[RxPayload[2]]));
            break;
        case ParamId::ListeningMode: {
            const std::uint8_t p2 = RxPayload[2];
            panel.Mode_Cmd_Click(p2 >= 2 && p2 <= 10 ? p2 - 2 : 0);
            break;
        }
        case ParamId::MuteState:
            panel.MuteCheck->setValue(RxPayload[2] == 1 ? 1 : 0);
            break;
        case ParamId::MasterVolume: {
            // Bytes below A5h read as 0 dB; a level outside -90 to 0 (A5h
            // itself) shows -40 dB.
            const std::uint8_t p2 = RxPayload[2];
            int v = p2 >= 165 ? p2 - 256 : 0;
            if (v < -90 || v > 0) v = -40;
            panel.VOLSlider(0)->setValue(v);
            break;
        }
        case ParamId::ChannelTrim: {
            const std::uint8_t ch = RxPayload[2] > 7 ? 0 : RxPayload[2];
            const std::uint8_t p3 = RxPayload[3];
            const int trim = p3 <= 10 ? p3 : p3 >= 246 ? p3 - 256 : 0;
            panel.VOLSlider(ch + 1)->setValue(trim);
            break;
        }
        case ParamId::ChannelPhase: {
            const std::uint8_t mask = RxPayload[2];
            const std::array<OptionGroup*, 8> pairs = panel.PhasePairs();
            for (std::size_t k = 0; k < pairs.size(); ++k) {
                pairs[k]->select((mask >> k) & 1u ? 1 : 0);
            }
            break;
        }
        case ParamId::PeqBand:
            Eq().ApplyBandReport(TakeBandReport(RxPayload[2], RxPayload[3], RxPayload[4],
                                                RxPayload[5], RxPayload[6]));
            break;
        case ParamId::EqActive:
            // 1 is Active; 0 and anything above 1 are Bypass.
            Eq().EQ_Opt.select(RxPayload[2] == 1 ? 0 : 1);
            break;
        case ParamId::EqPresetSlot: {
            // Under this id the device reports its version.
            const std::uint8_t p2 = RxPayload[2] > 250 ? 1 : RxPayload[2];
            panel.VersionLabel->setText(QStringLiteral("Ver: %1").arg(p2, 2, 10, QLatin1Char('0')));
            break;
        }

        case ParamId::SubwooferMode:
            setup.Sub_Opt.select(RxPayload[2] == 1 ? 1 : 0);
            break;
        case ParamId::DynamicMode:
            setup.Dynamic_Opt.select(RxPayload[2] > 2 ? 0 : RxPayload[2]);
            break;
        case ParamId::SpeakerConfig:
            // The front pair has no "Off".
            setup.SPKLR_Opt.select(RxPayload[2] > 1 ? 0 : RxPayload[2]);
            setup.SPKC_Opt.select(RxPayload[3] > 2 ? 0 : RxPayload[3]);
            setup.SPKSLSR_Opt.select(RxPayload[4] > 2 ? 0 : RxPayload[4]);
            setup.SPKBSLSR_Opt.select(RxPayload[5] > 2 ? 0 : RxPayload[5]);
            break;
        case ParamId::Crossover:
            // Every position that has a text (40 Hz to 200 Hz) is shown as
            // reported: the next change of any list sends all four back, so
            // a position shown wrongly would be sent wrongly.  One without a
            // text shows the first.  Setting a list's text runs no handler.
            for (std::size_t k = 0; k < 4; ++k) {
                const std::size_t reported = RxPayload[2 + k];
                const std::size_t p = reported < tables().XoverLabel.size() ? reported : 0;
                setup.Combo2(static_cast<int>(k))
                    ->setText(QString::fromStdString(tables().XoverLabel[p]));
            }
            break;
        case ParamId::ChannelDelay: {
            const int ch = RxPayload[2] > 7 ? 0 : RxPayload[2];
            const int d = RxPayload[3] > 100 ? 0 : RxPayload[3];
            setup.DelaySlider(ch)->setValue(d);
            break;
        }

        default:
            // SystemReset, TestTone, RemoteKey and unknown ids: nothing.
            break;
    }
}

}  // namespace calvetta
