// The built program on a real X display: it starts, shows its window (and no
// debug window without the switch file), keeps to one instance and shows
// command-line text first.

#include <QtTest>

#include "ProgramRun.h"

using namespace calvetta::test;

namespace {
const QString kMain = QStringLiteral("RV-514KV05");
const QString kText = QStringLiteral("Calvetta");  // the box with the command-line text
const QString kMessage = QStringLiteral("Message");
}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void oneInstanceAndCommandLineTextFirst();
};

void StartupTest::oneInstanceAndCommandLineTextFirst() {
    ProgramFolder folder;
    auto first = folder.start();
    QVERIFY(!WaitForWindow(kMain).isEmpty());
    QVERIFY(FindWindows(QStringLiteral("调试信息打印窗口")).isEmpty());

    // A second start with text: the text first, then the refusal; it loads
    // no window of its own and the first runs on.
    auto second = folder.start({QStringLiteral("again")});
    const QString text = WaitForWindow(kText);
    QVERIFY(!text.isEmpty());
    QCOMPARE(FindWindows(kMessage), QStringList());
    PressReturn(text);
    const QString refusal = WaitForWindow(kMessage);
    QVERIFY(!refusal.isEmpty());
    QCOMPARE(FindWindows(kMain).size(), qsizetype{1});
    PressReturn(refusal);
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    Stop(*first);

    // Once the first has ended, a new start is the first again: its text,
    // then its window once the text is answered.
    auto third = folder.start({QStringLiteral("hello"), QStringLiteral("there")});
    const QString box = WaitForWindow(kText);
    QVERIFY(!box.isEmpty());
    QCOMPARE(FindWindows(kMain), QStringList());
    PressReturn(box);
    QVERIFY(!WaitForWindow(kMain).isEmpty());
    Stop(*third);
}

QTEST_GUILESS_MAIN(StartupTest)
#include "StartupTest.moc"
