// The Main Panel page offscreen: its start state and layout, the frames of
// every handler, the sender's guards, and the reply actions.

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

namespace {

// The window loaded and connected: every command that passes the guards is
// recorded.
struct Harness : test::WindowHarness {
    PrivateDesign& w;
    Harness() : w(load()) { connectLink(); }
};

std::vector<int> Red(const ControlArray<CommandButton>& buttons) {
    std::vector<int> out;
    for (const auto& [i, b] : buttons.items()) {
        if (b->BackColor() == vbRed) out.push_back(i);
    }
    return out;
}

bool Same(const QPixmap& a, const QPixmap& b) {
    return a.toImage() == b.toImage();
}

int PhaseMask(PrivateDesign& w) {
    int mask = 0;
    const auto pairs = w.PhasePairs();
    for (std::size_t k = 0; k < pairs.size(); ++k)
        mask |= pairs[k]->selected() == 1 ? 1 << k : 0;
    return mask;
}

QRect TwipsRect(const QWidget* c) {
    return {Left(c), Top(c), Width(c), Height(c)};
}

}  // namespace

class MainPanelTest : public QObject {
    Q_OBJECT
  private slots:
    void startStateAndLayout();
    void levelsLabelAndSend();
    void arrowsStepOnceOnLeftRelease();
    void muteAndPhase();
    void connectorsFollowTheSourceFunction();
    void modesAndLayoutsShareTheHighlight();
    void guardsKeepTheScreenButSendNothing();
    void repliesMirrorTheDeviceWithTheirClamps();
};

void MainPanelTest::startStateAndLayout() {
    Harness h;
    PrivateDesign& w = h.w;
    QVERIFY(h.port.frames.empty());
    QCOMPARE(Red(w.Input_Cmd), std::vector<int>{});
    QCOMPARE(Red(w.Input_Cmd1), std::vector<int>{0});
    QCOMPARE(Red(w.Mode_Cmd), std::vector<int>{2});
    QCOMPARE(PhaseMask(w), 0);
    QCOMPARE(w.VersionLabel->text(), QStringLiteral("Ver：01"));
    QCOMPARE(w.VOLLab(0)->text(), QStringLiteral("40 dB"));
    QCOMPARE(w.VOLLab(87)->text(), QStringLiteral("+0 dB"));
    QCOMPARE(w.VOLLab(24)->text(), QStringLiteral("10 dB"));
    QVERIFY(Same(w.VOLLeft(3)->Picture(), w.LeftGray->Picture()));
    QCOMPARE(Top(w.Input_Cmd(0)), 2880);
    QCOMPARE(Left(w.Input_Cmd(9)), 1920);
    QCOMPARE(Top(w.Input_Cmd(9)), 3240);
    QCOMPARE(Top(w.Mode_Cmd(3)), 3720);

    // Every control (the rules aside) inside the page, none overlapping,
    // none cutting its caption; modes 9 and 10 below the page.
    std::vector<QWidget*> controls;
    for (QWidget* c : w.Picture2->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (c->metaObject() != &QFrame::staticMetaObject) controls.push_back(c);
    }
    const QRect page(0, 0, 12650, 7455);
    for (std::size_t a = 0; a < controls.size(); ++a) {
        const QRect r = TwipsRect(controls[a]);
        const QString name = controls[a]->property("text").toString();
        const bool offPage = controls[a] == w.Mode_Cmd(9) || controls[a] == w.Mode_Cmd(10);
        QVERIFY2(offPage ? r.top() >= page.height() : page.contains(r), qPrintable(name));
        for (std::size_t b = a + 1; b < controls.size(); ++b)
            QVERIFY2(!r.intersects(TwipsRect(controls[b])), qPrintable(name));
        if (qobject_cast<QLabel*>(controls[a]) || qobject_cast<QAbstractButton*>(controls[a]))
            QVERIFY2(controls[a]->sizeHint().width() <= controls[a]->width(), qPrintable(name));
    }

    // Each row in line: caption, arrows and value label centred on the
    // slider within two pixels, the phase options within four.
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
            QCOMPARE(Left(zero->parentWidget()), 10560);
            QVERIFY(std::abs(Top(zero->parentWidget()) + centre(zero) - y) <= 60);
        }
    }
}

void MainPanelTest::levelsLabelAndSend() {
    Harness h;
    struct Case {
        int index, value;
        const char* label;
        std::vector<std::uint8_t> payload;
    };
    const Case cases[] = {
        {0, -90, "-90 dB", P({6, 0x09, 0xA6})},    {0, -40, "-40 dB", P({6, 0x09, 0xD8})},
        {0, 0, "0 dB", P({6, 0x09, 0x00})},        {1, 10, "+10 dB", P({6, 0x10, 0, 0x0A})},
        {8, -10, "-10 dB", P({6, 0x10, 7, 0xF6})}, {2, 0, "0 dB", P({6, 0x10, 1, 0x00})},
        {5, -3, "-3 dB", P({6, 0x10, 4, 0xFD})},
    };
    for (const Case& c : cases) {
        h.clearFrames();
        h.w.VOLSlider(c.index)->setValue(c.value);
        QCOMPARE(h.w.VOLLab(c.index)->text(), QString::fromUtf8(c.label));
        QCOMPARE(h.payloads(), Payloads{c.payload});
    }
}

void MainPanelTest::arrowsStepOnceOnLeftRelease() {
    Harness h;
    PrivateDesign& w = h.w;
    // The master at its Max: bright while held, gray after, nothing sent.
    w.VOLSlider(0)->setValue(0);
    h.clearFrames();
    QTest::mousePress(w.VOLRight(0), Qt::LeftButton);
    QVERIFY(Same(w.VOLRight(0)->Picture(), w.RightBright->Picture()));
    QTest::mouseRelease(w.VOLRight(0), Qt::LeftButton);
    QVERIFY(Same(w.VOLRight(0)->Picture(), w.RightGray->Picture()));
    QVERIFY(h.port.frames.empty());

    // A trim at -9: nothing on the press, one step on the release, then no more.
    w.VOLSlider(4)->setValue(-9);
    h.clearFrames();
    QTest::mousePress(w.VOLLeft(4), Qt::LeftButton);
    QVERIFY(Same(w.VOLLeft(4)->Picture(), w.LeftBright->Picture()));
    QVERIFY(h.port.frames.empty());
    QTest::mouseRelease(w.VOLLeft(4), Qt::LeftButton);
    QCOMPARE(w.VOLLab(4)->text(), QStringLiteral("-10 dB"));
    QTest::mouseClick(w.VOLLeft(4), Qt::LeftButton);
    QVERIFY(Same(w.VOLLeft(4)->Picture(), w.LeftGray->Picture()));
    QCOMPARE(h.payloads(), Payloads{P({6, 0x10, 3, 0xF6})});

    // Other buttons change neither picture nor value.
    h.clearFrames();
    QTest::mousePress(w.VOLRight(4), Qt::RightButton);
    QVERIFY(Same(w.VOLRight(4)->Picture(), w.RightGray->Picture()));
    QTest::mouseRelease(w.VOLRight(4), Qt::RightButton);
    w.VOLRight_MouseUp(4, 4, 0, 0, 0);
    QCOMPARE(w.VOLSlider(4)->Value(), -10);
    QVERIFY(h.port.frames.empty());
}

void MainPanelTest::muteAndPhase() {
    Harness h;
    PrivateDesign& w = h.w;
    w.MuteCheck->click();
    QCOMPARE(w.MuteCheck->ForeColor(), vbRed);
    QCOMPARE(h.lastPayload(), P({6, 0x08, 1}));
    w.MuteCheck->setValue(0);
    w.MuteCheck->setValue(0);  // no change: no click
    QCOMPARE(w.MuteCheck->ForeColor(), vbBlack);
    QCOMPARE(h.payloads().size(), std::size_t{2});
    QCOMPARE(h.lastPayload(), P({6, 0x08, 0}));

    // The whole mask goes out, whichever pair was clicked.
    h.clearFrames();
    w.SWPhase(1)->click();
    w.SWPhase(1)->click();  // already selected: nothing
    w.SWPhase(0)->click();
    w.CENPhase.select(1);
    w.BSRPhase.select(1);
    QCOMPARE(h.payloads(), (Payloads{P({6, 0x12, 0x80}), P({6, 0x12, 0x00}), P({6, 0x12, 0x02}),
                                     P({6, 0x12, 0x42})}));
    for (OptionGroup* pair : w.PhasePairs())
        pair->select(1);
    QCOMPARE(h.lastPayload(), P({6, 0x12, 0xFF}));

    // Back to 0° pair by pair: each frame carries the state so far.
    h.clearFrames();
    for (OptionGroup* pair : w.PhasePairs())
        pair->select(0);
    Payloads expected;
    for (int k = 1; k <= 8; ++k)
        expected.push_back(P({6, 0x12, static_cast<std::uint8_t>(0xFF << k)}));
    QCOMPARE(h.payloads(), expected);
}

void MainPanelTest::connectorsFollowTheSourceFunction() {
    Harness h;
    PrivateDesign& w = h.w;
    QCOMPARE(w.SourceFunction, 0);
    w.Input_Cmd1(1)->click();  // GAME
    w.Input_Cmd(7)->click();   // HDMI 3
    QCOMPARE(w.SourceFunction, 1);
    QCOMPARE(Red(w.Input_Cmd1), std::vector<int>{1});
    QCOMPARE(Red(w.Input_Cmd), std::vector<int>{7});
    QCOMPARE(h.payloads(), (Payloads{P({6, 0x02, 1}), P({6, 0x03, 7})}));

    // BLUETOOTH and ARC: the source leaves the connector alone, and every
    // connector press becomes ANALOG.
    for (int source : {5, 6}) {
        w.Input_Cmd1_Click(1);
        w.Input_Cmd(2)->click();
        w.Input_Cmd1(source)->click();
        QCOMPARE(Red(w.Input_Cmd), std::vector<int>{2});
        h.clearFrames();
        w.Input_Cmd(7)->click();
        QCOMPARE(Red(w.Input_Cmd), std::vector<int>{0});
        QCOMPARE(h.payloads(), Payloads{P({6, 0x03, 0})});
    }

    // After connecting (255) presses go out unchanged until a source is applied.
    w.SourceFunction = 255;
    w.Input_Cmd(10)->click();
    QCOMPARE(h.lastPayload(), P({6, 0x03, 10}));
    w.Input_Cmd1(4)->click();  // DIRECT 7.1 is not under the rule
    w.Input_Cmd(9)->click();
    QCOMPARE(h.lastPayload(), P({6, 0x03, 9}));
}

void MainPanelTest::modesAndLayoutsShareTheHighlight() {
    Harness h;
    PrivateDesign& w = h.w;
    for (const auto& [index, code] : {std::pair{0, 2}, {5, 7}, {8, 0x0A}}) {
        w.Mode_Cmd(index)->click();
        QCOMPARE(Red(w.Mode_Cmd), std::vector<int>{index});
        QCOMPARE(h.lastPayload(), P({6, 0x07, static_cast<std::uint8_t>(code)}));
    }
    for (const auto& [index, value] : {std::pair{8, 0}, {7, 1}, {9, 2}}) {
        w.Menu_Cmd(index)->click();
        QCOMPARE(h.lastPayload(), P({6, 0x04, static_cast<std::uint8_t>(value)}));
        for (int k = 7; k <= 9; ++k)
            QCOMPARE(w.Menu_Cmd(k)->BackColor(), k == index ? vbRed : vbButtonFace);
    }
    QCOMPARE(Red(w.Mode_Cmd), std::vector<int>{});  // 2.1 leaves no mode lit
    w.Mode_Cmd(3)->click();
    QCOMPARE(w.Menu_Cmd(9)->BackColor(), vbButtonFace);

    // The off-page modes, pressed from code, stay red for good.
    w.Mode_Cmd_Click(10);
    QCOMPARE(h.lastPayload(), P({6, 0x07, 12}));
    w.Menu_Cmd_Click(9);
    w.Mode_Cmd_Click(1);
    QCOMPARE(Red(w.Mode_Cmd), (std::vector<int>{1, 10}));
}

void MainPanelTest::guardsKeepTheScreenButSendNothing() {
    Harness h;
    PrivateDesign& w = h.w;
    w.link().OsdMode = true;
    w.VOLSlider(3)->setValue(2);
    w.MuteCheck->click();
    w.FRPhase.select(1);
    w.Input_Cmd(3)->click();
    w.Input_Cmd1(5)->click();
    w.Mode_Cmd(6)->click();
    w.Menu_Cmd(8)->click();
    QVERIFY(h.port.frames.empty());
    QCOMPARE(w.VOLLab(3)->text(), QStringLiteral("+2 dB"));
    QCOMPARE(w.MuteCheck->ForeColor(), vbRed);
    QCOMPARE(Red(w.Input_Cmd), std::vector<int>{3});
    QCOMPARE(w.SourceFunction, 5);
    QCOMPARE(Red(w.Mode_Cmd), std::vector<int>{6});
    QCOMPARE(w.Menu_Cmd(8)->BackColor(), vbRed);

    // Indices without a button are ignored, also by the public handlers.
    w.link().OsdMode = false;
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
    using Check = std::function<void()>;
    auto level = [&w](int slider, int v, const char* label) -> Check {
        return [&w, slider, v, label] {
            QCOMPARE(w.VOLSlider(slider)->Value(), v);
            QCOMPARE(w.VOLLab(slider)->text(), QString::fromUtf8(label));
        };
    };
    auto red = [](const ControlArray<CommandButton>& a, int i) -> Check {
        return [&a, i] { QCOMPARE(Red(a), std::vector<int>{i}); };
    };
    auto text = [](const QLabel* l, const char* t) -> Check {
        return [l, t] { QCOMPARE(l->text(), QString::fromUtf8(t)); };
    };
    auto mask = [&w](int m) -> Check { return [&w, m] { QCOMPARE(PhaseMask(w), m); }; };
    const std::vector<std::pair<std::vector<std::uint8_t>, Check>> rows = {
        {{0x02, 5}, [&w] { QCOMPARE(w.SourceFunction, 5); }},
        {{0x03, 4}, red(w.Input_Cmd, 0)},  // under BLUETOOTH: ANALOG
        {{0x02, 7}, red(w.Input_Cmd1, 0)},
        {{0x03, 8}, red(w.Input_Cmd, 8)},
        {{0x03, 9}, red(w.Input_Cmd, 0)},  // 9 and 10 are not taken
        {{0x03, 10}, red(w.Input_Cmd, 0)},
        {{0x04, 2},
         [&w] { QVERIFY(Red(w.Mode_Cmd).empty() && w.Menu_Cmd(9)->BackColor() == vbRed); }},
        {{0x04, 0}, [&w] { QCOMPARE(w.Menu_Cmd(8)->BackColor(), vbRed); }},
        {{0x04, 5}, [&w] { QCOMPARE(w.Menu_Cmd(7)->BackColor(), vbRed); }},
        {{0x05, 1}, text(w.Label2(7), "PCM")},
        {{0x05}, text(w.Label2(7), "UNlOCK")},  // no value byte: code 0
        {{0x07, 10}, red(w.Mode_Cmd, 8)},
        {{0x07, 2}, red(w.Mode_Cmd, 0)},
        {{0x07, 6}, red(w.Mode_Cmd, 4)},
        {{0x07, 11}, red(w.Mode_Cmd, 0)},
        {{0x08, 1},
         [&w] { QVERIFY(w.MuteCheck->Value() == 1 && w.MuteCheck->ForeColor() == vbRed); }},
        {{0x08, 2}, [&w] { QCOMPARE(w.MuteCheck->Value(), 0); }},
        {{0x09, 0xD8}, level(0, -40, "-40 dB")},
        {{0x09, 0xA6}, level(0, -90, "-90 dB")},
        {{0x09, 0xA5}, level(0, -40, "-40 dB")},
        {{0x09, 0x7F}, level(0, 0, "0 dB")},
        {{0x10, 0, 0xF6}, level(1, -10, "-10 dB")},
        {{0x10, 7, 0x0A}, level(8, 10, "+10 dB")},
        {{0x10, 7, 0x0B}, level(8, 0, "0 dB")},
        {{0x10, 9, 0x05}, level(1, 5, "+5 dB")},  // a channel above 7 is FL
        {{0x12, 0x42}, mask(0x42)},
        {{0x12, 0x81}, mask(0x81)},
        {{0x13, 5}, text(w.VersionLabel, "Ver: 05")},
        {{0x13, 123}, text(w.VersionLabel, "Ver: 123")},
        {{0x13, 251}, text(w.VersionLabel, "Ver: 01")},
    };
    for (const auto& [values, check] : rows) {
        RxPayloadBytes payload{};
        payload[0] = ReplyCodeReport;
        std::copy(values.begin(), values.end(), payload.begin() + 1);
        w.link().SendEnabled = false;
        w.ApplyReply(payload);
        w.link().SendEnabled = true;
        check();
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("reply %1 %2")
                                 .arg(values[0])
                                 .arg(values.size() > 1 ? values[1] : 0)));
        QVERIFY2(h.port.frames.empty(), "a reply is never echoed as a command");
    }
    w.VOLSlider(0)->setValue(-30);  // sending is on again afterwards
    QCOMPARE(h.lastPayload(), P({6, 0x09, VolumeByte(-30)}));
}

QTEST_MAIN(MainPanelTest)
#include "MainPanelTest.moc"
