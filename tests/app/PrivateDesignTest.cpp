// The main window's load, pages, debug window and unload, offscreen.

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/PrivateDesign.h"
#include "link/DebugForm.h"
#include "link/Protocol.h"
#include "support/WindowHarness.h"

using namespace calvetta;

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

QTEST_MAIN(PrivateDesignTest)
#include "PrivateDesignTest.moc"
