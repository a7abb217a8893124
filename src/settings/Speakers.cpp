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
        ComboBox* box = Combo2(static_cast<int>(k));
        // Only a text equal to one of the list's own texts, blanks included,
        // has a position.
        int index = w_.tables().XoverIndexOf(box->Text().toStdString());
        if (index < 0) {
            // A typed text that matches none would send whatever the previous
            // command of any kind left in this byte. The box sends the entry
            // it showed last instead, and shows it again, so that the window
            // shows what the device got.
            index = box->ShownItem();
            if (index >= 0) box->setText(box->itemText(index));
        } else if (index != box->ShownItem()) {
            // A typed text equal to an entry is what the device now has.
            box->setText(box->itemText(index));
        }
        if (index >= 0) positions[k] = static_cast<std::uint8_t>(index);
    }
    FillGroupSet(w_.SendBuf(), ParamId::Crossover, positions);
    w_.SendPacket();
}

}  // namespace calvetta
