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
    for (int c = 0; c < kEqChannels; ++c)
        for (int b = 0; b <= kEqBands; ++b)
            bands.Store(c, b, EqValue::Q, 10);
    bands.Store(3, 9, EqValue::Freq, 255);
    bands.Store(2, 3, EqValue::Gain, 12.5f);
    bands.Store(5, 6, EqValue::Gain, 0.00001f);
    bands.Store(0, 1, EqValue::Q, 19);
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
            EXPECT_EQ(read.Freq(c, b), bands.PeqFreq()[c][b]) << c << "/" << b;
            EXPECT_EQ(read.RecallGain(c, b), bands.PeqGain()[c][b]) << c << "/" << b;
            EXPECT_EQ(read.Q(c, b), bands.PeqQ()[c][b]) << c << "/" << b;
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

TEST_F(EqStore, BandOperationsChangeOnlyWhatTheyName) {
    Put(store,
        "[PEQ_Config]\r\nPEQ_Ch2_Band4_Freq=100\r\nPEQ_Ch2_Band4_Gain=57\r\n"
        "PEQ_Ch2_Band4_Q=3\r\n");
    EqBands bands;
    // The loader's rule: the store's frequency and bandwidth, 0 dB whatever
    // it holds; a missing key reads as 1.
    bands.LoadFromStore(EqStoreSnapshot(store));
    EXPECT_EQ((std::array{bands.PeqFreq()[2][4], bands.PeqGain()[2][4], bands.PeqQ()[2][4]}),
              (std::array{100.0f, 200.0f, 3.0f}));
    EXPECT_EQ((std::array{bands.PeqFreq()[2][5], bands.PeqGain()[2][5], bands.PeqQ()[2][5]}),
              (std::array{1.0f, 200.0f, 1.0f}));

    // A paste of one band, then Flat of another channel, then the SW defaults.
    bands.SetBand(2, 4, 90, 180, 12);
    bands.CopyBand(2, 6, 4);
    bands.Flatten(5);
    bands.Store(7, 3, EqValue::Gain, 170);
    bands.DefaultFrequencies(7);
    EXPECT_EQ((std::array{bands.PeqFreq()[6][4], bands.PeqGain()[6][4], bands.PeqQ()[6][4]}),
              (std::array{90.0f, 180.0f, 12.0f}));
    EXPECT_EQ(bands.PeqFreq()[6][5], 1.0f);
    EXPECT_EQ(bands.PeqGain()[5],
              EqBands::Row({200, 200, 200, 200, 200, 200, 200, 200, 200, 200, 200}));
    EXPECT_EQ(bands.PeqQ()[5][0], 10.0f);
    EXPECT_EQ(bands.PeqFreq()[5][10], 248.0f);
    EXPECT_EQ(bands.PeqFreq()[7][3], 77.0f);
    EXPECT_EQ(bands.PeqGain()[7][3], 170.0f);
    EXPECT_EQ(bands.PeqQ()[7][3], 1.0f);
}

}  // namespace
}  // namespace calvetta
