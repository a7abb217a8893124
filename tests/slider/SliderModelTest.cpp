#include "slider/SliderModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "slider/ControlError.h"

namespace calvetta {
namespace {

using Log = std::vector<std::string>;

// Records what the rules ask of the visible side and which events they raise,
// in one sequence, so that the order of effects can be checked.
struct Recorder : SliderSurface, SliderEvents {
    Log log;
    std::uint32_t backColor = kButtonFaceColour;
    PictureData thumb;
    PictureData rail;
    std::function<void()> onValueChanged;

    void PlaceThumb(std::int32_t v) override { log.push_back("place " + std::to_string(v)); }
    void PlaceThumbBothWays(std::int32_t v) override {
        log.push_back("placeBoth " + std::to_string(v));
    }
    void PaintSlider() override { log.push_back("paint"); }
    void ResetThumb() override { log.push_back("reset"); }
    void UserControl_Resize() override { log.push_back("resize"); }
    void PropertyChanged(std::string_view name) override {
        log.push_back("changed " + std::string(name));
    }
    std::uint32_t SurfaceBackColor() const override { return backColor; }
    void ApplyBackColor(std::uint32_t c) override { backColor = c; }
    PictureData ThumbPictureData() const override { return thumb; }
    void LoadThumbPicture(const PictureData& p) override { thumb = p; }
    PictureData RailPictureData() const override { return rail; }
    void LoadRailPicture(const PictureData& p) override { rail = p; }
    void RaiseValueChanged() override {
        log.push_back("ValueChanged");
        if (onValueChanged) onValueChanged();
    }
    void RaiseArrivedFirst() override { log.push_back("ArrivedFirst"); }
    void RaiseArrivedLast() override { log.push_back("ArrivedLast"); }
};

struct SliderModelTest : ::testing::Test {
    Recorder rec;
    SliderModel model{rec, rec};

    void SetUp() override {
        model.UserControl_InitProperties();
        rec.log.clear();
    }

    // The events alone, without the surface calls.
    Log Events() const {
        Log out;
        for (const auto& e : rec.log) {
            if (e == "ValueChanged" || e.starts_with("Arrived")) out.push_back(e);
        }
        return out;
    }

    int ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const ControlError& e) {
            return e.number();
        }
        return 0;
    }
};

TEST_F(SliderModelTest, NewInstanceHasDocumentedDefaults) {
    EXPECT_EQ(model.Orientation(), 1);
    EXPECT_EQ(model.Min(), 0);
    EXPECT_EQ(model.Max(), 10);
    EXPECT_EQ(model.Value(), 0);
    EXPECT_EQ(model.Step(), 1);
    EXPECT_TRUE(model.Enabled());
    EXPECT_EQ(model.hWnd(), 0);
}

TEST_F(SliderModelTest, AssignmentOrderOfEffects) {
    model.setValue(10);
    EXPECT_EQ(rec.log, (Log{"place 10", "paint", "ValueChanged", "ArrivedLast", "changed Value"}));
    rec.log.clear();
    model.setValue(0);
    EXPECT_EQ(rec.log, (Log{"place 0", "paint", "ValueChanged", "ArrivedFirst", "changed Value"}));
    rec.log.clear();
    model.setValue(4);
    EXPECT_EQ(Events(), (Log{"ValueChanged"}));
}

TEST_F(SliderModelTest, RepeatedNonzeroValueIsSuppressedButZeroNever) {
    model.setValue(5);
    rec.log.clear();
    model.setValue(5);
    EXPECT_EQ(rec.log, (Log{"changed Value"}));  // no placement, no paint, no event

    model.setValue(0);
    model.setValue(0);
    EXPECT_EQ(Events(), (Log{"ValueChanged", "ArrivedFirst", "ValueChanged", "ArrivedFirst"}));
}

TEST_F(SliderModelTest, ThumbIsNotPlacedDuringADrag) {
    model.m_Dragging = true;
    model.setValue(3);
    EXPECT_EQ(rec.log, (Log{"paint", "ValueChanged", "changed Value"}));
}

TEST_F(SliderModelTest, OutOfRangeValueIsRefusedWithoutEffects) {
    model.setValue(7);
    rec.log.clear();
    EXPECT_EQ(ErrorOf([&] { model.setValue(11); }), kErrInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { model.setValue(-1); }), kErrInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { model.setValue(70000); }), kErrInvalidPropertyValue);
    EXPECT_EQ(model.Value(), 7);
    EXPECT_TRUE(rec.log.empty());
}

TEST_F(SliderModelTest, HandlerSeesNewValueAndReentrantAssignment) {
    std::vector<int> seen;
    int depth = 0;
    rec.onValueChanged = [&] {
        seen.push_back(model.Value());
        if (depth++ > 0) return;
        model.setValue(model.Value());  // the same nonzero value: nothing further
        model.setValue(2);              // another value: raises again, inside
    };
    model.setValue(6);
    EXPECT_EQ(seen, (std::vector<int>{6, 2}));
    EXPECT_EQ(model.Value(), 2);
    EXPECT_EQ(model.LastValue(), 2);
}

TEST_F(SliderModelTest, MaxRules) {
    model.setValue(7);
    rec.log.clear();
    model.setMax(4);  // below the value: accepted, the value stays
    EXPECT_EQ(model.Max(), 4);
    EXPECT_EQ(model.Value(), 7);
    EXPECT_EQ(model.Range(), 4);
    EXPECT_EQ(rec.log, (Log{"changed Max"}));

    rec.log.clear();
    EXPECT_EQ(ErrorOf([&] { model.setMax(0); }), kErrInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { model.setMax(-5); }), kErrInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { model.setMax(40000); }), kErrOverflow);
    EXPECT_EQ(model.Max(), 4);
    EXPECT_TRUE(rec.log.empty());
}

TEST_F(SliderModelTest, SpanOver32767IsRefusedBeforeAnythingChanges) {
    model.setMax(32767);  // span 32767 still fits
    rec.log.clear();
    EXPECT_EQ(ErrorOf([&] { model.setMin(-1); }), kErrOverflow);
    EXPECT_EQ(model.Min(), 0);
    EXPECT_EQ(model.Range(), 32767);

    model.setMax(10);
    model.setMin(-20000);
    rec.log.clear();
    EXPECT_EQ(ErrorOf([&] { model.setMax(20000); }), kErrOverflow);
    EXPECT_EQ(model.Max(), 10);
    EXPECT_EQ(model.Range(), 20010);
    EXPECT_TRUE(rec.log.empty());
}

TEST_F(SliderModelTest, MinRules) {
    model.setValue(7);
    rec.log.clear();
    model.setMin(3);
    EXPECT_EQ(model.Min(), 3);
    EXPECT_EQ(model.Value(), 3);
    EXPECT_EQ(model.Range(), 7);
    EXPECT_EQ(rec.log, (Log{"place 3", "paint", "ValueChanged", "ArrivedFirst", "changed Value",
                            "changed Min"}));

    rec.log.clear();
    EXPECT_EQ(ErrorOf([&] { model.setMin(10); }), kErrInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { model.setMin(-40000); }), kErrOverflow);
    EXPECT_EQ(model.Min(), 3);
    EXPECT_TRUE(rec.log.empty());
}

TEST_F(SliderModelTest, StepScalesTheStoredValue) {
    model.setMax(100);
    model.setStep(5);
    rec.log.clear();
    model.setValue(4);  // checked and placed as 4, stored as 20
    EXPECT_EQ(model.Value(), 20);
    EXPECT_EQ(rec.log.front(), "place 4");
    rec.log.clear();
    model.setValue(4);  // 20 again: suppressed
    EXPECT_EQ(Events(), Log{});
    model.setValue(20);  // stored 100 = Max
    EXPECT_EQ(Events(), (Log{"ValueChanged", "ArrivedLast"}));

    model.setStep(30000);
    EXPECT_EQ(ErrorOf([&] { model.setValue(2); }), kErrOverflow);  // 60000
    EXPECT_EQ(model.Value(), 100);
    EXPECT_EQ(ErrorOf([&] { model.setStep(32768); }), kErrOverflow);
    EXPECT_EQ(model.Step(), 30000);
    // A Min whose scaled value would overflow is refused before it is stored.
    EXPECT_EQ(ErrorOf([&] { model.setMin(-2); }), kErrOverflow);
    EXPECT_EQ(model.Min(), 0);
}

TEST_F(SliderModelTest, OtherSettersStoreRepaintAndNotifyAsDocumented) {
    model.setEnabled(false);
    model.setOrientation(7);  // any number is kept
    model.setRailStyle(99);
    model.setBackColor(0x00FF00FFu);
    model.sethWnd(1234);
    EXPECT_FALSE(model.Enabled());
    EXPECT_EQ(model.Orientation(), 7);
    EXPECT_EQ(model.RailStyle(), 99);
    EXPECT_EQ(model.BackColor(), 0x00FF00FFu);
    EXPECT_EQ(model.hWnd(), 1234);
    EXPECT_EQ(rec.log, (Log{"changed Enabled", "reset", "resize", "changed Orientation", "resize",
                            "changed RailStyle", "paint", "changed BackColor", "changed hWnd"}));
}

TEST_F(SliderModelTest, DefaultsAreNotStoredAndTheOrderIsKept) {
    PropertyBag bag;
    model.UserControl_WriteProperties(bag);
    EXPECT_TRUE(bag.Keys().empty());

    rec.backColor = 0x00123456u;
    rec.thumb = {1, 2, 3};
    rec.rail = {4};
    model.setOrientation(0);
    model.setRailStyle(2);
    model.setMin(-90);
    model.setMax(0);
    model.setValue(-50);
    model.setStep(2);
    model.sethWnd(9);
    model.setEnabled(false);
    model.UserControl_WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"BackColor", "Enabled", "SliderIcon",
                                                    "Orientation", "RailPicture", "RailStyle",
                                                    "Min", "Max", "Value", "Step", "hWnd"}));
    EXPECT_EQ(std::get<std::int16_t>(*bag.Find("Value")), -50);
    EXPECT_EQ(std::get<std::int16_t>(*bag.Find("Min")), -90);
}

TEST_F(SliderModelTest, LoadTakesTheDesignAsItStands) {
    PropertyBag bag;
    bag.WriteInt32("BackColor", 0xFF, static_cast<std::int32_t>(kButtonFaceColour));
    bag.WriteInt32("Orientation", 0, 1);
    bag.WriteInt16("Min", -90, 0);
    bag.WriteInt16("Max", 0, 10);
    bag.WriteInt16("Value", 50, 0);  // outside the range: kept as loaded
    bag.WritePicture("SliderIcon", {7, 7}, {});
    bag.WriteInt32("hWnd", 42, 0);

    Recorder r;
    SliderModel m{r, r};
    m.UserControl_ReadProperties(bag);
    EXPECT_EQ(r.backColor, 0xFFu);
    EXPECT_EQ(m.Orientation(), 0);
    EXPECT_EQ(m.Min(), -90);
    EXPECT_EQ(m.Max(), 0);
    EXPECT_EQ(m.Value(), 50);
    EXPECT_EQ(m.Range(), 90);
    EXPECT_EQ(m.hWnd(), 42);
    EXPECT_EQ(r.thumb, (PictureData{7, 7}));
    EXPECT_EQ(m.LastValue(), 0);
    EXPECT_EQ(r.log, (Log{"placeBoth 50"}));  // no event, no paint
}

TEST_F(SliderModelTest, FirstAssignmentOfTheLoadedValueStillRaises) {
    PropertyBag bag;
    bag.WriteInt16("Min", -90, 0);
    bag.WriteInt16("Max", 0, 10);
    bag.WriteInt16("Value", -90, 0);
    Recorder r;
    SliderModel m{r, r};
    m.UserControl_ReadProperties(bag);
    r.log.clear();
    m.setValue(-90);
    EXPECT_EQ(r.log, (Log{"place -90", "paint", "ValueChanged", "ArrivedFirst", "changed Value"}));
}

}  // namespace
}  // namespace calvetta
