// How long one band change's maths takes on the EQ page: the band's peak
// filter is designed and the whole response curve (610 points, 18 rows) is
// summed again, with all ten bands designed.  This runs at every step of a
// drag on the graph, so it must stay well inside a frame.

#include <benchmark/benchmark.h>

#include <cstddef>

#include "app/Tables.h"
#include "eq/EqBands.h"
#include "eq/EqMath.h"

namespace {

using calvetta::CurveSums;
using calvetta::LookupTables;

// The gain in dB that the curve uses for a gain position (0.099 dB a step).
double CurveGain(int gainStep) {
    return (gainStep - 200) * 0.099;
}

void BM_EqBandChange(benchmark::State& state) {
    LookupTables t;
    t.BuildFreqTable();
    t.ClearBandCoef();
    t.BuildCurveFreq();
    CurveSums sums{};
    for (int band = 1; band <= calvetta::kEqBands; ++band) {
        const auto index = calvetta::BandDefaultFreq[static_cast<std::size_t>(band - 1)];
        const auto coef = calvetta::DesignPeakFilter(t.FreqTable[index].Hz,
                                                     CurveGain(150 + 10 * band), 0.4 + band);
        calvetta::SumResponseCurve(band, coef, t, sums);
    }
    // A drag on band 5's gain handle: every step is a new gain.
    const double hz = t.FreqTable[calvetta::BandDefaultFreq[4]].Hz;
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 251;
        const auto coef = calvetta::DesignPeakFilter(hz, CurveGain(step), 1.4);
        calvetta::SumResponseCurve(5, coef, t, sums);
        benchmark::DoNotOptimize(sums.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EqBandChange)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
