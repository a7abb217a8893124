// The built program against a fake device on a pseudo-terminal: nothing goes
// out before Connect, the read-back arrives on time and is mirrored, noise
// does not upset the program, a device that goes away is let go without a
// hang; presets go through the real file dialogs.

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>
#include <chrono>

#include "ProgramRun.h"
#include "eq/BandRules.h"
#include "fake-device/FakeDevice.h"

using namespace calvetta::fake;
using namespace calvetta::test;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {
const QString kMain = QStringLiteral("RV-514KV05");
const QString kMessage = QStringLiteral("Message");

// Where the Connect button sits in the window, in pixels.
constexpr int kConnectX = 10200 / 15 + 40;
constexpr int kConnectY = 12;
// The master volume's right arrow: 8820 twips from the left, the page at 600.
constexpr int kMasterRightArrowX = 8820 / 15 + 8;
constexpr int kMasterRightArrowY = (600 + 735) / 15 + 12;
// The EQ Design page, shown at 480 twips: its tab, band 5's button, the gain
// row's right arrow, Bypass and the preset buttons.
constexpr int kEqTabX = 1800 / 15 + 40;
constexpr int kBand5X = (420 + 720 * 4) / 15 + 5;
constexpr int kBandRowY = (480 + 5625) / 15 + 5;
constexpr int kGainRightX = 5400 / 15 + 8;
constexpr int kGainRightY = (480 + 6000) / 15 + 12;
constexpr int kBypassX = (6900 + 1200) / 15 + 8;
constexpr int kBypassY = (480 + 6705 + 300) / 15 + 9;
constexpr int kPresetY = (480 + 6810) / 15 + 11;
constexpr int kSaveX = 9450 / 15 + 40;
constexpr int kRecallX = 11070 / 15 + 40;
// Flat, and the SW channel's option.
constexpr int kFlatX = 11800 / 15;
constexpr int kSwX = (6900 + 4980) / 15 + 5;
constexpr int kSwY = (480 + 6000 + 300) / 15 + 9;
// A point inside a handle whose left edge stands `left` twips into the graph
// at the height of gain 200 (the graph lies 40 twips in and 30 down the page).
QPoint OnHandle(int left) {
    return {static_cast<int>(std::lround((40 + left) / 15.0)) + 2, (480 + 30 + 2250) / 15 + 4};
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
    ClickAt(windowId, kConnectX, kConnectY);
    const bool all = device.waitForRequests(29, 10s);
    QTest::qWait(500);
    return all;
}

// Started, connected, read back and on the EQ Design page; the window's id,
// empty when any of it failed.
QString OnTheEqPage(const ProgramFolder& folder, const FakeDevice& device,
                    std::unique_ptr<QProcess>& program) {
    const QString window = StartOn(folder, device, program);
    if (window.isEmpty() || !ConnectAndReadBack(device, window)) return {};
    ClickAt(window, kEqTabX, kConnectY);
    return window;
}

}  // namespace

class LinkTest : public QObject {
    Q_OBJECT
  private slots:
    void readBackMirrorNoiseAndUnplug();
    void presetsThroughTheRealDialogs();
    void bandwidthHandlesDragUnderTheXPointer();
};

void LinkTest::readBackMirrorNoiseAndUnplug() {
    DeviceState state;
    state.masterVolume = -25;
    FakeDevice device(state);
    ProgramFolder folder;
    std::unique_ptr<QProcess> p;
    const QString window = StartOn(folder, device, p);
    QVERIFY(!window.isEmpty());

    // Nothing on the line before Connect.
    QTest::qWait(500);
    QVERIFY(device.requests().empty());

    // Connect: the 29 queries about 80 ms apart, and nothing sent back while
    // the reports are applied.
    QVERIFY(ConnectAndReadBack(device, window));
    const auto requests = device.requests();
    QCOMPARE(requests.size(), std::size_t{29});
    const auto span = std::chrono::duration_cast<std::chrono::milliseconds>(requests.back().at -
                                                                            requests.front().at);
    const double meanGap = static_cast<double>(span.count()) / 28.0;
    qInfo("Mean gap between read-back frames: %.1f ms", meanGap);
    QVERIFY2(meanGap >= 78 && meanGap < 250, qPrintable(QString::number(meanGap)));
    for (std::size_t i = 1; i < requests.size(); ++i)
        QVERIFY(requests[i].at - requests[i - 1].at >= 60ms);
    QCOMPARE(device.badFrames(), 0);

    // The master's right arrow steps from the reported -25 dB, and then from
    // a report of -30 dB.
    const auto stepUp = [&] {
        device.clearRequests();
        ClickAt(window, kMasterRightArrowX, kMasterRightArrowY);
        return device.waitForRequests(1, 5s) ? device.requests().front().payload : Bytes{};
    };
    QCOMPARE(stepUp(), (Bytes{0x06, 0x09, 0xE8}));
    QVERIFY(device.inject(ReplyFrameBytes(0x40, {0xF0, 0x09, 0xE2})));
    QTest::qWait(300);
    QCOMPARE(stepUp(), (Bytes{0x06, 0x09, 0xE3}));

    // 2,000 random bytes mixed with valid replies: the program keeps running.
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

    device.reopen();
    device.clearRequests();
    ClickAt(window, kConnectX, kConnectY);
    QVERIFY(device.waitForRequests(1, 5s));
    QCOMPARE(device.requests().front().payload, (Bytes{0x05, 0x13}));
    Stop(*p);
}

void LinkTest::presetsThroughTheRealDialogs() {
    FakeDevice device;
    ProgramFolder folder;
    QVERIFY(folder.write(QStringLiteral("ModeEffect/EQ1.EQ"), "old"));
    std::unique_ptr<QProcess> p;
    const QString window = OnTheEqPage(folder, device, p);
    QVERIFY(!window.isEmpty());

    // Band 5 two steps up, Bypass; saved under the name offered, over the old
    // "EQ1.EQ": the program asks before replacing it (Yes is the default), the
    // file dialog does not; slot 1.
    ClickAt(window, kBand5X, kBandRowY);
    ClickAt(window, kGainRightX, kGainRightY);
    ClickAt(window, kGainRightX, kGainRightY);
    ClickAt(window, kBypassX, kBypassY);
    // The clicks are taken in order: Bypass's frame comes last (none at all
    // reads as an empty payload).
    const auto lastSent = [&device] {
        const auto requests = device.requests();
        return requests.empty() ? Bytes{} : requests.back().payload;
    };
    QTRY_COMPARE_WITH_TIMEOUT(lastSent(), Bytes({0x06, 0x0F, 0x00}), 10000);
    device.clearRequests();
    ClickAt(window, kSaveX, kPresetY);
    QVERIFY(ChooseFile(QStringLiteral("Save EQ Effect File"), QString()));
    const QString replace = WaitForWindow(kMessage);
    PressReturn(replace);
    PressReturn(WaitForWindow(kMessage, replace));
    QVERIFY(device.waitForRequests(1, 5s));
    QCOMPARE(device.requests().front().payload, (Bytes{0x06, 0x13, 0x01}));

    // The recall sends the bands as saved.
    device.clearRequests();
    ClickAt(window, kRecallX, kPresetY);
    QVERIFY(ChooseFile(QStringLiteral("Recall EQ Effect File"), QStringLiteral("EQ1.EQ")));
    PressReturn(WaitForWindow(kMessage));
    const auto sent = [&device] {
        const auto requests = device.requests();
        return std::any_of(requests.begin(), requests.end(), [](const DeviceRequest& r) {
            return r.payload == Bytes{0x06, 0x0E, 0, 5, 202, 139, 0x0A};
        });
    };
    QTRY_VERIFY_WITH_TIMEOUT(sent(), 30000);
    Stop(*p);
}

void LinkTest::bandwidthHandlesDragUnderTheXPointer() {
    FakeDevice device;
    ProgramFolder folder;
    std::unique_ptr<QProcess> p;
    const QString window = OnTheEqPage(folder, device, p);
    QVERIFY(!window.isEmpty());
    ClickAt(window, kFlatX, kBandRowY);
    // Flat ends on FL band 1, which it also sends early on: the burst is
    // over when nothing follows that frame for a while.
    const Bytes flatFL1 = {0x06, 0x0E, 0, 1, 200, 26, 10};
    const auto flatDone = [&device, &flatFL1] {
        const std::size_t count = device.requests().size();
        QTest::qWait(400);
        const auto requests = device.requests();
        return requests.size() == count && count > 80 && requests.back().payload == flatFL1;
    };
    QTRY_VERIFY_WITH_TIMEOUT(flatDone(), 20000);

    // A side handle keeps the pointer while it moves away from it: FL band
    // 1's right handle held and moved outwards twice narrows the band twice.
    const auto payloads = [&device] {
        std::vector<Bytes> out;
        for (const DeviceRequest& r : device.requests())
            out.push_back(r.payload);
        return out;
    };
    device.clearRequests();
    const QPoint right =
        OnHandle(calvetta::RightHandleLeft(calvetta::MidLeftForFrequency(40.3), 14));
    DragThrough(window, {right, right + QPoint(20, 0), right + QPoint(40, 0)});
    QVERIFY(device.waitForRequests(3, 5s));
    QCOMPARE(payloads(),
             (std::vector<Bytes>{
                 flatFL1, {0x06, 0x0E, 0, 1, 200, 26, 6}, {0x06, 0x0E, 0, 1, 200, 26, 2}}));

    // SW's band 2: the left handle moved inwards, and on off the graph,
    // widens it.
    const auto sentLast = [&device](const Bytes& payload) {
        const auto requests = device.requests();
        return !requests.empty() && requests.back().payload == payload;
    };
    const Bytes sw2 = {0x06, 0x0E, 7, 2, 200, 60, 10};
    ClickAt(window, kSwX, kSwY);
    QTRY_VERIFY_WITH_TIMEOUT(sentLast({0x06, 0x0E, 7, 1, 200, 26, 10}), 5000);
    ClickAt(window, (420 + 720) / 15 + 5, kBandRowY);
    QTRY_VERIFY_WITH_TIMEOUT(sentLast(sw2), 5000);
    QTest::qWait(300);
    device.clearRequests();
    const QPoint left = OnHandle(calvetta::LeftHandleLeft(calvetta::MidLeftForFrequency(101), 14));
    DragThrough(window, {left, left + QPoint(20, 0), left + QPoint(40, 250)});
    QVERIFY(device.waitForRequests(3, 5s));
    QCOMPARE(payloads(),
             (std::vector<Bytes>{
                 sw2, {0x06, 0x0E, 7, 2, 200, 60, 15}, {0x06, 0x0E, 7, 2, 200, 60, 25}}));
    Stop(*p);
}

QTEST_GUILESS_MAIN(LinkTest)
#include "LinkTest.moc"
