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

            // ---- end of Setup replies ----

        default:
            // SystemReset, TestTone, RemoteKey and unknown ids: nothing.
            break;
    }
}

}  // namespace calvetta
