// The caption languages offscreen: the switch both ways, what it leaves alone,
// and every caption of the three pages and the top bar fitting its control in
// either language.

#include <QGroupBox>
#include <QtTest>
#include <map>

#include "app/Captions.h"
#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "support/WindowHarness.h"

using namespace calvetta;

class CaptionsTest : public QObject {
    Q_OBJECT
  private slots:
    void switchesBothWaysAndEveryCaptionFits();
};

void CaptionsTest::switchesBothWaysAndEveryCaptionFits() {
    test::WindowHarness h;
    PrivateDesign& w = h.load();
    h.connectLink();
    w.Eq().Label1->setText(QStringLiteral("EQ 模式2"));
    std::map<QWidget*, QString> others;  // captions outside the table
    for (QWidget* c : w.findChildren<QWidget*>())
        others[c] = CaptionOf(c);
    std::size_t controls = 0;
    for (const CaptionRow& row : CaptionTable()) {
        for (CaptionTarget target : row.controls)
            controls += others.erase(target(w));
    }
    QCOMPARE(controls, std::size_t{66});

    // Chinese at start (selecting it again runs nothing), English, Chinese.
    for (int language : {0, 1, 0}) {
        w.Option1(language)->click();
        for (const CaptionRow& row : CaptionTable()) {
            for (CaptionTarget target : row.controls)
                QCOMPARE(CaptionOf(target(w)),
                         QString::fromUtf8(language == 0 ? row.chinese : row.english));
        }
        for (const auto& [control, caption] : others)
            QCOMPARE(CaptionOf(control), caption);
        QCOMPARE(w.Menu_Cmd(3)->text(),
                 QString::fromUtf8(language == 0 ? "系统复位" : "System Reset"));

        for (QWidget* page : {w.Picture1, w.Picture2, w.Picture5, w.Picture6}) {
            for (QWidget* c : page->findChildren<QWidget*>()) {
                // A push button's hint has a style minimum wider than its
                // text; a frame's caption runs along its top edge.
                const QString caption = CaptionOf(c);
                const int text = c->fontMetrics().horizontalAdvance(caption);
                int needed = c->sizeHint().width();
                if (qobject_cast<QPushButton*>(c)) needed = text + 8;
                if (qobject_cast<QGroupBox*>(c)) needed = text + 16;
                const bool tall = qobject_cast<QLabel*>(c) && c->sizeHint().height() > c->height();
                QVERIFY2(caption.isEmpty() || (needed <= c->width() && !tall), qPrintable(caption));
            }
        }
    }
    QVERIFY(h.port.frames.empty());
}

QTEST_MAIN(CaptionsTest)
#include "CaptionsTest.moc"
