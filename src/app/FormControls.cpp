#include "app/FormControls.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/EventDelivery.h"

namespace calvetta {

QColor ColorFromValue(std::uint32_t value) {
    if (value & 0x80000000u) {
        // System colours: only the button face is used by the window.
        return QPalette().color(QPalette::Button);
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

namespace {
const char* const kLeft = "twipsLeft";
const char* const kTop = "twipsTop";
const char* const kWidth = "twipsWidth";
const char* const kHeight = "twipsHeight";

int TwipsProperty(const QWidget* w, const char* name, int pixels) {
    const QVariant v = w->property(name);
    return v.isValid() ? v.toInt() : PixelsToTwips(pixels);
}

int ToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

void ApplyGeometry(QWidget* w) {
    w->setGeometry(ToPixels(Left(w)), ToPixels(Top(w)), ToPixels(Width(w)), ToPixels(Height(w)));
}
}  // namespace

void SetTwipsGeometry(QWidget* w, int left, int top, int width, int height) {
    w->setProperty(kLeft, left);
    w->setProperty(kTop, top);
    w->setProperty(kWidth, width);
    w->setProperty(kHeight, height);
    ApplyGeometry(w);
}

void SetLeft(QWidget* w, int twips) {
    w->setProperty(kLeft, twips);
    ApplyGeometry(w);
}
void SetTop(QWidget* w, int twips) {
    w->setProperty(kTop, twips);
    ApplyGeometry(w);
}
void SetWidth(QWidget* w, int twips) {
    w->setProperty(kWidth, twips);
    ApplyGeometry(w);
}
void SetHeight(QWidget* w, int twips) {
    w->setProperty(kHeight, twips);
    ApplyGeometry(w);
}
int Left(const QWidget* w) {
    return TwipsProperty(w, kLeft, w->x());
}
int Top(const QWidget* w) {
    return TwipsProperty(w, kTop, w->y());
}
int Width(const QWidget* w) {
    return TwipsProperty(w, kWidth, w->width());
}
int Height(const QWidget* w) {
    return TwipsProperty(w, kHeight, w->height());
}

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void CommandButton::setBackColor(std::uint32_t value) {
    backColor_ = value;
    update();
}

namespace {
// One ring of a 3D border: top and left sides in one colour, bottom and right
// (with the two far corners) in the other.
void DrawRing(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}
}  // namespace

void CommandButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const QRect r = rect();
    // The back colour as it is: the widget style would shade it.
    p.fillRect(r, ColorFromValue(backColor_));
    if (r.width() < 4 || r.height() < 4) return;
    const bool down = isDown();
    if (down) {
        DrawRing(p, r, pal.color(QPalette::Shadow), pal.color(QPalette::Light));
        DrawRing(p, r.adjusted(1, 1, -1, -1), pal.color(QPalette::Dark),
                 pal.color(QPalette::Midlight));
    } else {
        DrawRing(p, r, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
        DrawRing(p, r.adjusted(1, 1, -1, -1), pal.color(QPalette::Midlight),
                 pal.color(QPalette::Dark));
    }

    // The caption, moved by a pixel while pressed.
    const QRect textRect = r.adjusted(3, 3, -3, -3).translated(down ? 1 : 0, down ? 1 : 0);
    p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    if (hasFocus()) {
        QPen dotted(pal.color(QPalette::ButtonText), 1, Qt::DotLine);
        p.setPen(dotted);
        p.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

Label::Label(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setWordWrap(false);
}

void Label::setForeColor(std::uint32_t value) {
    foreColor_ = value;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ColorFromValue(value));
    setPalette(p);
}

Frame::Frame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
}

OptionGroup::OptionGroup(QObject* parent) : QObject(parent), group_(new QButtonGroup(this)) {
    group_->setExclusive(true);
}

QRadioButton* OptionGroup::add(int index, const QString& caption, QWidget* parent) {
    auto* b = new QRadioButton(caption, parent);
    group_->addButton(b, index);
    buttons_[index] = b;
    // toggled(true) comes once when the element becomes selected, whether by
    // a click or from code, and not for a click on the selected element.
    connect(b, &QRadioButton::toggled, this, [this, index](bool on) {
        if (on && handler_) handler_(index);
    });
    return b;
}

QRadioButton* OptionGroup::operator()(int index) const {
    auto it = buttons_.find(index);
    return it == buttons_.end() ? nullptr : it->second;
}

void OptionGroup::select(int index) {
    if (QRadioButton* b = (*this)(index)) b->setChecked(true);
}

bool OptionGroup::value(int index) const {
    QRadioButton* b = (*this)(index);
    return b != nullptr && b->isChecked();
}

int OptionGroup::selected() const {
    for (const auto& [i, b] : buttons_) {
        if (b->isChecked()) return i;
    }
    return -1;
}

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

void CheckBox::setForeColor(std::uint32_t value) {
    foreColor_ = value;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ColorFromValue(value));
    setPalette(p);
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // Typed text stays exactly as typed: no completion, nothing added to the list.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setDuplicatesEnabled(true);
    // The list reports a pick on a mouse release or Return inside it; Qt also
    // activates the box from its text field, which is no pick.
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
    lineEdit()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, [this](int) {
        if (!picking_) return;
        picking_ = false;
        emit Click();
    });
}

void ComboBox::setText(const QString& text) {
    const QSignalBlocker quiet(this);
    const int item = findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (item >= 0) setCurrentIndex(item);
    setEditText(text);
}

namespace {
bool IsEnterKey(const QEvent* event, QEvent::Type type = QEvent::KeyPress) {
    if (event->type() != type) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
}  // namespace

bool ComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && IsEnterKey(event)) return true;
    // The open list takes Return and Enter while they are still a shortcut
    // check, before any key press: that is where they pick.
    if ((watched == view()->viewport() && event->type() == QEvent::MouseButtonRelease) ||
        (watched == view() && (IsEnterKey(event) || IsEnterKey(event, QEvent::ShortcutOverride)))) {
        picking_ = true;
    }
    return QComboBox::eventFilter(watched, event);
}

void ComboBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // Stepping through the list with the keys picks the new item.
            picking_ = true;
            QComboBox::keyPressEvent(event);
            picking_ = false;
            break;
        default:
            QComboBox::keyPressEvent(event);
            break;
    }
}

void ComboBox::wheelEvent(QWheelEvent* event) {
    // A wheel turned over the box must not change a setting.
    event->ignore();
}

void ComboBox::hidePopup() {
    QComboBox::hidePopup();
    // A release in the list that picked nothing leaves no pick pending; the
    // list's own pick has been carried out by the time this runs.
    QTimer::singleShot(0, this, [this] { picking_ = false; });
}

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {}

void ImageControl::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
}

void ImageControl::deliver(const QMouseEvent* event, QPointF local) {
    MouseArgs a;
    a.Button = ButtonOf(event);
    a.Shift = ShiftValue(event->modifiers());
    a.X = static_cast<float>(local.x() * kTwipsPerPixel);
    a.Y = static_cast<float>(local.y() * kTwipsPerPixel);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            emit MouseDown(a);
            break;
        case QEvent::MouseMove:
            emit MouseMove(a);
            break;
        case QEvent::MouseButtonRelease:
            emit MouseUp(a);
            break;
        default:
            break;
    }
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    deliver(event, event->position());
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
    deliver(event, event->position());
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    deliver(event, event->position());
}

WindowlessImages::WindowlessImages(QWidget* container) : QObject(container), container_(container) {
    // Moves without a button pick the cursor of the image under the pointer.
    container_->setMouseTracking(true);
    container_->installEventFilter(this);
}

void WindowlessImages::add(ImageControl* image) {
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    images_.push_back(image);
}

ImageControl* WindowlessImages::imageAt(QPointF pos) const {
    const QPoint at = pos.toPoint();
    // Children are kept in stacking order, the topmost last.
    const QObjectList& children = container_->children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto* image = qobject_cast<ImageControl*>(*it);
        if (image == nullptr || image->isHidden() || !image->geometry().contains(at)) continue;
        if (std::find(images_.begin(), images_.end(), image) != images_.end()) return image;
    }
    return nullptr;
}

void WindowlessImages::takeCursorOf(const ImageControl* image) {
    if (image == hovered_) return;
    hovered_ = image;
    if (image != nullptr && image->testAttribute(Qt::WA_SetCursor)) {
        container_->setCursor(image->cursor());
    } else {
        container_->unsetCursor();
    }
}

bool WindowlessImages::eventFilter(QObject* watched, QEvent* event) {
    if (watched != container_) return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    const QPointF pos = mouse->position();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    // A press with no other button down starts afresh, also when a release
    // went astray (to a message box, say).
    if (press && mouse->buttons() == mouse->button()) held_ = imageAt(pos);
    ImageControl* target = held_;
    if (target == nullptr) {
        if (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton)
            takeCursorOf(imageAt(pos));
        return false;
    }
    target->deliver(mouse, pos - QPointF(target->pos()));
    if (type == QEvent::MouseButtonRelease && mouse->buttons() == Qt::NoButton) {
        held_ = nullptr;
        takeCursorOf(imageAt(pos));
    }
    return true;
}

ImageControl* HiddenPicture(const QPixmap& picture, QWidget* parent) {
    auto* image = new ImageControl(parent);
    image->setPicture(picture);
    SetTwipsGeometry(image, 0, 0, PixelsToTwips(picture.width()), PixelsToTwips(picture.height()));
    image->hide();
    return image;
}

FormTimer::FormTimer(int intervalMs, QObject* parent) : QObject(parent) {
    timer_.setInterval(intervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FormTimer::Timer);
}

void FormTimer::setEnabled(bool on) {
    // Enabling a running timer leaves its interval running, as the form's
    // timers do; only a stopped timer starts afresh.
    if (on) {
        if (!timer_.isActive()) timer_.start();
    } else {
        timer_.stop();
    }
}

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
}

}  // namespace calvetta
