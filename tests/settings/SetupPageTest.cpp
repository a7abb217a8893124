// The Setup page offscreen: layout, the frames every handler sends with the
// bytes carried over in SendBuf, the remote keys' OSD mode and the replies
// that mirror the device.

#include <QtTest>

#include "app/PrivateDesign.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using test::P;
using Frames = std::vector<std::vector<std::uint8_t>>;

using Harness = test::LoadedWindow;

class SetupPageTest : public QObject {
    Q_OBJECT
  private slots:
    void layoutAndStartState();
    void delays();
    void speakerSizesAndCrossoversCoverAllFourGroups();
    void powerSubwooferAndDynamicSendTheirIndex();
    void firstKeyEntersOsdModeAndOnlyKeysPassAfter();
    void testToneModesCarryBytesAndGateTheChannels();
    void repliesMirrorTheDeviceAndSendNothing();
};

void SetupPageTest::layoutAndStartState() {
    Harness h(false);
    PrivateDesign& w = h.w;
    QCOMPARE(test::LayoutFaults(w.Picture6), QStringList());

    // Delay rows top down, each captioned and level with its left arrow.
    const int order[] = {0, 2, 3, 4, 5, 6, 1, 7};
    const char* captions[] = {"FL:", "FR:", "SL:", "SR:", "BSL:", "BSR:", "CEN:", "SW:"};
    const int labels[] = {0, 1, 2, 3, 4, 10, 17, 31};
    for (int row = 0; row < 8; ++row) {
        const int ch = order[row];
        const QRect left = w.DelayLeft(ch)->geometry();
        QCOMPARE(w.Label2(labels[row])->text(), QString::fromLatin1(captions[row]));
        for (const QWidget* part : std::initializer_list<const QWidget*>{
                 w.Label2(labels[row]), w.DelaySlider(ch), w.DelayRight(ch), w.DelayLab(ch)})
            QVERIFY(std::abs(part->geometry().center().y() - left.center().y()) <= 1);
        if (row > 0) QVERIFY(left.top() > w.DelayLeft(order[row - 1])->geometry().bottom());
    }
    // Each crossover list beside its speaker frame.
    for (int k = 0; k < 4; ++k) {
        const QRect frame = w.Frame3(k)->geometry();
        const QRect combo = w.Combo2(k)->geometry();
        QVERIFY(combo.left() > frame.right() && combo.top() > frame.top() &&
                combo.bottom() < frame.bottom());
    }

    QVERIFY(w.Test_Opt(1)->isHidden());  // automatic is never offered
    for (int i = 0; i < 8; ++i)
        QVERIFY(!w.Test_CH_Opt(i)->isEnabled());
    QVERIFY(h.port.frames.empty());
}

void SetupPageTest::delays() {
    Harness h;
    PrivateDesign& w = h.w;
    const std::tuple<int, int, const char*> delays[] = {
        {0, 0, "0.0m"}, {3, 9, "0.9m"}, {4, 10, "1.0m"}, {1, 29, "2.9m"}, {7, 100, "10.0m"}};
    for (const auto& [ch, v, text] : delays) {
        w.DelaySlider(ch)->setValue(v);
        QCOMPARE(w.DelayLab(ch)->text(), QString::fromLatin1(text));
        QCOMPARE(h.lastPayload(), P({6, 0x11, std::uint8_t(ch), std::uint8_t(v)}));
    }
}

void SetupPageTest::speakerSizesAndCrossoversCoverAllFourGroups() {
    Harness h;
    PrivateDesign& w = h.w;
    // Whichever size group changes, the command is built from all four.
    w.SPKLR_Opt(1)->click();
    w.SPKC_Opt(2)->click();
    w.SPKBSLSR_Opt(2)->click();
    w.SPKBSLSR_Opt(2)->click();  // already selected: nothing
    QCOMPARE(h.payloads(), (Frames{P({6, 0x0C, 1, 0, 0, 0}), P({6, 0x0C, 1, 2, 0, 0}),
                                   P({6, 0x0C, 1, 2, 0, 2})}));

    // So is the crossover command, from the lists' texts.
    h.clearFrames();
    w.Combo2(1)->setText(QStringLiteral("150 Hz"));
    QTest::keyClick(w.Combo2(1), Qt::Key_Down);  // the user steps to "200 Hz"
    // The other lists as loaded: no Main.ini here, so "50  Hz".
    QCOMPARE(h.lastPayload(), P({6, 0x0D, 1, 12, 1, 1}));
    w.Combo2(0)->setText(QStringLiteral("40  Hz"));
    w.Combo2_Click(3);
    QCOMPARE(h.lastPayload(), P({6, 0x0D, 0, 12, 1, 1}));

    // A typed text counts only when equal to a list text, blanks included; an
    // unmatched one leaves its byte as the previous command (sizes) left it.
    w.SPKSLSR_Opt(1)->click();  // 0C: 1 2 1 2
    w.Combo2(0)->setText(QStringLiteral("40 Hz"));
    w.Combo2(1)->setText(QStringLiteral("200Hz"));
    w.Combo2(3)->setText(QStringLiteral("120  Hz"));
    QCOMPARE(h.payloads().size(), std::size_t{3});  // typing sends nothing
    w.Combo2_Click(0);
    QCOMPARE(h.lastPayload(), P({6, 0x0D, 1, 2, 1, 8}));
}

void SetupPageTest::powerSubwooferAndDynamicSendTheirIndex() {
    Harness h;
    PrivateDesign& w = h.w;
    const std::pair<OptionGroup*, int> presses[] = {
        {&w.Sub_Opt, 1},     {&w.Sub_Opt, 0},     {&w.Option2, 1},    {&w.Option2, 0},
        {&w.Dynamic_Opt, 2}, {&w.Dynamic_Opt, 1}, {&w.Dynamic_Opt, 0}};
    for (const auto& [group, index] : presses)
        (*group)(index)->click();
    QCOMPARE(h.payloads(),
             (Frames{P({6, 0x06, 1}), P({6, 0x06, 0}), P({6, 0x14, 1}), P({6, 0x14, 0}),
                     P({6, 0x0A, 2}), P({6, 0x0A, 1}), P({6, 0x0A, 0})}));
}

void SetupPageTest::firstKeyEntersOsdModeAndOnlyKeysPassAfter() {
    Harness h;
    PrivateDesign& w = h.w;
    w.Command2(4)->click();  // the first press sends OSD, whatever the key
    QVERIFY(w.link().OsdMode);
    for (int k = 0; k < 6; ++k)
        w.Command2(k)->click();
    // Below RemoteKey nothing leaves any more, though the screen follows; power still leaves.
    w.DelaySlider(0)->setValue(40);
    w.Sub_Opt(1)->click();
    w.Combo2_Click(0);
    w.Test_Opt(2)->click();
    w.Option2(1)->click();
    Frames expected;
    for (int code : {2, 4, 6, 3, 7, 5, 2, 1})
        expected.push_back(P({6, 0x14, std::uint8_t(code)}));
    QCOMPARE(h.payloads(), expected);
    QCOMPARE(w.DelayLab(0)->text(), QStringLiteral("4.0m"));
    QVERIFY(w.Test_CH_Opt(0)->isEnabled());

    Harness offline(false);  // a press while not connected still switches the mode
    offline.w.Command2(0)->click();
    offline.connectLink();
    offline.w.DelaySlider(1)->setValue(3);
    offline.w.Command2(0)->click();
    QCOMPARE(offline.payloads(), Frames{P({6, 0x14, 4})});
}

void SetupPageTest::testToneModesCarryBytesAndGateTheChannels() {
    Harness h;
    PrivateDesign& w = h.w;
    w.Test_Opt(2)->click();
    QVERIFY(w.Test_CH_Opt(0)->isEnabled() && w.Test_CH_Opt(7)->isEnabled());
    w.Test_CH_Opt(7)->click();
    // Off writes only its first byte, automatic its first two.
    w.Test_Opt(0)->click();
    QVERIFY(!w.Test_CH_Opt(7)->isEnabled() && w.Test_CH_Opt(7)->isChecked());
    w.Test_Opt_Click(1);
    QVERIFY(!w.Test_CH_Opt(0)->isEnabled());  // only manual offers the channels
    QCOMPARE(h.payloads(), (Frames{P({6, 0x0B, 1, 0, 1}), P({6, 0x0B, 1, 0, 8}),
                                   P({6, 0x0B, 0, 0, 8}), P({6, 0x0B, 1, 1, 8})}));
    w.Combo2_Click(0);  // 0D: 1 1 1 1
    w.Test_Opt_Click(0);
    QCOMPARE(h.lastPayload(), P({6, 0x0B, 0, 1, 1}));
    // Manual always starts on FL, whatever channel is shown selected.
    w.Test_Opt(2)->click();
    QCOMPARE(h.lastPayload(), P({6, 0x0B, 1, 0, 1}));
    QVERIFY(w.Test_CH_Opt(7)->isChecked());
}

void SetupPageTest::repliesMirrorTheDeviceAndSendNothing() {
    Harness h;
    PrivateDesign& w = h.w;
    auto sizes = [&w] {
        return std::vector{w.SPKLR_Opt.selected(), w.SPKC_Opt.selected(), w.SPKSLSR_Opt.selected(),
                           w.SPKBSLSR_Opt.selected()};
    };
    h.applyReply({0xF0, 0x06, 1});
    QCOMPARE(w.Sub_Opt.selected(), 1);
    h.applyReply({0xF0, 0x06, 2});
    QCOMPARE(w.Sub_Opt.selected(), 0);
    h.applyReply({0xF0, 0x0A, 2});
    QCOMPARE(w.Dynamic_Opt.selected(), 2);
    h.applyReply({0xF0, 0x0A, 3});
    QCOMPARE(w.Dynamic_Opt.selected(), 0);
    h.applyReply({0xF0, 0x0C, 1, 2, 1, 2});
    QCOMPARE(sizes(), (std::vector{1, 2, 1, 2}));
    h.applyReply({0xF0, 0x0C, 2, 3, 2, 0xFF});  // the front pair has no Off
    QCOMPARE(sizes(), (std::vector{0, 0, 2, 0}));
    h.applyReply({0xF0, 0x0D, 7, 12, 13, 0xFF});  // every listed position; above 12 the first
    QCOMPARE(w.Combo2(1)->Text(), QStringLiteral("200 Hz"));
    h.applyReply({0xF0, 0x11, 1, 0x1D});
    QCOMPARE(w.DelayLab(1)->text(), QStringLiteral("2.9m"));
    h.applyReply({0xF0, 0x11, 0, 50});
    h.applyReply({0xF0, 0x11, 9, 101});  // channel and distance out of range
    QCOMPARE(w.DelaySlider(0)->Value(), 0);

    QVERIFY(h.port.frames.empty());
    w.Combo2_Click(0);  // the lists show exact list texts, so they map back
    QCOMPARE(h.lastPayload(), P({6, 0x0D, 7, 12, 0, 0}));
}

QTEST_MAIN(SetupPageTest)
#include "SetupPageTest.moc"
