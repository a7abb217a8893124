// Connect, the read-back and the receive side as the window drives them, on a
// recording serial control.  The numbering and timing of the queries on a real
// line are the end-to-end test's.

#include <QPlainTextEdit>
#include <QtTest>

#include "fake-device/FakeDevice.h"
#include "link/DebugForm.h"
#include "support/WindowHarness.h"

using namespace calvetta;

class ConnectionTest : public QObject {
    Q_OBJECT
  private slots:
    void connectOpensTheNamedPortOrShowsUnsuccess() {
        // The port text, whether the port fails to open, the port number tried (0: none).
        const std::tuple<const char*, bool, int> rows[] = {
            {"COM7", false, 7}, {"COM99", false, 15}, {"COM3", true, 3},    {"COM", false, 0},
            {"COM0", false, 0}, {"COM-1", false, 0},  {"COM256", false, 0}, {"COM 7x", false, 0}};
        for (const auto& [text, fails, opened] : rows) {
            test::WindowHarness h;
            PrivateDesign& w = h.load();
            w.Com_Combo1->setText(text);
            if (fails) h.port.failNextOpen();
            w.ConnectCmd->click();
            const bool up = opened != 0 && !fails;
            QCOMPARE(h.port.openAttempts, std::vector<int>(opened ? 1 : 0, opened));
            QCOMPARE(w.ConnectLab->text(), QString::fromLatin1(up ? "Succeed" : "Unsuccess"));
            QCOMPARE(w.ConnectLab->ForeColor(), up ? vbGreen : vbRed);
            QCOMPARE(w.link().Connected, up ? 1 : 0);
            QCOMPARE(w.Read_Timer->Enabled(), up);
        }
    }

    void connectPreparesTheLineThenReadsBackTwentyNineQueries() {
        test::WindowHarness h;
        PrivateDesign& w = h.load();
        h.pauses.clear();  // the loader's own pauses
        w.ConnectCmd->click();
        QCOMPARE(h.port.Settings(), QStringLiteral("38400,n,8,1"));
        QCOMPARE(h.port.RThreshold(), 1);
        QCOMPARE(h.pauses, std::vector<int>{100});
        QVERIFY(!w.Label2(8)->isHidden());
        QVERIFY(!w.Status_Bar->isHidden());
        QCOMPARE(w.Status_Bar->value(), 10);
        QCOMPARE(w.Main().SourceFunction, 255);
        QVERIFY(h.port.frames.empty());  // the first query comes with the first tick
        for (int tick = 0; tick < 30; ++tick) {
            QVERIFY(w.Read_Timer->Enabled());
            emit w.Read_Timer->Timer();
            QCOMPARE(w.Status_Bar->value(), 10 * (tick + 1));
        }
        // The parameter ids in the device's order: trims and delays of channels 0 to 7.
        QByteArray ids;
        for (const QByteArray& frame : h.port.frames)
            ids += frame[5];
        QCOMPARE(ids, QByteArray::fromHex("1302030405060809 0A0C0D") + QByteArray(8, 0x10) +
                          QByteArray(8, 0x11) + QByteArray::fromHex("1207"));
        QVERIFY(!w.Read_Timer->Enabled());
        QVERIFY(w.Status_Bar->isHidden());
        QVERIFY(w.Label2(8)->isHidden());
        QCOMPARE(h.pauses.size(), std::size_t{1 + 29});  // the open, then one per frame

        // Another press keeps the open port whatever the text says and starts over.
        w.Com_Combo1->setText("COM");
        w.ConnectCmd->click();
        QCOMPARE(w.ConnectLab->text(), QStringLiteral("Succeed"));
        QCOMPARE(h.port.openAttempts, std::vector<int>{1});
        QVERIFY(w.Read_Timer->Enabled());
        QCOMPARE(w.ReadStep, std::uint8_t{1});

        // A lost port shows the link down; Connect opens it again.
        h.port.losePort();
        QCOMPARE(w.link().Connected, 0);
        QCOMPARE(w.ConnectLab->text(), QStringLiteral("Unsuccess"));
        w.Com_Combo1->setText("COM1");
        w.ConnectCmd->click();
        QCOMPARE(h.port.openAttempts, (std::vector<int>{1, 1}));
        QCOMPARE(w.link().Connected, 1);
    }

    void repliesAreEchoedAndAppliedWithSendingHeld() {
        test::WindowHarness h(true);
        PrivateDesign& w = h.load();
        h.connectLink();
        h.port.setRThreshold(1);
        const auto report = fake::ReplyFrameBytes(0, {0xF0, 0x09, 0xD8});  // -40 dB
        h.port.receive(QByteArray(reinterpret_cast<const char*>(report.data()), 9));
        emit w.EventTimer->Timer();
        QCOMPARE(w.Main().VOLLab(0)->text(), QStringLiteral("-40 dB"));
        QVERIFY(h.port.frames.empty());  // the slider's handler sent nothing back
        QVERIFY(w.link().SendEnabled);
        QVERIFY(w.EventTimer->Enabled());
        QVERIFY(w.debugForm()->Text1()->toPlainText().endsWith("0xF0,0x9,0xD8,\n"));
    }
};

QTEST_MAIN(ConnectionTest)
#include "ConnectionTest.moc"
