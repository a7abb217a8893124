// The built program against a fake device on a pseudo-terminal: nothing goes
// out before Connect, the read-back arrives in order and on time, noise does
// not upset the program, and a device that goes away is let go without a hang.

#include <unistd.h>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>
#include <chrono>

#include "ProgramRun.h"
#include "support/FakeDevice.h"

using namespace calvetta::test;
using namespace std::chrono_literals;

namespace {
const QString kMain = QStringLiteral("RV-514KV05");

// Where the Connect button sits in the window, in pixels.
constexpr int kConnectX = 10200 / 15 + 40;
constexpr int kConnectY = 12;
// The master volume's right arrow: 8820 twips from the left, the page at 600.
constexpr int kMasterRightArrowX = 8820 / 15 + 8;
constexpr int kMasterRightArrowY = (600 + 735) / 15 + 12;

void ClickConnect(const QString& windowId) {
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QStringLiteral("--window"), windowId,
                       QString::number(kConnectX), QString::number(kConnectY),
                       QStringLiteral("click"), QStringLiteral("1")});
}

// CPU seconds the process has used so far, from /proc.
double CpuSeconds(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QString stat = QString::fromLatin1(f.readAll());
    const QStringList fields = stat.mid(stat.lastIndexOf(QLatin1Char(')')) + 2).split(' ');
    // utime and stime are fields 14 and 15 of the line, 12 and 13 after the name.
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::vector<std::vector<std::uint8_t>> ReadBackQueries() {
    std::vector<std::vector<std::uint8_t>> q;
    for (std::uint8_t id : {0x13, 0x02, 0x03, 0x04, 0x05, 0x06, 0x08, 0x09, 0x0A, 0x0C, 0x0D}) {
        q.push_back({0x05, id});
    }
    for (std::uint8_t id : {0x10, 0x11}) {
        for (std::uint8_t ch = 0; ch < 8; ++ch)
            q.push_back({0x05, id, ch});
    }
    q.push_back({0x05, 0x12});
    q.push_back({0x05, 0x07});
    return q;
}

void Stop(QProcess& p) {
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(5000);
    }
}
}  // namespace

class LinkTest : public QObject {
    Q_OBJECT
  private slots:
    void readBackNoiseAndUnplug();
    void stepArrowStartsFromTheMirroredValue();
};

void LinkTest::readBackNoiseAndUnplug() {
    FakeDevice device;
    ProgramFolder folder;
    folder.touch(QStringLiteral("Debug.txt"));
    auto p = folder.start(
        {}, {QStringLiteral("CALVETTA_COM1=") + QString::fromStdString(device.linkPath())});
    const QString window = WaitForWindow(kMain);
    QVERIFY(!window.isEmpty());

    // Nothing on the line before Connect.
    QTest::qWait(1000);
    QVERIFY(device.requests().empty());

    // Connect: the 29 queries, numbered from 1, about 80 ms apart.
    ClickConnect(window);
    QVERIFY(device.waitForRequests(29, 10s));
    QTest::qWait(500);
    auto requests = device.requests();
    QCOMPARE(requests.size(), std::size_t{29});
    const auto expected = ReadBackQueries();
    for (std::size_t i = 0; i < requests.size(); ++i) {
        QCOMPARE(requests[i].payload, expected[i]);
        QCOMPARE(static_cast<int>(requests[i].seq), static_cast<int>(i + 1));
    }
    const auto span = std::chrono::duration_cast<std::chrono::milliseconds>(requests.back().at -
                                                                            requests.front().at);
    const double meanGap = static_cast<double>(span.count()) / 28.0;
    qInfo("Mean gap between read-back frames: %.1f ms", meanGap);
    QVERIFY2(meanGap >= 78 && meanGap < 250, qPrintable(QString::number(meanGap)));
    for (std::size_t i = 1; i < requests.size(); ++i) {
        QVERIFY(requests[i].at - requests[i - 1].at >= 60ms);
    }
    QCOMPARE(device.badFrames(), 0);

    // A second Connect restarts the read-back; the numbers go on from 30.
    device.clearRequests();
    ClickConnect(window);
    QVERIFY(device.waitForRequests(29, 10s));
    requests = device.requests();
    QCOMPARE(static_cast<int>(requests.front().seq), 30);
    QCOMPARE(requests.front().payload, expected.front());

    // 2,000 random bytes mixed with valid replies: the program keeps running
    // and still answers the button.
    auto* rng = QRandomGenerator::global();
    for (int round = 0; round < 20; ++round) {
        std::vector<std::uint8_t> noise(100);
        for (auto& b : noise)
            b = static_cast<std::uint8_t>(rng->bounded(256));
        QVERIFY(device.inject(noise));
        QVERIFY(device.inject(ReplyFrameBytes(static_cast<std::uint8_t>(round), {0xF0, 0x05, 28})));
    }
    QTest::qWait(1000);
    QCOMPARE(p->state(), QProcess::Running);
    device.clearRequests();
    ClickConnect(window);
    QVERIFY(device.waitForRequests(29, 10s));

    // The device goes away: no hang, no busy loop (under 5% of a core over
    // the next ten seconds), and Connect picks it up again once it is back.
    device.hangUp();
    QTest::qWait(300);
    const double before = CpuSeconds(p->processId());
    QTest::qWait(10000);
    const double used = CpuSeconds(p->processId()) - before;
    qInfo("CPU seconds in the ten seconds after the hang-up: %.3f", used);
    QVERIFY2(used < 0.5, qPrintable(QStringLiteral("CPU seconds: %1").arg(used)));
    QCOMPARE(p->state(), QProcess::Running);
    QVERIFY(!FindWindows(kMain).isEmpty());

    device.reopen();
    device.clearRequests();
    ClickConnect(window);
    QVERIFY(device.waitForRequests(29, 10s));
    Stop(*p);
}

void LinkTest::stepArrowStartsFromTheMirroredValue() {
    DeviceState state;
    state.masterVolume = -25;
    FakeDevice device(state);
    ProgramFolder folder;
    auto p = folder.start(
        {}, {QStringLiteral("CALVETTA_COM1=") + QString::fromStdString(device.linkPath())});
    const QString window = WaitForWindow(kMain);
    QVERIFY(!window.isEmpty());
    ClickConnect(window);
    QVERIFY(device.waitForRequests(29, 10s));
    QTest::qWait(800);  // the last replies are applied
    for (const DeviceRequest& r : device.requests())
        QCOMPARE(r.payload.front(), 0x05);
    QCOMPARE(device.requests().size(), std::size_t{29});

    // The master's right arrow (Main Panel, level with the master slider).
    const auto stepUp = [&] {
        device.clearRequests();
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                           QString::number(kMasterRightArrowX), QString::number(kMasterRightArrowY),
                           QStringLiteral("click"), QStringLiteral("1")});
        return device.waitForRequests(1, 5s) ? device.requests().front().payload
                                             : std::vector<std::uint8_t>{};
    };
    QCOMPARE(stepUp(), (std::vector<std::uint8_t>{0x06, 0x09, 0xE8}));

    // A report of -30 dB that comes as 8 bytes and then its last byte alone
    // is applied all the same: the next step goes to -29 dB.
    const auto report = ReplyFrameBytes(0x40, {0xF0, 0x09, 0xE2});
    QVERIFY(device.inject({report.begin(), report.begin() + 8}));
    QTest::qWait(200);
    QVERIFY(device.inject({report.begin() + 8, report.end()}));
    QTest::qWait(300);
    QCOMPARE(stepUp(), (std::vector<std::uint8_t>{0x06, 0x09, 0xE3}));
    Stop(*p);
}

QTEST_GUILESS_MAIN(LinkTest)
#include "LinkTest.moc"
