#pragma once
// Where the slider's thumb sits for a value, which value a thumb position
// stands for, and the groove rectangle.  All in pixels of the control's
// surface; thumb positions are 32-bit floats and may be fractional.

#include <cstdint>
#include <optional>

namespace calvetta {

inline constexpr std::int32_t kHorizontal = 0;
inline constexpr std::int32_t kVertical = 1;

// Left, Top, Right, Bottom; Right and Bottom are just outside the rectangle.
struct RailRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    friend bool operator==(const RailRect&, const RailRect&) = default;
};

// Nearest integer, halves to the even neighbour, whatever the floating-point
// environment's rounding mode.
double RoundHalfEven(double x);

// The offset of the thumb along its track for value v: horizontal, the
// thumb's Left (Min at the left end); vertical, its Top (Min at the bottom).
// Empty when it cannot be computed (a zero range), so callers leave the thumb
// where it is.
std::optional<float> HorizontalThumbLeft(float scaleWidth, float thumbWidth, std::int32_t v,
                                         std::int32_t min, std::int32_t range);
std::optional<float> VerticalThumbTop(float scaleHeight, float thumbHeight, std::int32_t v,
                                      std::int32_t min, std::int32_t range);

// The value at a thumb offset (Left, or Top when vertical), rounded halves to
// even.  Empty when the track or range is unusable or the result leaves the
// signed 16-bit range.
std::optional<std::int16_t> ValueAtThumb(std::int32_t orientation, float offset, float scaleSize,
                                         float thumbSize, std::int32_t min, std::int32_t range);

// The thumb offset for a pointer at p (pointer minus grab offset), kept
// between the ends of the track.
float ClampToTrack(float p, float trackLength);

// Whether (x, y) lies on the thumb: its rectangle without the right and
// bottom edges.
bool HitsThumb(float x, float y, float left, float top, float width, float height);

// Recomputes the groove: 4 pixels thick, centred across the thumb, from 2
// pixels before the thumb's centre at Min to 2 pixels past it at Max.  Each
// coordinate that cannot be computed keeps its previous value.  Another
// orientation than horizontal or vertical leaves the rectangle alone.
void UpdateGrooveRect(RailRect& rect, std::int32_t orientation, float thumbWidth, float thumbHeight,
                      float scaleWidth, float scaleHeight);

}  // namespace calvetta
