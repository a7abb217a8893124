#include "slider/SliderModel.h"

#include <limits>
#include <string>
#include <utility>

#include "slider/ControlError.h"

namespace calvetta {
namespace {

constexpr std::int32_t kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t kInt16Max = std::numeric_limits<std::int16_t>::max();

[[noreturn]] void Refuse(const char* property, std::int64_t value, const std::string& why) {
    throw ControlError(kErrInvalidPropertyValue, std::string("Invalid property value: ") +
                                                     property + " = " + std::to_string(value) +
                                                     " " + why);
}

[[noreturn]] void Overflow(const char* property, std::int64_t value, const char* why) {
    throw ControlError(kErrOverflow, std::string("Overflow: ") + property + " = " +
                                         std::to_string(value) + " " + why);
}

void Check16(const char* property, std::int64_t value) {
    if (value < kInt16Min || value > kInt16Max) {
        Overflow(property, value, "is outside -32768..32767");
    }
}

// Min and Max are both refused rather than half stored when their span
// would not fit.
void CheckSpan(const char* property, std::int64_t value, std::int64_t span) {
    if (span > kInt16Max) Overflow(property, value, "makes Max - Min exceed 32767");
}

}  // namespace

std::int16_t SliderModel::StoredValueFor(std::int32_t New_Value) const {
    const std::int64_t product = static_cast<std::int64_t>(m_Step) * New_Value;
    if (product < std::numeric_limits<std::int32_t>::min() ||
        product > std::numeric_limits<std::int32_t>::max()) {
        Overflow("Value", product, "(Step x Value) is outside the 32-bit range");
    }
    Check16("Value", product);
    return static_cast<std::int16_t>(product);
}

void SliderModel::setValueFromDrag(std::int32_t New_Value) {
    fromDrag_ = true;
    setValue(New_Value);
}

void SliderModel::setValue(std::int32_t New_Value) {
    // Taken first, so that an assignment made by a handler of this one's
    // events counts as code again.
    const bool fromDrag = std::exchange(fromDrag_, false);
    if (New_Value < m_Min || New_Value > m_Max) {
        Refuse("Value", New_Value,
               "is outside " + std::to_string(m_Min) + ".." + std::to_string(m_Max));
    }
    const std::int16_t v = StoredValueFor(New_Value);
    m_Value = v;

    // A repeated nonzero value raises nothing; 0 is never suppressed.
    if (v != lastValue_ || v == 0) {
        // The drag code has already placed the thumb for its own value; any
        // other assignment (a device report in the middle of a drag, say)
        // moves it, so that thumb and value agree after the release.
        if (!fromDrag) surface_.PlaceThumb(New_Value);
        surface_.PaintSlider();
        lastValue_ = v;
        events_.RaiseValueChanged();
        if (v == m_Max) events_.RaiseArrivedLast();
        if (v == m_Min) events_.RaiseArrivedFirst();
    }
    surface_.PropertyChanged("Value");
}

void SliderModel::setMax(std::int32_t New_Max) {
    if (New_Max <= m_Min) {
        Refuse("Max", New_Max, "is not above Min (" + std::to_string(m_Min) + ")");
    }
    Check16("Max", New_Max);
    CheckSpan("Max", New_Max, static_cast<std::int64_t>(New_Max) - m_Min);
    // The value stays where it is, even above the new maximum, until the next
    // assignment.
    m_Max = static_cast<std::int16_t>(New_Max);
    m_Range = m_Max - m_Min;
    surface_.PropertyChanged("Max");
}

void SliderModel::setMin(std::int32_t New_Min) {
    if (New_Min >= m_Max) {
        Refuse("Min", New_Min, "is not below Max (" + std::to_string(m_Max) + ")");
    }
    Check16("Min", New_Min);
    CheckSpan("Min", New_Min, static_cast<std::int64_t>(m_Max) - New_Min);
    StoredValueFor(New_Min);  // the value assignment below must not fail half-way
    m_Min = static_cast<std::int16_t>(New_Min);
    // The span is refreshed before the value assignment so that a handler
    // that assigns another value from inside it places the thumb on the new
    // span.
    m_Range = m_Max - m_Min;
    setValue(New_Min);
    surface_.PropertyChanged("Min");
}

void SliderModel::setStep(std::int32_t New_Step) {
    Check16("Step", New_Step);
    m_Step = static_cast<std::int16_t>(New_Step);
}

void SliderModel::setEnabled(bool New_Enabled) {
    m_Enabled = New_Enabled;
    surface_.PropertyChanged("Enabled");
}

void SliderModel::setOrientation(std::int32_t New_Orientation) {
    m_Orientation = New_Orientation;
    surface_.ResetThumb();
    surface_.UserControl_Resize();
    surface_.PropertyChanged("Orientation");
}

void SliderModel::setRailStyle(std::int32_t New_RailStyle) {
    m_RailStyle = New_RailStyle;
    surface_.UserControl_Resize();
    surface_.PropertyChanged("RailStyle");
}

void SliderModel::setBackColor(std::uint32_t New_BackColor) {
    surface_.ApplyBackColor(New_BackColor);
    surface_.PaintSlider();
    surface_.PropertyChanged("BackColor");
}

void SliderModel::sethWnd(std::int32_t New_hWnd) {
    m_hWnd = New_hWnd;
    surface_.PropertyChanged("hWnd");
}

void SliderModel::UserControl_InitProperties() {
    m_Enabled = true;
    m_Orientation = kVertical;
    m_RailStyle = 0;
    m_ShowValueTip = true;
    m_Min = 0;
    m_Max = 10;
    m_Value = 0;
    m_Step = 1;
    m_Range = 10;
    surface_.ResetThumb();
    m_hWnd = 0;
}

void SliderModel::UserControl_ReadProperties(const PropertyBag& PropBag) {
    // A stored design is taken as it stands: no range or order checks, no
    // events, and LastValue keeps its 0, so the first assignment of the
    // stored value still raises ValueChanged.
    surface_.ApplyBackColor(static_cast<std::uint32_t>(
        PropBag.ReadInt32("BackColor", static_cast<std::int32_t>(kButtonFaceColour))));
    m_Enabled = PropBag.ReadBool("Enabled", true);
    m_Orientation = PropBag.ReadInt32("Orientation", kVertical);
    m_RailStyle = PropBag.ReadInt32("RailStyle", 0);
    m_ShowValueTip = PropBag.ReadBool("ShowValueTip", true);
    m_Min = PropBag.ReadInt16("Min", 0);
    m_Max = PropBag.ReadInt16("Max", 10);
    m_Value = PropBag.ReadInt16("Value", 0);
    m_Step = PropBag.ReadInt16("Step", 1);
    surface_.LoadThumbPicture(PropBag.ReadPicture("SliderIcon", {}));
    surface_.LoadRailPicture(PropBag.ReadPicture("RailPicture", {}));
    m_Range = m_Max - m_Min;
    surface_.PlaceThumbBothWays(m_Value);
    m_hWnd = PropBag.ReadInt32("hWnd", 0);
}

void SliderModel::UserControl_WriteProperties(PropertyBag& PropBag) const {
    PropBag.WriteInt32("BackColor", static_cast<std::int32_t>(surface_.SurfaceBackColor()),
                       static_cast<std::int32_t>(kButtonFaceColour));
    PropBag.WriteBool("Enabled", m_Enabled, true);
    PropBag.WritePicture("SliderIcon", surface_.ThumbPictureData(), {});
    PropBag.WriteInt32("Orientation", m_Orientation, kVertical);
    PropBag.WritePicture("RailPicture", surface_.RailPictureData(), {});
    PropBag.WriteInt32("RailStyle", m_RailStyle, 0);
    PropBag.WriteBool("ShowValueTip", m_ShowValueTip, true);
    PropBag.WriteInt16("Min", m_Min, 0);
    PropBag.WriteInt16("Max", m_Max, 10);
    PropBag.WriteInt16("Value", m_Value, 0);
    PropBag.WriteInt16("Step", m_Step, 1);
    PropBag.WriteInt32("hWnd", m_hWnd, 0);
}

}  // namespace calvetta
