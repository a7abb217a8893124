// Band and channel selection, Channel Copy, Channel Paste and Flat. Selecting
// a band loads its stored values into the three band sliders, whose handlers
// draw and send it; selecting a channel selects each of its bands in turn.

#include "app/PrivateDesign.h"
#include "eq/BandRules.h"
#include "eq/EqDesign.h"
#include "platform/Dialogs.h"
#include "slider/ruqSlider.h"

namespace calvetta {

namespace {
constexpr int kCopy = 10;
constexpr int kPaste = 11;
constexpr int kFlat = 12;
constexpr std::uint8_t kNothingCopied = 250;
constexpr std::uint8_t kNowhereToPaste = 251;
}  // namespace

void EqDesign::PEQ_Cmd_Click(int Index) {
    auto message = [this](const QString& text) {
        if (Dialogs* d = w_.services().dialogs)
            d->MsgBox(text, vbOKOnly, QStringLiteral("Message"));
    };
    auto caption = [this](int channel) { return Channel_Opt(channel)->text(); };

    if (Index >= 0 && Index < kEqBands) {
        for (int k = 0; k < kEqBands; ++k)
            PEQ_Cmd(k)->setBackColor(vbButtonFace);
        PEQ_Cmd(Index)->setBackColor(vbRed);
        w_.CurBand = static_cast<std::uint8_t>(Index + 1);
        // The SW channel has no band 3 to 10: the button turns red, nothing
        // is loaded.
        if (w_.CurChannel == kSwChannel && w_.CurBand > 2) return;

        const int c = w_.CurChannel;
        const int b = w_.CurBand;
        // Repairs are written back; each assignment below sends a frame that
        // carries the values of its moment, the direct call at the end the
        // complete band.
        float& gain = bands.PeqGain[c][b];
        gain = RepairedGain(gain);
        BandGainSlider->setValue(SliderPosition(gain));
        BandFreqSlider->setValue(SliderPosition(bands.PeqFreq[c][b]));
        float& bandwidth = bands.PeqQ[c][b];
        bandwidth = RepairedBandwidth(bandwidth);
        BandQfactorOctSlider->setValue(SliderPosition(bandwidth));
        BandGainSlider_ValueChanged();
        return;
    }

    switch (Index) {
        case kCopy:
            if (w_.CurChannel >= kSwChannel) {
                message(QStringLiteral("SW channel disable！"));
                return;
            }
            // Nothing is copied until the paste.
            w_.EqCopySrcChannel = w_.CurChannel;
            message(QStringLiteral("Had copy EQ parameter of %1 channel！")
                        .arg(caption(w_.CurChannel)));
            break;
        case kPaste: {
            if (w_.EqCopySrcChannel >= kEqChannels) {
                message(QStringLiteral("Please copy EQ parameter！"));
                return;
            }
            w_.EqPasteDstChannel = w_.CurChannel;
            message(QStringLiteral("Had copy EQ parameter of %1 channel to %2 channel！")
                        .arg(caption(w_.EqCopySrcChannel), caption(w_.EqPasteDstChannel)));
            for (int k = 0; k < kEqBands; ++k) {
                const int s = w_.EqCopySrcChannel;
                const int d = w_.EqPasteDstChannel;
                const int b = k + 1;
                bands.PeqFreq[d][b] = bands.PeqFreq[s][b];
                bands.PeqGain[d][b] = bands.PeqGain[s][b];
                bands.PeqQ[d][b] = bands.PeqQ[s][b];
                PEQ_Cmd_Click(k);
            }
            PEQ_Cmd_Click(0);
            // One paste per copy.
            w_.EqCopySrcChannel = kNothingCopied;
            w_.EqPasteDstChannel = kNowhereToPaste;
            break;
        }
        case kFlat:
            for (int c = 0; c < kEqChannels; ++c) {
                for (int b = 1; b <= kEqBands; ++b)
                    bands.PeqFreq[c][b] = BandDefaultFreq[static_cast<std::size_t>(b - 1)];
                bands.PeqGain[c].fill(200.0f);
                bands.PeqQ[c].fill(10.0f);
                for (int k = 0; k < kEqBands; ++k)
                    SetTop(BandMid(k), kFlatMidTop);
                Channel_Opt_Click(c);
            }
            Channel_Opt_Click(0);
            break;
        default:
            break;
    }
}

void EqDesign::Channel_Opt_Click(int Index) {
    if (Index < 0 || Index >= kEqChannels) return;
    w_.CurChannel = static_cast<std::uint8_t>(Index);
    if (Index != kSwChannel) {
        for (int k = 0; k < kEqBands; ++k) {
            PEQ_Cmd(k)->setEnabled(true);
            PEQ_Cmd_Click(k);
        }
    } else {
        for (int k = 2; k < kEqBands; ++k)
            PEQ_Cmd(k)->setEnabled(false);
        // Selecting SW always resets its frequencies.
        for (int b = 1; b <= kEqBands; ++b)
            bands.PeqFreq[kSwChannel][b] = BandDefaultFreq[static_cast<std::size_t>(b - 1)];
        for (int k = 0; k < kEqBands; ++k)
            PEQ_Cmd_Click(k);
    }
    PEQ_Cmd_Click(0);
}

}  // namespace calvetta
