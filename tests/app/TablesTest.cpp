#include "app/Tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace calvetta {
namespace {

struct TablesFixture : ::testing::Test {
    LookupTables t;

    void SetUp() override {
        // The window load's order: FreqText needs FreqTable.
        for (auto build : {&LookupTables::BuildFreqTable, &LookupTables::BuildFreqText,
                           &LookupTables::BuildQLabel, &LookupTables::BuildOctTables,
                           &LookupTables::BuildFormatName, &LookupTables::ClearBandCoef,
                           &LookupTables::BuildCurveFreq, &LookupTables::BuildCurveX,
                           &LookupTables::BuildXoverLabel})
            (t.*build)();
    }
};

TEST_F(TablesFixture, FrequencyTexts) {
    const std::pair<std::size_t, const char*> texts[] = {
        {0, "20"},     {1, "20.5"},    {39, "57.3"},   {40, "59"},
        {145, "1000"}, {230, "10000"}, {254, "19460"}, {255, "20000"}};
    for (const auto& [index, text] : texts)
        EXPECT_EQ(t.FreqText[index], text) << index;

    // Every text parses back to its rising entry (the EQ sliders read it) and has
    // a point exactly when the entry has a tenth.
    for (std::size_t i = 0; i < t.FreqText.size(); ++i) {
        const FreqValue& f = t.FreqTable[i];
        EXPECT_EQ(std::stod(t.FreqText[i]), f.Hz) << i;
        EXPECT_EQ(t.FreqText[i].find('.') != std::string::npos, f.Fractional) << i;
        EXPECT_EQ(f.Fractional, std::floor(f.Hz) != f.Hz) << i;
        EXPECT_GT(f.Hz, i > 0 ? t.FreqTable[i - 1].Hz : 0.0) << i;
    }
}

TEST_F(TablesFixture, QAndBandwidthTables) {
    const std::pair<std::size_t, const char*> qLabels[] = {
        {0, ""}, {1, ""}, {2, ""}, {3, ""}, {4, "0.4"}, {10, "1.0"}, {100, "10.0"}};
    for (const auto& [index, label] : qLabels)
        EXPECT_EQ(t.QLabel[index], label) << index;

    EXPECT_EQ(t.OctLabel[14], "1.5");
    EXPECT_EQ(t.OctLabel[20], "3.0");
    EXPECT_EQ(t.OctTenths[19], 30);
    EXPECT_EQ(t.OctToQ[10], 14);
    EXPECT_EQ(t.OctToQ[20], 4);
}

TEST_F(TablesFixture, FormatNamesByCode) {
    // clang-format off
    const std::pair<std::size_t, const char*> names[] = {
        {0, "UNlOCK"}, {3, "M PCM 7.1"}, {4, "DOLBY DIGITAL PLUS (1+1)"},
        {12, "DOLBY DIGITAL PLUS (3/1)"}, {27, "DOLBY DIGITAL EX (3/3)"},
        {35, "DOLBY DIGITAL (3/2)"}, {47, "DOLBY TRUEHD (2/4)"}, {92, "DTS EXPRESS (1/0)"},
        {102, "DTS EXPRESS  9.0"}, {114, "DTS-HD MSTR  8.0"}, {117, "DTS-HD HI RES (1/0)"},
        {127, "DTS-HD HI RES  8.0 "}, {128, "DTS-HD HI RES  9.0 "}, {129, "DTS-HD HI RES 10.0 "},
        {130, "DTS 96/24 ES MATRIX (3/3)"}, {139, "DTS 96/24 (3/2)"}, {150, "DTS (1/0)"},
        {147, "DTS ES MATRIX 10.0"}, {149, "DTS ES DISCRETE (3/3)"}, {168, "DTS EXPRESS  9.1"},
        {194, "DTS-HD HI RES  9.1"}, {195, "DTS-HD HI RES 10.1"}, {196, "DTS-HD HI RES 10.2"},
        {183, "DTS-HD MSTR 10.2"}, {207, "DTS ES DISCRETE (3/4).1"}, {224, "DTS (3/2).1"},
        {48, "DOLBY DIGITAL PLUS (1+1).1"}, {216, "DTS ES DISCRETE (3/3).1"}};
    // clang-format on
    for (const auto& [code, name] : names)
        EXPECT_EQ(t.FormatName[code], name) << code;

    // {first code, first code of the family it repeats with ".1", count}
    const std::size_t repeats[][3] = {{48, 4, 44},    {158, 92, 10},  {171, 104, 10},
                                      {184, 117, 10}, {197, 130, 10}, {217, 150, 8}};
    for (const auto& r : repeats) {
        for (std::size_t i = 0; i < r[2]; ++i)
            EXPECT_EQ(t.FormatName[r[0] + i], t.FormatName[r[1] + i] + ".1") << r[0] + i;
    }
    for (std::size_t c = 0; c < t.FormatName.size(); ++c)
        EXPECT_EQ(t.FormatName[c].empty(), c >= 225) << c;
}

TEST_F(TablesFixture, CrossoverTextsMatchOnlyExactly) {
    EXPECT_EQ(t.XoverLabel[0], "40  Hz");
    EXPECT_EQ(t.XoverLabel[4], "80 Hz");
    for (int i = 0; i < LookupTables::kXoverCount; ++i)
        EXPECT_EQ(t.XoverIndexOf(t.XoverLabel[static_cast<std::size_t>(i)]), i);
    for (const char* text : {"40 Hz", "80  Hz", "80 Hz "})
        EXPECT_EQ(t.XoverIndexOf(text), -1) << text;
}

TEST_F(TablesFixture, CurveGridAndCoefficients) {
    EXPECT_EQ(t.CurveFreq[0], 0.0);
    EXPECT_NEAR(t.CurveFreq[1], 20.228, 0.001);
    EXPECT_NEAR(t.CurveFreq[305], 632.44, 0.01);
    EXPECT_NEAR(t.CurveFreq[610], 19999.08, 0.01);
    EXPECT_EQ(t.CurveX[0], 340);
    EXPECT_EQ(t.CurveX[610], 12540);

    t.BandCoef[18][5] = 1.5;
    t.ClearBandCoef();
    EXPECT_EQ(t.BandCoef[18][5], 0.0);
}

}  // namespace
}  // namespace calvetta
