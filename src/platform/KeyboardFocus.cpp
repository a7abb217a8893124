#include "platform/KeyboardFocus.h"

#include <QApplication>
#include <QRegion>
#include <QWidget>
#include <algorithm>

namespace calvetta {

namespace {

QRect RectInWindow(const QWidget* w, const QWidget* window) {
    return {w->mapTo(window, QPoint(0, 0)), w->size()};
}

// A widget that paints every pixel of its area hides whatever lies behind it.
bool PaintsWholeArea(const QWidget* w) {
    return w->autoFillBackground() || w->testAttribute(Qt::WA_OpaquePaintEvent);
}

}  // namespace

bool InSight(const QWidget* control) {
    const QWidget* window = control->window();
    if (control == window || !control->isVisibleTo(window)) return false;
    QRegion seen(RectInWindow(control, window));
    for (const QWidget* w = control; w != window; w = w->parentWidget()) {
        const QWidget* container = w->parentWidget();
        seen &= RectInWindow(container, window);
        // Children are kept in stacking order, the topmost last.
        const QObjectList& siblings = container->children();
        for (auto it = siblings.begin() + siblings.indexOf(w) + 1; it != siblings.end(); ++it) {
            const auto* front = qobject_cast<const QWidget*>(*it);
            if (front == nullptr || front->isWindow() || front->isHidden() ||
                !PaintsWholeArea(front))
                continue;
            seen -= RectInWindow(front, window);
        }
    }
    return !seen.isEmpty();
}

KeyboardFocus::KeyboardFocus(QWidget* window) : QObject(window), window_(window) {
    // Whatever else gives a control out of sight the focus (the window's
    // activation takes the first control of the focus order, wherever it
    // lies), the focus moves on.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && now->window() == window_ && !mayHold(now)) moveOn(now);
    });
}

void KeyboardFocus::allowOutOfSight(const QWidget* control) {
    allowed_.emplace_back(control);
}

bool KeyboardFocus::mayHold(const QWidget* control) const {
    const bool named = std::any_of(allowed_.begin(), allowed_.end(),
                                   [control](const auto& a) { return a == control; });
    return named || InSight(control);
}

QWidget* KeyboardFocus::candidateAfter(QWidget* from, bool next) const {
    // The focus order is a ring through every widget of the window; one
    // round is enough.
    const qsizetype round = window_->findChildren<QWidget*>().size() + 1;
    QWidget* w = from;
    for (qsizetype step = 0; step < round; ++step) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == nullptr || w == from) break;
        // A widget with a focus proxy (a combo box's text field) is reached
        // through the proxy; popups and other windows keep their own focus.
        if (w == window_ || w->window() != window_ || w->focusProxy() != nullptr) continue;
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus) continue;
        if (w->isEnabled() && w->isVisibleTo(window_) && mayHold(w)) return w;
    }
    return nullptr;
}

bool KeyboardFocus::focusNext(bool next) {
    QWidget* from = window_->focusWidget();
    QWidget* to = candidateAfter(from != nullptr ? from : window_, next);
    if (to == nullptr) return false;
    to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void KeyboardFocus::keepInSight() {
    QWidget* focus = window_->focusWidget();
    if (focus != nullptr && !mayHold(focus)) moveOn(focus);
}

void KeyboardFocus::moveOn(QWidget* from) {
    if (moving_) return;
    moving_ = true;
    if (QWidget* to = candidateAfter(from, true)) {
        to->setFocus(Qt::OtherFocusReason);
    } else {
        from->clearFocus();
    }
    moving_ = false;
}

}  // namespace calvetta
