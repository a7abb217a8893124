#include "slider/SliderGeometry.h"

#include <gtest/gtest.h>

namespace calvetta {
namespace {

TEST(SliderGeometryTest, RoundHalfEvenIgnoresTheRoundingMode) {
    EXPECT_EQ(RoundHalfEven(6.5), 6.0);
    EXPECT_EQ(RoundHalfEven(7.5), 8.0);
    EXPECT_EQ(RoundHalfEven(-50.5), -50.0);
    EXPECT_EQ(RoundHalfEven(-51.5), -52.0);
    EXPECT_EQ(RoundHalfEven(-50.18), -50.0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
}

TEST(SliderGeometryTest, GrooveOfTheMainWindowSliders) {
    RailRect r;
    UpdateGrooveRect(r, kHorizontal, 38, 17, 264, 17);
    EXPECT_EQ(r, (RailRect{17, 6, 247, 10}));  // 6.5 rounds to 6
    UpdateGrooveRect(r, kHorizontal, 38, 17, 216, 17);
    EXPECT_EQ(r, (RailRect{17, 6, 199, 10}));
    // Vertical: mirrored across the thumb.
    UpdateGrooveRect(r, kVertical, 17, 38, 17, 200);
    EXPECT_EQ(r, (RailRect{6, 17, 10, 183}));
    // Another orientation leaves it alone.
    UpdateGrooveRect(r, 5, 1, 1, 1, 1);
    EXPECT_EQ(r, (RailRect{6, 17, 10, 183}));
}

TEST(SliderGeometryTest, PlacementPutsMinLeftOrAtTheBottom) {
    EXPECT_FLOAT_EQ(*HorizontalThumbLeft(264, 38, -90, -90, 90), 0.0f);
    EXPECT_FLOAT_EQ(*HorizontalThumbLeft(264, 38, 0, -90, 90), 226.0f);
    EXPECT_FLOAT_EQ(*HorizontalThumbLeft(264, 38, -50, -90, 90), 226.0f * 40.0f / 90.0f);
    EXPECT_FLOAT_EQ(*VerticalThumbTop(210, 10, 0, 0, 10), 200.0f);
    EXPECT_FLOAT_EQ(*VerticalThumbTop(210, 10, 10, 0, 10), 0.0f);
    EXPECT_FALSE(HorizontalThumbLeft(264, 38, 0, 0, 0).has_value());
    EXPECT_FALSE(VerticalThumbTop(264, 38, 0, 0, 0).has_value());
}

TEST(SliderGeometryTest, ValueAtThumbRoundsHalvesToEven) {
    EXPECT_EQ(*ValueAtThumb(kHorizontal, 100.0f, 264, 38, -90, 90), -50);
    EXPECT_EQ(*ValueAtThumb(kHorizontal, 0.0f, 264, 38, -90, 90), -90);
    EXPECT_EQ(*ValueAtThumb(kHorizontal, 226.0f, 264, 38, -90, 90), 0);
    // Track 256, range 8: 32 pixels a step.
    EXPECT_EQ(*ValueAtThumb(kHorizontal, 80.0f, 294, 38, 0, 8), 2);   // 2.5
    EXPECT_EQ(*ValueAtThumb(kHorizontal, 112.0f, 294, 38, 0, 8), 4);  // 3.5
    EXPECT_EQ(*ValueAtThumb(kVertical, 176.0f, 266, 10, 0, 8), 2);    // 2.5 from the bottom
    EXPECT_EQ(*ValueAtThumb(kVertical, 0.0f, 266, 10, 0, 8), 8);
    // Nothing to compute on: no track, no range, unknown orientation.
    EXPECT_FALSE(ValueAtThumb(kHorizontal, 0.0f, 38, 38, 0, 8).has_value());
    EXPECT_FALSE(ValueAtThumb(kHorizontal, 0.0f, 30, 38, 0, 8).has_value());
    EXPECT_FALSE(ValueAtThumb(kHorizontal, 0.0f, 264, 38, 0, 0).has_value());
    EXPECT_FALSE(ValueAtThumb(2, 0.0f, 264, 38, 0, 8).has_value());
}

TEST(SliderGeometryTest, HitTestExcludesRightAndBottomEdges) {
    EXPECT_TRUE(HitsThumb(100.44f, 0, 100.44f, 0, 38, 17));
    EXPECT_TRUE(HitsThumb(138.43f, 16.9f, 100.44f, 0, 38, 17));
    EXPECT_FALSE(HitsThumb(138.44f, 5, 100.44f, 0, 38, 17));
    EXPECT_FALSE(HitsThumb(120, 17, 100.44f, 0, 38, 17));
    EXPECT_FALSE(HitsThumb(100.43f, 5, 100.44f, 0, 38, 17));
}

TEST(SliderGeometryTest, ClampKeepsTheThumbOnTheTrack) {
    EXPECT_EQ(ClampToTrack(-0.5f, 226), 0.0f);
    EXPECT_EQ(ClampToTrack(226.5f, 226), 226.0f);
    EXPECT_EQ(ClampToTrack(100.25f, 226), 100.25f);
}

}  // namespace
}  // namespace calvetta
