#pragma once
// The one scale of the response graph, in twips from the graph's top left
// corner. Frequency runs on a logarithmic axis, 20 Hz at 340 and 20 kHz at
// 12540, one curve point every 20 twips and 0.004918 decades; gain runs
// upwards, 0 dB 2250 twips below the top edge and 157 twips a dB. The curve,
// the handles, the graph's grid and the scale captions all place themselves
// by it.

namespace calvetta {

// Decades of frequency from one curve point to the next.
inline constexpr double kDecadesPerPoint = 0.004918;
// Where 20 Hz (point 0) lies, and the distance between two points.
inline constexpr int kScaleLeftX = 340;
inline constexpr int kPointPitch = 20;
// Where 0 dB lies, and the height of one dB.
inline constexpr int kZeroDbY = 2250;
inline constexpr float kTwipsPerDb = 157.0f;

// The x of a frequency in Hz; curve point i's frequency lies at CurvePointX(i).
double XOfFrequency(double hz);
// The x of curve point i.
int CurvePointX(int i);
// The y of a level in dB, computed in single precision as the curve is drawn.
float YOfDb(float db);

}  // namespace calvetta
