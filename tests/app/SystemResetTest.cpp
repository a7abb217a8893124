// System Reset offscreen: the question, the burst from the default state and
// from a changed one, a No, and a reset while not connected.

#include <QtTest>

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "platform/Dialogs.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using Payloads = std::vector<std::vector<std::uint8_t>>;

namespace {
struct Harness : test::WindowHarness {
    PrivateDesign& w = load();
    // Answers the question and returns what the reset sent.
    Payloads reset(int answer) {
        clearFrames();
        dialogs.answers.push_back(answer);
        w.Menu_Cmd(3)->click();
        return payloads();
    }
};
}  // namespace

class SystemResetTest : public QObject {
    Q_OBJECT
  private slots:
    void burstFromTheDefaultAndAChangedState();
    void noOrNotConnected();
};

void SystemResetTest::burstFromTheDefaultAndAChangedState() {
    Harness h;
    PrivateDesign& w = h.w;
    h.connectLink();
    h.reset(vbYes);
    const auto& box = h.dialogs.boxes.back();
    QCOMPARE(box.prompt, QStringLiteral("Are you want to reset system to default？"));
    QVERIFY(box.style == vbYesNoQuestion && box.title == QStringLiteral("Message"));
    // Flat from the default state, as the reset runs it.
    h.clearFrames();
    w.Eq().PEQ_Cmd_Click(12);
    const Payloads flat = h.payloads();
    QVERIFY(flat.size() > 80);

    Payloads trims;
    for (std::uint8_t ch = 0; ch < 8; ++ch)
        trims.push_back({6, 0x10, ch, 0});
    Payloads expected = trims;
    expected.push_back({6, 0x04, 1});
    expected.insert(expected.end(), flat.begin(), flat.end());
    expected.push_back({6, 0x0D, 4, 4, 4, 4});
    expected.push_back({6, 0x01, 1});
    QCOMPARE(h.reset(vbYes), expected);

    w.VOLSlider(0)->setValue(-12);
    w.VOLSlider(3)->setValue(5);
    w.DelaySlider(4)->setValue(70);
    w.Menu_Cmd_Click(9);
    w.MuteCheck->setValue(1);
    w.SPKC_Opt.select(2);
    w.SPKSLSR_Opt.select(1);
    w.Sub_Opt.select(1);
    w.Dynamic_Opt.select(2);
    w.Combo2(2)->setText(QStringLiteral("150 Hz"));
    w.FLPhase.select(1);
    w.SWPhase.select(1);
    expected = {{6, 0x09, 0xD8}};
    expected.insert(expected.end(), trims.begin(), trims.end());
    expected.insert(expected.end(), {{6, 0x11, 4, 29}, {6, 0x04, 1}, {6, 0x08, 0}});
    expected.insert(expected.end(), flat.begin(), flat.end());
    // Surround back to Large with the centre still Off, then the centre.
    expected.insert(expected.end(), {{6, 0x0C, 0, 2, 0, 0},
                                     {6, 0x0C, 0, 0, 0, 0},
                                     {6, 0x06, 0},
                                     {6, 0x0A, 0},
                                     {6, 0x0D, 4, 4, 4, 4}});
    // FL back with SW still at 180°, then SW; the reset last.
    expected.insert(expected.end(), {{6, 0x12, 0x80}, {6, 0x12, 0}, {6, 0x01, 1}});
    QCOMPARE(h.reset(vbYes), expected);
    QCOMPARE(w.Menu_Cmd(7)->BackColor(), vbRed);
}

void SystemResetTest::noOrNotConnected() {
    Harness h;
    PrivateDesign& w = h.w;
    h.connectLink();
    w.VOLSlider(0)->setValue(-12);
    w.Sub_Opt.select(1);
    QVERIFY(h.reset(vbNo).empty());
    QVERIFY(w.VOLSlider(0)->Value() == -12 && w.Sub_Opt.value(1));

    w.link().Connected = 0;
    QVERIFY(h.reset(vbYes).empty());
    QVERIFY(w.VOLSlider(0)->Value() == -40 && w.Sub_Opt.value(0));
    QCOMPARE(w.DelayLab(7)->text(), QStringLiteral("2.9m"));
}

QTEST_MAIN(SystemResetTest)
#include "SystemResetTest.moc"
