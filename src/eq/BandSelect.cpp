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
        CurBand = static_cast<std::uint8_t>(Index + 1);
        // The SW channel has no band 3 to 10: the button turns red, nothing
        // is loaded.
        if (CurChannel == kSwChannel && CurBand > 2) return;

        const int c = CurChannel;
        const int b = CurBand;
        // Repairs are written back; each assignment below sends a frame that
        // carries the values of its moment, the direct call at the end the
        // complete band.
        bands.Store(c, b, EqValue::Gain, RepairedGain(bands.Value(c, b, EqValue::Gain)));
        BandGainSlider->setValue(SliderPosition(bands.Value(c, b, EqValue::Gain)));
        BandFreqSlider->setValue(SliderPosition(bands.Value(c, b, EqValue::Freq)));
        bands.Store(c, b, EqValue::Q, RepairedBandwidth(bands.Value(c, b, EqValue::Q)));
        BandQfactorOctSlider->setValue(SliderPosition(bands.Value(c, b, EqValue::Q)));
        BandGainSlider_ValueChanged();
        return;
    }

    switch (Index) {
        case kCopy:
            if (CurChannel >= kSwChannel) {
                message(QStringLiteral("SW channel disable！"));
                return;
            }
            // Nothing is copied until the paste.
            EqCopySrcChannel = CurChannel;
            message(
                QStringLiteral("Had copy EQ parameter of %1 channel！").arg(caption(CurChannel)));
            break;
        case kPaste: {
            if (EqCopySrcChannel >= kEqChannels) {
                message(QStringLiteral("Please copy EQ parameter！"));
                return;
            }
            EqPasteDstChannel = CurChannel;
            message(QStringLiteral("Had copy EQ parameter of %1 channel to %2 channel！")
                        .arg(caption(EqCopySrcChannel), caption(EqPasteDstChannel)));
            for (int k = 0; k < kEqBands; ++k) {
                bands.CopyBand(EqCopySrcChannel, EqPasteDstChannel, k + 1);
                PEQ_Cmd_Click(k);
            }
            PEQ_Cmd_Click(0);
            // One paste per copy.
            EqCopySrcChannel = kNothingCopied;
            EqPasteDstChannel = kNowhereToPaste;
            break;
        }
        case kFlat:
            for (int c = 0; c < kEqChannels; ++c) {
                bands.Flatten(c);
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
    CurChannel = static_cast<std::uint8_t>(Index);
    if (Index != kSwChannel) {
        for (int k = 0; k < kEqBands; ++k) {
            PEQ_Cmd(k)->setEnabled(true);
            PEQ_Cmd_Click(k);
        }
    } else {
        for (int k = 2; k < kEqBands; ++k)
            PEQ_Cmd(k)->setEnabled(false);
        // Selecting SW always resets its frequencies.
        bands.DefaultFrequencies(kSwChannel);
        for (int k = 0; k < kEqBands; ++k)
            PEQ_Cmd_Click(k);
    }
    PEQ_Cmd_Click(0);
}

void EqDesign::ApplyBandReport(const BandReport& report) {
    CurChannel = static_cast<std::uint8_t>(report.channel);
    bands.SetBand(report.channel, report.band, static_cast<float>(report.freq),
                  static_cast<float>(report.gain), static_cast<float>(report.bandwidth));
    Channel_Opt.select(report.channel);
    PEQ_Cmd_Click(report.band - 1);
}

}  // namespace calvetta
