// The slider in a real (offscreen) window, so that moves and releases outside
// the control reach it through Qt's implicit grab as they would on screen.
#define QTEST_QPA_MOUSE_HANDLING
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

    void pressBesideTheThumbJumpsAndDragsSnapToWholeValues() {
        // One pixel past the thumb: its centre goes under the pointer, Left 19
        // is -82, snapped to 20.09.
        ruqSlider* s = Place(SliderKind::MasterVolume);
        QTest::mousePress(s, Qt::LeftButton, Qt::ControlModifier, QPoint(38, 3));
        QCOMPARE(events, (QStringList{"ValueChanged -82", "MouseDown 2"}));
        QCOMPARE(s->ThumbLeft(), 226.0f * 8 / 90);
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(38, 3));
        // Held near its right end and moved 100 pixels on: Left 120.09 is -42,
        // snapped to 120.53.
        events.clear();
        Drag(s, {{57, 16}, {157, 16}}, Qt::ShiftModifier);
        QCOMPARE(events, (QStringList{"MouseDown 0", "ValueChanged -42", "at -42 120.53", "Click",
                                      "MouseUp 1"}));
    }

    void releasesAndPressesThatDoNotDrag() {
        ruqSlider* s = Place(SliderKind::Delay);  // 216 pixels wide
        const auto press = [s](Qt::MouseButton b, QPoint p) { QTest::mousePress(s, b, {}, p); };
        const auto release = [s](Qt::MouseButton b, QPoint p) { QTest::mouseRelease(s, b, {}, p); };
        // A release just outside the control: MouseUp, no Click.
        for (QPoint p : {QPoint(216, 8), QPoint(100, 17)}) {
            press(Qt::LeftButton, {5, 8});
            release(Qt::LeftButton, p);
            QCOMPARE(events.last(), QStringLiteral("MouseUp 0"));
        }
        QVERIFY2(!events.contains("Click"), qPrintable(events.join(", ")));
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
        release(Qt::LeftButton, {215, 8});
        QCOMPARE(events, (QStringList{"MouseDown 0", "MouseUp 0", "Click", "Click"}));
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
        QCOMPARE(s->GrooveRect(), (RailRect{6, 3, 10, 207}));

        // Held 9 pixels into the thumb: Top 109 is 4.55, snapped to 5 half-way
        // up; then past both ends.
        Drag(s, {{8, 209}, {8, 118}, {30, -50}, {8, 300}});
        QCOMPARE(events,
                 (QStringList{"MouseDown 0", "ValueChanged 5", "at 5 100.00", "ValueChanged 10",
                              "ArrivedLast", "at 10 0.00", "ValueChanged 0", "ArrivedFirst",
                              "at 0 200.00", "MouseUp 0"}));
    }

    void paintingAndTheRailPicture() {
        ruqSlider* s = Place(SliderKind::MasterVolume);
        s->setValue(-50);  // thumb at about 100.44, painted at 100
        using P = QPalette;
        const auto colour = [s](P::ColorRole role) { return s->palette().color(role).rgb(); };
        QCOMPARE(s->grab().toImage().pixel(118, 7), SliderThumbPicture().toImage().pixel(18, 7));
        // Sunken groove (style 0): shadow outside top, highlight outside bottom
        // right, dark shadow inside; the face colour around it.  The thin
        // grooves are one ring on its outer edge with the face colour inside:
        // sunken (2) shadow over highlight, raised (3) the reverse.
        const std::tuple<int, int, int, P::ColorRole> pixels[] = {
            {0, 17, 6, P::Dark},     {0, 246, 7, P::Light}, {0, 60, 7, P::Shadow},
            {0, 60, 8, P::Midlight}, {0, 60, 5, P::Button}, {2, 17, 6, P::Dark},
            {2, 246, 7, P::Light},   {2, 60, 7, P::Button}, {3, 17, 6, P::Light},
            {3, 246, 7, P::Dark},    {3, 60, 7, P::Button}};
        for (const auto& [style, x, y, role] : pixels) {
            s->setRailStyle(style);
            QCOMPARE(s->grab().toImage().pixel(x, y), colour(role));
        }

        s->setBackColor(0x000000FFu);  // &H00BBGGRR
        QCOMPARE(s->grab().toImage().pixel(60, 2), qRgb(255, 0, 0));

        QPixmap rail(100, 25);
        rail.fill(Qt::green);
        s->setRailPicture(rail);
        QCOMPARE(s->width(), 264);  // other styles than 99: the picture is not used
        s->setRailStyle(99);
        QCOMPARE(s->TwipsWidth(), 100 * 15 + 60);
        QCOMPARE(s->height(), 25);
        QCOMPARE(s->ThumbTop(), 4.0f);  // centred across the rail

        PropertyBag bag;
        bag.WritePicture("SliderIcon", {1, 2, 3}, {});  // stored bytes that are no picture
        QVERIFY_THROWS_EXCEPTION(ControlError, s->SiteFromDesign(bag));
    }
};

QTEST_MAIN(SliderWidgetTest)
#include "SliderWidgetTest.moc"
