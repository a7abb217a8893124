// The built program against a fake device on a pseudo-terminal: nothing goes
// out before Connect, the read-back arrives in order and on time, noise does
// not upset the program, a device that goes away is let go without a hang, a
// program with a settings file of its own resets the device in English, and
// presets go through the real file dialogs.

#include <unistd.h>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>
#include <chrono>
#include <functional>
#include <set>

#include "ProgramRun.h"
#include "eq/EqBands.h"
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
// The EQ Design page, shown at 480 twips: its tab, the band button row, and
// band 5's centre handle at 851 Hz and 0 dB on the graph.
constexpr int kEqTabX = 1800 / 15 + 40;
constexpr int kBandRowY = (480 + 5625) / 15 + 5;
constexpr int BandButtonX(int k) {  // clear of the caption, where the colour shows
    return (420 + 720 * k) / 15 + 5;
}
constexpr int kFlatX = 11400 / 15 + 40;
constexpr int kBand5HandleX = (40 + 6964) / 15 + 2;
constexpr int kBand5HandleY = (480 + 30 + 2250) / 15 + 3;
// The gain row's right arrow, the EQ status options and the preset buttons.
constexpr int kGainRightX = 5400 / 15 + 8;
constexpr int kGainRightY = (480 + 6000) / 15 + 12;
constexpr int kStatusY = (480 + 6705 + 300) / 15 + 9;
constexpr int kActiveX = (6900 + 105) / 15 + 8;
constexpr int kBypassX = (6900 + 1200) / 15 + 8;
constexpr int kPresetY = (480 + 6810) / 15 + 11;
constexpr int kSaveX = 9450 / 15 + 40;
constexpr int kRecallX = 11070 / 15 + 40;

// xdotool commands; a move is to a point of the program's window, in pixels.
QStringList MoveTo(const QString& windowId, int x, int y) {
    return {QStringLiteral("mousemove"), QStringLiteral("--window"), windowId, QString::number(x),
            QString::number(y)};
}

void Xdo(const QStringList& args) {
    QProcess::execute(QStringLiteral("xdotool"), args);
}

void ClickAt(const QString& windowId, int x, int y) {
    Xdo(MoveTo(windowId, x, y) << QStringLiteral("click") << QStringLiteral("1"));
}

void ClickConnect(const QString& windowId) {
    ClickAt(windowId, kConnectX, kConnectY);
}

// The colour of one pixel of the window, as the screen shows it.
QColor PixelAt(const QString& windowId, int x, int y) {
    QProcess p;
    p.start(QStringLiteral("import"),
            {QStringLiteral("-window"), windowId, QStringLiteral("-crop"),
             QStringLiteral("1x1+%1+%2").arg(x).arg(y), QStringLiteral("-depth"),
             QStringLiteral("8"), QStringLiteral("txt:-")});
    p.waitForFinished(10000);
    const QString out = QString::fromLatin1(p.readAllStandardOutput());
    // "0,0: (255,138,138)  #FF8A8A  srgb(255,138,138)" after a "#" comment line.
    const qsizetype hash = out.lastIndexOf(QLatin1Char('#'));
    return hash < 0 ? QColor() : QColor(out.mid(hash, 7));
}

bool Reddish(const QColor& c) {
    return c.red() - c.green() > 60 && c.red() - c.blue() > 60;
}

// Waits until the device has heard nothing for a second; the requests then.
std::vector<DeviceRequest> QuietRequests(const FakeDevice& device) {
    std::size_t seen = device.requests().size();
    for (int i = 0; i < 60; ++i) {
        QTest::qWait(1000);
        const std::size_t now = device.requests().size();
        if (now == seen && now > 0) break;
        seen = now;
    }
    return device.requests();
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
    void eqPageFlatBandHandleAndReply();
    void ownSettingsFileEnglishAndReset();
    void presetSavedAndRecalledThroughTheRealDialogs();
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

void LinkTest::eqPageFlatBandHandleAndReply() {
    FakeDevice device;
    ProgramFolder folder;
    auto p = folder.start(
        {}, {QStringLiteral("CALVETTA_COM1=") + QString::fromStdString(device.linkPath())});
    const QString window = WaitForWindow(kMain);
    QVERIFY(!window.isEmpty());
    ClickConnect(window);
    QVERIFY(device.waitForRequests(29, 10s));
    QTest::qWait(800);
    ClickAt(window, kEqTabX, kConnectY);

    // Flat: every channel's default bands leave, SW only its bands 1 and 2,
    // and the burst ends with FL band 1.
    using Bytes = std::vector<std::uint8_t>;
    device.clearRequests();
    ClickAt(window, kFlatX, kBandRowY);
    auto requests = QuietRequests(device);
    QVERIFY(!requests.empty());
    std::set<std::pair<int, int>> bands;
    for (const DeviceRequest& r : requests) {
        QCOMPARE(r.payload.size(), std::size_t{7});
        QCOMPARE(r.payload[1], std::uint8_t{0x0E});
        bands.insert({r.payload[2], r.payload[3]});
        if (r.payload[2] == 7) QVERIFY(r.payload[3] <= 2);
    }
    QCOMPARE(bands.size(), std::size_t{7 * 10 + 2});
    for (int ch = 0; ch < 8; ++ch) {
        for (int band = 1; band <= (ch == 7 ? 2 : 10); ++band) {
            const std::uint8_t freq = calvetta::BandDefaultFreq[static_cast<std::size_t>(band - 1)];
            const Bytes flat = {
                0x06, 0x0E, static_cast<std::uint8_t>(ch), static_cast<std::uint8_t>(band), 0xC8,
                freq, 0x0A};
            QVERIFY(std::any_of(requests.begin(), requests.end(),
                                [&](const DeviceRequest& r) { return r.payload == flat; }));
        }
    }
    QCOMPARE(requests.back().payload, (Bytes{0x06, 0x0E, 0x00, 0x01, 0xC8, 0x1A, 0x0A}));
    qInfo("Flat sent %zu frames", requests.size());

    // "EQ5", then its centre handle dragged right: four positions a move.
    device.clearRequests();
    ClickAt(window, BandButtonX(4), kBandRowY);
    QCOMPARE(QuietRequests(device).back().payload, (Bytes{0x06, 0x0E, 0, 5, 0xC8, 139, 0x0A}));
    QVERIFY(Reddish(PixelAt(window, BandButtonX(4), kBandRowY)));
    device.clearRequests();
    const QStringList pause = {QStringLiteral("sleep"), QStringLiteral("0.3")};
    Xdo(MoveTo(window, kBand5HandleX, kBand5HandleY)
        << QStringLiteral("mousedown") << QStringLiteral("1") << pause
        << MoveTo(window, kBand5HandleX + 40, kBand5HandleY) << pause
        << MoveTo(window, kBand5HandleX + 41, kBand5HandleY) << pause << QStringLiteral("mouseup")
        << QStringLiteral("1"));
    requests = QuietRequests(device);
    Bytes freqs;
    for (const DeviceRequest& r : requests)
        freqs.push_back(r.payload[5]);
    QCOMPARE(freqs.back(), std::uint8_t{147});
    QVERIFY(std::count(freqs.begin(), freqs.end(), std::uint8_t{143}) > 0);

    // A band report shows FR's band 3 and sends nothing back.
    device.clearRequests();
    QVERIFY(device.inject(ReplyFrameBytes(1, {0xF0, 0x0E, 2, 3, 190, 80, 12})));
    QTest::qWait(800);
    QVERIFY(device.requests().empty());
    QVERIFY(Reddish(PixelAt(window, BandButtonX(2), kBandRowY)));
    QVERIFY(!Reddish(PixelAt(window, BandButtonX(4), kBandRowY)));
    Stop(*p);
}

void LinkTest::ownSettingsFileEnglishAndReset() {
    FakeDevice device;
    ProgramFolder folder;
    QVERIFY(folder.write(
        "Modules/Main.ini",
        "[Main_Config]\r\nMain_VOL=-25\r\nDelay_0=150\r\nCutoff_2=x\r\n\x01\xff=\x80\r\n"));
    auto p = folder.start(
        {}, {QStringLiteral("CALVETTA_COM1=") + QString::fromStdString(device.linkPath())});
    const QString window = WaitForWindow(kMain);
    QVERIFY(!window.isEmpty());
    ClickConnect(window);
    QVERIFY(device.waitForRequests(29, 10s));
    QTest::qWait(800);  // the last replies are applied
    device.clearRequests();

    // "English", the Setup tab, then "System Reset" on the page at 480; Yes
    // is the question's default answer.
    for (const auto& [x, y] : {std::pair{(5400 + 870) / 15 + 20, 14},
                               {3600 / 15 + 40, 12},
                               {11760 / 15, (480 + 6840) / 15}}) {
        ClickAt(window, x, y);
        QTest::qWait(300);
    }
    const QString question = WaitForWindow(QStringLiteral("Message"));
    QVERIFY(!question.isEmpty());
    PressReturn(question);

    const std::vector<std::uint8_t> resetCommand{6, 1, 1};
    QTRY_VERIFY_WITH_TIMEOUT(
        !device.requests().empty() && device.requests().back().payload == resetCommand, 60000);
    QVERIFY(device.requests().size() > 100 && device.badFrames() == 0);
    Stop(*p);
}

void LinkTest::presetSavedAndRecalledThroughTheRealDialogs() {
    using Bytes = std::vector<std::uint8_t>;
    ProgramFolder folder;
    const auto run = [&](const std::function<void(FakeDevice&, const QString&)>& steps) {
        FakeDevice device;
        auto p = folder.start(
            {}, {QStringLiteral("CALVETTA_COM1=") + QString::fromStdString(device.linkPath())});
        const QString window = WaitForWindow(kMain);
        QVERIFY(!window.isEmpty());
        ClickConnect(window);
        QVERIFY(device.waitForRequests(29, 10s));
        QTest::qWait(800);
        ClickAt(window, kEqTabX, kConnectY);
        steps(device, window);
        Stop(*p);
    };

    // Flat, band 5 two steps up, Bypass; saved as "EQ3.EQ": slot 3.
    run([](FakeDevice& device, const QString& window) {
        ClickAt(window, kFlatX, kBandRowY);
        QuietRequests(device);
        ClickAt(window, BandButtonX(4), kBandRowY);
        ClickAt(window, kGainRightX, kGainRightY);
        ClickAt(window, kGainRightX, kGainRightY);
        ClickAt(window, kBypassX, kStatusY);
        QuietRequests(device);
        device.clearRequests();
        ClickAt(window, kSaveX, kPresetY);
        QVERIFY(ChooseFile(QStringLiteral("Save EQ Effect File"), QStringLiteral("EQ3.EQ")));
        PressReturn(WaitForWindow(QStringLiteral("Message")));
        QVERIFY(device.waitForRequests(1, 5s));
        QCOMPARE(device.requests().front().payload, (Bytes{0x06, 0x13, 0x03}));
    });
    QFile preset(folder.path() + QStringLiteral("/ModeEffect/EQ3.EQ"));
    QVERIFY(preset.open(QIODevice::ReadOnly));
    const QByteArray saved = preset.readAll();
    QVERIFY(saved.contains("PEQ_Active=False\r\n") && saved.contains("Ch0_Band5_Gain=202\r\n"));

    // Restarted: Active, then the recall switches to Bypass and sends every band.
    run([](FakeDevice& device, const QString& window) {
        ClickAt(window, kActiveX, kStatusY);
        QuietRequests(device);
        device.clearRequests();
        ClickAt(window, kRecallX, kPresetY);
        QVERIFY(ChooseFile(QStringLiteral("Recall EQ Effect File"), QStringLiteral("EQ3.EQ")));
        PressReturn(WaitForWindow(QStringLiteral("Message")));
        const auto requests = QuietRequests(device);
        QVERIFY(!requests.empty());
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
    });
}

QTEST_GUILESS_MAIN(LinkTest)
#include "LinkTest.moc"
