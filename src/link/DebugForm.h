#pragma once
// The debug window: every frame sent (the whole DebugLog) and the payload of
// every valid reply received, in hexadecimal.

#include <QWidget>
#include <string_view>

#include "app/FormControls.h"

class QPlainTextEdit;

namespace calvetta {

class FrameSender;

class DebugForm : public QWidget {
    Q_OBJECT
  public:
    // The log lives in the sender; this window shows it.
    explicit DebugForm(FrameSender& sender, QWidget* parent = nullptr);

    // After each sent frame: the text box shows exactly DebugLog, in black.
    // Received lines shown below the log go; only the new line is added, so
    // the cost does not grow with the length of the log.
    void ShowSentLine(std::string_view line);
    // Appends a received-frame line at the end of the current text.
    void AppendReceivedLine(std::string_view line);
    // The Clear button: empties DebugLog and the text box.
    void Command1_Click();

    QPlainTextEdit* Text1() const { return text1_; }
    CommandButton* Command1() const { return command1_; }

  private:
    FrameSender& sender_;
    CommandButton* command1_;
    QPlainTextEdit* text1_;
    // Characters of the text box that belong to DebugLog (the rest are
    // received lines appended since the last send).
    int logChars_ = 0;
};

}  // namespace calvetta
