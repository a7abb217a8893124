// Connect, the read-back and the receive side as the window drives them:
// first on a recording serial control, then on a real pseudo-terminal with a
// fake device at the other end.

#include <time.h>
#include <QPlainTextEdit>
#include <QtTest>

#include "link/DebugForm.h"
#include "link/Protocol.h"
#include "platform/QtSerialControl.h"
#include "support/FakeDevice.h"
#include "support/WindowHarness.h"

using namespace calvetta;
using calvetta::test::P;

namespace {

// A window whose reply actions only record what reached them.
class RecordingDesign : public PrivateDesign {
  public:
    using PrivateDesign::PrivateDesign;
    std::vector<std::vector<std::uint8_t>> applied;
    std::vector<bool> sendEnabledWhileApplied;
    bool throwOnApply = false;
    void ApplyReply(const RxPayloadBytes& payload) override {
        applied.emplace_back(payload.begin(), payload.begin() + 4);
        sendEnabledWhileApplied.push_back(link().SendEnabled);
        // A handler that sends is held back while a reply is applied.
        SendBuf() = {3, OpSet, Id(ParamId::MuteState), 1};
        SendPacket();
        if (throwOnApply) throw std::runtime_error("refused");
    }
};

QByteArray Bytes(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

// The 29 queries of a read-back, in order.
std::vector<std::vector<std::uint8_t>> ReadBackQueries() {
    std::vector<std::vector<std::uint8_t>> q;
    for (std::uint8_t id : {0x13, 0x02, 0x03, 0x04, 0x05, 0x06, 0x08, 0x09, 0x0A, 0x0C, 0x0D}) {
        q.push_back({OpQuery, id});
    }
    for (std::uint8_t id : {0x10, 0x11}) {
        for (std::uint8_t ch = 0; ch < 8; ++ch)
            q.push_back({OpQuery, id, ch});
    }
    q.push_back({OpQuery, 0x12});
    q.push_back({OpQuery, 0x07});
    return q;
}

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

}  // namespace

class ConnectionTest : public QObject {
    Q_OBJECT
  private slots:
    void connectOpensThePortAndStartsTheReadBack();
    void portThatDoesNotOpenShowsUnsuccess();
    void textsThatNameNoPortAreRefused();
    void readBackSendsTwentyNineQueriesThenEnds();
    void secondConnectRestartsWithoutReopening();
    void repliesAreEchoedAndAppliedWithSendingHeld();
    void lostPortShowsTheLinkDownAndConnectReopens();
    void realLineWriteFailureAndHangUp();
};

void ConnectionTest::connectOpensThePortAndStartsTheReadBack() {
    test::WindowHarness h;
    PrivateDesign& w = h.load();
    h.pauses.clear();
    w.Com_Combo1->setText("COM7");
    w.ConnectCmd->click();
    QCOMPARE(h.port.openAttempts, std::vector<int>{7});
    QCOMPARE(h.port.Settings(), QStringLiteral("38400,n,8,1"));
    QCOMPARE(h.port.InputMode(), 1);
    QCOMPARE(h.port.RThreshold(), 1);
    QCOMPARE(h.pauses, std::vector<int>{100});
    QCOMPARE(w.ConnectLab->text(), QStringLiteral("Succeed"));
    QCOMPARE(w.ConnectLab->ForeColor(), vbGreen);
    QCOMPARE(w.link().Connected, 1);
    QVERIFY(w.Read_Timer->Enabled());
    QCOMPARE(w.ReadStep, 1);
    QVERIFY(!w.Label2(8)->isHidden());
    QVERIFY(!w.Status_Bar->isHidden());
    QCOMPARE(w.Status_Bar->value(), 10);
    QCOMPARE(w.SourceFunction, 255);
    QVERIFY(h.port.frames.empty());  // the first query comes with the first tick

    test::WindowHarness h2;  // port numbers above 15 open COM15
    h2.load().Com_Combo1->setText("COM99");
    h2.window->ConnectCmd_Click();
    QCOMPARE(h2.port.openAttempts, std::vector<int>{15});
}

void ConnectionTest::portThatDoesNotOpenShowsUnsuccess() {
    test::WindowHarness h;
    PrivateDesign& w = h.load();
    h.port.failNextOpen();
    w.ConnectCmd_Click();
    QCOMPARE(w.ConnectLab->text(), QStringLiteral("Unsuccess"));
    QCOMPARE(w.ConnectLab->ForeColor(), vbRed);
    QCOMPARE(w.link().Connected, 0);
    QVERIFY(!w.Read_Timer->Enabled());
    QVERIFY(h.dialogs.boxes.empty());
    w.ConnectCmd_Click();  // pressing again retries
    QCOMPARE(h.port.openAttempts.size(), std::size_t{2});
    QCOMPARE(w.link().Connected, 1);
}

void ConnectionTest::textsThatNameNoPortAreRefused() {
    test::WindowHarness h;
    PrivateDesign& w = h.load();
    for (const char* text : {"", "CO", "COM", "COM0", "COMx", "COM-1", "COM256", "COM 7x"}) {
        w.Com_Combo1->setText(text);
        w.ConnectCmd_Click();
        QCOMPARE(w.ConnectLab->text(), QStringLiteral("Unsuccess"));
        QCOMPARE(w.link().Connected, 0);
    }
    QVERIFY(h.port.openAttempts.empty());
    QVERIFY(!w.Read_Timer->Enabled());

    // With a port open the text does not matter: the open port stays in use
    // and the read-back starts over, as for any second press.
    w.Com_Combo1->setText("COM2");
    w.ConnectCmd_Click();
    w.Read_Timer_Timer();
    w.Com_Combo1->setText("COM");
    w.ConnectCmd_Click();
    QCOMPARE(w.link().Connected, 1);
    QVERIFY(h.port.PortOpen());
    QCOMPARE(h.port.openAttempts, std::vector<int>{2});
    QCOMPARE(w.ConnectLab->text(), QStringLiteral("Succeed"));
    QCOMPARE(w.ReadStep, 1);
    QVERIFY(w.Read_Timer->Enabled());
}

void ConnectionTest::readBackSendsTwentyNineQueriesThenEnds() {
    test::WindowHarness h;
    PrivateDesign& w = h.load();
    h.pauses.clear();
    w.ConnectCmd_Click();
    std::vector<int> progress;
    for (int tick = 0; tick < 30; ++tick) {
        QVERIFY(w.Read_Timer->Enabled());
        w.Read_Timer_Timer();
        progress.push_back(w.Status_Bar->value());
    }
    QCOMPARE(h.payloads(), ReadBackQueries());
    for (std::size_t i = 0; i < h.port.frames.size(); ++i) {
        QCOMPARE(static_cast<int>(static_cast<std::uint8_t>(h.port.frames[i][2])),
                 static_cast<int>(i + 1));
    }
    QCOMPARE(progress.front(), 10);
    QCOMPARE(progress[28], 290);
    QCOMPARE(progress.back(), 300);
    QVERIFY(!w.Read_Timer->Enabled());
    QVERIFY(w.Status_Bar->isHidden());
    QVERIFY(w.Label2(8)->isHidden());
    QCOMPARE(h.pauses.size(), std::size_t{1 + 29});  // the open, then one per frame

    // A dropped query still advances: in remote-key mode nothing leaves.
    h.clearFrames();
    w.link().OsdMode = true;
    w.ConnectCmd_Click();
    for (int tick = 0; tick < 30; ++tick)
        w.Read_Timer_Timer();
    QVERIFY(h.port.frames.empty());
    QVERIFY(!w.Read_Timer->Enabled());
    QCOMPARE(w.ReadProgress, 47);
    QCOMPARE(w.Status_Bar->value(), 470);
}

void ConnectionTest::secondConnectRestartsWithoutReopening() {
    test::WindowHarness h;
    PrivateDesign& w = h.load();
    w.ConnectCmd_Click();
    for (int tick = 0; tick < 5; ++tick)
        w.Read_Timer_Timer();
    w.Com_Combo1->setText("COM9");  // another port chosen: the open one stays
    w.ConnectCmd_Click();
    QCOMPARE(h.port.openAttempts.size(), std::size_t{1});
    QCOMPARE(h.port.CommPort(), 1);
    QCOMPARE(w.ReadStep, 1);
    QCOMPARE(w.Status_Bar->value(), 10);
    w.Read_Timer_Timer();
    QCOMPARE(h.lastPayload(), P({OpQuery, 0x13}));
    QCOMPARE(w.Status_Bar->value(), 60);  // the progress counter is not reset
    QCOMPARE(static_cast<int>(static_cast<std::uint8_t>(h.port.frames.back()[2])), 6);
}

void ConnectionTest::repliesAreEchoedAndAppliedWithSendingHeld() {
    test::WindowHarness h(true);
    auto& w = h.loadAs<RecordingDesign>();
    h.connectLink();
    h.port.setRThreshold(1);

    // A valid report split over two arrivals: applied on the first tick after
    // its last byte, echoed with its payload.
    const auto report = test::ReplyFrameBytes(0, {0xF0, 0x09, 0xD8});
    h.port.receive(Bytes({report.begin(), report.begin() + 4}));
    w.EventTimer_Timer();
    QVERIFY(w.applied.empty());
    h.port.receive(Bytes({report.begin() + 4, report.end()}));
    w.EventTimer_Timer();
    QCOMPARE(w.applied.size(), std::size_t{1});
    QCOMPARE(w.applied[0], P({0xF0, 0x09, 0xD8, 0x00}));
    QCOMPARE(w.sendEnabledWhileApplied, std::vector<bool>{false});
    QVERIFY(h.port.frames.empty());  // the handler's command was dropped
    QVERIFY(w.link().SendEnabled);
    QVERIFY(w.EventTimer->Enabled());
    QVERIFY(w.debugForm()->Text1()->toPlainText().endsWith("0xF0,0x9,0xD8,\n"));

    // ReplyCode 00h is echoed but not applied; a thrown error leaves the link
    // sending and the timer running.
    const auto ignored = test::ReplyFrameBytes(1, {0x00, 0x09, 0xD8});
    const auto second = test::ReplyFrameBytes(2, {0x01, 0x08, 0x01});
    std::vector<std::uint8_t> both(ignored);
    both.insert(both.end(), second.begin(), second.end());
    h.port.receive(Bytes(both));
    w.throwOnApply = true;
    w.EventTimer_Timer();
    w.EventTimer_Timer();
    QCOMPARE(w.applied.size(), std::size_t{2});
    QVERIFY(w.link().SendEnabled);
    QVERIFY(w.EventTimer->Enabled());
    QVERIFY(w.debugForm()->Text1()->toPlainText().contains("0x0,0x9,0xD8,"));
    h.send({OpSet, Id(ParamId::MuteState), 0});
    QCOMPARE(h.port.frames.size(), std::size_t{1});
}

void ConnectionTest::lostPortShowsTheLinkDownAndConnectReopens() {
    test::WindowHarness h;
    PrivateDesign& w = h.load();
    w.ConnectCmd_Click();
    h.port.losePort();
    QCOMPARE(w.link().Connected, 0);
    QCOMPARE(w.ConnectLab->text(), QStringLiteral("Unsuccess"));
    QCOMPARE(w.ConnectLab->ForeColor(), vbRed);
    w.ConnectCmd_Click();
    QCOMPARE(h.port.openAttempts.size(), std::size_t{2});
    QCOMPARE(w.link().Connected, 1);
    QCOMPARE(w.ConnectLab->text(), QStringLiteral("Succeed"));
}

void ConnectionTest::realLineWriteFailureAndHangUp() {
    test::FakeDevice device;
    qputenv("CALVETTA_COM5", QByteArray::fromStdString(device.linkPath()));
    QtSerialControl uart;
    test::WindowHarness h;
    auto& w = h.loadOnLine<PrivateDesign>(uart);
    w.Com_Combo1->setText("COM5");
    w.ConnectCmd_Click();
    QCOMPARE(w.link().Connected, 1);

    // The device goes away; the next command fails to write (or the hang-up
    // is noticed first): either way the link is shown down and nothing ends.
    device.hangUp();
    w.SendBuf() = {3, OpSet, Id(ParamId::MuteState), 1};
    w.SendPacket();
    QTRY_COMPARE(w.link().Connected, 0);
    QCOMPARE(w.ConnectLab->text(), QStringLiteral("Unsuccess"));
    QVERIFY(!uart.PortOpen());

    // No busy loop afterwards.
    const double before = ProcessCpuSeconds();
    QTest::qWait(2000);
    QVERIFY2(ProcessCpuSeconds() - before < 0.5, "the event loop stays idle");

    // The device comes back; Connect opens it again and the read-back runs.
    device.reopen();
    w.ConnectCmd_Click();
    QCOMPARE(w.link().Connected, 1);
    QTRY_VERIFY_WITH_TIMEOUT(device.requests().size() >= 3, 5000);
    w.close();
    qunsetenv("CALVETTA_COM5");
}

QTEST_MAIN(ConnectionTest)
#include "ConnectionTest.moc"
