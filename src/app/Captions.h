#pragma once
// The window's two caption sets, Chinese and English. The language options
// rewrite the captions of a fixed list of controls; every other control keeps
// its design caption in both languages.

#include <QString>
#include <vector>

class QWidget;

namespace calvetta {

class PrivateDesign;

// Finds one control of the table in the window.
using CaptionTarget = QWidget* (*)(PrivateDesign&);

// One row: the control or controls that take the same caption.
struct CaptionRow {
    std::vector<CaptionTarget> controls;
    const char* chinese;  // UTF-8
    const char* english;
};

// The rows in the order in which they are applied.
const std::vector<CaptionRow>& CaptionTable();

// Puts the Chinese or the English column on the window, row by row; only
// captions change.
void ApplyCaptions(PrivateDesign& w, bool chinese);

// The caption of a label, a button or a frame; empty for other controls.
QString CaptionOf(const QWidget* control);
void SetCaption(QWidget* control, const QString& caption);

}  // namespace calvetta
