// The Setup page offscreen: layout, the frames every handler sends with the
// bytes carried over in SendBuf and the remote keys' OSD mode. The replies
// that mirror the device are the Main Panel test's.

#include <QtTest>
#include <memory>

#include "app/PrivateDesign.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using test::P;
using Frames = std::vector<std::vector<std::uint8_t>>;

class SetupPageTest : public test::LoadedWindowTest {
    Q_OBJECT

  private slots:
    void layoutAndStartState();
    void speakerSizesAndCrossoversCoverAllFourGroups();
    void delaysPowerSubwooferAndDynamicSendTheirValue();
    void firstKeyEntersOsdModeAndOnlyKeysPassAfter();
    void testToneModesCarryBytesAndGateTheChannels();
};

void SetupPageTest::layoutAndStartState() {
    QCOMPARE(test::LayoutFaults(w->Picture6), QStringList());

    // Delay rows top down, each captioned with its channel's name (as the
    // test-tone buttons give it) and level with its left arrow.
    const int order[] = {0, 2, 3, 4, 5, 6, 1, 7};
    const int labels[] = {0, 1, 2, 3, 4, 10, 17, 31};
    for (int row = 0; row < 8; ++row) {
        const int ch = order[row];
        const QRect left = w->DelayLeft(ch)->geometry();
        QCOMPARE(w->Label2(labels[row])->text(), w->Test_CH_Opt(ch)->text() + ':');
        for (const QWidget* part : std::array<const QWidget*, 4>{
                 w->Label2(labels[row]), w->DelaySlider(ch), w->DelayRight(ch), w->DelayLab(ch)})
            QVERIFY(std::abs(part->geometry().center().y() - left.center().y()) <= 1);
        if (row > 0) QVERIFY(left.top() > w->DelayLeft(order[row - 1])->geometry().bottom());
    }
    QVERIFY(w->Test_Opt(1)->isHidden());  // automatic is never offered
    for (int i = 0; i < 8; ++i)
        QVERIFY(!w->Test_CH_Opt(i)->isEnabled());
}

void SetupPageTest::speakerSizesAndCrossoversCoverAllFourGroups() {
    // Whichever size group changes, the command is built from all four.
    w->SPKLR_Opt(1)->click();
    w->SPKC_Opt(2)->click();
    w->SPKBSLSR_Opt(2)->click();
    QCOMPARE(h->payloads(), (Frames{P({6, 0x0C, 1, 0, 0, 0}), P({6, 0x0C, 1, 2, 0, 0}),
                                    P({6, 0x0C, 1, 2, 0, 2})}));

    // So is the crossover command, from the lists' texts.
    h->clearFrames();
    w->Combo2(1)->setText(QStringLiteral("150 Hz"));
    QTest::keyClick(w->Combo2(1), Qt::Key_Down);  // the user steps to "200 Hz"
    // The other lists as loaded: no Main.ini here, so "50  Hz".
    QCOMPARE(h->lastPayload(), P({6, 0x0D, 1, 12, 1, 1}));

    // A typed text counts only when equal to a list text, blanks included; an
    // unmatched one leaves its byte as the previous command (sizes) left it.
    w->SPKSLSR_Opt(1)->click();  // 0C: 1 2 1 2
    w->Combo2(0)->setText(QStringLiteral("40 Hz"));
    w->Combo2(1)->setText(QStringLiteral("200Hz"));
    w->Combo2(3)->setText(QStringLiteral("120  Hz"));
    QCOMPARE(h->payloads().size(), std::size_t{2});  // typing sends nothing
    w->Combo2_Click(0);
    QCOMPARE(h->lastPayload(), P({6, 0x0D, 1, 2, 1, 8}));
}

void SetupPageTest::delaysPowerSubwooferAndDynamicSendTheirValue() {
    const std::tuple<int, int, const char*> delays[] = {
        {0, 0, "0.0m"}, {3, 9, "0.9m"}, {4, 10, "1.0m"}, {1, 29, "2.9m"}, {7, 100, "10.0m"}};
    for (const auto& [ch, v, text] : delays) {
        w->DelaySlider(ch)->setValue(v);
        QCOMPARE(w->DelayLab(ch)->text(), QString::fromLatin1(text));
        QCOMPARE(h->lastPayload(), P({6, 0x11, std::uint8_t(ch), std::uint8_t(v)}));
    }
    h->clearFrames();
    const std::pair<OptionGroup*, int> presses[] = {
        {&w->Sub_Opt, 1},     {&w->Sub_Opt, 0},     {&w->Option2, 1},    {&w->Option2, 0},
        {&w->Dynamic_Opt, 2}, {&w->Dynamic_Opt, 1}, {&w->Dynamic_Opt, 0}};
    for (const auto& [group, index] : presses)
        (*group)(index)->click();
    QCOMPARE(h->payloads(),
             (Frames{P({6, 0x06, 1}), P({6, 0x06, 0}), P({6, 0x14, 1}), P({6, 0x14, 0}),
                     P({6, 0x0A, 2}), P({6, 0x0A, 1}), P({6, 0x0A, 0})}));
}

void SetupPageTest::firstKeyEntersOsdModeAndOnlyKeysPassAfter() {
    w->Command2(4)->click();  // the first press sends OSD, whatever the key
    for (int k = 0; k < 6; ++k)
        w->Command2(k)->click();
    // Below RemoteKey nothing leaves any more, though the screen follows; power still leaves.
    w->DelaySlider(0)->setValue(40);
    w->Combo2_Click(0);
    w->Option2(1)->click();
    Frames expected;
    for (int code : {2, 4, 6, 3, 7, 5, 2, 1})
        expected.push_back(P({6, 0x14, std::uint8_t(code)}));
    QCOMPARE(h->payloads(), expected);
    QCOMPARE(w->DelayLab(0)->text(), QStringLiteral("4.0m"));

    test::LoadedWindow offline(false);  // a press while not connected still switches the mode
    offline.w.Command2(0)->click();
    offline.connectLink();
    offline.w.Command2(0)->click();
    QCOMPARE(offline.payloads(), Frames{P({6, 0x14, 4})});
}

void SetupPageTest::testToneModesCarryBytesAndGateTheChannels() {
    w->Test_Opt(2)->click();
    QVERIFY(w->Test_CH_Opt(0)->isEnabled() && w->Test_CH_Opt(7)->isEnabled());
    w->Test_CH_Opt(7)->click();
    // Off writes only its first byte, automatic its first two.
    w->Test_Opt(0)->click();
    QVERIFY(!w->Test_CH_Opt(7)->isEnabled() && w->Test_CH_Opt(7)->isChecked());
    w->Test_Opt_Click(1);
    QVERIFY(!w->Test_CH_Opt(0)->isEnabled());  // only manual offers the channels
    QCOMPARE(h->payloads(), (Frames{P({6, 0x0B, 1, 0, 1}), P({6, 0x0B, 1, 0, 8}),
                                    P({6, 0x0B, 0, 0, 8}), P({6, 0x0B, 1, 1, 8})}));
    w->Combo2_Click(0);  // 0D: 1 1 1 1
    w->Test_Opt_Click(0);
    QCOMPARE(h->lastPayload(), P({6, 0x0B, 0, 1, 1}));
    // Manual always starts on FL, whatever channel is shown selected.
    w->Test_Opt(2)->click();
    QCOMPARE(h->lastPayload(), P({6, 0x0B, 1, 0, 1}));
    QVERIFY(w->Test_CH_Opt(7)->isChecked());
}

QTEST_MAIN(SetupPageTest)
#include "SetupPageTest.moc"
