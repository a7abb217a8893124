// The Main Panel page offscreen: its controls and layout, the frames of every
// handler, the sender's guards, and the reply actions that mirror the device.

#include <QtTest>
#include <algorithm>
#include <vector>

#include "app/PrivateDesign.h"
#include "link/Protocol.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using calvetta::test::P;

namespace {

constexpr int kPageWidth = 12650;
constexpr int kPageHeight = 7455;

struct Harness : test::WindowHarness {
    PrivateDesign& w;
    Harness() : w(load()) { connectLink(); }

    std::vector<std::vector<std::uint8_t>> sent() const { return payloads(); }
    // The buttons of an array that are red.
    static std::vector<int> red(const ControlArray<CommandButton>& buttons) {
        std::vector<int> out;
        for (const auto& [i, b] : buttons.items()) {
            if (b->BackColor() == vbRed) out.push_back(i);
        }
        return out;
    }
    static bool same(const QPixmap& a, const QPixmap& b) { return a.toImage() == b.toImage(); }
};

QRect TwipsRect(const QWidget* c) {
    return {Left(c), Top(c), Width(c), Height(c)};
}

int CentreY(const QWidget* c) {
    return Top(c) + Height(c) / 2;
}

}  // namespace

class MainPanelTest : public QObject {
    Q_OBJECT
  private slots:
    void pageStartsInItsDesignState();
    void layoutIsOrderly();
    void levelsLabelAndSendTwosComplement();
    void arrowsStepOnceOnLeftRelease();
    void muteColoursItsCaption();
    void phaseSendsTheWholeMask();
    void connectorsFollowTheSourceFunction();
    void modesAndLayoutsShareTheHighlight();
    void osdModeKeepsTheScreenButSendsNothing();
    void indicesWithoutAButtonDoNothing();
    void repliesOfSelectionsPressTheButtons();
    void repliesOfLevelsAndMuteClampAndMove();
    void repliesOfPhaseFormatAndVersion();
};

void MainPanelTest::pageStartsInItsDesignState() {
    Harness h;
    PrivateDesign& w = h.w;
    QVERIFY(h.port.frames.empty());

    const QStringList connectors = {"ANALOG", "COAX 1", "COAX 2", "OPT1",   "OPT2",  "HDMI 1",
                                    "HDMI 2", "HDMI 3", "HDMI 4", "HDMI 5", "HDMI 6"};
    const QStringList sources = {"BD/DVD",     "GAME",      "VIDEO", "AUX",
                                 "DIRECT 7.1", "BLUETOOTH", "ARC"};
    const QStringList modes = {"PLIIx Movie", "PLIIx Music", "PLIIx Game", "NEO6 CINEMA",
                               "NEO6 MUSIC",  "HALL",        "ROOM",       "STADIUM",
                               "THEATER",     "THEATER",     "MATRIX"};
    for (int i = 0; i < 11; ++i)
        QCOMPARE(w.Input_Cmd(i)->text(), connectors[i]);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(w.Input_Cmd1(i)->text(), sources[i]);
    for (int i = 0; i < 11; ++i)
        QCOMPARE(w.Mode_Cmd(i)->text(), modes[i]);
    QCOMPARE(Harness::red(w.Input_Cmd), std::vector<int>{});
    QCOMPARE(Harness::red(w.Input_Cmd1), std::vector<int>{0});
    QCOMPARE(Harness::red(w.Mode_Cmd), std::vector<int>{2});

    // Button columns as designed.
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(Left(w.Input_Cmd1(i)), 120);
        QCOMPARE(Top(w.Input_Cmd1(i)), 360 + 360 * i);
    }
    QCOMPARE(Left(w.Input_Cmd(0)), 120);
    QCOMPARE(Top(w.Input_Cmd(0)), 2880);
    QCOMPARE(Left(w.Input_Cmd(10)), 120);
    QCOMPARE(Top(w.Input_Cmd(10)), 3240);
    for (int i = 1; i <= 9; ++i) {
        QCOMPARE(Left(w.Input_Cmd(i)), 1920);
        QCOMPARE(Top(w.Input_Cmd(i)), 360 + 360 * (i - 1));
    }
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(Left(w.Mode_Cmd(i)), 120);
        QVERIFY(Top(w.Mode_Cmd(i)) > Top(w.Menu_Cmd(7)));
    }
    QCOMPARE(Top(w.Mode_Cmd(3)), 3720);
    for (int i = 3; i < 9; ++i)
        QCOMPARE(Left(w.Mode_Cmd(i)), 1920);
    for (int i : {9, 10})
        QVERIFY2(Top(w.Mode_Cmd(i)) >= kPageHeight, "modes 9 and 10 lie below the page");

    // Labels and their design captions.
    QCOMPARE(w.Label2(5)->text(), QStringLiteral("Source Select"));
    QCOMPARE(w.Label2(6)->text(), QStringLiteral("Audio Format"));
    QCOMPARE(w.Label2(7)->text(), QStringLiteral("No Signal"));
    QCOMPARE(w.VersionLabel->text(), QStringLiteral("Ver：01"));
    QCOMPARE(w.Label72->text(), QStringLiteral("Volume"));
    QCOMPARE(w.MuteCheck->text(), QStringLiteral("Mute"));
    QCOMPARE(w.MuteCheck->Value(), 0);
    const QStringList channels = {"FL:", "CEN:", "FR:", "SL:", "SR:", "BSL:", "BSR:", "SW:"};
    const int captionIndex[] = {9, 11, 12, 13, 14, 15, 16, 18};
    for (int ch = 0; ch < 8; ++ch)
        QCOMPARE(w.Label2(captionIndex[ch])->text(), channels[ch]);

    // Sliders, value labels and the fixed scale captions.
    QCOMPARE(w.VOLSlider(0)->Min(), -90);
    QCOMPARE(w.VOLSlider(0)->Max(), 0);
    QCOMPARE(w.VOLLab(0)->text(), QStringLiteral("40 dB"));
    QCOMPARE(w.VOLLab(77)->text(), QStringLiteral("-90 dB"));
    QCOMPARE(w.VOLLab(87)->text(), QStringLiteral("+0 dB"));
    for (int i = 1; i <= 8; ++i) {
        QCOMPARE(w.VOLSlider(i)->Min(), -10);
        QCOMPARE(w.VOLSlider(i)->Max(), 10);
        QCOMPARE(w.VOLLab(i)->text(), QStringLiteral("0 dB"));
        QCOMPARE(w.VOLLab(7 + 2 * i)->text(), QStringLiteral("-10 dB"));
        QCOMPARE(w.VOLLab(8 + 2 * i)->text(), QStringLiteral("10 dB"));
    }
    for (int i = 0; i <= 8; ++i) {
        QVERIFY(Harness::same(w.VOLLeft(i)->Picture(), w.LeftGray->Picture()));
        QVERIFY(Harness::same(w.VOLRight(i)->Picture(), w.RightGray->Picture()));
    }

    // Phase: every pair at "0°", in its frame, the column at 10560.
    const std::array<Frame*, 8> frames = {w.Frame8,  w.Frame9,  w.Frame10, w.Frame11,
                                          w.Frame12, w.Frame15, w.Frame14, w.Frame13};
    const auto pairs = w.PhasePairs();
    for (std::size_t ch = 0; ch < 8; ++ch) {
        QCOMPARE(frames[ch]->title(), QStringLiteral("Phase"));
        QCOMPARE(Left(frames[ch]), 10560);
        QCOMPARE((*pairs[ch])(0)->text(), QStringLiteral("0°"));
        QCOMPARE((*pairs[ch])(1)->text(), QStringLiteral("180°"));
        QCOMPARE((*pairs[ch])(0)->parentWidget(), frames[ch]);
        QCOMPARE(pairs[ch]->selected(), 0);
    }
}

void MainPanelTest::layoutIsOrderly() {
    Harness h;
    PrivateDesign& w = h.w;
    // Every control on the page (the rules aside) inside it, none overlapping,
    // the two unreachable modes and the hidden read-back label included.
    std::vector<QWidget*> controls;
    for (QWidget* c : w.Picture2->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (c->metaObject() == &QFrame::staticMetaObject) continue;
        controls.push_back(c);
    }
    QVERIFY(controls.size() > 90);
    for (std::size_t a = 0; a < controls.size(); ++a) {
        const QRect ra = TwipsRect(controls[a]);
        const bool offPage = controls[a] == w.Mode_Cmd(9) || controls[a] == w.Mode_Cmd(10);
        if (!offPage) {
            QVERIFY2(
                ra.left() >= 0 && ra.top() >= 0 && ra.x() + ra.width() <= kPageWidth &&
                    ra.y() + ra.height() <= kPageHeight,
                qPrintable(controls[a]->objectName() + controls[a]->property("text").toString()));
        }
        for (std::size_t b = a + 1; b < controls.size(); ++b) {
            QVERIFY2(!ra.intersects(TwipsRect(controls[b])),
                     qPrintable(controls[a]->property("text").toString() + " / " +
                                controls[b]->property("text").toString()));
        }
    }

    // Each row in line: caption, arrows, slider and value label share a
    // centre within two pixels, and the phase frame spans the trim row.
    const int captionIndex[] = {9, 11, 12, 13, 14, 15, 16, 18};
    const auto pairs = w.PhasePairs();
    for (int i = 0; i <= 8; ++i) {
        const int centre = CentreY(w.VOLSlider(i));
        std::vector<QWidget*> row = {w.VOLLeft(i), w.VOLRight(i), w.VOLLab(i)};
        if (i > 0) row.push_back(w.Label2(captionIndex[i - 1]));
        for (QWidget* c : row)
            QVERIFY(std::abs(CentreY(c) - centre) <= 30);
        QVERIFY(Left(w.VOLLeft(i)) + Width(w.VOLLeft(i)) <= Left(w.VOLSlider(i)));
        QVERIFY(Left(w.VOLSlider(i)) + Width(w.VOLSlider(i)) <= Left(w.VOLRight(i)));
        QVERIFY(Left(w.VOLRight(i)) + Width(w.VOLRight(i)) <= Left(w.VOLLab(i)));
        if (i > 0) {
            QWidget* zero = (*pairs[static_cast<std::size_t>(i - 1)])(0);
            const int zeroCentre = Top(zero->parentWidget()) + CentreY(zero);
            QVERIFY(std::abs(zeroCentre - centre) <= 60);
        }
    }

    // Nothing cut: each caption fits its control.
    for (QWidget* c : controls) {
        if (qobject_cast<QLabel*>(c) || qobject_cast<QAbstractButton*>(c)) {
            QVERIFY2(c->sizeHint().width() <= c->width(),
                     qPrintable(c->property("text").toString()));
        }
    }
}

void MainPanelTest::levelsLabelAndSendTwosComplement() {
    Harness h;
    PrivateDesign& w = h.w;
    struct Case {
        int index, value;
        const char* label;
        std::vector<std::uint8_t> payload;
    };
    const Case cases[] = {
        {0, -90, "-90 dB", P({6, 0x09, 0xA6})}, {0, -40, "-40 dB", P({6, 0x09, 0xD8})},
        {0, 0, "0 dB", P({6, 0x09, 0x00})},     {1, 10, "+10 dB", P({6, 0x10, 0, 0x0A})},
        {1, 3, "+3 dB", P({6, 0x10, 0, 0x03})}, {8, -10, "-10 dB", P({6, 0x10, 7, 0xF6})},
        {2, 0, "0 dB", P({6, 0x10, 1, 0x00})},  {5, -3, "-3 dB", P({6, 0x10, 4, 0xFD})},
    };
    for (const Case& c : cases) {
        h.clearFrames();
        w.VOLSlider(c.index)->setValue(c.value);
        QCOMPARE(w.VOLLab(c.index)->text(), QString::fromUtf8(c.label));
        QCOMPARE(h.sent(), std::vector<std::vector<std::uint8_t>>{c.payload});
    }
    QCOMPARE(h.pauses.size(), std::size(cases));
}

void MainPanelTest::arrowsStepOnceOnLeftRelease() {
    Harness h;
    PrivateDesign& w = h.w;
    // The master at its Max: bright while held, gray after, nothing sent.
    w.VOLSlider(0)->setValue(0);
    h.clearFrames();
    ImageControl* right = w.VOLRight(0);
    QTest::mousePress(right, Qt::LeftButton);
    QVERIFY(Harness::same(right->Picture(), w.RightBright->Picture()));
    QTest::mouseRelease(right, Qt::LeftButton);
    QVERIFY(Harness::same(right->Picture(), w.RightGray->Picture()));
    QCOMPARE(w.VOLSlider(0)->Value(), 0);
    QVERIFY(h.port.frames.empty());

    // A trim at -9: one release reaches -10, the second only restores the picture.
    w.VOLSlider(4)->setValue(-9);
    h.clearFrames();
    ImageControl* left = w.VOLLeft(4);
    QTest::mousePress(left, Qt::LeftButton);
    QVERIFY(Harness::same(left->Picture(), w.LeftBright->Picture()));
    QVERIFY(h.port.frames.empty());  // nothing on the press
    QTest::mouseRelease(left, Qt::LeftButton);
    QCOMPARE(w.VOLSlider(4)->Value(), -10);
    QCOMPARE(w.VOLLab(4)->text(), QStringLiteral("-10 dB"));
    QCOMPARE(h.sent(), std::vector<std::vector<std::uint8_t>>{P({6, 0x10, 3, 0xF6})});
    QTest::mousePress(left, Qt::LeftButton);
    QTest::mouseRelease(left, Qt::LeftButton);
    QVERIFY(Harness::same(left->Picture(), w.LeftGray->Picture()));
    QCOMPARE(w.VOLSlider(4)->Value(), -10);
    QCOMPARE(h.port.frames.size(), std::size_t{1});

    // Right arrow up from the bottom; other buttons change nothing.
    QTest::mouseClick(w.VOLRight(4), Qt::LeftButton);
    QCOMPARE(w.VOLSlider(4)->Value(), -9);
    QCOMPARE(h.lastPayload(), P({6, 0x10, 3, 0xF7}));
    h.clearFrames();
    for (ImageControl* arrow : {w.VOLLeft(4), w.VOLRight(4)}) {
        QTest::mousePress(arrow, Qt::RightButton);
        QVERIFY(!Harness::same(arrow->Picture(), w.LeftBright->Picture()));
        QVERIFY(!Harness::same(arrow->Picture(), w.RightBright->Picture()));
        QTest::mouseRelease(arrow, Qt::RightButton);
    }
    w.VOLLeft_MouseUp(4, 4, 0, 0, 0);
    QCOMPARE(w.VOLSlider(4)->Value(), -9);
    QVERIFY(h.port.frames.empty());
}

void MainPanelTest::muteColoursItsCaption() {
    Harness h;
    PrivateDesign& w = h.w;
    w.MuteCheck->click();
    QCOMPARE(w.MuteCheck->Value(), 1);
    QCOMPARE(w.MuteCheck->ForeColor(), vbRed);
    QCOMPARE(h.lastPayload(), P({6, 0x08, 1}));
    w.MuteCheck->setValue(0);
    QCOMPARE(w.MuteCheck->ForeColor(), vbBlack);
    QCOMPARE(h.lastPayload(), P({6, 0x08, 0}));
    w.MuteCheck->setValue(0);  // no change, no click
    QCOMPARE(h.port.frames.size(), std::size_t{2});
}

void MainPanelTest::phaseSendsTheWholeMask() {
    Harness h;
    PrivateDesign& w = h.w;
    const auto pairs = w.PhasePairs();
    (*pairs[0])(1)->click();  // FL 180°
    QCOMPARE(h.lastPayload(), P({6, 0x12, 0x01}));
    (*pairs[0])(0)->click();
    QCOMPARE(h.lastPayload(), P({6, 0x12, 0x00}));
    (*pairs[7])(1)->click();  // SW only
    QCOMPARE(h.lastPayload(), P({6, 0x12, 0x80}));
    (*pairs[7])(1)->click();  // already selected: no click, nothing sent
    QCOMPARE(h.port.frames.size(), std::size_t{3});
    w.SWPhase.select(0);

    // CEN already at 180°, then BSR: the whole state goes out.
    w.CENPhase.select(1);
    QCOMPARE(h.lastPayload(), P({6, 0x12, 0x02}));
    w.BSRPhase.select(1);
    QCOMPARE(h.lastPayload(), P({6, 0x12, 0x42}));

    for (OptionGroup* pair : pairs)
        pair->select(1);
    QCOMPARE(h.lastPayload(), P({6, 0x12, 0xFF}));

    // Back to 0° one pair after another: each frame carries the state so far.
    h.clearFrames();
    for (OptionGroup* pair : pairs)
        pair->select(0);
    const std::vector<std::uint8_t> masks = {0xFE, 0xFC, 0xF8, 0xF0, 0xE0, 0xC0, 0x80, 0x00};
    QCOMPARE(h.port.frames.size(), masks.size());
    for (std::size_t k = 0; k < masks.size(); ++k)
        QCOMPARE(h.sent()[k], P({6, 0x12, masks[k]}));
}

void MainPanelTest::connectorsFollowTheSourceFunction() {
    Harness h;
    PrivateDesign& w = h.w;
    QCOMPARE(w.SourceFunction, 0);
    w.Input_Cmd1(1)->click();  // GAME
    QCOMPARE(w.SourceFunction, 1);
    QCOMPARE(h.lastPayload(), P({6, 0x02, 1}));
    QCOMPARE(Harness::red(w.Input_Cmd1), std::vector<int>{1});
    w.Input_Cmd(7)->click();  // HDMI 3
    QCOMPARE(Harness::red(w.Input_Cmd), std::vector<int>{7});
    QCOMPARE(h.lastPayload(), P({6, 0x03, 7}));

    // BLUETOOTH and ARC turn every connector press into ANALOG; choosing the
    // source itself leaves the connector alone.
    for (int source : {5, 6}) {
        w.Input_Cmd1_Click(1);
        w.Input_Cmd(2)->click();
        h.clearFrames();
        w.Input_Cmd1_Click(source);
        QCOMPARE(h.sent(), std::vector<std::vector<std::uint8_t>>{
                               P({6, 0x02, static_cast<std::uint8_t>(source)})});
        QCOMPARE(Harness::red(w.Input_Cmd), std::vector<int>{2});
        w.Input_Cmd(7)->click();
        QCOMPARE(Harness::red(w.Input_Cmd), std::vector<int>{0});
        QCOMPARE(h.lastPayload(), P({6, 0x03, 0}));
        w.Input_Cmd_Click(0);
        QCOMPARE(h.lastPayload(), P({6, 0x03, 0}));
    }

    // After connecting the rule is off until a source is applied again.
    w.SourceFunction = 255;
    w.Input_Cmd(9)->click();
    QCOMPARE(Harness::red(w.Input_Cmd), std::vector<int>{9});
    QCOMPARE(h.lastPayload(), P({6, 0x03, 9}));
    w.Input_Cmd1(4)->click();  // DIRECT 7.1 is not under the rule
    w.Input_Cmd(10)->click();
    QCOMPARE(h.lastPayload(), P({6, 0x03, 10}));
}

void MainPanelTest::modesAndLayoutsShareTheHighlight() {
    Harness h;
    PrivateDesign& w = h.w;
    const std::pair<int, std::uint8_t> modes[] = {{0, 2}, {5, 7}, {8, 0x0A}};
    for (const auto& [index, code] : modes) {
        w.Mode_Cmd(index)->click();
        QCOMPARE(Harness::red(w.Mode_Cmd), std::vector<int>{index});
        QCOMPARE(h.lastPayload(), P({6, 0x07, code}));
    }

    const std::pair<int, std::uint8_t> layouts[] = {{8, 0}, {7, 1}, {9, 2}};
    for (const auto& [index, value] : layouts) {
        w.Menu_Cmd(index)->click();
        QCOMPARE(h.lastPayload(), P({6, 0x04, value}));
        for (int k = 7; k <= 9; ++k)
            QCOMPARE(w.Menu_Cmd(k)->BackColor(), k == index ? vbRed : vbButtonFace);
    }
    // 2.1 left no visible mode lit; the page tab is untouched.
    QCOMPARE(Harness::red(w.Mode_Cmd), std::vector<int>{});
    QCOMPARE(w.Menu_Cmd(0)->BackColor(), vbRed);

    // A mode press takes the red from 2.1.
    w.Mode_Cmd(3)->click();
    QCOMPARE(Harness::red(w.Mode_Cmd), std::vector<int>{3});
    QCOMPARE(w.Menu_Cmd(9)->BackColor(), vbButtonFace);

    // The off-page modes, pressed from code, stay red: 2.1 and other modes
    // leave them.
    w.Mode_Cmd_Click(10);
    QCOMPARE(h.lastPayload(), P({6, 0x07, 12}));
    w.Menu_Cmd_Click(9);
    w.Mode_Cmd_Click(1);
    QCOMPARE(Harness::red(w.Mode_Cmd), (std::vector<int>{1, 10}));
}

void MainPanelTest::osdModeKeepsTheScreenButSendsNothing() {
    Harness h;
    PrivateDesign& w = h.w;
    w.link().OsdMode = true;
    w.VOLSlider(0)->setValue(-20);
    w.VOLSlider(3)->setValue(2);
    w.MuteCheck->click();
    w.FRPhase.select(1);
    w.Input_Cmd(3)->click();
    w.Input_Cmd1(2)->click();
    w.Mode_Cmd(6)->click();
    w.Menu_Cmd(8)->click();
    QVERIFY(h.port.frames.empty());
    QCOMPARE(w.VOLLab(0)->text(), QStringLiteral("-20 dB"));
    QCOMPARE(w.VOLLab(3)->text(), QStringLiteral("+2 dB"));
    QCOMPARE(w.MuteCheck->ForeColor(), vbRed);
    QCOMPARE(Harness::red(w.Input_Cmd), std::vector<int>{3});
    QCOMPARE(Harness::red(w.Input_Cmd1), std::vector<int>{2});
    QCOMPARE(w.SourceFunction, 2);
    QCOMPARE(Harness::red(w.Mode_Cmd), std::vector<int>{6});
    QCOMPARE(w.Menu_Cmd(8)->BackColor(), vbRed);

    // Ids from 14h up still pass.
    h.send({OpSet, Id(ParamId::RemoteKey), 2});
    QCOMPARE(h.port.frames.size(), std::size_t{1});
}

void MainPanelTest::indicesWithoutAButtonDoNothing() {
    Harness h;
    PrivateDesign& w = h.w;
    for (int i : {-1, 11, 255})
        w.Input_Cmd_Click(i);
    for (int i : {-1, 7, 255})
        w.Input_Cmd1_Click(i);
    for (int i : {-1, 11, 255})
        w.Mode_Cmd_Click(i);
    for (int i : {-1, 9, 100}) {
        w.VOLSlider_ValueChanged(i);
        w.VOLLeft_MouseUp(i, 1, 0, 0, 0);
        w.VOLRight_MouseDown(i, 1, 0, 0, 0);
    }
    w.SpeakerLayout_Click(3);
    QVERIFY(h.port.frames.empty());
    QCOMPARE(w.SourceFunction, 0);
    QCOMPARE(Harness::red(w.Mode_Cmd), std::vector<int>{2});
}

void MainPanelTest::repliesOfSelectionsPressTheButtons() {
    Harness h;
    PrivateDesign& w = h.w;
    const std::uint8_t F0 = ReplyCodeReport;

    // 02h: 0 to 6 as reported, anything else BD/DVD.
    h.applyReply({F0, 0x02, 5});
    QCOMPARE(Harness::red(w.Input_Cmd1), std::vector<int>{5});
    QCOMPARE(w.SourceFunction, 5);
    h.applyReply({F0, 0x02, 7});
    QCOMPARE(Harness::red(w.Input_Cmd1), std::vector<int>{0});
    QCOMPARE(w.SourceFunction, 0);

    // 03h: 0 to 8 as reported, 9 and above ANALOG.
    const std::pair<std::uint8_t, int> inputs[] = {{7, 7}, {8, 8}, {9, 0}, {10, 0}, {200, 0}};
    for (const auto& [p2, shown] : inputs) {
        h.applyReply({F0, 0x03, p2});
        QCOMPARE(Harness::red(w.Input_Cmd), std::vector<int>{shown});
    }
    // ... and under BLUETOOTH a reported connector shows as ANALOG.
    h.applyReply({F0, 0x02, 5});
    h.applyReply({F0, 0x03, 4});
    QCOMPARE(Harness::red(w.Input_Cmd), std::vector<int>{0});

    // 04h: 2 is 2.1, 0 is 5.1, anything else 7.1.
    h.applyReply({F0, 0x04, 2});
    QCOMPARE(w.Menu_Cmd(9)->BackColor(), vbRed);
    QCOMPARE(Harness::red(w.Mode_Cmd), std::vector<int>{});
    h.applyReply({0x01, 0x04, 0});
    QCOMPARE(w.Menu_Cmd(8)->BackColor(), vbRed);
    h.applyReply({F0, 0x04, 5});
    QCOMPARE(w.Menu_Cmd(7)->BackColor(), vbRed);
    QCOMPARE(w.Menu_Cmd(8)->BackColor(), vbButtonFace);

    // 07h: 2 to 10 select buttons 0 to 8, anything else button 0.
    const std::pair<std::uint8_t, int> modes[] = {{2, 0},  {10, 8}, {6, 4},
                                                  {11, 0}, {1, 0},  {255, 0}};
    for (const auto& [p2, shown] : modes) {
        w.Mode_Cmd_Click(5);
        h.applyReply({F0, 0x07, p2});
        QCOMPARE(Harness::red(w.Mode_Cmd), std::vector<int>{shown});
    }

    h.clearFrames();
    h.applyReply({F0, 0x02, 3});
    h.applyReply({F0, 0x03, 3});
    h.applyReply({F0, 0x04, 0});
    h.applyReply({F0, 0x07, 9});
    QVERIFY2(h.port.frames.empty(), "a reply is never echoed as a command");
    QVERIFY(w.link().SendEnabled);
}

void MainPanelTest::repliesOfLevelsAndMuteClampAndMove() {
    Harness h;
    PrivateDesign& w = h.w;
    const std::uint8_t F0 = ReplyCodeReport;
    h.clearFrames();

    // 09h: A5h is no level (-91), bytes below it read as 0.
    const std::pair<std::uint8_t, int> masters[] = {{0xD8, -40}, {0xA6, -90}, {0xA5, -40},
                                                    {0x00, 0},   {0x7F, 0},   {0xFF, -1}};
    for (const auto& [p2, v] : masters) {
        h.applyReply({F0, 0x09, p2});
        QCOMPARE(w.VOLSlider(0)->Value(), v);
        QCOMPARE(w.VOLLab(0)->text(), QStringLiteral("%1 dB").arg(v));
    }

    // 10h: -10 to 10 as reported, 11 to 245 as 0, a channel above 7 as FL.
    struct Trim {
        std::uint8_t ch, p3;
        int slider, v;
        const char* label;
    };
    const Trim trims[] = {{0, 0xF6, 1, -10, "-10 dB"}, {7, 0x0A, 8, 10, "+10 dB"},
                          {7, 0x0B, 8, 0, "0 dB"},     {3, 0xF5, 4, 0, "0 dB"},
                          {9, 0x05, 1, 5, "+5 dB"},    {2, 0xFF, 3, -1, "-1 dB"}};
    for (const Trim& t : trims) {
        h.applyReply({F0, 0x10, t.ch, t.p3});
        QCOMPARE(w.VOLSlider(t.slider)->Value(), t.v);
        QCOMPARE(w.VOLLab(t.slider)->text(), QString::fromUtf8(t.label));
    }

    // 08h: only 1 is muted.
    h.applyReply({F0, 0x08, 1});
    QCOMPARE(w.MuteCheck->Value(), 1);
    QCOMPARE(w.MuteCheck->ForeColor(), vbRed);
    h.applyReply({F0, 0x08, 2});
    QCOMPARE(w.MuteCheck->Value(), 0);
    QCOMPARE(w.MuteCheck->ForeColor(), vbBlack);

    QVERIFY2(h.port.frames.empty(), "a reply is never echoed as a command");
    w.VOLSlider(0)->setValue(-30);  // sending is back on afterwards
    QCOMPARE(h.lastPayload(), P({6, 0x09, VolumeByte(-30)}));
}

void MainPanelTest::repliesOfPhaseFormatAndVersion() {
    Harness h;
    PrivateDesign& w = h.w;
    const std::uint8_t F0 = ReplyCodeReport;
    const auto pairs = w.PhasePairs();
    auto mask = [&pairs] {
        int m = 0;
        for (std::size_t k = 0; k < pairs.size(); ++k)
            m |= pairs[k]->selected() == 1 ? 1 << k : 0;
        return m;
    };
    for (std::uint8_t p2 : {0x42, 0x81, 0xFF, 0x00}) {
        h.applyReply({F0, 0x12, p2});
        QCOMPARE(mask(), int{p2});
    }

    // 05h: the format name of the code; no value byte reads as code 0.
    h.applyReply({F0, 0x05, 1});
    QCOMPARE(w.Label2(7)->text(), QStringLiteral("PCM"));
    h.applyReply({F0, 0x05});
    QCOMPARE(w.Label2(7)->text(), QString::fromStdString(w.tables().FormatName[0]));
    h.applyReply({F0, 0x05, 255});
    QCOMPARE(w.Label2(7)->text(), QString());

    // 13h: the version with at least two digits; above 250 reads as 1.
    const std::pair<std::uint8_t, const char*> versions[] = {
        {5, "Ver: 05"}, {123, "Ver: 123"}, {0, "Ver: 00"}, {250, "Ver: 250"}, {251, "Ver: 01"}};
    for (const auto& [p2, text] : versions) {
        h.applyReply({F0, 0x13, p2});
        QCOMPARE(w.VersionLabel->text(), QString::fromUtf8(text));
    }
    QVERIFY2(h.port.frames.empty(), "a reply is never echoed as a command");
}

QTEST_MAIN(MainPanelTest)
#include "MainPanelTest.moc"
