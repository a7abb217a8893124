// The EQ Design page under the pointer: every handle and arrow is pressed,
// moved and released through the window, as the platform delivers a user's
// mouse, with the moves going inside the dead zone, beyond it and off the
// control. Nothing here calls a handler.

#include <QtTest>
#include <algorithm>
#include <vector>

#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "eq/ResponseGraph.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using namespace calvetta::test;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes Band(int ch, int band, int gain, int freq, int bw) {
    return {6,
            0x0E,
            static_cast<std::uint8_t>(ch),
            static_cast<std::uint8_t>(band),
            static_cast<std::uint8_t>(gain),
            static_cast<std::uint8_t>(freq),
            static_cast<std::uint8_t>(bw)};
}

enum class Kind { Mid, Left, Right };

}  // namespace

class EqPointerTest : public QObject {
    Q_OBJECT
    std::unique_ptr<LoadedWindow> h;
    EqDesign* eq = nullptr;
    QWindow* window = nullptr;

    // Where a point of a control lies in the window.
    QPoint At(const QWidget* c, QPoint local) const { return c->mapTo(&h->w, local); }
    void Press(QPoint p) { QTest::mousePress(window, Qt::LeftButton, {}, p); }
    void Move(QPoint p) { QTest::mouseMove(window, p); }
    void Release(QPoint p) { QTest::mouseRelease(window, Qt::LeftButton, {}, p); }
    // Off the graph, below it, as far as `dx` goes inside the window.
    QPoint OffTheGraph(QPoint from, int dx) const {
        return {std::clamp(from.x() + dx, 2, h->w.width() - 3), from.y() + 250};
    }
    ImageControl* Handle(Kind kind, int k) const {
        return kind == Kind::Mid    ? eq->BandMid(k)
               : kind == Kind::Left ? eq->BandLeft(k)
                                    : eq->BandRight(k);
    }
    const ImageControl* Red(Kind kind) const {
        return kind == Kind::Mid    ? eq->BandMidRed
               : kind == Kind::Left ? eq->BandLeftRed
                                    : eq->BandRightRed;
    }
    const ImageControl* Green(Kind kind) const {
        return kind == Kind::Mid    ? eq->BandMidGreen
               : kind == Kind::Left ? eq->BandLeftGreen
                                    : eq->BandRightGreen;
    }

  private slots:
    // A flat equaliser on the shown EQ page of a connected window.
    void init() {
        h = std::make_unique<LoadedWindow>();
        eq = &h->w.Eq();
        eq->PEQ_Cmd_Click(12);
        h->w.show();
        h->w.Menu_Cmd_Click(1);
        QVERIFY(QTest::qWaitForWindowExposed(&h->w));
        window = h->w.windowHandle();
        h->clearFrames();
    }
    void cleanup() { h.reset(); }

    void bandwidthHandles_data();
    void bandwidthHandles();
    void centreHandles_data();
    void centreHandles();
    void arrowsStepOnTheirRelease();
    void pressThroughANumberAndCursors();
    void pressGoesToTheHandleDrawnOnTop();
    void releaseTakenElsewhereLeavesNoHold();
};

void EqPointerTest::bandwidthHandles_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("band");
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("towards");  // pixels a move goes: + right, - left
    QTest::addColumn<int>("first");    // the bandwidth sent, in tenths of an octave
    QTest::addColumn<int>("second");   // the same after the second step
    QTest::addColumn<QString>("readout");
    // Beyond the outer side the band narrows, beyond the inner side it widens
    // (from 1.0 octave after Flat: 4 positions a step, 0.6 and 0.2 octave, or
    // 1.5 and 2.5).
    QTest::newRow("FL 1 right, outwards") << 0 << 1 << true << 20 << 6 << 2 << "0.2";
    QTest::newRow("FL 1 left, outwards") << 0 << 1 << false << -20 << 6 << 2 << "0.2";
    QTest::newRow("CEN 7 right, inwards") << 1 << 7 << true << -20 << 15 << 25 << "2.5";
    QTest::newRow("FR 10 left, inwards") << 2 << 10 << false << 20 << 15 << 25 << "2.5";
    QTest::newRow("SW 1 right, outwards") << 7 << 1 << true << 20 << 6 << 2 << "0.2";
    QTest::newRow("SW 2 left, inwards") << 7 << 2 << false << 20 << 15 << 25 << "2.5";
}

void EqPointerTest::bandwidthHandles() {
    QFETCH(int, channel);
    QFETCH(int, band);
    QFETCH(bool, right);
    QFETCH(int, towards);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(QString, readout);
    eq->Channel_Opt.select(channel);
    eq->PEQ_Cmd_Click(band - 1);
    const int freq = BandDefaultFreq[static_cast<std::size_t>(band - 1)];
    const Kind kind = right ? Kind::Right : Kind::Left;
    ImageControl* handle = Handle(kind, band - 1);
    const QPoint start = At(handle, QPoint(2, 4));
    h->clearFrames();

    Press(start);
    QVERIFY(Shows(handle, Red(kind)));
    QVERIFY(eq->DisplayLbl->isVisible());
    QCOMPARE(h->payloads(), std::vector<Bytes>{Band(channel, band, 200, freq, 10)});

    // Inside the dead zone nothing steps; beyond it one step a move, also
    // from far off the graph.
    h->clearFrames();
    Move(start + QPoint(towards / 2, 3));
    QVERIFY(h->payloads().empty());
    Move(start + QPoint(towards, 0));
    Move(OffTheGraph(start, towards * 20));
    const std::vector<Bytes> expected = {Band(channel, band, 200, freq, first),
                                         Band(channel, band, 200, freq, second)};
    QCOMPARE(h->payloads(), expected);
    QCOMPARE(eq->DisplayLbl->text(), readout);
    QVERIFY(Shows(handle, Red(kind)));

    Release(OffTheGraph(start, towards * 20));
    QVERIFY(Shows(handle, Green(kind)));
    QVERIFY(!eq->DisplayLbl->isVisible());
    QCOMPARE(eq->bands.PeqQ()[channel][band], second == 2 ? 2.0f : 18.0f);
}

void EqPointerTest::centreHandles_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("readout");  // at the band's default frequency, 0 dB
    QTest::newRow("FL 5") << 0 << 5 << "851(Hz)\r\n0.0";
    QTest::newRow("SR 9") << 4 << 9 << "10000(Hz)\r\n0.0";
    QTest::newRow("SW 1") << 7 << 1 << "40.3(Hz)\r\n0.0";
    QTest::newRow("SW 2") << 7 << 2 << "101(Hz)\r\n0.0";
}

void EqPointerTest::centreHandles() {
    QFETCH(int, channel);
    QFETCH(int, band);
    QFETCH(QString, readout);
    eq->Channel_Opt.select(channel);
    const int freq = BandDefaultFreq[static_cast<std::size_t>(band - 1)];
    ImageControl* handle = eq->BandMid(band - 1);
    // Offsets count from the handle's top left corner.
    const QPoint start = At(handle, QPoint(0, 0));
    Press(start + QPoint(2, 3));
    QVERIFY(Shows(handle, eq->BandMidRed));
    QCOMPARE(h->w.Eq().CurBand, band);
    h->clearFrames();

    // Inside the dead zone on both axes: the readout only.
    Move(start + QPoint(15, -15));
    QVERIFY(h->payloads().empty());
    QCOMPARE(eq->DisplayLbl->text(), readout);
    // Right and up: frequency first, then gain; then left and down from off
    // the graph.
    Move(start + QPoint(16, -16));
    Move(OffTheGraph(start, -100));
    const std::vector<Bytes> expected = {
        Band(channel, band, 200, freq + 4, 10), Band(channel, band, 206, freq + 4, 10),
        Band(channel, band, 206, freq, 10), Band(channel, band, 200, freq, 10)};
    QCOMPARE(h->payloads(), expected);
    QCOMPARE(eq->DisplayLbl->text(), readout);
    Release(OffTheGraph(start, -100));
    QVERIFY(Shows(handle, eq->BandMidGreen));
    QVERIFY(!eq->DisplayLbl->isVisible());
}

void EqPointerTest::arrowsStepOnTheirRelease() {
    eq->PEQ_Cmd_Click(4);
    h->clearFrames();
    // Index, right, the slider it steps (none for 32), the value after the click.
    const std::tuple<int, bool, ruqSlider*, int> arrows[] = {
        {0, true, eq->BandQfactorOctSlider, 11},
        {0, false, eq->BandQfactorOctSlider, 10},
        {30, true, eq->BandFreqSlider, 140},
        {30, false, eq->BandFreqSlider, 139},
        {31, true, eq->BandGainSlider, 201},
        {31, false, eq->BandGainSlider, 200},
        {32, true, nullptr, 0},
        {32, false, nullptr, 0}};
    for (const auto& [index, right, slider, after] : arrows) {
        ImageControl* arrow = right ? eq->MainRight(index) : eq->MainLeft(index);
        const QPoint on = At(arrow, QPoint(5, 10));
        h->clearFrames();
        Press(on);
        QVERIFY(Shows(arrow, right ? h->w.RightBright : h->w.LeftBright));
        // Held and moved off the arrow, released away from it: one step.
        Move(on + QPoint(0, -40));
        QVERIFY(h->payloads().empty());
        Release(on + QPoint(0, -40));
        QVERIFY(Shows(arrow, right ? h->w.RightGray : h->w.LeftGray));
        if (slider == nullptr) {
            QVERIFY(h->payloads().empty());
        } else {
            QCOMPARE(slider->Value(), after);
            QCOMPARE(h->payloads().size(), std::size_t{1});
        }
    }
}

void EqPointerTest::pressThroughANumberAndCursors() {
    // Band 2's number over band 1's centre handle: band 1 at the top of its
    // window and 1.6 dB down, band 2 at the bottom of its window at 0 dB.
    eq->PEQ_Cmd_Click(0);
    eq->BandFreqSlider->setValue(51);
    eq->BandGainSlider->setValue(184);
    eq->PEQ_Cmd_Click(1);
    eq->BandFreqSlider->setValue(51);
    QVERIFY(eq->BandLbl(1)->geometry().contains(eq->BandMid(0)->geometry().center()));
    const QPoint on = At(eq->BandMid(0), QPoint(2, 3));
    Press(on);
    QCOMPARE(h->w.Eq().CurBand, 1);
    QVERIFY(Shows(eq->BandMid(0), eq->BandMidRed));
    Release(on);

    // The pointer over a centre handle is the hand, over a bandwidth handle
    // the sizing pointer, elsewhere on the graph the arrow.
    Move(At(eq->BandMid(4), QPoint(2, 3)));
    QCOMPARE(eq->Show_Picture->cursor().shape(), Qt::BitmapCursor);
    Move(At(eq->BandRight(0), QPoint(2, 4)));
    QCOMPARE(eq->Show_Picture->cursor().shape(), Qt::SizeHorCursor);
    Move(At(eq->Show_Picture, QPoint(400, 20)));
    QCOMPARE(eq->Show_Picture->cursor().shape(), Qt::ArrowCursor);
}

void EqPointerTest::pressGoesToTheHandleDrawnOnTop() {
    // Bands 1 and 2 at one spot, band 1 at the top of its window and band 2
    // at the bottom of its own, both at 0 dB: band 2's handle, made after
    // band 1's, is drawn over it and takes the press.
    eq->PEQ_Cmd_Click(0);
    eq->BandFreqSlider->setValue(51);
    eq->PEQ_Cmd_Click(1);
    eq->BandFreqSlider->setValue(51);
    QCOMPARE(eq->BandMid(1)->geometry(), eq->BandMid(0)->geometry());
    const QObjectList& drawn = eq->Show_Picture->children();
    QVERIFY(drawn.indexOf(eq->BandMid(1)) > drawn.indexOf(eq->BandMid(0)));
    eq->PEQ_Cmd_Click(0);
    Press(At(eq->BandMid(0), QPoint(2, 3)));
    QCOMPARE(eq->CurBand, 2);
    QVERIFY(Shows(eq->BandMid(1), eq->BandMidRed));
    QVERIFY(Shows(eq->BandMid(0), eq->BandMidGreen));
}

void EqPointerTest::releaseTakenElsewhereLeavesNoHold() {
    // Band 1's centre handle held while a modal box comes up, which takes
    // the release: the graph never sees it, the handle stays red.
    Press(At(eq->BandMid(0), QPoint(2, 3)));
    QWidget box;
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseRelease(box.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    box.close();
    QVERIFY(Shows(eq->BandMid(0), eq->BandMidRed));

    // The next press, with no other button down, goes to the handle under it.
    Press(At(eq->BandMid(4), QPoint(2, 3)));
    QCOMPARE(eq->CurBand, 5);
    QVERIFY(Shows(eq->BandMid(4), eq->BandMidRed));
}

QTEST_MAIN(EqPointerTest)
#include "EqPointerTest.moc"
