#include "support/ScriptedDialogs.h"

namespace calvetta::test {

int ScriptedDialogs::MsgBox(const QString& prompt, int style, const QString& title) {
    boxes.push_back({prompt, style, title});
    if (!answers.empty()) {
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    return style == vbYesNoQuestion ? vbNo : vbOK;
}

std::optional<QString> ScriptedDialogs::nextFile() {
    if (files.empty()) return std::nullopt;
    const std::optional<QString> next = files.front();
    files.pop_front();
    return next;
}

std::optional<QString> ScriptedDialogs::ShowOpen(const FileDialogRequest& request) {
    fileDialogs.push_back({false, request});
    return nextFile();
}

std::optional<QString> ScriptedDialogs::ShowSave(const FileDialogRequest& request) {
    fileDialogs.push_back({true, request});
    return nextFile();
}

}  // namespace calvetta::test
