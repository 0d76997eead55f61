#include "controls/xp/OptionCheckProperties.h"

namespace tarvex::xp {

using host::PropertyBag;
using host::PropertyValue;

OptionCheckProperties NewOptionCheckProperties(const Ambient& ambient) {
    OptionCheckProperties properties;
    properties.Font = ambient.Font;
    properties.Caption = ambient.DisplayName;
    return properties;
}

OptionCheckProperties LoadOptionCheckProperties(const PropertyBag& bag, const Ambient& ambient) {
    OptionCheckProperties p;
    p.BackColor = static_cast<uint32_t>(ReadColour(bag, "BackColor", OleColours::ButtonFace));
    p.ForeColor = static_cast<uint32_t>(ReadColour(bag, "ForeColor", OleColours::ButtonText));
    p.Themed = bag.ReadBool("Themed", true);
    p.UseCustomForeColor = bag.ReadBool("UseCustomForeColor", false);
    p.BackStyle = bag.ReadInt("BackStyle", BackStyles::Transparent);
    p.UseParentFormhDC = bag.ReadBool("UseParentFormhDC", false);
    p.Enabled = bag.ReadBool("Enabled", true);
    p.Value = bag.ReadInt("Value", 0);
    PropertyValue font = bag.ReadProperty("Font", ambient.Font);
    const auto* typedFont = std::get_if<host::FontDescription>(&font);
    p.Font = typedFont ? *typedFont : ambient.Font;
    p.Caption = bag.ReadString("Caption", ambient.DisplayName);
    p.Font.Underline = bag.ReadBool("FontUnderline", false);
    p.FontTransparent = bag.ReadBool("FontTransparent", true);
    p.Font.Strikethru = bag.ReadBool("FontStrikethru", false);
    p.Font.Size = static_cast<float>(bag.ReadDouble("FontSize", 8.25));
    p.Font.Name = bag.ReadString("FontName", "MS Sans Serif");
    p.Font.Italic = bag.ReadBool("FontItalic", false);
    p.Font.Bold = bag.ReadBool("FontBold", false);
    p.MouseIcon = bag.ReadProperty("MouseIcon", std::monostate{});
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
    bag.WriteProperty("FontUnderline", p.Font.Underline, false);
    bag.WriteProperty("FontTransparent", p.FontTransparent, true);
    bag.WriteProperty("FontStrikethru", p.Font.Strikethru, false);
    bag.WriteProperty("FontSize", static_cast<double>(p.Font.Size), std::monostate{});
    bag.WriteProperty("FontName", p.Font.Name, std::string("MS Sans Serif"));
    bag.WriteProperty("FontItalic", p.Font.Italic, false);
    bag.WriteProperty("FontBold", p.Font.Bold, false);
    bag.WriteProperty("MouseIcon", p.MouseIcon, std::monostate{});
    bag.WriteProperty("MousePointer", p.MousePointer, int32_t{0});
    bag.WriteProperty("ControlType", p.ControlType, int32_t{0});
    bag.WriteProperty("TabStop", p.TabStop, false);
}

}  // namespace tarvex::xp
