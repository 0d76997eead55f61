#include "controls/xp/FontProperties.h"

namespace tarvex::xp {

SavedFont ReadSavedFont(const host::PropertyBag& bag, const host::FontDescription& ambientFont, double defaultSize) {
    SavedFont saved;
    host::PropertyValue value = bag.ReadProperty("Font", ambientFont);
    const auto* font = std::get_if<host::FontDescription>(&value);
    saved.Font = font ? *font : ambientFont;
    saved.Font.Underline = bag.ReadBool("FontUnderline", false);
    saved.FontTransparent = bag.ReadBool("FontTransparent", true);
    saved.Font.Strikethru = bag.ReadBool("FontStrikethru", false);
    saved.Font.Size = static_cast<float>(bag.ReadDouble("FontSize", defaultSize));
    saved.Font.Name = bag.ReadString("FontName", "MS Sans Serif");
    saved.Font.Italic = bag.ReadBool("FontItalic", false);
    saved.Font.Bold = bag.ReadBool("FontBold", false);
    saved.MouseIcon = bag.ReadProperty("MouseIcon", std::monostate{});
    return saved;
}

void WriteSavedFontParts(const SavedFont& saved, host::PropertyBag& bag, const host::PropertyValue& defaultSize) {
    bag.WriteProperty("FontUnderline", saved.Font.Underline, false);
    bag.WriteProperty("FontTransparent", saved.FontTransparent, true);
    bag.WriteProperty("FontStrikethru", saved.Font.Strikethru, false);
    bag.WriteProperty("FontSize", static_cast<double>(saved.Font.Size), defaultSize);
    bag.WriteProperty("FontName", saved.Font.Name, std::string("MS Sans Serif"));
    bag.WriteProperty("FontItalic", saved.Font.Italic, false);
    bag.WriteProperty("FontBold", saved.Font.Bold, false);
    bag.WriteProperty("MouseIcon", saved.MouseIcon, std::monostate{});
}

}  // namespace tarvex::xp
