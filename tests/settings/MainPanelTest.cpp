// The Main Panel page offscreen: layout, the frames of every handler and the
// reply actions.

#include <QtTest>
#include <functional>
#include <vector>

#include "app/PrivateDesign.h"
#include "link/Protocol.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using calvetta::test::P;
using Payloads = std::vector<std::vector<std::uint8_t>>;

using Harness = test::LoadedWindow;
using test::Lit;

class MainPanelTest : public QObject {
    Q_OBJECT
  private slots:
    void startStateAndLayout();
    void levels();
    void muteAndPhase();
    void inputsModesAndLayouts();
    void repliesMirrorTheDeviceWithTheirClamps();
};

void MainPanelTest::startStateAndLayout() {
    Harness h;
    PrivateDesign& w = h.w;
    QVERIFY(h.port.frames.empty());
    QVERIFY(Lit(w.Input_Cmd) == 1 && Lit(w.Input_Cmd1) == 0 && Lit(w.Mode_Cmd) == 2);

    // Every control inside the page, none overlapping; modes 9 and 10 below it.
    QCOMPARE(test::LayoutFaults(w.Picture2, {w.Mode_Cmd(9), w.Mode_Cmd(10)}), QStringList());
    QVERIFY(Top(w.Mode_Cmd(9)) >= Height(w.Picture2));

    // Caption, arrows and label level with each slider within two pixels, the
    // trim rows' phase options within four.
    auto centre = [](const QWidget* c) { return Top(c) + Height(c) / 2; };
    const int captionIndex[] = {9, 11, 12, 13, 14, 15, 16, 18};
    for (int i = 0; i <= 8; ++i) {
        const int y = centre(w.VOLSlider(i));
        std::vector<const QWidget*> row = {w.VOLLeft(i), w.VOLRight(i), w.VOLLab(i)};
        if (i > 0) row.push_back(w.Label2(captionIndex[i - 1]));
        for (const QWidget* c : row)
            QVERIFY(std::abs(centre(c) - y) <= 30);
        if (i > 0) {
            const QWidget* zero = (*w.PhasePairs()[static_cast<std::size_t>(i - 1)])(0);
            QVERIFY(std::abs(Top(zero->parentWidget()) + centre(zero) - y) <= 60);
        }
    }
}

void MainPanelTest::levels() {
    Harness h;
    PrivateDesign& w = h.w;
    const std::tuple<int, int, const char*, std::vector<std::uint8_t>> levels[] = {
        {0, -90, "-90 dB", P({6, 0x09, 0xA6})},
        {0, 0, "0 dB", P({6, 0x09, 0x00})},
        {1, 10, "+10 dB", P({6, 0x10, 0, 0x0A})},
        {8, -10, "-10 dB", P({6, 0x10, 7, 0xF6})},
        {2, 0, "0 dB", P({6, 0x10, 1, 0x00})}};
    for (const auto& [index, value, label, payload] : levels) {
        h.clearFrames();
        w.VOLSlider(index)->setValue(value);
        QCOMPARE(w.VOLLab(index)->text(), QString::fromUtf8(label));
        QCOMPARE(h.payloads(), Payloads{payload});
    }
}

void MainPanelTest::muteAndPhase() {
    Harness h;
    PrivateDesign& w = h.w;
    w.MuteCheck->click();
    QCOMPARE(w.MuteCheck->ForeColor(), vbRed);
    w.MuteCheck->setValue(0);
    w.MuteCheck->setValue(0);  // no change: no click
    QCOMPARE(w.MuteCheck->ForeColor(), vbBlack);
    QCOMPARE(h.payloads(), (Payloads{P({6, 0x08, 1}), P({6, 0x08, 0})}));

    // Bit k is pair k at 180°; each frame carries all eight pairs as they stand.
    h.clearFrames();
    for (int option : {1, 0}) {
        for (OptionGroup* pair : w.PhasePairs())
            (*pair)(option)->click();
    }
    w.SLPhase(0)->click();  // already selected: nothing
    Payloads expected;
    for (int m : {0x01, 0x03, 0x07, 0x0F, 0x1F, 0x3F, 0x7F, 0xFF, 0xFE, 0xFC, 0xF8, 0xF0, 0xE0,
                  0xC0, 0x80, 0x00})
        expected.push_back(P({6, 0x12, std::uint8_t(m)}));
    QCOMPARE(h.payloads(), expected);
}

void MainPanelTest::inputsModesAndLayouts() {
    Harness h;
    PrivateDesign& w = h.w;
    w.Input_Cmd1(1)->click();  // GAME
    w.Input_Cmd(7)->click();   // HDMI 3
    QVERIFY(w.SourceFunction == 1 && Lit(w.Input_Cmd1) == 1 && Lit(w.Input_Cmd) == 7);
    QCOMPARE(h.payloads(), (Payloads{P({6, 0x02, 1}), P({6, 0x03, 7})}));
    // BLUETOOTH and ARC leave the connector alone but turn every press into ANALOG.
    for (int source : {5, 6}) {
        w.Input_Cmd1_Click(1);
        w.Input_Cmd(2)->click();
        w.Input_Cmd1(source)->click();
        QCOMPARE(Lit(w.Input_Cmd), 2);
        w.Input_Cmd(7)->click();
        QCOMPARE(Lit(w.Input_Cmd), 0);
        QCOMPARE(h.lastPayload(), P({6, 0x03, 0}));
    }
    w.SourceFunction = 255;  // as after connecting: presses go out unchanged
    w.Input_Cmd(10)->click();
    QCOMPARE(h.lastPayload(), P({6, 0x03, 10}));

    for (const auto& [index, code] : {std::pair{0, 2}, {5, 7}, {8, 0x0A}}) {
        w.Mode_Cmd(index)->click();
        QCOMPARE(Lit(w.Mode_Cmd), index);
        QCOMPARE(h.lastPayload(), P({6, 0x07, std::uint8_t(code)}));
    }
    for (const auto& [index, value] : {std::pair{8, 0}, {7, 1}, {9, 2}}) {
        w.Menu_Cmd(index)->click();
        QCOMPARE(h.lastPayload(), P({6, 0x04, std::uint8_t(value)}));
        QCOMPARE(Lit(w.Menu_Cmd, 7, 9), index);
    }
    QCOMPARE(Lit(w.Mode_Cmd), -1);  // 2.1 leaves no mode lit
    w.Mode_Cmd(3)->click();         // and a mode clears 2.1
    QCOMPARE(Lit(w.Menu_Cmd, 7, 9), -1);
    // The off-page modes, pressed from code, stay red for good.
    w.Mode_Cmd_Click(10);
    QCOMPARE(h.lastPayload(), P({6, 0x07, 12}));
    w.Menu_Cmd_Click(9);
    w.Mode_Cmd_Click(1);
    QVERIFY(Lit(w.Mode_Cmd, 0, 8) == 1 && Lit(w.Mode_Cmd, 9, 10) == 10);

    // Indices without a button are ignored, also by the public handlers.
    h.clearFrames();
    for (int i : {-1, 11, 255}) {
        w.Input_Cmd_Click(i);
        w.Input_Cmd1_Click(i);
        w.Mode_Cmd_Click(i);
        w.VOLSlider_ValueChanged(i);
        w.VOLLeft_MouseUp(i, 1, 0, 0, 0);
        w.SpeakerLayout_Click(i);
    }
    QVERIFY(h.port.frames.empty());
}

void MainPanelTest::repliesMirrorTheDeviceWithTheirClamps() {
    Harness h;
    PrivateDesign& w = h.w;
    using Get = std::function<QString()>;
    auto n = [](int v) { return QString::number(v); };
    const Get input = [&] { return n(Lit(w.Input_Cmd)); };
    const Get source = [&] { return n(Lit(w.Input_Cmd1)); };
    const Get layout = [&] { return n(Lit(w.Menu_Cmd, 7, 9)); };
    const Get mode = [&] { return n(Lit(w.Mode_Cmd)); };
    const Get mute = [&] { return n(w.MuteCheck->Value()); };
    const Get mask = [&] {
        int bits = 0;
        for (std::size_t k = 0; k < 8; ++k)
            bits |= w.PhasePairs()[k]->selected() == 1 ? 1 << k : 0;
        return QString::number(bits, 16);
    };
    const Get format = [&] { return w.Label2(7)->text(); };
    const Get version = [&] { return w.VersionLabel->text(); };
    auto level = [&](int i) -> Get { return [&, i] { return n(w.VOLSlider(i)->Value()); }; };
    // In order, so each clamp shows against the previous value: a connector
    // under BLUETOOTH is ANALOG, one above 10 too, a trim channel above 7 is
    // FL, a master byte below A5h is 0 dB and A5h itself -40 dB.
    const struct {
        std::uint8_t id, value, more;
        Get actual;
        const char* expected;
    } rows[] = {{0x02, 5, 0, source, "5"},         {0x03, 4, 0, input, "0"},
                {0x02, 7, 0, source, "0"},         {0x03, 8, 0, input, "8"},
                {0x03, 10, 0, input, "10"},        {0x03, 11, 0, input, "0"},
                {0x04, 2, 0, layout, "9"},         {0x04, 2, 0, mode, "-1"},
                {0x04, 0, 0, layout, "8"},         {0x04, 5, 0, layout, "7"},
                {0x05, 1, 0, format, "PCM"},       {0x07, 10, 0, mode, "8"},
                {0x07, 1, 0, mode, "0"},           {0x07, 6, 0, mode, "4"},
                {0x07, 11, 0, mode, "0"},          {0x08, 1, 0, mute, "1"},
                {0x08, 2, 0, mute, "0"},           {0x09, 0xA6, 0, level(0), "-90"},
                {0x09, 0xA5, 0, level(0), "-40"},  {0x09, 0x7F, 0, level(0), "0"},
                {0x10, 0, 0xF6, level(1), "-10"},  {0x10, 7, 0x0A, level(8), "10"},
                {0x10, 7, 0x0B, level(8), "0"},    {0x10, 0, 0xF5, level(1), "0"},
                {0x10, 9, 0x05, level(1), "5"},    {0x12, 0x03, 0, mask, "3"},
                {0x12, 0x81, 0, mask, "81"},       {0x13, 250, 0, version, "Ver: 250"},
                {0x13, 251, 0, version, "Ver: 01"}};
    for (const auto& row : rows) {
        h.applyReply({ReplyCodeReport, row.id, row.value, row.more});
        QVERIFY2(row.actual() == QString::fromUtf8(row.expected),
                 qPrintable(QStringLiteral("reply %1 %2").arg(row.id).arg(row.value)));
        QVERIFY2(h.port.frames.empty(), "a reply is never echoed as a command");
    }
}

QTEST_MAIN(MainPanelTest)
#include "MainPanelTest.moc"
