// The real file dialogs as the EQ page's preset buttons prepare them: one
// filter line each, shown as the request gives it, and only presets listed.

#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <tuple>

#include "platform/Dialogs.h"

using calvetta::FileDialogRequest;

namespace {
// The names the dialog's file list shows.
QStringList Listed(const QFileDialog& dialog) {
    const auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    if (view == nullptr) return {QStringLiteral("no file list")};
    QStringList names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row)
        names << view->model()->index(row, 0, root).data().toString();
    names.sort();
    return names;
}
}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void nameFilters() {
        const std::tuple<const char*, const char*> rows[] = {
            {"Effect file(*.EQ)|*.EQ", "Effect file(*.EQ)"},
            {"Text files|*.txt", "Text files (*.txt)"},
            {"Text files|*.txt|All files|*", "Text files (*.txt);;All files (*)"},
            // Brackets that name another pattern do not stand for this one.
            {"Effect file(*.INI)|*.EQ", "Effect file(*.INI) (*.EQ)"},
            {"*.EQ", "*.EQ"},
        };
        for (const auto& [filter, want] : rows)
            QCOMPARE(calvetta::QtNameFilter(QString::fromUtf8(filter)), QString::fromUtf8(want));
    }

    void presetDialogsShowOneFilterAndListOnlyPresets() {
        QTemporaryDir dir;
        for (const char* name : {"EQ1.EQ", "EQ2.EQ", "notes.txt", "Main.ini"}) {
            QFile f(dir.filePath(QString::fromUtf8(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        // The save and the open dialog of the preset buttons.
        const std::tuple<bool, const char*, const char*> rows[] = {
            {true, "EQ1.EQ", "Effect file(*.EQ)"},
            {false, "*.EQ", "Effect File(*.EQ)"},
        };
        for (const auto& [save, name, filter] : rows) {
            const QString shown = QString::fromUtf8(filter);
            const FileDialogRequest request{QStringLiteral("Preset"), dir.path(),
                                            QString::fromUtf8(name),
                                            shown + QStringLiteral("|*.EQ")};
            const auto dialog = calvetta::PrepareFileDialog(nullptr, request, save);
            QCOMPARE(dialog->nameFilters(), QStringList{shown});
            QCOMPARE(dialog->selectedNameFilter(), shown);
            QCOMPARE(dialog->acceptMode(),
                     save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            QCOMPARE(dialog->testOption(QFileDialog::DontConfirmOverwrite), save);
            dialog->show();  // not exec(): no modal loop, the list fills all the same
            QTRY_COMPARE(Listed(*dialog), (QStringList{"EQ1.EQ", "EQ2.EQ"}));
            dialog->close();
        }
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
