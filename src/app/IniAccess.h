#pragma once
// The program's two settings-file routines.  Every INI value is read and
// written through them; neither reports failure, so a missing or unwritable
// settings file never stops the caller.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/Profile.h"

namespace calvetta {

// Characters of the field through which a value passes: 127 of text and the
// terminating NUL.
inline constexpr std::size_t kIniFieldChars = 128;

// The value of key in section of file, without leading and trailing blanks
// and cut to the 127 bytes that fit the field (never inside a UTF-8
// character).  A missing file, section or key, an empty value and a value of
// blanks only all read as "1".
std::string ReadINI(const std::string& file, const std::string& section, const std::string& key);

// Writes key in section of file: the value's first 128 characters when it is
// longer, the whole value otherwise, up to a NUL it may contain.  A write
// that fails (no such folder, file unreadable) changes nothing and is not
// reported.
void WriteINI(const std::string& file, const std::string& section, const std::string& key,
              const std::string& value);

// Writes every key/value pair in section of file with one replacement of the
// file, each value passing the field of WriteINI: the bytes left on disk are
// those of one WriteINI call per pair, in order.  Unlike WriteINI it reports
// failure: false, with the file exactly as it was, when the folder is missing,
// the file cannot be read (a directory of that name), cannot be replaced, or a
// pair cannot be stored as one key line (then no pair is written).
bool WriteINIKeys(const std::string& file, const std::string& section,
                  const std::vector<std::pair<std::string, std::string>>& keyValues);

// A settings file read once, for callers that read many keys of it: Read
// gives exactly what ReadINI would give for the file as it was when the
// snapshot was taken, without reading and parsing the file again per key.
class IniSnapshot {
  public:
    explicit IniSnapshot(const std::string& file);
    std::string Read(std::string_view section, std::string_view key) const;

  private:
    ProfileSnapshot profile_;
};

// The number a value text holds when it is a plain decimal number: an
// optional sign, digits, and an optional point with more digits ("-40", "26",
// "12.5", ".5", "7."), read the same in every locale.  Nothing for any other
// text: blanks, exponents, hexadecimal, "nan", "inf", or a number too large
// for a double.
std::optional<double> IniNumber(std::string_view text);

// The value text's number when it lies within low..high (both included),
// otherwise fallback; a text that is not a plain decimal number (IniNumber)
// takes the fallback as an out-of-range number does.
double IniNumberInRange(std::string_view text, double low, double high, double fallback);

}  // namespace calvetta
