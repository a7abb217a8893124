// The serial control against real pseudo-terminals: the test plays the device
// on the master side while the control opens the slave as COMn.

#include <termios.h>

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <ctime>
#include <memory>

#include "fake-device/Pty.h"
#include "platform/QtSerialControl.h"

using namespace calvetta;
using namespace calvetta::fake;

namespace {

const QByteArray kQueryFrame = QByteArray::fromHex("FAA2010205 13B7F5");
const std::vector<std::uint8_t> kReply = {0xFA, 0x2A, 0x00, 0x02, 0xF0, 0x13, 0x1F, 0xF5};

// Writes a query and reads it back on the master, with no event loop between.
bool SendsQuery(QtSerialControl& uart, Pty& pty) {
    if (!uart.Output(kQueryFrame)) return false;
    QByteArray got;
    const QDeadlineTimer deadline(2000);
    while (got.size() < kQueryFrame.size() && !deadline.hasExpired()) {
        const auto b = pty.read(static_cast<int>(deadline.remainingTime()));
        got.append(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
    }
    return got == kQueryFrame;
}

// Points COMn at the pseudo-terminal and opens it the way Connect does.
void Connect(QtSerialControl& uart, const Pty& pty, int port) {
    qputenv(QByteArray("CALVETTA_COM" + QByteArray::number(port)).constData(),
            QByteArray::fromStdString(pty.slavePath()));
    uart.setCommPort(port);
    uart.setSettings(QStringLiteral("38400,n,8,1"));
    QVERIFY(uart.setPortOpen(true));
    uart.setRThreshold(1);
}

}  // namespace

class SerialPortTest : public QObject {
    Q_OBJECT

  private slots:
    void portAndSettingsTextsAreCheckedBeforeUse() {
        qputenv("CALVETTA_COM15", "/dev/ttyUSB0");
        QCOMPARE(DevicePathForPort(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(DevicePathForPort(15), QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(DevicePathForPort(0).isEmpty());

        const auto parses = [](const char* text, SerialLineSettings want) {
            const auto l = ParseSerialSettings(QString::fromLatin1(text));
            return l && l->baud == want.baud && l->parity == want.parity &&
                   l->dataBits == want.dataBits && l->stopBits == want.stopBits;
        };
        using SP = QSerialPort;
        QVERIFY(parses("38400,n,8,1", {38400, SP::NoParity, SP::Data8, SP::OneStop}));
        QVERIFY(parses(" 1200 ,O,5, 1.5 ", {1200, SP::OddParity, SP::Data5, SP::OneAndHalfStop}));
        for (const char* bad : {"38400", "38400,n,8,1,1", "abc,n,8,1", "0,n,8,1", "+9600,n,8,1",
                                "99999999999,n,8,1", "38400,x,8,1", "38400,n,9,1", "38400,n,8,3"})
            QVERIFY2(!ParseSerialSettings(QString::fromLatin1(bad)).has_value(), bad);

        // The control keeps its port and settings when given bad ones; a
        // device that is not there fails to open.
        QtSerialControl uart;
        uart.setCommPort(9);
        uart.setCommPort(16);
        uart.setCommPort(0);
        QCOMPARE(uart.CommPort(), 9);
        uart.setSettings(QStringLiteral("38400,n,8,1"));
        uart.setSettings(QStringLiteral("38400,n,8"));
        QCOMPARE(uart.Settings(), QStringLiteral("38400,n,8,1"));
        qputenv("CALVETTA_COM9", "/nonexistent/calvetta-tty");
        QVERIFY(!uart.setPortOpen(true));
    }

    void openLineFramesAndTheReceiveEvent() {
        Pty pty;
        QtSerialControl uart;
        Connect(uart, pty, 7);
        QVERIFY(uart.setPortOpen(true));  // opening an open port keeps it

        // The master shares the slave's terminal settings.
        termios tio{};
        QCOMPARE(tcgetattr(pty.masterFd(), &tio), 0);
        QCOMPARE(cfgetospeed(&tio), static_cast<speed_t>(B38400));
        QCOMPARE(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
        QCOMPARE(tio.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(0));

        // Only an Output that waits puts the frame on the line in time.
        for (int i = 0; i < 20; ++i)
            QVERIFY(SendsQuery(uart, pty));

        QSignalSpy comm(&uart, &SerialControl::OnComm);

        // Bytes waiting while a frame is written: the wait for the write may
        // read them, but the event comes later from the event loop.
        pty.write(kReply);
        QThread::msleep(50);
        QVERIFY(SendsQuery(uart, pty));
        QCOMPARE(comm.count(), 0);
        QVERIFY(comm.wait(2000));
        QCOMPARE(uart.CommEvent(), SerialControl::comEvReceive);
        QCOMPARE(uart.InBufferCount(), 8);
        QCOMPARE(uart.Input(), QByteArray(reinterpret_cast<const char*>(kReply.data()), 8));

        // A reply whose last byte comes on its own: that byte raises the
        // event too, and nothing is left behind.
        comm.clear();
        pty.write(std::vector<std::uint8_t>(kReply.begin(), kReply.end() - 1));
        QVERIFY(comm.wait(2000));
        QCOMPARE(uart.Input().size(), 7);
        comm.clear();
        pty.write({kReply.back()});
        QVERIFY(comm.wait(2000));
        QCOMPARE(uart.InBufferCount(), 1);
        QCOMPARE(uart.Input(), QByteArray(1, static_cast<char>(kReply.back())));
    }

    void lostDeviceClosesThePort() {
        auto pty = std::make_unique<Pty>();
        QtSerialControl uart;
        QSignalSpy lost(&uart, &SerialControl::PortLost);
        Connect(uart, *pty, 6);
        // A write after the other side closed: its result alone reports it.
        pty->closeMaster();
        QVERIFY(!uart.Output(kQueryFrame));
        QVERIFY(!uart.PortOpen());

        // A hang-up with nothing written: PortLost once, and the CPU stays
        // idle (a descriptor left readable would keep the loop busy).
        pty = std::make_unique<Pty>();
        Connect(uart, *pty, 6);
        const std::clock_t cpuBefore = std::clock();
        pty->closeMaster();
        QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, 5000);
        QTest::qWait(1000);
        const double cpuUsed = static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        QCOMPARE(lost.count(), 1);
        QVERIFY2(cpuUsed < 0.3, qPrintable(QStringLiteral("CPU %1 s").arg(cpuUsed)));
        QVERIFY(!uart.PortOpen());
    }
};

QTEST_GUILESS_MAIN(SerialPortTest)
#include "SerialPortTest.moc"
