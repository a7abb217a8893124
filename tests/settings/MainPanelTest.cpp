// The Main Panel page offscreen: layout, the frames of every handler and the
// reply actions of both device pages.

#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

#include "app/PrivateDesign.h"
#include "link/Protocol.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using calvetta::test::P;
using Payloads = std::vector<std::vector<std::uint8_t>>;

using test::Lit;

class MainPanelTest : public test::LoadedWindowTest {
    Q_OBJECT

  private slots:
    void startStateAndLayout();
    void levelsMuteAndPhase();
    void inputsModesAndLayouts();
    void repliesMirrorTheDeviceWithTheirClamps();
};

void MainPanelTest::startStateAndLayout() {
    QCOMPARE(Lit(m->Input_Cmd), 1);
    QCOMPARE(Lit(m->Input_Cmd1), 0);
    QCOMPARE(Lit(m->Mode_Cmd), 2);

    // Every control inside the page, none overlapping; modes 9 and 10 below it.
    QCOMPARE(test::LayoutFaults(m->Picture2, {m->Mode_Cmd(9), m->Mode_Cmd(10)}), QStringList());
    QVERIFY(Top(m->Mode_Cmd(9)) >= Height(m->Picture2));

    // Caption, arrows and label level with each slider within two pixels, the
    // trim rows' phase options within four.
    auto centre = [this](const QWidget* c) { return c->mapTo(w, c->rect().center()).y(); };
    const int captionIndex[] = {9, 11, 12, 13, 14, 15, 16, 18};
    for (int i = 0; i <= 8; ++i) {
        const int y = centre(m->VOLSlider(i));
        const QWidget* caption = i ? m->Label2(captionIndex[i - 1]) : m->VOLLab(0);
        for (const QWidget* c :
             std::array<const QWidget*, 4>{caption, m->VOLLeft(i), m->VOLRight(i), m->VOLLab(i)})
            QVERIFY(std::abs(centre(c) - y) <= 2);
        if (i > 0) QVERIFY(std::abs(centre((*m->PhasePairs()[std::size_t(i) - 1])(0)) - y) <= 4);
    }
}

void MainPanelTest::levelsMuteAndPhase() {
    // Slider 0 is the master, 1 to 8 the trims of channels 0 to 7.
    const std::tuple<int, int, const char*, std::uint8_t> levels[] = {
        {0, -90, "-90 dB", 0xA6}, {0, 0, "0 dB", 0x00}, {1, 10, "+10 dB", 0x0A},
        {8, -10, "-10 dB", 0xF6}, {2, 0, "0 dB", 0x00}, {3, -1, "-1 dB", 0xFF}};
    for (const auto& [index, value, label, byte] : levels) {
        h->clearFrames();
        m->VOLSlider(index)->setValue(value);
        QCOMPARE(m->VOLLab(index)->text(), QString::fromUtf8(label));
        QCOMPARE(h->payloads(), Payloads{index ? P({6, 0x10, std::uint8_t(index - 1), byte})
                                               : P({6, 0x09, byte})});
    }

    h->clearFrames();
    m->MuteCheck->click();
    QCOMPARE(m->MuteCheck->ForeColor(), vbRed);
    m->MuteCheck->setValue(0);
    m->MuteCheck->setValue(0);  // no change: no click
    QCOMPARE(m->MuteCheck->ForeColor(), vbBlack);
    QCOMPARE(h->payloads(), (Payloads{P({6, 0x08, 1}), P({6, 0x08, 0})}));

    // Bit k is pair k at 180°; each frame carries all eight pairs as they stand.
    h->clearFrames();
    for (int option : {1, 0}) {
        for (OptionGroup* pair : m->PhasePairs())
            (*pair)(option)->click();
    }
    m->SLPhase(0)->click();  // already selected: nothing
    Payloads expected;
    for (int mask : {0x01, 0x03, 0x07, 0x0F, 0x1F, 0x3F, 0x7F, 0xFF, 0xFE, 0xFC, 0xF8, 0xF0, 0xE0,
                     0xC0, 0x80, 0x00})
        expected.push_back(P({6, 0x12, std::uint8_t(mask)}));
    QCOMPARE(h->payloads(), expected);
}

void MainPanelTest::inputsModesAndLayouts() {
    m->Input_Cmd1(1)->click();  // GAME
    m->Input_Cmd(7)->click();   // HDMI 3
    QCOMPARE(m->SourceFunction, std::uint8_t{1});
    QCOMPARE(Lit(m->Input_Cmd1), 1);
    QCOMPARE(Lit(m->Input_Cmd), 7);
    QCOMPARE(h->payloads(), (Payloads{P({6, 0x02, 1}), P({6, 0x03, 7})}));
    // BLUETOOTH (as ARC in the replies) leaves the connector alone but turns
    // every press into ANALOG.
    m->Input_Cmd(2)->click();
    m->Input_Cmd1(5)->click();
    QCOMPARE(Lit(m->Input_Cmd), 2);
    m->Input_Cmd(7)->click();
    QCOMPARE(Lit(m->Input_Cmd), 0);
    QCOMPARE(h->lastPayload(), P({6, 0x03, 0}));
    m->SourceFunction = 255;  // as after connecting: presses go out unchanged
    m->Input_Cmd(10)->click();
    QCOMPARE(h->lastPayload(), P({6, 0x03, 10}));
    // The rule's edges: the applied source 5 to 9 turns HDMI 6 into ANALOG,
    // 4 and 10 do not (9 and 10 only as values, no button has them).
    for (const auto& [source, sent] : {std::pair{4, 10}, {5, 0}, {6, 0}, {9, 0}, {10, 10}}) {
        if (source <= 6) {
            m->Input_Cmd1(source)->click();
        } else {
            m->SourceFunction = static_cast<std::uint8_t>(source);
        }
        m->Input_Cmd(10)->click();
        QCOMPARE(h->lastPayload(), P({6, 0x03, std::uint8_t(sent)}));
        QCOMPARE(Lit(m->Input_Cmd), sent);
    }

    for (const auto& [index, code] : {std::pair{0, 2}, {5, 7}, {8, 0x0A}}) {
        m->Mode_Cmd(index)->click();
        QCOMPARE(Lit(m->Mode_Cmd), index);
        QCOMPARE(h->lastPayload(), P({6, 0x07, std::uint8_t(code)}));
    }
    for (const auto& [index, value] : {std::pair{8, 0}, {7, 1}, {9, 2}}) {
        w->Menu_Cmd(index)->click();
        QCOMPARE(h->lastPayload(), P({6, 0x04, std::uint8_t(value)}));
        QCOMPARE(Lit(w->Menu_Cmd, 7, 9), index);
    }
    QCOMPARE(Lit(m->Mode_Cmd), -1);  // 2.1 leaves no mode lit
    m->Mode_Cmd(3)->click();         // and a mode clears 2.1
    QCOMPARE(Lit(w->Menu_Cmd, 7, 9), -1);
    // The off-page modes, pressed from code, stay red for good.
    m->Mode_Cmd_Click(10);
    QCOMPARE(h->lastPayload(), P({6, 0x07, 12}));
    w->Menu_Cmd_Click(9);
    m->Mode_Cmd_Click(1);
    QCOMPARE(Lit(m->Mode_Cmd, 0, 8), 1);
    QCOMPARE(Lit(m->Mode_Cmd, 9, 10), 10);

    // Indices without a button are ignored.
    h->clearFrames();
    for (int i : {-1, 11}) {
        m->Input_Cmd_Click(i);
        m->Input_Cmd1_Click(i);
        m->Mode_Cmd_Click(i);
    }
    QVERIFY(h->port.frames.empty());
}

void MainPanelTest::repliesMirrorTheDeviceWithTheirClamps() {
    using Get = std::function<QString()>;
    auto n = [](int v) { return QString::number(v); };
    const Get input = [&] { return n(Lit(m->Input_Cmd)); };
    const Get source = [&] { return n(Lit(m->Input_Cmd1)); };
    const Get layout = [&] { return n(Lit(w->Menu_Cmd, 7, 9)); };
    const Get mode = [&] { return n(Lit(m->Mode_Cmd)); };
    const Get mute = [&] { return n(m->MuteCheck->Value()); };
    const Get mask = [&] {
        int bits = 0;
        for (std::size_t k = 0; k < 8; ++k)
            bits |= m->PhasePairs()[k]->selected() == 1 ? 1 << k : 0;
        return QString::number(bits, 16);
    };
    const Get format = [&] { return m->Label2(7)->text(); };
    const Get ver = [&] { return m->VersionLabel->text(); };
    const Get sub = [&] { return n(s->Sub_Opt.selected()); };
    const Get dynamic = [&] { return n(s->Dynamic_Opt.selected()); };
    const Get delay2 = [&] { return s->DelayLab(2)->text(); };
    const Get delay0 = [&] { return n(s->DelaySlider(0)->Value()); };
    auto level = [&](int i) -> Get { return [&, i] { return n(m->VOLSlider(i)->Value()); }; };
    // In order, so each clamp shows against the previous value: a connector
    // under ARC is ANALOG, one above 10 too, a trim channel above 7 is
    // FL, a master byte below A5h is 0 dB and A5h itself -40 dB; a delay
    // channel or distance out of range is FL's 0.
    const std::tuple<std::uint8_t, std::uint8_t, std::uint8_t, Get, const char*> rows[] = {
        {0x02, 6, 0, source, "6"},        {0x03, 4, 0, input, "0"},
        {0x02, 7, 0, source, "0"},        {0x03, 10, 0, input, "10"},
        {0x03, 11, 0, input, "0"},        {0x04, 2, 0, layout, "9"},
        {0x04, 0, 0, layout, "8"},        {0x04, 5, 0, layout, "7"},
        {0x05, 1, 0, format, "PCM"},      {0x07, 10, 0, mode, "8"},
        {0x07, 1, 0, mode, "0"},          {0x07, 6, 0, mode, "4"},
        {0x07, 11, 0, mode, "0"},         {0x08, 1, 0, mute, "1"},
        {0x08, 2, 0, mute, "0"},          {0x09, 0xA6, 0, level(0), "-90"},
        {0x09, 0xA5, 0, level(0), "-40"}, {0x09, 0x7F, 0, level(0), "0"},
        {0x10, 0, 0xF6, level(1), "-10"}, {0x10, 7, 0x0A, level(8), "10"},
        {0x10, 7, 0x0B, level(8), "0"},   {0x10, 0, 0xF5, level(1), "0"},
        {0x10, 9, 0x05, level(1), "5"},   {0x12, 0x03, 0, mask, "3"},
        {0x12, 0x81, 0, mask, "81"},      {0x13, 250, 0, ver, "Ver: 250"},
        {0x13, 251, 0, ver, "Ver: 01"},   {0x06, 1, 0, sub, "1"},
        {0x06, 2, 0, sub, "0"},           {0x0A, 2, 0, dynamic, "2"},
        {0x0A, 3, 0, dynamic, "0"},       {0x11, 2, 100, delay2, "10.0m"},
        {0x11, 0, 50, delay0, "50"},      {0x11, 9, 101, delay0, "0"}};
    for (const auto& [id, value, more, actual, expected] : rows) {
        h->applyReply({ReplyCodeReport, id, value, more});
        QVERIFY2(actual() == QString::fromUtf8(expected),
                 qPrintable(QStringLiteral("reply %1 %2").arg(id).arg(value)));
    }
    // Four bytes: the front pair has no Off; a crossover above 12 is the
    // first, and the lists show exact list texts, so they map back.
    auto sizes = [this] {
        return std::vector{s->SPKLR_Opt.selected(), s->SPKC_Opt.selected(),
                           s->SPKSLSR_Opt.selected(), s->SPKBSLSR_Opt.selected()};
    };
    h->applyReply({ReplyCodeReport, 0x0C, 1, 2, 1, 2});
    QCOMPARE(sizes(), (std::vector{1, 2, 1, 2}));
    h->applyReply({ReplyCodeReport, 0x0C, 2, 3, 2, 0xFF});
    QCOMPARE(sizes(), (std::vector{0, 0, 2, 0}));
    h->applyReply({ReplyCodeReport, 0x0D, 7, 12, 13, 0xFF});
    QVERIFY2(h->port.frames.empty(), "a reply is never echoed as a command");
    s->Combo2_Click(0);
    QCOMPARE(h->lastPayload(), P({6, 0x0D, 7, 12, 0, 0}));
}

QTEST_MAIN(MainPanelTest)
#include "MainPanelTest.moc"
