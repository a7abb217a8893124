#pragma once
// The program's two settings-file routines.  Every INI value is read and
// written through them; neither reports failure, so a missing or unwritable
// settings file never stops the caller.

#include <cstddef>
#include <string>

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

}  // namespace calvetta
