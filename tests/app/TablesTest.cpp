#include "app/Tables.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

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

TEST_F(TablesFixture, FreqTableKeepsWholeAndFractionalEntries) {
    EXPECT_EQ(t.FreqTable[0].Hz, 20.0);
    EXPECT_FALSE(t.FreqTable[0].Fractional);
    EXPECT_EQ(t.FreqTable[1].Hz, 20.5);
    EXPECT_TRUE(t.FreqTable[1].Fractional);
    EXPECT_EQ(t.FreqTable[39].Hz, 57.3);
    EXPECT_TRUE(t.FreqTable[39].Fractional);
    EXPECT_EQ(t.FreqTable[40].Hz, 59.0);
    EXPECT_FALSE(t.FreqTable[40].Fractional);
    // The uneven steps are stored, not computed.
    EXPECT_EQ(t.FreqTable[229].Hz, 9652.0);
    EXPECT_EQ(t.FreqTable[230].Hz, 10000.0);
    EXPECT_EQ(t.FreqTable[231].Hz, 10190.0);
    EXPECT_EQ(t.FreqTable[253].Hz, 18440.0);
    EXPECT_EQ(t.FreqTable[254].Hz, 19460.0);
    EXPECT_EQ(t.FreqTable[255].Hz, 20000.0);
    EXPECT_EQ(t.FreqTable[145].Hz, 1000.0);

    for (std::size_t i = 1; i < t.FreqTable.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_GT(t.FreqTable[i].Hz, t.FreqTable[i - 1].Hz);
        const bool whole = std::floor(t.FreqTable[i].Hz) == t.FreqTable[i].Hz;
        EXPECT_EQ(t.FreqTable[i].Fractional, !whole);
    }
}

TEST_F(TablesFixture, FreqTextFollowsTheEntryKind) {
    EXPECT_EQ(t.FreqText[0], "20");
    EXPECT_EQ(t.FreqText[1], "20.5");
    EXPECT_EQ(t.FreqText[2], "21.3");
    EXPECT_EQ(t.FreqText[34], "50.1");
    EXPECT_EQ(t.FreqText[39], "57.3");
    EXPECT_EQ(t.FreqText[40], "59");
    EXPECT_EQ(t.FreqText[145], "1000");
    EXPECT_EQ(t.FreqText[230], "10000");
    EXPECT_EQ(t.FreqText[254], "19460");
    EXPECT_EQ(t.FreqText[255], "20000");

    // Every text reads back as its table entry (the EQ sliders parse it).
    for (std::size_t i = 0; i < t.FreqText.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::stod(t.FreqText[i]), t.FreqTable[i].Hz);
        EXPECT_EQ(t.FreqText[i].find('.') != std::string::npos, t.FreqTable[i].Fractional);
    }
}

TEST_F(TablesFixture, FreqTextIgnoresRegionalSettings) {
    const char* commaLocales[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"};
    const char* chosen = nullptr;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            chosen = name;
            break;
        }
    }
    if (chosen == nullptr) GTEST_SKIP() << "no locale with a decimal comma installed";
    LookupTables fresh;
    fresh.BuildFreqTable();
    fresh.BuildFreqText();
    fresh.BuildQLabel();
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(fresh.FreqText[1], "20.5");
    EXPECT_EQ(fresh.QLabel[10], "1.0");
}

TEST_F(TablesFixture, QAndBandwidthTables) {
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(t.QLabel.at(static_cast<std::size_t>(i)), "");
    EXPECT_EQ(t.QLabel[4], "0.4");
    EXPECT_EQ(t.QLabel[9], "0.9");
    EXPECT_EQ(t.QLabel[10], "1.0");
    EXPECT_EQ(t.QLabel[11], "1.1");
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

TEST_F(TablesFixture, FormatNamesOfTheDolbyFamilies) {
    EXPECT_EQ(Format(0), "UNlOCK");
    EXPECT_EQ(Format(1), "PCM");
    EXPECT_EQ(Format(2), "M PCM 5.1");
    EXPECT_EQ(Format(3), "M PCM 7.1");
    EXPECT_EQ(Format(4), "DOLBY DIGITAL PLUS (1+1)");
    EXPECT_EQ(Format(9), "DOLBY DIGITAL PLUS (3/1)");
    EXPECT_EQ(Format(12), "DOLBY DIGITAL PLUS (3/1)");
    EXPECT_EQ(Format(13), "DOLBY DIGITAL PLUS (2/3)");
    for (int c = 17; c <= 20; ++c)
        EXPECT_EQ(Format(c), "DOLBY DIGITAL PLUS (2/4)") << c;
    EXPECT_EQ(Format(21), "DOLBY DIGITAL PLUS (3/4)");
    EXPECT_EQ(Format(24), "DOLBY DIGITAL PLUS (2/4)");
    EXPECT_EQ(Format(26), "DOLBY DIGITAL PLUS (3/4)");
    EXPECT_EQ(Format(27), "DOLBY DIGITAL EX (3/3)");
    EXPECT_EQ(Format(28), "DOLBY DIGITAL (1+1)");
    EXPECT_EQ(Format(35), "DOLBY DIGITAL (3/2)");
    EXPECT_EQ(Format(36), "DOLBY TRUEHD (1+1)");
    EXPECT_EQ(Format(44), "DOLBY TRUEHD (3/3)");
    EXPECT_EQ(Format(47), "DOLBY TRUEHD (2/4)");
    EXPECT_EQ(Format(48), "DOLBY DIGITAL PLUS (1+1).1");
    EXPECT_EQ(Format(71), "DOLBY DIGITAL EX (3/3).1");
    EXPECT_EQ(Format(72), "DOLBY DIGITAL (1+1).1");
    EXPECT_EQ(Format(91), "DOLBY TRUEHD (2/4).1");
    for (int c = 48; c <= 91; ++c)
        EXPECT_EQ(Format(c), Format(c - 44) + ".1") << c;
}

TEST_F(TablesFixture, FormatNamesOfTheDtsFamilies) {
    EXPECT_EQ(Format(92), "DTS EXPRESS (1/0)");
    EXPECT_EQ(Format(93), "DTS EXPRESS (1+1)");
    EXPECT_EQ(Format(101), "DTS EXPRESS (3/4)");
    EXPECT_EQ(Format(102), "DTS EXPRESS  9.0");
    EXPECT_EQ(Format(103), "DTS EXPRESS 10.0");
    EXPECT_EQ(Format(104), "DTS-HD MSTR (1/0)");
    EXPECT_EQ(Format(113), "DTS-HD MSTR (3/4)");
    EXPECT_EQ(Format(114), "DTS-HD MSTR  8.0");
    EXPECT_EQ(Format(115), "DTS-HD MSTR  9.0");
    EXPECT_EQ(Format(116), "DTS-HD MSTR 10.0");
    EXPECT_EQ(Format(117), "DTS-HD HI RES (1/0)");
    EXPECT_EQ(Format(126), "DTS-HD HI RES (3/4)");
    EXPECT_EQ(Format(127), "DTS-HD HI RES  8.0 ");
    EXPECT_EQ(Format(128), "DTS-HD HI RES  9.0 ");
    EXPECT_EQ(Format(129), "DTS-HD HI RES 10.0 ");
    EXPECT_EQ(Format(130), "DTS 96/24 ES MATRIX (3/3)");
    EXPECT_EQ(Format(131), "DTS 96/24 ES DISCRETE (3/3)");
    EXPECT_EQ(Format(132), "DTS 96/24 (1/0)");
    EXPECT_EQ(Format(139), "DTS 96/24 (3/2)");

    const char* es[] = {"DTS ES DISCRETE (3/4)", "DTS ES DISCRETE 8.0", "DTS ES DISCRETE 9.0",
                        "DTS ES DISCRETE 10.0",  "DTS ES MATRIX (3/4)", "DTS ES MATRIX 8.0",
                        "DTS ES MATRIX 9.0",     "DTS ES MATRIX 10.0",  "DTS ES MATRIX (3/3)",
                        "DTS ES DISCRETE (3/3)"};
    for (int c = 140; c <= 149; ++c)
        EXPECT_EQ(Format(c), es[c - 140]) << c;

    EXPECT_EQ(Format(150), "DTS (1/0)");
    EXPECT_EQ(Format(151), "DTS (1+1)");
    EXPECT_EQ(Format(157), "DTS (3/2)");
}

TEST_F(TablesFixture, FormatNamesWithLfeChannel) {
    EXPECT_EQ(Format(158), "DTS EXPRESS (1/0).1");
    EXPECT_EQ(Format(167), "DTS EXPRESS (3/4).1");
    EXPECT_EQ(Format(168), "DTS EXPRESS  9.1");
    EXPECT_EQ(Format(169), "DTS EXPRESS 10.1");
    EXPECT_EQ(Format(170), "DTS EXPRESS 10.2");
    EXPECT_EQ(Format(171), "DTS-HD MSTR (1/0).1");
    EXPECT_EQ(Format(180), "DTS-HD MSTR (3/4).1");
    EXPECT_EQ(Format(181), "DTS-HD MSTR  9.1");
    EXPECT_EQ(Format(182), "DTS-HD MSTR 10.1");
    EXPECT_EQ(Format(183), "DTS-HD MSTR 10.2");
    EXPECT_EQ(Format(184), "DTS-HD HI RES (1/0).1");
    EXPECT_EQ(Format(193), "DTS-HD HI RES (3/4).1");
    EXPECT_EQ(Format(194), "DTS-HD HI RES  9.1");
    EXPECT_EQ(Format(195), "DTS-HD HI RES 10.1");
    EXPECT_EQ(Format(196), "DTS-HD HI RES 10.2");
    EXPECT_EQ(Format(197), "DTS 96/24 ES MATRIX (3/3).1");
    EXPECT_EQ(Format(206), "DTS 96/24 (3/2).1");

    const char* es[] = {"DTS ES DISCRETE (3/4).1", "DTS ES DISCRETE 8.1",   "DTS ES DISCRETE 9.1",
                        "DTS ES DISCRETE 10.1",    "DTS ES MATRIX (3/4).1", "DTS ES MATRIX 8.1",
                        "DTS ES MATRIX 9.1",       "DTS ES MATRIX 10.1",    "DTS ES MATRIX (3/3).1",
                        "DTS ES DISCRETE (3/3).1"};
    for (int c = 207; c <= 216; ++c)
        EXPECT_EQ(Format(c), es[c - 207]) << c;

    EXPECT_EQ(Format(217), "DTS (1/0).1");
    EXPECT_EQ(Format(224), "DTS (3/2).1");
    for (int c = 225; c <= 255; ++c)
        EXPECT_EQ(Format(c), "") << c;
    for (int c = 0; c <= 224; ++c)
        EXPECT_FALSE(Format(c).empty()) << c;
}

TEST_F(TablesFixture, FormatNameRebuildLeavesNoStaleTexts) {
    t.FormatName[240] = "left over";
    t.BuildFormatName();
    EXPECT_EQ(Format(240), "");
    EXPECT_EQ(Format(224), "DTS (3/2).1");
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
    EXPECT_EQ(t.XoverIndexOf("80 hz"), -1);
    EXPECT_EQ(t.XoverIndexOf("80 Hz "), -1);
    EXPECT_EQ(t.XoverIndexOf(""), -1);
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
    EXPECT_EQ(t.CurveX[1], 360);
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
