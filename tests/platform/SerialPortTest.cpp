// The serial control against real pseudo-terminals: the test plays the device
// on the master side while the control opens the slave as COMn.

#include <termios.h>
#include <time.h>

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <memory>

#include "platform/QtSerialControl.h"
#include "support/FakeSerialControl.h"
#include "support/Pty.h"

using calvetta::DevicePathForPort;
using calvetta::ParseSerialSettings;
using calvetta::QtSerialControl;
using calvetta::SerialControl;
using calvetta::test::FakeSerialControl;
using calvetta::test::Pty;

namespace {

QByteArray Bytes(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

std::vector<std::uint8_t> Vec(const QByteArray& b) {
    return std::vector<std::uint8_t>(b.begin(), b.end());
}

// Reads from the master until `count` bytes came or the time is up.
QByteArray ReadMaster(Pty& pty, qsizetype count, int timeoutMs = 2000) {
    QByteArray got;
    QDeadlineTimer deadline(timeoutMs);
    while (got.size() < count && !deadline.hasExpired()) {
        got += Bytes(pty.read(static_cast<int>(deadline.remainingTime())));
    }
    return got;
}

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// Points COMn at the pseudo-terminal and opens it the way Connect does.
void Connect(QtSerialControl& uart, const Pty& pty, int port) {
    qputenv(QByteArray("CALVETTA_COM" + QByteArray::number(port)).constData(),
            QByteArray::fromStdString(pty.slavePath()));
    uart.setCommPort(port);
    uart.setInputMode(1);
    uart.setSettings(QStringLiteral("38400,n,8,1"));
    QVERIFY(uart.setPortOpen(true));
    uart.setRThreshold(1);
}

const QByteArray kQueryFrame = QByteArray::fromHex("FAA2010205 13B7F5");

}  // namespace

class SerialPortTest : public QObject {
    Q_OBJECT

  private slots:
    void devicePathFollowsPortAndEnvironment() {
        qunsetenv("CALVETTA_COM1");
        qunsetenv("CALVETTA_COM15");
        QCOMPARE(DevicePathForPort(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(DevicePathForPort(15), QStringLiteral("/dev/ttyS14"));
        QVERIFY(DevicePathForPort(0).isEmpty());

        qputenv("CALVETTA_COM15", "/dev/ttyUSB0");
        QCOMPARE(DevicePathForPort(15), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(DevicePathForPort(1), QStringLiteral("/dev/ttyS0"));  // only COM15 moved
        qunsetenv("CALVETTA_COM15");
    }

    void settingsTextIsParsed() {
        auto line = ParseSerialSettings(QStringLiteral("38400,n,8,1"));
        QVERIFY(line.has_value());
        QCOMPARE(line->baud, 38400);
        QCOMPARE(line->parity, QSerialPort::NoParity);
        QCOMPARE(line->dataBits, QSerialPort::Data8);
        QCOMPARE(line->stopBits, QSerialPort::OneStop);

        line = ParseSerialSettings(QStringLiteral(" 1200 , O , 5 , 1.5 "));
        QVERIFY(line.has_value());
        QCOMPARE(line->baud, 1200);
        QCOMPARE(line->parity, QSerialPort::OddParity);
        QCOMPARE(line->dataBits, QSerialPort::Data5);
        QCOMPARE(line->stopBits, QSerialPort::OneAndHalfStop);

        for (const char* bad :
             {"", "38400", "38400,n,8,1,1", "abc,n,8,1", "0,n,8,1", "+9600,n,8,1",
              "99999999999,n,8,1", "38400,x,8,1", "38400,n,9,1", "38400,n,8,3", "38400;n;8;1"}) {
            QVERIFY2(!ParseSerialSettings(QString::fromLatin1(bad)).has_value(), bad);
        }

        // The control refuses what does not parse, and ports outside 1..15.
        QtSerialControl uart;
        uart.setCommPort(15);
        QCOMPARE(uart.CommPort(), 15);
        uart.setCommPort(16);
        uart.setCommPort(0);
        QCOMPARE(uart.CommPort(), 15);

        uart.setSettings(QStringLiteral("38400,n,8,1"));
        uart.setSettings(QStringLiteral("38400,n,8"));
        QCOMPARE(uart.Settings(), QStringLiteral("38400,n,8,1"));
    }

    void openAppliesTheLineSettings() {
        Pty pty;
        QtSerialControl uart;
        QSignalSpy lost(&uart, &SerialControl::PortLost);
        Connect(uart, pty, 7);
        QVERIFY(uart.PortOpen());
        QCOMPARE(uart.CommPort(), 7);
        QCOMPARE(uart.InputMode(), 1);
        QVERIFY(uart.setPortOpen(true));  // opening an open port keeps it

        // The master shares the slave's terminal settings.
        termios tio{};
        QCOMPARE(tcgetattr(pty.masterFd(), &tio), 0);
        QCOMPARE(cfgetospeed(&tio), static_cast<speed_t>(B38400));
        QCOMPARE(cfgetispeed(&tio), static_cast<speed_t>(B38400));
        QCOMPARE(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        QCOMPARE(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(0));
        QCOMPARE(tio.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(0));

        // Closing on request is no loss, and the device opens again.
        QVERIFY(uart.setPortOpen(false));
        QVERIFY(!uart.PortOpen());
        QVERIFY(uart.setPortOpen(true));
        QVERIFY(uart.Output(kQueryFrame));
        QCOMPARE(ReadMaster(pty, kQueryFrame.size()), kQueryFrame);
        QTest::qWait(50);
        QCOMPARE(lost.count(), 0);
    }

    void framesLeaveWholeBeforeOutputReturns() {
        Pty pty;
        QtSerialControl uart;
        Connect(uart, pty, 2);
        const QByteArray volume = QByteArray::fromHex("FAA20103 0609D887F5");
        // No event loop runs between Output and the read: the frame is on the
        // line because Output waited for it, not because Qt wrote it later.
        for (int i = 0; i < 20; ++i) {
            const QByteArray& frame = (i % 2 == 0) ? kQueryFrame : volume;
            QVERIFY(uart.Output(frame));
            QCOMPARE(ReadMaster(pty, frame.size(), 1000), frame);
        }
        QVERIFY(uart.Output(QByteArray()));  // nothing to send is no failure
        QVERIFY(uart.PortOpen());
    }

    void receivedBytesRaiseOnCommUntilTaken() {
        Pty pty;
        QtSerialControl uart;
        Connect(uart, pty, 3);
        QSignalSpy comm(&uart, &SerialControl::OnComm);
        int codeSeen = -1;
        connect(&uart, &SerialControl::OnComm, this, [&] { codeSeen = uart.CommEvent(); });

        pty.write({0xFA, 0x2A, 0x00, 0x03, 0xF0});
        QTRY_COMPARE(uart.InBufferCount(), 5);
        QTRY_VERIFY(comm.count() >= 1);  // the event is queued behind the read
        QCOMPARE(codeSeen, SerialControl::comEvReceive);

        // Nothing taken: the next bytes raise the event again and join them.
        const int before = static_cast<int>(comm.count());
        pty.write({0x09, 0xD8, 0xF8, 0xF5});
        QTRY_COMPARE(uart.InBufferCount(), 9);
        QTRY_VERIFY(comm.count() > before);

        QCOMPARE(uart.Input(), QByteArray::fromHex("FA2A0003F009D8F8F5"));
        QCOMPARE(uart.InBufferCount(), 0);
        QVERIFY(uart.Input().isEmpty());

        // A larger burst is taken whole and in order.
        std::vector<std::uint8_t> burst(2000);
        for (std::size_t i = 0; i < burst.size(); ++i)
            burst[i] = static_cast<std::uint8_t>(i * 7);
        pty.write(burst);
        QTRY_COMPARE(uart.InBufferCount(), 2000);
        QCOMPARE(Vec(uart.Input()), burst);

        // With RThreshold 0 bytes are kept but raise no event.
        uart.setRThreshold(0);
        const int raised = static_cast<int>(comm.count());
        pty.write({1, 2, 3, 4, 5, 6, 7, 8});
        QTRY_COMPARE(uart.InBufferCount(), 8);
        QTest::qWait(100);
        QCOMPARE(comm.count(), raised);
    }

    void receiveEventNeverRunsInsideOutput() {
        Pty pty;
        QtSerialControl uart;
        Connect(uart, pty, 5);
        QSignalSpy comm(&uart, &SerialControl::OnComm);
        // Bytes wait on the line while a frame is written; the wait for the
        // write may read them, but the event comes from the event loop.
        pty.write({0xFA, 0x2A, 0x00, 0x02, 0xF0, 0x13, 0x1F, 0xF5});
        QThread::msleep(50);
        QVERIFY(uart.Output(kQueryFrame));
        QCOMPARE(comm.count(), 0);
        QVERIFY(comm.wait(2000));
        QCOMPARE(uart.InBufferCount(), 8);
        QCOMPARE(ReadMaster(pty, kQueryFrame.size()), kQueryFrame);
    }

    void missingDeviceFailsCleanly() {
        qputenv("CALVETTA_COM9", "/nonexistent/calvetta-tty");
        QtSerialControl uart;
        QSignalSpy lost(&uart, &SerialControl::PortLost);
        uart.setCommPort(9);
        uart.setSettings(QStringLiteral("38400,n,8,1"));
        QVERIFY(!uart.setPortOpen(true));
        QVERIFY(!uart.PortOpen());
        QVERIFY(!uart.Output(kQueryFrame));
        QCOMPARE(uart.InBufferCount(), 0);
        QVERIFY(uart.Input().isEmpty());
        QTest::qWait(50);
        QCOMPARE(lost.count(), 0);
        qunsetenv("CALVETTA_COM9");
    }

    void writeAfterHangUpFailsAndCloses() {
        auto pty = std::make_unique<Pty>();
        QtSerialControl uart;
        Connect(uart, *pty, 6);
        QSignalSpy lost(&uart, &SerialControl::PortLost);
        pty->closeMaster();
        QVERIFY(!uart.Output(kQueryFrame));
        QVERIFY(!uart.PortOpen());
        QVERIFY(!uart.Output(kQueryFrame));
        // The write failure is reported by its result alone.
        QTest::qWait(100);
        QCOMPARE(lost.count(), 0);

        // A new device on the same port name opens again.
        pty = std::make_unique<Pty>();
        Connect(uart, *pty, 6);
        QVERIFY(uart.Output(kQueryFrame));
        QCOMPARE(ReadMaster(*pty, kQueryFrame.size()), kQueryFrame);
    }

    void hangUpIsReportedOnceAndLeavesTheCpuIdle() {
        auto pty = std::make_unique<Pty>();
        QtSerialControl uart;
        Connect(uart, *pty, 8);
        QSignalSpy lost(&uart, &SerialControl::PortLost);
        QSignalSpy comm(&uart, &SerialControl::OnComm);

        const double cpuBefore = ProcessCpuSeconds();
        pty->closeMaster();
        QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, 5000);
        // A descriptor left readable after the hang-up would keep the event
        // loop busy; three seconds of it must cost a small part of one core.
        QTest::qWait(3000);
        const double cpuUsed = ProcessCpuSeconds() - cpuBefore;
        QCOMPARE(lost.count(), 1);
        QVERIFY2(cpuUsed < 0.75, qPrintable(QStringLiteral("CPU %1 s").arg(cpuUsed)));
        QVERIFY(!uart.PortOpen());
        QVERIFY(!uart.Output(kQueryFrame));
        QCOMPARE(uart.InBufferCount(), 0);

        // Reopening once a device is there again: both directions work.
        pty = std::make_unique<Pty>();
        Connect(uart, *pty, 8);
        QVERIFY(uart.Output(kQueryFrame));
        QCOMPARE(ReadMaster(*pty, kQueryFrame.size()), kQueryFrame);
        const int commBefore = static_cast<int>(comm.count());
        pty->write({0xFA, 0x2A, 0x00, 0x02, 0xF0, 0x13, 0x1F, 0xF5});
        QTRY_COMPARE(uart.InBufferCount(), 8);
        QTRY_VERIFY(comm.count() > commBefore);
        QCOMPARE(lost.count(), 1);
    }

    // Window tests stand on the fake; it must keep the real control's rules.
    void fakeControlFollowsTheRealOne() {
        FakeSerialControl uart;
        QSignalSpy comm(&uart, &SerialControl::OnComm);
        QSignalSpy lost(&uart, &SerialControl::PortLost);
        uart.setCommPort(4);
        uart.failNextOpen();
        QVERIFY(!uart.setPortOpen(true));
        QVERIFY(!uart.PortOpen());
        QVERIFY(uart.setPortOpen(true));
        QCOMPARE(uart.openAttempts, (std::vector<int>{4, 4}));

        QVERIFY(!uart.receive(QByteArray(8, 'x')));  // RThreshold 0: no event
        uart.setRThreshold(1);
        QVERIFY(uart.receive(QByteArray(2, 'y')));
        QCOMPARE(comm.count(), 1);
        QCOMPARE(uart.Input(), QByteArray("xxxxxxxxyy"));

        QVERIFY(uart.Output(kQueryFrame));
        uart.failNextWrite();
        QVERIFY(!uart.Output(kQueryFrame));
        QVERIFY(!uart.PortOpen());
        QCOMPARE(uart.frames.size(), std::size_t{1});

        QVERIFY(uart.setPortOpen(true));
        uart.inject(QByteArray(3, 'z'));
        uart.losePort();
        uart.losePort();
        QCOMPARE(lost.count(), 1);
        QVERIFY(!uart.raiseOnComm());
    }
};

QTEST_GUILESS_MAIN(SerialPortTest)
#include "SerialPortTest.moc"
