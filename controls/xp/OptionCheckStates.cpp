#include "controls/xp/OptionCheckStates.h"

namespace tarvex::xp {

int32_t OptionCheckPart(int32_t controlType) {
    return controlType == ControlTypes::OptionButton ? 2 : 3;
}

int32_t StateFor(bool enabled, int32_t value, int32_t current) {
    if (value < 0 || value > 2) return current;
    return value * 4 + (enabled ? 1 : 4);
}

bool IsHotState(int32_t state) {
    return state == 2 || state == 6 || state == 10;
}
bool IsPressedState(int32_t state) {
    return state == 3 || state == 7 || state == 11;
}

int32_t StateAfterLeave(int32_t state) {
    switch (state) {
        case 2:
        case 3:
        case 11: return 1;
        case 6:
        case 7: return 5;
        case 10: return 9;
        default: return state;
    }
}

int32_t StateAfterEnter(int32_t state) {
    switch (state) {
        case 1: return 2;
        case 5: return 6;
        case 9: return 10;
        default: return state;
    }
}

int32_t StateAfterLeftDown(int32_t state) {
    return IsHotState(state) ? state + 1 : state;
}

StateAndValue AfterLeftUp(int32_t controlType, int32_t state, int32_t value) {
    if (controlType == ControlTypes::OptionButton) {
        if (state == 3 || state == 7) return {6, 1};
        return {state, value};
    }
    if (state == 3) return {6, 1};
    if (state == 7 || state == 11) return {2, 0};
    return {state, value};
}

uint32_t ClassicGlyphFlags(int32_t controlType, int32_t value, bool enabled, int32_t state) {
    constexpr uint32_t kButtonRadio = 0x0004, kChecked = 0x0400, kInactive = 0x0100, kHot = 0x1000, kPushed = 0x0200;
    uint32_t flags = controlType == ControlTypes::OptionButton ? kButtonRadio : 0x0000;
    if (value == 1) flags |= kChecked;  // a mixed value shows unchecked
    if (!enabled) flags |= kInactive;
    if (IsHotState(state))
        flags |= kHot;
    else if (IsPressedState(state))
        flags |= kPushed;
    return flags;
}

int32_t ValueAfterKeyPress(int32_t controlType, int32_t value) {
    if (controlType == ControlTypes::OptionButton) return 1;
    return value == 0 ? 1 : 0;
}

}  // namespace tarvex::xp
