// Speaker sizes, subwoofer and crossovers. A size or crossover command covers
// all four speaker groups, so it is rebuilt from every control each time any
// one of them changes; the clicked index does not matter.

#include "settings/SetupPage.h"

#include "app/PrivateDesign.h"
#include "link/Frames.h"

namespace calvetta {

namespace {

// The first selected option of a size group in index order: 0 Large,
// 1 Small, 2 Off. Every group always has one selected.
std::uint8_t SizeOf(const OptionGroup& group) {
    for (int k = 0; k < group.count(); ++k) {
        if (group.value(k)) return static_cast<std::uint8_t>(k);
    }
    return 0;
}

void SendSpeakerConfig(PrivateDesign& w, const SetupPage& page) {
    FillGroupSet(w.SendBuf(), ParamId::SpeakerConfig,
                 {SizeOf(page.SPKLR_Opt), SizeOf(page.SPKC_Opt), SizeOf(page.SPKSLSR_Opt),
                  SizeOf(page.SPKBSLSR_Opt)});
    w.SendPacket();
}

}  // namespace

void SetupPage::SPKLR_Opt_Click(int /*Index*/) {
    SendSpeakerConfig(w_, *this);
}
void SetupPage::SPKC_Opt_Click(int /*Index*/) {
    SendSpeakerConfig(w_, *this);
}
void SetupPage::SPKSLSR_Opt_Click(int /*Index*/) {
    SendSpeakerConfig(w_, *this);
}
void SetupPage::SPKBSLSR_Opt_Click(int /*Index*/) {
    SendSpeakerConfig(w_, *this);
}

void SetupPage::Sub_Opt_Click(int Index) {
    FillSet(w_.SendBuf(), ParamId::SubwooferMode, static_cast<std::uint8_t>(Index));
    w_.SendPacket();
}

void SetupPage::Combo2_Click(int /*Index*/) {
    GroupValues positions;
    for (std::size_t k = 0; k < positions.size(); ++k) {
        // Only a text equal to one of the list's own texts, blanks included,
        // has a position; a typed text that matches none leaves its byte as
        // the previous command left it.
        const int index =
            w_.tables().XoverIndexOf(Combo2(static_cast<int>(k))->Text().toStdString());
        if (index >= 0) positions[k] = static_cast<std::uint8_t>(index);
    }
    FillGroupSet(w_.SendBuf(), ParamId::Crossover, positions);
    w_.SendPacket();
}

}  // namespace calvetta
