#pragma once
// The starting settings file, Modules/Main.ini, section "Main_Config", as the
// settings loader takes it. Each value passes its range test as a number
// (bounds included); outside the range, or when the text is no plain decimal
// number, the key's fallback is used. A missing file, section or key reads as
// "1" and is tested like any other value. Fractional numbers are rounded to
// whole ones, halves to even, as the sliders take them.

#include <array>
#include <string>

namespace calvetta {

inline constexpr char kMainSection[] = "Main_Config";

struct MainSettings {
    int masterVolume = -40;           // Main_VOL: -90..0, else -40
    std::array<int, 8> delays{};      // Delay_<n> by ChannelIndex: 0..100, else 0
    std::array<int, 4> crossovers{};  // Cutoff_<n>: an XoverIndex 0..12, else 0
};

// Reads the file once. Of the crossover keys' range 0..40, 13 to 40 have no
// crossover text and take the fallback 0 ("40  Hz"), as a reported crossover
// above the list does. The keys the loader does not apply (the trims, input,
// dynamic range, subwoofer and mute) are not read.
MainSettings ReadMainSettings(const std::string& file);

}  // namespace calvetta
