// The Setup page offscreen: its layout, the frames every handler sends, the
// remote keys' OSD mode, the bytes carried over in SendBuf, the step arrows
// and the replies that mirror the device.

#include <QtTest>

#include "app/PrivateDesign.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using test::P;
using Frames = std::vector<std::vector<std::uint8_t>>;

namespace {

struct Harness : test::WindowHarness {
    PrivateDesign& w;
    Harness() : w(load()) {}
};

bool Shows(const ImageControl* image, const ImageControl* source) {
    return image->Picture().toImage() == source->Picture().toImage();
}

}  // namespace

class SetupPageTest : public QObject {
    Q_OBJECT
  private slots:
    void pageStartsWithItsControlsInOrder();
    void nothingOverlapsOrLeavesThePage();
    void delaysShowMetresAndSendTheChannel();
    void arrowsStepOnceOnLeftReleaseWithinRange();
    void speakerSizesSendAllFourGroups();
    void crossoversMatchTextsExactlyAndCarryUnmatchedBytes();
    void powerSubwooferAndDynamicSendTheirIndex();
    void firstKeyEntersOsdModeAndOnlyKeysPassAfter();
    void testToneModesCarryBytesAndGateTheChannels();
    void repliesMirrorTheDeviceAndSendNothing();
};

void SetupPageTest::pageStartsWithItsControlsInOrder() {
    Harness h;
    PrivateDesign& w = h.w;
    // Delay rows from the top, each row's caption, arrows, slider and label
    // centred on one line.
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
        QVERIFY(Shows(w.DelayLeft(ch), w.LeftGray) && Shows(w.DelayRight(ch), w.RightGray));
    }
    // Speaker frames in one column (front, surround, back, centre), each
    // crossover list beside its frame and under "Cut Off".
    const int frames[] = {0, 2, 3, 1};
    for (int k = 0; k < 4; ++k) {
        const QRect frame = w.Frame3(frames[k])->geometry();
        const QRect combo = w.Combo2(frames[k])->geometry();
        if (k > 0) QVERIFY(frame.top() > w.Frame3(frames[k - 1])->geometry().bottom());
        QVERIFY(combo.left() > frame.right() && frame.left() == w.Frame3(0)->x());
        QVERIFY(combo.top() > frame.top() && combo.bottom() < frame.bottom());
        QVERIFY(w.Label2(19)->geometry().bottom() < combo.top());
    }
    for (OptionGroup* g : {&w.SPKLR_Opt, &w.SPKC_Opt, &w.SPKSLSR_Opt, &w.SPKBSLSR_Opt, &w.Sub_Opt,
                           &w.Option2, &w.Dynamic_Opt, &w.Test_Opt, &w.Test_CH_Opt})
        QCOMPARE(g->selected(), 0);
    QVERIFY(w.Test_Opt(1)->isHidden());
    for (int i = 0; i < 8; ++i)
        QVERIFY(!w.Test_CH_Opt(i)->isEnabled());
    // The key pad cross with "OSD" apart.
    const int keys[][2] = {{10680, 4800}, {9840, 5280},  {10680, 5280},
                           {11520, 5280}, {10680, 5760}, {9000, 4920}};
    for (int k = 0; k < 6; ++k)
        QVERIFY(Left(w.Command2(k)) == keys[k][0] && Top(w.Command2(k)) == keys[k][1]);
    QCOMPARE(w.Menu_Cmd(3)->parentWidget(), w.Picture6);
    QVERIFY(h.port.frames.empty());
}

void SetupPageTest::nothingOverlapsOrLeavesThePage() {
    Harness h;
    const QRect page(QPoint(0, 0), h.w.Picture6->size());
    auto check = [](const QWidget* parent, const QRect& area) {
        QList<const QWidget*> shown;
        for (const QObject* o : parent->children()) {
            const auto* c = qobject_cast<const QWidget*>(o);
            if (c == nullptr || c->isHidden()) continue;
            QVERIFY2(area.contains(c->geometry()), qPrintable(c->metaObject()->className()));
            for (const QWidget* other : shown)
                QVERIFY2(!other->geometry().intersects(c->geometry()),
                         qPrintable(QStringLiteral("%1 over %2")
                                        .arg(other->metaObject()->className(),
                                             c->metaObject()->className())));
            shown.append(c);
        }
    };
    check(h.w.Picture6, page);
    for (const QObject* o : h.w.Picture6->children()) {
        if (const auto* frame = qobject_cast<const Frame*>(o))
            check(frame, QRect(QPoint(0, 0), frame->size()));
    }
}

void SetupPageTest::delaysShowMetresAndSendTheChannel() {
    Harness h;
    h.connectLink();
    struct Case {
        int ch, v;
        const char* text;
    };
    for (const Case& c : {Case{0, 0, "0.0m"}, Case{3, 9, "0.9m"}, Case{4, 10, "1.0m"},
                          Case{1, 29, "2.9m"}, Case{7, 100, "10.0m"}, Case{2, 55, "5.5m"}}) {
        h.w.DelaySlider(c.ch)->setValue(c.v);
        QCOMPARE(h.w.DelayLab(c.ch)->text(), QString::fromLatin1(c.text));
        QCOMPARE(h.lastPayload(),
                 P({6, 0x11, static_cast<std::uint8_t>(c.ch), static_cast<std::uint8_t>(c.v)}));
    }
    QCOMPARE(h.port.frames.size(), std::size_t{6});
}

void SetupPageTest::arrowsStepOnceOnLeftReleaseWithinRange() {
    Harness h;
    PrivateDesign& w = h.w;
    h.connectLink();
    w.DelaySlider(2)->setValue(1);
    h.clearFrames();

    QTest::mousePress(w.DelayLeft(2), Qt::LeftButton);
    QVERIFY(Shows(w.DelayLeft(2), w.LeftBright));
    QVERIFY(h.port.frames.empty());  // the press alone moves nothing
    QTest::mouseRelease(w.DelayLeft(2), Qt::LeftButton);
    QVERIFY(Shows(w.DelayLeft(2), w.LeftGray));
    QCOMPARE(w.DelaySlider(2)->Value(), 0);
    QCOMPARE(h.lastPayload(), P({6, 0x11, 2, 0}));

    // At the ends the arrows only swap their pictures.
    h.clearFrames();
    QTest::mouseClick(w.DelayLeft(2), Qt::LeftButton);
    w.DelaySlider(5)->setValue(100);
    QTest::mousePress(w.DelayRight(5), Qt::LeftButton);
    QVERIFY(Shows(w.DelayRight(5), w.RightBright));
    QTest::mouseRelease(w.DelayRight(5), Qt::LeftButton);
    QVERIFY(Shows(w.DelayRight(5), w.RightGray));
    QCOMPARE(h.payloads(), Frames{P({6, 0x11, 5, 100})});

    // Other buttons do nothing at all.
    h.clearFrames();
    QTest::mousePress(w.DelayLeft(5), Qt::RightButton);
    QVERIFY(Shows(w.DelayLeft(5), w.LeftGray));
    QTest::mouseRelease(w.DelayLeft(5), Qt::RightButton);
    QCOMPARE(w.DelaySlider(5)->Value(), 100);
    QTest::mouseClick(w.DelayRight(3), Qt::LeftButton);
    QCOMPARE(h.payloads(), Frames{P({6, 0x11, 3, 1})});
}

void SetupPageTest::speakerSizesSendAllFourGroups() {
    Harness h;
    PrivateDesign& w = h.w;
    h.connectLink();
    w.SPKC_Opt_Click(0);
    QCOMPARE(h.lastPayload(), P({6, 0x0C, 0, 0, 0, 0}));

    // Whichever group changes last, the command is built from all four.
    w.SPKLR_Opt(1)->click();
    w.SPKC_Opt(2)->click();
    w.SPKBSLSR_Opt(2)->click();
    QCOMPARE(h.payloads().size(), std::size_t{4});
    QCOMPARE(h.lastPayload(), P({6, 0x0C, 1, 2, 0, 2}));
    w.SPKBSLSR_Opt(2)->click();  // already selected: nothing
    QCOMPARE(h.payloads().size(), std::size_t{4});
}

void SetupPageTest::crossoversMatchTextsExactlyAndCarryUnmatchedBytes() {
    Harness h;
    PrivateDesign& w = h.w;
    h.connectLink();
    // Picking from a list sends all four positions.
    w.Combo2(1)->setCurrentIndex(12);
    emit w.Combo2(1)->activated(12);
    QCOMPARE(h.lastPayload(), P({6, 0x0D, 4, 12, 4, 4}));
    w.Combo2(0)->setText(QStringLiteral("40  Hz"));
    w.Combo2_Click(3);
    QCOMPARE(h.lastPayload(), P({6, 0x0D, 0, 12, 4, 4}));

    // Typed texts count only when equal to a list text, blanks included; an
    // unmatched one leaves its byte as the previous command (sizes) left it.
    w.SPKLR_Opt(1)->click();  // 0C: 1 0 0 0
    w.SPKC_Opt(2)->click();   // 0C: 1 2 0 0
    w.Combo2(0)->setText(QStringLiteral("40 Hz"));
    w.Combo2(1)->setText(QStringLiteral("200Hz"));
    w.Combo2(3)->setText(QStringLiteral("120  Hz"));
    QCOMPARE(h.payloads().size(), std::size_t{4});  // typing sends nothing
    w.Combo2_Click(0);
    QCOMPARE(h.lastPayload(), P({6, 0x0D, 1, 2, 4, 8}));
}

void SetupPageTest::powerSubwooferAndDynamicSendTheirIndex() {
    Harness h;
    PrivateDesign& w = h.w;
    h.connectLink();
    for (auto [group, index] : {std::pair{&w.Sub_Opt, 1},
                                {&w.Sub_Opt, 0},
                                {&w.Option2, 1},
                                {&w.Option2, 0},
                                {&w.Dynamic_Opt, 2},
                                {&w.Dynamic_Opt, 1},
                                {&w.Dynamic_Opt, 0}})
        (*group)(index)->click();
    QCOMPARE(h.payloads(),
             (Frames{P({6, 0x06, 1}), P({6, 0x06, 0}), P({6, 0x14, 1}), P({6, 0x14, 0}),
                     P({6, 0x0A, 2}), P({6, 0x0A, 1}), P({6, 0x0A, 0})}));
}

void SetupPageTest::firstKeyEntersOsdModeAndOnlyKeysPassAfter() {
    {
        Harness h;
        PrivateDesign& w = h.w;
        h.connectLink();
        w.Command2(4)->click();  // the first press sends OSD, whatever the key
        QVERIFY(w.link().OsdMode);
        const int codes[] = {4, 6, 3, 7, 5, 2};
        for (int k = 0; k < 6; ++k)
            w.Command2(k)->click();
        // Below RemoteKey nothing leaves any more; power still does.
        w.DelaySlider(0)->setValue(40);
        w.Sub_Opt(1)->click();
        w.Combo2_Click(0);
        w.Test_Opt(2)->click();
        w.Option2(1)->click();
        Frames expected{P({6, 0x14, 2})};
        for (int code : codes)
            expected.push_back(P({6, 0x14, static_cast<std::uint8_t>(code)}));
        expected.push_back(P({6, 0x14, 1}));
        QCOMPARE(h.payloads(), expected);
        QCOMPARE(w.DelayLab(0)->text(), QStringLiteral("4.0m"));  // the screen still changes
        QVERIFY(w.Test_CH_Opt(0)->isEnabled());
    }
    {
        Harness h;  // a press while not connected still switches the mode
        h.w.Command2(0)->click();
        QVERIFY(h.w.link().OsdMode);
        h.connectLink();
        h.w.DelaySlider(1)->setValue(3);
        h.w.Command2(0)->click();
        QCOMPARE(h.payloads(), Frames{P({6, 0x14, 4})});
    }
}

void SetupPageTest::testToneModesCarryBytesAndGateTheChannels() {
    Harness h;
    PrivateDesign& w = h.w;
    h.connectLink();
    w.Test_Opt(2)->click();
    QCOMPARE(h.lastPayload(), P({6, 0x0B, 1, 0, 1}));
    QVERIFY(w.Test_CH_Opt(0)->isEnabled() && w.Test_CH_Opt(7)->isEnabled());
    w.Test_CH_Opt(7)->click();
    QCOMPARE(h.lastPayload(), P({6, 0x0B, 1, 0, 8}));

    // Off writes only its first byte, automatic its first two.
    w.Test_Opt(0)->click();
    QCOMPARE(h.lastPayload(), P({6, 0x0B, 0, 0, 8}));
    QVERIFY(!w.Test_CH_Opt(7)->isEnabled());
    QVERIFY(w.Test_CH_Opt(7)->isChecked());  // the selection stays
    w.Test_Opt_Click(1);
    QCOMPARE(h.lastPayload(), P({6, 0x0B, 1, 1, 8}));
    w.Combo2_Click(0);  // 0D: 4 4 4 4
    w.Test_Opt_Click(0);
    QCOMPARE(h.lastPayload(), P({6, 0x0B, 0, 4, 4}));

    // Manual always starts the tone on FL, whatever channel is shown selected.
    w.Test_Opt(2)->click();
    QCOMPARE(h.lastPayload(), P({6, 0x0B, 1, 0, 1}));
    QVERIFY(w.Test_CH_Opt(7)->isChecked());
}

void SetupPageTest::repliesMirrorTheDeviceAndSendNothing() {
    Harness h;
    PrivateDesign& w = h.w;
    h.connectLink();
    auto sizes = [&w] {
        return std::vector{w.SPKLR_Opt.selected(), w.SPKC_Opt.selected(), w.SPKSLSR_Opt.selected(),
                           w.SPKBSLSR_Opt.selected()};
    };
    auto crossovers = [&w] {
        QStringList texts;
        for (int k = 0; k < 4; ++k)
            texts << w.Combo2(k)->Text();
        return texts;
    };
    h.applyReply({0xF0, 0x06, 1});
    QCOMPARE(w.Sub_Opt.selected(), 1);
    h.applyReply({0xF0, 0x06, 2});
    QCOMPARE(w.Sub_Opt.selected(), 0);
    h.applyReply({0x01, 0x0A, 2});
    QCOMPARE(w.Dynamic_Opt.selected(), 2);
    h.applyReply({0x01, 0x0A, 3});
    QCOMPARE(w.Dynamic_Opt.selected(), 0);
    h.applyReply({0xF0, 0x0C, 1, 2, 1, 2});
    QCOMPARE(sizes(), (std::vector{1, 2, 1, 2}));
    h.applyReply({0xF0, 0x0C, 2, 3, 2, 0xFF});  // the front pair has no Off
    QCOMPARE(sizes(), (std::vector{0, 0, 2, 0}));
    h.applyReply({0xF0, 0x0D, 7, 8, 3, 12});  // above 7 shows the first text
    QCOMPARE(crossovers(), QStringList({"110 Hz", "40  Hz", "70 Hz", "40  Hz"}));

    h.applyReply({0xF0, 0x11, 1, 0x1D});
    QCOMPARE(w.DelayLab(1)->text(), QStringLiteral("2.9m"));
    h.applyReply({0xF0, 0x11, 0, 50});
    h.applyReply({0xF0, 0x11, 9, 101});  // channel and distance out of range
    QCOMPARE(w.DelaySlider(0)->Value(), 0);
    QCOMPARE(w.DelayLab(0)->text(), QStringLiteral("0.0m"));

    QVERIFY(h.port.frames.empty());
    w.Combo2_Click(0);  // the mirrored texts are what the next command sends
    QCOMPARE(h.lastPayload(), P({6, 0x0D, 7, 0, 3, 0}));
}

QTEST_MAIN(SetupPageTest)
#include "SetupPageTest.moc"
