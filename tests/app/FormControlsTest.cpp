// The form-style controls raise their handlers exactly when the window's
// handlers expect them to (the option groups are driven by the page tests).

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "app/FormControls.h"

using namespace calvetta;

class FormControlsTest : public QObject {
    Q_OBJECT
  private slots:
    void comboRunsClickOnlyForAPickFromTheList();
    void commandButtonShowsItsBackColourFlat();
};

void FormControlsTest::commandButtonShowsItsBackColourFlat() {
    QApplication::setStyle(QStringLiteral("Fusion"));  // the program's style, which shades buttons
    QWidget page;
    auto* button = new CommandButton(QStringLiteral("Main Panel"), &page);
    SetTwipsGeometry(button, 0, 0, 1695, 375);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const QRgb face = QPalette().color(QPalette::Button).rgb();
    for (const auto& [colour, expected] :
         {std::pair{vbRed, qRgb(255, 0, 0)}, std::pair{vbButtonFace, face}}) {
        button->setBackColor(colour);
        for (bool down : {false, true}) {
            button->setDown(down);
            // The rows above and below the caption, inside the 2-pixel border.
            const QImage image = button->grab().toImage();
            for (int x = 2; x < image.width() - 2; ++x) {
                QCOMPARE(image.pixel(x, 2), expected);
                QCOMPARE(image.pixel(x, image.height() - 3), expected);
            }
        }
    }
}

void FormControlsTest::comboRunsClickOnlyForAPickFromTheList() {
    QWidget page;
    auto* combo = new ComboBox(&page);
    auto* other = new QLineEdit(&page);
    for (const char* item : {"40  Hz", "50  Hz", "60  Hz", "70 Hz", "80 Hz", "90 Hz"})
        combo->AddItem(item);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QSignalSpy clicks(combo, &ComboBox::Click);

    // Text set from code, typing, Return, leaving the box and a wheel over it
    // pick nothing; the typed text stays as it is.
    combo->setText("80 Hz");
    combo->lineEdit()->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "90Hz");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    other->setFocus();
    QCOMPARE(combo->Text(), QStringLiteral("90Hz"));
    combo->setText("80 Hz");
    QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &wheel);
    QCOMPARE(combo->Text(), QStringLiteral("80 Hz"));
    QCOMPARE(clicks.count(), 0);

    // The arrow keys step from the item shown and pick it.
    combo->lineEdit()->setFocus();
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    QCOMPARE(combo->Text(), QStringLiteral("90 Hz"));
    QCOMPARE(clicks.count(), 1);

    // A click on an item of the open list picks it.
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    const QRect item = list->visualRect(list->model()->index(2, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_COMPARE(clicks.count(), 2);
    QCOMPARE(combo->Text(), QStringLiteral("60  Hz"));
}

QTEST_MAIN(FormControlsTest)
#include "FormControlsTest.moc"
