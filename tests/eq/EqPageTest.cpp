// The EQ Design page offscreen: its layout, the band sliders, band and channel
// selection, the graph handles and step arrows (also dragged with real mouse
// events), and the band reply.

#include <QtTest>
#include <tuple>
#include <vector>

#include "app/PrivateDesign.h"
#include "eq/BandRules.h"
#include "eq/EqDesign.h"
#include "eq/ResponseGraph.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using Bytes = std::vector<std::uint8_t>;
using Payloads = std::vector<Bytes>;

namespace {

struct Harness : test::WindowHarness {
    PrivateDesign& w;
    EqDesign& eq;
    // Loaded, connected, and with every channel flat when asked.
    explicit Harness(bool flat = true) : w(load()), eq(w.Eq()) {
        connectLink();
        if (flat) eq.PEQ_Cmd_Click(12);
        clearFrames();
    }
    // The band frames sent since the last clear.
    Payloads bandFrames() const {
        Payloads out;
        for (const Bytes& p : payloads())
            if (p.size() == 7 && p[1] == 0x0E) out.push_back(p);
        return out;
    }
};

Bytes Band(std::uint8_t ch, std::uint8_t band, std::uint8_t gain, std::uint8_t freq,
           std::uint8_t bw) {
    return {6, 0x0E, ch, band, gain, freq, bw};
}

// The one red band button, -1 for none, -2 for more than one.
int Lit(const ControlArray<CommandButton>& buttons) {
    int lit = -1;
    for (int i = 0; i < 10; ++i)
        if (buttons(i)->BackColor() == vbRed) lit = lit == -1 ? i : -2;
    return lit;
}

bool Shows(const ImageControl* image, const ImageControl* source) {
    return image->Picture().toImage() == source->Picture().toImage();
}

QRect Twips(const QWidget* c) {
    return QRect(Left(c), Top(c), Width(c), Height(c));
}

// A control for a failure message: its class and its place in twips.
QString Describe(const QWidget* c) {
    return QStringLiteral("%1 at %2, %3 (%4 by %5)")
        .arg(QString::fromLatin1(c->metaObject()->className()))
        .arg(Left(c))
        .arg(Top(c))
        .arg(Width(c))
        .arg(Height(c));
}

}  // namespace

class EqPageTest : public QObject {
    Q_OBJECT
  private slots:
    void layout();
    void bandSliders();
    void selectionCopyPasteFlat();
    void handlesAndArrows();
    void bandReplyShowsWithoutSending();
    void startsOnBandOneOfFlAsStored();
};

void EqPageTest::layout() {
    Harness h(false);
    EqDesign& eq = h.eq;
    // Everything inside the visible page, nothing overlapping but the dB
    // scale over the graph's margin left of 20 Hz.
    std::vector<QWidget*> controls;
    for (QWidget* c : h.w.Picture5->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (c->metaObject() != &QFrame::staticMetaObject) controls.push_back(c);
    for (QWidget* a : controls) {
        QVERIFY(QRect(0, 0, 12650, 7545).contains(Twips(a)));
        for (QWidget* b : controls) {
            const bool scaleOverGraph = (a == eq.Picture3 && b == eq.Show_Picture) ||
                                        (b == eq.Picture3 && a == eq.Show_Picture);
            if (a == b || scaleOverGraph) continue;
            QVERIFY2(!Twips(a).intersects(Twips(b)),
                     qPrintable(Describe(a) + QStringLiteral(" over ") + Describe(b)));
        }
    }
    QVERIFY(Left(eq.Picture3) + Width(eq.Picture3) <= Left(eq.Show_Picture) + 340);
    // The dB captions "+05" to "-25" sit on their levels of the curve (0 dB
    // at 2250, 157 a dB); those below the graph's field stay hidden.
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(Top(eq.Picture3) + Top(eq.dBLabel(i)) + Height(eq.dBLabel(i)) / 2,
                 Top(eq.Show_Picture) + 1465 + 785 * i);
        QCOMPARE(eq.dBLabel(i)->isHidden(), i >= 5);
    }
    // No scale caption runs into another caption or a control of the page.
    std::vector<QRect> captions;
    for (const QWidget* scale : {eq.Picture3, eq.Picture4})
        for (const Label* l : scale->findChildren<Label*>())
            if (!l->isHidden()) captions.emplace_back(l->mapTo(h.w.Picture5, QPoint()), l->size());
    for (std::size_t i = 0; i < captions.size(); ++i) {
        for (std::size_t j = i + 1; j < captions.size(); ++j)
            QVERIFY(!captions[i].intersects(captions[j]));
        for (const QWidget* c : controls)
            if (c != eq.Picture3 && c != eq.Picture4 && c != eq.Show_Picture)
                QVERIFY2(!captions[i].intersects(c->geometry()), c->metaObject()->className());
    }
}

void EqPageTest::bandSliders() {
    Harness h;
    EqDesign& eq = h.eq;
    // Kept, replaced by the band's default, capped on SW and then replaced:
    // band, SW, index assigned, index kept, how often the band is sent.
    const std::tuple<int, bool, int, std::uint8_t, std::size_t> windows[] = {
        {2, false, 51, 51, 1}, {1, false, 52, 26, 2}, {1, true, 95, 26, 2}, {2, true, 200, 60, 2}};
    for (const auto& [band, sw, assigned, kept, times] : windows) {
        const std::uint8_t channel = sw ? 7 : 0;
        eq.Channel_Opt.select(channel);
        eq.PEQ_Cmd_Click(band - 1);
        h.clearFrames();
        eq.BandFreqSlider->setValue(assigned);
        QCOMPARE(h.bandFrames(), Payloads(times, Band(channel, band, 200, kept, 10)));
        QCOMPARE(eq.BandFreqSlider->Value(), int(kept));
        QCOMPARE(eq.bands.PeqFreq()[channel][band], float(kept));
    }

    // Gain: label, heights of the handles, number and marker, the drawn gain
    // (0.099 dB a step) filed under the band.
    eq.Channel_Opt.select(0);
    eq.PEQ_Cmd_Click(4);
    for (const auto& [gain, label, top, drawn] :
         {std::tuple{250, "5.0(dB)", 1500, 4.95}, {0, "-20.0(dB)", 5250, -19.8}}) {
        eq.BandGainSlider->setValue(gain);
        QCOMPARE(eq.BandGainLabel->text(), QString::fromUtf8(label));
        for (QWidget* handle : {eq.BandMid(4), eq.BandLeft(4), eq.BandRight(4)})
            QCOMPARE(Top(handle), top);
        QCOMPARE(Top(eq.BandLbl(4)), top + 240);
        QCOMPARE(Left(eq.BandLbl(4)), Left(eq.BandMid(4)));
        QCOMPARE(*eq.Show_Picture->Marker(), QPointF(Left(eq.BandMid(4)) + 30, top + 50));
        QVERIFY(qFuzzyCompare(1.0 + eq.BandCalcGain, 1.0 + drawn));
        QCOMPARE(h.w.tables().BandCoef[5][1], eq.PeakCoef[0]);
    }

    // Bandwidth 15 (1.7 octaves) sets Q 0.8 and sends 17 tenths; 20 Hz and
    // 20 kHz at the graph's ends.
    eq.BandQfactorOctSlider->setValue(15);
    QCOMPARE(eq.BandQfactorLabel->text(), QStringLiteral("1.7(Oct)"));
    QCOMPARE(eq.BandQfactorSlider->Value(), 8);
    // Exactly: the filter is designed from this very number.
    QVERIFY2(eq.BandCalcQ == 0.8, qPrintable(QString::number(eq.BandCalcQ, 'g', 17)));
    QCOMPARE(h.bandFrames().back(), Band(0, 5, 0, 139, 17));
    eq.PEQ_Cmd_Click(0);
    eq.BandFreqSlider->setValue(0);
    QCOMPARE(Left(eq.BandMid(0)), 340);
    QCOMPARE(eq.BandFreqLabel->text(), QStringLiteral("20(Hz)"));
    eq.PEQ_Cmd_Click(9);
    eq.BandFreqSlider->setValue(255);
    QCOMPARE(Left(eq.BandMid(9)), 12540);

    // The Q slider by hand places the bandwidth handles and sends nothing; a
    // new frequency then takes the handles and the number along.
    for (const auto& [q, left, right, f] :
         {std::tuple{4, -1100, 1060, 250}, {100, -100, 100, 245}}) {
        h.clearFrames();
        eq.BandQfactorSlider->setValue(q);
        QVERIFY(h.port.frames.empty());
        eq.BandFreqSlider->setValue(f);
        QCOMPARE(Left(eq.BandLeft(9)) - Left(eq.BandMid(9)), left);
        QCOMPARE(Left(eq.BandRight(9)) - Left(eq.BandMid(9)), right);
        QCOMPARE(Left(eq.BandLbl(9)), Left(eq.BandMid(9)));
    }
    QCOMPARE(eq.bands.PeqQ()[0][10], 10.0f);
    QCOMPARE(eq.BandQfactorLabel->text(), QStringLiteral("1.0(Oct)"));

    // Only the edited band shows its bandwidth handles; SW shows bands 1 and 2.
    for (int k = 0; k < 10; ++k)
        QCOMPARE(eq.BandLeft(k)->isHidden(), k != 9);
    // (channel, handle, the handle hidden, its number hidden).
    for (int channel : {7, 1}) {
        eq.Channel_Opt.select(channel);
        for (int k = 0; k < 10; ++k) {
            const bool off = channel == 7 && k >= 2;
            QCOMPARE(std::tuple(channel, k, eq.BandMid(k)->isHidden(), eq.BandLbl(k)->isHidden()),
                     std::tuple(channel, k, off, off));
        }
    }
}

void EqPageTest::selectionCopyPasteFlat() {
    Harness h;
    EqDesign& eq = h.eq;
    auto& b = eq.bands;

    // Flat: every band at its default, FL band 1 current; the option shown is
    // left alone.
    eq.Channel_Opt.select(3);
    eq.PEQ_Cmd_Click(12);
    // (channel, band, frequency, gain, bandwidth).
    for (int c = 0; c < 8; ++c)
        for (int band = 1; band <= 10; ++band)
            QCOMPARE(
                std::tuple(c, band, b.PeqFreq()[c][band], b.PeqGain()[c][band], b.PeqQ()[c][band]),
                std::tuple(c, band, float(BandDefaultFreq[band - 1]), 200.0f, 10.0f));
    QCOMPARE(h.w.Eq().CurChannel, std::uint8_t{0});
    QCOMPARE(h.w.Eq().CurBand, std::uint8_t{1});
    QCOMPARE(Lit(eq.PEQ_Cmd), 0);
    QCOMPARE(eq.Channel_Opt.selected(), 3);
    QCOMPARE(h.bandFrames().back(), Band(0, 1, 200, 26, 10));

    // Repairs written back: gain outside 0 to 250, bandwidth outside 1 to 19.
    eq.Channel_Opt.select(0);
    b.Store(0, 4, EqValue::Gain, -5);
    b.Store(0, 4, EqValue::Q, 25);
    eq.PEQ_Cmd_Click(3);
    QCOMPARE(b.PeqGain()[0][4], 200.0f);
    QCOMPARE(b.PeqQ()[0][4], 10.0f);
    QCOMPARE(eq.BandGainSlider->Value(), 200);

    // Copy FL, paste on CEN: CEN gets FL's ten bands and sends them; one paste per copy.
    b.Store(0, 7, EqValue::Gain, 150);
    eq.PEQ_Cmd_Click(10);
    eq.Channel_Opt.select(1);
    h.clearFrames();
    eq.PEQ_Cmd_Click(11);
    QCOMPARE(b.PeqGain()[1], b.PeqGain()[0]);
    const Payloads pasted = h.bandFrames();
    QVERIFY(!pasted.empty());
    QCOMPARE(pasted.back(), Band(1, 1, 200, 26, 10));
    QCOMPARE(Lit(eq.PEQ_Cmd), 0);
    QVERIFY(std::count(pasted.begin(), pasted.end(), Band(1, 7, 150, 166, 10)) > 0);
    eq.PEQ_Cmd_Click(11);

    // Copy on SW is refused and an earlier copy stays; paste onto SW fills
    // all ten bands but sends bands 1 and 2 only.
    eq.PEQ_Cmd_Click(10);
    eq.Channel_Opt.select(7);
    for (int k = 2; k < 10; ++k)
        QVERIFY(!eq.PEQ_Cmd(k)->isEnabled());
    eq.PEQ_Cmd_Click(10);
    QCOMPARE(h.w.Eq().EqCopySrcChannel, std::uint8_t{1});
    b.Store(1, 5, EqValue::Gain, 180);
    h.clearFrames();
    eq.PEQ_Cmd_Click(11);
    QCOMPARE(b.PeqGain()[7][5], 180.0f);
    for (const Bytes& p : h.bandFrames()) {
        QCOMPARE(p[2], std::uint8_t{7});
        QVERIFY2(p[3] <= 2, qPrintable(QDebug::toString(p)));
    }
    QStringList shown;
    for (const auto& box : h.dialogs.boxes)
        shown << box.prompt;
    const QString had = QStringLiteral("Had copy EQ parameter of %1 channel！");
    QCOMPARE(shown,
             (QStringList{had.arg("FL"), had.arg("FL channel to CEN"),
                          QStringLiteral("Please copy EQ parameter！"), had.arg("CEN"),
                          QStringLiteral("SW channel disable！"), had.arg("CEN channel to SW")}));

    // On SW, band 3 turns red and becomes current but loads and sends nothing.
    h.clearFrames();
    eq.PEQ_Cmd_Click(2);
    QCOMPARE(Lit(eq.PEQ_Cmd), 2);
    QCOMPARE(h.w.Eq().CurBand, std::uint8_t{3});
    QVERIFY(h.port.frames.empty());
    eq.Channel_Opt.select(4);
    for (int k = 0; k < 10; ++k)
        QVERIFY(eq.PEQ_Cmd(k)->isEnabled());
}

void EqPageTest::handlesAndArrows() {
    Harness h;
    EqDesign& eq = h.eq;
    h.w.show();
    h.w.Menu_Cmd_Click(1);
    QVERIFY(QTest::qWaitForWindowExposed(&h.w));
    // Through the window, as the platform delivers them: the pressed handle
    // keeps the moves and the release wherever the pointer goes.
    QWindow* window = h.w.windowHandle();
    ImageControl* handle = eq.BandMid(4);
    const QPoint start = handle->mapTo(&h.w, QPoint(2, 3));
    QTest::mousePress(window, Qt::LeftButton, {}, start);
    QVERIFY(Shows(handle, eq.BandMidRed));
    QVERIFY(!eq.DisplayLbl->isHidden());

    // Right of the handle, then far outside the graph: every move steps the
    // frequency by four, the last one past band 5's window and far below.
    const QPoint outside(start.x() + 60, 500);
    for (const auto& [at, f] :
         {std::pair{start + QPoint(40, 0), 143}, {start + QPoint(41, 0), 147}, {outside, 139}}) {
        QTest::mouseMove(window, at);
        QCOMPARE(eq.BandFreqSlider->Value(), f);
    }
    QCOMPARE(eq.BandGainSlider->Value(), 194);
    QTest::mouseRelease(window, Qt::LeftButton, {}, outside);
    QVERIFY(Shows(handle, eq.BandMidGreen));
    QVERIFY(eq.DisplayLbl->isHidden());
    QCOMPARE(h.bandFrames().back(), Band(0, 5, 194, 139, 10));

    // The rest by calling the handlers, from a flat equaliser.
    eq.PEQ_Cmd_Click(12);
    ruqSlider* freq = eq.BandFreqSlider;
    ruqSlider* gain = eq.BandGainSlider;
    ruqSlider* oct = eq.BandQfactorOctSlider;

    // Only a left press selects the band.
    eq.BandMid_MouseDown(4, 2, 0, 0, 0);
    QCOMPARE(h.w.Eq().CurBand, std::uint8_t{1});
    QVERIFY(eq.DisplayLbl->isHidden());
    eq.BandMid_MouseDown(4, 1, 0, 0, 0);

    // Dead zone of 15 pixels on both axes; left is lower, up is more gain.
    for (const auto& [dx, dy, f, g] :
         {std::tuple{15, -15, 139, 200}, {-16, 0, 135, 200}, {0, -16, 135, 206}}) {
        eq.BandMid_MouseMove(4, 1, 0, dx * 15.0f, dy * 15.0f);
        QCOMPARE(freq->Value(), f);
        QCOMPARE(gain->Value(), g);
    }
    gain->setValue(165);
    eq.BandMid_MouseMove(4, 1, 0, 0, 0);
    QCOMPARE(eq.DisplayLbl->text(), QStringLiteral("764(Hz)\r\n-3.5"));
    QCOMPARE(Left(eq.DisplayLbl), Left(eq.BandMid(4)) + 400);
    QCOMPARE(Top(eq.DisplayLbl), Top(eq.BandMid(4)));

    // Bandwidth handles: a move inwards of the right one widens the band, one
    // outwards of the left one narrows it; the readout shows the bandwidth.
    oct->setValue(10);
    eq.BandRight_MouseMove(4, 1, 0, -16 * 15, 0);
    QCOMPARE(oct->Value(), 14);
    eq.BandLeft_MouseMove(4, 1, 0, -16 * 15, 0);
    eq.BandLeft_MouseMove(4, 1, 0, -16 * 15, 0);
    QCOMPARE(oct->Value(), 6);
    QCOMPARE(eq.DisplayLbl->text(), QStringLiteral("0.6"));

    // Arrows: bright while held, one step on the release; the right frequency
    // arrow stops at 94 while SW is selected (here still shown after Flat, FL
    // band 4 loaded); the pair beside the Q slider only changes pictures.
    eq.Channel_Opt.select(7);
    eq.PEQ_Cmd_Click(12);
    eq.PEQ_Cmd_Click(3);
    for (const auto& [from, to] : {std::pair{93, 94}, {94, 94}}) {
        freq->setValue(from);
        eq.MainRight_MouseDown(30, 1, 0, 0, 0);
        QVERIFY(Shows(eq.MainRight(30), h.w.RightBright));
        eq.MainRight_MouseUp(30, 1, 0, 0, 0);
        QCOMPARE(freq->Value(), to);
        QVERIFY(Shows(eq.MainRight(30), h.w.RightGray));
    }
    eq.MainLeft_MouseUp(31, 1, 0, 0, 0);
    QCOMPARE(gain->Value(), 199);
    h.clearFrames();
    eq.MainLeft_MouseDown(32, 1, 0, 0, 0);
    QVERIFY(Shows(eq.MainLeft(32), h.w.LeftBright));
    eq.MainLeft_MouseUp(32, 1, 0, 0, 0);
    QVERIFY(Shows(eq.MainLeft(32), h.w.LeftGray));
    QVERIFY(h.port.frames.empty());
}

void EqPageTest::bandReplyShowsWithoutSending() {
    Harness h;
    EqDesign& eq = h.eq;
    h.applyReply({0xF0, 0x0E, 2, 4, 180, 110, 12});
    QCOMPARE(eq.Channel_Opt.selected(), 2);
    QCOMPARE(Lit(eq.PEQ_Cmd), 3);
    QCOMPARE(h.w.Eq().CurChannel, std::uint8_t{2});
    QCOMPARE(eq.BandGainSlider->Value(), 180);
    QCOMPARE(eq.BandFreqSlider->Value(), 110);
    QCOMPARE(eq.BandQfactorOctSlider->Value(), 12);
    // SW band 3 is taken as band 1; SW's frequencies return to their defaults.
    h.applyReply({0xF0, 0x0E, 7, 3, 190, 40, 30});
    QCOMPARE(eq.Channel_Opt.selected(), 7);
    QCOMPARE(Lit(eq.PEQ_Cmd), 0);
    QCOMPARE(eq.bands.PeqGain()[7][1], 190.0f);
    QCOMPARE(eq.bands.PeqQ()[7][1], 10.0f);
    QCOMPARE(eq.bands.PeqFreq()[7][1], 26.0f);
    QVERIFY(h.port.frames.empty());
    QVERIFY(h.w.link().SendEnabled);
}

void EqPageTest::startsOnBandOneOfFlAsStored() {
    test::WindowHarness h;
    QVERIFY(h.putFile("Modules/ModeEffects.ini",
                      "[PEQ_Config]\r\nPEQ_Active=True\r\nPEQ_Ch0_Band1_Freq=40\r\n"
                      "PEQ_Ch0_Band1_Q=12\r\nPEQ_Ch0_Band3_Freq=90\r\n"));
    PrivateDesign& w = h.load();
    EqDesign& eq = w.Eq();
    QVERIFY(h.port.frames.empty());
    QCOMPARE(w.Eq().CurChannel, std::uint8_t{0});
    QCOMPARE(w.Eq().CurBand, std::uint8_t{1});
    QCOMPARE(Lit(eq.PEQ_Cmd), 0);
    QCOMPARE(eq.BandGainSlider->Value(), 200);
    QCOMPARE(eq.BandFreqSlider->Value(), 40);
    QCOMPARE(eq.BandQfactorOctSlider->Value(), 12);
    QCOMPARE(eq.BandGainLabel->text(), QStringLiteral("0.0(dB)"));
    QCOMPARE(eq.BandFreqLabel->text(), QStringLiteral("59(Hz)"));
    QCOMPARE(eq.BandQfactorLabel->text(), QStringLiteral("1.2(Oct)"));
    for (int k = 0; k < 10; ++k)
        QCOMPARE(eq.BandRight(k)->isHidden(), k != 0);
    QCOMPARE(Left(eq.BandMid(0)), MidLeftForFrequency(59));
    QCOMPARE(Left(eq.BandMid(2)), MidLeftForFrequency(159));  // 90 is outside band 3
    QCOMPARE(*eq.Show_Picture->Marker(), QPointF(Left(eq.BandMid(0)) + 30, 2250 + 50));

    // The first drag of a slider sends the band as stored, not the sliders'
    // design values.
    h.connectLink();
    w.show();
    w.Menu_Cmd_Click(1);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ruqSlider* freq = eq.BandFreqSlider;
    const QPoint thumb = freq->mapTo(&w, QPoint(static_cast<int>(freq->ThumbLeft()) + 4, 8));
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, thumb);
    QTest::mouseMove(w.windowHandle(), thumb + QPoint(6, 0));
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, thumb + QPoint(6, 0));
    const Payloads sent = h.payloads();
    QVERIFY(!sent.empty());
    QCOMPARE(sent.front(), Band(0, 1, 200, static_cast<std::uint8_t>(freq->Value()), 12));
}

QTEST_MAIN(EqPageTest)
#include "EqPageTest.moc"
