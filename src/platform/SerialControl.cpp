#include "platform/SerialControl.h"

#include <QDeadlineTimer>
#include <QStringList>
#include <limits>

#include "platform/QtSerialControl.h"

namespace calvetta {

QString DevicePathForPort(int port) {
    if (port < 1) return {};
    const QByteArray variable = QByteArrayLiteral("CALVETTA_COM") + QByteArray::number(port);
    QString path = qEnvironmentVariable(variable.constData());
    if (!path.isEmpty()) return path;
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

std::optional<SerialLineSettings> ParseSerialSettings(const QString& text) {
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 4) return std::nullopt;

    SerialLineSettings line;
    bool ok = false;
    const QString baud = fields[0].trimmed();
    line.baud = baud.toInt(&ok);
    if (!ok || line.baud <= 0 || !baud.front().isDigit()) return std::nullopt;

    const QString parity = fields[1].trimmed().toLower();
    if (parity == QLatin1String("n")) {
        line.parity = QSerialPort::NoParity;
    } else if (parity == QLatin1String("e")) {
        line.parity = QSerialPort::EvenParity;
    } else if (parity == QLatin1String("o")) {
        line.parity = QSerialPort::OddParity;
    } else if (parity == QLatin1String("m")) {
        line.parity = QSerialPort::MarkParity;
    } else if (parity == QLatin1String("s")) {
        line.parity = QSerialPort::SpaceParity;
    } else {
        return std::nullopt;
    }

    const QString data = fields[2].trimmed();
    if (data == QLatin1String("5")) {
        line.dataBits = QSerialPort::Data5;
    } else if (data == QLatin1String("6")) {
        line.dataBits = QSerialPort::Data6;
    } else if (data == QLatin1String("7")) {
        line.dataBits = QSerialPort::Data7;
    } else if (data == QLatin1String("8")) {
        line.dataBits = QSerialPort::Data8;
    } else {
        return std::nullopt;
    }

    const QString stop = fields[3].trimmed();
    if (stop == QLatin1String("1")) {
        line.stopBits = QSerialPort::OneStop;
    } else if (stop == QLatin1String("1.5")) {
        line.stopBits = QSerialPort::OneAndHalfStop;
    } else if (stop == QLatin1String("2")) {
        line.stopBits = QSerialPort::TwoStop;
    } else {
        return std::nullopt;
    }
    return line;
}

QtSerialControl::QtSerialControl(QObject* parent)
    : SerialControl(parent), port_(new QSerialPort(this)) {
    connect(port_, &QSerialPort::readyRead, this, &QtSerialControl::onReadyRead);
    connect(port_, &QSerialPort::errorOccurred, this, &QtSerialControl::onError);
}

QtSerialControl::~QtSerialControl() = default;

void QtSerialControl::setCommPort(int port) {
    if (port < 1 || port > 15) return;
    commPort_ = port;
}

void QtSerialControl::setSettings(const QString& settings) {
    const auto line = ParseSerialSettings(settings);
    if (!line) return;
    settings_ = settings;
    line_ = *line;
    if (port_->isOpen()) applyLine(line_);
}

void QtSerialControl::setRThreshold(int bytes) {
    rThreshold_ = bytes < 0 ? 0 : bytes;
}

void QtSerialControl::applyLine(const SerialLineSettings& line) {
    // Before opening these are only stored; QSerialPort applies them on open
    // and refuses to open when the device does not take them.
    port_->setBaudRate(line.baud);
    port_->setParity(line.parity);
    port_->setDataBits(line.dataBits);
    port_->setStopBits(line.stopBits);
    port_->setFlowControl(QSerialPort::NoFlowControl);
}

bool QtSerialControl::setPortOpen(bool open) {
    if (!open) {
        if (port_->isOpen()) port_->close();
        return true;
    }
    if (port_->isOpen()) return true;

    const QString path = DevicePathForPort(commPort_);
    if (path.isEmpty()) return false;
    port_->setPortName(path);
    applyLine(line_);
    if (!port_->open(QIODevice::ReadWrite)) return false;
    ++generation_;
    commEvent_ = 0;
    return true;
}

bool QtSerialControl::PortOpen() const {
    return port_->isOpen();
}

bool QtSerialControl::Output(const QByteArray& bytes) {
    if (!port_->isOpen()) return false;

    // One write of the whole frame, then wait until it has left our buffer, so
    // that the pause after each frame really separates frames on the line.
    bool ok = port_->write(bytes) == bytes.size();
    const QDeadlineTimer deadline(kWriteTimeoutMs);
    while (ok && port_->bytesToWrite() > 0) {
        ok = port_->waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
    }
    if (!ok) {
        // The device is gone or no longer drains: nothing more can be sent on
        // this opening.  The caller learns it from the result.
        if (port_->isOpen()) port_->close();
        return false;
    }
    return true;
}

int QtSerialControl::InBufferCount() const {
    if (!port_->isOpen()) return 0;
    const qint64 waiting = port_->bytesAvailable();
    return waiting > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                     : static_cast<int>(waiting);
}

QByteArray QtSerialControl::Input() {
    if (!port_->isOpen()) return {};
    return port_->readAll();
}

void QtSerialControl::onReadyRead() {
    if (rThreshold_ < 1 || receiveQueued_) return;
    // readyRead may come from inside waitForBytesWritten, that is from inside
    // Output; the receive event must not run in the middle of a send, so it is
    // raised from the event loop.  One queued event covers every byte that
    // arrives before it runs.
    receiveQueued_ = true;
    QMetaObject::invokeMethod(this, &QtSerialControl::raiseReceive, Qt::QueuedConnection);
}

void QtSerialControl::raiseReceive() {
    receiveQueued_ = false;
    if (!port_->isOpen() || rThreshold_ < 1 || InBufferCount() < rThreshold_) return;
    commEvent_ = comEvReceive;
    emit OnComm();
}

void QtSerialControl::onError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError) return;
    if (!port_->isOpen() || dropQueuedFor_ == generation_) return;
    // A vanished device keeps its descriptor readable; left open, the port
    // would be woken for ever.  It is closed from the event loop, never from
    // inside QSerialPort's own read or wait.
    dropQueuedFor_ = generation_;
    const quint64 generation = generation_;
    QMetaObject::invokeMethod(
        this, [this, generation] { dropLostPort(generation); }, Qt::QueuedConnection);
}

void QtSerialControl::dropLostPort(quint64 generation) {
    if (generation == dropQueuedFor_) dropQueuedFor_ = 0;
    if (generation != generation_ || !port_->isOpen()) return;
    port_->close();
    emit PortLost();
}

}  // namespace calvetta
