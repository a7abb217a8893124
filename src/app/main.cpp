// Start procedure: command-line text first, then the single-instance rule,
// then the main window.

#include <QApplication>
#include <QFont>
#include <QStringList>

#include "app/PrivateDesign.h"
#include "platform/Dialogs.h"
#include "platform/Host.h"
#include "platform/QtSerialControl.h"

namespace {

// Everything given after the program's name, as one text.
QString CommandLineText(int argc, char** argv) {
    QStringList parts;
    for (int i = 1; i < argc; ++i)
        parts << QString::fromLocal8Bit(argv[i]);
    return parts.join(QLatin1Char(' ')).trimmed();
}

}  // namespace

int main(int argc, char** argv) {
    // Taken before Qt removes the arguments meant for itself: the box shows
    // everything given after the program's name.
    const QString commandLine = CommandLineText(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calvetta"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);

    calvetta::QtDialogs dialogs;

    // 1. Any command-line text is shown, and the start goes on.
    if (!commandLine.isEmpty()) {
        dialogs.MsgBox(commandLine, calvetta::vbOKOnly, QStringLiteral("Calvetta"));
    }

    // 2. One instance only.
    calvetta::SingleInstance instance;
    if (!instance.tryAcquire()) {
        dialogs.MsgBox(QStringLiteral("我已经运行了哦，在[开始]右边的任务栏找找看吧！"),
                       calvetta::vbOKInformation, QStringLiteral("Message"));
        return 0;
    }

    // 3. The main window; the program lives until it is closed.
    calvetta::QtSerialControl port;
    calvetta::WindowServices services;
    services.port = &port;
    services.dialogs = &dialogs;
    services.pause = calvetta::BlockingPause;
    services.programFolder = calvetta::ProgramFolder();
    calvetta::PrivateDesign window(services);
    dialogs.setParent(&window);
    window.Show();
    return QApplication::exec();
}
