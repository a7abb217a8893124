// The main window offscreen: load and the settings loader, pages, caption
// languages, System Reset, debug window and unload.

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <map>
#include <memory>

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

namespace {

struct Harness : test::WindowHarness {
    using WindowHarness::WindowHarness;
    QString debugText() const { return window->debugForm()->Text1()->toPlainText(); }
    QString debugLogAsShown() const {
        return QString::fromStdString(window->sender().DebugLog()).remove('\r');
    }
};

}  // namespace

class PrivateDesignTest : public QObject {
    Q_OBJECT
  private slots:
    void loadLeavesTheWindowInItsStartState();
    void loadSendsNothingAndStartsOnlyTheReplyTimer();
    void startShowsTheSettingsFilesAndReloadSendsThem();
    void captionsSwitchBothWaysAndFit();
    void systemResetAsksThenSendsItsBurst();
    void debugWindowFollowsTheSwitchFile();
    void debugWindowShowsExactlyTheLog();
    void pagesMoveAndTabsChangeColour();
    void unloadClosesTheDebugWindow();
    void failedWriteShowsTheLinkDown();
};

void PrivateDesignTest::loadLeavesTheWindowInItsStartState() {
    Harness h;
    PrivateDesign& w = h.load();
    QCOMPARE(w.windowTitle(), QStringLiteral("RV-514KV05"));
    QCOMPARE(w.width() * 15, 12705);
    QCOMPARE(w.height() * 15, 8025);
    QVERIFY(!w.windowIcon().isNull());

    QCOMPARE(w.Com_Combo1->count(), 15);
    QCOMPARE(w.Com_Combo1->itemText(0), QStringLiteral("COM1"));
    QCOMPARE(w.Com_Combo1->itemText(14), QStringLiteral("COM15"));
    QCOMPARE(w.Com_Combo1->Text(), QStringLiteral("COM1"));

    for (int k = 0; k < 4; ++k) {
        QCOMPARE(w.Combo2(k)->count(), 13);
        QCOMPARE(w.Combo2(k)->itemText(0), QStringLiteral("40  Hz"));
        QCOMPARE(w.Combo2(k)->itemText(12), QStringLiteral("200 Hz"));
        // The settings loader then sets the texts: no Main.ini here, so "1".
        QCOMPARE(w.Combo2(k)->Text(), QStringLiteral("50  Hz"));
    }

    QCOMPARE(w.ConnectLab->text(), QStringLiteral("Unsuccess"));
    QCOMPARE(w.ConnectLab->ForeColor(), vbRed);
    // The top bar's captions fit their controls.
    for (QWidget* c :
         std::initializer_list<QWidget*>{w.Option1(0), w.Option1(1), w.ConnectCmd, w.ConnectLab,
                                         w.Menu_Cmd(0), w.Menu_Cmd(1), w.Menu_Cmd(2)}) {
        QVERIFY2(c->sizeHint().width() <= c->width(),
                 qPrintable(c->property("text").toString() +
                            QString(" %1 > %2").arg(c->sizeHint().width()).arg(c->width())));
    }
    QVERIFY(w.Option1.value(0));
    QVERIFY(!w.Option1.value(1));
    QCOMPARE(w.Menu_Cmd(0)->BackColor(), vbRed);
    for (int i : {1, 2, 3, 8, 9})
        QCOMPARE(w.Menu_Cmd(i)->BackColor(), vbButtonFace);

    // Pages at their design places, the Main Panel in front.
    QCOMPARE(Left(w.Picture2), 0);
    QCOMPARE(Top(w.Picture2), 600);
    QCOMPARE(Left(w.Picture6), 12720);
    QCOMPARE(Top(w.Picture5), 2400);
    QVERIFY(w.Status_Bar->isHidden());
    QVERIFY(w.Label2(8)->isHidden());
    QVERIFY(w.Label2(21)->isHidden());
    QCOMPARE(w.Status_Bar->maximum(), 470);

    QCOMPARE(w.link().Connected, 0);
    QVERIFY(w.link().SendEnabled);
    QVERIFY(!w.link().OsdMode);
    QCOMPARE(w.EqSlot, 1);
    QCOMPARE(w.EqCopySrcChannel, 250);
    QCOMPARE(w.EqPasteDstChannel, 251);
    QCOMPARE(w.CurChannel, 0);
    QCOMPARE(w.CurBand, 1);
    QCOMPARE(w.tables().FreqText[145], std::string("1000"));
    QCOMPARE(w.tables().CurveX[610], 12540);
}

void PrivateDesignTest::loadSendsNothingAndStartsOnlyTheReplyTimer() {
    Harness h;
    PrivateDesign& w = h.load();
    QVERIFY(h.port.frames.empty());
    QCOMPARE(h.pauses, std::vector<int>(8, 20));  // the loader's, before each trim
    QCOMPARE(w.sender().SendSeq(), 0);
    QVERIFY(w.EventTimer->Enabled());
    QCOMPARE(w.EventTimer->Interval(), 10);
    QVERIFY(!w.Read_Timer->Enabled());
    QCOMPARE(w.Read_Timer->Interval(), 80);
    QVERIFY2(!h.port.PortOpen(), "the port stays closed until Connect");
}

void PrivateDesignTest::debugWindowFollowsTheSwitchFile() {
    {
        Harness h(true);
        PrivateDesign& w = h.load();
        QVERIFY(w.link().DebugOn);
        QVERIFY(w.debugForm() != nullptr);
        QVERIFY(w.debugForm()->isVisible());
        QCOMPARE(w.debugForm()->windowTitle(), QStringLiteral("调试信息打印窗口"));
        QCOMPARE(w.debugForm()->Command1()->text(), QStringLiteral("清除(Clear)"));
        QCOMPARE(Top(w.debugForm()->Text1()), 480);
        QCOMPARE(Width(w.debugForm()->Text1()), 8535);
        QCOMPARE(Height(w.debugForm()->Text1()), 5415);
        QVERIFY(h.debugText().isEmpty());
    }
    {
        Harness h;
        PrivateDesign& w = h.load();
        QVERIFY(!w.link().DebugOn);
        QVERIFY(w.debugForm() == nullptr);
    }
    {
        Harness h;  // a directory of that name does not switch it on
        QVERIFY(QDir(h.folder.path()).mkdir("Debug.txt"));
        PrivateDesign& w = h.load();
        QVERIFY(!w.link().DebugOn);
        QVERIFY(w.debugForm() == nullptr);
    }
}

void PrivateDesignTest::debugWindowShowsExactlyTheLog() {
    Harness h(true);
    h.load();
    h.connectLink();
    h.send({OpQuery, Id(ParamId::EqPresetSlot)});
    QCOMPARE(h.debugText(), QStringLiteral("FA,A2,1,2,5,13,B7,F5\n"));
    h.send({OpSet, Id(ParamId::MasterVolume), VolumeByte(-40)});
    QCOMPARE(h.debugText(), h.debugLogAsShown());

    // A reply shows below the sent lines until the next send replaces the text.
    const std::vector<std::uint8_t> payload{0xF0, 0x09, 0xD8};
    h.window->debugForm()->AppendReceivedLine(ReceivedFrameLine(payload));
    QVERIFY(h.debugText().endsWith(QStringLiteral("0xF0,0x9,0xD8,\n")));

    // The longest reply's line wraps inside the box: it scrolls only up and down.
    QPlainTextEdit* box = h.window->debugForm()->Text1();
    h.window->debugForm()->AppendReceivedLine(
        ReceivedFrameLine(std::vector<std::uint8_t>(65, 0xF0)));
    QCoreApplication::processEvents();
    QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
    QVERIFY(box->verticalScrollBar()->isVisible());
    h.send({OpSet, Id(ParamId::MuteState), 1});
    QCOMPARE(h.debugText(), h.debugLogAsShown());
    QVERIFY(!h.debugText().contains(QStringLiteral("0x")));

    // Clear empties both; the next send shows only its own line.
    h.window->debugForm()->Command1()->click();
    QVERIFY(h.debugText().isEmpty());
    QVERIFY(h.window->sender().DebugLog().empty());
    h.send({OpSet, Id(ParamId::MuteState), 0});
    QCOMPARE(h.debugText(), h.debugLogAsShown());
    QCOMPARE(h.debugText().count('\n'), 1);
}

void PrivateDesignTest::pagesMoveAndTabsChangeColour() {
    Harness h;
    PrivateDesign& w = h.load();
    struct Expect {
        int index, p2l, p2t, p5l, p5t, p6l, p6t;
    };
    const Expect table[] = {
        {1, 0, 14800, 0, 480, 14800, 480},
        {2, 14800, 480, 0, 14800, 0, 480},
        {0, 0, 480, 0, 14800, 14800, 480},
        {0, 0, 480, 0, 14800, 14800, 480},  // the current tab again: the same
    };
    for (const Expect& e : table) {
        w.Menu_Cmd(e.index)->click();
        QCOMPARE(Left(w.Picture2), e.p2l);
        QCOMPARE(Top(w.Picture2), e.p2t);
        QCOMPARE(Left(w.Picture5), e.p5l);
        QCOMPARE(Top(w.Picture5), e.p5t);
        QCOMPARE(Left(w.Picture6), e.p6l);
        QCOMPARE(Top(w.Picture6), e.p6t);
        for (int tab = 0; tab < 3; ++tab) {
            QCOMPARE(w.Menu_Cmd(tab)->BackColor(), tab == e.index ? vbRed : vbButtonFace);
        }
    }
    // Indices without a button change nothing.
    for (int index : {4, 5, 6, 10, -1})
        w.Menu_Cmd_Click(index);
    QCOMPARE(Top(w.Picture2), 480);
    QCOMPARE(w.Menu_Cmd(0)->BackColor(), vbRed);
    QVERIFY(h.port.frames.empty());
}

void PrivateDesignTest::unloadClosesTheDebugWindow() {
    Harness h(true);
    PrivateDesign& w = h.load();
    w.show();
    QPointer<QWidget> debug = w.debugForm();
    QVERIFY(debug && debug->isVisible());
    w.close();
    QVERIFY(debug.isNull());
    QStringList files = QDir(h.folder.path()).entryList(QDir::Files);
    QCOMPARE(files, QStringList{"Debug.txt"});  // nothing is written on exit
}

void PrivateDesignTest::failedWriteShowsTheLinkDown() {
    Harness h;
    PrivateDesign& w = h.load();
    h.connectLink();
    h.pauses.clear();
    w.ConnectLab->setText("Succeed");
    h.port.failNextWrite();
    h.send({OpSet, Id(ParamId::MuteState), 1});
    QCOMPARE(w.link().Connected, 0);
    QCOMPARE(w.ConnectLab->text(), QStringLiteral("Unsuccess"));
    QCOMPARE(w.ConnectLab->ForeColor(), vbRed);
    QVERIFY(!h.port.PortOpen());
    QVERIFY(h.pauses.empty());
    h.send({OpSet, Id(ParamId::MuteState), 1});
    QCOMPARE(h.port.frames.size(), std::size_t{0});  // dropped by the Connected guard
}

void PrivateDesignTest::startShowsTheSettingsFilesAndReloadSendsThem() {
    Harness h;
    QVERIFY(h.putFile("Modules/Main.ini",
                      "[Main_Config]\r\nMain_VOL=-25\r\nCH_VOL_3=7\r\nDelay_0=5\r\nDelay_1=0\r\n"
                      "Cutoff_1=12\r\nDynamic=2\r\nSubwoofer=1\r\nMuteFlag=1\r\n"));
    QVERIFY(h.putFile("Modules/ModeEffects.ini",
                      "[PEQ_Config]\r\nPEQ_Active=True\r\nPEQ_Ch2_Band3_Freq=256\r\n"
                      "PEQ_Ch0_Band9_Freq=300\r\nPEQ_Ch1_Band1_Q=0\r\nPEQ_Ch1_Band2_Gain=57\r\n"));
    PrivateDesign& w = h.load();
    const EqBands& bands = w.Eq().bands;
    QVERIFY(w.Combo2(1)->Text() == QStringLiteral("200 Hz") && w.Eq().EQ_Opt.value(0));
    QVERIFY(bands.PeqFreq[2][3] == 140 && bands.PeqFreq[0][9] == 230 && bands.PeqFreq[5][5] == 1);
    QVERIFY(bands.PeqQ[1][1] == 10 && bands.PeqQ[1][2] == 1 && bands.PeqGain[1][2] == 200);

    // Reload while connected, the store gone: what changed goes out, and the
    // trims and a delay of 0 always; no crossover.
    QVERIFY(QFile::remove(h.folder.filePath("Modules/ModeEffects.ini")));
    h.connectLink();
    w.VOLSlider(0)->setValue(-12);
    w.DelaySlider(0)->setValue(9);
    w.Dynamic_Opt.select(1);
    w.Sub_Opt.select(1);
    w.MuteCheck->setValue(1);
    Payloads expected = {{6, 0x09, 0xE7}};
    for (std::uint8_t ch = 0; ch < 8; ++ch)
        expected.push_back({6, 0x10, ch, 0});
    const Payloads rest = {{6, 0x11, 0, 5}, {6, 0x11, 1, 0}, {6, 3, 1}, {6, 4, 1},
                           {6, 0x0A, 0},    {6, 6, 0},       {6, 8, 0}};
    expected.insert(expected.end(), rest.begin(), rest.end());
    // and the EQ status's own frame for Bypass.
    const Payloads bypass = h.sentBy([&] { w.Eq().EQ_Opt_Click(1); });
    expected.insert(expected.end(), bypass.begin(), bypass.end());
    QCOMPARE(h.sentBy([&] { w.Command1->click(); }), expected);
    QVERIFY(w.Eq().EQ_Opt.value(1));
}

void PrivateDesignTest::captionsSwitchBothWaysAndFit() {
    Harness h;
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
                         QString::fromUtf8(language ? row.english : row.chinese));
        }
        QCOMPARE(w.Menu_Cmd(3)->text(), QString::fromUtf8(language ? "System Reset" : "系统复位"));
        for (QWidget* c : w.findChildren<QWidget*>()) {
            if (others.count(c)) QCOMPARE(CaptionOf(c), others[c]);
            // Fits (the hidden reload button aside): a push button's hint has
            // a style minimum wider than its text; a frame's caption runs
            // along its top edge.
            const int text = c->fontMetrics().horizontalAdvance(CaptionOf(c));
            int needed = qobject_cast<QGroupBox*>(c) ? text + 16 : c->sizeHint().width();
            if (qobject_cast<QPushButton*>(c)) needed = text + 8;
            const bool tall = qobject_cast<QLabel*>(c) && c->sizeHint().height() > c->height();
            QVERIFY2(c == w.Command1 || CaptionOf(c).isEmpty() || (needed <= c->width() && !tall),
                     qPrintable(CaptionOf(c)));
        }
    }
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
    w.Sub_Opt.select(1);
    QVERIFY(reset(vbNo).empty() && w.Sub_Opt.value(1));
    QVERIFY(h.dialogs.boxes.back().prompt == "Are you want to reset system to default？" &&
            h.dialogs.boxes.back().style == vbYesNoQuestion);

    reset(vbYes);
    // Flat from the default state, as the reset runs it.
    const Payloads flat = h.sentBy([&] { w.Eq().PEQ_Cmd_Click(12); });
    Payloads expected;
    for (std::uint8_t ch = 0; ch < 8; ++ch)
        expected.push_back({6, 0x10, ch, 0});
    expected.push_back({6, 0x04, 1});
    expected.insert(expected.end(), flat.begin(), flat.end());
    expected.insert(expected.end(), {{6, 0x0D, 4, 4, 4, 4}, {6, 0x01, 1}});
    QVERIFY(flat.size() > 80);
    QCOMPARE(reset(vbYes), expected);

    w.VOLSlider(0)->setValue(-12);
    w.DelaySlider(4)->setValue(70);
    w.MuteCheck->setValue(1);
    w.SPKC_Opt.select(2);
    w.Sub_Opt.select(1);
    w.Dynamic_Opt.select(2);
    w.Eq().EQ_Opt.select(1);
    w.FLPhase.select(1);
    w.SWPhase.select(1);
    // Inserted into the default burst: each change once, in the reset's order
    // (FL's phase goes back while SW's is still at 180°).
    expected.insert(expected.begin(), {6, 0x09, 0xD8});
    expected.insert(expected.begin() + 9, {6, 0x11, 4, 29});
    expected.insert(expected.begin() + 11, {6, 0x08, 0});
    const Payloads active = h.sentBy([&] { w.Eq().EQ_Opt_Click(0); });  // the status's own
    Payloads options = {{6, 0x0C, 0, 0, 0, 0}, {6, 0x06, 0}, {6, 0x0A, 0}};
    options.insert(options.end(), active.begin(), active.end());
    expected.insert(expected.end() - 2, options.begin(), options.end());
    expected.insert(expected.end() - 1, {{6, 0x12, 0x80}, {6, 0x12, 0}});
    QCOMPARE(reset(vbYes), expected);
    QVERIFY(w.Eq().EQ_Opt.value(0));
}

QTEST_MAIN(PrivateDesignTest)
#include "PrivateDesignTest.moc"
