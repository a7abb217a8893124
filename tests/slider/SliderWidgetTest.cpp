// The slider widget in a real (offscreen) window: mouse input goes through
// the window system path, so moves and releases outside the control reach it
// through Qt's implicit grab as they would on screen.
#define QTEST_QPA_MOUSE_HANDLING
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QtTest>
#include <memory>

#include "slider/ControlError.h"
#include "slider/SliderGeometry.h"
#include "slider/SliderPictures.h"
#include "slider/ruqSlider.h"

using namespace calvetta;

namespace {

// Pictures of a given size in one colour.
QPixmap Filled(int w, int h, QColor colour) {
    QPixmap p(w, h);
    p.fill(colour);
    return p;
}

}  // namespace

class SliderWidgetTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    QStringList events;

    // Records every event of the slider, in order.
    void Watch(ruqSlider* s) {
        connect(s, &ruqSlider::ValueChanged, this,
                [this, s] { events << QStringLiteral("ValueChanged %1").arg(s->Value()); });
        connect(s, &ruqSlider::ArrivedFirst, this, [this] { events << "ArrivedFirst"; });
        connect(s, &ruqSlider::ArrivedLast, this, [this] { events << "ArrivedLast"; });
        connect(s, &ruqSlider::Click, this, [this] { events << "Click"; });
        connect(s, &ruqSlider::MouseDown, this,
                [this](short shift) { events << QStringLiteral("MouseDown %1").arg(shift); });
        connect(s, &ruqSlider::MouseUp, this,
                [this](short shift) { events << QStringLiteral("MouseUp %1").arg(shift); });
    }

    // A main-window slider in the test window at (20, 20) pixels.
    ruqSlider* Place(SliderKind kind) {
        ruqSlider* s = CreateMainWindowSlider(kind, window.get());
        s->setTwipsGeometry(300, 300, s->TwipsWidth(), s->TwipsHeight());
        s->show();
        Watch(s);
        return s;
    }

    // A horizontal 0..8 slider with a 256-pixel track: 32 pixels a step.
    ruqSlider* PlaceEights() {
        SliderDesign d =
            MainWindowSliderDesign(SliderKind::Delay, EncodePicture(SliderThumbPicture()));
        d.properties.WriteInt16("Max", 8, 10);
        d.widthTwips = (256 + 38) * 15;
        ruqSlider* s = CreateSliderFromDesign(d, window.get());
        s->setTwipsGeometry(300, 300, s->TwipsWidth(), s->TwipsHeight());
        s->show();
        Watch(s);
        return s;
    }

  private slots:
    void init() {
        window = std::make_unique<QWidget>();
        window->resize(600, 400);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        events.clear();
    }

    void cleanup() { window.reset(); }

    void mainWindowSlidersComeFromTheirStoredDesigns() {
        struct Row {
            SliderKind kind;
            int min, max, value, width;
        };
        const Row rows[] = {{SliderKind::MasterVolume, -90, 0, -90, 264},
                            {SliderKind::ChannelTrim, -10, 10, -10, 264},
                            {SliderKind::Delay, 0, 100, 0, 216},
                            {SliderKind::BandFreq, 0, 255, 0, 264},
                            {SliderKind::BandGain, 0, 250, 0, 264},
                            {SliderKind::BandQfactor, 4, 100, 4, 264},
                            {SliderKind::BandQfactorOct, 1, 19, 1, 264}};
        for (const Row& r : rows) {
            ruqSlider* s = Place(r.kind);
            QCOMPARE(s->Min(), r.min);
            QCOMPARE(s->Max(), r.max);
            QCOMPARE(s->Value(), r.value);
            QCOMPARE(s->TwipsWidth(), r.width * 15);
            QCOMPARE(s->TwipsHeight(), 17 * 15);
            QCOMPARE(s->ThumbWidth(), 38.0f);
            QCOMPARE(s->ThumbLeft(), 0.0f);
            QCOMPARE(s->GrooveRect(), (RailRect{17, 6, r.width - 17, 10}));
            // Loading raised nothing, and the first assignment of the stored
            // value still does.
            QVERIFY(events.isEmpty());
            s->setValue(r.value);
            QCOMPARE(events.value(0), QStringLiteral("ValueChanged %1").arg(r.value));
            events.clear();
        }
    }

    void dragOnTheThumbSnapsToWholeValues() {
        ruqSlider* s = Place(SliderKind::MasterVolume);
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(events, QStringList{"MouseDown 0"});
        QVERIFY(s->Dragging());
        QCOMPARE(s->Value(), -90);  // a press on the thumb moves nothing

        QTest::mouseMove(s, QPoint(110, 8));  // thumb Left 100
        QCOMPARE(s->Value(), -50);
        QVERIFY(qAbs(s->ThumbLeft() - 226.0f * 40.0f / 90.0f) < 1e-4f);  // about 100.44
        QTest::mouseRelease(s, Qt::LeftButton, Qt::ShiftModifier, QPoint(110, 8));
        QCOMPARE(events, (QStringList{"MouseDown 0", "ValueChanged -50", "Click", "MouseUp 1"}));
        QVERIFY(!s->Dragging());
    }

    void pressAndReleaseOnTheThumbChangesNothing() {
        ruqSlider* s = Place(SliderKind::ChannelTrim);
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(37, 16));  // last pixel of the thumb
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(37, 16));
        QCOMPARE(events, (QStringList{"MouseDown 0", "Click", "MouseUp 0"}));
        QCOMPARE(s->Value(), -10);
        QCOMPARE(s->ThumbLeft(), 0.0f);
    }

    void halfWayRoundsToEven() {
        ruqSlider* s = PlaceEights();
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mouseMove(s, QPoint(85, 8));  // Left 80: 2.5
        QCOMPARE(s->Value(), 2);
        QCOMPARE(s->ThumbLeft(), 64.0f);
        QTest::mouseMove(s, QPoint(117, 8));  // Left 112: 3.5
        QCOMPARE(s->Value(), 4);
        QCOMPARE(s->ThumbLeft(), 128.0f);
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(117, 8));
    }

    void pressBesideTheThumbJumpsThere() {
        ruqSlider* s = Place(SliderKind::MasterVolume);
        QTest::mousePress(s, Qt::LeftButton, Qt::ControlModifier, QPoint(260, 3));
        QCOMPARE(s->Value(), 0);
        QCOMPARE(s->ThumbLeft(), 226.0f);
        QCOMPARE(events, (QStringList{"ValueChanged 0", "ArrivedLast", "MouseDown 2"}));
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(260, 3));
    }

    void draggingPastTheEndsStopsThere() {
        // Min 0: the value 0 is raised again on every move.
        ruqSlider* delay = Place(SliderKind::Delay);
        delay->setValue(50);
        events.clear();
        QTest::mousePress(delay, Qt::LeftButton, {}, QPoint(int(delay->ThumbLeft()) + 5, 8));
        QTest::mouseMove(delay, QPoint(-40, 8));
        QTest::mouseMove(delay, QPoint(-90, 30));
        QCOMPARE(delay->ThumbLeft(), 0.0f);
        QCOMPARE(events, (QStringList{"MouseDown 0", "ValueChanged 0", "ArrivedFirst",
                                      "ValueChanged 0", "ArrivedFirst"}));
        QTest::mouseRelease(delay, Qt::LeftButton, {}, QPoint(-90, 30));

        ruqSlider* master = Place(SliderKind::MasterVolume);
        events.clear();
        QTest::mousePress(master, Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mouseMove(master, QPoint(500, 8));
        QTest::mouseMove(master, QPoint(550, -20));
        QCOMPARE(master->Value(), 0);
        QCOMPARE(master->ThumbLeft(), 226.0f);
        QTest::mouseMove(master, QPoint(-300, 8));
        QTest::mouseMove(master, QPoint(-310, 8));
        QCOMPARE(master->Value(), -90);
        // Past the right end the value is 0 and raised each time; past the
        // left end the repeated -90 is suppressed.
        QCOMPARE(events,
                 (QStringList{"MouseDown 0", "ValueChanged 0", "ArrivedLast", "ValueChanged 0",
                              "ArrivedLast", "ValueChanged -90", "ArrivedFirst"}));
        QTest::mouseRelease(master, Qt::LeftButton, {}, QPoint(-310, 8));
    }

    void releaseOutsideRaisesMouseUpButNoClick() {
        ruqSlider* s = Place(SliderKind::BandGain);
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mouseMove(s, QPoint(400, 60));
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(400, 60));
        QCOMPARE(events,
                 (QStringList{"MouseDown 0", "ValueChanged 250", "ArrivedLast", "MouseUp 0"}));
        QVERIFY(!s->Dragging());
        // Releases on the far edges are outside too.
        events.clear();
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(250, 8));
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(264, 8));
        QCOMPARE(events, (QStringList{"MouseDown 0", "MouseUp 0"}));
    }

    void rightButtonEndsALeftDragAndStartsNothing() {
        ruqSlider* s = Place(SliderKind::BandFreq);
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mousePress(s, Qt::RightButton, {}, QPoint(5, 8));
        QTest::mouseRelease(s, Qt::RightButton, {}, QPoint(5, 8));
        QCOMPARE(events, (QStringList{"MouseDown 0", "MouseUp 0"}));
        QVERIFY(!s->Dragging());
        QTest::mouseMove(s, QPoint(200, 8));  // no drag any more
        QCOMPARE(s->Value(), 0);
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(200, 8));
        QCOMPARE(events, (QStringList{"MouseDown 0", "MouseUp 0", "Click"}));

        events.clear();
        QTest::mousePress(s, Qt::RightButton, {}, QPoint(200, 8));
        QVERIFY(!s->Dragging());
        QTest::mouseRelease(s, Qt::RightButton, {}, QPoint(200, 8));
        QVERIFY(events.isEmpty());
        QCOMPARE(s->Value(), 0);
    }

    void disabledSliderIgnoresPressesButReportsClick() {
        ruqSlider* s = Place(SliderKind::BandQfactor);
        s->setEnabled(false);
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(200, 8));
        QVERIFY(!s->Dragging());
        QTest::mouseMove(s, QPoint(100, 8));
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(100, 8));
        QCOMPARE(events, QStringList{"Click"});
        QCOMPARE(s->Value(), 4);
        QCOMPARE(s->ThumbLeft(), 0.0f);
    }

    void verticalSliderHasMinAtTheBottom() {
        auto* s = new ruqSlider(window.get());
        s->setTwipsGeometry(600, 150, 0, 210 * 15);
        s->SiteNew();
        s->setSliderIcon(Filled(16, 10, Qt::blue));
        s->show();
        Watch(s);
        QCOMPARE(s->Orientation(), 1);
        QCOMPARE(s->width(), 16);  // across the thumb
        QCOMPARE(s->height(), 210);
        QCOMPARE(s->ThumbTop(), 200.0f);
        QCOMPARE(s->ThumbLeft(), 0.0f);
        QCOMPARE(s->GrooveRect(), (RailRect{6, 3, 10, 207}));

        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(8, 205));
        QTest::mouseMove(s, QPoint(8, 105));  // Top 100: half-way up
        QCOMPARE(s->Value(), 5);
        QCOMPARE(s->ThumbTop(), 100.0f);
        QTest::mouseMove(s, QPoint(30, -50));
        QCOMPARE(s->Value(), 10);
        QCOMPARE(s->ThumbTop(), 0.0f);
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(30, -50));
        QCOMPARE(events, (QStringList{"MouseDown 0", "ValueChanged 5", "ValueChanged 10",
                                      "ArrivedLast", "MouseUp 0"}));

        s->setValue(2);
        QCOMPARE(s->ThumbTop(), 160.0f);
        s->setOrientation(1);  // back to the Min end, then placed by the value again
        QCOMPARE(s->ThumbTop(), 160.0f);
        QCOMPARE(s->Value(), 2);
    }

    void resizeFollowsTheRailPicture() {
        ruqSlider* s = Place(SliderKind::BandFreq);
        s->setRailPicture(Filled(100, 25, Qt::green));
        QCOMPARE(s->width(), 264);  // style 0: the picture is not used
        s->setRailStyle(99);
        QCOMPARE(s->TwipsWidth(), 100 * 15 + 60);
        QCOMPARE(s->TwipsHeight(), 25 * 15);
        QCOMPARE(s->ThumbTop(), 4.0f);  // centred across the rail
        QCOMPARE(s->ThumbLeft(), 0.0f);

        const QImage image = s->grab().toImage();
        QCOMPARE(QColor(image.pixel(50, 1)), QColor(Qt::green));  // rail at x 2, y 0
        QCOMPARE(QColor(image.pixel(103, 1)), s->palette().color(QPalette::Button));

        // Style 99 without a picture is sized as for a groove and shows neither.
        s->setRailPicture({});
        s->setTwipsGeometry(300, 300, 264 * 15, 17 * 15);
        QCOMPARE(s->height(), 17);
        QCOMPARE(s->ThumbTop(), 0.0f);
        const QImage bare = s->grab().toImage();
        QCOMPARE(QColor(bare.pixel(100, 6)), s->palette().color(QPalette::Button));
    }

    void paintedGrooveAndThumbAreWhereTheyShouldBe() {
        ruqSlider* s = Place(SliderKind::MasterVolume);
        s->setValue(-50);  // thumb at about 100.44, painted at 100
        const QImage image = s->grab().toImage();
        QCOMPARE(image.size(), QSize(264, 17));
        const QPalette& pal = s->palette();
        const QColor face = pal.color(QPalette::Button);
        auto at = [&](int x, int y) { return image.pixel(x, y); };
        // Sunken groove: shadow on the outer top and left, highlight on the
        // outer bottom and right, dark shadow inside.
        QCOMPARE(at(17, 6), pal.color(QPalette::Dark).rgb());
        QCOMPARE(at(60, 6), pal.color(QPalette::Dark).rgb());
        QCOMPARE(at(60, 9), pal.color(QPalette::Light).rgb());
        QCOMPARE(at(246, 7), pal.color(QPalette::Light).rgb());
        QCOMPARE(at(60, 7), pal.color(QPalette::Shadow).rgb());
        QCOMPARE(at(60, 8), pal.color(QPalette::Midlight).rgb());
        // Around the groove: the face colour.
        QCOMPARE(at(60, 5), face.rgb());
        QCOMPARE(at(247, 8), face.rgb());
        // The thumb covers the groove from 100 to 137.
        const QImage thumb = SliderThumbPicture().toImage();
        for (int x : {0, 10, 18, 19, 37}) {
            for (int y : {0, 7, 16}) {
                QCOMPARE(at(100 + x, y), thumb.pixel(x, y));
            }
        }
        QCOMPARE(at(99, 7), pal.color(QPalette::Shadow).rgb());
        QCOMPARE(at(138, 7), pal.color(QPalette::Shadow).rgb());

        // An unknown style draws no groove; the thumb stays.
        s->setRailStyle(5);
        const QImage plain = s->grab().toImage();
        QCOMPARE(plain.pixel(60, 6), face.rgb());
        QCOMPARE(plain.pixel(60, 7), face.rgb());
        QCOMPARE(plain.pixel(110, 7), thumb.pixel(10, 7));
        // A plain background colour (&H00BBGGRR).
        s->setBackColor(0x000000FFu);
        QCOMPARE(s->grab().toImage().pixel(60, 2), qRgb(255, 0, 0));
    }

    void storedPictureThatIsNoPictureIsRefused() {
        PropertyBag bag = MainWindowSliderDesign(SliderKind::Delay, {}).properties;
        // Stored bytes that are no picture are refused with a clear error.
        bag.WritePicture("SliderIcon", {1, 2, 3}, {});
        auto* broken = new ruqSlider(window.get());
        try {
            broken->SiteFromDesign(bag);
            QFAIL("loaded a broken picture");
        } catch (const ControlError& e) {
            QCOMPARE(e.number(), kErrInvalidPicture);
        }
        delete broken;
    }
};

QTEST_MAIN(SliderWidgetTest)
#include "SliderWidgetTest.moc"
