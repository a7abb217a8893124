#include "app/IniAccess.h"

#include <charconv>
#include <string_view>
#include <system_error>

#include "app/Profile.h"

namespace calvetta {
namespace {

// The first count characters of a UTF-8 text (all of it when shorter).
std::string_view FirstCharacters(std::string_view s, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80;
        if (startsCharacter && seen++ == count) return s.substr(0, i);
    }
    return s;
}

// What ReadINI makes of the field the profile function filled: the text up
// to its first NUL, without leading and trailing blanks, "1" for nothing.
std::string FieldText(std::string_view buffer) {
    std::string_view text = buffer.substr(0, buffer.find('\0'));
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty()) return "1";
    return std::string(text);
}

// The value and its NUL in a field of 128 characters: a value of 128
// characters or more loses its NUL and everything after the 128th.
std::string Field(const std::string& value) {
    std::string field = value;
    field += '\0';
    return std::string(FirstCharacters(field, kIniFieldChars));
}

}  // namespace

std::string ReadINI(const std::string& file, const std::string& section, const std::string& key) {
    return FieldText(GetPrivateProfileString(section, key, "", kIniFieldChars, file));
}

void WriteINI(const std::string& file, const std::string& section, const std::string& key,
              const std::string& value) {
    // Failure is deliberately silent: callers carry on with what they have.
    (void)WritePrivateProfileString(section, key, Field(value), file);
}

bool WriteINIKeys(const std::string& file, const std::string& section,
                  const std::vector<std::pair<std::string, std::string>>& keyValues) {
    std::vector<ProfileEntry> entries;
    entries.reserve(keyValues.size());
    for (const auto& [key, value] : keyValues)
        entries.emplace_back(key, Field(value));
    return WritePrivateProfileValues(section, entries, file);
}

IniSnapshot::IniSnapshot(const std::string& file) : profile_(ProfileSnapshot::FromFile(file)) {}

std::string IniSnapshot::Read(std::string_view section, std::string_view key) const {
    // The same steps as ReadINI: the value (empty when missing) cut to the
    // field, then the field's text.
    const std::string_view value = profile_.Find(section, key).value_or("");
    return FieldText(CutAtCharBoundary(value, kIniFieldChars - 1));
}

std::optional<double> IniNumber(std::string_view text) {
    // Checked here rather than left to the converter, which would also take
    // "inf", "nan" and hexadecimal.
    std::string_view number = text;
    if (!number.empty() && (number.front() == '+' || number.front() == '-'))
        number.remove_prefix(1);
    const std::size_t point = number.find('.');
    const std::string_view whole = number.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    const auto digits = [](std::string_view s) {
        for (const char c : s)
            if (c < '0' || c > '9') return false;
        return true;
    };
    if (whole.empty() && fraction.empty()) return std::nullopt;
    if (!digits(whole) || !digits(fraction)) return std::nullopt;

    // from_chars takes no '+' and reads in the "C" locale whatever the
    // program's locale is.
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value == 0 ? 0.0 : value;  // no negative zero
}

double IniNumberInRange(std::string_view text, double low, double high, double fallback) {
    const std::optional<double> value = IniNumber(text);
    if (!value || *value < low || *value > high) return fallback;
    return *value;
}

}  // namespace calvetta
