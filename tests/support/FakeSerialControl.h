#pragma once
// A serial control for window tests: records what the window sets and every
// frame it writes, fails on request, and delivers bytes the test injects.

#include <QByteArray>
#include <QString>
#include <vector>

#include "platform/SerialControl.h"

namespace calvetta::test {

class FakeSerialControl final : public SerialControl {
  public:
    using SerialControl::SerialControl;

    // Every frame written while the port was open, in order.
    std::vector<QByteArray> frames;
    // Every open attempt (setPortOpen(true) while closed), the port number
    // each used.
    std::vector<int> openAttempts;
    // Writes refused (port closed, or a failure asked for).
    int failedWrites = 0;

    // The next open attempt fails (the port stays closed).
    void failNextOpen() { failNextOpen_ = true; }
    // The next write while open fails and closes the port, as an unplugged
    // device does.
    void failNextWrite() { failNextWrite_ = true; }

    // Bytes that arrive from the device: they wait until Input takes them (or
    // the port closes).
    void inject(const QByteArray& bytes) { inBuffer_.append(bytes); }
    // Raises the receive event (CommEvent 2) as the real control does: only
    // while open and with RThreshold 1 or more.  True when it was raised.
    bool raiseOnComm();
    // inject, then raiseOnComm.
    bool receive(const QByteArray& bytes);
    // The device vanishes: the port closes and PortLost is emitted.
    void losePort();

    void setCommPort(int port) override;
    int CommPort() const override { return commPort_; }
    void setSettings(const QString& settings) override { settings_ = settings; }
    QString Settings() const override { return settings_; }
    void setInputMode(int mode) override { inputMode_ = mode; }
    int InputMode() const { return inputMode_; }
    void setRThreshold(int bytes) override { rThreshold_ = bytes; }
    int RThreshold() const override { return rThreshold_; }

    bool setPortOpen(bool open) override;
    bool PortOpen() const override { return open_; }

    bool Output(const QByteArray& bytes) override;

    int InBufferCount() const override { return open_ ? static_cast<int>(inBuffer_.size()) : 0; }
    QByteArray Input() override;
    int CommEvent() const override { return commEvent_; }

  private:
    void close();

    int commPort_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    int inputMode_ = 0;
    int rThreshold_ = 0;
    int commEvent_ = 0;
    bool open_ = false;
    bool failNextOpen_ = false;
    bool failNextWrite_ = false;
    QByteArray inBuffer_;
};

}  // namespace calvetta::test
