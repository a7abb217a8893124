#include "app/IniAccess.h"

#include <string_view>

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

}  // namespace

std::string ReadINI(const std::string& file, const std::string& section, const std::string& key) {
    const std::string buffer = GetPrivateProfileString(section, key, "", kIniFieldChars, file);
    std::string_view text(buffer);
    text = text.substr(0, text.find('\0'));
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty()) return "1";
    return std::string(text);
}

void WriteINI(const std::string& file, const std::string& section, const std::string& key,
              const std::string& value) {
    // The value and its NUL in a field of 128 characters: a value of 128
    // characters or more loses its NUL and everything after the 128th.
    std::string field = value;
    field += '\0';
    const std::string_view written = FirstCharacters(field, kIniFieldChars);
    // Failure is deliberately silent: callers carry on with what they have.
    (void)WritePrivateProfileString(section, key, written, file);
}

}  // namespace calvetta
