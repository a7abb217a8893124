// The slider in a real (offscreen) window, so that moves and releases outside
// the control reach it through Qt's implicit grab as they would on screen.
#define QTEST_QPA_MOUSE_HANDLING
#include <QImage>
#include <QPalette>
#include <QtTest>
#include <memory>

#include "slider/ControlError.h"
#include "slider/SliderGeometry.h"
#include "slider/SliderPictures.h"
#include "slider/ruqSlider.h"

using namespace calvetta;

class SliderWidgetTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    QStringList events;

    // Shows the slider at (20, 20) in the test window and records its events.
    ruqSlider* Site(ruqSlider* s) {
        s->setTwipsGeometry(300, 300, s->TwipsWidth(), s->TwipsHeight());
        s->show();
        connect(s, &ruqSlider::ValueChanged, this,
                [this, s] { events << QStringLiteral("ValueChanged %1").arg(s->Value()); });
        connect(s, &ruqSlider::ArrivedFirst, this, [this] { events << "ArrivedFirst"; });
        connect(s, &ruqSlider::ArrivedLast, this, [this] { events << "ArrivedLast"; });
        connect(s, &ruqSlider::Click, this, [this] { events << "Click"; });
        connect(s, &ruqSlider::MouseDown, this,
                [this](short shift) { events << QStringLiteral("MouseDown %1").arg(shift); });
        connect(s, &ruqSlider::MouseUp, this,
                [this](short shift) { events << QStringLiteral("MouseUp %1").arg(shift); });
        return s;
    }
    ruqSlider* Place(SliderKind kind) { return Site(CreateMainWindowSlider(kind, window.get())); }

    // A left-button drag along a path, released at its last point; notes
    // "at value offset" (thumb Left, or Top when vertical) after each move.
    void Drag(ruqSlider* s, const QList<QPoint>& path, Qt::KeyboardModifiers release = {}) {
        QTest::mousePress(s, Qt::LeftButton, {}, path.first());
        for (const QPoint& p : path.mid(1)) {
            QTest::mouseMove(s, p);
            const float offset = s->Orientation() == kVertical ? s->ThumbTop() : s->ThumbLeft();
            events << QStringLiteral("at %1 %2").arg(s->Value()).arg(offset, 0, 'f', 2);
        }
        QTest::mouseRelease(s, Qt::LeftButton, release, path.last());
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
        const struct {
            SliderKind kind;
            int min, max, width;
        } rows[] = {
            {SliderKind::MasterVolume, -90, 0, 264}, {SliderKind::ChannelTrim, -10, 10, 264},
            {SliderKind::Delay, 0, 100, 216},        {SliderKind::BandFreq, 0, 255, 264},
            {SliderKind::BandGain, 0, 250, 264},     {SliderKind::BandQfactor, 4, 100, 264},
            {SliderKind::BandQfactorOct, 1, 19, 264}};
        for (const auto& r : rows) {
            ruqSlider* s = Place(r.kind);
            QCOMPARE(s->Min(), r.min);
            QCOMPARE(s->Max(), r.max);
            QCOMPARE(s->Value(), r.min);
            QCOMPARE(s->size(), QSize(r.width, 17));
            QCOMPARE(s->GrooveRect(), (RailRect{17, 6, r.width - 17, 10}));
            QVERIFY(events.isEmpty());  // loading raises nothing
        }
    }

    void dragOnTheThumbSnapsToWholeValues() {
        ruqSlider* s = Place(SliderKind::MasterVolume);
        Drag(s, {{37, 16}, {137, 16}}, Qt::ShiftModifier);  // the thumb's last pixel to Left 100
        QCOMPARE(events, (QStringList{"MouseDown 0", "ValueChanged -50", "at -50 100.44", "Click",
                                      "MouseUp 1"}));
        QVERIFY(!s->Dragging());
    }

    void valueAssignedDuringADragPlacesTheThumb() {
        // A device report arrives while the user holds the thumb.
        ruqSlider* s = Place(SliderKind::MasterVolume);
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mouseMove(s, QPoint(105, 8));
        s->setValue(-20);
        QCOMPARE(s->ThumbLeft(), 226.0f * 70 / 90);
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(105, 8));
        QCOMPARE(s->Value(), -20);
        QCOMPARE(s->ThumbLeft(), 226.0f * 70 / 90);
    }

    void halfWayRoundsToEven() {
        // 0..8 on a 256-pixel track: 32 pixels a step; Left 80 is 2.5, Left 112 is 3.5.
        ruqSlider* s = Place(SliderKind::Delay);
        s->setMax(8);
        s->setTwipsGeometry(300, 300, (256 + 38) * 15, 17 * 15);
        Drag(s, {{5, 8}, {85, 8}, {117, 8}});
        QVERIFY(events.contains("at 2 64.00"));
        QVERIFY(events.contains("at 4 128.00"));
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
        // Min 0: the repeated 0 is raised every time, the repeated Max is not.
        ruqSlider* s = Place(SliderKind::Delay);
        s->setValue(50);
        events.clear();
        const QPoint onThumb(int(s->ThumbLeft()) + 5, 8);
        Drag(s, {onThumb, {-40, 8}, {-90, 30}, {500, 8}, {550, -20}});
        QCOMPARE(events,
                 (QStringList{"MouseDown 0", "ValueChanged 0", "ArrivedFirst", "at 0 0.00",
                              "ValueChanged 0", "ArrivedFirst", "at 0 0.00", "ValueChanged 100",
                              "ArrivedLast", "at 100 178.00", "at 100 178.00", "MouseUp 0"}));
    }

    void releaseOutsideRaisesMouseUpButNoClick() {
        ruqSlider* s = Place(SliderKind::BandGain);
        for (QPoint p : {QPoint(400, 60), QPoint(264, 8), QPoint(100, 17)}) {
            events.clear();
            QTest::mousePress(s, Qt::LeftButton, {}, QPoint(5, 8));
            QTest::mouseRelease(s, Qt::LeftButton, {}, p);
            QCOMPARE(events.last(), QStringLiteral("MouseUp 0"));
            QVERIFY2(!events.contains("Click"), qPrintable(events.join(", ")));
            QVERIFY(!s->Dragging());
        }
    }

    void rightButtonEndsALeftDragAndStartsNothing() {
        ruqSlider* s = Place(SliderKind::BandFreq);
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mousePress(s, Qt::RightButton, {}, QPoint(5, 8));
        QTest::mouseRelease(s, Qt::RightButton, {}, QPoint(5, 8));
        QVERIFY(!s->Dragging());
        QTest::mouseMove(s, QPoint(200, 8));  // no drag any more
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(200, 8));
        QTest::mousePress(s, Qt::RightButton, {}, QPoint(200, 8));  // beside the thumb
        QVERIFY(!s->Dragging());
        QTest::mouseRelease(s, Qt::RightButton, {}, QPoint(200, 8));
        QCOMPARE(events, (QStringList{"MouseDown 0", "MouseUp 0", "Click"}));
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
        QPixmap thumb(16, 10);
        thumb.fill(Qt::blue);
        s->setSliderIcon(thumb);
        Site(s);
        QCOMPARE(s->size(), QSize(16, 210));  // across the thumb
        QCOMPARE(s->ThumbTop(), 200.0f);
        QCOMPARE(s->GrooveRect(), (RailRect{6, 3, 10, 207}));

        Drag(s, {{8, 205}, {8, 105}, {30, -50}});  // Top 100 is half-way up
        QCOMPARE(events,
                 (QStringList{"MouseDown 0", "ValueChanged 5", "at 5 100.00", "ValueChanged 10",
                              "ArrivedLast", "at 10 0.00", "MouseUp 0"}));
        s->setValue(2);
        QCOMPARE(s->ThumbTop(), 160.0f);
    }

    void railPictureSetsTheSizeWithStyle99() {
        ruqSlider* s = Place(SliderKind::BandFreq);
        QPixmap rail(100, 25);
        rail.fill(Qt::green);
        s->setRailPicture(rail);
        QCOMPARE(s->width(), 264);  // style 0: the picture is not used
        s->setRailStyle(99);
        QCOMPARE(s->TwipsWidth(), 100 * 15 + 60);
        QCOMPARE(s->height(), 25);
        QCOMPARE(s->ThumbTop(), 4.0f);  // centred across the rail
    }

    void paintedGrooveAndThumbAreWhereTheyShouldBe() {
        ruqSlider* s = Place(SliderKind::MasterVolume);
        s->setValue(-50);  // thumb at about 100.44, painted at 100
        const QImage image = s->grab().toImage();
        // Sunken groove: shadow outside top, highlight outside bottom and right, dark
        // shadow inside; the face colour around it.
        const struct {
            int x, y;
            QPalette::ColorRole role;
        } groove[] = {{17, 6, QPalette::Dark},     {60, 9, QPalette::Light},
                      {246, 7, QPalette::Light},   {60, 7, QPalette::Shadow},
                      {60, 8, QPalette::Midlight}, {99, 7, QPalette::Shadow},
                      {60, 5, QPalette::Button},   {247, 8, QPalette::Button}};
        for (const auto& g : groove)
            QCOMPARE(image.pixel(g.x, g.y), s->palette().color(g.role).rgb());
        const QImage thumb = SliderThumbPicture().toImage();
        for (QPoint p : {QPoint(0, 0), QPoint(18, 7), QPoint(37, 16)})
            QCOMPARE(image.pixel(p + QPoint(100, 0)), thumb.pixel(p));

        // The thin grooves are one ring on the groove's outer edge, the face
        // colour inside it: sunken shadow over highlight, raised the reverse.
        const auto colour = [s](QPalette::ColorRole role) {
            return s->palette().color(role).rgb();
        };
        for (int style : {2, 3}) {
            s->setRailStyle(style);
            const QImage thin = s->grab().toImage();
            const bool sunken = style == 2;
            QCOMPARE(thin.pixel(17, 6), colour(sunken ? QPalette::Dark : QPalette::Light));
            QCOMPARE(thin.pixel(246, 7), colour(sunken ? QPalette::Light : QPalette::Dark));
            QCOMPARE(thin.pixel(60, 7), colour(QPalette::Button));
        }

        s->setBackColor(0x000000FFu);  // &H00BBGGRR
        QCOMPARE(s->grab().toImage().pixel(60, 2), qRgb(255, 0, 0));
    }

    void storedBytesThatAreNoPictureAreRefused() {
        PropertyBag bag;
        bag.WritePicture("SliderIcon", {1, 2, 3}, {});
        ruqSlider s;
        int error = 0;
        try {
            s.SiteFromDesign(bag);
        } catch (const ControlError& e) {
            error = e.number();
        }
        QCOMPARE(error, kErrInvalidPicture);
    }
};

QTEST_MAIN(SliderWidgetTest)
#include "SliderWidgetTest.moc"
