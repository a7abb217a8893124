#pragma once
// The slider's pictures: the thumb the main window's sliders show, and the
// conversion between pictures and the bytes a stored design keeps.

#include <QPixmap>

#include "slider/PropertyBag.h"

namespace calvetta {

// The 38 x 17 pixel, 24-bit thumb of the main window's sliders.
QPixmap SliderThumbPicture();

// PNG bytes; an empty picture gives no bytes.
PictureData EncodePicture(const QPixmap& picture);
// No bytes give an empty picture; bytes that are no picture raise
// ControlError 481.
QPixmap DecodePicture(const PictureData& data);

}  // namespace calvetta
