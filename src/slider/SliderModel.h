#pragma once
// The value rules of the slider control, free of any window system: the
// fields, the Value/Min/Max/Step assignments with their events, and the
// stored design.  The visible side (thumb, painting, sizing) and the
// containing window's event handlers are reached through two interfaces.

#include <cstdint>
#include <string_view>

#include "slider/PropertyBag.h"
#include "slider/SliderGeometry.h"

namespace calvetta {

// The control's own drawing surface and picture holders.
class SliderSurface {
  public:
    virtual ~SliderSurface() = default;
    // Moves the thumb to the position of a value along the orientation
    // (horizontal Left, vertical Top; another orientation moves nothing).
    virtual void PlaceThumb(std::int32_t value) = 0;
    // Loading: places the thumb by both formulas, Left and Top.
    virtual void PlaceThumbBothWays(std::int32_t value) = 0;
    virtual void PaintSlider() = 0;
    virtual void ResetThumb() = 0;
    virtual void UserControl_Resize() = 0;
    // A persisted property changed.
    virtual void PropertyChanged(std::string_view name) = 0;

    // The surface's background colour (system colours have the top bit set).
    virtual std::uint32_t SurfaceBackColor() const = 0;
    virtual void ApplyBackColor(std::uint32_t colour) = 0;
    virtual PictureData ThumbPictureData() const = 0;
    virtual void LoadThumbPicture(const PictureData& picture) = 0;
    virtual PictureData RailPictureData() const = 0;
    virtual void LoadRailPicture(const PictureData& picture) = 0;
};

// The control's value events, delivered to the containing window before the
// assignment that raised them returns.
class SliderEvents {
  public:
    virtual ~SliderEvents() = default;
    virtual void RaiseValueChanged() = 0;
    virtual void RaiseArrivedFirst() = 0;
    virtual void RaiseArrivedLast() = 0;
};

inline constexpr std::uint32_t kButtonFaceColour = 0x8000000Fu;

class SliderModel {
  public:
    SliderModel(SliderSurface& surface, SliderEvents& events)
        : surface_(surface), events_(events) {}
    SliderModel(const SliderModel&) = delete;
    SliderModel& operator=(const SliderModel&) = delete;

    // Drag state and groove, kept by the visible side's code.
    bool m_Dragging = false;
    float m_GrabX = 0.0f;
    float m_GrabY = 0.0f;
    RailRect m_RailRect;

    // Assignments raise ControlError 380 for a refused value and 6 for a
    // number outside the signed 16-bit range; a refused assignment changes
    // nothing.
    std::int16_t Value() const { return m_Value; }
    void setValue(std::int32_t New_Value);
    // The drag's own assignment: the same rules, but the drag code has already
    // placed the thumb.  Every other assignment places it, also one made
    // while a drag is in progress.
    void setValueFromDrag(std::int32_t New_Value);
    std::int16_t Min() const { return m_Min; }
    void setMin(std::int32_t New_Min);
    std::int16_t Max() const { return m_Max; }
    void setMax(std::int32_t New_Max);
    std::int16_t Step() const { return m_Step; }
    void setStep(std::int32_t New_Step);
    bool Enabled() const { return m_Enabled; }
    void setEnabled(bool New_Enabled);
    std::int32_t Orientation() const { return m_Orientation; }
    void setOrientation(std::int32_t New_Orientation);
    std::int32_t RailStyle() const { return m_RailStyle; }
    void setRailStyle(std::int32_t New_RailStyle);
    std::uint32_t BackColor() const { return surface_.SurfaceBackColor(); }
    void setBackColor(std::uint32_t New_BackColor);
    // A number the control only keeps and stores; not a window handle.
    std::int32_t hWnd() const { return m_hWnd; }
    void sethWnd(std::int32_t New_hWnd);

    bool ShowValueTip() const { return m_ShowValueTip; }
    std::int32_t Range() const { return m_Range; }
    // The stored value for which the control last raised its value events.
    std::int32_t LastValue() const { return lastValue_; }

    void UserControl_InitProperties();
    void UserControl_ReadProperties(const PropertyBag& PropBag);
    void UserControl_WriteProperties(PropertyBag& PropBag) const;

  private:
    // The value stored for an assigned one: Step times it.
    std::int16_t StoredValueFor(std::int32_t New_Value) const;

    SliderSurface& surface_;
    SliderEvents& events_;

    std::int32_t m_Range = 0;
    bool m_Enabled = false;
    std::int32_t m_Orientation = 0;
    std::int32_t m_RailStyle = 0;
    bool m_ShowValueTip = false;
    std::int16_t m_Min = 0;
    std::int16_t m_Max = 0;
    std::int16_t m_Value = 0;
    std::int16_t m_Step = 0;
    std::int32_t m_hWnd = 0;
    std::int32_t lastValue_ = 0;
    bool fromDrag_ = false;  // the assignment under way is the drag's own
};

}  // namespace calvetta
