#include "platform/Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

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
    // Qt takes the pattern from the brackets at the end of a line, so a
    // description that ends with it needs no second copy.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        if (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    if (parts.size() % 2 == 1 && !parts.last().isEmpty()) filters << parts.last();
    return filters.join(QStringLiteral(";;"));
}

std::unique_ptr<QFileDialog> PrepareFileDialog(QWidget* parent, const FileDialogRequest& r,
                                               bool save) {
    auto dialog =
        std::make_unique<QFileDialog>(parent, r.DialogTitle, r.InitDir, QtNameFilter(r.Filter));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    // "*.EQ" as a name is a pattern, not a file to preselect.
    if (!r.FileName.contains(QLatin1Char('*'))) dialog->selectFile(r.FileName);
    if (save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        // The program asks itself before replacing a preset.
        dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    return dialog;
}

namespace {
std::optional<QString> Run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}
}  // namespace

std::optional<QString> QtDialogs::ShowOpen(const FileDialogRequest& request) {
    return Run(*PrepareFileDialog(parent_, request, false));
}

std::optional<QString> QtDialogs::ShowSave(const FileDialogRequest& request) {
    return Run(*PrepareFileDialog(parent_, request, true));
}

}  // namespace calvetta
