#include "eq/EqMath.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>

namespace calvetta {

namespace {

struct Cosines {
    double c1;  // cos w, the angle of z^-1 at the frequency
    double c2;  // cos 2w
};

Cosines CosinesAt(double freqHz) {
    return {std::cos(kPiSingle * freqHz / kEqHalfRate),
            std::cos(kTwoPiSingle * freqHz / kEqHalfRate)};
}

// N and D are |numerator|^2 and |denominator|^2 at the frequency, expanded and
// added in this order; the drawn curve has always been summed this way, and
// another order differs in the last bits.
double MagnitudeDb(Cosines c, double b0, double a1, double b1, double a2, double b2) {
    const double N = b0 * b0 + b1 * b1 + b2 * b2 + 2.0 * b0 * b1 * c.c1 + 2.0 * b1 * b2 * c.c1 +
                     2.0 * b0 * b2 * c.c2;
    const double D =
        1.0 + a1 * a1 + a2 * a2 + 2.0 * a1 * c.c1 + 2.0 * a1 * a2 * c.c1 + 2.0 * a2 * c.c2;
    // A pole on the unit circle: D is exactly 0 there, and next to it rounding
    // can leave D just below 0, where no logarithm exists.  Both are the pole.
    if (D <= 0.0) return kPoleSentinel;
    const double r = N / D;
    // A zero on the unit circle (and every all-zero row): the same rounding
    // can make N, and so r, slightly negative.  Nothing to add.
    if (r <= 0.0) return 0.0;
    const double db = 10.0 * (std::log(r) / std::log(10.0));
    // Coefficients that overflow N or D, or a NaN among them: adding an
    // infinity or a NaN would wreck the whole curve, so the row adds nothing.
    return std::isfinite(db) ? db : 0.0;
}

void FileRecord(int band, const PeakCoef& record, LookupTables& tables) {
    auto& row = tables.BandCoef.at(static_cast<std::size_t>(band));
    row[1] = record[0];
    row[2] = -record[1];
    row[3] = record[2];
    row[4] = -record[3];
    row[5] = record[4];
}

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

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
    return MagnitudeDb(CosinesAt(freqHz), b0, a1, b1, a2, b2);
}

void SumResponseCurve(int band, const PeakCoef& record, LookupTables& tables, CurveSums& sums) {
    thread_local ResponseCurveCache cache;
    cache.Sum(band, record, tables, sums);
}

ResponseCurveCache::ResponseCurveCache()
    : pointFreq_(kPoints),
      pointKnown_(kPoints, 0),
      cos1_(kPoints),
      cos2_(kPoints),
      db_(kRows * kPoints) {}

void ResponseCurveCache::SetPoint(std::size_t point, double freqHz) {
    const Cosines c = CosinesAt(freqHz);
    pointFreq_[point] = freqHz;
    cos1_[point] = c.c1;
    cos2_[point] = c.c2;
}

void ResponseCurveCache::Sum(int band, const PeakCoef& record, LookupTables& tables,
                             CurveSums& sums) {
    FileRecord(band, record, tables);

    // An all-zero row adds exactly +0.0 at every point (its ratio is 0, or NaN
    // at a NaN frequency: 0 dB either way) and can never meet a pole, so it
    // is neither evaluated nor added.  A sum never holds -0.0 (every value
    // added is +0.0 or at least about 1e-16 away from 0), so leaving out a
    // +0.0 changes no bit.
    std::array<bool, kRows> live{};
    std::array<bool, kRows> changed{};
    bool anyChanged = false;
    for (std::size_t j = 1; j < kRows; ++j) {
        const auto& r = tables.BandCoef[j];
        const Coef5 coef{r[1], r[2], r[3], r[4], r[5]};
        live[j] = std::any_of(coef.begin(), coef.end(), [](double v) { return v != 0.0; });
        changed[j] = !std::equal(coef.begin(), coef.end(), rowCoef_[j].begin(), SameBits);
        if (changed[j]) rowCoef_[j] = coef;
        anyChanged = anyChanged || (changed[j] && live[j]);
    }

    for (std::size_t i = 1; i < kPoints; ++i) {
        const double freqHz = tables.CurveFreq[i];
        bool fresh = pointKnown_[i] == 0 || !SameBits(freqHz, pointFreq_[i]);
        if (!fresh && !anyChanged) continue;
        if (fresh) {
            SetPoint(i, freqHz);
            pointKnown_[i] = 1;
        }
        int nudges = 0;
        for (std::size_t j = 1; j < kRows; ++j) {
            if (!live[j] || !(fresh || changed[j])) continue;
            const Coef5& c = rowCoef_[j];
            double& db = db_[j * kPoints + i];
            db = MagnitudeDb({cos1_[i], cos2_[i]}, c[0], c[1], c[2], c[3], c[4]);
            while (db == kPoleSentinel) {
                if (nudges == kMaxPointNudges) {
                    db = 0.0;
                    break;
                }
                ++nudges;
                tables.CurveFreq[i] -= kCurveNudgeHz;
                SetPoint(i, tables.CurveFreq[i]);
                // The rows before this one stay added at the old frequency and
                // the rest of the point uses the new one; the next drawing
                // evaluates every row here again.
                pointKnown_[i] = 0;
                fresh = true;
                db = MagnitudeDb({cos1_[i], cos2_[i]}, c[0], c[1], c[2], c[3], c[4]);
            }
        }
    }

    // Row by row over all points, so each point still takes its rows in order.
    sums.fill(0.0f);
    for (std::size_t j = 1; j < kRows; ++j) {
        if (!live[j]) continue;
        const double* values = &db_[j * kPoints];
        for (std::size_t i = 1; i < kPoints; ++i)
            sums[i] = static_cast<float>(static_cast<double>(sums[i]) + values[i]);
    }
}

}  // namespace calvetta
