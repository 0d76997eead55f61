#pragma once
// The visual state of the option and check button: the theme's state ids
// (1..12, by Value row and normal/hot/pressed/disabled column) and how mouse
// input moves between them.

#include <cstdint>

namespace tarvex::xp {

namespace ControlTypes {
constexpr int32_t CheckBox = 0;
constexpr int32_t OptionButton = 1;  // any other value behaves as a check box
}  // namespace ControlTypes

// Theme part of the glyph: option button 2, check box 3.
int32_t OptionCheckPart(int32_t controlType);

// The normal (enabled) or disabled state for `value`; values outside 0..2
// have no row, so `current` is kept.
int32_t StateFor(bool enabled, int32_t value, int32_t current);

bool IsHotState(int32_t state);      // 2, 6, 10
bool IsPressedState(int32_t state);  // 3, 7, 11

// The pointer left the control: hot and pressed go back to normal. A pressed
// mixed box (11) shows unchecked (1), its Value staying 2.
int32_t StateAfterLeave(int32_t state);
// The pointer is over the control: normal becomes hot.
int32_t StateAfterEnter(int32_t state);
// Left button down: hot becomes pressed.
int32_t StateAfterLeftDown(int32_t state);

struct StateAndValue {
    int32_t State;
    int32_t Value;
    bool operator==(const StateAndValue&) const = default;
};
// Left button up: a pressed option becomes checked-hot; a pressed check box
// toggles (mixed unchecks). Other states keep their Value.
StateAndValue AfterLeftUp(int32_t controlType, int32_t state, int32_t value);

// Space, an access key or an arrow key chose the control: an option becomes
// checked, a check box toggles (mixed unchecks).
int32_t ValueAfterKeyPress(int32_t controlType, int32_t value);

// DrawFrameControl flags of the classic glyph.
uint32_t ClassicGlyphFlags(int32_t controlType, int32_t value, bool enabled, int32_t state);

}  // namespace tarvex::xp
