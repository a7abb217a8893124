#pragma once
// The equaliser's arithmetic: the peak filter of one band, the magnitude of
// one filter at one frequency, and the summed response curve drawn on the EQ
// graph.  The curve painter, the graph handles and the tests all ask this one
// unit, so what is drawn is exactly what is computed here.
//
// The numbers follow the curve the device's tuning tool has always drawn:
// double arithmetic with 2 pi and pi held as single-precision constants, a
// sample rate of 44,100 Hz, point sums kept in single precision after every
// addition.  The curve is for the screen only; the device receives the band's
// positions, never these coefficients.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/Tables.h"

namespace calvetta {

// 2 pi and pi as single-precision constants, widened to double.
inline constexpr double kTwoPiSingle = 6.2831854820251465;
inline constexpr double kPiSingle = 3.1415927410125732;
inline constexpr double kEqSampleRate = 44100.0;
inline constexpr double kEqHalfRate = 22050.0;

// The magnitude of a filter whose denominator is exactly zero at the
// frequency asked (a pole on the unit circle there).
inline constexpr double kPoleSentinel = 123456.0;

// The working record of the band designed last: b0, -a1, b1, -a2, b2 (the two
// feedback coefficients with their signs inverted).
using PeakCoef = std::array<double, 5>;

// The second-order peak filter of one band: centre frequency in Hz, gain in
// dB, Q (0.4 to 10.0).  A cut (gain below 0 dB) widens its bandwidth term by
// the inverse of the linear gain.
PeakCoef DesignPeakFilter(double freqHz, double gainDb, double q);

// The magnitude in dB of the filter (b0 + b1 z^-1 + b2 z^-2) /
// (1 + a1 z^-1 + a2 z^-2) at freqHz; kPoleSentinel where the denominator is
// zero there (or rounded below zero next to a pole).  Never a NaN or an
// infinity: a ratio at or below zero (a zero on the unit circle) and a result
// that is not finite both give 0 dB.
double BandMagnitudeDb(double freqHz, double b0, double a1, double b1, double a2, double b2);

// How far a curve point moves down when a row meets its pole there, and how
// often one point may move in one drawing; after that the row adds 0 dB at
// that point.  At a frequency so large that 0.05 Hz no longer changes it, a
// pole there would otherwise be met for ever.  100 moves (5 Hz) step well
// past the +-1 Hz where rounding keeps a double pole at 0 Hz at or below zero.
inline constexpr double kCurveNudgeHz = 0.05;
inline constexpr int kMaxPointNudges = 100;

// The 611 point sums of one drawing (point 0 is never drawn).
using CurveSums = std::array<float, LookupTables::kCurvePoints>;

// Files `record` under row `band` (0 to 18, else std::out_of_range) of
// tables.BandCoef (b0, a1, b1, a2, b2, the feedback signs restored) and sums
// the magnitude of rows 1 to 18 at curve points 1 to 610, in row order, in
// single precision after each addition.  A row that meets its pole at a point
// lowers that point's CurveFreq by kCurveNudgeHz in the table, for good, and
// is evaluated again there; the rows before it stay added at the old
// frequency.  Uses a ResponseCurveCache of the calling thread.
void SumResponseCurve(int band, const PeakCoef& record, LookupTables& tables, CurveSums& sums);

// SumResponseCurve with each row's magnitudes kept between drawings.  A band
// change then evaluates only the row that changed (and every row at a point
// whose frequency moved) and adds the kept values again in row order, so the
// sums, BandCoef and CurveFreq come out bit for bit as if everything were
// evaluated afresh.  What is kept is checked against the tables' values at
// every call, so any change to BandCoef or CurveFreq, by anyone, is seen.
class ResponseCurveCache {
  public:
    ResponseCurveCache();
    void Sum(int band, const PeakCoef& record, LookupTables& tables, CurveSums& sums);

  private:
    static constexpr std::size_t kPoints = LookupTables::kCurvePoints;
    static constexpr std::size_t kRows = LookupTables::kCoefRows;
    using Coef5 = std::array<double, 5>;

    void SetPoint(std::size_t point, double freqHz);

    std::array<Coef5, kRows> rowCoef_{};     // what each row was last seen holding
    std::vector<double> pointFreq_;          // the frequency each point was evaluated at
    std::vector<unsigned char> pointKnown_;  // every row's value at the point is kept
    std::vector<double> cos1_, cos2_;        // the two cosines at pointFreq_
    std::vector<double> db_;                 // row r, point i at r * kPoints + i
};

}  // namespace calvetta
