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

    void dragOnTheThumbSnapsToWholeValues() {
        ruqSlider* s = Place(SliderKind::MasterVolume);
        Drag(s, {{37, 16}, {137, 16}}, Qt::ShiftModifier);  // the thumb's last pixel to Left 100
        QCOMPARE(events, (QStringList{"MouseDown 0", "ValueChanged -50", "at -50 100.44", "Click",
                                      "MouseUp 1"}));
        QVERIFY(!s->Dragging());
    }

    void pressBesideTheThumbJumpsThere() {
        // One pixel past the thumb: its centre goes under the pointer, Left 19
        // is -82, snapped to 20.09.
        ruqSlider* s = Place(SliderKind::MasterVolume);
        QTest::mousePress(s, Qt::LeftButton, Qt::ControlModifier, QPoint(38, 3));
        QCOMPARE(events, (QStringList{"ValueChanged -82", "MouseDown 2"}));
        QCOMPARE(s->ThumbLeft(), 226.0f * 8 / 90);
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(38, 3));
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

    void releasesAndPressesThatDoNotDrag() {
        ruqSlider* s = Place(SliderKind::BandGain);
        const auto press = [s](Qt::MouseButton b, QPoint p) { QTest::mousePress(s, b, {}, p); };
        const auto release = [s](Qt::MouseButton b, QPoint p) { QTest::mouseRelease(s, b, {}, p); };
        // A release outside the control: MouseUp, no Click.
        for (QPoint p : {QPoint(400, 60), QPoint(264, 8), QPoint(100, 17)}) {
            s->setValue(0);
            events.clear();
            press(Qt::LeftButton, {5, 8});
            release(Qt::LeftButton, p);
            QCOMPARE(events.last(), QStringLiteral("MouseUp 0"));
            QVERIFY2(!events.contains("Click"), qPrintable(events.join(", ")));
        }
        // A right button ends a left drag and starts none of its own; a
        // disabled slider ignores presses but reports a release inside as Click.
        s->setValue(0);
        events.clear();
        press(Qt::LeftButton, {5, 8});
        press(Qt::RightButton, {5, 8});
        release(Qt::RightButton, {5, 8});
        release(Qt::LeftButton, {200, 8});
        press(Qt::RightButton, {200, 8});
        release(Qt::RightButton, {200, 8});
        s->setEnabled(false);
        press(Qt::LeftButton, {200, 8});
        release(Qt::LeftButton, {100, 8});
        QCOMPARE(events, (QStringList{"MouseDown 0", "MouseUp 0", "Click", "Click"}));
        QCOMPARE(s->Value(), 0);
        QVERIFY(!s->Dragging());
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
        const auto colour = [s](QPalette::ColorRole role) {
            return s->palette().color(role).rgb();
        };
        const QImage image = s->grab().toImage();
        // Sunken groove: shadow outside top, highlight outside bottom right, dark
        // shadow inside; the face colour around it.
        QCOMPARE(image.pixel(17, 6), colour(QPalette::Dark));
        QCOMPARE(image.pixel(246, 7), colour(QPalette::Light));
        QCOMPARE(image.pixel(60, 7), colour(QPalette::Shadow));
        QCOMPARE(image.pixel(60, 8), colour(QPalette::Midlight));
        QCOMPARE(image.pixel(60, 5), colour(QPalette::Button));
        QCOMPARE(image.pixel(118, 7), SliderThumbPicture().toImage().pixel(18, 7));

        // The thin grooves are one ring on the groove's outer edge, the face
        // colour inside it: sunken shadow over highlight, raised the reverse.
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
        QVERIFY_THROWS_EXCEPTION(ControlError, s.SiteFromDesign(bag));
    }
};

QTEST_MAIN(SliderWidgetTest)
#include "SliderWidgetTest.moc"
