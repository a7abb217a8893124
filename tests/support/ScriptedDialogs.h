#pragma once
// Dialogs for window tests: answers come from a script, every box and file
// dialog shown is recorded.

#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "platform/Dialogs.h"

namespace calvetta::test {

struct ShownBox {
    QString prompt;
    int style;
    QString title;
};

struct ShownFileDialog {
    bool save;
    FileDialogRequest request;
};

class ScriptedDialogs final : public Dialogs {
  public:
    // Answers for the next message boxes, in order; when none is left a
    // Yes/No box is answered No and every other box OK.
    std::deque<int> answers;
    // Results of the next file dialogs, in order (nothing = Cancel); when none
    // is left the dialog is cancelled.
    std::deque<std::optional<QString>> files;

    std::vector<ShownBox> boxes;
    std::vector<ShownFileDialog> fileDialogs;

    int MsgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> ShowOpen(const FileDialogRequest& request) override;
    std::optional<QString> ShowSave(const FileDialogRequest& request) override;

  private:
    std::optional<QString> nextFile();
};

}  // namespace calvetta::test
