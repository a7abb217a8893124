// The window against a fake device on a real pseudo-terminal: after Connect
// and the read-back the pages show the device's state, the line carries only
// the queries, and the next user action starts from the mirrored values.

#include <QtTest>

#include "app/PrivateDesign.h"
#include "link/Protocol.h"
#include "platform/QtSerialControl.h"
#include "slider/ruqSlider.h"
#include "support/FakeDevice.h"
#include "support/WindowHarness.h"

using namespace calvetta;

class DeviceMirrorTest : public QObject {
    Q_OBJECT
  private slots:
    void readBackMirrorsTheDevice();
};

void DeviceMirrorTest::readBackMirrorsTheDevice() {
    test::DeviceState state;
    state.version = 5;
    state.masterVolume = -25;
    state.formatCode = 28;
    state.source = 5;  // BLUETOOTH
    state.input = 7;
    state.layout = 2;
    state.mute = 1;
    state.trims = {10, -10, 0, 3, -3, 1, -1, 11};
    state.delays = {29, 0, 100, 5, 9, 10, 99, 101};
    state.phase = 0x42;
    state.speakerConfig = {1, 2, 0, 2};
    state.crossovers = {0, 12, 4, 7};
    state.subwoofer = 1;
    state.dynamic = 2;
    state.listeningMode = 7;
    test::FakeDevice device(state);
    qputenv("CALVETTA_COM6", QByteArray::fromStdString(device.linkPath()));

    QtSerialControl uart;
    test::WindowHarness h;
    auto& w = h.loadOnLine<PrivateDesign>(uart);
    w.Com_Combo1->setText("COM6");
    w.ConnectCmd_Click();
    QTRY_VERIFY_WITH_TIMEOUT(!w.Read_Timer->Enabled() && w.Status_Bar->isHidden(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(device.repliesSent(), 29, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(w.VOLLab(0)->text(), QStringLiteral("-25 dB"), 3000);
    QTRY_COMPARE_WITH_TIMEOUT(w.Mode_Cmd(5)->BackColor(), vbRed, 3000);  // the last reply

    QCOMPARE(w.VersionLabel->text(), QStringLiteral("Ver: 05"));
    QCOMPARE(w.Label2(7)->text(), QStringLiteral("DOLBY DIGITAL (1+1)"));
    QCOMPARE(w.Input_Cmd1(5)->BackColor(), vbRed);
    QCOMPARE(w.Input_Cmd(0)->BackColor(), vbRed);        // BLUETOOTH shows ANALOG
    QCOMPARE(w.Menu_Cmd(9)->BackColor(), vbButtonFace);  // a mode after 2.1 clears it
    QCOMPARE(w.MuteCheck->Value(), 1);
    QCOMPARE(w.VOLLab(1)->text(), QStringLiteral("+10 dB"));
    QCOMPARE(w.VOLLab(2)->text(), QStringLiteral("-10 dB"));
    QCOMPARE(w.VOLLab(8)->text(), QStringLiteral("0 dB"));  // 11 is out of range
    QCOMPARE(w.DelayLab(0)->text(), QStringLiteral("2.9m"));
    QCOMPARE(w.DelayLab(2)->text(), QStringLiteral("10.0m"));
    QCOMPARE(w.DelayLab(7)->text(), QStringLiteral("0.0m"));  // 101 is out of range
    QVERIFY(w.CENPhase.value(1) && w.BSRPhase.value(1) && w.FLPhase.value(0));
    QCOMPARE(w.SPKLR_Opt.selected(), 1);
    QCOMPARE(w.SPKC_Opt.selected(), 2);
    QCOMPARE(w.Combo2(0)->Text(), QStringLiteral("40  Hz"));
    QCOMPARE(w.Combo2(1)->Text(), QStringLiteral("200 Hz"));
    QCOMPARE(w.Combo2(3)->Text(), QStringLiteral("110 Hz"));
    QCOMPARE(w.Sub_Opt.selected(), 1);
    QCOMPARE(w.Dynamic_Opt.selected(), 2);

    // The only frames on the line are the 29 queries.
    auto requests = device.requests();
    QCOMPARE(requests.size(), std::size_t{29});
    for (const auto& r : requests)
        QCOMPARE(r.payload.front(), OpQuery);

    // With BLUETOOTH applied, "HDMI 3" goes out as connector 0.
    device.clearRequests();
    w.Input_Cmd(7)->click();
    QVERIFY(device.waitForRequests(1, std::chrono::milliseconds(2000)));
    QCOMPARE(device.requests().back().payload, (std::vector<std::uint8_t>{OpSet, 0x03, 0x00}));

    // A step arrow moves the mirrored master one step: -24 dB.
    device.clearRequests();
    w.VOLRight_MouseDown(0, 1, 0, 0, 0);
    w.VOLRight_MouseUp(0, 1, 0, 0, 0);
    QVERIFY(device.waitForRequests(1, std::chrono::milliseconds(2000)));
    QCOMPARE(device.requests().back().payload, (std::vector<std::uint8_t>{OpSet, 0x09, 0xE8}));
    w.close();
    qunsetenv("CALVETTA_COM6");
}

QTEST_MAIN(DeviceMirrorTest)
#include "DeviceMirrorTest.moc"
