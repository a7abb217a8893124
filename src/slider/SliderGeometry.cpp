#include "slider/SliderGeometry.h"

#include <cmath>
#include <limits>

namespace calvetta {
namespace {

std::optional<float> ToFloat(double x) {
    if (!std::isfinite(x) || std::fabs(x) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(x);
}

// One coordinate of the groove: rounded, and only stored when it fits.
void SetRounded(std::int32_t& coordinate, double x) {
    if (!std::isfinite(x)) return;
    const double r = RoundHalfEven(x);
    if (r < std::numeric_limits<std::int32_t>::min() ||
        r > std::numeric_limits<std::int32_t>::max()) {
        return;
    }
    coordinate = static_cast<std::int32_t>(r);
}

}  // namespace

double RoundHalfEven(double x) {
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<float> HorizontalThumbLeft(float scaleWidth, float thumbWidth, std::int32_t v,
                                         std::int32_t min, std::int32_t range) {
    if (range == 0) return std::nullopt;
    const float track = scaleWidth - thumbWidth;
    return ToFloat(static_cast<double>(track) * (static_cast<double>(v) - min) / range);
}

std::optional<float> VerticalThumbTop(float scaleHeight, float thumbHeight, std::int32_t v,
                                      std::int32_t min, std::int32_t range) {
    if (range == 0) return std::nullopt;
    const double track = static_cast<double>(scaleHeight - thumbHeight);
    return ToFloat(track - track * (static_cast<double>(v) - min) / range);
}

std::optional<std::int16_t> ValueAtThumb(std::int32_t orientation, float offset, float scaleSize,
                                         float thumbSize, std::int32_t min, std::int32_t range) {
    const double track = static_cast<double>(scaleSize - thumbSize);
    if (track <= 0.0 || range <= 0) return std::nullopt;
    double fraction = 0.0;
    if (orientation == kHorizontal) {
        fraction = static_cast<double>(offset) / track;
    } else if (orientation == kVertical) {
        fraction = (track - static_cast<double>(offset)) / track;
    } else {
        return std::nullopt;
    }
    const double r = RoundHalfEven(fraction * range + min);
    if (!std::isfinite(r) || r < std::numeric_limits<std::int16_t>::min() ||
        r > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(r);
}

float ClampToTrack(float p, float trackLength) {
    if (p < 0.0f) return 0.0f;
    if (trackLength < p) return trackLength;
    return p;
}

bool HitsThumb(float x, float y, float left, float top, float width, float height) {
    const float right = left + width;
    const float bottom = top + height;
    return left <= x && x < right && top <= y && y < bottom;
}

void UpdateGrooveRect(RailRect& rect, std::int32_t orientation, float thumbWidth, float thumbHeight,
                      float scaleWidth, float scaleHeight) {
    const double tw = thumbWidth;
    const double th = thumbHeight;
    if (orientation == kHorizontal) {
        SetRounded(rect.Top, (th - 4.0) * 0.5);
        SetRounded(rect.Bottom, static_cast<double>(rect.Top) + 4.0);
        SetRounded(rect.Left, tw * 0.5 - 2.0);
        SetRounded(rect.Right, static_cast<double>(scaleWidth) + rect.Left - tw + 4.0);
    } else if (orientation == kVertical) {
        SetRounded(rect.Top, th * 0.5 - 2.0);
        SetRounded(rect.Bottom, static_cast<double>(scaleHeight) + rect.Top - th + 4.0);
        SetRounded(rect.Left, (tw - 4.0) * 0.5);
        SetRounded(rect.Right, static_cast<double>(rect.Left) + 4.0);
    }
}

}  // namespace calvetta
