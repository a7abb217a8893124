#include "app/StepArrow.h"

#include "app/FormControls.h"
#include "slider/ruqSlider.h"

namespace calvetta {

void StepArrowPressed(ImageControl* arrow, const ImageControl* bright, std::int16_t Button) {
    if (Button != vbLeftButton || arrow == nullptr) return;
    arrow->setPicture(bright->Picture());
}

void StepArrowReleased(ImageControl* arrow, const ImageControl* gray, ruqSlider* slider, int step,
                       std::int16_t Button) {
    if (Button != vbLeftButton || arrow == nullptr || slider == nullptr) return;
    arrow->setPicture(gray->Picture());
    if (step < 0 && slider->Value() > slider->Min()) slider->setValue(slider->Value() - 1);
    if (step > 0 && slider->Value() < slider->Max()) slider->setValue(slider->Value() + 1);
}

}  // namespace calvetta
