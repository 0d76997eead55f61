#pragma once
// The saved font of both themed controls: the font object, then each of its
// parts under a name of its own (the parts win when both are there), and the
// mouse icon saved beside them.

#include "controls/host/PropertyBag.h"

namespace tarvex::xp {

struct SavedFont {
    host::FontDescription Font;
    bool FontTransparent = true;
    host::PropertyValue MouseIcon;
};

// `defaultSize` is the size assumed when none was saved (the controls differ).
SavedFont ReadSavedFont(const host::PropertyBag& bag, const host::FontDescription& ambientFont, double defaultSize);
// Writes the parts and the mouse icon (not the font object), in that order.
void WriteSavedFontParts(const SavedFont& saved, host::PropertyBag& bag, const host::PropertyValue& defaultSize);

}  // namespace tarvex::xp
