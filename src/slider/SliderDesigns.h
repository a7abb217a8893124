#pragma once
// The stored designs of the main window's sliders: their properties as the
// window's design holds them, and their outer size.

#include <cstdint>

#include "slider/PropertyBag.h"

namespace calvetta {

enum class SliderKind {
    MasterVolume,    // VOLSlider(0)
    ChannelTrim,     // VOLSlider(1) to VOLSlider(8)
    Delay,           // DelaySlider(0) to DelaySlider(7)
    BandFreq,        // BandFreqSlider
    BandGain,        // BandGainSlider
    BandQfactor,     // BandQfactorSlider
    BandQfactorOct,  // BandQfactorOctSlider
};

struct SliderDesign {
    PropertyBag properties;
    std::int32_t widthTwips = 0;
    std::int32_t heightTwips = 0;
};

// Every one is horizontal, with RailStyle 0, Step 1, ShowValueTip False,
// enabled and 17 pixels high; thumbPicture is the 38 x 17 thumb in the
// host's picture format.
SliderDesign MainWindowSliderDesign(SliderKind kind, const PictureData& thumbPicture);

}  // namespace calvetta
