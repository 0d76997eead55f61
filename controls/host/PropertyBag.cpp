#include "controls/host/PropertyBag.h"

#include <algorithm>

#include "base/TextTrim.h"

namespace tarvex::host {

namespace {

template <class T>
T ReadTyped(const PropertyBag& bag, std::string_view key, const T& defaultValue) {
    PropertyValue value = bag.ReadProperty(key, defaultValue);
    if (const T* typed = std::get_if<T>(&value)) return *typed;
    return defaultValue;
}

}  // namespace

PropertyValue PropertyBag::ReadProperty(std::string_view key, const PropertyValue& defaultValue) const {
    for (const auto& [name, value] : entries_)
        if (SameIgnoringCase(name, key)) return value;
    return defaultValue;
}

void PropertyBag::WriteProperty(std::string_view key, const PropertyValue& value, const PropertyValue& defaultValue) {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [&](const auto& entry) { return SameIgnoringCase(entry.first, key); });
    if (value == defaultValue) {
        if (found != entries_.end()) entries_.erase(found);
        return;
    }
    if (found != entries_.end()) {
        found->second = value;
        return;
    }
    entries_.emplace_back(std::string(key), value);
}

bool PropertyBag::Contains(std::string_view key) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const auto& entry) { return SameIgnoringCase(entry.first, key); });
}

bool PropertyBag::ReadBool(std::string_view key, bool defaultValue) const {
    return ReadTyped(*this, key, defaultValue);
}
int32_t PropertyBag::ReadInt(std::string_view key, int32_t defaultValue) const {
    return ReadTyped(*this, key, defaultValue);
}
double PropertyBag::ReadDouble(std::string_view key, double defaultValue) const {
    return ReadTyped(*this, key, defaultValue);
}
std::string PropertyBag::ReadString(std::string_view key, const std::string& defaultValue) const {
    return ReadTyped(*this, key, defaultValue);
}

}  // namespace tarvex::host
