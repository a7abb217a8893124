// The EQ status options and the preset buttons offscreen, with scripted
// dialogs: every branch of EQ Save and EQ Recall, files that are no presets,
// copies and stores that cannot be written, and a save and recall round trip.

#include <QtTest>

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using Bytes = std::vector<std::uint8_t>;
using Frames = std::vector<Bytes>;

namespace {

const QString kShipped = QStringLiteral(CALVETTA_SOURCE_DIR "/resources/Modules/ModeEffects.ini");

QByteArray Get(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly),
             qPrintable(path + QStringLiteral(": ") + f.errorString()));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

// A table of the bands, row by row, for comparisons that show the values.
std::vector<std::vector<float>> Rows(const EqBands::Table& table) {
    std::vector<std::vector<float>> rows;
    for (const EqBands::Row& row : table)
        rows.emplace_back(row.begin(), row.end());
    return rows;
}

// The shipped store with some values changed.
QByteArray Shipped(std::initializer_list<std::pair<const char*, const char*>> changes) {
    QByteArray bytes = Get(kShipped);
    for (const auto& [from, to] : changes)
        bytes.replace(from, to);
    return bytes;
}

// The shipped store and an old preset "EQ2.EQ" in place, loaded (so the
// store's "Active" is selected) and connected, every channel flat.
struct Harness : test::WindowHarness {
    PrivateDesign& w;
    EqDesign& eq;
    const QString store = at("Modules/ModeEffects.ini");
    Harness() : w(layOut().load()), eq(w.Eq()) {
        connectLink();
        eq.PEQ_Cmd_Click(12);
        clearFrames();
    }
    Harness& layOut() {
        for (const char* dir : {"ModeEffect", "Modules"})
            QDir(folder.path()).mkpath(QString::fromUtf8(dir));
        QFile::copy(kShipped, at("Modules/ModeEffects.ini"));
        Put(at("ModeEffect/EQ2.EQ"), "old");
        return *this;
    }
    QString at(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    // Clicks with the file dialogs (nullptr: Cancel) and the boxes answered.
    void click(QPushButton* button, std::initializer_list<const char*> files,
               std::deque<int> answers = {}) {
        for (const char* f : files)
            dialogs.files.push_back(f ? std::optional(at(f)) : std::nullopt);
        dialogs.answers = std::move(answers);
        button->click();
    }
    // The styles of the boxes shown: 36 a question, 0 a note, 48 a warning.
    QString boxes() const {
        QStringList out;
        for (const auto& b : dialogs.boxes)
            out << QString::number(b.style);
        return out.join(QLatin1Char(' '));
    }
    // The first file dialog: save or open, the folder it starts in, the name.
    QStringList firstDialog() const {
        const auto& [save, r] = dialogs.fileDialogs.front();
        return {save ? "save" : "open", r.InitDir, r.FileName};
    }
};

}  // namespace

class EqPresetsTest : public QObject {
    Q_OBJECT
  private slots:
    void saveBranches();
    void recallBranches();
    void statusAndRoundTrip();
};

void EqPresetsTest::saveBranches() {
    const QByteArray edited =
        Shipped({{"Active=True", "Active=False"}, {"Ch0_Band1_Gain=200", "Ch0_Band1_Gain=206"}});
    struct Case {
        std::initializer_list<const char*> files;
        std::deque<int> answers;
        int slot;
        const char* label;  // "": nothing saved, nothing sent
        const char* boxes;
    };
    const Case cases[] = {
        {{nullptr}, {}, 1, "", ""},
        {{"*.EQ"}, {}, 1, "", ""},
        {{"ModeEffect/EQ3"}, {}, 1, "", ""},
        {{"ModeEffect/EQ3.EQ"}, {}, 3, "EQ Mode3", "0"},
        {{"ModeEffect/Rock7.EQ"}, {}, 1, "EQ 模式1", "0"},
        {{"ModeEffect/EQ2.EQ", nullptr}, {vbNo}, 2, "", "36"},
        {{"ModeEffect/EQ2.EQ"}, {vbYes}, 2, "EQ Mode2", "36 0"},
        {{"Modules/ModeEffects.ini/EQ5.EQ"}, {}, 5, "", ""},
    };
    for (const Case& c : cases) {
        Harness h;
        const QString label = QString::fromUtf8(c.label);
        h.w.Option1.select(label.contains(QStringLiteral("Mode")) ? 1 : 0);
        h.eq.BandGainSlider->setValue(206);
        h.eq.EQ_Opt(1)->click();
        h.clearFrames();
        h.click(h.eq.EQ_Save, c.files, c.answers);

        // The store is written first, whatever follows; No shows the dialog again.
        QCOMPARE(Get(h.store), edited);
        QCOMPARE(h.firstDialog(), (QStringList{"save", h.at("ModeEffect"), "EQ1.EQ"}));
        QCOMPARE(h.dialogs.fileDialogs.size(), c.files.size());
        QCOMPARE(h.boxes(), QString::fromUtf8(c.boxes));
        QCOMPARE(h.w.Eq().EqSlot, std::uint8_t(c.slot));
        const Frames slot = {{6, 0x13, std::uint8_t(c.slot)}};
        QCOMPARE(h.payloads(), label.isEmpty() ? Frames{} : slot);
        QCOMPARE(h.eq.Label1->text(), label);
        if (!label.isEmpty()) QCOMPARE(Get(h.at(*c.files.begin())), edited);
        if (label.isEmpty() || c.slot != 2) QCOMPARE(Get(h.at("ModeEffect/EQ2.EQ")), "old");
    }

    // A copy that fails keeps the old preset (its name leaves no room for the
    // copy's temporary name); a store that cannot be written (a link to such a
    // name) is no preset. Nothing is sent either time.
    Harness h;
    const std::string name = std::string(245, 'a') + "1.EQ";
    const std::string preset = "ModeEffect/" + name, stuck = "Modules/" + name;
    Put(h.at(preset.c_str()), "old");
    h.click(h.eq.EQ_Save, {preset.c_str()}, {vbYes});
    QVERIFY(QFile::rename(h.store, h.at(stuck.c_str())));
    QVERIFY(QFile::link(h.at(stuck.c_str()), h.store));
    h.click(h.eq.EQ_Save, {"ModeEffect/EQ2.EQ"}, {vbYes});
    QCOMPARE(Get(h.at(preset.c_str())), "old");
    QCOMPARE(Get(h.at("ModeEffect/EQ2.EQ")), "old");
    QVERIFY(h.port.frames.empty());
}

void EqPresetsTest::recallBranches() {
    // Cancelled or refused: the store and the bands stay, nothing is sent.
    const std::tuple<const char*, int, const char*> refused[] = {
        {nullptr, vbYes, ""},
        {"ModeEffect/live.eq", vbYes, "48"},
        {"*.EQ", vbYes, ""},
        {"ModeEffect/A.EQ", vbNo, "36"},
        {"ModeEffect/X.EQ", vbYes, "36"}};
    for (const auto& [file, answer, boxes] : refused) {
        Harness h;
        for (const char* name : {"ModeEffect/A.EQ", "ModeEffect/live.eq"})
            Put(h.at(name), "[PEQ_Config]\r\nPEQ_Ch0_Band1_Gain=100\r\n");
        QDir().mkpath(h.at("ModeEffect/X.EQ"));
        h.click(h.eq.EQ_Call(0), {file}, {answer});
        QCOMPARE(h.firstDialog(), (QStringList{"open", h.at("ModeEffect"), "*.EQ"}));
        QCOMPARE(h.boxes(), QString::fromUtf8(boxes));
        QCOMPARE(Get(h.store), Get(kShipped));
        QVERIFY(h.port.frames.empty());
        QCOMPARE(h.eq.bands.PeqGain()[0][1], 200.0f);
    }

    // No preset at all: copied whole after the pause, every key reads "1";
    // the status goes first, FL band 1 last.
    const QByteArray noise(4096, '\xff');
    Harness h;
    Put(h.at("ModeEffect/C.EQ"), noise);
    h.click(h.eq.EQ_Call(0), {"ModeEffect/C.EQ"}, {vbYes});
    QCOMPARE(Get(h.store), noise);
    QCOMPARE(h.eq.EQ_Opt.selected(), 1);
    QCOMPARE(h.eq.bands.PeqGain()[4][7], 1.0f);
    QCOMPARE(h.eq.bands.PeqQ()[7][10], 1.0f);
    QCOMPARE(std::count(h.pauses.begin(), h.pauses.end(), 100), 1);
    QCOMPARE(h.payloads().front(), (Bytes{6, 0x0F, 0}));
    QCOMPARE(h.payloads().back(), (Bytes{6, 0x0E, 0, 1, 1, 1, 1}));

    // A gain of -5 is refused by its slider and ends the recall at FL band 2,
    // after band 1's bandwidth frame and direct call and band 2's frequency.
    Harness n;
    Put(n.at("ModeEffect/B.EQ"), Shipped({{"Ch0_Band2_Gain=200", "Ch0_Band2_Gain=-5"},
                                          {"Ch0_Band1_Q=10", "Ch0_Band1_Q=12"}}));
    n.click(n.eq.EQ_Call(0), {"ModeEffect/B.EQ"}, {vbYes});
    QCOMPARE(n.w.Eq().CurBand, std::uint8_t{2});
    QCOMPARE(n.eq.bands.PeqGain()[0][2], -5.0f);
    QCOMPARE(n.eq.bands.PeqQ()[0][2], 10.0f);
    const Bytes band1 = {6, 0x0E, 0, 1, 200, 26, 12};
    QCOMPARE(n.payloads(), (Frames{band1, band1, {6, 0x0E, 0, 2, 200, 60, 12}}));
}

void EqPresetsTest::statusAndRoundTrip() {
    Harness h;
    EqDesign& eq = h.eq;
    // Status by hand: sent only when the selection changes. By reply: nothing sent.
    for (int i : {1, 1, 0})
        eq.EQ_Opt(i)->click();
    QCOMPARE(h.payloads(), (Frames{{6, 0x0F, 0}, {6, 0x0F, 1}}));
    h.clearFrames();
    for (const auto& [p2, selected] : {std::pair{0, 1}, {1, 0}, {2, 1}, {1, 0}, {255, 1}}) {
        h.applyReply({0xF0, 0x0F, static_cast<std::uint8_t>(p2)});
        QCOMPARE(eq.EQ_Opt.selected(), selected);
    }
    QVERIFY(h.port.frames.empty());

    // Saved, then recalled over a flat equaliser: the bands and the status
    // (Bypass, as the last reply left it) come back.
    eq.Channel_Opt.select(2);  // FR band 4 edited
    eq.PEQ_Cmd_Click(3);
    eq.BandFreqSlider->setValue(100);
    eq.BandGainSlider->setValue(17);
    eq.BandQfactorOctSlider->setValue(3);
    const EqBands edited = eq.bands;
    h.click(eq.EQ_Save, {"ModeEffect/EQ4.EQ"});
    eq.PEQ_Cmd_Click(12);
    eq.EQ_Opt(0)->click();
    h.click(eq.EQ_Call(0), {"ModeEffect/EQ4.EQ"}, {vbYes});
    QCOMPARE(Rows(eq.bands.PeqFreq()), Rows(edited.PeqFreq()));
    QCOMPARE(Rows(eq.bands.PeqGain()), Rows(edited.PeqGain()));
    QCOMPARE(Rows(eq.bands.PeqQ()), Rows(edited.PeqQ()));
    QCOMPARE(eq.EQ_Opt.selected(), 1);
    QCOMPARE(h.w.Eq().CurBand, std::uint8_t{1});
}

QTEST_MAIN(EqPresetsTest)
#include "EqPresetsTest.moc"
