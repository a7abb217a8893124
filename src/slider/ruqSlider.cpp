#include "slider/ruqSlider.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QShowEvent>
#include <QtDebug>
#include <memory>

#include "app/Twips.h"
#include "platform/EventDelivery.h"
#include "slider/ControlError.h"
#include "slider/SliderGeometry.h"
#include "slider/SliderPictures.h"

namespace calvetta {
namespace {

// The border bits of a classic 3D edge.
constexpr int kRaisedOuter = 1;
constexpr int kSunkenOuter = 2;
constexpr int kRaisedInner = 4;
constexpr int kSunkenInner = 8;

// The edge drawn for each groove style; -1: no groove.
int EdgeOfRailStyle(std::int32_t railStyle) {
    switch (railStyle) {
        case 0:
            return kSunkenOuter | kSunkenInner;
        case 1:
            return kRaisedOuter | kRaisedInner;
        case 2:
            return kSunkenOuter;
        case 3:
            return kRaisedInner;
        case 4:
            return 0;
        default:
            return -1;
    }
}

// One border ring: the top and left sides in one colour, the bottom and
// right sides (which own the two far corners) in the other.
void DrawBorder(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    if (r.width() <= 0 || r.height() <= 0) return;
    p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

}  // namespace

ruqSlider::ruqSlider(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click takes the keyboard focus, as the host gives it to a user
    // control the user clicks, so the control focused before gets no more
    // keys. The control itself handles no key, and Tab passes it by.
    setFocusPolicy(Qt::ClickFocus);
    // Without a picture the thumb holder is 16 by 16 pixels.
    SetThumbPicture({});
}

ruqSlider::~ruqSlider() = default;

void ruqSlider::SiteNew() {
    UserControl_InitProperties();
    sited_ = true;
    UserControl_Resize();
    if (isVisible()) UserControl_Show();
}

void ruqSlider::SiteFromDesign(const PropertyBag& PropBag) {
    UserControl_ReadProperties(PropBag);
    sited_ = true;
    UserControl_Resize();
    if (isVisible()) UserControl_Show();
}

void ruqSlider::UserControl_InitProperties() {
    model_.UserControl_InitProperties();
}

void ruqSlider::UserControl_ReadProperties(const PropertyBag& PropBag) {
    model_.UserControl_ReadProperties(PropBag);
}

void ruqSlider::UserControl_WriteProperties(PropertyBag& PropBag) const {
    model_.UserControl_WriteProperties(PropBag);
}

void ruqSlider::UserControl_Show() {
    PaintSlider();
}

// ---- pictures ---------------------------------------------------------------

void ruqSlider::SetThumbPicture(const QPixmap& picture) {
    Slider.picture = picture;
    Slider.Width = picture.isNull() ? 16.0f : static_cast<float>(picture.width());
    Slider.Height = picture.isNull() ? 16.0f : static_cast<float>(picture.height());
}

void ruqSlider::setSliderIcon(const QPixmap& New_SliderIcon) {
    SetThumbPicture(New_SliderIcon);
    UserControl_Resize();
    PropertyChanged("SliderIcon");
}

void ruqSlider::setRailPicture(const QPixmap& New_RailPicture) {
    iRailPicture.picture = New_RailPicture;
    iRailPicture.Width = static_cast<float>(New_RailPicture.width());
    iRailPicture.Height = static_cast<float>(New_RailPicture.height());
    UserControl_Resize();
    PropertyChanged("RailPicture");
}

PictureData ruqSlider::ThumbPictureData() const {
    return EncodePicture(Slider.picture);
}

void ruqSlider::LoadThumbPicture(const PictureData& picture) {
    SetThumbPicture(DecodePicture(picture));
}

PictureData ruqSlider::RailPictureData() const {
    return EncodePicture(iRailPicture.picture);
}

void ruqSlider::LoadRailPicture(const PictureData& picture) {
    const QPixmap rail = DecodePicture(picture);
    iRailPicture.picture = rail;
    iRailPicture.Width = static_cast<float>(rail.width());
    iRailPicture.Height = static_cast<float>(rail.height());
}

void ruqSlider::PropertyChanged(std::string_view) {
    // Only a design surface listens for changed properties; at run time the
    // stored design is written on request (UserControl_WriteProperties).
}

// ---- geometry ---------------------------------------------------------------

void ruqSlider::setTwipsGeometry(int left, int top, int width, int height) {
    const QSize before = size();
    sizing_ = true;
    setGeometry(TwipsToPixels(left), TwipsToPixels(top), std::max(0, TwipsToPixels(width)),
                std::max(0, TwipsToPixels(height)));
    sizing_ = false;
    if (sited_ && size() != before) UserControl_Resize();
}

int ruqSlider::TwipsLeft() const {
    return PixelsToTwips(x());
}
int ruqSlider::TwipsTop() const {
    return PixelsToTwips(y());
}
int ruqSlider::TwipsWidth() const {
    return PixelsToTwips(width());
}
int ruqSlider::TwipsHeight() const {
    return PixelsToTwips(height());
}

void ruqSlider::SetOuterSize(int widthTwips, int heightTwips) {
    // Our own assignment: the resize handling that made it goes on with the
    // sizes it set, which a repeated run would compute again.
    sizing_ = true;
    resize(std::max(0, TwipsToPixels(widthTwips)), std::max(0, TwipsToPixels(heightTwips)));
    sizing_ = false;
}

void ruqSlider::PlaceThumb(std::int32_t value) {
    const std::int32_t o = model_.Orientation();
    if (o == kHorizontal) {
        if (auto left = HorizontalThumbLeft(ScaleWidth(), Slider.Width, value, model_.Min(),
                                            model_.Range())) {
            Slider.Left = *left;
        }
    } else if (o == kVertical) {
        if (auto top = VerticalThumbTop(ScaleHeight(), Slider.Height, value, model_.Min(),
                                        model_.Range())) {
            Slider.Top = *top;
        }
    }
}

void ruqSlider::PlaceThumbBothWays(std::int32_t value) {
    if (auto left =
            HorizontalThumbLeft(ScaleWidth(), Slider.Width, value, model_.Min(), model_.Range())) {
        Slider.Left = *left;
    }
    if (auto top =
            VerticalThumbTop(ScaleHeight(), Slider.Height, value, model_.Min(), model_.Range())) {
        Slider.Top = *top;
    }
}

void ruqSlider::ResetThumb() {
    const std::int32_t o = model_.Orientation();
    if (o == kHorizontal) {
        Slider.Left = 0.0f;
        Slider.Top = 0.0f;
    } else if (o == kVertical) {
        Slider.Left = 0.0f;
        Slider.Top = ScaleHeight() - Slider.Height;
    }
}

void ruqSlider::UserControl_Resize() {
    const std::int32_t o = model_.Orientation();
    if (o == kHorizontal || o == kVertical) {
        const bool railShown = RailPictureLoaded() && model_.RailStyle() == 99;
        const int thumbW = static_cast<int>(Slider.Width);
        const int thumbH = static_cast<int>(Slider.Height);
        const int railW = static_cast<int>(iRailPicture.Width);
        const int railH = static_cast<int>(iRailPicture.Height);

        // 1. Outer size: around the rail picture, or across the thumb with
        //    the length left to the designer.
        int w = TwipsWidth();
        int h = TwipsHeight();
        if (railShown) {
            if (o == kHorizontal) {
                w = PixelsToTwips(railW) + 60;
                h = PixelsToTwips(thumbH < railH ? railH : thumbH);
            } else {
                w = PixelsToTwips(thumbW < railW ? railW : thumbW);
                h = PixelsToTwips(railH) + 60;
            }
        } else if (o == kHorizontal) {
            if (w == 0) w = PixelsToTwips(thumbW);
            h = PixelsToTwips(thumbH);
        } else {
            if (h == 0) h = PixelsToTwips(thumbH);
            w = PixelsToTwips(thumbW);
        }
        SetOuterSize(w, h);

        // 2. Thumb: centred across a larger rail picture, else at the edge;
        //    along the track by the value.
        if (o == kHorizontal) {
            const bool centre = Slider.Height < iRailPicture.Height && railShown;
            Slider.Top = centre ? (iRailPicture.Height - Slider.Height) * 0.5f : 0.0f;
        } else {
            const bool centre = Slider.Width < iRailPicture.Width && railShown;
            Slider.Left = centre ? (iRailPicture.Width - Slider.Width) * 0.5f : 0.0f;
        }
        PlaceThumb(model_.Value());

        // 3. Groove, computed for every style.
        UpdateGrooveRect(model_.m_RailRect, o, Slider.Width, Slider.Height, ScaleWidth(),
                         ScaleHeight());
    }
    handledSize_ = size();
    PaintSlider();
}

// ---- painting ---------------------------------------------------------------

QColor ruqSlider::ColourOf(std::uint32_t colour) const {
    if (colour & 0x80000000u) {
        const QPalette& pal = palette();
        switch (colour & 0xFFu) {
            case 0x05:
                return pal.color(QPalette::Base);  // window
            case 0x08:
                return pal.color(QPalette::Text);  // window text
            case 0x10:
                return pal.color(QPalette::Dark);  // button shadow
            case 0x12:
                return pal.color(QPalette::ButtonText);  // button text
            case 0x14:
                return pal.color(QPalette::Light);  // 3D highlight
            case 0x15:
                return pal.color(QPalette::Shadow);  // 3D dark shadow
            case 0x16:
                return pal.color(QPalette::Midlight);  // 3D light
            default:
                return pal.color(QPalette::Button);  // button face
        }
    }
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

void ruqSlider::DrawGroove(QPainter& painter) const {
    const int edge = EdgeOfRailStyle(model_.RailStyle());
    if (edge <= 0) return;
    const QPalette& pal = palette();
    const QColor highlight = pal.color(QPalette::Light);
    const QColor light = pal.color(QPalette::Midlight);
    const QColor shadow = pal.color(QPalette::Dark);
    const QColor darkShadow = pal.color(QPalette::Shadow);
    const RailRect& r = model_.m_RailRect;
    QRect ring(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
    if (edge & kRaisedOuter) DrawBorder(painter, ring, light, darkShadow);
    if (edge & kSunkenOuter) DrawBorder(painter, ring, shadow, highlight);
    // An inner border goes inside an outer one; alone (the thin raised
    // groove) it takes the outer ring, where the thin sunken groove is too.
    if (edge & (kRaisedOuter | kSunkenOuter)) ring.adjust(1, 1, -1, -1);
    if (edge & kRaisedInner) DrawBorder(painter, ring, highlight, shadow);
    if (edge & kSunkenInner) DrawBorder(painter, ring, darkShadow, light);
}

void ruqSlider::PaintSlider() {
    if (surface_.size() != size()) surface_ = QImage(size(), QImage::Format_RGB32);
    if (!surface_.isNull()) {
        surface_.fill(ColourOf(backColor_));
        QPainter painter(&surface_);
        const std::int32_t o = model_.Orientation();
        if (model_.RailStyle() == 99) {
            if (RailPictureLoaded() && (o == kHorizontal || o == kVertical)) {
                const double x = o == kHorizontal ? 2.0 : (ScaleWidth() - iRailPicture.Width) * 0.5;
                const double y =
                    o == kHorizontal ? (ScaleHeight() - iRailPicture.Height) * 0.5 : 2.0;
                painter.drawPixmap(static_cast<int>(RoundHalfEven(x)),
                                   static_cast<int>(RoundHalfEven(y)), iRailPicture.picture);
            }
        } else {
            DrawGroove(painter);
        }
        if (!Slider.picture.isNull()) {
            painter.drawPixmap(static_cast<int>(RoundHalfEven(Slider.Left)),
                               static_cast<int>(RoundHalfEven(Slider.Top)), Slider.picture);
        }
    }
    update();
}

void ruqSlider::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (surface_.isNull()) {
        painter.fillRect(event->rect(), ColourOf(backColor_));
    } else {
        painter.drawImage(event->rect(), surface_, event->rect());
    }
}

void ruqSlider::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Sizes set from outside (a layout) run the resize handling as the
    // twips setter does; our own assignments and sizes already handled do
    // not.
    if (sited_ && !sizing_ && event->size() != handledSize_) UserControl_Resize();
}

void ruqSlider::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (sited_) UserControl_Show();
}

// ---- mouse ------------------------------------------------------------------

std::int16_t ruqSlider::ValueFromThumb() {
    if (!model_.m_Dragging) return 0;
    const std::int32_t o = model_.Orientation();
    std::int16_t r = 0;
    const auto value = o == kVertical ? ValueAtThumb(o, Slider.Top, ScaleHeight(), Slider.Height,
                                                     model_.Min(), model_.Range())
                                      : ValueAtThumb(o, Slider.Left, ScaleWidth(), Slider.Width,
                                                     model_.Min(), model_.Range());
    if (value) r = *value;
    // Snap, so that the thumb moves in whole value steps.
    PlaceThumb(r);
    return r;
}

void ruqSlider::UserControl_MouseDown(short Button, short Shift, float X, float Y) {
    if (!model_.Enabled() || Button != 1) return;
    model_.m_Dragging = true;
    if (HitsThumb(X, Y, Slider.Left, Slider.Top, Slider.Width, Slider.Height)) {
        model_.m_GrabX = X - Slider.Left;
        model_.m_GrabY = Y - Slider.Top;
    } else {
        // Beside the thumb: it jumps so that its centre is under the pointer.
        model_.m_GrabX = Slider.Width / 2.0f;
        model_.m_GrabY = Slider.Height / 2.0f;
        UserControl_MouseMove(Button, Shift, X, Y);
    }
    emit MouseDown(Shift);
}

void ruqSlider::UserControl_MouseMove(short, short, float X, float Y) {
    // A drag lasts until a release, whatever buttons the move reports.
    if (!model_.m_Dragging) return;
    const std::int32_t o = model_.Orientation();
    if (o != kHorizontal && o != kVertical) return;
    // A control not longer than its thumb, or without a span, has nothing to
    // drag along: the thumb and the value stay.
    const float track =
        o == kHorizontal ? ScaleWidth() - Slider.Width : ScaleHeight() - Slider.Height;
    if (!(track > 0.0f) || model_.Range() <= 0) return;
    if (o == kHorizontal) {
        Slider.Left = ClampToTrack(X - model_.m_GrabX, track);
    } else {
        Slider.Top = ClampToTrack(Y - model_.m_GrabY, track);
    }
    model_.setValueFromDrag(ValueFromThumb());
}

void ruqSlider::UserControl_MouseUp(short Button, short Shift, float X, float Y) {
    // Any release ends the drag, also when a handler below fails.
    struct EndDrag {
        bool& dragging;
        ~EndDrag() { dragging = false; }
    } endDrag{model_.m_Dragging};
    if (Button == 1 && 0.0f <= X && X < ScaleWidth() && 0.0f <= Y && Y < ScaleHeight()) {
        emit Click();
    }
    if (model_.m_Dragging) emit MouseUp(Shift);
}

void ruqSlider::mousePressEvent(QMouseEvent* event) {
    DeliverEvent("ruqSlider MouseDown", [&] {
        UserControl_MouseDown(ButtonOf(event), ShiftValue(event->modifiers()),
                              static_cast<float>(event->position().x()),
                              static_cast<float>(event->position().y()));
    });
}

void ruqSlider::mouseMoveEvent(QMouseEvent* event) {
    DeliverEvent("ruqSlider MouseMove", [&] {
        UserControl_MouseMove(ButtonOf(event), ShiftValue(event->modifiers()),
                              static_cast<float>(event->position().x()),
                              static_cast<float>(event->position().y()));
    });
}

void ruqSlider::mouseReleaseEvent(QMouseEvent* event) {
    DeliverEvent("ruqSlider MouseUp", [&] {
        UserControl_MouseUp(ButtonOf(event), ShiftValue(event->modifiers()),
                            static_cast<float>(event->position().x()),
                            static_cast<float>(event->position().y()));
    });
}

// ---- creation from stored designs ------------------------------------------

ruqSlider* CreateSliderFromDesign(const SliderDesign& design, QWidget* parent) {
    auto slider = std::make_unique<ruqSlider>(parent);
    slider->setTwipsGeometry(0, 0, design.widthTwips, design.heightTwips);
    slider->SiteFromDesign(design.properties);
    return slider.release();
}

ruqSlider* CreateMainWindowSlider(SliderKind kind, QWidget* parent) {
    return CreateSliderFromDesign(MainWindowSliderDesign(kind, EncodePicture(SliderThumbPicture())),
                                  parent);
}

}  // namespace calvetta
