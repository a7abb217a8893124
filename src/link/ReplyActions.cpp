// The reply actions: each reply of the device sets the controls that show the
// reported value, or calls their click handlers, exactly as a user would. The
// reply tick holds SendEnabled false meanwhile, so nothing is sent back.

#include "app/PrivateDesign.h"
#include "link/Protocol.h"

namespace calvetta {

void PrivateDesign::ApplyReply(const RxPayloadBytes& RxPayload) {
    switch (static_cast<ParamId>(RxPayload[1])) {
            // ---- Main Panel replies ----

            // ---- end of Main Panel replies ----

            // ---- Setup replies ----

        case ParamId::SubwooferMode:
            Sub_Opt.select(RxPayload[2] == 1 ? 1 : 0);
            break;

        case ParamId::DynamicMode:
            Dynamic_Opt.select(RxPayload[2] > 2 ? 0 : RxPayload[2]);
            break;

        case ParamId::SpeakerConfig:
            // The front pair has no "Off".
            SPKLR_Opt.select(RxPayload[2] > 1 ? 0 : RxPayload[2]);
            SPKC_Opt.select(RxPayload[3] > 2 ? 0 : RxPayload[3]);
            SPKSLSR_Opt.select(RxPayload[4] > 2 ? 0 : RxPayload[4]);
            SPKBSLSR_Opt.select(RxPayload[5] > 2 ? 0 : RxPayload[5]);
            break;

        case ParamId::Crossover:
            // A reported position above 7 shows the first text. Setting a
            // list's text runs no handler.
            for (std::size_t k = 0; k < 4; ++k) {
                const std::uint8_t p = RxPayload[2 + k] > 7 ? 0 : RxPayload[2 + k];
                Combo2(static_cast<int>(k))
                    ->setText(QString::fromStdString(tables().XoverLabel[p]));
            }
            break;

        case ParamId::ChannelDelay: {
            const int ch = RxPayload[2] > 7 ? 0 : RxPayload[2];
            const int d = RxPayload[3] > 100 ? 0 : RxPayload[3];
            SetDelayValue(ch, d);
            break;
        }

            // ---- end of Setup replies ----

        default:
            // SystemReset, TestTone, RemoteKey and unknown ids: nothing.
            break;
    }
}

}  // namespace calvetta
