#include "eq/GraphScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "app/Tables.h"
#include "eq/BandRules.h"

namespace calvetta {
namespace {

TEST(GraphScale, FrequencyAndLevelToTwips) {
    // Hz, x: the graph's ends, a decade mark, a handle's default frequency.
    const std::tuple<double, double> frequencies[] = {
        {20.0, 340.0}, {20000.0, 12540.08}, {200.0, 4406.7}, {1000.0, 7249.19}, {40.3, 1577.4}};
    for (const auto& [hz, x] : frequencies)
        EXPECT_NEAR(XOfFrequency(hz), x, 0.05) << hz;
    // dB, y: up is more gain; the field's edges at +5 and at -20.
    const std::tuple<float, float> levels[] = {
        {0.0f, 2250.0f}, {5.0f, 1465.0f}, {-20.0f, 5390.0f}, {4.95f, 1472.85f}, {-19.8f, 5358.6f}};
    for (const auto& [db, y] : levels)
        EXPECT_FLOAT_EQ(YOfDb(db), y) << db;
}

TEST(GraphScale, CurvePointsHandlesAndTablesAgree) {
    LookupTables t;
    t.BuildCurveFreq();
    t.BuildCurveX();
    // Every curve point stands where its own frequency lies on the scale, and
    // a centre handle at that frequency stands on it too.
    for (int i = 1; i < LookupTables::kCurvePoints; ++i) {
        const double hz = t.CurveFreq[static_cast<std::size_t>(i)];
        EXPECT_EQ(t.CurveX[static_cast<std::size_t>(i)], CurvePointX(i));
        EXPECT_NEAR(XOfFrequency(hz), CurvePointX(i), 1e-6) << i;
        EXPECT_EQ(MidLeftForFrequency(hz), CurvePointX(i)) << i;
    }
}

}  // namespace
}  // namespace calvetta
