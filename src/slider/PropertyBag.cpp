#include "slider/PropertyBag.h"

#include <algorithm>
#include <limits>

#include "slider/ControlError.h"

namespace calvetta {
namespace {

std::int32_t AsInteger(std::string_view key, const PropertyValue& v) {
    if (const auto* b = std::get_if<bool>(&v)) return *b ? -1 : 0;
    if (const auto* i16 = std::get_if<std::int16_t>(&v)) return *i16;
    if (const auto* i32 = std::get_if<std::int32_t>(&v)) return *i32;
    throw ControlError(kErrTypeMismatch,
                       "Stored property \"" + std::string(key) + "\" is a picture, not a number");
}

}  // namespace

const PropertyValue* PropertyBag::Find(std::string_view key) const {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [key](const auto& e) { return e.first == key; });
    return it == entries_.end() ? nullptr : &it->second;
}

std::vector<std::string> PropertyBag::Keys() const {
    std::vector<std::string> keys;
    keys.reserve(entries_.size());
    for (const auto& e : entries_)
        keys.push_back(e.first);
    return keys;
}

bool PropertyBag::ReadBool(std::string_view key, bool defaultValue) const {
    const PropertyValue* v = Find(key);
    return v ? AsInteger(key, *v) != 0 : defaultValue;
}

std::int16_t PropertyBag::ReadInt16(std::string_view key, std::int16_t defaultValue) const {
    const PropertyValue* v = Find(key);
    if (!v) return defaultValue;
    const std::int32_t n = AsInteger(key, *v);
    if (n < std::numeric_limits<std::int16_t>::min() ||
        n > std::numeric_limits<std::int16_t>::max()) {
        throw ControlError(kErrOverflow, "Stored property \"" + std::string(key) + "\" (" +
                                             std::to_string(n) + ") does not fit a 16-bit integer");
    }
    return static_cast<std::int16_t>(n);
}

std::int32_t PropertyBag::ReadInt32(std::string_view key, std::int32_t defaultValue) const {
    const PropertyValue* v = Find(key);
    return v ? AsInteger(key, *v) : defaultValue;
}

PictureData PropertyBag::ReadPicture(std::string_view key, const PictureData& defaultValue) const {
    const PropertyValue* v = Find(key);
    if (!v) return defaultValue;
    if (const auto* p = std::get_if<PictureData>(v)) return *p;
    throw ControlError(kErrTypeMismatch,
                       "Stored property \"" + std::string(key) + "\" is a number, not a picture");
}

void PropertyBag::WriteBool(std::string_view key, bool value, bool defaultValue) {
    if (value == defaultValue) return Erase(key);
    Store(key, value);
}

void PropertyBag::WriteInt16(std::string_view key, std::int16_t value, std::int16_t defaultValue) {
    if (value == defaultValue) return Erase(key);
    Store(key, value);
}

void PropertyBag::WriteInt32(std::string_view key, std::int32_t value, std::int32_t defaultValue) {
    if (value == defaultValue) return Erase(key);
    Store(key, value);
}

void PropertyBag::WritePicture(std::string_view key, const PictureData& value,
                               const PictureData& defaultValue) {
    if (value == defaultValue) return Erase(key);
    Store(key, value);
}

void PropertyBag::Store(std::string_view key, PropertyValue value) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [key](const auto& e) { return e.first == key; });
    if (it != entries_.end()) {
        it->second = std::move(value);
    } else {
        entries_.emplace_back(std::string(key), std::move(value));
    }
}

void PropertyBag::Erase(std::string_view key) {
    std::erase_if(entries_, [key](const auto& e) { return e.first == key; });
}

}  // namespace calvetta
