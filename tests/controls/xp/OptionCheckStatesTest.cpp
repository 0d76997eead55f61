#include <gtest/gtest.h>

#include "controls/xp/OptionCheckGeometry.h"
#include "controls/xp/OptionCheckStates.h"

namespace tarvex::xp {
namespace {

using ControlTypes::CheckBox;
using ControlTypes::OptionButton;

TEST(OptionCheckStates, TableByValueAndEnabled) {
    EXPECT_EQ(StateFor(true, 0, 0), 1);
    EXPECT_EQ(StateFor(true, 1, 0), 5);
    EXPECT_EQ(StateFor(true, 2, 0), 9);
    EXPECT_EQ(StateFor(false, 0, 0), 4);
    EXPECT_EQ(StateFor(false, 1, 0), 8);
    EXPECT_EQ(StateFor(false, 2, 0), 12);
    EXPECT_EQ(StateFor(true, 3, 6), 6);  // no row: unchanged
    EXPECT_EQ(OptionCheckPart(OptionButton), 2);
    EXPECT_EQ(OptionCheckPart(CheckBox), 3);
    EXPECT_EQ(OptionCheckPart(5), 3);
}

// Move in, press, release: the value each kind of control ends with.
StateAndValue Click(int32_t type, int32_t value) {
    int32_t state = StateAfterEnter(StateFor(true, value, 0));
    state = StateAfterLeftDown(state);
    return AfterLeftUp(type, state, value);
}

TEST(OptionCheckStates, ClicksOnOptionsAndCheckBoxes) {
    EXPECT_EQ(Click(OptionButton, 0), (StateAndValue{6, 1}));
    EXPECT_EQ(Click(OptionButton, 1), (StateAndValue{6, 1}));  // stays checked
    EXPECT_EQ(Click(CheckBox, 0), (StateAndValue{6, 1}));
    EXPECT_EQ(Click(CheckBox, 1), (StateAndValue{2, 0}));
    EXPECT_EQ(Click(CheckBox, 2), (StateAndValue{2, 0}));  // mixed unchecks
}

TEST(OptionCheckStates, PressThenLeaveKeepsTheValue) {
    int32_t state = StateAfterLeftDown(StateAfterEnter(1));
    EXPECT_EQ(state, 3);
    state = StateAfterLeave(state);
    EXPECT_EQ(state, 1);
    EXPECT_EQ(AfterLeftUp(OptionButton, state, 0), (StateAndValue{1, 0}));
    EXPECT_EQ(StateAfterLeave(7), 5);
    EXPECT_EQ(StateAfterLeave(10), 9);
    EXPECT_EQ(StateAfterLeave(11), 1);  // a pressed mixed box shows unchecked
    EXPECT_EQ(StateAfterLeave(8), 8);
    EXPECT_EQ(StateAfterLeftDown(5), 5);  // only hot states press
    EXPECT_EQ(StateAfterEnter(4), 4);     // disabled stays disabled
}

TEST(OptionCheckStates, ClassicFlags) {
    EXPECT_EQ(ClassicGlyphFlags(CheckBox, 0, true, 1), 0x0000u);
    EXPECT_EQ(ClassicGlyphFlags(OptionButton, 1, true, 6), 0x0004u | 0x0400u | 0x1000u);
    EXPECT_EQ(ClassicGlyphFlags(CheckBox, 2, true, 11), 0x0200u);  // mixed drawn unchecked
    EXPECT_EQ(ClassicGlyphFlags(CheckBox, 1, false, 8), 0x0400u | 0x0100u);
}

TEST(OptionCheckGeometry, SizeFollowsTheCaption) {
    OptionCheckMeasures m{40, 8, 13, 13, false, 15.0};
    EXPECT_EQ(OptionCheckHeight(m), 17);
    EXPECT_EQ(ClassicGlyphWidth(15.0), 14);
    EXPECT_EQ(OptionCheckWidth(13, m), 58);
    m.HasAccessKey = true;
    EXPECT_EQ(OptionCheckWidth(13, m), 50);

    auto themed = LayoutThemedOptionCheck(17, 13, 13, m);
    EXPECT_EQ(themed.Glyph, (XpRect{0, 2, 13, 15}));
    EXPECT_EQ(themed.Caption, (XpRect{17, 2, 57, 15}));
    auto classic = LayoutClassicOptionCheck(17, m);
    EXPECT_EQ(classic.Glyph, (XpRect{0, 2, 14, 15}));
    EXPECT_EQ(classic.Caption, (XpRect{17, 2, 57, 15}));
    EXPECT_EQ(OptionCheckFocusRect(18, 58, 17), (XpRect{16, 1, 58, 16}));
    // At 120 DPI (12 twips per pixel) 210 twips are 17.5 pixels: the even 18.
    EXPECT_EQ(ClassicGlyphWidth(12.0), 18);
}

}  // namespace
}  // namespace tarvex::xp
