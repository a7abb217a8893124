// The built program against a fake device on a pseudo-terminal: nothing goes
// out before Connect, the read-back arrives on time and is mirrored, noise
// does not upset the program, a device that goes away is let go without a
// hang; presets go through the real file dialogs, and a program with a
// settings file of its own resets the device in English.

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>
#include <chrono>
#include <set>

#include "ProgramRun.h"
#include "support/FakeDevice.h"

using namespace calvetta::test;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {
const QString kMain = QStringLiteral("RV-514KV05");

// Where the Connect button sits in the window, in pixels.
constexpr int kConnectX = 10200 / 15 + 40;
constexpr int kConnectY = 12;
// The master volume's right arrow: 8820 twips from the left, the page at 600.
constexpr int kMasterRightArrowX = 8820 / 15 + 8;
constexpr int kMasterRightArrowY = (600 + 735) / 15 + 12;
// The EQ Design page, shown at 480 twips: its tab, band 5's button, the gain
// row's right arrow, the EQ status options and the preset buttons.
constexpr int kEqTabX = 1800 / 15 + 40;
constexpr int kBand5X = (420 + 720 * 4) / 15 + 5;
constexpr int kBandRowY = (480 + 5625) / 15 + 5;
constexpr int kGainRightX = 5400 / 15 + 8;
constexpr int kGainRightY = (480 + 6000) / 15 + 12;
constexpr int kStatusY = (480 + 6705 + 300) / 15 + 9;
constexpr int kActiveX = (6900 + 105) / 15 + 8;
constexpr int kBypassX = (6900 + 1200) / 15 + 8;
constexpr int kPresetY = (480 + 6810) / 15 + 11;
constexpr int kSaveX = 9450 / 15 + 40;
constexpr int kRecallX = 11070 / 15 + 40;

void ClickConnect(const QString& windowId) {
    ClickAt(windowId, kConnectX, kConnectY);
}

// Starts the program from `folder` on the device's line; its window's id.
QString StartOn(const ProgramFolder& folder, const FakeDevice& device,
                std::unique_ptr<QProcess>& program) {
    program = folder.start(
        {}, {QStringLiteral("CALVETTA_COM1=") + QString::fromStdString(device.linkPath())});
    return WaitForWindow(kMain);
}

// Connect, then the whole read-back with its last replies applied.
bool ConnectAndReadBack(const FakeDevice& device, const QString& windowId) {
    ClickConnect(windowId);
    const bool all = device.waitForRequests(29, 10s);
    QTest::qWait(500);
    return all;
}

// Waits until the device has heard nothing for 600 ms; the requests then.
std::vector<DeviceRequest> QuietRequests(const FakeDevice& device) {
    QElapsedTimer quiet;
    quiet.start();
    std::size_t seen = 0;
    for (int i = 0; i < 600 && (seen == 0 || quiet.elapsed() < 600); ++i) {
        QTest::qWait(100);
        if (device.requests().size() != seen) {
            seen = device.requests().size();
            quiet.restart();
        }
    }
    return device.requests();
}

const Bytes kFirstQuery = {0x05, 0x13};
}  // namespace

class LinkTest : public QObject {
    Q_OBJECT
  private slots:
    void readBackMirrorNoiseAndUnplug();
    void presetsThroughTheRealDialogsThenEnglishReset();
};

void LinkTest::readBackMirrorNoiseAndUnplug() {
    DeviceState state;
    state.masterVolume = -25;
    FakeDevice device(state);
    ProgramFolder folder;
    folder.touch(QStringLiteral("Debug.txt"));
    std::unique_ptr<QProcess> p;
    const QString window = StartOn(folder, device, p);
    QVERIFY(!window.isEmpty() && !WaitForWindow(QStringLiteral("调试信息打印窗口")).isEmpty());

    // Nothing on the line before Connect.
    QTest::qWait(500);
    QVERIFY(device.requests().empty());

    // Connect: the 29 queries, numbered from 1, about 80 ms apart, and
    // nothing sent back while the reports are applied.
    QVERIFY(ConnectAndReadBack(device, window));
    const auto requests = device.requests();
    QCOMPARE(requests.size(), std::size_t{29});
    for (std::size_t i = 0; i < requests.size(); ++i)
        QCOMPARE(static_cast<int>(requests[i].seq), static_cast<int>(i + 1));
    const auto span = std::chrono::duration_cast<std::chrono::milliseconds>(requests.back().at -
                                                                            requests.front().at);
    const double meanGap = static_cast<double>(span.count()) / 28.0;
    qInfo("Mean gap between read-back frames: %.1f ms", meanGap);
    QVERIFY2(meanGap >= 78 && meanGap < 250, qPrintable(QString::number(meanGap)));
    for (std::size_t i = 1; i < requests.size(); ++i)
        QVERIFY(requests[i].at - requests[i - 1].at >= 60ms);
    QCOMPARE(device.badFrames(), 0);

    // The master's right arrow steps from the reported -25 dB; a report of
    // -30 dB that comes as 8 bytes and then its last byte alone is applied
    // all the same.
    const auto stepUp = [&] {
        device.clearRequests();
        ClickAt(window, kMasterRightArrowX, kMasterRightArrowY);
        return device.waitForRequests(1, 5s) ? device.requests().front().payload : Bytes{};
    };
    QCOMPARE(stepUp(), (Bytes{0x06, 0x09, 0xE8}));
    const auto report = ReplyFrameBytes(0x40, {0xF0, 0x09, 0xE2});
    QVERIFY(device.inject({report.begin(), report.begin() + 8}));
    QTest::qWait(200);
    QVERIFY(device.inject({report.begin() + 8, report.end()}));
    QTest::qWait(300);
    QCOMPARE(stepUp(), (Bytes{0x06, 0x09, 0xE3}));

    // 2,000 random bytes mixed with valid replies: the program keeps running,
    // and a second Connect reads back again, numbered on from 32.
    auto* rng = QRandomGenerator::global();
    for (int round = 0; round < 20; ++round) {
        Bytes noise(100);
        for (auto& b : noise)
            b = static_cast<std::uint8_t>(rng->bounded(256));
        QVERIFY(device.inject(noise));
        QVERIFY(device.inject(ReplyFrameBytes(static_cast<std::uint8_t>(round), {0xF0, 0x05, 28})));
    }
    QTest::qWait(500);
    QCOMPARE(p->state(), QProcess::Running);
    device.clearRequests();
    QVERIFY(ConnectAndReadBack(device, window));
    QCOMPARE(static_cast<int>(device.requests().front().seq), 32);
    QCOMPARE(device.requests().front().payload, kFirstQuery);

    // The device goes away: no hang, no busy loop (under 5% of a core over
    // the next three seconds), and Connect picks it up again once it is back.
    device.hangUp();
    QTest::qWait(300);
    const double before = CpuSeconds(p->processId());
    QTest::qWait(3000);
    const double used = CpuSeconds(p->processId()) - before;
    qInfo("CPU seconds in the three seconds after the hang-up: %.3f", used);
    QVERIFY2(used < 0.15, qPrintable(QStringLiteral("CPU seconds: %1").arg(used)));
    QCOMPARE(p->state(), QProcess::Running);
    QVERIFY(!FindWindows(kMain).isEmpty());

    device.reopen();
    device.clearRequests();
    ClickConnect(window);
    QVERIFY(device.waitForRequests(1, 5s));
    QCOMPARE(device.requests().front().payload, kFirstQuery);
    Stop(*p);
}

void LinkTest::presetsThroughTheRealDialogsThenEnglishReset() {
    FakeDevice device;
    ProgramFolder folder;
    QVERIFY(folder.write(
        "Modules/Main.ini",
        "[Main_Config]\r\nMain_VOL=-25\r\nDelay_0=150\r\nCutoff_2=x\r\n\x01\xff=\x80\r\n"));
    std::unique_ptr<QProcess> p;
    const QString window = StartOn(folder, device, p);
    QVERIFY(!window.isEmpty());
    QVERIFY(ConnectAndReadBack(device, window));
    ClickAt(window, kEqTabX, kConnectY);

    // Band 5 two steps up, Bypass; saved as "EQ3.EQ": slot 3.
    ClickAt(window, kBand5X, kBandRowY);
    ClickAt(window, kGainRightX, kGainRightY);
    ClickAt(window, kGainRightX, kGainRightY);
    ClickAt(window, kBypassX, kStatusY);
    QCOMPARE(QuietRequests(device).back().payload, (Bytes{0x06, 0x0F, 0x00}));
    device.clearRequests();
    ClickAt(window, kSaveX, kPresetY);
    QVERIFY(ChooseFile(QStringLiteral("Save EQ Effect File"), QStringLiteral("EQ3.EQ")));
    PressReturn(WaitForWindow(QStringLiteral("Message")));
    QVERIFY(device.waitForRequests(1, 5s));
    QCOMPARE(device.requests().front().payload, (Bytes{0x06, 0x13, 0x03}));
    QFile preset(folder.path() + QStringLiteral("/ModeEffect/EQ3.EQ"));
    QVERIFY(preset.open(QIODevice::ReadOnly));
    const QByteArray saved = preset.readAll();
    QVERIFY(saved.contains("PEQ_Active=False\r\n") && saved.contains("Ch0_Band5_Gain=202\r\n"));

    // Active again; the recall switches to Bypass and sends every band.
    ClickAt(window, kActiveX, kStatusY);
    QuietRequests(device);
    device.clearRequests();
    ClickAt(window, kRecallX, kPresetY);
    QVERIFY(ChooseFile(QStringLiteral("Recall EQ Effect File"), QStringLiteral("EQ3.EQ")));
    PressReturn(WaitForWindow(QStringLiteral("Message")));
    const auto requests = QuietRequests(device);
    QCOMPARE(requests.front().payload, (Bytes{0x06, 0x0F, 0x00}));
    std::set<std::pair<int, int>> bands;
    for (std::size_t i = 1; i < requests.size(); ++i) {
        QCOMPARE(requests[i].payload[1], std::uint8_t{0x0E});
        bands.insert({requests[i].payload[2], requests[i].payload[3]});
    }
    QCOMPARE(bands.size(), std::size_t{80});
    QVERIFY(std::any_of(requests.begin(), requests.end(), [](const DeviceRequest& r) {
        return r.payload == Bytes{0x06, 0x0E, 0, 5, 202, 139, 0x0A};
    }));
    qInfo("The recall sent %zu frames", requests.size());

    // "English", the Setup tab, then "System Reset" on the page at 480; Yes
    // is the question's default answer.
    device.clearRequests();
    for (const auto& [x, y] : {std::pair{(5400 + 870) / 15 + 20, 14},
                               {3600 / 15 + 40, 12},
                               {11760 / 15, (480 + 6840) / 15}}) {
        ClickAt(window, x, y);
        QTest::qWait(300);
    }
    const QString question = WaitForWindow(QStringLiteral("Message"));
    QVERIFY(!question.isEmpty());
    PressReturn(question);
    const Bytes resetCommand{6, 1, 1};
    QTRY_VERIFY_WITH_TIMEOUT(
        !device.requests().empty() && device.requests().back().payload == resetCommand, 60000);
    QVERIFY(device.requests().size() > 100 && device.badFrames() == 0);
    Stop(*p);
}

QTEST_GUILESS_MAIN(LinkTest)
#include "LinkTest.moc"
