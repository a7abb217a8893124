// Arbitrary bytes as the content of a settings file.  Every key that the
// settings loader and the EQ recall read (the 241 store keys in "PEQ_Config",
// Main.ini's keys in "Main_Config"), and the keys that the content itself
// names, are read through the snapshot and checked against ReadINI; the
// values go through the value rules, which must give numbers inside the
// ranges the callers rely on (the recall's gain may be negative on purpose);
// every number taken must be the one strtod reads; and a few keys set at once
// must leave the content that setting them one by one leaves.

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/IniAccess.h"
#include "app/Profile.h"
#include "eq/EqStore.h"

namespace {

using namespace calvetta;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// One file for the whole run, in memory where the system offers a writable
// /dev/shm, else in the temp folder.  It is unlinked at once and reached
// through its descriptor, so no run, not even a crashing one, leaves it
// behind.
int FileDescriptor() {
    static const int fd = [] {
        namespace fs = std::filesystem;
        std::error_code ignored;
        std::string tried;
        for (const fs::path& folder : {fs::path("/dev/shm"), fs::temp_directory_path(ignored)}) {
            if (folder.empty()) continue;
            std::string templ = (folder / "calvetta-fuzz-ini-XXXXXX").string();
            const int made = ::mkstemp(templ.data());
            if (made >= 0) {
                ::unlink(templ.c_str());
                return made;
            }
            tried += " " + folder.string() + ": " + std::strerror(errno) + ";";
        }
        std::fprintf(stderr, "no temporary file in:%s\n", tried.c_str());
        Check(false, "temporary file");
        return -1;
    }();
    return fd;
}

const std::string& FilePath() {
    static const std::string path = "/proc/self/fd/" + std::to_string(FileDescriptor());
    return path;
}

void WriteFile(std::string_view bytes) {
    const int fd = FileDescriptor();
    Check(::ftruncate(fd, 0) == 0, "empty the file");
    Check(::pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()),
          "write the file");
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

const std::vector<std::string>& MainKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k{"Main_VOL", "Digital_Select", "Dynamic", "Subwoofer",
                                   "MuteFlag"};
        for (int n = 1; n <= 8; ++n)
            k.push_back("CH_VOL_" + std::to_string(n));
        for (int n = 0; n <= 7; ++n)
            k.push_back("Delay_" + std::to_string(n));
        for (int n = 0; n <= 3; ++n)
            k.push_back("Cutoff_" + std::to_string(n));
        return k;
    }();
    return keys;
}

// Reads through the snapshot and checks it against ReadINI.  A key whose name
// occurs nowhere in the content cannot be found by either, so it must read as
// "1"; ReadINI (which reads and parses the file again, and so sets the pace)
// is asked for the first four keys the content names and for every 64th of
// the fixed keys, a different share for every input size.
struct Reader {
    const std::string& path;
    const std::string& lowered;  // the content in lower case
    const IniSnapshot& snapshot;
    mutable std::size_t count = 0;

    std::string Read(std::string_view section, std::string_view key, bool always = false) const {
        const std::string text = snapshot.Read(section, key);
        const bool compare = always || (count++ + lowered.size()) % 64 == 0;
        if (lowered.find(Lower(key.substr(0, key.find('\0')))) == std::string::npos) {
            Check(text == "1", "a key the content does not name reads as 1");
        } else if (compare) {
            Check(text == ReadINI(path, std::string(section), std::string(key)),
                  "snapshot reads what ReadINI reads");
        }
        Check(!text.empty() && text.size() <= 127, "a read value is 1 to 127 bytes");
        return text;
    }
};

void CheckNumber(std::string_view text) {
    const std::optional<double> n = IniNumber(text);
    if (!n) return;
    Check(std::isfinite(*n), "numbers are finite");
    const std::string copy(text);
    char* end = nullptr;
    const double expected = std::strtod(copy.c_str(), &end);
    Check(end == copy.c_str() + copy.size(), "strtod takes the whole number");
    Check(*n == expected, "the number strtod reads");
}

// The sections and keys that the content's own lines name.
struct Named {
    std::string section, key;
};
std::vector<Named> NamesIn(std::string_view content) {
    std::vector<Named> names;
    std::string section;
    std::size_t pos = 0;
    while (pos < content.size() && names.size() < 12) {
        std::size_t nl = content.find('\n', pos);
        if (nl == std::string_view::npos) nl = content.size();
        const std::string_view line = content.substr(pos, nl - pos);
        const std::size_t open = line.find('[');
        const std::size_t close = line.find(']');
        const std::size_t eq = line.find('=');
        if (open < close && close != std::string_view::npos && eq == std::string_view::npos) {
            section = std::string(line.substr(open + 1, close - open - 1));
        } else if (eq != std::string_view::npos) {
            names.push_back({section, std::string(line.substr(0, eq))});
        }
        pos = nl + 1;
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    const std::string& path = FilePath();
    WriteFile(content);
    const std::string lowered = Lower(content);
    const IniSnapshot snapshot(path);
    const EqStoreSnapshot store(path);
    const Reader reader{path, lowered, snapshot};

    // The EQ store, as the recall and the loader take it.
    const std::string active = reader.Read(kEqSection, kEqActiveKey);
    Check(store.Active() == (active == "True"), "Active only for True");
    for (int c = 0; c < kEqChannels; ++c) {
        for (int b = 1; b <= kEqBands; ++b) {
            const std::string freq = reader.Read(kEqSection, EqBandKey(c, b, EqValue::Freq));
            const std::string gain = reader.Read(kEqSection, EqBandKey(c, b, EqValue::Gain));
            const std::string q = reader.Read(kEqSection, EqBandKey(c, b, EqValue::Q));
            for (const auto* text : {&freq, &gain, &q})
                CheckNumber(*text);
            const float f = EqFreqFromText(freq, b);
            const float g = EqRecallGainFromText(gain);
            const float o = EqQFromText(q);
            Check(f >= 0 && f <= 255, "FreqIndex 0..255");
            Check(g >= -32769 && g <= 250, "recall gain -32769..250");
            Check(o >= 1 && o <= 19, "OctIndex 1..19");
            Check(f == store.Freq(c, b), "the store snapshot applies the same FreqIndex rule");
            Check(g == store.RecallGain(c, b), "the store snapshot applies the same gain rule");
            Check(o == store.Q(c, b), "the store snapshot applies the same OctIndex rule");
        }
    }

    // Main.ini's keys and the loader's ranges.
    for (const auto& key : MainKeys()) {
        const std::string text = reader.Read("Main_Config", key);
        CheckNumber(text);
        const double vol = IniNumberInRange(text, -90, 0, -40);
        const double delay = IniNumberInRange(text, 0, 100, 0);
        const double cutoff = IniNumberInRange(text, 0, 40, 0);
        Check(vol >= -90 && vol <= 0, "loader volume -90..0");
        Check(delay >= 0 && delay <= 100, "loader delay 0..100");
        Check(cutoff >= 0 && cutoff <= 40, "loader cutoff 0..40");
    }

    // The names the content holds, spelled as it spells them.
    const std::vector<Named> names = NamesIn(content);
    for (std::size_t i = 0; i < names.size(); ++i) {
        CheckNumber(reader.Read(names[i].section, names[i].key, i < 4));
        reader.Read(kEqSection, names[i].key, i < 4);
    }

    // Setting keys at once equals setting them one by one.
    if (size <= 2048) {
        const std::string section = names.empty() ? kEqSection : names.front().section;
        std::vector<ProfileEntry> entries;
        for (std::size_t i = 0; i < names.size() && i < 6; ++i)
            entries.push_back({names[i].key, "v" + std::to_string(i)});
        entries.push_back({"PEQ_Active", "True"});
        entries.push_back({"peq_active", "False"});
        std::optional<std::string> oneByOne = content;
        bool refused = false;
        for (const auto& [key, value] : entries) {
            const auto next = SetProfileValue(*oneByOne, section, key, value);
            if (next) oneByOne = next;
            refused = refused || !next;
        }
        const std::optional<std::string> atOnce = SetProfileValues(content, section, entries);
        Check(refused ? !atOnce : atOnce == oneByOne, "at once equals one by one");
    }
    return 0;
}
