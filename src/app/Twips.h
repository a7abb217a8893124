#pragma once
// Positions and sizes of the window are given in twips: 15 twips a pixel.

namespace calvetta {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int TwipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
inline constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

}  // namespace calvetta
