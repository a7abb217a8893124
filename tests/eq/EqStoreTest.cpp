#include "eq/EqStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/TempFolder.h"

namespace calvetta {
namespace {

namespace fs = std::filesystem;

const std::string kShippedStore = CALVETTA_SOURCE_DIR "/resources/Modules/ModeEffects.ini";

class EqStore : public TempFolderTest {
  protected:
    void SetUp() override { fs::create_directory(dir / "Modules"); }
    const std::string store = Path("Modules/ModeEffects.ini");
};

TEST_F(EqStore, EditedSaveWritesEachValueInItsPlaceAndReadsBack) {
    EqBands bands;  // zero but for the values read back as they are
    for (auto& q : bands.PeqQ)
        q.fill(10);
    bands.PeqFreq[3][9] = 255;
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
    // Text, then what it gives: the frequency of bands 3, 9 and 10, gain, bandwidth.
    const std::pair<const char*, std::array<float, 5>> values[] = {
        {"1", {1, 1, 1, 1, 1}},  // what a missing key reads as
        {"0", {0, 0, 0, 0, 10}},
        {"20", {20, 20, 20, 20, 10}},
        {"250", {250, 250, 250, 250, 10}},
        {"255", {255, 255, 255, 200, 10}},
        {"255.001", {140, 230, 248, 200, 10}},
        {"-5", {140, 230, 248, -5, 10}},  // the gain slider refuses it later
        {"-99999999", {140, 230, 248, -32769, 10}},
        {"abc", {140, 230, 248, 200, 10}},
    };
    for (const auto& [text, taken] : values) {
        const std::array<float, 5> got = {EqFreqFromText(text, 3), EqFreqFromText(text, 9),
                                          EqFreqFromText(text, 10), EqRecallGainFromText(text),
                                          EqQFromText(text)};
        EXPECT_EQ(got, taken) << text;
    }
    for (const char* bypass : {"False", "1", "true", "True "})
        EXPECT_FALSE(EqActiveFromText(bypass)) << bypass;
    EXPECT_TRUE(EqActiveFromText("True"));
}

}  // namespace
}  // namespace calvetta
