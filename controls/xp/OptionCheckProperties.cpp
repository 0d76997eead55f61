#include "controls/xp/OptionCheckProperties.h"

#include "controls/xp/FontProperties.h"

namespace tarvex::xp {

using host::PropertyBag;
using host::PropertyValue;

OptionCheckProperties NewOptionCheckProperties(const Ambient& ambient) {
    return PlacedProperties<OptionCheckProperties>(ambient);
}

OptionCheckProperties LoadOptionCheckProperties(const PropertyBag& bag, const Ambient& ambient) {
    OptionCheckProperties p;
    ReadSavedColours(bag, p);
    p.Themed = bag.ReadBool("Themed", true);
    p.UseCustomForeColor = bag.ReadBool("UseCustomForeColor", false);
    p.BackStyle = bag.ReadInt("BackStyle", BackStyles::Transparent);
    p.UseParentFormhDC = bag.ReadBool("UseParentFormhDC", false);
    p.Enabled = bag.ReadBool("Enabled", true);
    p.Value = bag.ReadInt("Value", 0);
    p.Caption = bag.ReadString("Caption", ambient.DisplayName);
    const SavedFont font = ReadSavedFont(bag, ambient.Font, 8.25);
    p.Font = font.Font;
    p.FontTransparent = font.FontTransparent;
    p.MouseIcon = font.MouseIcon;
    p.MousePointer = bag.ReadInt("MousePointer", 0);
    p.ControlType = bag.ReadInt("ControlType", 0);
    p.TabStop = bag.ReadBool("TabStop", false);
    return p;
}

void SaveOptionCheckProperties(const OptionCheckProperties& p, PropertyBag& bag, const Ambient& ambient) {
    bag.WriteProperty("BackColor", ColourValue(p.BackColor), ColourValue(OleColours::ButtonFace));
    bag.WriteProperty("BackStyle", p.BackStyle, int32_t{0});
    bag.WriteProperty("UseParentFormhDC", p.UseParentFormhDC, false);
    bag.WriteProperty("UseCustomForeColor", p.UseCustomForeColor, false);
    bag.WriteProperty("ForeColor", ColourValue(p.ForeColor), ColourValue(OleColours::ButtonText));
    bag.WriteProperty("Enabled", p.Enabled, true);
    bag.WriteProperty("Themed", p.Themed, true);
    bag.WriteProperty("Value", p.Value, int32_t{0});
    bag.WriteProperty("Font", p.Font, ambient.Font);
    bag.WriteProperty("Caption", p.Caption, ambient.DisplayName);
    WriteSavedFontParts({p.Font, p.FontTransparent, p.MouseIcon}, bag, std::monostate{});
    bag.WriteProperty("MousePointer", p.MousePointer, int32_t{0});
    bag.WriteProperty("ControlType", p.ControlType, int32_t{0});
    bag.WriteProperty("TabStop", p.TabStop, false);
}

}  // namespace tarvex::xp
