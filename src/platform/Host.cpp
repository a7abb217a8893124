#include "platform/Host.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace calvetta {

SingleInstance::SingleInstance(const QString& lockDir) {
    QString dir = lockDir;
    if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    QDir().mkpath(dir);
    lock_ = std::make_unique<QLockFile>(dir + QStringLiteral("/calvetta.lock"));
    // A lock left by a crashed instance is taken over at once: the owning
    // process is checked, not the age.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryAcquire() {
    return lock_->tryLock(0);
}

QString ProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

void BlockingPause(int ms) {
    if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

}  // namespace calvetta
