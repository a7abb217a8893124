// Input connector, source function, listening mode and speaker layout: each
// press highlights its button in red, returns the rest of its group to the
// button face and sends one command.

#include "settings/MainPanel.h"

#include "app/PrivateDesign.h"
#include "link/Frames.h"

namespace calvetta {

namespace {

// Button face for elements first..last of a button array, then red for one.
void Highlight(const ControlArray<CommandButton>& buttons, int first, int last, int chosen) {
    for (int i = first; i <= last; ++i) {
        if (CommandButton* b = buttons(i)) b->setBackColor(vbButtonFace);
    }
    buttons(chosen)->setBackColor(vbRed);
}

}  // namespace

void MainPanel::Input_Cmd_Click(int Index) {
    if (!Input_Cmd.contains(Index)) return;
    // While "BLUETOOTH" or "ARC" is the applied source, every connector
    // press is sent and shown as "ANALOG".
    if (SourceFunction >= 5 && SourceFunction < 10 && Index > 0) Index = 0;
    Highlight(Input_Cmd, 0, 10, Index);
    FillSet(w_.SendBuf(), ParamId::InputSelect, static_cast<std::uint8_t>(Index));
    w_.SendPacket();
}

void MainPanel::Input_Cmd1_Click(int Index) {
    if (!Input_Cmd1.contains(Index)) return;
    SourceFunction = static_cast<std::uint8_t>(Index);
    Highlight(Input_Cmd1, 0, 6, Index);
    FillSet(w_.SendBuf(), ParamId::SourceSelect, static_cast<std::uint8_t>(Index));
    w_.SendPacket();
}

void MainPanel::Mode_Cmd_Click(int Index) {
    if (!Mode_Cmd.contains(Index)) return;
    // Modes 9 and 10 lie off the page and only code presses them; nothing
    // returns them to the face colour.
    Highlight(Mode_Cmd, 0, 8, Index);
    w_.Menu_Cmd(9)->setBackColor(vbButtonFace);
    FillSet(w_.SendBuf(), ParamId::ListeningMode, static_cast<std::uint8_t>(Index + 2));
    w_.SendPacket();
}

void MainPanel::SpeakerLayout_Click(int Index) {
    // SpeakerLayout values: 7.1 is 1, 5.1 is 0, 2.1 is 2.
    int value = 0;
    switch (Index) {
        case 7:
            value = 1;
            break;
        case 8:
            value = 0;
            break;
        case 9:
            value = 2;
            break;
        default:
            return;
    }
    FillSet(w_.SendBuf(), ParamId::SpeakerLayout, static_cast<std::uint8_t>(value));
    Highlight(w_.Menu_Cmd, 7, 9, Index);
    // "2.1 Mode" shares its highlight with the listening modes: choosing it
    // leaves none of the visible modes lit.
    if (Index == 9) {
        for (int i = 0; i <= 8; ++i)
            Mode_Cmd(i)->setBackColor(vbButtonFace);
    }
    w_.SendPacket();
}

}  // namespace calvetta
