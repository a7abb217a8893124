#pragma once
// Profile (INI) files: the reading and writing of single keys that the
// settings files rely on, compatible with files made on Windows or by hand.
//
// The file format as read:
//   - an optional UTF-8 byte-order mark, CRLF or LF line ends, the last line
//     with or without a line end;
//   - "[name]" starts a section; blanks inside the brackets do not count;
//   - "key=value" lines; blanks around key and value do not count, and a
//     value enclosed in a matching pair of quotes (" or ') is read without
//     them;
//   - section and key names compare without regard to ASCII case;
//   - lines starting with ';' or '#', blank lines and lines without '=' are
//     kept but never match a key;
//   - when a key occurs more than once in a section (or a section more than
//     once in the file), the first occurrence is the one read and replaced.
//
// Every text argument is taken up to its first NUL character, as the
// settings code hands in fixed-length fields.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace calvetta {

// The value of key in section within a profile file's whole content, or
// nothing when the section or the key is absent.
std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key);

// The content with key in section set to value: an existing key's value is
// replaced where it stands, a new key goes after the last key of its section,
// a new section at the end.  Every other byte is kept, and added lines use the
// content's line-end style (CRLF when it has none).  Nothing when the
// arguments cannot be stored as one key line (a line break in any of them, an
// empty key, a key that would read as a section, a comment or would contain
// '=', a section name containing ']').
std::optional<std::string> SetProfileValue(std::string_view content, std::string_view section,
                                           std::string_view key, std::string_view value);

// A key and the value to set it to.
using ProfileEntry = std::pair<std::string, std::string>;

// The content with every entry set in section, in order, exactly as that many
// SetProfileValue calls one after the other would leave it, but parsed once.
// Nothing when any entry cannot be stored (then none is).
std::optional<std::string> SetProfileValues(std::string_view content, std::string_view section,
                                            const std::vector<ProfileEntry>& entries);

// The value of key in section of the file at path, or defaultValue when the
// file, the section or the key is missing or the file cannot be read; cut to
// at most bufferSize - 1 bytes, never inside a UTF-8 character.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::size_t bufferSize,
                                    const std::string& path);

// Sets key in section of the file at path, creating the file when it is
// missing.  The file is replaced as a whole through a temporary file in the
// same folder, so it is never left half-written.  False, with the file
// unchanged, when the folder is missing, the file cannot be read or replaced,
// or the arguments cannot be stored (see SetProfileValue).
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& path);

// Sets every entry in section of the file at path with one replacement of
// the file: the bytes left are those of one WritePrivateProfileString call per
// entry, in order.  False, with the file unchanged, as for
// WritePrivateProfileString, or when any entry cannot be stored.
bool WritePrivateProfileValues(std::string_view section, const std::vector<ProfileEntry>& entries,
                               const std::string& path);

// A profile file read once and indexed once, for callers that read many keys:
// Find gives what FindProfileValue gives for the same content, without
// parsing the content again.
class ProfileSnapshot {
  public:
    explicit ProfileSnapshot(std::string content = {});
    // The file's content as it is now; a missing or unreadable file reads as
    // empty, so every key is missing, as GetPrivateProfileString sees it.
    static ProfileSnapshot FromFile(const std::string& path);

    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  private:
    struct Span {
        std::size_t at = 0;
        std::size_t size = 0;
    };
    std::string content_;
    // Lower-case section name -> lower-case key name -> value in content_.
    std::unordered_map<std::string, std::unordered_map<std::string, Span>> sections_;
};

// s cut to at most maxBytes bytes, shortened further so that no UTF-8
// character is split.
std::string_view CutAtCharBoundary(std::string_view s, std::size_t maxBytes);

}  // namespace calvetta
