#include "eq/EqMath.h"

#include <cmath>
#include <cstddef>

namespace calvetta {

PeakCoef DesignPeakFilter(double freqHz, double gainDb, double q) {
    const double A = std::pow(10.0, gainDb / 20.0);
    const double w0 = kTwoPiSingle * freqHz / kEqSampleRate;
    const double c = std::cos(w0);
    const double s = std::sin(w0);
    const double k =
        A < 1.0 ? (2.0 * q * A - s) / (2.0 * q * A + s) : (2.0 * q - s) / (2.0 * q + s);
    const double b0 = ((1.0 + k) + A * (1.0 - k)) / 2.0;
    const double b1 = -c * (1.0 + k);
    const double b2 = ((1.0 + k) - A * (1.0 - k)) / 2.0;
    const double a1 = -c * (1.0 + k);
    const double a2 = k;
    return {b0, -a1, b1, -a2, b2};
}

double BandMagnitudeDb(double freqHz, double b0, double a1, double b1, double a2, double b2) {
    const double c1 = std::cos(kPiSingle * freqHz / kEqHalfRate);
    const double c2 = std::cos(kTwoPiSingle * freqHz / kEqHalfRate);
    const double N =
        b0 * b0 + b1 * b1 + b2 * b2 + 2.0 * b0 * b1 * c1 + 2.0 * b1 * b2 * c1 + 2.0 * b0 * b2 * c2;
    const double D = 1.0 + a1 * a1 + a2 * a2 + 2.0 * a1 * c1 + 2.0 * a1 * a2 * c1 + 2.0 * a2 * c2;
    if (D == 0.0) return kPoleSentinel;
    const double r = N / D;
    if (r == 0.0) return 0.0;
    return 10.0 * (std::log(r) / std::log(10.0));
}

void SumResponseCurve(int band, const PeakCoef& record, LookupTables& tables, CurveSums& sums) {
    auto& row = tables.BandCoef[static_cast<std::size_t>(band)];
    row[1] = record[0];
    row[2] = -record[1];
    row[3] = record[2];
    row[4] = -record[3];
    row[5] = record[4];
    sums.fill(0.0f);
    for (std::size_t i = 1; i < sums.size(); ++i) {
        for (std::size_t j = 1; j < tables.BandCoef.size(); ++j) {
            const auto& r = tables.BandCoef[j];
            double db = BandMagnitudeDb(tables.CurveFreq[i], r[1], r[2], r[3], r[4], r[5]);
            while (db == kPoleSentinel) {
                tables.CurveFreq[i] -= 0.05;
                db = BandMagnitudeDb(tables.CurveFreq[i], r[1], r[2], r[3], r[4], r[5]);
            }
            sums[i] = static_cast<float>(static_cast<double>(sums[i]) + db);
        }
    }
}

float CurveY(float sumDb) {
    return 2250.0f - 157.0f * sumDb;
}

}  // namespace calvetta
