#include "app/MainSettings.h"

#include <cmath>

#include "app/IniAccess.h"
#include "app/Tables.h"

namespace calvetta {

namespace {
// The value of a key within low..high, else fallback, rounded as a slider
// takes it (lrint: to nearest, halves to even).
int Whole(const IniSnapshot& ini, const std::string& key, int low, int high, int fallback) {
    return static_cast<int>(
        std::lrint(IniNumberInRange(ini.Read(kMainSection, key), low, high, fallback)));
}
}  // namespace

MainSettings ReadMainSettings(const std::string& file) {
    const IniSnapshot ini(file);
    MainSettings s;
    s.masterVolume = Whole(ini, "Main_VOL", -90, 0, -40);
    for (std::size_t n = 0; n < s.delays.size(); ++n)
        s.delays[n] = Whole(ini, "Delay_" + std::to_string(n), 0, 100, 0);
    for (std::size_t n = 0; n < s.crossovers.size(); ++n) {
        const int index = Whole(ini, "Cutoff_" + std::to_string(n), 0, 40, 0);
        s.crossovers[n] = index < LookupTables::kXoverCount ? index : 0;
    }
    return s;
}

}  // namespace calvetta
