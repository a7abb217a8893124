#include "link/DebugForm.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include "link/FrameSender.h"

namespace calvetta {

namespace {
// Log lines end in CR LF; the text box keeps one line break per line.
QString ToBoxText(std::string_view line) {
    QString text = QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    text.remove(QLatin1Char('\r'));
    return text;
}
}  // namespace

DebugForm::DebugForm(FrameSender& sender, QWidget* parent)
    : QWidget(parent, Qt::Window), sender_(sender) {
    setWindowTitle(QStringLiteral("调试信息打印窗口"));
    command1_ = new CommandButton(QStringLiteral("清除(Clear)"), this);
    SetTwipsGeometry(command1_, 0, 0, 1575, 375);
    text1_ = new QPlainTextEdit(this);
    SetTwipsGeometry(text1_, 0, 480, 8535, 5415);
    text1_->setReadOnly(true);
    text1_->setUndoRedoEnabled(false);
    // Multi-line with a vertical scroll bar only: long lines wrap, and a line
    // without blanks (a long frame) breaks where the box ends.
    text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text1_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette p = text1_->palette();
    p.setColor(QPalette::Text, Qt::black);
    text1_->setPalette(p);
    setFixedSize(TwipsToPixels(8535), TwipsToPixels(480 + 5415));
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void DebugForm::ShowSentLine(std::string_view line) {
    QTextCursor c(text1_->document());
    c.beginEditBlock();
    c.setPosition(logChars_);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    if (c.hasSelection()) c.removeSelectedText();
    const QString text = ToBoxText(line);
    c.insertText(text);
    c.endEditBlock();
    logChars_ += static_cast<int>(text.size());
    QScrollBar* bar = text1_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void DebugForm::AppendReceivedLine(std::string_view line) {
    QTextCursor c(text1_->document());
    c.movePosition(QTextCursor::End);
    c.insertText(ToBoxText(line));
    QScrollBar* bar = text1_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void DebugForm::Command1_Click() {
    sender_.ClearDebugLog();
    text1_->clear();
    logChars_ = 0;
}

}  // namespace calvetta
