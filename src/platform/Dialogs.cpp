#include "platform/Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <memory>

namespace calvetta {

int QtDialogs::MsgBox(const QString& prompt, int style, const QString& title) {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (style) {
        case vbYesNoQuestion:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            break;
        case vbOKExclamation:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case vbOKInformation:
            box.setIcon(QMessageBox::Information);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            box.setStandardButtons(QMessageBox::Ok);
            break;
    }
    const int answer = box.exec();
    if (style == vbYesNoQuestion) return answer == QMessageBox::Yes ? vbYes : vbNo;
    return vbOK;
}

QString QtNameFilter(const QString& filter) {
    // Pairs of "description|pattern" become "description (pattern)" lines.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    }
    if (parts.size() % 2 == 1 && !parts.last().isEmpty()) filters << parts.last();
    return filters.join(QStringLiteral(";;"));
}

namespace {
QFileDialog* PrepareDialog(QWidget* parent, const FileDialogRequest& r) {
    auto* dialog = new QFileDialog(parent, r.DialogTitle, r.InitDir, QtNameFilter(r.Filter));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    // "*.EQ" as a name is a pattern, not a file to preselect.
    if (!r.FileName.contains(QLatin1Char('*'))) dialog->selectFile(r.FileName);
    return dialog;
}
}  // namespace

std::optional<QString> QtDialogs::ShowOpen(const FileDialogRequest& request) {
    std::unique_ptr<QFileDialog> dialog(PrepareDialog(parent_, request));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return dialog->selectedFiles().first();
}

std::optional<QString> QtDialogs::ShowSave(const FileDialogRequest& request) {
    std::unique_ptr<QFileDialog> dialog(PrepareDialog(parent_, request));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // The program asks itself before replacing a preset.
    dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return dialog->selectedFiles().first();
}

}  // namespace calvetta
