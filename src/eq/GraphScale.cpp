#include "eq/GraphScale.h"

#include <cmath>

namespace calvetta {

double XOfFrequency(double hz) {
    return kScaleLeftX + kPointPitch * std::log10(hz / 20.0) / kDecadesPerPoint;
}

int CurvePointX(int i) {
    return kScaleLeftX + kPointPitch * i;
}

float YOfDb(float db) {
    return static_cast<float>(kZeroDbY) - kTwipsPerDb * db;
}

}  // namespace calvetta
