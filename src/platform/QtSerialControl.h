#pragma once
// UARTCOM over QSerialPort: a serial device (or a pseudo-terminal) driven the
// way the link expects of it.

#include <QSerialPort>
#include <optional>

#include "platform/SerialControl.h"

namespace calvetta {

// The line settings held in a settings text such as "38400,n,8,1".
struct SerialLineSettings {
    qint32 baud = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// Parses "baud,parity,data bits,stop bits": a positive baud rate, parity one of
// n e o m s (either case), 5 to 8 data bits, 1, 1.5 or 2 stop bits.  Blanks
// around a field are allowed; anything else gives nothing.
std::optional<SerialLineSettings> ParseSerialSettings(const QString& text);

class QtSerialControl final : public SerialControl {
    Q_OBJECT
  public:
    // A frame of at most 14 bytes leaves a 38,400-baud line in under 4 ms; a
    // write still pending after this long means the device no longer drains.
    static constexpr int kWriteTimeoutMs = 1000;

    explicit QtSerialControl(QObject* parent = nullptr);
    ~QtSerialControl() override;

    // A port outside 1..15 is refused and the previous one kept.
    void setCommPort(int port) override;
    int CommPort() const override { return commPort_; }
    // Malformed text is refused and the previous settings kept; valid settings
    // also apply at once to an open port.
    void setSettings(const QString& settings) override;
    QString Settings() const override { return settings_; }
    // Input is always taken as bytes; the mode is kept for reading back.
    void setInputMode(int mode) override { inputMode_ = mode; }
    int InputMode() const { return inputMode_; }
    void setRThreshold(int bytes) override;
    int RThreshold() const override { return rThreshold_; }

    bool setPortOpen(bool open) override;
    bool PortOpen() const override;

    bool Output(const QByteArray& bytes) override;

    int InBufferCount() const override;
    QByteArray Input() override;
    int CommEvent() const override { return commEvent_; }

  private:
    void onReadyRead();
    void raiseReceive();
    void onError(QSerialPort::SerialPortError error);
    void dropLostPort(quint64 generation);
    void applyLine(const SerialLineSettings& line);

    QSerialPort* port_;
    int commPort_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    SerialLineSettings line_;
    int inputMode_ = 0;
    int rThreshold_ = 0;
    int commEvent_ = 0;
    // Counts openings (the first is 1), so that a loss noticed on one opening
    // never closes a later one.
    quint64 generation_ = 0;
    quint64 dropQueuedFor_ = 0;  // the opening whose closing is queued; 0: none
    bool receiveQueued_ = false;
};

}  // namespace calvetta
