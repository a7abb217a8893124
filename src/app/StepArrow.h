#pragma once
// The step arrows beside a slider: the bright picture while the left button
// is down, the gray one again on its release, which moves the slider exactly
// one step while it has room. Holding the button does not repeat, and other
// buttons do nothing.

#include <cstdint>

namespace calvetta {

class ImageControl;
class ruqSlider;

inline constexpr std::int16_t vbLeftButton = 1;

// On a press: shows `bright` when Button is the left button alone.
void StepArrowPressed(ImageControl* arrow, const ImageControl* bright, std::int16_t Button);
// On a release: shows `gray`, then moves `slider` by `step` (-1 or +1) when
// that stays within its Min and Max.
void StepArrowReleased(ImageControl* arrow, const ImageControl* gray, ruqSlider* slider, int step,
                       std::int16_t Button);

}  // namespace calvetta
