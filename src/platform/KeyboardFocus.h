#pragma once
// Where the keys go. The window keeps its pages where the layout puts them:
// a page not shown lies outside the client area or behind the page in front,
// and a few controls lie outside their page on purpose. Qt would still walk
// the keyboard focus through all of them, and a key would then act on a
// control that nobody can see. So a control takes the focus only while some
// part of it is in sight, apart from the few controls the window names.

#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

namespace calvetta {

// Whether some part of `control` shows in its window: it and its containers
// are shown, part of it lies inside every container (the window's client
// area included), and that part is not covered by a sibling stacked in front
// of it or of one of its containers that paints its whole area (a page).
bool InSight(const QWidget* control);

// A QObject only so that its connection to the focus changes ends with it.
class KeyboardFocus : public QObject {
  public:
    // Watches the focus inside `window` for its whole life.
    explicit KeyboardFocus(QWidget* window);
    // `control` takes the focus wherever it lies.
    void allowOutOfSight(const QWidget* control);
    // Whether `control` may hold the keyboard focus now.
    bool mayHold(const QWidget* control) const;
    // Tab (next) and Shift+Tab: the focus moves along the window's focus
    // order to the next control that takes it from the keyboard and may hold
    // it. False when there is none.
    bool focusNext(bool next);
    // Moves a focus that has gone out of sight (its page moved away) on to a
    // control in sight.
    void keepInSight();

  private:
    QWidget* candidateAfter(QWidget* from, bool next) const;
    void moveOn(QWidget* from);

    QWidget* window_;
    std::vector<QPointer<const QWidget>> allowed_;
    bool moving_ = false;
};

}  // namespace calvetta
