#include "eq/BandRules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace calvetta {
namespace {

TEST(BandRules, FrequencyWindowsShareTheirBoundaries) {
    // band, index, kept; any other band takes band 10's window.
    const std::tuple<int, int, bool> cases[] = {
        {1, 0, true},    {1, 51, true},    {1, 52, false},  {2, 50, false},
        {2, 51, true},   {2, 72, true},    {2, 73, false},  {9, 211, false},
        {9, 243, true},  {10, 242, false}, {10, 243, true}, {10, 255, true},
        {0, 242, false}, {11, 250, true},  {5, 129, true},  {5, 128, false}};
    for (const auto& [band, index, kept] : cases)
        EXPECT_EQ(InBandWindow(band, index), kept) << band << " " << index;

    // SW option, channel, band: the cap holds only where the band can meet it.
    const std::tuple<bool, int, int, bool> caps[] = {{true, 7, 1, true},
                                                     {true, 7, 4, true},
                                                     {true, 7, 5, false},
                                                     {true, 0, 1, false},
                                                     {false, 7, 1, false}};
    for (const auto& [sw, channel, band, applies] : caps)
        EXPECT_EQ(SwCapApplies(sw, channel, band), applies) << channel << " " << band;
}

TEST(BandRules, GainTextsOfLabelAndReadout) {
    const std::tuple<int, const char*, const char*> gains[] = {
        {200, "0.0(dB)", "0.0"}, {199, "-00.1(dB)", "-0.1"}, {165, "-03.5(dB)", "-3.5"}};
    for (const auto& [step, label, readout] : gains) {
        EXPECT_EQ(GainLabelText(step), label) << step;
        EXPECT_EQ(GainDbText(step), readout) << step;
    }
}

// Runs steps from `from` until none is left; the values reached.
template <class Step>
std::vector<int> Walk(int from, Step step) {
    std::vector<int> seen;
    for (auto v = step(from); v; v = step(*v))
        seen.push_back(*v);
    return seen;
}

TEST(BandRules, HandleStepsSlowDownAtTheEnds) {
    using V = std::vector<int>;
    EXPECT_EQ(Walk(251, [](int v) { return StepUp(v, 255, 4); }), (V{252, 253, 254, 255}));
    EXPECT_EQ(Walk(7, [](int v) { return StepDown(v, 0, 6); }), (V{1, 0}));
    EXPECT_EQ(Walk(3, [](int v) { return StepDown(v, 1, 4); }), (V{2, 1}));
}

TEST(BandRules, ArrowStepsHaveFixedLimits) {
    // index, right, value, SW selected, value assigned (-1: none)
    const std::tuple<int, bool, int, bool, int> cases[] = {
        {0, false, 2, false, 1},   {0, false, 1, false, -1},   {0, true, 19, false, -1},
        {0, true, 18, false, 19},  {30, false, 0, false, -1},  {30, true, 255, false, 255},
        {30, true, 94, false, 95}, {31, true, 250, false, -1}, {31, false, 1, false, 0}};
    for (const auto& [index, right, value, sw, expected] : cases)
        EXPECT_EQ(ArrowStep(index, right, value, sw).value_or(-1), expected)
            << index << " " << value;
}

TEST(BandRules, SelectionRepairsAndRounding) {
    // Stored, then loaded as a gain and as a bandwidth.
    const std::array<float, 3> repairs[] = {{300, 200, 10}, {251, 200, 10}, {250, 250, 10},
                                            {20, 20, 10},   {19, 19, 19},   {1, 1, 1},
                                            {0, 0, 10},     {-5, 200, 10}};
    for (const auto& [stored, gain, width] : repairs) {
        EXPECT_EQ(RepairedGain(stored), gain) << stored;
        EXPECT_EQ(RepairedBandwidth(stored), width) << stored;
    }
    const std::pair<float, int> positions[] = {{2.5f, 2}, {3.5f, 4}, {26.4f, 26}, {26.6f, 27}};
    for (const auto& [stored, position] : positions)
        EXPECT_EQ(SliderPosition(stored), position) << stored;
}

TEST(BandRules, BandReports) {
    // p2..p6 and what is taken: channel, band, gain, freq, bandwidth.
    using R = std::tuple<int, int, int, int, int>;
    const std::pair<std::array<std::uint8_t, 5>, R> reports[] = {
        {{8, 4, 251, 255, 0}, {0, 4, 200, 255, 10}}, {{7, 3, 250, 60, 19}, {7, 1, 250, 60, 19}},
        {{7, 2, 0, 0, 20}, {7, 2, 0, 0, 10}},        {{6, 10, 200, 248, 1}, {6, 10, 200, 248, 1}},
        {{3, 0, 200, 26, 10}, {3, 1, 200, 26, 10}},  {{2, 11, 200, 26, 10}, {2, 1, 200, 26, 10}}};
    for (const auto& [p, taken] : reports) {
        const BandReport r = TakeBandReport(p[0], p[1], p[2], p[3], p[4]);
        EXPECT_EQ(R(r.channel, r.band, r.gain, r.freq, r.bandwidth), taken);
    }
}

}  // namespace
}  // namespace calvetta
