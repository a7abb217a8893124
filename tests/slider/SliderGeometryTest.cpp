#include "slider/SliderGeometry.h"

#include <gtest/gtest.h>

namespace calvetta {
namespace {

TEST(SliderGeometryTest, RoundHalfEvenIgnoresTheRoundingMode) {
    EXPECT_EQ(RoundHalfEven(6.5), 6.0);
    EXPECT_EQ(RoundHalfEven(7.5), 8.0);
    EXPECT_EQ(RoundHalfEven(-50.5), -50.0);
    EXPECT_EQ(RoundHalfEven(-51.5), -52.0);
}

TEST(SliderGeometryTest, ValueAtThumbRoundsHalvesToEven) {
    // Track 256, range 8: 32 pixels a step.
    EXPECT_EQ(*ValueAtThumb(kVertical, 176.0f, 266, 10, 0, 8), 2);  // 2.5 from the bottom
    EXPECT_EQ(*ValueAtThumb(kVertical, 0.0f, 266, 10, 0, 8), 8);
    // Nothing to compute on: no track, no range, unknown orientation.
    EXPECT_FALSE(ValueAtThumb(kHorizontal, 0.0f, 38, 38, 0, 8).has_value());
    EXPECT_FALSE(ValueAtThumb(kHorizontal, 0.0f, 30, 38, 0, 8).has_value());
    EXPECT_FALSE(ValueAtThumb(kHorizontal, 0.0f, 264, 38, 0, 0).has_value());
    EXPECT_FALSE(ValueAtThumb(2, 0.0f, 264, 38, 0, 8).has_value());
}

}  // namespace
}  // namespace calvetta
