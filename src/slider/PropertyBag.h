#pragma once
// The stored design of a control: named properties, each read with a default
// and written with a default.  A value equal to its default is not stored, so
// a design only holds what differs from a new instance.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace calvetta {

// A picture in the host's picture format; the core never looks inside.
// Empty means "no picture".
using PictureData = std::vector<std::uint8_t>;

using PropertyValue = std::variant<bool, std::int16_t, std::int32_t, PictureData>;

class PropertyBag {
  public:
    // Reads convert between the integer kinds and Booleans as a loaded
    // design expects (True is -1, any nonzero number is True).  An integer
    // that does not fit raises overflow (6); a picture read as a number or a
    // number read as a picture raises a type mismatch (13).
    bool ReadBool(std::string_view key, bool defaultValue) const;
    std::int16_t ReadInt16(std::string_view key, std::int16_t defaultValue) const;
    std::int32_t ReadInt32(std::string_view key, std::int32_t defaultValue) const;
    PictureData ReadPicture(std::string_view key, const PictureData& defaultValue) const;

    // Writing the default removes the key, so that the default is not stored.
    void WriteBool(std::string_view key, bool value, bool defaultValue);
    void WriteInt16(std::string_view key, std::int16_t value, std::int16_t defaultValue);
    void WriteInt32(std::string_view key, std::int32_t value, std::int32_t defaultValue);
    void WritePicture(std::string_view key, const PictureData& value,
                      const PictureData& defaultValue);

    // The stored value of a key, or nullptr when the key is not stored.
    const PropertyValue* Find(std::string_view key) const;
    // The stored keys in the order they were first written.
    std::vector<std::string> Keys() const;

  private:
    void Store(std::string_view key, PropertyValue value);
    void Erase(std::string_view key);

    std::vector<std::pair<std::string, PropertyValue>> entries_;
};

}  // namespace calvetta
