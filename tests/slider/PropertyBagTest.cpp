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

TEST(PropertyBagTest, WritingTheDefaultRemovesAStoredValue) {
    PropertyBag bag;
    bag.WriteInt16("Max", 20, 10);
    bag.WriteInt16("Min", 5, 0);
    bag.WriteInt16("Max", 30, 10);  // replaced in place, order kept
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Max", "Min"}));
    EXPECT_EQ(bag.ReadInt16("Max", 10), 30);
    bag.WriteInt16("Max", 10, 10);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Min"}));
    EXPECT_EQ(bag.ReadInt16("Max", 10), 10);
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
    const SliderDesign master = MainWindowSliderDesign(SliderKind::MasterVolume, thumb);
    EXPECT_EQ(master.properties.Keys(),
              (std::vector<std::string>{"SliderIcon", "Orientation", "ShowValueTip", "Min", "Max",
                                        "Value"}));
    EXPECT_EQ(master.properties.ReadInt16("Min", 0), -90);
    EXPECT_EQ(master.properties.ReadInt16("Max", 10), 0);
    EXPECT_EQ(master.properties.ReadInt16("Value", 0), -90);
    EXPECT_EQ(master.properties.ReadPicture("SliderIcon", {}), thumb);
    EXPECT_EQ(master.widthTwips, 264 * 15);
    EXPECT_EQ(master.heightTwips, 17 * 15);
}

}  // namespace
}  // namespace calvetta
