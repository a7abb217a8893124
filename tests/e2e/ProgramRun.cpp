#include "ProgramRun.h"

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <stdexcept>

namespace calvetta::test {

namespace {
QString RunXdotool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}
}  // namespace

QStringList FindWindows(const QString& title) {
    const QString out = RunXdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                    QStringLiteral("--name"),
                                    QStringLiteral("^%1$").arg(QRegularExpression::escape(title))});
    return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString WaitForWindow(const QString& title, const QString& other, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        QStringList ids = FindWindows(title);
        ids.removeAll(other);
        if (!ids.isEmpty()) return ids.first();
        QThread::msleep(100);
    }
    return {};
}

bool WaitForNoWindow(const QString& title, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (FindWindows(title).isEmpty()) return true;
        QThread::msleep(100);
    }
    return false;
}

void PressReturn(const QString& windowId) {
    RunXdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), windowId});
    // Typed into the focused window: a key sent to a window that closes on
    // the press would leave the key held down for whatever comes next.
    RunXdotool({QStringLiteral("key"), QStringLiteral("Return")});
}

bool ChooseFile(const QString& title, const QString& name) {
    const QString id = WaitForWindow(title);
    if (id.isEmpty()) return false;
    RunXdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
    if (!name.isEmpty()) {
        RunXdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
        RunXdotool({QStringLiteral("type"), name});
    }
    // A first Return may only close the name completion's list.
    for (int attempt = 0; attempt < 3; ++attempt) {
        RunXdotool({QStringLiteral("key"), QStringLiteral("Return")});
        if (WaitForNoWindow(title, 3000)) return true;
    }
    return false;
}

void Stop(QProcess& program) {
    if (program.state() == QProcess::NotRunning) return;
    program.terminate();
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished(5000);
    }
}

void ClickAt(const QString& windowId, int x, int y) {
    RunXdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), windowId,
                QString::number(x), QString::number(y), QStringLiteral("click"),
                QStringLiteral("1")});
}

void DragThrough(const QString& windowId, const QList<QPoint>& path) {
    QStringList args;
    const auto moveTo = [&](QPoint p) {
        args << QStringLiteral("mousemove") << QStringLiteral("--window") << windowId
             << QString::number(p.x()) << QString::number(p.y());
    };
    moveTo(path.first());
    args << QStringLiteral("mousedown") << QStringLiteral("1");
    for (const QPoint& p : path.mid(1)) {
        // Time for the window to send what each move changes.
        args << QStringLiteral("sleep") << QStringLiteral("0.3");
        moveTo(p);
    }
    args << QStringLiteral("sleep") << QStringLiteral("0.3") << QStringLiteral("mouseup")
         << QStringLiteral("1");
    RunXdotool(args);
}

double CpuSeconds(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QString stat = QString::fromLatin1(f.readAll());
    const QStringList fields = stat.mid(stat.lastIndexOf(QLatin1Char(')')) + 2).split(' ');
    // utime and stime are fields 14 and 15 of the line, 12 and 13 after the name.
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

ProgramFolder::ProgramFolder() {
    const QString exe = QStringLiteral(CALVETTA_EXE);
    const QString bin = QStringLiteral(CALVETTA_BIN_DIR);
    if (!QFile::copy(exe, dir_.filePath(QStringLiteral("calvetta"))))
        throw std::runtime_error("cannot copy the program");
    QFile::setPermissions(dir_.filePath(QStringLiteral("calvetta")), QFile::permissions(exe));
    QDir().mkpath(dir_.filePath(QStringLiteral("Modules")));
    QDir().mkpath(dir_.filePath(QStringLiteral("ModeEffect")));
    for (const char* name : {"Main.ini", "ModeEffects.ini"}) {
        QFile::copy(bin + QStringLiteral("/Modules/") + QLatin1String(name),
                    dir_.filePath(QStringLiteral("Modules/") + QLatin1String(name)));
    }
}

bool ProgramFolder::write(const QString& name, const QByteArray& bytes) {
    QFile f(dir_.filePath(name));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

std::unique_ptr<QProcess> ProgramFolder::start(const QStringList& args,
                                               const QStringList& env) const {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    e.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const QString& kv : env) {
        const int eq = static_cast<int>(kv.indexOf(QLatin1Char('=')));
        e.insert(kv.left(eq), kv.mid(eq + 1));
    }
    p->setProcessEnvironment(e);
    p->setProcessChannelMode(QProcess::ForwardedChannels);
    p->start(dir_.filePath(QStringLiteral("calvetta")), args);
    p->waitForStarted(10000);
    return p;
}

}  // namespace calvetta::test
