#include "eq/EqStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/TempFolder.h"

namespace calvetta {
namespace {

namespace fs = std::filesystem;

const std::string kShippedStore = CALVETTA_SOURCE_DIR "/resources/Modules/ModeEffects.ini";

EqBands Flat() {
    EqBands bands;
    for (int c = 0; c < kEqChannels; ++c) {
        for (int b = 1; b <= kEqBands; ++b) {
            bands.PeqFreq[c][b] = BandDefaultFreq[static_cast<std::size_t>(b - 1)];
            bands.PeqGain[c][b] = 200;
            bands.PeqQ[c][b] = 10;
        }
    }
    return bands;
}

class EqStore : public TempFolderTest {
  protected:
    void SetUp() override { fs::create_directory(dir / "Modules"); }
    const std::string store = Path("Modules/ModeEffects.ini");
};

TEST_F(EqStore, FlatSaveWritesTheShippedStore) {
    ASSERT_TRUE(WriteEqStore(store, Flat(), true));
    EXPECT_EQ(Get(store), Get(kShippedStore));
}

TEST_F(EqStore, EditedSaveWritesEachValueInItsPlaceAndReadsBack) {
    EqBands bands = Flat();
    bands.PeqFreq[3][9] = 0;
    bands.PeqGain[2][3] = 12.5f;
    bands.PeqGain[5][6] = 0.00001f;
    bands.PeqQ[0][1] = 19;
    Put(store, Get(kShippedStore));
    ASSERT_TRUE(WriteEqStore(store, bands, false));

    const std::string text = Get(store);
    for (const char* line :
         {"\r\nPEQ_Active=False\r\n", "\r\nPEQ_Ch0_Band1_Q=19\r\n",
          "\r\nPEQ_Ch2_Band3_Gain=12.5\r\n", "\r\nPEQ_Ch5_Band6_Gain=0.00001\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 242);

    // A save followed by a recall gives back the same arrays and switch.
    const EqStoreSnapshot read(store);
    EXPECT_FALSE(read.Active());
    for (int c = 0; c < kEqChannels; ++c) {
        for (int b = 1; b <= kEqBands; ++b) {
            EXPECT_EQ(read.Freq(c, b), bands.PeqFreq[c][b]) << c << "/" << b;
            EXPECT_EQ(read.RecallGain(c, b), bands.PeqGain[c][b]) << c << "/" << b;
            EXPECT_EQ(read.Q(c, b), bands.PeqQ[c][b]) << c << "/" << b;
        }
    }
}

TEST(EqStoreValues, RangesFallbacksAndNonNumbers) {
    const struct {
        const char* text;
        float freq3, freq9, freq10, gain, q;
    } values[] = {
        {"1", 1, 1, 1, 1, 1},  // what a missing key reads as
        {"0", 0, 0, 0, 0, 10},
        {"19", 19, 19, 19, 19, 19},
        {"20", 20, 20, 20, 20, 10},
        {"12.5", 12.5f, 12.5f, 12.5f, 12.5f, 12.5f},
        {"250", 250, 250, 250, 250, 10},
        {"255", 255, 255, 255, 200, 10},
        {"255.001", 140, 230, 248, 200, 10},
        {"-5", 140, 230, 248, -5, 10},  // the gain slider refuses it later
        {"-99999999", 140, 230, 248, -32769, 10},
        {"abc", 140, 230, 248, 200, 10},
    };
    for (const auto& v : values) {
        EXPECT_EQ(EqFreqFromText(v.text, 3), v.freq3) << v.text;
        EXPECT_EQ(EqFreqFromText(v.text, 9), v.freq9) << v.text;
        EXPECT_EQ(EqFreqFromText(v.text, 10), v.freq10) << v.text;
        EXPECT_EQ(EqRecallGainFromText(v.text), v.gain) << v.text;
        EXPECT_EQ(EqQFromText(v.text), v.q) << v.text;
    }
    EXPECT_EQ(EqFreqFromText("-1", 8), 240);
    for (const char* bypass : {"False", "1", "true", "True "})
        EXPECT_FALSE(EqActiveFromText(bypass)) << bypass;
    EXPECT_TRUE(EqActiveFromText("True"));
}

}  // namespace
}  // namespace calvetta
