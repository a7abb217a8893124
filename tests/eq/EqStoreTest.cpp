#include "eq/EqStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
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
    bands.PeqGain[5][6] = 0.1f;
    bands.PeqQ[0][1] = 19;
    Put(store, Get(kShippedStore));
    ASSERT_TRUE(WriteEqStore(store, bands, false));

    const std::string text = Get(store);
    for (const char* line : {"\r\nPEQ_Active=False\r\n", "\r\nPEQ_Ch0_Band1_Q=19\r\n",
                             "\r\nPEQ_Ch2_Band3_Gain=12.5\r\n", "\r\nPEQ_Ch5_Band6_Gain=0.1\r\n"})
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

TEST_F(EqStore, OneReplacementLeavesWhatSingleWritesLeave) {
    std::string half = "[PEQ_Config]\n";  // every second key, LF line ends
    const auto flat = EqStoreEntries(Flat(), true);
    for (std::size_t i = 0; i < flat.size(); i += 2)
        half += flat[i].first + "=" + flat[i].second + "\n";
    const std::pair<const char*, std::string> starts[] = {
        {"flat", Get(kShippedStore)},
        {"half, LF", half},
        {"hand-made",
         "\xEF\xBB\xBF; presets\n[Other]\nPEQ_Active=x\n\n[peq_config]\n"
         "peq_ch0_band1_freq = 5 \nPEQ_Ch0_Band1_Freq=6\n# PEQ_Ch0_Band2_Freq=1\nJunk line\n\n"
         "[Tail]\nA=1\n[PEQ_Config]\nPEQ_Ch1_Band1_Gain=1"},
    };
    EqBands bands = Flat();
    bands.PeqGain[4][4] = 180;
    for (const auto& [name, start] : starts) {
        const std::string singles = Path("singles.ini");
        Put(store, start);
        Put(singles, start);
        ASSERT_TRUE(WriteEqStore(store, bands, true)) << name;
        for (const auto& [key, value] : EqStoreEntries(bands, true))
            WriteINI(singles, kEqSection, key, value);
        EXPECT_EQ(Get(store), Get(singles)) << name;
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

TEST_F(EqStore, BadStoresReadInRangeAndRefuseToBeWritten) {
    std::mt19937 random(514);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const std::string big = std::string(10 * 1024 * 1024, ';') +
                            "\r\n[PEQ_Config]\r\nPEQ_Active=True\r\n"
                            "PEQ_Ch3_Band4_Freq=99\r\n";
    const struct {
        const char* name;
        std::string bytes;
        bool active;
        float freq34;
    } stores[] = {
        {"empty", "", false, 1},
        {"noise", noise, false, 1},
        {"10 MB", big, true, 99},
        {"not numbers", "[PEQ_Config]\r\nPEQ_Ch3_Band4_Freq=0x1A\r\nPEQ_Active=yes\r\n", false,
         160},
    };
    for (const auto& s : stores) {
        Put(store, s.bytes);
        const EqStoreSnapshot read(store);
        EXPECT_EQ(read.Active(), s.active) << s.name;
        EXPECT_EQ(read.Freq(3, 4), s.freq34) << s.name;
    }

    // A 10 MB store is rewritten whole, the rest of it kept.
    Put(store, big);
    ASSERT_TRUE(WriteEqStore(store, Flat(), false));
    EXPECT_EQ(EqStoreSnapshot(store).Freq(3, 4), 112);
    EXPECT_EQ(Get(store).substr(0, big.size() - 40), big.substr(0, big.size() - 40));

    // No folder, a folder that is a file, a directory of the store's name:
    // nothing is written or created, and reading finds no keys.
    Put(Path("plain"), "a file");
    fs::create_directory(dir / "Modules/Dir.ini");
    for (const char* path : {"none/ModeEffects.ini", "plain/ModeEffects.ini", "Modules/Dir.ini"}) {
        EXPECT_FALSE(WriteEqStore(Path(path), Flat(), true)) << path;
        EXPECT_EQ(EqStoreSnapshot(Path(path)).Q(7, 10), 1) << path;
    }
    EXPECT_FALSE(fs::exists(dir / "none"));
    EXPECT_TRUE(fs::is_empty(dir / "Modules/Dir.ini"));
    EXPECT_EQ(Get(Path("plain")), "a file");
}

}  // namespace
}  // namespace calvetta
