// The main window offscreen: load and the settings loader, pages, step
// arrows, caption languages, System Reset, debug window and unload.

#include <QDir>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QtTest>

#include "app/Captions.h"
#include "app/PrivateDesign.h"
#include "eq/EqDesign.h"
#include "link/DebugForm.h"
#include "link/Protocol.h"
#include "platform/Dialogs.h"
#include "slider/ruqSlider.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using Payloads = std::vector<std::vector<std::uint8_t>>;

using Harness = test::WindowHarness;

class PrivateDesignTest : public QObject {
    Q_OBJECT
  private slots:
    void loadThenPagesTabsAndCaptionLanguages();
    void startShowsTheSettingsFilesAndReloadSendsThem();
    void stepArrowsMoveTheirSliderOneStepOnRelease();
    void systemResetAsksThenSendsItsBurst();
    void debugWindowShowsTheLogAndGoesWithTheMainWindow();
};

void PrivateDesignTest::startShowsTheSettingsFilesAndReloadSendsThem() {
    Harness h;
    QVERIFY(h.putFile("Modules/Main.ini",
                      "[Main_Config]\r\nMain_VOL=-25\r\nCH_VOL_3=7\r\nDelay_0=5\r\nDelay_1=0\r\n"
                      "Cutoff_1=12\r\nDynamic=2\r\nSubwoofer=1\r\nMuteFlag=1\r\n"));
    // The store's frequencies and bandwidths, every band; the gains at 0 dB.
    QVERIFY(h.putFile("Modules/ModeEffects.ini",
                      "[PEQ_Config]\r\nPEQ_Active=True\r\n"
                      "PEQ_Ch1_Band10_Freq=30\r\nPEQ_Ch1_Band2_Gain=57\r\n"));
    PrivateDesign& w = h.load();
    const EqBands& b = w.Eq().bands;
    QCOMPARE(w.Setup().Combo2(1)->Text(), QStringLiteral("200 Hz"));
    QVERIFY(w.Eq().EQ_Opt.value(0));
    QCOMPARE(b.PeqFreq()[1][10], 30.0f);
    QCOMPARE(b.PeqQ()[7][10], 1.0f);
    QCOMPARE(b.PeqGain()[1][2], 200.0f);

    // Reload while connected, the store gone: what changed goes out, and the
    // trims and a delay of 0 always; no crossover.
    QVERIFY(QDir(h.folder.path()).remove("Modules/ModeEffects.ini"));
    h.connectLink();
    w.Main().VOLSlider(0)->setValue(-12);
    w.Setup().DelaySlider(0)->setValue(9);
    w.Setup().Dynamic_Opt.select(1);
    w.Setup().Sub_Opt.select(1);
    w.Main().MuteCheck->setValue(1);
    Payloads expected = {{6, 0x09, 0xE7}};
    for (std::uint8_t ch = 0; ch < 8; ++ch)
        expected.push_back({6, 0x10, ch, 0});
    expected.insert(expected.end(), {{6, 0x11, 0, 5},
                                     {6, 0x11, 1, 0},
                                     {6, 3, 1},
                                     {6, 4, 1},
                                     {6, 0x0A, 0},
                                     {6, 6, 0},
                                     {6, 8, 0}});
    // and the EQ status's own frame for Bypass.
    const Payloads bypass = h.sentBy([&] { w.Eq().EQ_Opt_Click(1); });
    expected.insert(expected.end(), bypass.begin(), bypass.end());
    QCOMPARE(h.sentBy([&] { w.Command1->click(); }), expected);
}

void PrivateDesignTest::loadThenPagesTabsAndCaptionLanguages() {
    Harness h;
    PrivateDesign& w = h.load();
    QCOMPARE(w.Com_Combo1->count(), 15);
    QCOMPARE(w.Com_Combo1->itemText(14), QStringLiteral("COM15"));
    QCOMPARE(h.pauses, std::vector<int>(8, 20));  // the loader's, before each trim
    QVERIFY(w.EventTimer->Enabled());
    QVERIFY(!w.Read_Timer->Enabled());
    QVERIFY2(!h.port.PortOpen(), "the port stays closed until Connect");
    // The Main Panel, EQ Design and Setup pages: the one whose tab is red at
    // 0, 480, the others outside the client area (12705 by 8025 twips).
    const QWidget* pages[] = {w.Main().Picture2, w.Picture5, w.Setup().Picture6};
    int shown = 0;
    // Every change from one tab to another; 4 and -1 have no button.
    for (int index : {2, 0, 1, 2, 1, 0, 4, -1}) {
        w.Menu_Cmd_Click(index);
        shown = index >= 0 && index < 3 ? index : shown;
        for (int tab = 0; tab < 3; ++tab) {
            const QWidget* p = pages[tab];
            if (tab == shown) {
                QCOMPARE(Left(p), 0);
                QCOMPARE(Top(p), 480);
            } else {  // right of the client area or below it, either will do
                QVERIFY2(
                    Left(p) >= 12705 || Top(p) >= 8025,
                    qPrintable(
                        QStringLiteral("page %1 at %2, %3").arg(tab).arg(Left(p)).arg(Top(p))));
            }
            QCOMPARE(w.Menu_Cmd(tab)->BackColor(), tab == shown ? vbRed : vbButtonFace);
        }
    }

    h.connectLink();
    w.Eq().Label1->setText(QStringLiteral("EQ 模式2"));
    // Chinese at start (selecting it again runs nothing), English, Chinese.
    for (int language : {0, 1, 0}) {
        w.Option1(language)->click();
        for (const CaptionRow& row : CaptionTable()) {
            for (CaptionTarget target : row.controls)
                QCOMPARE(CaptionOf(target(w)),
                         QString::fromUtf8(language ? row.english : row.chinese));
        }
        for (QWidget* c : w.findChildren<QWidget*>()) {
            // Fits (the hidden reload button aside): a push button's hint has
            // a style minimum wider than its text; a frame's caption runs
            // along its top edge.
            const QString caption = CaptionOf(c);
            if (c == w.Command1 || caption.isEmpty()) continue;
            const int text = c->fontMetrics().horizontalAdvance(caption);
            int needed = qobject_cast<QGroupBox*>(c) ? text + 16 : c->sizeHint().width();
            if (qobject_cast<QPushButton*>(c)) needed = text + 8;
            const QString fit = QStringLiteral("%1: %2 by %3, needs %4 by %5")
                                    .arg(caption)
                                    .arg(c->width())
                                    .arg(c->height())
                                    .arg(needed)
                                    .arg(c->sizeHint().height());
            QVERIFY2(needed <= c->width(), qPrintable(fit));
            if (qobject_cast<QLabel*>(c))
                QVERIFY2(c->sizeHint().height() <= c->height(), qPrintable(fit));
        }
    }
    QVERIFY(h.port.frames.empty());
}

void PrivateDesignTest::stepArrowsMoveTheirSliderOneStepOnRelease() {
    Harness h;
    PrivateDesign& w = h.load();
    h.connectLink();
    const std::tuple<ImageControl*, bool, ruqSlider*, int, int> rows[] = {
        {w.Main().VOLLeft(4), true, w.Main().VOLSlider(4), -9, -10},
        {w.Main().VOLLeft(4), true, w.Main().VOLSlider(4), -10, -10},  // at Min: nothing
        {w.Main().VOLRight(0), false, w.Main().VOLSlider(0), -1, 0},
        {w.Setup().DelayLeft(2), true, w.Setup().DelaySlider(2), 1, 0},
        {w.Setup().DelayRight(5), false, w.Setup().DelaySlider(5), 100, 100}};
    for (const auto& [arrow, left, slider, from, to] : rows) {
        slider->setValue(from);
        h.clearFrames();
        // Bright while held with nothing sent, gray after.
        QTest::mousePress(arrow, Qt::LeftButton);
        QVERIFY(test::Shows(arrow, left ? w.LeftBright : w.RightBright));
        QVERIFY(h.port.frames.empty());
        QTest::mouseRelease(arrow, Qt::LeftButton);
        QVERIFY(test::Shows(arrow, left ? w.LeftGray : w.RightGray));
        QCOMPARE(slider->Value(), to);
        QCOMPARE(h.port.frames.size(), std::size_t{from != to});
    }
    // Other buttons change neither picture nor value.
    w.Setup().DelaySlider(5)->setValue(50);
    h.clearFrames();
    QTest::mousePress(w.Setup().DelayRight(5), Qt::RightButton);
    QVERIFY(test::Shows(w.Setup().DelayRight(5), w.RightGray));
    QTest::mouseRelease(w.Setup().DelayRight(5), Qt::RightButton);
    QCOMPARE(w.Setup().DelaySlider(5)->Value(), 50);
    QVERIFY(h.port.frames.empty());
}

void PrivateDesignTest::systemResetAsksThenSendsItsBurst() {
    Harness h;
    PrivateDesign& w = h.load();
    h.connectLink();
    auto reset = [&](int answer) {
        h.dialogs.answers.push_back(answer);
        return h.sentBy([&] { w.Menu_Cmd(3)->click(); });
    };
    w.Setup().Sub_Opt.select(1);
    QCOMPARE(reset(vbNo), Payloads{});
    QVERIFY(w.Setup().Sub_Opt.value(1));
    QVERIFY(!h.dialogs.boxes.empty());
    QCOMPARE(h.dialogs.boxes.back().prompt,
             QStringLiteral("Are you want to reset system to default？"));
    QCOMPARE(h.dialogs.boxes.back().style, vbYesNoQuestion);

    reset(vbYes);  // from here on every setting is at its default

    // Flat and the EQ status's own frame, as the reset runs them.
    const Payloads flat = h.sentBy([&] { w.Eq().PEQ_Cmd_Click(12); });
    const Payloads active = h.sentBy([&] { w.Eq().EQ_Opt_Click(0); });
    QVERIFY(flat.size() > 80);
    w.Main().VOLSlider(0)->setValue(-12);
    w.Setup().DelaySlider(4)->setValue(70);
    w.Main().MuteCheck->setValue(1);
    w.Setup().SPKC_Opt.select(2);
    w.Setup().Sub_Opt.select(1);
    w.Setup().Dynamic_Opt.select(2);
    w.Eq().EQ_Opt.select(1);
    w.Main().FLPhase.select(1);
    w.Main().SWPhase.select(1);
    // Each change once, in the reset's order (FL's phase goes back while SW's
    // is still at 180°); the trims, layout, flat, crossovers and reset always.
    Payloads expected = {{6, 0x09, 0xD8}};
    for (std::uint8_t ch = 0; ch < 8; ++ch)
        expected.push_back({6, 0x10, ch, 0});
    expected.insert(expected.end(), {{6, 0x11, 4, 29}, {6, 0x04, 1}, {6, 0x08, 0}});
    expected.insert(expected.end(), flat.begin(), flat.end());
    expected.insert(expected.end(), {{6, 0x0C, 0, 0, 0, 0}, {6, 0x06, 0}, {6, 0x0A, 0}});
    expected.insert(expected.end(), active.begin(), active.end());
    expected.insert(expected.end(),
                    {{6, 0x0D, 4, 4, 4, 4}, {6, 0x12, 0x80}, {6, 0x12, 0}, {6, 0x01, 1}});
    QCOMPARE(reset(vbYes), expected);
}

void PrivateDesignTest::debugWindowShowsTheLogAndGoesWithTheMainWindow() {
    // Only a file switches it on, not a directory of that name.
    for (bool directory : {false, true}) {
        Harness h(false);
        if (directory) QVERIFY(QDir(h.folder.path()).mkdir("Debug.txt"));
        const char* row = directory ? "a folder Debug.txt" : "no Debug.txt";
        QVERIFY2(!h.load().link().DebugOn, row);
        QVERIFY2(h.window->debugForm() == nullptr, row);
    }
    Harness h(true);
    PrivateDesign& w = h.load();
    auto text = [&w] { return w.debugForm()->Text1()->toPlainText(); };
    auto log = [&w] { return QString::fromStdString(w.sender().DebugLog()).remove('\r'); };
    QVERIFY(w.link().DebugOn);
    QVERIFY(w.debugForm() != nullptr);
    QVERIFY(w.debugForm()->isVisible());
    QCOMPARE(text(), QString());
    h.connectLink();
    h.send({OpQuery, Id(ParamId::EqPresetSlot)});
    QCOMPARE(text(), QStringLiteral("FA,A2,1,2,5,13,B7,F5\n"));

    // A reply shows below the sent lines until the next send replaces the text;
    // the longest reply's line wraps inside the box: it scrolls only up and down.
    w.debugForm()->AppendReceivedLine(ReceivedFrameLine(std::vector<std::uint8_t>(65, 0xF0)));
    QCoreApplication::processEvents();
    QVERIFY(text().endsWith(QStringLiteral("0xF0,\n")));
    QCOMPARE(w.debugForm()->Text1()->horizontalScrollBar()->maximum(), 0);
    h.send({OpSet, Id(ParamId::MuteState), 1});
    QCOMPARE(text(), log());
    QVERIFY(!text().contains(QStringLiteral("0x")));

    // Clear empties both; the next send shows only its own line.
    w.debugForm()->Command1()->click();
    QCOMPARE(text(), QString());
    QCOMPARE(QString::fromStdString(w.sender().DebugLog()), QString());
    h.send({OpSet, Id(ParamId::MuteState), 0});
    QCOMPARE(text(), log());
    QCOMPARE(text().count('\n'), qsizetype{1});

    // A write that fails shows the link down.
    w.ConnectLab->setText("Succeed");
    h.port.failNextWrite();
    h.send({OpSet, Id(ParamId::MuteState), 1});
    QCOMPARE(w.link().Connected, std::uint8_t{0});
    QVERIFY(!h.port.PortOpen());
    QCOMPARE(w.ConnectLab->text(), QStringLiteral("Unsuccess"));

    // The debug window goes with the main window, and nothing is written on exit.
    w.show();
    QPointer<QWidget> debug = w.debugForm();
    w.close();
    QVERIFY(debug.isNull());
    QCOMPARE(QDir(h.folder.path()).entryList(QDir::Files), QStringList{"Debug.txt"});
}

QTEST_MAIN(PrivateDesignTest)
#include "PrivateDesignTest.moc"
