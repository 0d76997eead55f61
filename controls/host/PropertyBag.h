#pragma once
// The saved design values of a control, as the form keeps them: keys are
// compared without regard to letter case, and a value equal to its default
// is not written (writing it removes an earlier value), so a form stores
// only what differs from a newly placed control.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace tarvex::host {

struct FontDescription {
    std::string Name;
    float Size = 0.0f;  // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethru = false;
    int16_t Weight = 400;
    int16_t Charset = 0;
    bool operator==(const FontDescription&) const = default;
};

// Empty, Boolean, 32-bit integer (also colours), floating point, text, font.
using PropertyValue = std::variant<std::monostate, bool, int32_t, double, std::string, FontDescription>;

class PropertyBag {
public:
    // The stored value, or `defaultValue` when the key was not written.
    PropertyValue ReadProperty(std::string_view key, const PropertyValue& defaultValue) const;
    void WriteProperty(std::string_view key, const PropertyValue& value, const PropertyValue& defaultValue);
    bool Contains(std::string_view key) const;
    // Keys and values in the order they were first written.
    const std::vector<std::pair<std::string, PropertyValue>>& Entries() const { return entries_; }

    // Typed reads: the default when absent or stored with another type.
    bool ReadBool(std::string_view key, bool defaultValue) const;
    int32_t ReadInt(std::string_view key, int32_t defaultValue) const;
    double ReadDouble(std::string_view key, double defaultValue) const;
    std::string ReadString(std::string_view key, const std::string& defaultValue) const;

private:
    std::vector<std::pair<std::string, PropertyValue>> entries_;
};

// Sent by a control's setters of saved properties, with the property's name,
// so the host knows its form has unsaved changes.
using PropertyChangedCallback = std::function<void(std::string_view propertyName)>;

}  // namespace tarvex::host
