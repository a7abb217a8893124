#pragma once
// The real main window on a recording serial control, scripted dialogs and a
// recording pause, in a temporary program folder: what window tests drive.

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <vector>

#include "app/PrivateDesign.h"
#include "settings/MainPanel.h"
#include "settings/SetupPage.h"
#include "support/FakeSerialControl.h"
#include "support/ScriptedDialogs.h"

namespace calvetta::test {

class WindowHarness {
  public:
    QTemporaryDir folder;
    FakeSerialControl port;
    ScriptedDialogs dialogs;
    std::vector<int> pauses;
    std::unique_ptr<PrivateDesign> window;

    // With debugSwitch, an empty Debug.txt lies in the program folder.
    explicit WindowHarness(bool debugSwitch = false);

    // Creates the window and runs its load step (the port stays closed).
    PrivateDesign& load();
    // Puts the link up without the read-back, so commands reach the port.
    void connectLink();
    // Writes the payload into SendBuf and sends it.
    void send(std::initializer_list<std::uint8_t> payload);
    // The payloads (operation, ParamId, values) of the frames written so far.
    std::vector<std::vector<std::uint8_t>> payloads() const;
    // The last frame's payload; empty when nothing was written.
    std::vector<std::uint8_t> lastPayload() const;
    void clearFrames() { port.frames.clear(); }
    // The payloads that `action` sends.
    template <class F>
    std::vector<std::vector<std::uint8_t>> sentBy(F&& action) {
        clearFrames();
        action();
        return payloads();
    }
    // Writes a file in the program folder (e.g. "Modules/Main.ini"), making
    // its folder; false when it cannot be written.
    bool putFile(const QString& relativePath, const QByteArray& bytes);
    // Applies one reply as the reply tick does (SendEnabled false meanwhile).
    void applyReply(std::initializer_list<std::uint8_t> payload);
};

// The window loaded, and connected unless asked otherwise: every command that
// passes the guards is recorded.
struct LoadedWindow : WindowHarness {
    PrivateDesign& w;
    explicit LoadedWindow(bool connected = true) : w(load()) {
        if (connected) connectLink();
    }
};

// A test class whose every case starts on a freshly loaded, connected window.
class LoadedWindowTest : public QObject {
    Q_OBJECT
  protected:
    std::unique_ptr<LoadedWindow> h;
    PrivateDesign* w = nullptr;
    MainPanel* m = nullptr;  // its Main Panel page
    SetupPage* s = nullptr;  // its Setup page
  private slots:
    void init() {
        h = std::make_unique<LoadedWindow>();
        w = &h->w;
        m = &w->Main();
        s = &w->Setup();
    }
};

// The one red button among elements first..last: -1 when none, -2 when several.
int Lit(const ControlArray<CommandButton>& buttons, int first = 0, int last = 10);

// Whether the image shows the picture of source.
bool Shows(const ImageControl* image, const ImageControl* source);

// What is wrong with the layout of parent's shown controls and of those inside
// its frames: each one outside its parent or over another; empty when nothing
// is. Plain rules (QFrame lines) and the controls in `apart` are left out.
QStringList LayoutFaults(const QWidget* parent, std::initializer_list<const QWidget*> apart = {});

// A payload written as its bytes, for comparisons: P({6, 9, 0xD8}).
inline std::vector<std::uint8_t> P(std::initializer_list<std::uint8_t> bytes) {
    return bytes;
}

}  // namespace calvetta::test
