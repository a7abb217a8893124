#include "support/FakeSerialControl.h"

namespace calvetta::test {

void FakeSerialControl::setCommPort(int port) {
    // The real control refuses ports outside 1..15; so does this one, so that
    // a window test sees the same stored number.
    if (port >= 1 && port <= 15) commPort_ = port;
}

bool FakeSerialControl::setPortOpen(bool open) {
    if (!open) {
        close();
        return true;
    }
    if (open_) return true;
    openAttempts.push_back(commPort_);
    if (failNextOpen_) {
        failNextOpen_ = false;
        return false;
    }
    open_ = true;
    commEvent_ = 0;
    return true;
}

bool FakeSerialControl::Output(const QByteArray& bytes) {
    if (!open_) {
        ++failedWrites;
        return false;
    }
    if (failNextWrite_) {
        failNextWrite_ = false;
        close();
        ++failedWrites;
        return false;
    }
    frames.push_back(bytes);
    return true;
}

void FakeSerialControl::close() {
    // Closing a real port discards what it had received and not handed out.
    open_ = false;
    inBuffer_.clear();
}

QByteArray FakeSerialControl::Input() {
    if (!open_) return {};
    QByteArray taken;
    taken.swap(inBuffer_);
    return taken;
}

bool FakeSerialControl::raiseOnComm() {
    if (!open_ || rThreshold_ < 1) return false;
    commEvent_ = comEvReceive;
    emit OnComm();
    return true;
}

bool FakeSerialControl::receive(const QByteArray& bytes) {
    inject(bytes);
    return raiseOnComm();
}

void FakeSerialControl::losePort() {
    if (!open_) return;
    close();
    emit PortLost();
}

}  // namespace calvetta::test
