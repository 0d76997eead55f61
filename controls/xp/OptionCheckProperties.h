#pragma once
// The saved settings of XPOptionCheck and how a form keeps them.

#include <cstdint>
#include <string>

#include "controls/host/PropertyBag.h"
#include "controls/xp/GroupBoxProperties.h"
#include "controls/xp/XpConstants.h"

namespace tarvex::xp {

struct OptionCheckProperties {
    uint32_t BackColor = OleColours::ButtonFace;
    int32_t BackStyle = BackStyles::Transparent;
    bool UseParentFormhDC = false;
    bool UseCustomForeColor = false;
    uint32_t ForeColor = OleColours::ButtonText;
    bool Enabled = true;
    bool Themed = true;
    int32_t Value = 0;
    host::FontDescription Font;
    std::string Caption;
    bool FontTransparent = true;
    host::PropertyValue MouseIcon;
    int32_t MousePointer = 0;
    int32_t ControlType = 0;
    bool TabStop = false;
};

OptionCheckProperties NewOptionCheckProperties(const Ambient& ambient);
OptionCheckProperties LoadOptionCheckProperties(const host::PropertyBag& bag, const Ambient& ambient);
// FontSize is always written; every other value only when it differs from its default.
void SaveOptionCheckProperties(const OptionCheckProperties& properties, host::PropertyBag& bag, const Ambient& ambient);

}  // namespace tarvex::xp
