#pragma once
// Runs the built program as a user would: from its own folder (a fresh copy
// with the default settings beside it), with its own runtime folder for the
// single-instance lock, on the X display the test runs under.

#include <QList>
#include <QPoint>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace calvetta::test {

// Window ids of the visible windows whose title is exactly `title`.
QStringList FindWindows(const QString& title);
// Waits until a window with that title (other than `other`) shows; empty when
// none did in time.
QString WaitForWindow(const QString& title, const QString& other = {}, int timeoutMs = 15000);
// Waits until no window with that title is left.
bool WaitForNoWindow(const QString& title, int timeoutMs = 15000);
// Presses Return in the given window (answers a message box).
void PressReturn(const QString& windowId);
// Types a file name into the file dialog with that title (none: the name it
// offers) and accepts it; false when no such dialog showed or it did not close.
bool ChooseFile(const QString& title, const QString& name);
// Ends the program: asked first, killed when it does not end in time.
void Stop(QProcess& program);
// Clicks a point of the window, in pixels from its top left corner.
void ClickAt(const QString& windowId, int x, int y);
// Presses the left button at the first point of the window, moves through the
// others a moment apart and releases it at the last.
void DragThrough(const QString& windowId, const QList<QPoint>& path);
// CPU seconds the process has used so far, from /proc.
double CpuSeconds(qint64 pid);

class ProgramFolder {
  public:
    ProgramFolder();  // copies the program and its Modules folder
    QString path() const { return dir_.path(); }
    QString runtimeDir() const { return runtime_.path(); }
    // Writes a file there (e.g. "Modules/Main.ini"); false when it cannot.
    bool write(const QString& name, const QByteArray& bytes);

    // Starts the program with the given arguments and extra environment.
    std::unique_ptr<QProcess> start(const QStringList& args = {},
                                    const QStringList& env = {}) const;

  private:
    QTemporaryDir dir_;
    QTemporaryDir runtime_;
};

}  // namespace calvetta::test
