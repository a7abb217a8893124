// The two caption languages, offscreen: the switch in both directions, what
// it must leave alone, and every caption fitting its control in either.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <map>
#include <set>

#include "app/Captions.h"
#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "support/WindowHarness.h"

using namespace calvetta;

namespace {

// Every captioned control of the window and its caption.
std::map<QWidget*, QString> AllCaptions(PrivateDesign& w) {
    std::map<QWidget*, QString> all;
    for (QWidget* c : w.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLabel*>(c) ||
            qobject_cast<QGroupBox*>(c))
            all[c] = CaptionOf(c);
    }
    return all;
}

std::set<QWidget*> TableControls(PrivateDesign& w) {
    std::set<QWidget*> controls;
    for (const CaptionRow& row : CaptionTable()) {
        for (CaptionTarget target : row.controls)
            controls.insert(target(w));
    }
    return controls;
}

void ExpectColumn(PrivateDesign& w, bool chinese) {
    for (const CaptionRow& row : CaptionTable()) {
        for (CaptionTarget target : row.controls)
            QCOMPARE(CaptionOf(target(w)), QString::fromUtf8(chinese ? row.chinese : row.english));
    }
}

}  // namespace

class CaptionsTest : public QObject {
    Q_OBJECT
  private slots:
    void switchesBothWaysAndTouchesNothingElse();
    void everyCaptionFitsInBothLanguages();
};

void CaptionsTest::switchesBothWaysAndTouchesNothingElse() {
    test::WindowHarness h;
    PrivateDesign& w = h.load();
    h.connectLink();
    const std::set<QWidget*> table = TableControls(w);
    QCOMPARE(CaptionTable().size(), std::size_t{56});
    QCOMPARE(table.size(), std::size_t{66});
    QVERIFY(!table.count(nullptr));

    // The window starts in Chinese.
    QVERIFY(w.Option1.value(0));
    ExpectColumn(w, true);
    QCOMPARE(w.Menu_Cmd(3)->text(), QStringLiteral("系统复位"));
    QCOMPARE(w.Frame13->title(), QStringLiteral("相位"));

    w.Eq().Label1->setText(QStringLiteral("EQ 模式2"));
    const std::map<QWidget*, QString> before = AllCaptions(w);
    const QStringList filesBefore = QDir(h.folder.path()).entryList(QDir::AllEntries);

    w.Option1(1)->click();
    ExpectColumn(w, false);
    QCOMPARE(w.Menu_Cmd(3)->text(), QStringLiteral("System Reset"));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(w.Eq().PEQ_Cmd(10 + i)->text(),
                 QStringList({"Channel Copy", "Channel Paste", "Flat"})[i]);
    }
    QCOMPARE(w.Eq().Label1->text(), QStringLiteral("EQ 模式2"));

    w.Option1(0)->click();
    ExpectColumn(w, true);

    // Outside the table nothing changed: band buttons, channel options, the
    // OSD key, the language options, POWER, Label1 ...
    for (const auto& [control, caption] : AllCaptions(w)) {
        if (!table.count(control)) QCOMPARE(caption, before.at(control));
    }
    for (int k = 0; k < 10; ++k)
        QCOMPARE(w.Eq().PEQ_Cmd(k)->text(), QStringLiteral("EQ%1").arg(k + 1));
    QCOMPARE(w.Command2(5)->text(), QStringLiteral("OSD"));
    QCOMPARE(w.Frame17->title(), QStringLiteral("POWER"));

    // Nothing sent, nothing stored.
    QVERIFY(h.port.frames.empty());
    QCOMPARE(QDir(h.folder.path()).entryList(QDir::AllEntries), filesBefore);
}

void CaptionsTest::everyCaptionFitsInBothLanguages() {
    test::WindowHarness h;
    PrivateDesign& w = h.load();
    for (int language : {0, 1}) {
        w.Option1(language)->click();
        for (QWidget* page :
             std::initializer_list<QWidget*>{w.Picture1, w.Picture2, w.Picture5, w.Picture6}) {
            for (QWidget* c : page->findChildren<QWidget*>()) {
                const QString caption = CaptionOf(c);
                if (caption.isEmpty()) continue;
                const QString what = caption + QStringLiteral(": %1x%2 in %3x%4");
                // A push button's hint has a style minimum far wider than
                // its text; a frame's caption sits on its top edge beside a
                // small indent.
                QSize needed = c->sizeHint();
                const int advance = c->fontMetrics().horizontalAdvance(caption);
                if (qobject_cast<QPushButton*>(c)) needed = QSize(advance + 8, 0);
                if (qobject_cast<QGroupBox*>(c)) needed = QSize(advance + 16, 0);
                // Heights only for labels: a button's or an option's height
                // hint is its style's frame, not its caption.
                const bool tall = qobject_cast<QLabel*>(c) && needed.height() > c->height();
                QVERIFY2(needed.width() <= c->width() && !tall, qPrintable(what.arg(needed.width())
                                                                               .arg(needed.height())
                                                                               .arg(c->width())
                                                                               .arg(c->height())));
            }
        }
    }
}

QTEST_MAIN(CaptionsTest)
#include "CaptionsTest.moc"
