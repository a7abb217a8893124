#include "app/MainSettings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"

namespace calvetta {
namespace {

using MainSettingsTest = TempFolderTest;

TEST_F(MainSettingsTest, RangeEdgesFallbacksAndRounding) {
    // Each key alone in the file; "-" leaves it out.
    const std::tuple<const char*, const char*, int> rows[] = {
        {"Main_VOL", "0", 0},       {"Main_VOL", "-90", -90}, {"Main_VOL", "1", -40},
        {"Main_VOL", "-91", -40},   {"Main_VOL", "-", -40},   {"Main_VOL", "-40.5", -40},
        {"Main_VOL", "-41.5", -42}, {"Delay_3", "100", 100},  {"Delay_3", "101", 0},
        {"Delay_3", "-1", 0},       {"Delay_3", "-", 1},      {"Delay_3", "0x10", 0},
        {"Cutoff_2", "12", 12},     {"Cutoff_2", "-1", 0},    {"Cutoff_2", "41", 0},
        {"Cutoff_2", "13", 0},      {"Cutoff_2", "-", 1},     {"Cutoff_2", "12.5", 12},
    };
    for (const auto& [key, value, expected] : rows) {
        const std::string text = value, line = key + ("=" + text) + "\r\n";
        Put(Path("Main.ini"), "[Main_Config]\r\n" + (text == "-" ? "" : line));
        const MainSettings s = ReadMainSettings(Path("Main.ini"));
        const int loaded = key[0] == 'M'   ? s.masterVolume
                           : key[0] == 'D' ? s.delays[3]
                                           : s.crossovers[2];
        EXPECT_EQ(loaded, expected) << key << "=" << text;
    }
}

TEST_F(MainSettingsTest, MissingOrGarbageFiles) {
    // Bytes that are no text before the section; no file; a folder of that name.
    Put(Path("noise.ini"),
        std::string("\x01\xff\0\x80=\r[\n", 8) + "[Main_Config]\nMain_VOL=-7\nDelay_0=x\n");
    const MainSettings noisy = ReadMainSettings(Path("noise.ini"));
    EXPECT_EQ(noisy.masterVolume, -7);
    EXPECT_EQ(noisy.delays[0], 0);
    EXPECT_EQ(noisy.delays[1], 1);
    std::filesystem::create_directory(dir / "folder.ini");
    for (const char* name : {"none.ini", "folder.ini"}) {
        const MainSettings s = ReadMainSettings(Path(name));
        EXPECT_EQ(s.masterVolume, -40) << name;
        EXPECT_EQ(s.delays[7], 1) << name;
        EXPECT_EQ(s.crossovers[3], 1) << name;
    }
}

}  // namespace
}  // namespace calvetta
