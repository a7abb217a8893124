#pragma once
// Every bitmap the window needs is drawn by the program itself at start.

#include <QIcon>
#include <QPixmap>

#include "app/Twips.h"

namespace calvetta {

// The window's own icon, 32 x 32 (with a 16 x 16 size for title bars).
QIcon MakeWindowIcon();

// The 16 x 24 step-arrow pictures: bright while pressed, gray at rest. The
// arrow buttons of every page are sized to them.
constexpr int kArrowWidth = PixelsToTwips(16);
constexpr int kArrowHeight = PixelsToTwips(24);
enum class ArrowKind { LeftBright, LeftGray, RightBright, RightGray };
QPixmap MakeArrowPicture(ArrowKind kind);

}  // namespace calvetta
