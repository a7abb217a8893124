// The Setup page offscreen: layout, the frames every handler sends with the
// bytes carried over in SendBuf and the remote keys' OSD mode. The replies
// that mirror the device are the Main Panel test's.

#include <QtTest>
#include <memory>

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
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
    void optionsSendWhatTheirCaptionsSay();
};

void SetupPageTest::layoutAndStartState() {
    QCOMPARE(test::LayoutFaults(s->Picture6), QStringList());

    // Delay rows top down, each captioned with its channel's name (as the
    // test-tone buttons give it) and level with its left arrow.
    const int order[] = {0, 2, 3, 4, 5, 6, 1, 7};
    const int labels[] = {0, 1, 2, 3, 4, 10, 17, 31};
    for (int row = 0; row < 8; ++row) {
        const int ch = order[row];
        const QRect left = s->DelayLeft(ch)->geometry();
        QCOMPARE(s->Label2(labels[row])->text(), s->Test_CH_Opt(ch)->text() + ':');
        for (const QWidget* part : std::array<const QWidget*, 4>{
                 s->Label2(labels[row]), s->DelaySlider(ch), s->DelayRight(ch), s->DelayLab(ch)})
            QVERIFY(std::abs(part->geometry().center().y() - left.center().y()) <= 1);
        if (row > 0) QVERIFY(left.top() > s->DelayLeft(order[row - 1])->geometry().bottom());
    }
    QVERIFY(s->Test_Opt(1)->isHidden());  // automatic is never offered
    for (int i = 0; i < 8; ++i)
        QVERIFY(!s->Test_CH_Opt(i)->isEnabled());
}

void SetupPageTest::speakerSizesAndCrossoversCoverAllFourGroups() {
    // Whichever size group changes, the command is built from all four.
    s->SPKLR_Opt(1)->click();
    s->SPKC_Opt(2)->click();
    s->SPKBSLSR_Opt(2)->click();
    QCOMPARE(h->payloads(), (Frames{P({6, 0x0C, 1, 0, 0, 0}), P({6, 0x0C, 1, 2, 0, 0}),
                                    P({6, 0x0C, 1, 2, 0, 2})}));

    // So is the crossover command, from the lists' texts.
    h->clearFrames();
    s->Combo2(1)->setText(QStringLiteral("150 Hz"));
    QTest::keyClick(s->Combo2(1), Qt::Key_Down);  // the user steps to "200 Hz"
    // The other lists as loaded: no Main.ini here, so "50  Hz".
    QCOMPARE(h->lastPayload(), P({6, 0x0D, 1, 12, 1, 1}));

    // A typed text counts only when equal to a list text, blanks included; an
    // unmatched one sends the entry its list showed last and shows it again,
    // whatever the previous command (sizes) left in its byte.
    s->SPKSLSR_Opt(1)->click();  // 0C: 1 2 1 2
    s->Combo2(0)->setText(QStringLiteral("40 Hz"));
    s->Combo2(1)->setText(QStringLiteral("200Hz"));
    s->Combo2(3)->setText(QStringLiteral("120  Hz"));
    QCOMPARE(h->payloads().size(), std::size_t{2});  // typing sends nothing
    s->Combo2_Click(0);
    QCOMPARE(h->lastPayload(), P({6, 0x0D, 1, 12, 1, 8}));
    QCOMPARE(s->Combo2(0)->Text(), QStringLiteral("50  Hz"));
    QCOMPARE(s->Combo2(1)->Text(), QStringLiteral("200 Hz"));
}

void SetupPageTest::delaysPowerSubwooferAndDynamicSendTheirValue() {
    const std::tuple<int, int, const char*> delays[] = {
        {0, 0, "0.0m"}, {3, 9, "0.9m"}, {4, 10, "1.0m"}, {1, 29, "2.9m"}, {7, 100, "10.0m"}};
    for (const auto& [ch, v, text] : delays) {
        s->DelaySlider(ch)->setValue(v);
        QCOMPARE(s->DelayLab(ch)->text(), QString::fromLatin1(text));
        QCOMPARE(h->lastPayload(), P({6, 0x11, std::uint8_t(ch), std::uint8_t(v)}));
    }
    h->clearFrames();
    const std::pair<OptionGroup*, int> presses[] = {
        {&s->Sub_Opt, 1},     {&s->Sub_Opt, 0},     {&s->Option2, 1},    {&s->Option2, 0},
        {&s->Dynamic_Opt, 2}, {&s->Dynamic_Opt, 1}, {&s->Dynamic_Opt, 0}};
    for (const auto& [group, index] : presses)
        (*group)(index)->click();
    QCOMPARE(h->payloads(),
             (Frames{P({6, 0x06, 1}), P({6, 0x06, 0}), P({6, 0x14, 1}), P({6, 0x14, 0}),
                     P({6, 0x0A, 2}), P({6, 0x0A, 1}), P({6, 0x0A, 0})}));
}

void SetupPageTest::firstKeyEntersOsdModeAndOnlyKeysPassAfter() {
    s->Command2(4)->click();  // the first press sends OSD, whatever the key
    for (int k = 0; k < 6; ++k)
        s->Command2(k)->click();
    // Below RemoteKey nothing leaves any more, though the screen follows; power still leaves.
    s->DelaySlider(0)->setValue(40);
    s->Combo2_Click(0);
    s->Option2(1)->click();
    Frames expected;
    for (int code : {2, 4, 6, 3, 7, 5, 2, 1})
        expected.push_back(P({6, 0x14, std::uint8_t(code)}));
    QCOMPARE(h->payloads(), expected);
    QCOMPARE(s->DelayLab(0)->text(), QStringLiteral("4.0m"));

    test::LoadedWindow offline(false);  // a press while not connected still switches the mode
    offline.w.Setup().Command2(0)->click();
    offline.connectLink();
    offline.w.Setup().Command2(0)->click();
    QCOMPARE(offline.payloads(), Frames{P({6, 0x14, 4})});
}

void SetupPageTest::testToneModesCarryBytesAndGateTheChannels() {
    s->Test_Opt(2)->click();
    QVERIFY(s->Test_CH_Opt(0)->isEnabled());
    QVERIFY(s->Test_CH_Opt(7)->isEnabled());
    s->Test_CH_Opt(7)->click();
    // Off writes only its first byte, automatic its first two.
    s->Test_Opt(0)->click();
    QVERIFY(!s->Test_CH_Opt(7)->isEnabled());
    QVERIFY(s->Test_CH_Opt(7)->isChecked());
    s->Test_Opt_Click(1);
    QVERIFY(!s->Test_CH_Opt(0)->isEnabled());  // only manual offers the channels
    QCOMPARE(h->payloads(), (Frames{P({6, 0x0B, 1, 0, 1}), P({6, 0x0B, 1, 0, 8}),
                                    P({6, 0x0B, 0, 0, 8}), P({6, 0x0B, 1, 1, 8})}));
    s->Combo2_Click(0);  // 0D: 1 1 1 1
    s->Test_Opt_Click(0);
    QCOMPARE(h->lastPayload(), P({6, 0x0B, 0, 1, 1}));
    // Manual always starts on FL, whatever channel is shown selected.
    s->Test_Opt(2)->click();
    QCOMPARE(h->lastPayload(), P({6, 0x0B, 1, 0, 1}));
    QVERIFY(s->Test_CH_Opt(7)->isChecked());
}

// The captions as a user reads them, in both languages, against what the
// option sends: written out here, not taken from the window's caption table,
// so two swapped captions cannot pass.
void SetupPageTest::optionsSendWhatTheirCaptionsSay() {
    struct Row {
        QWidget* frame;
        const char* chinese;
        const char* english;
        std::vector<std::uint8_t> sends;  // the first bytes of the payload
    };
    const Row rows[] = {
        {s->Frame7, "开", "On", {6, 0x06, 1}},
        {s->Frame7, "关", "Off", {6, 0x06, 0}},
        {s->Frame6, "自动", "Auto", {6, 0x0A, 0}},
        {s->Frame6, "关闭", "Off", {6, 0x0A, 1}},
        {s->Frame6, "开启", "On", {6, 0x0A, 2}},
        {s->Frame3(1), "大喇叭", "Large", {6, 0x0C, 0, 0}},
        {s->Frame3(1), "小喇叭", "Small", {6, 0x0C, 0, 1}},
        {s->Frame3(1), "关闭", "Off", {6, 0x0C, 0, 2}},
        {s->Frame3(3), "关闭", "Off", {6, 0x0C, 0, 2, 0, 2}},
        {s->Frame4, "手动测试", "Manual", {6, 0x0B, 1, 0}},
        {s->Frame4, "测试关闭", "Testtone Off", {6, 0x0B, 0}},
        {w->Eq().Frame2, "直通", "Bypass", {6, 0x0F, 0}},
        {w->Eq().Frame2, "激活", "Active", {6, 0x0F, 1}},
    };
    for (int language : {0, 1}) {
        w->Option1(language)->click();
        for (const Row& row : rows) {
            const QString caption = QString::fromUtf8(language ? row.english : row.chinese);
            QRadioButton* target = nullptr;
            for (QRadioButton* option : row.frame->findChildren<QRadioButton*>())
                if (option->text() == caption && !option->isHidden()) target = option;
            QVERIFY2(target != nullptr, qPrintable(caption));
            // From another choice of the same frame, as a user would change it.
            for (QRadioButton* other : row.frame->findChildren<QRadioButton*>())
                if (other != target && !other->isHidden()) other->setChecked(true);
            h->clearFrames();
            QTest::mouseClick(target, Qt::LeftButton);
            const std::vector<std::uint8_t> sent = h->lastPayload();
            QVERIFY2(sent.size() >= row.sends.size(), qPrintable(caption));
            QCOMPARE(std::vector<std::uint8_t>(sent.begin(), sent.begin() + row.sends.size()),
                     row.sends);
        }
    }
}

QTEST_MAIN(SetupPageTest)
#include "SetupPageTest.moc"
