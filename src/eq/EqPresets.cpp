// The EQ status options and the preset buttons. EQ Save writes the equaliser
// into the store Modules/ModeEffects.ini and copies the store to the preset
// the user names; EQ Recall copies a preset over the store and loads it back
// through the band sliders, so every band goes to the device. Both end
// silently on Cancel and on any error; only a recall name of the wrong type
// is reported.

#include <QFile>
#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "app/FileOps.h"
#include "app/PrivateDesign.h"
#include "eq/BandRules.h"
#include "eq/EqDesign.h"
#include "eq/EqStore.h"
#include "link/Frames.h"
#include "platform/Dialogs.h"
#include "platform/EventDelivery.h"
#include "slider/ruqSlider.h"

namespace calvetta {

namespace {

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FileNameOf(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// "*.EQ" comes back when the dialog's pattern was taken as the name.
bool IsPattern(const QString& path) {
    return FileNameOf(path) == QStringLiteral("*.EQ");
}

}  // namespace

void EqDesign::EQ_Opt_Click(int Index) {
    FillSet(w_.SendBuf(), ParamId::EqActive, Index == 0 ? 1 : 0);
    w_.SendPacket();
}

void EqDesign::EQ_Save_Click() {
    DeliverEvent("EQ_Save_Click", [this] {
        const QString folder = w_.services().programFolder;
        const std::string store = LocalPath(folder + QStringLiteral("/Modules/ModeEffects.ini"));
        // The store holds the current equaliser even when the user cancels.
        // When it cannot be written, its old content is no copy of this
        // equaliser and is not saved as one.
        const bool stored = WriteEqStore(store, bands, EQ_Opt.value(0));
        Dialogs* dialogs = w_.services().dialogs;
        if (dialogs == nullptr) return;
        const FileDialogRequest request{
            QStringLiteral("Save EQ Effect File"), folder + QStringLiteral("/ModeEffect"),
            QStringLiteral("EQ1.EQ"), QStringLiteral("Effect file(*.EQ)|*.EQ")};
        for (;;) {
            const std::optional<QString> chosen = dialogs->ShowSave(request);
            if (!chosen || IsPattern(*chosen)) return;
            // The character before ".EQ" is the slot; the file keeps its name.
            const QString name = FileNameOf(*chosen);
            if (name.size() <= 3) return;
            const QChar digit = name[name.size() - 4];
            EqSlot = digit >= QLatin1Char('1') && digit <= QLatin1Char('5')
                         ? static_cast<std::uint8_t>(digit.unicode() - u'0')
                         : 1;
            const std::string target = LocalPath(*chosen);
            if (FileExists(target) &&
                dialogs->MsgBox(QStringLiteral("Are you want to replace this file？\r\n"
                                               "Rename Select[No]!"),
                                vbYesNoQuestion, QStringLiteral("Message")) != vbYes)
                continue;
            // The copy replaces an old preset whole or leaves it as it was.
            if (!stored || !CopyFileAtomic(store, target)) return;
            dialogs->MsgBox(QStringLiteral("EQ save as file complete！"), vbOKOnly,
                            QStringLiteral("Message"));
            FillSet(w_.SendBuf(), ParamId::EqPresetSlot, EqSlot);
            w_.SendPacket();
            Label1->setText(
                (w_.Option1.value(0) ? QStringLiteral("EQ 模式%1") : QStringLiteral("EQ Mode%1"))
                    .arg(EqSlot));
            return;
        }
    });
}

void EqDesign::EQ_Call_Click(int /*Index*/) {
    DeliverEvent("EQ_Call_Click", [this] {
        Dialogs* dialogs = w_.services().dialogs;
        if (dialogs == nullptr) return;
        const QString folder = w_.services().programFolder;
        const std::optional<QString> chosen = dialogs->ShowOpen(
            {QStringLiteral("Recall EQ Effect File"), folder + QStringLiteral("/ModeEffect"),
             QStringLiteral("*.EQ"), QStringLiteral("Effect File(*.EQ)|*.EQ")});
        if (!chosen) return;
        if (!chosen->endsWith(QStringLiteral(".EQ"))) {
            dialogs->MsgBox(QStringLiteral("The Type Incorrect！"), vbOKExclamation,
                            QStringLiteral("Message"));
            return;
        }
        if (IsPattern(*chosen)) return;
        if (dialogs->MsgBox(QStringLiteral("Rewrite Machine With New EQ Effect?"), vbYesNoQuestion,
                            QStringLiteral("Message")) != vbYes)
            return;
        // The store is replaced whole by the preset, or stays as it was.
        const std::string store = LocalPath(folder + QStringLiteral("/Modules/ModeEffects.ini"));
        if (!CopyFileAtomic(LocalPath(*chosen), store)) return;
        if (w_.services().pause) w_.services().pause(100);

        const EqStoreSnapshot preset(store);
        EQ_Opt.select(preset.Active() ? 0 : 1);
        for (int c = 0; c < kEqChannels; ++c) {
            CurChannel = static_cast<std::uint8_t>(c);
            for (int b = 1; b <= kEqBands; ++b) {
                CurBand = static_cast<std::uint8_t>(b);
                // Each value is stored, then assigned; a slider refusing one
                // ends the recall with the bands loaded so far.
                const auto load = [&](EqValue what, float value, ruqSlider* slider) {
                    bands.Store(c, b, what, value);
                    slider->setValue(SliderPosition(value));
                };
                load(EqValue::Freq, preset.Freq(c, b), BandFreqSlider);
                load(EqValue::Gain, preset.RecallGain(c, b), BandGainSlider);
                load(EqValue::Q, preset.Q(c, b), BandQfactorOctSlider);
                BandGainSlider_ValueChanged();
            }
            Channel_Opt_Click(c);
        }
        Channel_Opt_Click(0);
    });
}

void EqDesign::LoadStoredEqualiser(const EqStoreSnapshot& store) {
    EQ_Opt.select(store.Active() ? 0 : 1);
    bands.LoadFromStore(store);
}

}  // namespace calvetta
