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
        // The window load's order.
        t.BuildFreqTable();
        t.BuildFreqText();
        t.BuildQLabel();
        t.BuildOctTables();
        t.BuildFormatName();
        t.ClearBandCoef();
        t.BuildCurveFreq();
        t.BuildCurveX();
        t.BuildXoverLabel();
    }

    const std::string& Format(int code) const {
        return t.FormatName.at(static_cast<std::size_t>(code));
    }
};

TEST_F(TablesFixture, FrequenciesAndTheirTexts) {
    // The uneven steps are stored, not computed.
    EXPECT_EQ(t.FreqTable[229].Hz, 9652.0);
    EXPECT_EQ(t.FreqTable[231].Hz, 10190.0);
    EXPECT_EQ(t.FreqTable[253].Hz, 18440.0);
    EXPECT_TRUE(t.FreqTable[39].Fractional);
    EXPECT_FALSE(t.FreqTable[40].Fractional);

    EXPECT_EQ(t.FreqText[0], "20");
    EXPECT_EQ(t.FreqText[1], "20.5");
    EXPECT_EQ(t.FreqText[34], "50.1");
    EXPECT_EQ(t.FreqText[39], "57.3");
    EXPECT_EQ(t.FreqText[40], "59");
    EXPECT_EQ(t.FreqText[145], "1000");
    EXPECT_EQ(t.FreqText[230], "10000");
    EXPECT_EQ(t.FreqText[254], "19460");
    EXPECT_EQ(t.FreqText[255], "20000");

    // Every text reads back as its entry (the EQ sliders parse it), carries a
    // point exactly when the entry is fractional, and the table rises.
    for (std::size_t i = 0; i < t.FreqText.size(); ++i) {
        SCOPED_TRACE(i);
        const FreqValue& f = t.FreqTable[i];
        EXPECT_EQ(std::stod(t.FreqText[i]), f.Hz);
        EXPECT_EQ(t.FreqText[i].find('.') != std::string::npos, f.Fractional);
        EXPECT_EQ(f.Fractional, std::floor(f.Hz) != f.Hz);
        if (i > 0) {
            EXPECT_GT(f.Hz, t.FreqTable[i - 1].Hz);
        }
    }
}

TEST_F(TablesFixture, QAndBandwidthTables) {
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(t.QLabel.at(static_cast<std::size_t>(i)), "");
    EXPECT_EQ(t.QLabel[4], "0.4");
    EXPECT_EQ(t.QLabel[10], "1.0");
    EXPECT_EQ(t.QLabel[99], "9.9");
    EXPECT_EQ(t.QLabel[100], "10.0");

    const char* labels[] = {"0.1", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6",
                            "0.7", "0.8", "0.9", "1.0", "1.1", "1.2", "1.3",
                            "1.5", "1.7", "1.9", "2.1", "2.5", "3.0", "3.0"};
    const int tenths[] = {1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 17, 19, 21, 25, 30, 30};
    const int q[] = {100, 100, 70, 40, 30, 25, 23, 18, 16, 15, 14, 12, 11, 10, 9, 8, 7, 6, 5, 4, 4};
    for (std::size_t i = 0; i < LookupTables::kOctCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(t.OctLabel[i], labels[i]);
        EXPECT_EQ(t.OctTenths[i], tenths[i]);
        EXPECT_EQ(t.OctToQ[i], q[i]);
    }
}

TEST_F(TablesFixture, FormatNamesByCode) {
    // clang-format off
    const std::pair<int, const char*> expected[] = {
        {0, "UNlOCK"}, {3, "M PCM 7.1"},
        {4, "DOLBY DIGITAL PLUS (1+1)"}, {9, "DOLBY DIGITAL PLUS (3/1)"},
        {12, "DOLBY DIGITAL PLUS (3/1)"}, {17, "DOLBY DIGITAL PLUS (2/4)"},
        {20, "DOLBY DIGITAL PLUS (2/4)"}, {26, "DOLBY DIGITAL PLUS (3/4)"},
        {27, "DOLBY DIGITAL EX (3/3)"}, {28, "DOLBY DIGITAL (1+1)"},
        {35, "DOLBY DIGITAL (3/2)"}, {36, "DOLBY TRUEHD (1+1)"},
        {47, "DOLBY TRUEHD (2/4)"}, {48, "DOLBY DIGITAL PLUS (1+1).1"},
        {71, "DOLBY DIGITAL EX (3/3).1"}, {91, "DOLBY TRUEHD (2/4).1"},
        {92, "DTS EXPRESS (1/0)"}, {101, "DTS EXPRESS (3/4)"},
        {102, "DTS EXPRESS  9.0"}, {103, "DTS EXPRESS 10.0"},
        {104, "DTS-HD MSTR (1/0)"}, {113, "DTS-HD MSTR (3/4)"},
        {114, "DTS-HD MSTR  8.0"}, {115, "DTS-HD MSTR  9.0"},
        {116, "DTS-HD MSTR 10.0"}, {117, "DTS-HD HI RES (1/0)"},
        {126, "DTS-HD HI RES (3/4)"}, {127, "DTS-HD HI RES  8.0 "},
        {128, "DTS-HD HI RES  9.0 "}, {129, "DTS-HD HI RES 10.0 "},
        {130, "DTS 96/24 ES MATRIX (3/3)"}, {131, "DTS 96/24 ES DISCRETE (3/3)"},
        {132, "DTS 96/24 (1/0)"}, {139, "DTS 96/24 (3/2)"},
        {140, "DTS ES DISCRETE (3/4)"}, {141, "DTS ES DISCRETE 8.0"},
        {142, "DTS ES DISCRETE 9.0"}, {143, "DTS ES DISCRETE 10.0"},
        {144, "DTS ES MATRIX (3/4)"}, {145, "DTS ES MATRIX 8.0"},
        {146, "DTS ES MATRIX 9.0"}, {147, "DTS ES MATRIX 10.0"},
        {148, "DTS ES MATRIX (3/3)"}, {149, "DTS ES DISCRETE (3/3)"},
        {150, "DTS (1/0)"}, {157, "DTS (3/2)"},
        {168, "DTS EXPRESS  9.1"}, {169, "DTS EXPRESS 10.1"},
        {170, "DTS EXPRESS 10.2"}, {181, "DTS-HD MSTR  9.1"},
        {182, "DTS-HD MSTR 10.1"}, {183, "DTS-HD MSTR 10.2"},
        {194, "DTS-HD HI RES  9.1"}, {195, "DTS-HD HI RES 10.1"},
        {196, "DTS-HD HI RES 10.2"}, {207, "DTS ES DISCRETE (3/4).1"},
        {208, "DTS ES DISCRETE 8.1"}, {209, "DTS ES DISCRETE 9.1"},
        {210, "DTS ES DISCRETE 10.1"}, {211, "DTS ES MATRIX (3/4).1"},
        {212, "DTS ES MATRIX 8.1"}, {213, "DTS ES MATRIX 9.1"},
        {214, "DTS ES MATRIX 10.1"}, {215, "DTS ES MATRIX (3/3).1"},
        {216, "DTS ES DISCRETE (3/3).1"}, {224, "DTS (3/2).1"}};
    // clang-format on
    for (const auto& [code, text] : expected)
        EXPECT_EQ(Format(code), text) << code;
}

TEST_F(TablesFixture, FormatNamesRepeatFamiliesWithLfe) {
    // {first code, first code of the family it repeats with ".1", count}
    const int repeats[][3] = {{48, 4, 44},    {158, 92, 10},  {171, 104, 10},
                              {184, 117, 10}, {197, 130, 10}, {217, 150, 8}};
    for (const auto& r : repeats) {
        for (int i = 0; i < r[2]; ++i)
            EXPECT_EQ(Format(r[0] + i), Format(r[1] + i) + ".1");
    }
    for (int c = 0; c <= 224; ++c)
        EXPECT_FALSE(Format(c).empty()) << c;
    for (int c = 225; c <= 255; ++c)
        EXPECT_EQ(Format(c), "") << c;
}

TEST_F(TablesFixture, CrossoverTextsMatchOnlyExactly) {
    const char* texts[] = {"40  Hz", "50  Hz",  "60  Hz",  "70 Hz",   "80 Hz",  "90 Hz", "100 Hz",
                           "110 Hz", "120  Hz", "130  Hz", "140  Hz", "150 Hz", "200 Hz"};
    for (int i = 0; i < LookupTables::kXoverCount; ++i) {
        EXPECT_EQ(t.XoverLabel.at(static_cast<std::size_t>(i)), texts[i]) << i;
        EXPECT_EQ(t.XoverIndexOf(texts[i]), i);
    }
    EXPECT_EQ(t.XoverIndexOf("40 Hz"), -1);
    EXPECT_EQ(t.XoverIndexOf("80  Hz"), -1);
    EXPECT_EQ(t.XoverIndexOf("80 Hz "), -1);
}

TEST_F(TablesFixture, CurveGridAndCoefficients) {
    EXPECT_EQ(t.CurveFreq[0], 0.0);
    EXPECT_NEAR(t.CurveFreq[1], 20.228, 0.001);
    EXPECT_NEAR(t.CurveFreq[305], 632.44, 0.01);
    EXPECT_NEAR(t.CurveFreq[610], 19999.08, 0.01);
    EXPECT_LT(t.CurveFreq[610], 20000.0);
    for (int i = 1; i < LookupTables::kCurvePoints; ++i) {
        const double expected =
            std::exp((std::log(20.0) / std::log(10.0) + 0.004918 * i) * std::log(10.0));
        ASSERT_EQ(t.CurveFreq.at(static_cast<std::size_t>(i)), expected) << i;
    }

    EXPECT_EQ(t.CurveX[0], 340);
    EXPECT_EQ(t.CurveX[610], 12540);

    t.BandCoef[18][5] = 1.5;
    t.BandCoef[0][0] = -2.0;
    t.ClearBandCoef();
    for (const auto& row : t.BandCoef) {
        for (double v : row)
            EXPECT_EQ(v, 0.0);
    }
}

}  // namespace
}  // namespace calvetta
