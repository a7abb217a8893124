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

TEST_F(TablesFixture, FrequencyQAndOctaveTexts) {
    // Every frequency text parses back to its rising entry (the EQ sliders read
    // it) and has a point, with one digit after it, exactly when the entry has a tenth.
    EXPECT_EQ(t.FreqText[1], "20.5");
    for (std::size_t i = 0; i < t.FreqText.size(); ++i) {
        const FreqValue& f = t.FreqTable[i];
        EXPECT_EQ(std::stod(t.FreqText[i]), f.Hz) << i;
        EXPECT_EQ(t.FreqText[i].find('.') != std::string::npos, f.Fractional) << i;
        EXPECT_EQ(f.Fractional, std::floor(f.Hz) != f.Hz) << i;
        EXPECT_GT(f.Hz, i > 0 ? t.FreqTable[i - 1].Hz : 0.0) << i;
    }
    for (const auto& [index, label] :
         {std::pair<std::size_t, const char*>{3, ""}, {4, "0.4"}, {100, "10.0"}})
        EXPECT_EQ(t.QLabel[index], label) << index;
    EXPECT_EQ(t.OctLabel[14], "1.5");
}

TEST_F(TablesFixture, FormatNamesByCode) {
    // The device's own spellings and blanks.
    for (const auto& [code, name] : {std::pair<std::size_t, const char*>{0, "UNlOCK"},
                                     {102, "DTS EXPRESS  9.0"},
                                     {127, "DTS-HD HI RES  8.0 "},
                                     {194, "DTS-HD HI RES  9.1"}})
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

TEST_F(TablesFixture, CrossoverTextsMatchOnlyExactlyAndCurveGrid) {
    for (int i = 0; i < LookupTables::kXoverCount; ++i)
        EXPECT_EQ(t.XoverIndexOf(t.XoverLabel[static_cast<std::size_t>(i)]), i);
    for (const char* text : {"40 Hz", "80  Hz", "80 Hz "})
        EXPECT_EQ(t.XoverIndexOf(text), -1) << text;
    EXPECT_NEAR(t.CurveFreq[610], 19999.08, 0.01);
    EXPECT_EQ(t.CurveX[0], 340);
    EXPECT_EQ(t.CurveX[610], 12540);
}

}  // namespace
}  // namespace calvetta
