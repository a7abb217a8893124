#include "eq/EqMath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>

#include "eq/BandRules.h"

// Figures written as literals come from tests/eq/eq_reference.py: Python's own
// double arithmetic in the curve's order of operations, each checked there
// against the transfer function evaluated with mpmath at 50 digits.

namespace calvetta {
namespace {

using Row5 = std::array<double, 5>;  // b0 a1 b1 a2 b2, as BandCoef holds them

LookupTables CurveTables() {
    LookupTables t;
    t.BuildFreqTable();
    t.ClearBandCoef();
    t.BuildCurveFreq();
    return t;
}

void SetRow(LookupTables& t, std::size_t row, const Row5& c) {
    std::copy(c.begin(), c.end(), t.BandCoef[row].begin() + 1);
}

// The curve straight from its definition, every row at every point: what the
// cached sums must match bit for bit.
void ReferenceSum(int band, const PeakCoef& rec, LookupTables& t, CurveSums& sums) {
    SetRow(t, static_cast<std::size_t>(band), {rec[0], -rec[1], rec[2], -rec[3], rec[4]});
    sums.fill(0.0f);
    for (std::size_t i = 1; i < sums.size(); ++i) {
        int nudges = 0;
        for (std::size_t j = 1; j < t.BandCoef.size(); ++j) {
            const auto& r = t.BandCoef[j];
            double db = BandMagnitudeDb(t.CurveFreq[i], r[1], r[2], r[3], r[4], r[5]);
            while (db == kPoleSentinel && nudges < kMaxPointNudges) {
                ++nudges;
                t.CurveFreq[i] -= kCurveNudgeHz;
                db = BandMagnitudeDb(t.CurveFreq[i], r[1], r[2], r[3], r[4], r[5]);
            }
            if (db == kPoleSentinel) db = 0.0;
            sums[i] = static_cast<float>(static_cast<double>(sums[i]) + db);
        }
    }
}

template <typename T>
bool Same(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(EqMath, PeakFiltersAndTheirMagnitudes) {
    struct Case {
        Row5 row;
        double hz, gainDb, q, atHz, db;
    } const cases[] = {
        // clang-format off
        // Gain position 0: a cut, k = (2QA - s) / (2QA + s); seen at curve point 305.
        {{0.9411656188175873, -1.8688868680374062, -1.8688868680374062, 0.8689176751968848,
          0.9277520563792975}, 40.3, CurveGainDb(0), 0.4, 632.4409693745345, -5.256043248203759},
        // Gain position 250: a boost, k = (2Q - s) / (2Q + s); seen at curve point 433.
        {{1.0370707356239803, -1.8841837331856597, -1.8841837331856597, 0.9034707029676646,
          0.8663999673436842}, 1000.0, CurveGainDb(250), 1.4, 2694.784220611781, 0.7147108940683067},
        // clang-format on
    };
    for (const auto& [e, hz, gainDb, q, atHz, db] : cases) {
        // The record keeps the feedback pair with inverted signs.
        EXPECT_EQ(DesignPeakFilter(hz, gainDb, q), (PeakCoef{e[0], -e[1], e[2], -e[3], e[4]}));
        EXPECT_EQ(BandMagnitudeDb(atHz, e[0], e[1], e[2], e[3], e[4]), db) << hz;
    }
}

TEST(EqMath, CurveSurvivesPolesZerosAndWildRows) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double stuck = 1125899944616929.8;  // cos(pi f / 22050) is -1; f - 0.05 is f
    struct Case {
        Row5 row;
        double hz, hzAfter, sum;
    } const cases[] = {
        {{1, -2, 0, 1, 0}, 0.03, -0.22000000000000003, 153.52529907226562},  // D < 0: 5 moves
        {{1e200, 0, 0, 0, 0}, 1000.0, 1000.0, 0.0},                          // N overflows
        {{nan, 0, 0, 0, 0}, 1000.0, 1000.0, 0.0},
        {{1, 1, 0, 0, 0}, stuck, stuck, 0.0},  // a pole no move leaves
    };
    LookupTables t;
    CurveSums sums{};
    for (const auto& c : cases) {
        t = CurveTables();
        SetRow(t, 12, c.row);
        t.CurveFreq[300] = c.hz;
        SumResponseCurve(1, PeakCoef{}, t, sums);
        EXPECT_EQ(t.CurveFreq[300], c.hzAfter) << c.hz;
        EXPECT_EQ(sums[300], c.sum) << c.hz;
    }
    EXPECT_THROW(SumResponseCurve(19, PeakCoef{}, t, sums), std::out_of_range);
}

// Random band changes on random bands, and redrawings after crafted rows were
// set behind the curve's back and points moved next to their poles.
TEST(EqMath, CacheMatchesPlainEvaluationBitForBit) {
    const Row5 crafted[] = {{1, -2, 0, 1, 0}, {1, -2, -2, 1, 1}, {1, 0, -1, 0, 0}};
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
        LookupTables ref = CurveTables(), got = ref;
        ResponseCurveCache cache;
        CurveSums refSums{}, gotSums{};
        PeakCoef rec{};
        int band = 1;
        for (int step = 0; step < 25; ++step) {
            if (pick(0, 3) > 0) {
                band = pick(1, 10);
                rec = DesignPeakFilter(ref.FreqTable[static_cast<std::size_t>(pick(0, 255))].Hz,
                                       CurveGainDb(pick(0, 250)), pick(4, 100) / 10.0);
            } else {  // the same record again, with a crafted row and a point next to
                      // 0 Hz
                SetRow(ref, static_cast<std::size_t>(pick(11, 18)), crafted[pick(0, 2)]);
                ref.CurveFreq[static_cast<std::size_t>(pick(1, 610))] = pick(0, 1) ? 1e-9 : 0.03;
                got = ref;  // equal until now, as checked below
            }
            ReferenceSum(band, rec, ref, refSums);
            cache.Sum(band, rec, got, gotSums);
            ASSERT_TRUE(Same(refSums, gotSums)) << seed << ' ' << step;
            ASSERT_TRUE(Same(ref.BandCoef, got.BandCoef)) << seed << ' ' << step;
            ASSERT_TRUE(Same(ref.CurveFreq, got.CurveFreq)) << seed << ' ' << step;
        }
    }
}

}  // namespace
}  // namespace calvetta
