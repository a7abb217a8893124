#pragma once
// Small form-style controls that behave the way the window's handlers expect:
// positions in twips, colours as 32-bit colour values, option groups whose
// click handler runs only when an element becomes selected, combo boxes whose
// click handler runs only when the user picks an item, check boxes whose click
// handler runs on every change of value, and image controls that report mouse
// presses, moves and releases in twips.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "app/Twips.h"

class QButtonGroup;

namespace calvetta {

// Colour values as the window stores them: &HBBGGRR, or a system colour with
// the top bit set.
inline constexpr std::uint32_t vbRed = 0x0000FF;
inline constexpr std::uint32_t vbGreen = 0x008000;
inline constexpr std::uint32_t vbBlack = 0x000000;
inline constexpr std::uint32_t vbButtonFace = 0x8000000F;
QColor ColorFromValue(std::uint32_t value);

// Geometry in twips, kept exactly as set (pixels are derived from it), so
// that reading a position back gives what was assigned.
void SetTwipsGeometry(QWidget* w, int left, int top, int width, int height);
void SetLeft(QWidget* w, int twips);
void SetTop(QWidget* w, int twips);
void SetWidth(QWidget* w, int twips);
void SetHeight(QWidget* w, int twips);
int Left(const QWidget* w);
int Top(const QWidget* w);
int Width(const QWidget* w);
int Height(const QWidget* w);

// Mouse arguments as the handlers take them (ButtonValue and ShiftValue of
// platform/EventDelivery.h); positions in twips.
struct MouseArgs {
    std::int16_t Button = 0;
    std::int16_t Shift = 0;
    float X = 0;
    float Y = 0;
};

// An indexed set of like controls sharing one handler; indices may have gaps.
template <class T>
class ControlArray {
  public:
    void add(int index, T* control) { items_[index] = control; }
    bool contains(int index) const { return items_.count(index) != 0; }
    T* operator()(int index) const {
        auto it = items_.find(index);
        return it == items_.end() ? nullptr : it->second;
    }
    const std::map<int, T*>& items() const { return items_; }

  private:
    std::map<int, T*> items_;
};

// A command button whose back colour shows (graphical style): painted flat in
// exactly that colour inside a raised 3D border (sunken while pressed), with
// none of the widget style's shading.
class CommandButton : public QPushButton {
    Q_OBJECT
  public:
    explicit CommandButton(const QString& caption, QWidget* parent);
    void setBackColor(std::uint32_t value);
    std::uint32_t BackColor() const { return backColor_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::uint32_t backColor_ = vbButtonFace;
};

// A label with a settable text colour.
class Label : public QLabel {
    Q_OBJECT
  public:
    explicit Label(const QString& caption, QWidget* parent);
    void setForeColor(std::uint32_t value);
    std::uint32_t ForeColor() const { return foreColor_; }

  private:
    std::uint32_t foreColor_ = vbBlack;
};

// A frame with a caption that groups option buttons.
class Frame : public QGroupBox {
    Q_OBJECT
  public:
    explicit Frame(const QString& caption, QWidget* parent);
};

// A plain container (picture box): the pages and the top bar.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent);
};

// An exclusive set of option buttons forming one control array. Selecting an
// element, by the user or from code, runs the click handler with its index
// only when the element was not selected before.
class OptionGroup : public QObject {
    Q_OBJECT
  public:
    using Handler = std::function<void(int)>;
    explicit OptionGroup(QObject* parent = nullptr);
    QRadioButton* add(int index, const QString& caption, QWidget* parent);
    void setHandler(Handler h) { handler_ = std::move(h); }
    QRadioButton* operator()(int index) const;
    // Value = True from code.
    void select(int index);
    bool value(int index) const;
    // The selected index, or -1 when none is.
    int selected() const;
    int count() const { return static_cast<int>(buttons_.size()); }

  private:
    QButtonGroup* group_;
    std::map<int, QRadioButton*> buttons_;
    Handler handler_;
};

// A check box whose click handler runs whenever its value changes, by the
// user or by code. Value 0 unticked, 1 ticked.
class CheckBox : public QCheckBox {
    Q_OBJECT
  public:
    explicit CheckBox(const QString& caption, QWidget* parent);
    int Value() const { return isChecked() ? 1 : 0; }
    void setValue(int v) { setChecked(v != 0); }
    void setForeColor(std::uint32_t value);
    std::uint32_t ForeColor() const { return foreColor_; }

  private:
    std::uint32_t foreColor_ = vbBlack;
};

// A drop-down combo box whose text can also be typed. Its click handler runs
// only when the user picks a list item (from the open list with the mouse,
// Return or Enter, or with the arrow keys on the closed list); setting the
// text from code runs nothing, and typed text is kept exactly as typed:
// Return in the text or leaving the box picks nothing.
class ComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ComboBox(QWidget* parent);
    QString Text() const { return currentText(); }
    // Also puts the list on the item of exactly that text, if there is one,
    // so the arrow keys and the open list start from what is shown.
    void setText(const QString& text);
    void AddItem(const QString& item) { addItem(item); }
    // The list item the box showed last, set by a pick and by setText with
    // an item's text; typing leaves it. -1 before any.
    int ShownItem() const { return currentIndex(); }
    void Clear() { clear(); }

  signals:
    void Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void hidePopup() override;

  private:
    // Set while a user's pick from the list is being carried out.
    bool picking_ = false;
};

// An image control: shows a picture and reports the mouse in twips. While a
// button is held it keeps receiving moves and the release, also outside.
class ImageControl : public QWidget {
    Q_OBJECT
  public:
    explicit ImageControl(QWidget* parent);
    void setPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }
    // Raises MouseDown, MouseMove or MouseUp for a mouse event whose position
    // is `local` pixels from this control's top left corner.
    void deliver(const QMouseEvent* event, QPointF local);

  signals:
    void MouseDown(const calvetta::MouseArgs& args);
    void MouseMove(const calvetta::MouseArgs& args);
    void MouseUp(const calvetta::MouseArgs& args);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPixmap picture_;
};

// Image controls that take no mouse of their own, as the form's windowless
// images did: their container holds the pointer. A press goes to the topmost
// shown image under the pointer, and that image then receives every move and
// the release, wherever the pointer goes, until the last button is up,
// whatever the handlers hide, show or move meanwhile (a hidden widget would
// lose the grab Qt keeps for it). Over an image the pointer takes the image's
// cursor.
class WindowlessImages : public QObject {
    Q_OBJECT
  public:
    explicit WindowlessImages(QWidget* container);
    void add(ImageControl* image);
    // The image that holds the pointer, while a button is down.
    ImageControl* held() const { return held_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ImageControl* imageAt(QPointF pos) const;
    void takeCursorOf(const ImageControl* image);
    QWidget* container_;
    std::vector<ImageControl*> images_;
    QPointer<ImageControl> held_;
    const ImageControl* hovered_ = nullptr;
};

// An invisible image control that only holds a picture at its own size: the
// source that visible arrows and handles copy their pictures from.
ImageControl* HiddenPicture(const QPixmap& picture, QWidget* parent);

// A timer with the Enabled/Interval pair of the form's timers: enabling it
// starts a fresh interval, disabling it stops it.
class FormTimer : public QObject {
    Q_OBJECT
  public:
    FormTimer(int intervalMs, QObject* parent);
    bool Enabled() const { return timer_.isActive(); }
    void setEnabled(bool on);
    int Interval() const { return timer_.interval(); }
    void setInterval(int ms) { timer_.setInterval(ms); }

  signals:
    void Timer();

  private:
    QTimer timer_;
};

// The read-back progress bar.
class ProgressBar : public QProgressBar {
    Q_OBJECT
  public:
    explicit ProgressBar(QWidget* parent);
};

}  // namespace calvetta
