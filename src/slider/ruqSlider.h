#pragma once
// The program's own track-bar control: a thumb picture moved along a groove
// (or a rail picture) between an integer minimum and maximum, horizontally or
// vertically.  Every slider of the main window is one.  Its value rules live
// in SliderModel; this widget is the drawing surface, the two picture holders
// and the mouse handling, and turns the rules' events into Qt signals that
// are delivered synchronously, before the assignment that raised them
// returns.

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdint>

#include "slider/SliderDesigns.h"
#include "slider/SliderModel.h"

namespace calvetta {

class ruqSlider : public QWidget, private SliderSurface, private SliderEvents {
    Q_OBJECT

  public:
    static constexpr const char* kProgId = "Ostrivane.ruqSlider";

    // Constructs the surface only; the host then sites it with SiteNew or
    // SiteFromDesign.
    explicit ruqSlider(QWidget* parent = nullptr);
    ~ruqSlider() override;

    // Host side: a new instance (InitProperties) or one loaded from its
    // stored design (ReadProperties), followed by the resize and show
    // handling.  Until then size changes run no resize handling.
    void SiteNew();
    void SiteFromDesign(const PropertyBag& PropBag);

    void UserControl_InitProperties();
    void UserControl_ReadProperties(const PropertyBag& PropBag);
    void UserControl_WriteProperties(PropertyBag& PropBag) const;
    void UserControl_Resize() override;
    void UserControl_Show();

    // Mouse handling in surface pixels.  Button: 1 left, 2 right, 4 middle;
    // Shift: 1 Shift, 2 Ctrl, 4 Alt.  A refused Value assignment propagates
    // to the caller as ControlError.
    void UserControl_MouseDown(short Button, short Shift, float X, float Y);
    void UserControl_MouseMove(short Button, short Shift, float X, float Y);
    void UserControl_MouseUp(short Button, short Shift, float X, float Y);

    // Properties.  Setters throw ControlError 380 for a refused value and 6
    // for a number outside the signed 16-bit range.
    int Value() const { return model_.Value(); }
    void setValue(int New_Value) { model_.setValue(New_Value); }
    int Min() const { return model_.Min(); }
    void setMin(int New_Min) { model_.setMin(New_Min); }
    int Max() const { return model_.Max(); }
    void setMax(int New_Max) { model_.setMax(New_Max); }
    int Step() const { return model_.Step(); }
    void setStep(int New_Step) { model_.setStep(New_Step); }
    // The control's own Enabled: a disabled slider ignores presses but still
    // reports a left release as Click, so the Qt widget itself stays enabled.
    // (This hides QWidget::setEnabled on purpose.)
    bool Enabled() const { return model_.Enabled(); }
    void setEnabled(bool New_Enabled) { model_.setEnabled(New_Enabled); }
    // A 32-bit colour: &H00BBGGRR, or a system colour with the top bit set
    // (&H8000000F is the button face).
    std::uint32_t BackColor() const { return model_.BackColor(); }
    void setBackColor(std::uint32_t New_BackColor) { model_.setBackColor(New_BackColor); }
    int Orientation() const { return model_.Orientation(); }
    void setOrientation(int New_Orientation) { model_.setOrientation(New_Orientation); }
    int RailStyle() const { return model_.RailStyle(); }
    void setRailStyle(int New_RailStyle) { model_.setRailStyle(New_RailStyle); }
    QPixmap SliderIcon() const { return Slider.picture; }
    void setSliderIcon(const QPixmap& New_SliderIcon);
    QPixmap RailPicture() const { return iRailPicture.picture; }
    void setRailPicture(const QPixmap& New_RailPicture);
    int hWnd() const { return model_.hWnd(); }
    void sethWnd(int New_hWnd) { model_.sethWnd(New_hWnd); }

    // Outer position and size in twips (15 a pixel; read back whole pixels).
    void setTwipsGeometry(int left, int top, int width, int height);
    int TwipsLeft() const;
    int TwipsTop() const;
    int TwipsWidth() const;
    int TwipsHeight() const;

    // The thumb holder and groove, in surface pixels.
    float ThumbLeft() const { return Slider.Left; }
    float ThumbTop() const { return Slider.Top; }
    float ThumbWidth() const { return Slider.Width; }
    float ThumbHeight() const { return Slider.Height; }
    RailRect GrooveRect() const { return model_.m_RailRect; }
    bool Dragging() const { return model_.m_Dragging; }

  signals:
    void Click();
    void ArrivedFirst();
    void ArrivedLast();
    void ValueChanged();
    void MouseDown(short Shift);
    void MouseUp(short Shift);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // An invisible picture holder: its picture, position and size.
    struct ImageHolder {
        QPixmap picture;
        float Left = 0.0f;
        float Top = 0.0f;
        float Width = 0.0f;
        float Height = 0.0f;
    };

    // SliderSurface
    void PlaceThumb(std::int32_t value) override;
    void PlaceThumbBothWays(std::int32_t value) override;
    void PaintSlider() override;
    void ResetThumb() override;
    void PropertyChanged(std::string_view name) override;
    std::uint32_t SurfaceBackColor() const override { return backColor_; }
    void ApplyBackColor(std::uint32_t colour) override { backColor_ = colour; }
    PictureData ThumbPictureData() const override;
    void LoadThumbPicture(const PictureData& picture) override;
    PictureData RailPictureData() const override;
    void LoadRailPicture(const PictureData& picture) override;

    // SliderEvents
    void RaiseValueChanged() override { emit ValueChanged(); }
    void RaiseArrivedFirst() override { emit ArrivedFirst(); }
    void RaiseArrivedLast() override { emit ArrivedLast(); }

    std::int16_t ValueFromThumb();
    void SetThumbPicture(const QPixmap& picture);
    void SetOuterSize(int widthTwips, int heightTwips);
    float ScaleWidth() const { return static_cast<float>(width()); }
    float ScaleHeight() const { return static_cast<float>(height()); }
    bool RailPictureLoaded() const { return !iRailPicture.picture.isNull(); }
    QColor ColourOf(std::uint32_t colour) const;
    void DrawGroove(QPainter& painter) const;

    ImageHolder Slider;
    ImageHolder iRailPicture;
    std::uint32_t backColor_ = kButtonFaceColour;
    QImage surface_;
    bool sited_ = false;
    bool sizing_ = false;  // our own size assignment is in progress
    QSize handledSize_;    // the size the resize handling last ran for
    SliderModel model_{*this, *this};
};

// A slider created from a stored design, sized and sited.
ruqSlider* CreateSliderFromDesign(const SliderDesign& design, QWidget* parent);
// One of the main window's sliders, from its stored design with the drawn thumb.
ruqSlider* CreateMainWindowSlider(SliderKind kind, QWidget* parent);

}  // namespace calvetta
