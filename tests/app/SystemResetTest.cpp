// System Reset, offscreen: the question, the burst it sends from the default
// state and from a changed one, and a No that changes nothing.

#include <QtTest>
#include <vector>

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "platform/Dialogs.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using Bytes = std::vector<std::uint8_t>;
using Payloads = std::vector<Bytes>;

namespace {

struct Harness : test::WindowHarness {
    PrivateDesign& w;
    Harness() : w(load()) { connectLink(); }
    // Answers the question and returns what the reset sent.
    Payloads reset(int answer) {
        clearFrames();
        dialogs.answers.push_back(answer);
        w.Menu_Cmd(3)->click();
        return payloads();
    }
    // What Flat alone sends from the window's present state.
    Payloads flatAlone() {
        clearFrames();
        w.Eq().PEQ_Cmd_Click(12);
        return payloads();
    }
};

Bytes Trim(int ch) {
    return {6, 0x10, static_cast<std::uint8_t>(ch), 0};
}

}  // namespace

class SystemResetTest : public QObject {
    Q_OBJECT
  private slots:
    void fromTheDefaultState();
    void fromAChangedStateEachChangeIsSentOnce();
    void noChangesNothing();
};

void SystemResetTest::fromTheDefaultState() {
    Harness h;
    h.reset(vbYes);
    Harness twin;  // the same state, for Flat's own frames
    twin.reset(vbYes);
    const Payloads flat = twin.flatAlone();

    const Payloads sent = h.reset(vbYes);
    QCOMPARE(h.dialogs.boxes.back().prompt,
             QStringLiteral("Are you want to reset system to default？"));
    QCOMPARE(h.dialogs.boxes.back().style, vbYesNoQuestion);
    QCOMPARE(h.dialogs.boxes.back().title, QStringLiteral("Message"));

    Payloads expected;
    for (int ch = 0; ch < 8; ++ch)
        expected.push_back(Trim(ch));
    expected.push_back({6, 0x04, 1});
    expected.insert(expected.end(), flat.begin(), flat.end());
    expected.push_back({6, 0x0D, 4, 4, 4, 4});
    expected.push_back({6, 0x01, 1});
    QVERIFY(flat.size() > 80);
    QCOMPARE(sent, expected);
}

void SystemResetTest::fromAChangedStateEachChangeIsSentOnce() {
    Harness h;
    PrivateDesign& w = h.w;
    h.reset(vbYes);
    Harness twin;
    twin.reset(vbYes);
    const Payloads flat = twin.flatAlone();

    w.VOLSlider(0)->setValue(-12);
    w.VOLSlider(3)->setValue(5);
    w.DelaySlider(4)->setValue(70);
    w.Menu_Cmd_Click(9);
    w.MuteCheck->setValue(1);
    w.SPKC_Opt.select(2);
    w.SPKSLSR_Opt.select(1);
    w.Sub_Opt.select(1);
    w.Dynamic_Opt.select(2);
    w.Eq().EQ_Opt.select(1);
    w.Combo2(2)->setText(QStringLiteral("150 Hz"));
    w.FLPhase.select(1);
    w.SWPhase.select(1);
    const Payloads sent = h.reset(vbYes);

    Payloads expected = {{6, 0x09, 0xD8}};
    for (int ch = 0; ch < 8; ++ch)
        expected.push_back(Trim(ch));
    expected.push_back({6, 0x11, 4, 29});
    expected.push_back({6, 0x04, 1});
    expected.push_back({6, 0x08, 0});
    expected.insert(expected.end(), flat.begin(), flat.end());
    expected.push_back({6, 0x0C, 0, 2, 0, 0});  // surround back to Large, centre still Off
    expected.push_back({6, 0x0C, 0, 0, 0, 0});
    expected.push_back({6, 0x06, 0});
    expected.push_back({6, 0x0A, 0});
    expected.push_back({6, 0x0D, 4, 4, 4, 4});
    expected.push_back({6, 0x12, 0x80});  // FL back, SW still 180°
    expected.push_back({6, 0x12, 0x00});
    expected.push_back({6, 0x01, 1});
    QCOMPARE(sent, expected);

    QCOMPARE(w.VOLLab(0)->text(), QStringLiteral("-40 dB"));
    QCOMPARE(w.Menu_Cmd(7)->BackColor(), vbRed);
    QVERIFY(w.Eq().EQ_Opt.value(0));
}

void SystemResetTest::noChangesNothing() {
    Harness h;
    PrivateDesign& w = h.w;
    w.VOLSlider(0)->setValue(-12);
    w.Sub_Opt.select(1);
    QVERIFY(h.reset(vbNo).empty());
    QCOMPARE(w.VOLSlider(0)->Value(), -12);
    QVERIFY(w.Sub_Opt.value(1));
    QCOMPARE(h.dialogs.boxes.size(), std::size_t{1});

    // Not connected: the window resets, nothing reaches the port.
    w.link().Connected = 0;
    QVERIFY(h.reset(vbYes).empty());
    QCOMPARE(w.VOLSlider(0)->Value(), -40);
    QVERIFY(w.Sub_Opt.value(0));
}

QTEST_MAIN(SystemResetTest)
#include "SystemResetTest.moc"
