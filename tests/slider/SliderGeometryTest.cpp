#include "slider/SliderGeometry.h"

#include <gtest/gtest.h>

namespace calvetta {
namespace {

TEST(SliderGeometryTest, RoundHalfEven) {
    const double cases[][2] = {{6.5, 6.0}, {7.5, 8.0}, {-50.5, -50.0}, {-51.5, -52.0}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c[0]), c[1]) << c[0];
}

TEST(SliderGeometryTest, ValueAtThumb) {
    // Track 256, range 8: 32 pixels a step; vertical counts from the bottom.
    EXPECT_EQ(ValueAtThumb(kVertical, 176.0f, 266, 10, 0, 8), 2);  // 2.5
    EXPECT_EQ(ValueAtThumb(kVertical, 0.0f, 266, 10, 0, 8), 8);
    // Nothing to compute on: no track, no range, unknown orientation.
    EXPECT_FALSE(ValueAtThumb(kHorizontal, 0.0f, 38, 38, 0, 8));
    EXPECT_FALSE(ValueAtThumb(kHorizontal, 0.0f, 30, 38, 0, 8));
    EXPECT_FALSE(ValueAtThumb(kHorizontal, 0.0f, 264, 38, 0, 0));
    EXPECT_FALSE(ValueAtThumb(2, 0.0f, 264, 38, 0, 8));
}

}  // namespace
}  // namespace calvetta
