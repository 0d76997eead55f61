#include "controls/xp/GroupBoxProperties.h"

#include <limits>

#include "base/RuntimeError.h"

namespace tarvex::xp {

using host::PropertyBag;
using host::PropertyValue;

namespace {

constexpr double kDefaultFontSize = 8.0;

int16_t ToInt16(int32_t value) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw RuntimeError(ErrorNumber::Overflow);
    return static_cast<int16_t>(value);
}

host::FontDescription ReadFont(const PropertyBag& bag, const host::FontDescription& ambientFont) {
    PropertyValue value = bag.ReadProperty("Font", ambientFont);
    if (const auto* font = std::get_if<host::FontDescription>(&value)) return *font;
    return ambientFont;
}

// TabStop is kept as a number; a Boolean from elsewhere is read too.
bool ReadNumericBool(const PropertyBag& bag, std::string_view key) {
    PropertyValue value = bag.ReadProperty(key, int32_t{0});
    if (const auto* number = std::get_if<int32_t>(&value)) return *number != 0;
    if (const auto* flag = std::get_if<bool>(&value)) return *flag;
    return false;
}

}  // namespace

int32_t ReadColour(const PropertyBag& bag, std::string_view key, uint32_t defaultValue) {
    return bag.ReadInt(key, static_cast<int32_t>(defaultValue));
}

PropertyValue ColourValue(uint32_t colour) {
    return static_cast<int32_t>(colour);
}

int16_t ClampPercentage(int32_t value) {
    return static_cast<int16_t>(value < 0 ? 0 : value > 100 ? 100 : value);
}

bool ContainsAccelerator(std::string_view caption) {
    return caption.find('&') != std::string_view::npos;
}

GroupBoxProperties NewGroupBoxProperties(const Ambient& ambient) {
    GroupBoxProperties properties;
    properties.Caption = ambient.DisplayName;
    properties.Font = ambient.Font;
    return properties;
}

GroupBoxProperties LoadGroupBoxProperties(const PropertyBag& bag, const Ambient& ambient) {
    GroupBoxProperties p;
    p.BackColor = static_cast<uint32_t>(ReadColour(bag, "BackColor", OleColours::ButtonFace));
    p.ForeColor = static_cast<uint32_t>(ReadColour(bag, "ForeColor", OleColours::ButtonText));
    p.UseParentFormhDC = bag.ReadBool("UseParentFormhDC", false);
    p.DisabledBehavior = bag.ReadInt("DisabledBehavior", 0);
    p.Percentage = ToInt16(bag.ReadInt("Percentage", 0));
    p.ShowPercentage = bag.ReadBool("ShowPercentage", true);
    p.LegacyProgressStyle = bag.ReadInt("LegacyProgressStyle", 1);
    p.VisibleBehavior = bag.ReadInt("VisibleBehavior", 0);
    p.HasDC = bag.ReadBool("HasDc", true);
    p.TabStop = ReadNumericBool(bag, "TabStop");
    p.Enabled = bag.ReadBool("Enabled", true);
    p.Visible = bag.ReadBool("Visible", true);
    p.BorderStyle = bag.ReadInt("BorderStyle", BorderStyles::XpFrame);
    p.Caption = bag.ReadString("Caption", ambient.DisplayName);
    p.CheckBoxCaption = bag.ReadBool("CheckBoxCaption", false);
    p.Font = ReadFont(bag, ambient.Font);
    p.Font.Underline = bag.ReadBool("FontUnderline", false);
    p.FontTransparent = bag.ReadBool("FontTransparent", true);
    p.Font.Strikethru = bag.ReadBool("FontStrikethru", false);
    p.Font.Size = static_cast<float>(bag.ReadDouble("FontSize", kDefaultFontSize));
    p.Font.Name = bag.ReadString("FontName", "MS Sans Serif");
    p.Font.Italic = bag.ReadBool("FontItalic", false);
    p.Font.Bold = bag.ReadBool("FontBold", false);
    p.MouseIcon = bag.ReadProperty("MouseIcon", std::monostate{});
    p.MousePointer = ToInt16(bag.ReadInt("MousePointer", 0));
    p.BackStyle = bag.ReadInt("BackStyle", BackStyles::Transparent);
    p.Picture = bag.ReadProperty("Picture", std::monostate{});
    return p;
}

void SaveGroupBoxProperties(const GroupBoxProperties& p, PropertyBag& bag, const Ambient& ambient) {
    bag.WriteProperty("UseParentFormhDC", p.UseParentFormhDC, false);
    bag.WriteProperty("Font", p.Font, ambient.Font);
    bag.WriteProperty("HasDC", p.HasDC, true);
    bag.WriteProperty("TabStop", int32_t{p.TabStop ? -1 : 0}, int32_t{0});
    bag.WriteProperty("ShowPercentage", p.ShowPercentage, true);
    bag.WriteProperty("Percentage", int32_t{p.Percentage}, int32_t{0});
    bag.WriteProperty("LegacyProgressStyle", p.LegacyProgressStyle, int32_t{1});
    bag.WriteProperty("BackColor", ColourValue(p.BackColor), ColourValue(OleColours::ButtonFace));
    bag.WriteProperty("ForeColor", ColourValue(p.ForeColor), ColourValue(OleColours::ButtonText));
    bag.WriteProperty("Enabled", p.Enabled, true);
    bag.WriteProperty("Visible", p.Visible, true);
    bag.WriteProperty("DisabledBehavior", p.DisabledBehavior, int32_t{0});
    bag.WriteProperty("VisibleBehavior", p.VisibleBehavior, int32_t{0});
    bag.WriteProperty("BorderStyle", p.BorderStyle, int32_t{BorderStyles::XpFrame});
    bag.WriteProperty("BackStyle", p.BackStyle, int32_t{BackStyles::Transparent});
    bag.WriteProperty("Caption", p.Caption, ambient.DisplayName);
    bag.WriteProperty("CheckBoxCaption", p.CheckBoxCaption, false);
    bag.WriteProperty("FontUnderline", p.Font.Underline, false);
    bag.WriteProperty("FontTransparent", p.FontTransparent, true);
    bag.WriteProperty("FontStrikethru", p.Font.Strikethru, false);
    bag.WriteProperty("FontSize", static_cast<double>(p.Font.Size), kDefaultFontSize);
    bag.WriteProperty("FontName", p.Font.Name, std::string("MS Sans Serif"));
    bag.WriteProperty("FontItalic", p.Font.Italic, false);
    bag.WriteProperty("FontBold", p.Font.Bold, false);
    bag.WriteProperty("MouseIcon", p.MouseIcon, std::monostate{});
    bag.WriteProperty("MousePointer", int32_t{p.MousePointer}, int32_t{0});
    bag.WriteProperty("Picture", p.Picture, std::monostate{});
}

}  // namespace tarvex::xp
