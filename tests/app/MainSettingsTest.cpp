#include "app/MainSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "TempFolder.h"

namespace calvetta {
namespace {

class MainSettingsTest : public TempFolderTest {
  protected:
    const std::string ini = Path("Main.ini");
};

// The value one key gives, every other key missing.
int Loaded(const MainSettings& s, const std::string& key) {
    if (key == "Main_VOL") return s.masterVolume;
    if (key == "Delay_3") return s.delays[3];
    return s.crossovers[2];  // Cutoff_2
}

TEST_F(MainSettingsTest, RangeEdgesFallbacksAndRounding) {
    const struct {
        const char* key;
        std::optional<std::string> text;  // nothing: the key is missing
        int expected;
    } rows[] = {
        {"Main_VOL", "0", 0},       {"Main_VOL", "-90", -90},   {"Main_VOL", "1", -40},
        {"Main_VOL", "-91", -40},   {"Main_VOL", {}, -40},      {"Main_VOL", "-40.5", -40},
        {"Main_VOL", "-41.5", -42}, {"Main_VOL", "-90.5", -40}, {"Main_VOL", "abc", -40},
        {"Main_VOL", "-1e1", -40},  {"Main_VOL", "  -7 ", -7},  {"Delay_3", "100", 100},
        {"Delay_3", "0", 0},        {"Delay_3", "101", 0},      {"Delay_3", "-1", 0},
        {"Delay_3", {}, 1},         {"Delay_3", "2.5", 2},      {"Delay_3", "0x10", 0},
        {"Cutoff_2", "12", 12},     {"Cutoff_2", "0", 0},       {"Cutoff_2", "-1", 0},
        {"Cutoff_2", "41", 0},      {"Cutoff_2", "13", 0},      {"Cutoff_2", "40", 0},
        {"Cutoff_2", {}, 1},        {"Cutoff_2", "12.5", 12},   {"Cutoff_2", "nan", 0},
    };
    for (const auto& row : rows) {
        Put(ini, "[Main_Config]\r\n" + (row.text ? row.key + ("=" + *row.text) : "") + "\r\n");
        EXPECT_EQ(Loaded(ReadMainSettings(ini), row.key), row.expected)
            << row.key << "=" << row.text.value_or("(missing)");
    }
}

TEST_F(MainSettingsTest, MissingOrGarbageFilesGiveValuesInRange) {
    std::string random(4096, '\0');
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + i / 13) % 256);
    Put(Path("random.ini"), random);
    Put(Path("large.ini"), std::string(10 << 20, '[') + "\n[Main_Config]\nMain_VOL=-7\n");
    std::filesystem::create_directory(dir / "folder.ini");
    for (const char* name : {"none.ini", "random.ini", "large.ini", "folder.ini"}) {
        const MainSettings s = ReadMainSettings(Path(name));
        EXPECT_TRUE(s.masterVolume >= -90 && s.masterVolume <= 0) << name;
        for (int d : s.delays)
            EXPECT_TRUE(d >= 0 && d <= 100) << name;
        for (int x : s.crossovers)
            EXPECT_TRUE(x >= 0 && x <= 12) << name;
    }
    const MainSettings none = ReadMainSettings(Path("none.ini"));
    EXPECT_EQ(none.masterVolume, -40);
    EXPECT_EQ(none.delays, (std::array<int, 8>{1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(none.crossovers, (std::array<int, 4>{1, 1, 1, 1}));
    EXPECT_EQ(ReadMainSettings(Path("large.ini")).masterVolume, -7);
}

}  // namespace
}  // namespace calvetta
