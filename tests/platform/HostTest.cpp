// The single-instance guard: a running instance keeps the lock however long it
// runs, and a lock left behind by a crash is taken over at once.

#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/Host.h"

using calvetta::SingleInstance;

class HostTest : public QObject {
    Q_OBJECT
  private slots:
    void lockHeldByRunningInstanceNeverGoesStale() {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.tryAcquire());
        QVERIFY(!SingleInstance(dir.path()).tryAcquire());
        // An instance that has run for an hour still holds its lock.
        QFile lock(dir.path() + QStringLiteral("/calvetta.lock"));
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
        lock.close();
        QVERIFY(!SingleInstance(dir.path()).tryAcquire());
    }

    void lockOfCrashedInstanceIsTakenOver() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/calvetta.lock");
        QByteArray contents;
        {
            SingleInstance crashed(dir.path());
            QVERIFY(crashed.tryAcquire());
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            contents = f.readAll();
        }
        // The same lock again, but owned by a process that has ended.
        const pid_t dead = fork();
        if (dead == 0) _exit(0);
        waitpid(dead, nullptr, 0);
        contents = QByteArray::number(dead) + contents.mid(contents.indexOf('\n'));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contents);
        f.close();
        QVERIFY(SingleInstance(dir.path()).tryAcquire());
    }
};

QTEST_GUILESS_MAIN(HostTest)
#include "HostTest.moc"
