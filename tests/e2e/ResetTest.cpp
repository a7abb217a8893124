// The built program with settings files of its own against a fake device:
// it starts without sending anything, connects, switches to English and
// resets, and the device sees the reset burst end with the reset command.

#include <QFile>
#include <QtTest>
#include <chrono>

#include "ProgramRun.h"
#include "support/FakeDevice.h"

using namespace calvetta::test;
using namespace std::chrono_literals;

namespace {
const QString kMain = QStringLiteral("RV-514KV05");

// Window positions in pixels (twips / 15) of what the test clicks.
constexpr int kConnectX = 10200 / 15 + 40;
constexpr int kTopBarY = 12;
constexpr int kEnglishX = (5400 + 870) / 15 + 20;
constexpr int kSetupTabX = 3600 / 15 + 40;
// "System Reset" on the Setup page, the page at 480 once shown.
constexpr int kResetX = (11160 + 600) / 15;
constexpr int kResetY = (480 + 6480 + 360) / 15;

void Click(const QString& window, int x, int y) {
    QProcess::execute(
        QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x),
         QString::number(y), QStringLiteral("click"), QStringLiteral("1")});
    QTest::qWait(300);
}
}  // namespace

class ResetTest : public QObject {
    Q_OBJECT
  private slots:
    void startConnectEnglishAndReset();
};

void ResetTest::startConnectEnglishAndReset() {
    DeviceState state;
    state.masterVolume = -12;
    state.subwoofer = 1;
    state.phase = 0x81;
    FakeDevice device(state);
    ProgramFolder folder;
    // Settings of its own, with values out of range, text and stray bytes.
    QFile main(folder.path() + QStringLiteral("/Modules/Main.ini"));
    QVERIFY(main.open(QIODevice::WriteOnly | QIODevice::Truncate));
    main.write(
        "[Main_Config]\r\nMain_VOL=-25\r\nDelay_0=150\r\nDelay_1=abc\r\nCutoff_2=41\r\n"
        "\x01\xff\xfe=\x80\r\nMuteFlag=1\r\n");
    main.close();
    auto p = folder.start(
        {}, {QStringLiteral("CALVETTA_COM1=") + QString::fromStdString(device.linkPath())});
    const QString window = WaitForWindow(kMain);
    QVERIFY(!window.isEmpty());
    QTest::qWait(500);
    QVERIFY(device.requests().empty());

    Click(window, kConnectX, kTopBarY);
    QVERIFY(device.waitForRequests(29, 10s));
    QTest::qWait(800);  // the last replies are applied
    device.clearRequests();

    Click(window, kEnglishX, kTopBarY + 2);
    Click(window, kSetupTabX, kTopBarY);
    QVERIFY(device.requests().empty());
    Click(window, kResetX, kResetY);
    const QString question = WaitForWindow(QStringLiteral("Message"));
    QVERIFY(!question.isEmpty());
    PressReturn(question);  // Yes is the default answer

    // The burst: the master the device reported goes back to -40 first, the
    // reset command comes last.
    const std::vector<std::uint8_t> resetCommand{0x06, 0x01, 0x01};
    QTRY_VERIFY_WITH_TIMEOUT(
        !device.requests().empty() && device.requests().back().payload == resetCommand, 60000);
    const auto burst = device.requests();
    QCOMPARE(burst.front().payload, (std::vector<std::uint8_t>{0x06, 0x09, 0xD8}));
    qInfo("Reset burst: %zu frames", burst.size());
    for (const DeviceRequest& r : burst)
        QCOMPARE(r.payload.front(), 0x06);
    QCOMPARE(device.badFrames(), 0);
    QCOMPARE(p->state(), QProcess::Running);
    p->terminate();
    QVERIFY(p->waitForFinished(5000));
}

QTEST_GUILESS_MAIN(ResetTest)
#include "ResetTest.moc"
