// The built program on a real X display: it starts, shows its window, keeps
// to one instance, shows command-line text first and opens the debug window
// when the switch file is there.

#include <QtTest>

#include "ProgramRun.h"

using namespace calvetta::test;

namespace {
const QString kMain = QStringLiteral("RV-514KV05");
const QString kDebug = QStringLiteral("调试信息打印窗口");

void Stop(QProcess& p) {
    if (p.state() == QProcess::NotRunning) return;
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(5000);
    }
}
}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void startsAndShowsTheMainWindow();
    void secondInstanceIsRefusedWhileTheFirstRuns();
    void commandLineTextComesFirst();
    void debugWindowOpensWithTheSwitchFile();
};

void StartupTest::startsAndShowsTheMainWindow() {
    ProgramFolder folder;
    auto p = folder.start();
    QVERIFY(!WaitForWindow(kMain).isEmpty());
    QVERIFY(FindWindows(kDebug).isEmpty());
    QCOMPARE(p->state(), QProcess::Running);
    Stop(*p);
}

void StartupTest::secondInstanceIsRefusedWhileTheFirstRuns() {
    ProgramFolder folder;
    auto first = folder.start();
    QVERIFY(!WaitForWindow(kMain).isEmpty());

    auto second = folder.start();
    const QString box = WaitForWindow(QStringLiteral("Message"));
    QVERIFY2(!box.isEmpty(), "the second start shows its message");
    QCOMPARE(FindWindows(kMain).size(), 1);  // it loads no window of its own
    PressReturn(box);
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(FindWindows(kMain).size(), 1);
    Stop(*first);

    // Once the first has ended, a new start is the first again.
    auto third = folder.start();
    QVERIFY(!WaitForWindow(kMain).isEmpty());
    QVERIFY(FindWindows(QStringLiteral("Message")).isEmpty());
    Stop(*third);
}

void StartupTest::commandLineTextComesFirst() {
    ProgramFolder folder;
    auto first = folder.start({QStringLiteral("hello"), QStringLiteral("there")});
    const QString box = WaitForWindow(QStringLiteral("Calvetta"));
    QVERIFY2(!box.isEmpty(), "the command-line text is shown in a box titled with the product");
    QVERIFY(FindWindows(kMain).isEmpty());  // nothing else before it is answered
    PressReturn(box);
    QVERIFY(!WaitForWindow(kMain).isEmpty());

    // A second start with text: the text box first, then the refusal.
    auto second = folder.start({QStringLiteral("again")});
    const QString box2 = WaitForWindow(QStringLiteral("Calvetta"));
    QVERIFY(!box2.isEmpty());
    QVERIFY(FindWindows(QStringLiteral("Message")).isEmpty());
    PressReturn(box2);
    const QString refusal = WaitForWindow(QStringLiteral("Message"));
    QVERIFY(!refusal.isEmpty());
    PressReturn(refusal);
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(first->state(), QProcess::Running);
    Stop(*first);
}

void StartupTest::debugWindowOpensWithTheSwitchFile() {
    ProgramFolder folder;
    folder.touch(QStringLiteral("Debug.txt"));
    auto p = folder.start();
    QVERIFY(!WaitForWindow(kDebug).isEmpty());
    QVERIFY(!WaitForWindow(kMain).isEmpty());
    Stop(*p);
}

QTEST_GUILESS_MAIN(StartupTest)
#include "StartupTest.moc"
