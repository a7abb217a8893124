#include "slider/SliderDesigns.h"

#include "app/Twips.h"
#include "slider/SliderGeometry.h"
#include "slider/SliderModel.h"

namespace calvetta {
namespace {

struct Row {
    std::int16_t min;
    std::int16_t max;
    std::int16_t value;
    std::int32_t widthPixels;
};

Row RowFor(SliderKind kind) {
    switch (kind) {
        case SliderKind::MasterVolume:
            return {-90, 0, -90, 264};
        case SliderKind::ChannelTrim:
            return {-10, 10, -10, 264};
        case SliderKind::Delay:
            return {0, 100, 0, 216};
        case SliderKind::BandFreq:
            return {0, 255, 0, 264};
        case SliderKind::BandGain:
            return {0, 250, 0, 264};
        case SliderKind::BandQfactor:
            return {4, 100, 4, 264};
        case SliderKind::BandQfactorOct:
            return {1, 19, 1, 264};
    }
    return {0, 10, 0, 264};
}

}  // namespace

SliderDesign MainWindowSliderDesign(SliderKind kind, const PictureData& thumbPicture) {
    const Row row = RowFor(kind);
    SliderDesign design;
    PropertyBag& bag = design.properties;
    // Written as a saved design is, so that defaults are left out.
    bag.WriteInt32("BackColor", static_cast<std::int32_t>(kButtonFaceColour),
                   static_cast<std::int32_t>(kButtonFaceColour));
    bag.WriteBool("Enabled", true, true);
    bag.WritePicture("SliderIcon", thumbPicture, {});
    bag.WriteInt32("Orientation", kHorizontal, kVertical);
    bag.WritePicture("RailPicture", {}, {});
    bag.WriteInt32("RailStyle", 0, 0);
    bag.WriteBool("ShowValueTip", false, true);
    bag.WriteInt16("Min", row.min, 0);
    bag.WriteInt16("Max", row.max, 10);
    bag.WriteInt16("Value", row.value, 0);
    bag.WriteInt16("Step", 1, 1);
    bag.WriteInt32("hWnd", 0, 0);
    design.widthTwips = PixelsToTwips(row.widthPixels);
    design.heightTwips = PixelsToTwips(17);
    return design;
}

}  // namespace calvetta
