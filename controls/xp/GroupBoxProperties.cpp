#include "controls/xp/GroupBoxProperties.h"

#include <limits>

#include "base/RuntimeError.h"
#include "controls/xp/FontProperties.h"

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
    return PlacedProperties<GroupBoxProperties>(ambient);
}

GroupBoxProperties LoadGroupBoxProperties(const PropertyBag& bag, const Ambient& ambient) {
    GroupBoxProperties p;
    ReadSavedColours(bag, p);
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
    const SavedFont font = ReadSavedFont(bag, ambient.Font, kDefaultFontSize);
    p.Font = font.Font;
    p.FontTransparent = font.FontTransparent;
    p.MouseIcon = font.MouseIcon;
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
    WriteSavedFontParts({p.Font, p.FontTransparent, p.MouseIcon}, bag, kDefaultFontSize);
    bag.WriteProperty("MousePointer", int32_t{p.MousePointer}, int32_t{0});
    bag.WriteProperty("Picture", p.Picture, std::monostate{});
}

}  // namespace tarvex::xp
