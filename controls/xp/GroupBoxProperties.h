#pragma once
// The saved and run-time settings of XpGroupBox, with the rules that do not
// need a window: clamping, the accelerator test, and how a form keeps them.

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/host/PropertyBag.h"
#include "controls/xp/XpConstants.h"

namespace tarvex::xp {

struct GroupBoxProperties {
    int32_t BorderStyle = BorderStyles::XpFrame;
    int32_t BackStyle = BackStyles::Transparent;
    std::string Caption;
    int16_t Percentage = 0;
    bool ShowPercentage = false;
    int32_t LegacyProgressStyle = 1;
    bool UseParentFormhDC = false;
    int32_t DisabledBehavior = 1;
    int32_t VisibleBehavior = 0;
    bool Visible = false;
    bool Enabled = true;
    uint32_t BackColor = OleColours::ButtonFace;
    uint32_t ForeColor = OleColours::ButtonText;
    host::FontDescription Font;
    bool FontTransparent = true;
    int16_t MousePointer = 0;
    host::PropertyValue MouseIcon;  // kept as saved; empty for none
    host::PropertyValue Picture;    // kept as saved; changes nothing
    bool TabStop = false;
    bool HasDC = false;
    bool CheckBoxCaption = false;
};

// The ambient values of the host a control is placed on.
struct Ambient {
    std::string DisplayName;
    host::FontDescription Font;
};

int16_t ClampPercentage(int32_t value);
bool ContainsAccelerator(std::string_view caption);

// A control just placed on a form.
GroupBoxProperties NewGroupBoxProperties(const Ambient& ambient);
// Reads every saved key (missing keys take their defaults). The percentage
// is taken as saved, not clamped; a value beyond 16 bits is an overflow.
GroupBoxProperties LoadGroupBoxProperties(const host::PropertyBag& bag, const Ambient& ambient);
// Writes every key in the form's order; values equal to defaults are left out.
void SaveGroupBoxProperties(const GroupBoxProperties& properties, host::PropertyBag& bag, const Ambient& ambient);

// Shared by both controls' loading code.
int32_t ReadColour(const host::PropertyBag& bag, std::string_view key, uint32_t defaultValue);
host::PropertyValue ColourValue(uint32_t colour);

// What both controls start with when placed: the host's name and font.
template <class Properties>
Properties PlacedProperties(const Ambient& ambient) {
    Properties properties;
    properties.Caption = ambient.DisplayName;
    properties.Font = ambient.Font;
    return properties;
}

// Both controls' saved colours, button face and button text by default.
template <class Properties>
void ReadSavedColours(const host::PropertyBag& bag, Properties& properties) {
    properties.BackColor = static_cast<uint32_t>(ReadColour(bag, "BackColor", OleColours::ButtonFace));
    properties.ForeColor = static_cast<uint32_t>(ReadColour(bag, "ForeColor", OleColours::ButtonText));
}

}  // namespace tarvex::xp
