#include "slider/PropertyBag.h"

#include <gtest/gtest.h>

#include <functional>

#include "slider/ControlError.h"
#include "slider/SliderDesigns.h"

namespace calvetta {
namespace {

int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ControlError& e) {
        return e.number();
    }
    return 0;
}

TEST(PropertyBagTest, ReadsConvertBetweenKindsAndRefuseWhatDoesNotFit) {
    PropertyBag bag;
    bag.WriteInt32("Wide", 40000, 0);
    bag.WriteInt32("Narrow", -300, 0);
    bag.WriteBool("Flag", true, false);
    bag.WritePicture("Pic", {1, 2}, {});
    EXPECT_EQ(bag.ReadInt16("Narrow", 0), -300);
    EXPECT_EQ(bag.ReadInt16("Flag", 0), -1);
    EXPECT_TRUE(bag.ReadBool("Narrow", false));
    EXPECT_EQ(ErrorOf([&] { bag.ReadInt16("Wide", 0); }), kErrOverflow);
    EXPECT_EQ(ErrorOf([&] { bag.ReadInt32("Pic", 0); }), kErrTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { bag.ReadPicture("Wide", {}); }), kErrTypeMismatch);
}

TEST(SliderDesignsTest, MainWindowDesignsHoldOnlyWhatDiffersFromANewInstance) {
    const PictureData thumb{9, 9, 9};
    const PropertyBag bag = MainWindowSliderDesign(SliderKind::MasterVolume, thumb).properties;
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"SliderIcon", "Orientation", "ShowValueTip",
                                                    "Min", "Max", "Value"}));
    EXPECT_EQ(bag.ReadPicture("SliderIcon", {}), thumb);
}

}  // namespace
}  // namespace calvetta
