#pragma once
// The serial control UARTCOM: the operations the link relies on and nothing
// more (port number, settings text, binary input, receive threshold, open and
// is-open, one write of a byte array, waiting-byte count, take all waiting
// bytes, and a receive event raised on the GUI thread).

#include <QByteArray>
#include <QObject>
#include <QString>

namespace calvetta {

class SerialControl : public QObject {
    Q_OBJECT
  public:
    // CommEvent codes.
    static constexpr int comEvReceive = 2;  // data arrived

    using QObject::QObject;
    ~SerialControl() override = default;

    virtual void setCommPort(int port) = 0;  // 1..15
    virtual int CommPort() const = 0;
    virtual void setSettings(const QString& settings) = 0;  // "38400,n,8,1"
    virtual QString Settings() const = 0;
    virtual void setInputMode(int mode) = 0;  // 1 = binary
    virtual void setRThreshold(int bytes) = 0;
    virtual int RThreshold() const = 0;

    // Opens or closes the port; returns false when it could not be opened.
    virtual bool setPortOpen(bool open) = 0;
    virtual bool PortOpen() const = 0;

    // Writes one whole frame and waits until it has left the program's
    // buffers; false when the port refused it (the port is then closed).
    virtual bool Output(const QByteArray& bytes) = 0;

    virtual int InBufferCount() const = 0;
    // Takes every waiting byte (InputLen 0).
    virtual QByteArray Input() = 0;
    // The code of the event being raised.
    virtual int CommEvent() const = 0;

  signals:
    // The receive event: emitted on the GUI thread with CommEvent() == 2 when
    // data arrived and RThreshold is 1 or more.
    void OnComm();
    // The port went away under us (unplugged adapter, hang-up, read error);
    // it has been closed already.
    void PortLost();
};

// Opens COMn as /dev/ttyS<n-1>, unless the environment variable CALVETTA_COM<n>
// names another device path (a USB adapter, or a pseudo-terminal in tests).
QString DevicePathForPort(int port);

}  // namespace calvetta
