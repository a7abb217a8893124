#include "slider/SliderModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "slider/ControlError.h"
#include "slider/SliderDesigns.h"

namespace calvetta {
namespace {

// Surface calls and events in one sequence, so the order of effects shows.
struct Recorder : SliderSurface, SliderEvents {
    std::string log;
    std::uint32_t backColor = kButtonFaceColour;
    PictureData thumb, rail;
    std::function<void()> onValueChanged;

    void Add(const std::string& s) { log += (log.empty() ? "" : ", ") + s; }
    void PlaceThumb(std::int32_t v) override { Add("place " + std::to_string(v)); }
    void PlaceThumbBothWays(std::int32_t v) override { Add("placeBoth " + std::to_string(v)); }
    void PaintSlider() override { Add("paint"); }
    void ResetThumb() override { Add("reset"); }
    void UserControl_Resize() override { Add("resize"); }
    void PropertyChanged(std::string_view name) override { Add("changed " + std::string(name)); }
    std::uint32_t SurfaceBackColor() const override { return backColor; }
    void ApplyBackColor(std::uint32_t c) override { backColor = c; }
    PictureData ThumbPictureData() const override { return thumb; }
    void LoadThumbPicture(const PictureData& p) override { thumb = p; }
    PictureData RailPictureData() const override { return rail; }
    void LoadRailPicture(const PictureData& p) override { rail = p; }
    void RaiseValueChanged() override {
        Add("ValueChanged");
        if (onValueChanged) onValueChanged();
    }
    void RaiseArrivedFirst() override { Add("ArrivedFirst"); }
    void RaiseArrivedLast() override { Add("ArrivedLast"); }
};

int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ControlError& e) {
        return e.number();
    }
    return 0;
}

struct SliderModelTest : ::testing::Test {
    Recorder rec;
    SliderModel model{rec, rec};

    void SetUp() override { model.UserControl_InitProperties(); }
    std::string Take() { return std::exchange(rec.log, {}); }
    std::string State() const {
        return std::to_string(model.Min()) + ".." + std::to_string(model.Max()) + " range " +
               std::to_string(model.Range()) + " value " + std::to_string(model.Value()) +
               " step " + std::to_string(model.Step());
    }
};

TEST_F(SliderModelTest, ValueAssignmentEventsAndSuppression) {
    Take();
    enum From { Code, CodeDuringDrag, Drag };
    const std::tuple<int, From, const char*> steps[] = {
        {10, Code, "place 10, paint, ValueChanged, ArrivedLast, changed Value"},
        {10, Code, "changed Value"},  // a repeated nonzero value raises nothing
        {0, Code, "place 0, paint, ValueChanged, ArrivedFirst, changed Value"},
        {0, Code, "place 0, paint, ValueChanged, ArrivedFirst, changed Value"},
        {4, Drag, "paint, ValueChanged, changed Value"},  // the drag placed the thumb
        {6, CodeDuringDrag, "place 6, paint, ValueChanged, changed Value"},
    };
    for (const auto& [value, from, log] : steps) {
        model.m_Dragging = from != Code;
        from == Drag ? model.setValueFromDrag(value) : model.setValue(value);
        EXPECT_EQ(Take(), log) << value;
        EXPECT_EQ(model.Value(), value);
    }

    // A handler that assigns again: the same nonzero value raises nothing,
    // another value raises inside and is the last one raised.
    std::vector<int> seen;
    rec.onValueChanged = [&] {
        seen.push_back(model.Value());
        if (seen.size() > 1) return;
        model.setValue(model.Value());
        model.setValue(2);
    };
    model.setValue(7);
    EXPECT_EQ(seen, (std::vector<int>{7, 2}));
    EXPECT_EQ(model.LastValue(), 2);
}

TEST_F(SliderModelTest, RefusalsChangeNothing) {
    model.setMin(-1);
    model.setMax(32766);  // the widest span, 32767
    model.setValue(7);
    Take();
    const auto refused = [&](const std::function<void()>& assign, int error) {
        EXPECT_EQ(ErrorOf(assign), error);
        EXPECT_EQ(State(), "-1..32766 range 32767 value 7 step 1");
        EXPECT_EQ(Take(), "");
    };
    refused([&] { model.setValue(32767); }, kErrInvalidPropertyValue);
    refused([&] { model.setValue(-2); }, kErrInvalidPropertyValue);
    refused([&] { model.setMax(-1); }, kErrInvalidPropertyValue);  // equal to Min
    refused([&] { model.setMin(32766); }, kErrInvalidPropertyValue);
    refused([&] { model.setMax(32767); }, kErrOverflow);  // span 32768
    refused([&] { model.setMin(-2); }, kErrOverflow);
    refused([&] { model.setMax(40000); }, kErrOverflow);
    refused([&] { model.setStep(32768); }, kErrOverflow);
}

TEST_F(SliderModelTest, MinMovesTheValueMaxBelowItLeavesIt) {
    model.setValue(7);
    Take();
    std::string seen;
    rec.onValueChanged = [&] { seen = State(); };
    model.setMin(3);
    EXPECT_EQ(seen, "3..10 range 7 value 3 step 1");  // all new before the handler runs
    EXPECT_EQ(Take(), "place 3, paint, ValueChanged, ArrivedFirst, changed Value, changed Min");

    model.setValue(7);
    model.setMax(4);
    EXPECT_EQ(State(), "3..4 range 1 value 7 step 1");
}

TEST_F(SliderModelTest, StepScalesTheStoredValue) {
    model.setMax(100);
    model.setStep(5);
    Take();
    model.setValue(4);  // checked and placed as 4, stored as 20
    EXPECT_EQ(model.Value(), 20);
    EXPECT_EQ(Take(), "place 4, paint, ValueChanged, changed Value");

    model.setStep(30000);
    EXPECT_EQ(ErrorOf([&] { model.setValue(2); }), kErrOverflow);  // 60000
    EXPECT_EQ(ErrorOf([&] { model.setMin(-2); }), kErrOverflow);   // its value would be -60000
    EXPECT_EQ(State(), "0..100 range 100 value 20 step 30000");
}

TEST_F(SliderModelTest, StoredDesignsKeepOnlyWhatDiffersFromDefaults) {
    PropertyBag bag;
    bag.WriteInt16("Max", 20, 10);  // a stale entry goes when the default is written
    model.UserControl_WriteProperties(bag);
    EXPECT_TRUE(bag.Keys().empty());

    rec.backColor = 0x00123456u;
    rec.thumb = rec.rail = {1};
    model.setOrientation(0);
    model.setRailStyle(2);
    model.setMin(-90);
    model.setMax(0);
    model.setValue(-50);
    model.setStep(2);
    model.sethWnd(9);
    model.setEnabled(false);
    model.UserControl_WriteProperties(bag);
    EXPECT_EQ(bag.Keys().size(), 11u) << "all but ShowValueTip";
    EXPECT_EQ(std::get<std::int16_t>(*bag.Find("Value")), -50);

    // The main window's designs are written the same way.
    const PropertyBag design = MainWindowSliderDesign(SliderKind::MasterVolume, {9}).properties;
    EXPECT_EQ(design.Keys(), (std::vector<std::string>{"SliderIcon", "Orientation", "ShowValueTip",
                                                       "Min", "Max", "Value"}));

    // Reads convert between kinds and refuse what does not fit.
    bag.WriteInt32("Wide", 40000, 0);
    bag.WriteBool("Flag", true, false);
    EXPECT_EQ(bag.ReadInt16("Flag", 0), -1);
    EXPECT_EQ(ErrorOf([&] { bag.ReadInt16("Wide", 0); }), kErrOverflow);
    EXPECT_EQ(ErrorOf([&] { bag.ReadInt32("SliderIcon", 0); }), kErrTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { bag.ReadPicture("Wide", {}); }), kErrTypeMismatch);
}

TEST_F(SliderModelTest, ReadPropertiesTakesTheDesignAsItStands) {
    PropertyBag bag;
    bag.WriteInt32("BackColor", 0xFF, static_cast<std::int32_t>(kButtonFaceColour));
    bag.WriteInt16("Min", 50, 0);  // Min = Max: no checks on a stored design
    bag.WriteInt16("Max", 50, 10);
    bag.WriteInt16("Value", 50, 0);
    bag.WritePicture("SliderIcon", {7, 7}, {});
    model.setValue(5);
    Take();
    model.UserControl_ReadProperties(bag);
    EXPECT_EQ(Take(), "placeBoth 50");  // no events, no paint
    EXPECT_EQ(State(), "50..50 range 0 value 50 step 1");
    EXPECT_EQ(rec.backColor, 0xFFu);
    EXPECT_EQ(rec.thumb, (PictureData{7, 7}));

    // The stored value, assigned for the first time, raises; at Min = Max both arrivals.
    model.setValue(50);
    EXPECT_EQ(Take(), "place 50, paint, ValueChanged, ArrivedLast, ArrivedFirst, changed Value");
}

TEST(SliderGeometryTest, ValueAtThumbRoundsHalfToEven) {
    // Track 256, range 8: 32 pixels a step; vertical counts from the bottom.
    EXPECT_EQ(ValueAtThumb(kVertical, 176.0f, 266, 10, 0, 8), 2);  // 2.5
    EXPECT_EQ(ValueAtThumb(kVertical, 144.0f, 266, 10, 0, 8), 4);  // 3.5
    EXPECT_EQ(ValueAtThumb(kVertical, 0.0f, 266, 10, 0, 8), 8);
    // Nothing to compute on: no track, no range, unknown orientation.
    EXPECT_FALSE(ValueAtThumb(kHorizontal, 0.0f, 30, 38, 0, 8));
    EXPECT_FALSE(ValueAtThumb(kHorizontal, 0.0f, 264, 38, 0, 0));
    EXPECT_FALSE(ValueAtThumb(2, 0.0f, 264, 38, 0, 8));
}

}  // namespace
}  // namespace calvetta
