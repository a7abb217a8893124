#pragma once
// Message boxes and file dialogs behind one interface: the real one shows Qt
// dialogs, tests use a scripted fake that answers and records.

#include <QString>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace calvetta {

// Message-box styles the window uses.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbYesNoQuestion = 36;  // Yes and No with the question icon
inline constexpr int vbOKExclamation = 48;  // OK with the exclamation icon
inline constexpr int vbOKInformation = 64;  // OK with the information icon
// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// What a file dialog is prepared with (the filter as "Description|*.EXT").
struct FileDialogRequest {
    QString DialogTitle;
    QString InitDir;
    QString FileName;
    QString Filter;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Shows a modal message box and returns the answer (vbOK, vbYes, vbNo).
    virtual int MsgBox(const QString& prompt, int style, const QString& title) = 0;
    // Returns the chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> ShowOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> ShowSave(const FileDialogRequest& request) = 0;
};

// The real dialogs, parented to the given window (which may be null).
class QtDialogs final : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    int MsgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> ShowOpen(const FileDialogRequest& request) override;
    std::optional<QString> ShowSave(const FileDialogRequest& request) override;

  private:
    QWidget* parent_;
};

// "Description|*.EXT" pairs as Qt name filters: "Text files|*.txt" becomes
// "Text files (*.txt)"; a description that already ends with its pattern in
// brackets, as "Effect file(*.EQ)|*.EQ" does, is shown as it is.
QString QtNameFilter(const QString& filter);

// The dialog ShowSave (save true) or ShowOpen runs, prepared but not shown.
std::unique_ptr<QFileDialog> PrepareFileDialog(QWidget* parent, const FileDialogRequest& request,
                                               bool save);

}  // namespace calvetta
